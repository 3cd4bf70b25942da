// Test doubles for the stream and registry tests: a memory stream that can be told to
// fail after a number of bytes, and a trace listener that records the lines written.
#pragma once
#include "System/Diagnostics/Trace.h"
#include "System/Diagnostics/TraceListener.h"
#include "System/IO/Stream.h"

#include <climits>
#include <cstring>
#include <string>
#include <vector>

namespace iotest {

// Bytes in memory. Reads and writes stop working after `limit` bytes have been moved
// in that direction: the transfer that crosses the limit moves what still fits and
// reports -1 (failing) or the short count (short).
class MemoryStream : public IO::Stream {
public:
    enum class Mode { Fail, Short };

    explicit MemoryStream(std::string data = {}, bool readable = true, bool writable = true)
        : bytes(std::move(data)) {
        m_bReadable = readable;
        m_bWritable = writable;
    }

    bool Flush() override {
        ++flushes;
        return true;
    }
    __int64 Seek(__int64, IO::SeekOrigin) override { return -1; }
    void SetLength(__int64) override {}
    int Read(BYTE* buffer, int offset, int count) override {
        ++reads;
        std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(count), bytes.size() - readPos);
        bool cut = false;
        if (readLimit - readTotal < n) {
            n = readLimit - readTotal;
            cut = true;
        }
        std::memcpy(buffer + offset, bytes.data() + readPos, n);
        readPos += n;
        readTotal += n;
        if (cut && readMode == Mode::Fail)
            return -1;
        return static_cast<int>(n);
    }
    int Write(const BYTE* buffer, int offset, int count) override {
        writeSizes.push_back(count);
        std::size_t n = static_cast<std::size_t>(count);
        bool cut = false;
        if (writeLimit - written.size() < n) {
            n = writeLimit - written.size();
            cut = true;
        }
        written.append(reinterpret_cast<const char*>(buffer) + offset, n);
        if (cut && writeMode == Mode::Fail)
            return -1;
        return static_cast<int>(n);
    }
    int GetLength() override { return static_cast<int>(bytes.size()); }

    void FailReadsAfter(std::size_t limit, Mode mode = Mode::Fail) {
        readLimit = limit;
        readMode = mode;
    }
    void FailWritesAfter(std::size_t limit, Mode mode = Mode::Fail) {
        writeLimit = limit;
        writeMode = mode;
    }

    void SetStreamName(const TCHAR* name) { SetName(name); }

    std::string bytes;        // what reads deliver
    std::size_t readPos = 0;
    std::string written;      // what writes delivered
    std::vector<int> writeSizes;
    int reads = 0;
    int flushes = 0;

private:
    std::size_t readLimit = SIZE_MAX;
    std::size_t readTotal = 0;
    Mode readMode = Mode::Fail;
    std::size_t writeLimit = SIZE_MAX;
    Mode writeMode = Mode::Fail;
};

// Records every line traced while it lives.
class TraceRecorder : public Diagnostics::TraceListener {
public:
    TraceRecorder() { Diagnostics::Trace::getListeners().Add(this); }
    ~TraceRecorder() override { Diagnostics::Trace::getListeners().Remove(this); }
    TraceRecorder(const TraceRecorder&) = delete;
    TraceRecorder& operator=(const TraceRecorder&) = delete;

    using TraceListener::Write;
    using TraceListener::WriteLine;
    void Write(const TCHAR* message) override { m_partial += message; }
    void WriteLine(const TCHAR* message) override {
        lines.push_back(m_partial + message);
        m_partial.clear();
    }

    // True when some line ends with the text (log lines start with category and time).
    bool HasLineEndingWith(const std::u16string& text) const {
        for (const auto& line : lines)
            if (line.size() >= text.size() && line.compare(line.size() - text.size(), text.size(), text) == 0)
                return true;
        return false;
    }
    bool HasLineContaining(const std::u16string& text) const {
        for (const auto& line : lines)
            if (line.find(text) != std::u16string::npos)
                return true;
        return false;
    }

    std::vector<std::u16string> lines;

private:
    std::u16string m_partial;
};

inline std::string Bytes(std::initializer_list<int> values) {
    std::string s;
    for (int v : values)
        s.push_back(static_cast<char>(v));
    return s;
}

}  // namespace iotest
