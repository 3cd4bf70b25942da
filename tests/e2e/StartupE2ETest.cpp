// Every wait is bounded and every process started here is ended here.
#include "ChildProcess.h"
#include "LRRegistry.h"
#include "RegistryApi.h"
#include "TestRoot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using namespace std::chrono_literals;
constexpr auto kStartTimeout = 30s;

// One running copy of the program (LISTORA_EXE) on a device root, its output thrown away.
class Program : public ChildProcess {
public:
    explicit Program(const std::string& root, const std::vector<std::string>& args = {}) {
        if (const char* exe = std::getenv("LISTORA_EXE"); exe && *exe)
            Start(exe, args, {{"LISTORA_ROOT", root}, {"QT_QPA_PLATFORM", "offscreen"}}, true);
    }
    bool Started() const { return pid > 0; }
    // SIGTERM ends the program as the Exit command does.
    bool Terminate(std::chrono::milliseconds timeout = 20s) {
        if (Running())
            kill(pid, SIGTERM);
        return WaitForExit(timeout);
    }
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
constexpr const char* kLogs[] = {"Listora.txt", "Listor1.txt", "Listor2.txt", "Listor3.txt", "Listor4.txt"};

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
    // Nobody answers it: the end signal closes it and the program ends at once.
    EXPECT_TRUE(again.Terminate(std::chrono::seconds(3)));
}

TEST_F(StartupE2E, AListOpenedWhileTheProgramRunsGoesToTheRunningCopy) {
    Program first(m_root.path());
    ASSERT_TRUE(WaitForLog(first, Log(), kStarted));
    const std::string weekly = m_root.file("Weekly.lsr");
    WriteHostFile(weekly, std::string(4, '\0'));  // an empty list

    Program second(m_root.path(), {weekly});
    ASSERT_TRUE(second.WaitForExit(kStartTimeout));
    ASSERT_TRUE(first.Terminate());
    // The first copy opened it: it is the list the next start reopens.
    RegistryStore::Shutdown();
    ASSERT_TRUE(TheRegistry().init());
    TCHAR* raw = nullptr;
    TheRegistry().Get(u"LastFile", raw);
    const std::unique_ptr<TCHAR[]> last(raw);
    TheRegistry().close();
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(std::u16string(last.get()), std::u16string(weekly.begin(), weekly.end()));
}

// Five copies started at the same moment: only the one that holds the single-instance
// lock answers the others, which find its window and end soon after it is up.
TEST_F(StartupE2E, CopiesStartedTogetherLeaveOne) {
    std::vector<std::unique_ptr<Program>> copies;
    for (int i = 0; i < 5; ++i)
        copies.push_back(std::make_unique<Program>(m_root.path()));
    auto count = [&](const char* text) {
        return std::count_if(std::begin(kLogs), std::end(kLogs),
                             [&](const char* log) { return LogText(Log(log)).find(text) != std::string::npos; });
    };
    auto running = [&] { return std::count_if(copies.begin(), copies.end(), [](auto& c) { return c->Running(); }); };
    const auto end = std::chrono::steady_clock::now() + kStartTimeout;
    while (count(kStarted) == 0 && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(20ms);
    const auto up = std::chrono::steady_clock::now();
    while (running() > 1 && std::chrono::steady_clock::now() < up + 3s)  // 2 s, and room for the sanitizers
        std::this_thread::sleep_for(20ms);
    EXPECT_EQ(running(), 1);
    EXPECT_EQ(count(kStarted), 1);
    EXPECT_EQ(count("Found"), 4);
    for (auto& copy : copies)
        EXPECT_TRUE(copy->Running() ? copy->Terminate() : copy->ExitCode() == 0);
}
