#include "IoTestSupport.h"
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

void PrintTo(const Line& line, std::ostream* os) {
    *os << (line.result ? "true:" : "false:");
    for (char16_t c : line.text)
        *os << static_cast<char>(c < 128 ? c : '?');
}

// Reads lines until one reports the end of the data.
std::vector<Line> ReadLines(IO::TextReader& reader, bool wide, unsigned max = 100) {
    std::vector<Line> lines;
    for (int guard = 0; guard < 100; ++guard) {
        std::u16string buffer(max + 1, u'#');
        const bool result = wide ? reader.ReadWString(buffer.data(), max) : reader.ReadString(buffer.data(), max);
        lines.push_back({std::u16string(buffer.c_str()), result});
        if (!result)
            break;
    }
    return lines;
}

std::string Wide(const std::u16string& text) {
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2);
}

}  // namespace

TEST(TextReaderTest, LineEndsOverBufferedAndPlainStreams) {
    // A plain stream reports the end with 0, a buffered one with -1: both end the data.
    for (bool buffered : {false, true}) {
        MemoryStream inner(Bytes({'a', 'b', '\r', '\n', 'c', 'd'}));
        IO::BufferedStream buffer(&inner, 4);
        IO::TextReader reader(buffered ? static_cast<IO::Stream&>(buffer) : inner);
        EXPECT_EQ(ReadLines(reader, false), (std::vector<Line>{{u"ab", true}, {u"cd", false}})) << buffered;
    }
    MemoryStream wide(Wide(u"ab\r\ncd"));
    IO::TextReader wideReader(wide);
    EXPECT_EQ(ReadLines(wideReader, true), (std::vector<Line>{{u"ab", true}, {u"cd", false}}));
}

TEST(TextReaderTest, LoneCarriageReturnKeepsTheNextCharacter) {
    MemoryStream narrow("ab\rcd\r\rx\ny\n");
    IO::TextReader reader(narrow);
    EXPECT_EQ(ReadLines(reader, false),
              (std::vector<Line>{{u"ab", true}, {u"cd", true}, {u"", true}, {u"x", true}, {u"y", true}, {u"", false}}));

    MemoryStream wide(Wide(u"ab\rcd"));
    IO::TextReader wideReader(wide);
    EXPECT_EQ(ReadLines(wideReader, true), (std::vector<Line>{{u"ab", true}, {u"cd", false}}));
}

TEST(TextReaderTest, CarriageReturnAtTheEndReportsTheEnd) {
    MemoryStream narrow("ab\r");
    IO::TextReader reader(narrow);
    EXPECT_EQ(ReadLines(reader, false), (std::vector<Line>{{u"ab", false}}));
}

TEST(TextReaderTest, NarrowLastLineWithoutEndIsDelivered) {
    // Every line of the file arrives, the last one together with the end.
    MemoryStream narrow("first\nlast");
    IO::TextReader reader(narrow);
    EXPECT_EQ(ReadLines(reader, false), (std::vector<Line>{{u"first", true}, {u"last", false}}));

    MemoryStream empty("");
    IO::TextReader emptyReader(empty);
    EXPECT_EQ(ReadLines(emptyReader, false), (std::vector<Line>{{u"", false}}));
}

TEST(TextReaderTest, MaximumSplitsLongLines) {
    MemoryStream narrow("abcdefg\nh");
    IO::TextReader reader(narrow);
    EXPECT_EQ(ReadLines(reader, false, 3),
              (std::vector<Line>{{u"abc", true}, {u"def", true}, {u"g", true}, {u"h", false}}));

    MemoryStream wide(Wide(u"abcd\n"));
    IO::TextReader wideReader(wide);
    EXPECT_EQ(ReadLines(wideReader, true, 2), (std::vector<Line>{{u"ab", true}, {u"cd", true}, {u"", true}, {u"", false}}));

    // Max 0 stores nothing and consumes nothing.
    MemoryStream some("xy");
    IO::TextReader zero(some);
    TCHAR buffer[1] = {u'#'};
    EXPECT_TRUE(zero.ReadString(buffer, 0));
    EXPECT_EQ(buffer[0], 0);
    EXPECT_EQ(some.readPos, 0u);
}

TEST(TextReaderTest, NarrowTextIsConvertedFromTheCodePage) {
    MemoryStream narrow(Bytes({'c', 0xE9, 0x80, '\n'}));
    IO::TextReader reader(narrow);
    TCHAR buffer[10];
    EXPECT_TRUE(reader.ReadString(buffer, 9));
    EXPECT_EQ(std::u16string(buffer), u"c\u00e9\u20ac");
}

TEST(TextReaderTest, OddTrailingByteOfWideTextEndsTheData) {
    MemoryStream wide(Wide(u"ab") + "c");
    IO::TextReader reader(wide);
    EXPECT_EQ(ReadLines(reader, true), (std::vector<Line>{{u"ab", false}}));

    MemoryStream failing(Wide(u"abcdef\n"));
    failing.FailReadsAfter(5);
    IO::TextReader failingReader(failing);
    EXPECT_EQ(ReadLines(failingReader, true), (std::vector<Line>{{u"ab", false}}));
}
