// The companion's command line: its commands, their arguments and help, and the exit
// codes (0 done, 1 failed, 2 bad usage).
#pragma once

class CommandLine {
public:
    CommandLine() = delete;

    static int Run(int argc, char** argv);
};
