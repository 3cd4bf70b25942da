#include "System/Diagnostics/TextWriterTraceListener.h"
#include "System/Diagnostics/Trace.h"
#include "System/IO/Stream.h"

#include <gtest/gtest.h>

#include <string>

using namespace Diagnostics;

namespace {

// Collects written bytes; accepts at most `room` bytes in all, then fails.
class MemoryStream : public IO::Stream {
public:
    explicit MemoryStream(std::size_t room = SIZE_MAX) : m_room(room) {}
    bool Flush() override {
        ++flushes;
        return true;
    }
    void Close() override { closed = true; }
    __int64 Seek(__int64, IO::SeekOrigin) override { return -1; }
    void SetLength(__int64) override {}
    int Read(BYTE*, int, int) override { return -1; }
    int Write(const BYTE* buffer, int offset, int count) override {
        if (bytes.size() + static_cast<std::size_t>(count) > m_room)
            return -1;
        bytes.append(reinterpret_cast<const char*>(buffer) + offset, static_cast<std::size_t>(count));
        return count;
    }
    int GetLength() override { return static_cast<int>(bytes.size()); }

    std::string bytes;
    int flushes = 0;
    bool closed = false;

private:
    std::size_t m_room;
};

CTime FixedClock() { return CTime(2004, 3, 5, 9, 7, 3); }

}  // namespace

TEST(TextWriterTraceListenerTest, LinesAreUtf16WithCrLf) {
    MemoryStream stream;
    TextWriterTraceListener listener(u"TextWriterTraceListener", stream);
    listener.Write(u"a\u00e9");
    listener.WriteLine(u"b");
    EXPECT_EQ(stream.bytes, std::string("a\0\xe9\0b\0\r\0\n\0", 10));
    EXPECT_FALSE(listener.HasFailed());

    listener.Flush();
    listener.Close();
    listener.Dispose();
    EXPECT_EQ(stream.flushes, 1);
    EXPECT_FALSE(stream.closed);  // the stream belongs to its creator
}

TEST(TextWriterTraceListenerTest, LogLineThroughTrace) {
    MemoryStream stream;
    auto* listener = new TextWriterTraceListener(u"TextWriterTraceListener", stream);
    Trace::getListeners().Add(listener);
    Trace::SetClock(&FixedClock);
    Trace::WriteFormattedLineT(u"warning", u"%s", u"x");
    Trace::SetClock(nullptr);
    Trace::Cleanup();

    const std::u16string expected = u"warning - 5 mar 2004 09:07:03 : x\r\n";
    EXPECT_EQ(stream.bytes, std::string(reinterpret_cast<const char*>(expected.data()), expected.size() * 2));
}

TEST(TextWriterTraceListenerTest, FailingStreamSetsTheFlagOnly) {
    MemoryStream stream(3);
    TextWriterTraceListener listener(nullptr, stream);
    listener.WriteLine(u"ab");
    EXPECT_TRUE(listener.HasFailed());
    listener.WriteLine(u"");
    EXPECT_TRUE(listener.HasFailed());
    std::unique_ptr<TCHAR[]> text(listener.ToString());
    EXPECT_EQ(std::u16string(text.get()),
              ::Format(u"System.Diagnostics.TextWriterTraceListener - %X, ", listener.GetHashCode()));
}
