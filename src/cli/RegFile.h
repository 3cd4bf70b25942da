// Registry export text ("REGEDIT4"), UTF-8: a key per section "[HKEY_...\path]", then
// its values, one per line:
//   "name"="text"            REG_SZ (\\ and \" inside quotes; @ names the default value)
//   "name"=dword:0000000f    REG_DWORD
//   "name"=hex:01,02         REG_BINARY
//   "name"=hex(7):41,00,...  any other type by its number (7 multi-strings, 1 a text
//                            that cannot be written plainly); long lines go on after ",\"
// A value is written in the first form that gives back exactly its bytes, so a store
// written out and read back is the same store, byte for byte.
#pragma once
#include "RegistrySnapshot.h"

#include <string>
#include <string_view>

class RegFile {
public:
    RegFile() = delete;

    // False (error in plain words) when a key or value name cannot stand on a line of
    // text (a line break or another control character in it).
    static bool Write(const RegistrySnapshot& snapshot, std::string& text, std::string& error);
    // The whole text or nothing: false with "line N: ..." at the first fault.
    static bool Parse(std::string_view text, RegistrySnapshot& snapshot, std::string& error);
};
