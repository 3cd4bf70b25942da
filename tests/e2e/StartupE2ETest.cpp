// The built program, started as a user would on a fresh device root (offscreen): the
// first start, a second copy, a restart, and a last list that has gone. What the
// program does is read from its log file, its exit code and the files it leaves.
// Every wait is bounded and every process started here is ended here.
#include "TestRoot.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

extern char** environ;

namespace {

using namespace std::chrono_literals;
constexpr auto kStartTimeout = 30s;

// A UTF-16LE log as ASCII (other code units as '?').
std::string LogText(const std::string& path) {
    const std::string bytes = ReadHostFile(path);
    std::string text;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
        text += bytes[i + 1] == 0 && bytes[i] > 0 ? bytes[i] : '?';
    return text;
}

// One running copy of the program; ended (and reaped) when the object goes.
class Program {
public:
    explicit Program(const std::string& root) {
        const char* exe = std::getenv("LISTORA_EXE");
        if (!exe || !*exe)
            return;
        std::vector<std::string> env;
        for (char** e = environ; *e; ++e) {
            const std::string entry(*e);
            if (entry.rfind("LISTORA_ROOT=", 0) != 0 && entry.rfind("QT_QPA_PLATFORM=", 0) != 0)
                env.push_back(entry);
        }
        env.push_back("LISTORA_ROOT=" + root);
        env.push_back("QT_QPA_PLATFORM=offscreen");
        std::vector<char*> envp;
        for (std::string& entry : env)
            envp.push_back(entry.data());
        envp.push_back(nullptr);
        std::string program(exe);
        char* argv[] = {program.data(), nullptr};
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
        posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
        if (posix_spawn(&m_pid, exe, &actions, nullptr, argv, envp.data()) != 0)
            m_pid = -1;
        posix_spawn_file_actions_destroy(&actions);
    }
    ~Program() {
        if (Running()) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    bool Started() const { return m_pid > 0; }
    bool Running() {
        if (m_pid <= 0 || m_exited)
            return false;
        int status = 0;
        if (waitpid(m_pid, &status, WNOHANG) == m_pid) {
            m_exited = true;
            m_status = status;
            return false;
        }
        return true;
    }
    bool WaitForExit(std::chrono::milliseconds timeout) {
        const auto end = std::chrono::steady_clock::now() + timeout;
        while (Running()) {
            if (std::chrono::steady_clock::now() > end)
                return false;
            std::this_thread::sleep_for(20ms);
        }
        return m_exited;
    }
    // SIGTERM ends the program as the Exit command does.
    bool Terminate(std::chrono::milliseconds timeout = 20s) {
        if (Running())
            kill(m_pid, SIGTERM);
        return WaitForExit(timeout);
    }
    int ExitCode() const { return m_exited && WIFEXITED(m_status) ? WEXITSTATUS(m_status) : -1; }

private:
    pid_t m_pid = -1;
    bool m_exited = false;
    int m_status = 0;
};

// Waits until the log at path holds text (or the program ended, or time ran out).
bool WaitForLog(Program& program, const std::string& path, const std::string& text,
                std::chrono::milliseconds timeout = kStartTimeout) {
    const auto end = std::chrono::steady_clock::now() + timeout;
    while (std::chrono::steady_clock::now() < end) {
        if (LogText(path).find(text) != std::string::npos)
            return true;
        if (!program.Running())
            return LogText(path).find(text) != std::string::npos;
        std::this_thread::sleep_for(50ms);
    }
    return false;
}

constexpr const char* kStarted = "ListoraApp::after () CreateChoiseView";

class StartupE2E : public ::testing::Test {
protected:
    void SetUp() override {
        if (!std::getenv("LISTORA_EXE"))
            GTEST_SKIP() << "LISTORA_EXE is not set";
    }
    TestRoot m_root;
    std::string Log(const char* name = "Listora.txt") const { return m_root.file(name); }
};

}  // namespace

TEST_F(StartupE2E, SecondCopyEndsAndTheFirstStays) {
    Program first(m_root.path());
    ASSERT_TRUE(WaitForLog(first, Log(), kStarted));

    Program second(m_root.path());
    ASSERT_TRUE(second.Started());
    ASSERT_TRUE(second.WaitForExit(kStartTimeout)) << "the second copy ends by itself";
    EXPECT_EQ(second.ExitCode(), 0);
    EXPECT_TRUE(first.Running());
    // The first copy holds its log without sharing: the second wrote its own and
    // found the first copy's window.
    const std::string secondLog = LogText(Log("Listor1.txt"));
    EXPECT_NE(secondLog.find("Found"), std::string::npos) << secondLog;
    EXPECT_EQ(secondLog.find("ProcessShellCommand"), std::string::npos);

    ASSERT_TRUE(first.Terminate());
    EXPECT_EQ(first.ExitCode(), 0);
}

TEST_F(StartupE2E, FirstStartRestartAndALastListThatIsGone) {
    for (int start = 0; start < 2; ++start) {
        std::filesystem::remove(Log());  // each start writes a new log
        Program program(m_root.path());
        ASSERT_TRUE(program.Started());
        ASSERT_TRUE(WaitForLog(program, Log(), kStarted)) << LogText(Log());
        const std::string log = LogText(Log());
        EXPECT_NE(log.find("Tamra Listora Version 1.6.1 dump file"), std::string::npos);
        // The store is created once; the first start opens the empty list New.
        EXPECT_EQ(log.find("Cannot init registry. Try to create default!") != std::string::npos, start == 0);
        EXPECT_EQ(log.find("Cannot open file"), std::string::npos);
        EXPECT_EQ(ReadHostFile(m_root.file("My Documents/New.lsr")), std::string(4, '\0'));
        ASSERT_TRUE(program.Terminate());
        EXPECT_EQ(program.ExitCode(), 0) << "SIGTERM ends the program as Exit does";
        EXPECT_NE(LogText(Log()).find("Termination requested"), std::string::npos);
    }

    ASSERT_TRUE(std::filesystem::remove(m_root.file("My Documents/New.lsr")));
    std::filesystem::remove(Log());

    // The program reports the missing file and waits for the user's answer to
    // 'Select "Yes" to create new file, ...' (answered in the headless tests).
    Program again(m_root.path());
    ASSERT_TRUE(WaitForLog(again, Log(), "Cannot open file!")) << LogText(Log());
    std::this_thread::sleep_for(300ms);
    EXPECT_TRUE(again.Running()) << "the question keeps the program waiting";
    EXPECT_EQ(LogText(Log()).find("after () ProcessShellCommand"), std::string::npos);
}
