// listora-cli show: a list file (a ".lsr" list or a text list) as a table or as CSV,
// TSV or JSON for scripts.
#pragma once
#include <string>

class ShowCommand {
public:
    std::string list;             // empty: the list the program opens next ("LastFile")
    std::string format = "table";
    bool unpurchased = false;     // leave ticked lines out

    int Run() const;
};
