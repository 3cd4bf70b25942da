// Shared by the platform tests: failing calls with their last error, environment
// variables put back after a test, and the helper programs run as child processes.
#pragma once
#include "WinError.h"

#include <cstdlib>
#include <fcntl.h>
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

// A program of platform/helpers running with pipes on its standard input and output,
// in the given device root when there is one.
class Helper {
public:
    Helper() = default;
    explicit Helper(const char* name, const std::vector<std::string>& args = {}, const std::string& root = {}) {
        Start(name, args, root);
    }
    Helper(const Helper&) = delete;
    Helper& operator=(const Helper&) = delete;
    void Start(const char* name, const std::vector<std::string>& args = {}, const std::string& root = {}) {
        const std::string exe =
            (std::filesystem::canonical("/proc/self/exe").parent_path() / "platform" / "helpers" / name).string();
        std::vector<char*> argv{const_cast<char*>(exe.c_str())};
        for (const auto& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        int in[2], out[2];
        if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0)
            return;
        pid = fork();
        if (pid == 0) {
            dup2(in[0], STDIN_FILENO);
            dup2(out[1], STDOUT_FILENO);
            if (!root.empty())
                setenv("LISTORA_ROOT", root.c_str(), 1);
            execv(argv[0], argv.data());
            _exit(127);
        }
        close(in[0]);
        close(out[1]);
        input = in[1];
        output = out[0];
    }
    ~Helper() { Stop(); }

    std::string ReadLine() {
        std::string line;
        char c;
        while (read(output, &c, 1) == 1 && c != '\n')
            line += c;
        return line;
    }
    // Closes both pipes (a lock_holder then lets go and ends) and returns the wait status.
    int Stop() {
        for (int* fd : {&input, &output})
            if (*fd >= 0)
                close(*fd), *fd = -1;
        int status = 0;
        if (pid > 0)
            waitpid(pid, &status, 0);
        pid = -1;
        return status;
    }

    pid_t pid = -1;
    int input = -1, output = -1;
};
