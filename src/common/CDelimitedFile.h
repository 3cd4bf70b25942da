// CDelimitedFile: a delimited text file (comma- or tab-separated, texts in double
// quotes) read whole into rows of fields, and the rule for writing one line of cells.
// Import and export exchange lists with other programs through such files; which
// column holds which field is the template's business (CImportExportTemplate).
//
// Character types (a template's "charType"):
//   0 OS dependent, 2 Unicode: UTF-16LE code units, no byte-order mark;
//   1 ANSI: one byte per character in the system code page;
//   3 "Unicode big indian": the two bytes FF FE first (skipped unread when reading,
//     whatever they are), then as 2. No type swaps bytes.
//
// Lines end with LF, CR LF or a lone CR. The text after the last line end always
// becomes a row (an empty one when the file ends with a line end). A line is cut at a
// NUL character. Fields are split by SplitLine below.
#pragma once
#include "windows.h"

#include "System/Object.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace IO {
class BinaryWriter;
class Stream;
}  // namespace IO

class CDelimitedFile : public Object {
public:
    enum CharType { CHAR_OS = 0, CHAR_ANSI = 1, CHAR_UNICODE = 2, CHAR_UNICODE_MARKED = 3 };

    // One field of a split line: a view into the line, and whether it stood in quotes
    // (a quoted "" is an empty text, an unquoted empty field is a missing one).
    struct Field {
        std::u16string_view text;
        bool quoted;
    };

    // No rows.
    CDelimitedFile();
    CDelimitedFile(const CDelimitedFile&) = delete;
    CDelimitedFile& operator=(const CDelimitedFile&) = delete;
    ~CDelimitedFile() override;

    // Reads the whole file at path (only the first character of delimiter is used).
    // When the file cannot be opened: the trace line and message box "Cannot open file
    // %s" with the path, false, no rows. Read errors inside the file end the reading
    // as the end of the file would.
    bool Load(const CString& path, const CString& delimiter, int charType);
    // The reading half of Load, over any stream: replaces the rows by the stream's.
    void Read(IO::Stream& stream, TCHAR delimiter, int charType);

    // The field at the 0-based column of the 0-based row; the empty text beyond the
    // rows or beyond the row's fields.
    void GetCell(CString& result, int column, int row) const;
    // The same without a copy; valid while the file lives.
    std::u16string_view Cell(int column, int row) const;
    // True when that field stood in quotes.
    bool IsQuoted(int column, int row) const;
    int GetFieldCount(int row) const;

    // Splits one line at the delimiter d, appending to fields (views into line):
    // - a field runs up to the next d;
    // - a double quote opens a quoted field that runs to the next quote, whatever is
    //   between (d included); the characters between the closing quote and the next d
    //   are dropped, and a closing quote that nothing but such characters follows ends
    //   the line;
    // - a quote is never escaped: a doubled quote closes the field and opens another,
    //   and an unterminated quote takes the rest of the line;
    // - text before an opening quote in the same field is dropped;
    // - an empty line gives one empty field; a line ending in d a last empty one.
    static void SplitLine(std::u16string_view line, TCHAR delimiter, std::vector<Field>& fields);

    // Writes one line: the cells in order, the delimiter before every cell but the
    // first, then CR LF. For type 1 the delimiter is written as its low byte, texts in
    // the system code page and the line end as 0D 0A; otherwise everything in 16-bit
    // code units. False when the writer failed (its failure flag is set then too).
    static bool WriteLine(IO::BinaryWriter& writer, const std::u16string_view* cells, int count,
                          TCHAR delimiter, int charType);

    // Rows read, one per line.
    int rowCount = 0;
    // The path last loaded.
    CString fileName;
    // Only its first character is used.
    CString delimiter;

private:
    // The whole file is held as one UTF-16 text; a field is a span of it (a quoted
    // field's span leaves the quotes out), so loading copies no field on its own.
    struct Span {
        std::uint32_t start;
        std::uint32_t length : 31;
        std::uint32_t quoted : 1;
    };
    const Span* FindSpan(int column, int row) const;
    void Split(TCHAR delimiter);

    std::u16string m_text;
    std::vector<Span> m_fields;
    // Index of each row's first field in m_fields; one more entry than rows.
    std::vector<std::uint32_t> m_rowStarts;
};
