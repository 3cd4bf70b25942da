// Registry export text from anywhere (a backup to restore): the parser takes any bytes
// without harm, and whatever it accepts and can write again reads back the same.
#include "RegFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    RegistrySnapshot snapshot;
    std::string error;
    if (!RegFile::Parse(std::string_view(reinterpret_cast<const char*>(data), size), snapshot, error)) {
        if (error.empty() || !snapshot.keys.empty())
            std::abort();
        return 0;
    }
    std::string text;
    if (!RegFile::Write(snapshot, text, error))
        return 0;  // a name with a control character: parsed, but no line can hold it
    RegistrySnapshot again;
    std::string second;
    if (!RegFile::Parse(text, again, error) || !RegFile::Write(again, second, error) || second != text)
        std::abort();
    return 0;
}
