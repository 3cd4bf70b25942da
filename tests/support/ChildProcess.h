// A program run as a child process: this process's environment with some variables
// set, a pipe on its standard input and one on its standard output (or, quiet, its
// output and errors thrown away; or, with Errors::Capture, a pipe on its errors too).
// A child still running when the object goes is killed; every child is reaped.
#pragma once
#include <chrono>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <utility>
#include <vector>

extern char** environ;

class ChildProcess {
public:
    using Env = std::vector<std::pair<std::string, std::string>>;
    enum class Errors { Inherit, Capture };

    ChildProcess() = default;
    explicit ChildProcess(const std::string& exe, const std::vector<std::string>& args = {}, const Env& env = {},
                          bool quiet = false, Errors captureErrors = Errors::Inherit) {
        Start(exe, args, env, quiet, captureErrors);
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;
    ~ChildProcess() {
        if (Running())
            kill(pid, SIGKILL);
        Stop();
    }

    void Start(const std::string& exe, const std::vector<std::string>& args = {}, const Env& env = {},
               bool quiet = false, Errors captureErrors = Errors::Inherit) {
        std::vector<std::string> strings{exe};
        strings.insert(strings.end(), args.begin(), args.end());
        const std::size_t argc = strings.size();
        for (char** e = environ; *e; ++e) {
            const std::string entry(*e);
            bool replaced = false;
            for (const auto& [name, value] : env)
                replaced = replaced || entry.rfind(name + "=", 0) == 0;
            if (!replaced)
                strings.push_back(entry);
        }
        for (const auto& [name, value] : env)
            strings.push_back(name + "=" + value);
        std::vector<char*> argv, envp;
        for (std::size_t i = 0; i < strings.size(); ++i)
            (i < argc ? argv : envp).push_back(strings[i].data());
        argv.push_back(nullptr);
        envp.push_back(nullptr);
        int in[2], out[2], err[2] = {-1, -1};
        if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0)
            return;
        if (captureErrors == Errors::Capture && pipe2(err, O_CLOEXEC) != 0)
            return;
        const int null = quiet ? open("/dev/null", O_WRONLY | O_CLOEXEC) : -1;
        pid = fork();
        if (pid == 0) {
            dup2(in[0], STDIN_FILENO);
            dup2(quiet ? null : out[1], STDOUT_FILENO);
            if (quiet)
                dup2(null, STDERR_FILENO);
            else if (err[1] >= 0)
                dup2(err[1], STDERR_FILENO);
            execve(argv[0], argv.data(), envp.data());
            _exit(127);
        }
        if (null >= 0)
            close(null);
        close(in[0]);
        close(out[1]);
        if (err[1] >= 0)
            close(err[1]);
        input = in[1];
        output = out[0];
        errors = err[0];
    }

    // Everything the child writes on fd until it closes it.
    static std::string ReadAll(int fd) {
        std::string text;
        char buffer[65536];
        for (ssize_t n; fd >= 0 && (n = read(fd, buffer, sizeof buffer)) != 0;)
            if (n > 0)
                text.append(buffer, static_cast<std::size_t>(n));
            else if (errno != EINTR)
                break;
        return text;
    }

    std::string ReadLine() {
        std::string line;
        char c;
        while (read(output, &c, 1) == 1 && c != '\n')
            line += c;
        return line;
    }
    // False once the child has ended (and been reaped).
    bool Running() {
        if (pid <= 0 || m_exited)
            return false;
        if (waitpid(pid, &m_status, WNOHANG) != pid)
            return true;
        m_exited = true;
        return false;
    }
    bool WaitForExit(std::chrono::milliseconds timeout) {
        const auto end = std::chrono::steady_clock::now() + timeout;
        while (Running()) {
            if (std::chrono::steady_clock::now() > end)
                return false;
            std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return m_exited;
    }
    // Closes both pipes (a child reading its input then ends), waits for the child and
    // returns its wait status.
    int Stop() {
        for (int* fd : {&input, &output, &errors})
            if (*fd >= 0)
                close(*fd), *fd = -1;
        if (pid > 0 && !m_exited && waitpid(pid, &m_status, 0) == pid)
            m_exited = true;
        return m_status;
    }
    int ExitCode() const { return m_exited && WIFEXITED(m_status) ? WEXITSTATUS(m_status) : -1; }

    pid_t pid = -1;
    int input = -1, output = -1, errors = -1;

private:
    bool m_exited = false;
    int m_status = 0;
};
