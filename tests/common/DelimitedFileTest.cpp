#include "CDelimitedFile.h"

#include "CatalogueTestSupport.h"
#include "TestRoot.h"

#include <gtest/gtest.h>

namespace {

// The fields of a line as "text" or "[quoted text]".
std::vector<std::u16string> Split(std::u16string_view line, TCHAR delimiter = u',') {
    std::vector<CDelimitedFile::Field> fields;
    CDelimitedFile::SplitLine(line, delimiter, fields);
    std::vector<std::u16string> result;
    for (const CDelimitedFile::Field& field : fields)
        result.push_back(field.quoted ? u"[" + std::u16string(field.text) + u"]" : std::u16string(field.text));
    return result;
}

class DelimitedFileTest : public ::testing::Test {
protected:
    // Loads bytes written to a file; the rows as lines of fields joined by "|".
    std::vector<std::u16string> Rows(const std::string& bytes, int charType, const CString& delimiter = u",") {
        WriteHostFile(root.file("data.csv"), bytes);
        CDelimitedFile file;
        EXPECT_TRUE(file.Load(CString(HostPath(root.file("data.csv"))), delimiter, charType));
        std::vector<std::u16string> rows;
        for (int row = 0; row < file.rowCount; ++row) {
            std::u16string line;
            for (int column = 0; column < file.GetFieldCount(row); ++column) {
                CString cell;
                file.GetCell(cell, column, row);
                line += (column ? u"|" : u"") + cell.str();
            }
            rows.push_back(line);
        }
        return rows;
    }

    TestRoot root;
    MessageBoxes boxes;
};

using Fields = std::vector<std::u16string>;

}  // namespace

TEST(DelimitedLineTest, SplitsByDelimitersAndQuotes) {
    EXPECT_EQ(Split(u"a,,b,"), (Fields{u"a", u"", u"b", u""}));
    EXPECT_EQ(Split(u""), (Fields{u""}));
    EXPECT_EQ(Split(u"\"a\",\"b,c\",d"), (Fields{u"[a]", u"[b,c]", u"d"}));
    // Text between a closing quote and the next delimiter is dropped.
    EXPECT_EQ(Split(u"\"ab\"x,c"), (Fields{u"[ab]", u"c"}));
    // A doubled quote is no escape; an unterminated quote takes the rest of the line.
    EXPECT_EQ(Split(u"\"a\"\"b\""), (Fields{u"[a]", u"[]"}));
    EXPECT_EQ(Split(u"a,\"b,c"), (Fields{u"a", u"[b,c]"}));
    EXPECT_EQ(Split(u"a\tb,c\t\"d\te\"", u'\t'), (Fields{u"a", u"b,c", u"[d\te]"}));
}

TEST_F(DelimitedFileTest, EveryLineIsARowAndTheLastLineEndGivesAnEmptyOne) {
    EXPECT_EQ(Rows("a,b\r\nc\r\n", CDelimitedFile::CHAR_ANSI), (Fields{u"a|b", u"c", u""}));
    EXPECT_EQ(Rows("a,b\r\nc", CDelimitedFile::CHAR_ANSI), (Fields{u"a|b", u"c"}));
    EXPECT_EQ(Rows("a\nb\rc\r", CDelimitedFile::CHAR_ANSI), (Fields{u"a", u"b", u"c"}));
    EXPECT_EQ(Rows("", CDelimitedFile::CHAR_ANSI), (Fields{u""}));
    // A NUL ends the line's text; the line still ends at its line end.
    EXPECT_EQ(Rows(std::string("a,b\0,c\nd", 8), CDelimitedFile::CHAR_ANSI), (Fields{u"a|b", u"d"}));
}

TEST_F(DelimitedFileTest, CharacterTypes) {
    // ANSI through the system code page.
    EXPECT_EQ(Rows("caf\xE9,\x80 1", CDelimitedFile::CHAR_ANSI), (Fields{u"caf\u00E9|\u20AC 1"}));
    const std::string utf16 = Utf16Bytes(u"\"\u0425\u043B\u0435\u0431\",2\r\n\u05D7");
    EXPECT_EQ(Rows(utf16, CDelimitedFile::CHAR_OS), (Fields{u"\u0425\u043B\u0435\u0431|2", u"\u05D7"}));
    EXPECT_EQ(Rows(utf16, CDelimitedFile::CHAR_UNICODE), Rows(utf16, CDelimitedFile::CHAR_OS));
    // Type 3 drops the first two bytes, whatever they are; no type swaps bytes.
    EXPECT_EQ(Rows("xy" + Utf16Bytes(u"a\tb"), CDelimitedFile::CHAR_UNICODE_MARKED, u"\t"), (Fields{u"a|b"}));
    // A trailing odd byte is no character.
    EXPECT_EQ(Rows(Utf16Bytes(u"ab") + "c", CDelimitedFile::CHAR_UNICODE), (Fields{u"ab"}));
}

TEST_F(DelimitedFileTest, CellsBeyondTheRowsAreEmpty) {
    WriteHostFile(root.file("short.csv"), "a,b\r\nc");
    CDelimitedFile file;
    ASSERT_TRUE(file.Load(CString(HostPath(root.file("short.csv"))), u",", CDelimitedFile::CHAR_ANSI));
    CString cell = u"old";
    for (const auto& [column, row] : {std::pair{1, 1}, {0, 2}, {-1, 0}}) {
        file.GetCell(cell, column, row);
        EXPECT_EQ(cell, u"");
    }
    file.GetCell(cell, 1, 0);
    EXPECT_EQ(cell, u"b");
}

TEST_F(DelimitedFileTest, MissingFileIsReported) {
    CDelimitedFile file;
    const std::u16string path = HostPath(root.file("none.csv"));
    EXPECT_FALSE(file.Load(CString(path), u",", 0));
    EXPECT_EQ(file.rowCount, 0);
    EXPECT_EQ(boxes.texts(), std::vector<std::u16string>{u"Cannot open file " + path});
}

