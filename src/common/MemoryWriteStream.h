// A write stream that keeps what is written in memory, so a list can be put into the
// bytes of its file without touching the disk (a save that writes elsewhere, the fuzz
// targets).
#pragma once
#include "System/IO/Stream.h"

#include <cstdint>
#include <vector>

class MemoryWriteStream : public IO::Stream {
public:
    MemoryWriteStream() { m_bWritable = true; }
    bool Flush() override { return true; }
    __int64 Seek(__int64, IO::SeekOrigin) override { return -1; }
    void SetLength(__int64) override {}
    int Read(BYTE*, int, int) override { return -1; }
    int Write(const BYTE* buffer, int offset, int count) override {
        if (count < 0 || (count > 0 && !buffer))
            return -1;
        bytes.insert(bytes.end(), buffer + offset, buffer + offset + count);
        return count;
    }
    int GetLength() override { return static_cast<int>(bytes.size()); }

    std::vector<std::uint8_t> bytes;
};
