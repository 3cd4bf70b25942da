// A fuzz input as a read-only stream that ends like a file (reads give 0 at the end).
#pragma once
#include "System/IO/Stream.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>

class MemoryStream : public IO::Stream {
public:
    // most: the largest read handed out (0: any).
    MemoryStream(const std::uint8_t* data, std::size_t size, std::size_t most = 0)
        : m_data(data), m_size(size), m_most(most) {
        m_bReadable = true;
    }
    bool Flush() override { return true; }
    __int64 Seek(__int64, IO::SeekOrigin) override { return -1; }
    void SetLength(__int64) override {}
    int Read(BYTE* buffer, int offset, int count) override {
        std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(count), m_size - m_pos);
        if (m_most > 0)
            n = std::min(n, m_most);
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
    std::size_t m_most;
    std::size_t m_pos = 0;
};
