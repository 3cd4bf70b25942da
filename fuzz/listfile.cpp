// The list-file record stream over arbitrary bytes, in memory (the file layer under it
// has tests of its own). The reader a load uses must read exactly what the reader over
// a BinaryReader reads, and whatever it reads must write back and read back to the
// same bytes again (what the program saves it can always open).
#include "ListFile.h"
#include "MemoryStream.h"
#include "MemoryWriteStream.h"

#include "System/IO/BinaryReader.h"
#include "System/IO/BinaryWriter.h"
#include "System/IO/BufferedStream.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

struct Owned : rep::vector<Purchase*> {
    ~Owned() override { rep::delete_objects<Purchase>(*this); }
};

// Reads as a load does, with room bounded by the byte count. The stream hands out at
// most an odd few bytes a read when the input asks for it, so the reader's window
// is refilled at every kind of place.
bool ReadBytes(const std::uint8_t* data, std::size_t size, rep::vector<Purchase*>& purchases) {
    MemoryStream input(data, size, size > 0 && data[size - 1] % 2 ? 7 : 0);
    return ListFile::ReadStream(input, purchases, static_cast<DWORD>(size));
}

// Reads through a BinaryReader, as callers with a stream of their own do.
bool ReadThroughReader(const std::uint8_t* data, std::size_t size, rep::vector<Purchase*>& purchases) {
    MemoryStream input(data, size);
    IO::BufferedStream buffer(&input, 4096);
    IO::BinaryReader reader(buffer);
    return ListFile::ReadList(reader, purchases, static_cast<DWORD>(size));
}

// Writes as a save does; false when the list cannot be written.
bool WriteBytes(const rep::vector<Purchase*>& purchases, std::vector<std::uint8_t>& out) {
    MemoryWriteStream output;
    bool ok;
    {
        IO::BufferedStream buffer(&output, 4096);
        IO::BinaryWriter writer(buffer);
        ok = ListFile::WriteList(writer, purchases) && !writer.HasFailed();
        ok = buffer.Flush() && ok;
    }
    out.swap(output.bytes);
    return ok;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Owned purchases;
    const bool complete = ReadBytes(data, size, purchases);
    if (purchases.size() > size / 24 || (complete && size < 4))
        std::abort();  // more records than the bytes can hold

    Owned same;
    if (ReadThroughReader(data, size, same) != complete || same.size() != purchases.size())
        std::abort();

    // Whatever was read, complete or not, saves and reopens unchanged.
    std::vector<std::uint8_t> first;
    if (WriteBytes(purchases, first)) {
        std::vector<std::uint8_t> sameBytes;
        if (!WriteBytes(same, sameBytes) || sameBytes != first)
            std::abort();
        Owned again;
        if (!ReadBytes(first.data(), first.size(), again) || again.size() != purchases.size())
            std::abort();
        std::vector<std::uint8_t> second;
        if (!WriteBytes(again, second) || first != second)
            std::abort();
    }
    return 0;
}
