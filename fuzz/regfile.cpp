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
    // Roots without values are not written: a file of nothing else has no key to read.
    bool onlyEmptyRoots = true;
    for (const RegistrySnapshot::Key& key : snapshot.keys)
        onlyEmptyRoots = onlyEmptyRoots && key.path.size() == 1 && key.values.empty();
    RegistrySnapshot again;
    std::string second;
    if (!RegFile::Parse(text, again, error)) {
        if (!onlyEmptyRoots)
            std::abort();
        return 0;
    }
    if (!RegFile::Write(again, second, error) || second != text)
        std::abort();
    return 0;
}
