// listora-cli convert: a ".lsr" list to a delimited file and back, through the stored
// import/export templates and the program's own exchange engine. A text list converts
// to a ".lsr" list without a template.
#pragma once
#include <string>

class ConvertCommand {
public:
    std::string in;
    std::string out;
    std::string templateName;  // empty: none given

    int Run() const;
};
