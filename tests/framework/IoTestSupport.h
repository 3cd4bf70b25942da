// Test doubles for the stream and registry tests: a memory stream that can be told to
// fail after a number of bytes.
#pragma once
#include "System/IO/Stream.h"
#include "TestRoot.h"
#include "TraceLines.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

namespace iotest {

// Bytes in memory. Reads and writes stop working after `limit` bytes have been moved
// in that direction: the transfer that crosses the limit moves what still fits and
// reports -1 (failing; for writes also the short count, short).
class MemoryStream : public IO::Stream {
public:
    enum class Mode { Fail, Short };

    explicit MemoryStream(std::string data = {}, bool readable = true, bool writable = true)
        : bytes(std::move(data)) {
        m_bReadable = readable;
        m_bWritable = writable;
    }

    bool Flush() override { return true; }
    void Close() override {}
    __int64 Seek(__int64, IO::SeekOrigin) override { return -1; }
    void SetLength(__int64) override {}
    int Read(BYTE* buffer, int offset, int count) override {
        const std::size_t wanted = std::min<std::size_t>(static_cast<std::size_t>(count), bytes.size() - readPos);
        const std::size_t n = std::min(wanted, readLimit - readTotal);
        std::memcpy(buffer + offset, bytes.data() + readPos, n);
        readPos += n;
        readTotal += n;
        return n < wanted ? -1 : static_cast<int>(n);
    }
    int Write(const BYTE* buffer, int offset, int count) override {
        writeSizes.push_back(count);
        const std::size_t wanted = static_cast<std::size_t>(count);
        const std::size_t n = std::min(wanted, writeLimit - written.size());
        written.append(reinterpret_cast<const char*>(buffer) + offset, n);
        return n < wanted && writeMode == Mode::Fail ? -1 : static_cast<int>(n);
    }
    int GetLength() override { return static_cast<int>(bytes.size()); }

    void FailReadsAfter(std::size_t limit) { readLimit = limit; }
    void FailWritesAfter(std::size_t limit, Mode mode = Mode::Fail) {
        writeLimit = limit;
        writeMode = mode;
    }

    void SetStreamName(const TCHAR* name) { SetName(name); }

    std::string bytes;        // what reads deliver
    std::size_t readPos = 0;
    std::string written;      // what writes delivered
    std::vector<int> writeSizes;

private:
    std::size_t readLimit = SIZE_MAX;
    std::size_t readTotal = 0;
    std::size_t writeLimit = SIZE_MAX;
    Mode writeMode = Mode::Fail;
};

using TraceRecorder = ::TraceLines;

inline std::string Bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values)
        s.push_back(static_cast<char>(v));
    return s;
}

}  // namespace iotest
