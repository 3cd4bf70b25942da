#include "IoTestSupport.h"
#include "System/IO/BinaryWriter.h"
#include "System/IO/BufferedStream.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using iotest::Bytes;
using iotest::MemoryStream;
using iotest::TraceRecorder;

TEST(BinaryWriterTest, StringsAreCountedUtf16WithoutTerminator) {
    MemoryStream stream({}, false, true);
    IO::BinaryWriter writer(stream);
    EXPECT_TRUE(writer.Write(u"abc"));
    EXPECT_EQ(stream.written, Bytes({0x03, 0, 0x61, 0, 0x62, 0, 0x63, 0}));

    stream.written.clear();
    EXPECT_TRUE(writer.Write(u""));
    EXPECT_TRUE(writer.Write(static_cast<const TCHAR*>(nullptr)));
    EXPECT_EQ(stream.written, Bytes({0, 0, 0, 0}));

    stream.written.clear();
    EXPECT_TRUE(writer.WriteString("hi", true));
    EXPECT_TRUE(writer.WriteString("yo", false));
    EXPECT_TRUE(writer.WriteString(u"z", false));
    EXPECT_EQ(stream.written, Bytes({2, 0, 'h', 'i', 'y', 'o', 'z', 0}));
    EXPECT_FALSE(writer.HasFailed());
}

TEST(BinaryWriterTest, PurchaseRecordBytes) {
    // A whole record of a list file, as the list writer lays it out.
    MemoryStream stream({}, false, true);
    IO::BufferedStream buffered(&stream, 100000);
    IO::BinaryWriter writer(buffered);
    EXPECT_TRUE(writer.Write(u"Milk"));
    EXPECT_TRUE(writer.Write(u"l"));
    EXPECT_TRUE(writer.Write(u""));
    EXPECT_TRUE(writer.Write(static_cast<const TCHAR*>(nullptr)));
    EXPECT_TRUE(writer.Write(2.0f));
    EXPECT_TRUE(writer.Write(1.5f));
    EXPECT_TRUE(writer.Write(false));
    EXPECT_TRUE(writer.Write(false));
    EXPECT_TRUE(writer.Write(true));
    EXPECT_TRUE(writer.Write(false));
    EXPECT_TRUE(writer.Write(1u));
    EXPECT_TRUE(writer.Write(u"Food"));
    EXPECT_TRUE(buffered.Flush());
    EXPECT_EQ(stream.written, Bytes({0x04, 0, 0x4D, 0, 0x69, 0, 0x6C, 0, 0x6B, 0, 0x01, 0, 0x6C, 0, 0, 0, 0, 0,
                                     0, 0, 0, 0x40, 0, 0, 0xC0, 0x3F, 0, 0, 1, 0, 1, 0, 0, 0,
                                     0x04, 0, 0x46, 0, 0x6F, 0, 0x6F, 0, 0x64, 0}));
}

TEST(BinaryWriterTest, TypedValuesAreLittleEndian) {
    MemoryStream stream({}, false, true);
    IO::BinaryWriter writer(stream);
    EXPECT_TRUE(writer.Write(0x01020304u));
    EXPECT_TRUE(writer.Write(-2));
    EXPECT_TRUE(writer.Write(static_cast<__int16>(-3)));
    EXPECT_TRUE(writer.Write(true));
    EXPECT_EQ(stream.written, Bytes({4, 3, 2, 1, 0xFE, 0xFF, 0xFF, 0xFF, 0xFD, 0xFF, 1}));
    EXPECT_EQ(writer.WriteChars(u"xyz", 2), 2);
    EXPECT_EQ(stream.written.substr(11), Bytes({'x', 0, 'y', 0}));
}

TEST(BinaryWriterTest, EveryFailedTransferSetsTheFlagAndTraces) {
    struct Case {
        const char16_t* trace;
        bool (*write)(IO::BinaryWriter&);
    };
    const Case cases[] = {
        {u"Cannot Write unknown, ", [](IO::BinaryWriter& w) { return w.Write(7u); }},
        {u"Cannot Write unknown, ", [](IO::BinaryWriter& w) { return w.Write(-7); }},
        {u"Cannot Write float, ", [](IO::BinaryWriter& w) { return w.Write(1.0f); }},
        {u"Cannot Write bool, ", [](IO::BinaryWriter& w) { return w.Write(true); }},
        {u"Cannot Write __int16, ", [](IO::BinaryWriter& w) { return w.Write(static_cast<__int16>(1)); }},
    };
    for (const Case& c : cases) {
        MemoryStream stream({}, false, true);
        stream.FailWritesAfter(0);
        TraceRecorder trace;
        IO::BinaryWriter writer(stream);
        EXPECT_FALSE(c.write(writer));
        EXPECT_TRUE(writer.HasFailed());
        ASSERT_EQ(trace.lines.size(), 1u);
        EXPECT_TRUE(trace.HasLineContaining(c.trace)) << static_cast<int>(trace.lines[0].size());
        EXPECT_TRUE(trace.HasLineContaining(u"BinaryWriter.h"));
    }
}

TEST(BinaryWriterTest, StringFailuresNameTheStringAndTheStream) {
    {
        MemoryStream stream({}, false, true);
        stream.SetStreamName(u"\\a.lsr");
        stream.FailWritesAfter(1);
        TraceRecorder trace;
        IO::BinaryWriter writer(stream);
        EXPECT_FALSE(writer.Write(u"abc"));
        EXPECT_TRUE(writer.HasFailed());
        EXPECT_TRUE(trace.HasLineEndingWith(u"Cannot write string len of 'abc' to '\\a.lsr' stream"));
        EXPECT_TRUE(trace.HasLineEndingWith(u"Cannot write string 'abc'"));
    }
    {
        // The length goes out, the characters do not; a stream without name shows ''.
        MemoryStream stream({}, false, true);
        stream.FailWritesAfter(4, MemoryStream::Mode::Short);
        TraceRecorder trace;
        IO::BinaryWriter writer(stream);
        EXPECT_FALSE(writer.WriteString("abc", true));
        EXPECT_TRUE(writer.HasFailed());
        EXPECT_TRUE(trace.HasLineEndingWith(u"Cannot write string 'abc' to '' stream"));
    }
    {
        MemoryStream stream({}, false, true);
        stream.FailWritesAfter(0);
        TraceRecorder trace;
        IO::BinaryWriter writer(stream);
        EXPECT_EQ(writer.WriteChars(u"ab", 2), -1);
        EXPECT_TRUE(writer.HasFailed());
        EXPECT_EQ(writer.Write(reinterpret_cast<const BYTE*>("ab"), 2), -1);
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
    EXPECT_TRUE(trace.HasLineContaining(u"Cannot write string len of 'xxx"));

    // Without a length prefix there is no such limit.
    IO::BinaryWriter plain(stream);
    EXPECT_TRUE(plain.WriteString(tooLong.c_str(), false));
    EXPECT_EQ(stream.written.size(), 2u * 32768u);
    const std::string narrow(40000, 'n');
    EXPECT_FALSE(plain.WriteString(narrow.c_str(), true));
}
