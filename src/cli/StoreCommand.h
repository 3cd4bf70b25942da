// listora-cli store: the whole store (settings, catalogue, templates) written to and
// read from a registry export text file, and the store's soundness check.
#pragma once
#include <string>

class StoreCommand {
public:
    enum class Action { Backup, Restore, Check };

    Action action = Action::Check;
    std::string file;  // "-": standard output or input

    int Run() const;

private:
    int Backup() const;
    int Restore() const;
    int Check() const;
};
