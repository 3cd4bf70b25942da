// Shared by the platform tests: failing calls with their last error, forked children,
// environment variables put back after a test, and the helper programs run as child
// processes.
#pragma once
#include "ChildProcess.h"
#include "WinError.h"

#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

// The call returns its failure value and leaves `error` as the last error.
#define EXPECT_FAILS(failed, call, error)                \
    do {                                                 \
        EXPECT_EQ(failed, call);                         \
        EXPECT_EQ(DWORD(error), GetLastError());         \
    } while (0)

// Runs body in a forked child (no exec) and returns its exit code, or minus the
// signal that ended it.
template <typename F>
int InChild(F body) {
    const pid_t pid = fork();
    if (pid == 0)
        _exit(body());
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
}

// Saves an environment variable and puts it back afterwards.
class EnvGuard {
public:
    explicit EnvGuard(const char* name) : m_name(name) {
        if (const char* v = std::getenv(name))
            m_value = v, m_had = true;
    }
    ~EnvGuard() { m_had ? setenv(m_name, m_value.c_str(), 1) : unsetenv(m_name); }

private:
    const char* m_name;
    bool m_had = false;
    std::string m_value;
};

// A program of platform/helpers, in the given device root when there is one.
class Helper : public ChildProcess {
public:
    Helper() = default;
    explicit Helper(const char* name, const std::vector<std::string>& args = {}, const std::string& root = {}) {
        Start(name, args, root);
    }
    void Start(const char* name, const std::vector<std::string>& args = {}, const std::string& root = {}) {
        const auto exe = std::filesystem::canonical("/proc/self/exe").parent_path() / "platform" / "helpers" / name;
        ChildProcess::Start(exe.string(), args, root.empty() ? Env{} : Env{{"LISTORA_ROOT", root}});
    }
};
