#include "IoTestSupport.h"
#include "TestRoot.h"
#include "System/IO/BufferedStream.h"
#include "System/IO/TextReader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using iotest::Bytes;
using iotest::MemoryStream;

namespace {

struct Line {
    std::u16string text;
    bool result;
    bool operator==(const Line&) const = default;
};
using Lines = std::vector<Line>;

void PrintTo(const Line& line, std::ostream* os) {
    *os << (line.result ? "true:" : "false:");
    for (char16_t c : line.text)
        *os << static_cast<char>(c < 128 ? c : '?');
}

// Reads lines until one reports the end of the data.
Lines ReadLines(IO::TextReader& reader, bool wide, unsigned max = 100) {
    Lines lines;
    for (int guard = 0; guard < 100; ++guard) {
        std::u16string buffer(max + 1, u'#');
        const bool result = wide ? reader.ReadWString(buffer.data(), max) : reader.ReadString(buffer.data(), max);
        lines.push_back({std::u16string(buffer.c_str()), result});
        if (!result)
            break;
    }
    return lines;
}

}  // namespace

TEST(TextReaderTest, LineEdgeCases) {
    struct Case {
        std::u16string text;  // stored as UTF-16 when wide, else as Windows-1252 bytes
        bool wide;
        unsigned max;
        Lines lines;
    };
    const Case cases[] = {
        {u"ab\r\ncd", false, 100, {{u"ab", true}, {u"cd", false}}},
        {u"ab\r\ncd", true, 100, {{u"ab", true}, {u"cd", false}}},
        // A lone CR ends a line and keeps the character after it.
        {u"ab\rcd\r\rx\ny\n", false, 100,
         {{u"ab", true}, {u"cd", true}, {u"", true}, {u"x", true}, {u"y", true}, {u"", false}}},
        {u"ab\r", false, 100, {{u"ab", false}}},
        {u"", false, 100, {{u"", false}}},
        // The maximum splits long lines.
        {u"abcdefg\nh", false, 3, {{u"abc", true}, {u"def", true}, {u"g", true}, {u"h", false}}},
        {u"abcd\n", true, 2, {{u"ab", true}, {u"cd", true}, {u"", true}, {u"", false}}},
        // Narrow text is converted from the code page.
        {u"c\u00e9\x80\n", false, 9, {{u"c\u00e9\u20ac", true}, {u"", false}}},
    };
    for (const Case& c : cases) {
        std::string bytes = Utf16Bytes(c.text);
        if (!c.wide)
            bytes = std::string(c.text.begin(), c.text.end());  // every character here fits a byte
        MemoryStream stream(bytes);
        IO::TextReader reader(stream);
        EXPECT_EQ(ReadLines(reader, c.wide, c.max), c.lines) << bytes;
    }
}

TEST(TextReaderTest, EndOfBufferedAndPlainStreams) {
    // A plain stream reports the end with 0, a buffered one with -1: both end the data.
    MemoryStream inner(Bytes({'a', 'b', '\r', '\n', 'c', 'd'}));
    IO::BufferedStream buffer(&inner, 4);
    IO::TextReader reader(buffer);
    EXPECT_EQ(ReadLines(reader, false), (Lines{{u"ab", true}, {u"cd", false}}));

    // Max 0 stores nothing and consumes nothing.
    MemoryStream some("xy");
    IO::TextReader zero(some);
    TCHAR one[1] = {u'#'};
    EXPECT_TRUE(zero.ReadString(one, 0));
    EXPECT_EQ(one[0], 0);
    EXPECT_EQ(some.readPos, 0u);
}

TEST(TextReaderTest, OddTrailingByteOfWideTextEndsTheData) {
    MemoryStream wide(Utf16Bytes(u"ab") + "c");
    IO::TextReader reader(wide);
    EXPECT_EQ(ReadLines(reader, true), (Lines{{u"ab", false}}));

    MemoryStream failing(Utf16Bytes(u"abcdef\n"));
    failing.FailReadsAfter(5);
    IO::TextReader failingReader(failing);
    EXPECT_EQ(ReadLines(failingReader, true), (Lines{{u"ab", false}}));
}
