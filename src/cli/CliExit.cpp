#include "CliExit.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

int CliExit::Fail(const std::string& message, int code) {
    std::fprintf(stderr, "listora-cli: %s\n", message.c_str());
    return code;
}

int CliExit::Print(const std::string& text) {
    if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0)
        return Fail(std::string("cannot write the output: ") + std::strerror(errno));
    return kDone;
}
