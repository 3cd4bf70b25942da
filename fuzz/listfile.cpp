// ListFile::Read over arbitrary bytes. Whatever it reads must write back and read back
// to the same bytes again (what the program saves it can always open).
#include "ListFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <unistd.h>

namespace {

std::string FuzzFile(const char* suffix) {
    return (std::filesystem::temp_directory_path() /
            ("listora-fuzz-listfile-" + std::to_string(getpid()) + suffix))
        .string();
}

std::u16string Wide(const std::string& path) {
    return std::u16string(path.begin(), path.end());
}

std::string Bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

struct Owned : rep::vector<Purchase*> {
    ~Owned() override { rep::delete_objects<Purchase>(*this); }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string input = FuzzFile(".lsr");
    const std::string first = FuzzFile("-1.lsr");
    const std::string second = FuzzFile("-2.lsr");
    {
        std::ofstream out(input, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    ListFile file;
    Owned purchases;
    const bool complete = file.Read(Wide(input).c_str(), purchases);
    if (purchases.size() > size / 24 || (complete && size < 4))
        std::abort();  // more records than the bytes can hold

    // Whatever was read, complete or not, saves and reopens unchanged.
    if (file.Write(Wide(first).c_str(), purchases)) {
        Owned again;
        if (!file.Read(Wide(first).c_str(), again) || again.size() != purchases.size())
            std::abort();
        if (!file.Write(Wide(second).c_str(), again) || Bytes(first) != Bytes(second))
            std::abort();
    }
    std::error_code ignored;
    std::filesystem::remove(input, ignored);
    std::filesystem::remove(first, ignored);
    std::filesystem::remove(second, ignored);
    return 0;
}
