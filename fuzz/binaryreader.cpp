// Typed reads and counted strings over arbitrary bytes, in an order chosen by the
// input, and a list-file-shaped read. Damaged counts must give failed reads, never a
// read past a buffer, and the failure flag must stay set once set.
#include "System/IO/BinaryReader.h"
#include "MemoryStream.h"
#include "System/IO/BufferedStream.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

// Reads a string and touches every character up to its terminator.
template <typename Char>
void Consume(Char* text) {
    const std::unique_ptr<Char[]> owned(text);
    if (owned) {
        std::size_t n = 0;
        while (owned[n] != 0)
            ++n;
        Check(n <= 32767);
    }
}

void MixedReads(IO::Stream& stream, const std::uint8_t* ops, std::size_t opCount) {
    IO::BinaryReader reader(stream);
    for (std::size_t i = 0; i < opCount; ++i) {
        const bool failedBefore = reader.HasFailed();
        switch (ops[i] % 9) {
        case 0: Consume(reader.ReadWString()); break;
        case 1: Consume(reader.ReadString()); break;
        case 2: { float v; reader.Read(v); break; }
        case 3: { int v; reader.Read(v); break; }
        case 4: { unsigned v; reader.Read(v); break; }
        case 5: { bool v; reader.Read(v); break; }
        case 6: { __int16 v; reader.Read(v); break; }
        case 7: std::unique_ptr<BYTE[]>(reader.ReadBytes(ops[i] / 9)); break;
        default: Consume(reader.ReadChars(ops[i] / 9)); break;
        }
        Check(!failedBefore || reader.HasFailed());
        if (failedBefore)
            Check(std::unique_ptr<TCHAR[]>(reader.ReadWString()) == nullptr);
    }
}

// The shape of a list file: a count, then records of four strings, two floats, four
// flags and a counted list of strings.
void ListShapedRead(IO::Stream& stream) {
    IO::BinaryReader reader(stream);
    unsigned records = 0;
    if (!reader.Read(records))
        return;
    for (unsigned r = 0; r < records; ++r) {
        for (int s = 0; s < 4; ++s) {
            TCHAR* text = reader.ReadWString();
            if (!text)
                return;
            Consume(text);
        }
        float qty, price;
        bool coupon, once, taxable, purchased;
        unsigned categories = 0;
        if (!reader.Read(qty) || !reader.Read(price) || !reader.Read(coupon) || !reader.Read(once) ||
            !reader.Read(taxable) || !reader.Read(purchased) || !reader.Read(categories))
            return;
        for (unsigned c = 0; c < categories; ++c) {
            TCHAR* text = reader.ReadWString();
            if (!text)
                return;
            Consume(text);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    const unsigned bufferSize = 1u + data[0] % 32;
    const std::size_t opCount = std::min<std::size_t>(data[1] % 32, size - 2);
    const std::uint8_t* ops = data + 2;
    const std::uint8_t* bytes = ops + opCount;
    const std::size_t byteCount = size - 2 - opCount;

    MemoryStream plain(bytes, byteCount);
    MixedReads(plain, ops, opCount);
    MemoryStream inner(bytes, byteCount);
    IO::BufferedStream buffered(&inner, bufferSize);
    MixedReads(buffered, ops, opCount);

    MemoryStream listInner(bytes, byteCount);
    IO::BufferedStream listBuffered(&listInner, bufferSize);
    ListShapedRead(listBuffered);
    return 0;
}
