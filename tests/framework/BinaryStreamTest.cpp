#include "IoTestSupport.h"
#include "System/IO/BinaryReader.h"
#include "System/IO/BinaryWriter.h"
#include "System/IO/BufferedStream.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>

using iotest::Bytes;
using iotest::MemoryStream;
using iotest::TraceRecorder;

namespace {

using WText = std::unique_ptr<TCHAR[]>;

// Takes over a text read; "<null>" when there is none.
std::u16string Wide(TCHAR* text) {
    const WText owned(text);
    return text ? text : u"<null>";
}

}  // namespace

TEST(BinaryReaderTest, ReadsBackWhatTheWriterWrote) {
    MemoryStream out({}, false, true);
    {
        IO::BufferedStream buffered(&out, 16);
        IO::BinaryWriter writer(buffered);
        writer.Write(u"Milk");
        writer.Write(u"");
        writer.Write(1.5f);
        writer.Write(0xDEADBEEFu);
        writer.Write(true);
        ASSERT_FALSE(writer.HasFailed());
    }
    MemoryStream in(out.written);
    IO::BufferedStream buffered(&in, 16);
    IO::BinaryReader reader(buffered);
    EXPECT_EQ(Wide(reader.ReadWString()), u"Milk");
    EXPECT_EQ(Wide(reader.ReadWString()), u"");  // empty, not absent
    float f = 0;
    unsigned u = 0;
    bool b = false;
    EXPECT_TRUE(reader.Read(f) && reader.Read(u) && reader.Read(b));
    EXPECT_EQ(std::tuple(f, u, b), std::tuple(1.5f, 0xDEADBEEFu, true));
    EXPECT_FALSE(reader.HasFailed());
}

// One template reads every type: a float (also through a buffer) stands for all.
TEST(BinaryReaderTest, AFailedTypedReadTracesSetsTheFlagAndLeavesTheValue) {
    for (bool buffered : {false, true}) {
        MemoryStream stream("\1");
        IO::BufferedStream buffer(&stream, 8);
        TraceRecorder trace;
        IO::BinaryReader reader(buffered ? static_cast<IO::Stream&>(buffer) : stream);
        float f = 3;
        EXPECT_FALSE(reader.Read(f));
        EXPECT_EQ(f, 3.0f);
        EXPECT_TRUE(reader.HasFailed());
        ASSERT_EQ(trace.lines.size(), 1u);
        EXPECT_TRUE(trace.HasLineEndingWith(u"cannot read float"));
    }
    // Any byte but 0 reads as true.
    MemoryStream stream(Bytes({0, 5}));
    IO::BinaryReader reader(stream);
    bool a = true, b = false;
    EXPECT_TRUE(reader.Read(a) && reader.Read(b));
    EXPECT_EQ(std::tuple(a, b), std::tuple(false, true));
}

TEST(BinaryReaderTest, DamagedStringLengthsNeverOverRead) {
    // A count far beyond the data: null, and the flag stays set.
    {
        MemoryStream stream(Bytes({0xFF, 0x7F, 'a', 0, 'b', 0}));
        IO::BufferedStream buffered(&stream, 4);
        IO::BinaryReader reader(buffered);
        EXPECT_EQ(WText(reader.ReadWString()), nullptr);
        EXPECT_TRUE(reader.HasFailed());
    }
    // A negative count: null, and nothing after it is trusted.
    {
        MemoryStream stream(Bytes({0x00, 0x80, 1, 0, 'a', 0}));
        IO::BinaryReader reader(stream);
        EXPECT_EQ(WText(reader.ReadWString()), nullptr);
        EXPECT_TRUE(reader.HasFailed());
        EXPECT_EQ(WText(reader.ReadWString()), nullptr);
    }
    // One byte of the length only.
    {
        MemoryStream stream(Bytes({3}));
        IO::BinaryReader reader(stream);
        EXPECT_EQ(WText(reader.ReadWString()), nullptr);
    }
}

// The bytes of counted strings and of typed values are the list file's (ListFileTest's
// exact bytes); those of WriteChars the export's exact lines (ImportExportEngineTest).
// One template writes every type; a float stands for all.
TEST(BinaryWriterTest, AFailedTypedWriteSetsTheFlagAndTraces) {
    MemoryStream stream({}, false, true);
    stream.FailWritesAfter(0);
    TraceRecorder trace;
    IO::BinaryWriter writer(stream);
    EXPECT_FALSE(writer.Write(1.0f));
    EXPECT_TRUE(writer.HasFailed());
    ASSERT_EQ(trace.lines.size(), 1u);
    EXPECT_TRUE(trace.Has(u"Cannot Write float, "));
}

TEST(BinaryWriterTest, StringFailuresNameTheStringAndTheStream) {
    // The length fails; or it goes out and the characters do not (a stream without a name shows '').
    const std::tuple<const TCHAR*, std::size_t, MemoryStream::Mode, const TCHAR*> cases[] = {
        {u"\\a.lsr", 1, MemoryStream::Mode::Fail, u"Cannot write string len of 'abc' to '\\a.lsr' stream"},
        {nullptr, 4, MemoryStream::Mode::Short, u"Cannot write string 'abc' to '' stream"}};
    for (const auto& [name, failAfter, mode, line] : cases) {
        MemoryStream stream({}, false, true);
        if (name)
            stream.SetStreamName(name);
        stream.FailWritesAfter(failAfter, mode);
        TraceRecorder trace;
        IO::BinaryWriter writer(stream);
        EXPECT_FALSE(writer.Write(u"abc"));
        EXPECT_TRUE(writer.HasFailed());
        EXPECT_TRUE(trace.HasLineEndingWith(line));
    }
}

TEST(BinaryWriterTest, StringsLongerThanTheLengthPrefixAreRefused) {
    MemoryStream stream({}, false, true);
    TraceRecorder trace;
    IO::BinaryWriter writer(stream);
    const std::u16string longest(32767, u'x');
    EXPECT_TRUE(writer.Write(longest.c_str()));
    EXPECT_EQ(stream.written.size(), 2u + 2u * 32767u);
    EXPECT_EQ(stream.written.substr(0, 2), Bytes({0xFF, 0x7F}));
    EXPECT_FALSE(writer.HasFailed());

    stream.written.clear();
    const std::u16string tooLong(32768, u'x');
    EXPECT_FALSE(writer.Write(tooLong.c_str()));
    EXPECT_TRUE(stream.written.empty());  // nothing, rather than a wrapped length
    EXPECT_TRUE(writer.HasFailed());
    EXPECT_TRUE(trace.Has(u"Cannot write string len of 'xxx"));
}
