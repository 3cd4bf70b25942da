#include "IoTestSupport.h"
#include "System/IO/BinaryReader.h"
#include "System/IO/BinaryWriter.h"
#include "System/IO/BufferedStream.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using iotest::Bytes;
using iotest::MemoryStream;
using iotest::TraceRecorder;

namespace {

using WText = std::unique_ptr<TCHAR[]>;
using NText = std::unique_ptr<char[]>;

}  // namespace

TEST(BinaryReaderTest, ReadsBackWhatTheWriterWrote) {
    MemoryStream out({}, false, true);
    {
        IO::BufferedStream buffered(&out, 16);
        IO::BinaryWriter writer(buffered);
        writer.Write(u"Milk");
        writer.Write(u"");
        writer.WriteString("ansi", true);
        writer.Write(1.5f);
        writer.Write(-7);
        writer.Write(0xDEADBEEFu);
        writer.Write(true);
        writer.Write(static_cast<__int16>(-300));
        ASSERT_FALSE(writer.HasFailed());
    }
    MemoryStream in(out.written);
    IO::BufferedStream buffered(&in, 16);
    IO::BinaryReader reader(buffered);
    WText milk(reader.ReadWString());
    ASSERT_NE(milk, nullptr);
    EXPECT_EQ(std::u16string(milk.get()), u"Milk");
    WText empty(reader.ReadWString());
    ASSERT_NE(empty, nullptr);  // empty, not absent
    EXPECT_EQ(empty[0], 0);
    NText ansi(reader.ReadString());
    ASSERT_NE(ansi, nullptr);
    EXPECT_STREQ(ansi.get(), "ansi");
    float f = 0;
    int i = 0;
    unsigned u = 0;
    bool b = false;
    __int16 s = 0;
    EXPECT_TRUE(reader.Read(f));
    EXPECT_TRUE(reader.Read(i));
    EXPECT_TRUE(reader.Read(u));
    EXPECT_TRUE(reader.Read(b));
    EXPECT_TRUE(reader.Read(s));
    EXPECT_EQ(f, 1.5f);
    EXPECT_EQ(i, -7);
    EXPECT_EQ(u, 0xDEADBEEFu);
    EXPECT_TRUE(b);
    EXPECT_EQ(s, -300);
    EXPECT_FALSE(reader.HasFailed());
}

TEST(BinaryReaderTest, EveryFailedTypedReadTracesAndSetsTheFlag) {
    struct Case {
        const char16_t* trace;
        bool (*read)(IO::BinaryReader&);
    };
    const Case cases[] = {
        {u"cannot read unknown", [](IO::BinaryReader& r) { unsigned v; return r.Read(v); }},
        {u"cannot read unknown", [](IO::BinaryReader& r) { int v; return r.Read(v); }},
        {u"cannot read float", [](IO::BinaryReader& r) { float v; return r.Read(v); }},
        {u"cannot read __int16", [](IO::BinaryReader& r) { __int16 v; return r.Read(v); }},
    };
    for (const Case& c : cases) {
        // One byte too few for every type here, once through a buffer and once not.
        for (bool buffered : {false, true}) {
            MemoryStream stream(Bytes({1}));
            IO::BufferedStream buffer(&stream, 8);
            TraceRecorder trace;
            IO::BinaryReader reader(buffered ? static_cast<IO::Stream&>(buffer) : stream);
            EXPECT_FALSE(c.read(reader));
            EXPECT_TRUE(reader.HasFailed());
            ASSERT_EQ(trace.lines.size(), 1u);
            EXPECT_TRUE(trace.HasLineEndingWith(c.trace));
        }
    }
    MemoryStream empty;
    TraceRecorder trace;
    IO::BinaryReader reader(empty);
    bool b = true;
    EXPECT_FALSE(reader.Read(b));
    EXPECT_TRUE(b);  // untouched
    EXPECT_TRUE(trace.HasLineEndingWith(u"cannot read bool"));
}

TEST(BinaryReaderTest, AnyNonZeroByteIsTrue) {
    MemoryStream stream(Bytes({0, 5, 0xFF}));
    IO::BinaryReader reader(stream);
    bool a = true, b = false, c = false;
    EXPECT_TRUE(reader.Read(a) && reader.Read(b) && reader.Read(c));
    EXPECT_FALSE(a);
    EXPECT_TRUE(b);
    EXPECT_TRUE(c);
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
        EXPECT_EQ(NText(reader.ReadString()), nullptr);
    }
    // After any failed read, strings are no longer read even where the bytes are fine.
    {
        MemoryStream stream(Bytes({1, 0, 'x', 0}));
        stream.FailReadsAfter(0);
        IO::BinaryReader reader(stream);
        float f;
        EXPECT_FALSE(reader.Read(f));
        stream.FailReadsAfter(SIZE_MAX);
        stream.readPos = 0;
        EXPECT_EQ(WText(reader.ReadWString()), nullptr);
    }
}

TEST(BinaryReaderTest, RawByteAndCharacterReads) {
    MemoryStream stream(Bytes({1, 2, 3, 'a', 0, 'b', 0, 'c', 0, 'd', 0, 9}));
    IO::BinaryReader reader(stream);
    std::unique_ptr<BYTE[]> bytes(reader.ReadBytes(3));
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(bytes[2], 3);
    TCHAR chars[2];
    EXPECT_TRUE(reader.ReadChars(chars, 2));
    EXPECT_EQ(chars[1], u'b');
    WText rest(reader.ReadChars(2));
    ASSERT_NE(rest, nullptr);
    EXPECT_EQ(std::u16string(rest.get()), u"cd");
    EXPECT_FALSE(reader.HasFailed());
    EXPECT_EQ(std::unique_ptr<BYTE[]>(reader.ReadBytes(2)), nullptr);  // one byte left
    EXPECT_TRUE(reader.HasFailed());
    EXPECT_EQ(std::unique_ptr<BYTE[]>(reader.ReadBytes(-1)), nullptr);
    EXPECT_EQ(WText(reader.ReadChars(-1)), nullptr);
    EXPECT_FALSE(reader.ReadChars(chars, -1));
}
