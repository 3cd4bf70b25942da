// Line reading over arbitrary bytes: one-byte and UTF-16 lines, with and without a
// buffer in between, with a line maximum taken from the input. Nothing may be read or
// written outside the buffers, and every loop must end.
#include "MemoryStream.h"
#include "System/IO/BufferedStream.h"
#include "System/IO/TextReader.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

void ReadAllLines(IO::Stream& stream, bool wide, unsigned max, std::size_t size) {
    IO::TextReader reader(stream);
    // Exactly max + 1 characters, so the sanitizer sees any write past the end.
    std::vector<TCHAR> line(max + 1);
    // Each successful call consumes at least one character.
    for (std::size_t guard = 0; guard <= size + 1; ++guard) {
        const bool more = wide ? reader.ReadWString(line.data(), max) : reader.ReadString(line.data(), max);
        if (max == 0 || !more)
            break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    const unsigned max = data[0] % 40;
    const unsigned bufferSize = 1u + data[1] % 16;
    data += 2;
    size -= 2;
    for (bool wide : {false, true}) {
        MemoryStream plain(data, size);
        ReadAllLines(plain, wide, max, size);
        MemoryStream inner(data, size);
        IO::BufferedStream buffered(&inner, bufferSize);
        ReadAllLines(buffered, wide, max, size);
    }
    return 0;
}
