// How a command ends: its exit code (0 done, 1 failed, 2 bad usage) and what it tells
// the user, results on standard output and faults on standard error in plain words.
#pragma once
#include <string>

class CliExit {
public:
    static constexpr int kDone = 0;
    static constexpr int kFailed = 1;
    static constexpr int kUsage = 2;

    CliExit() = delete;

    // "listora-cli: message" on standard error; returns code.
    static int Fail(const std::string& message, int code = kFailed);
    // The text on standard output; kFailed (told on standard error) when it cannot
    // be written whole.
    static int Print(const std::string& text);
};
