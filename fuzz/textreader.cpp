// Line reading over arbitrary bytes: one-byte and UTF-16 lines, with and without a
// buffer in between, with a line maximum taken from the input. Nothing may be read or
// written outside the buffers, and every loop must end.
#include "System/IO/BufferedStream.h"
#include "System/IO/TextReader.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

// The input as a read-only stream; 0 at the end, like a file.
class MemoryStream : public IO::Stream {
public:
    MemoryStream(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) { m_bReadable = true; }
    bool Flush() override { return true; }
    __int64 Seek(__int64, IO::SeekOrigin) override { return -1; }
    void SetLength(__int64) override {}
    int Read(BYTE* buffer, int offset, int count) override {
        const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(count), m_size - m_pos);
        if (n > 0)
            std::memcpy(buffer + offset, m_data + m_pos, n);
        m_pos += n;
        return static_cast<int>(n);
    }
    int Write(const BYTE*, int, int) override { return -1; }
    int GetLength() override { return static_cast<int>(m_size); }

private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_pos = 0;
};

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
