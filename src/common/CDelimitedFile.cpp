#include "CDelimitedFile.h"

#include "CatalogueStrings.h"
#include "MessageBoxApi.h"
#include "System/Diagnostics/Trace.h"
#include "System/IO/BinaryWriter.h"
#include "System/IO/FileStream.h"

#include <algorithm>
#include <array>
#include <memory>
#include <new>

using Diagnostics::Trace;

namespace {

constexpr char16_t kQuote = u'"';
// Bytes asked of the stream at a time.
constexpr int kChunkBytes = 1 << 16;
// A field's offset and length are 31-bit: text beyond that is not read.
constexpr std::size_t kMaxUnits = 0x7FFFFFFF;

// Every byte of the system code page as UTF-16, made once with the platform's
// conversion, so a whole file converts by lookup.
const std::array<char16_t, 256>& AnsiTable() {
    static const std::array<char16_t, 256> table = [] {
        std::array<char, 256> bytes{};
        for (int i = 0; i < 256; ++i)
            bytes[static_cast<std::size_t>(i)] = static_cast<char>(i);
        std::array<char16_t, 256> wide{};
        if (MultiByteToWideChar(CP_ACP, 0, bytes.data(), 256, wide.data(), 256) != 256)
            for (int i = 0; i < 256; ++i)
                wide[static_cast<std::size_t>(i)] = static_cast<char16_t>(i < 0x80 ? i : u'?');
        return wide;
    }();
    return table;
}

// Appends text in the system code page.
void AppendAnsi(std::string& bytes, std::u16string_view text) {
    if (text.empty())
        return;
    const int length = static_cast<int>(std::min<std::size_t>(text.size(), 0x7FFFFFFF));
    const std::size_t old = bytes.size();
    // The code page has one byte per character at most; ask for the size otherwise.
    bytes.resize(old + static_cast<std::size_t>(length));
    int written = WideCharToMultiByte(CP_ACP, 0, text.data(), length, bytes.data() + old, length, nullptr, nullptr);
    if (written == 0) {
        const int needed = WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
        bytes.resize(old + static_cast<std::size_t>(std::max(needed, 0)));
        written = needed > 0 ? WideCharToMultiByte(CP_ACP, 0, text.data(), length, bytes.data() + old, needed,
                                                   nullptr, nullptr)
                             : 0;
    }
    bytes.resize(old + static_cast<std::size_t>(std::max(written, 0)));
}

}  // namespace

CDelimitedFile::CDelimitedFile() : m_rowStarts(1, 0) {}

CDelimitedFile::~CDelimitedFile() = default;

bool CDelimitedFile::Load(const CString& path, const CString& delimiterText, int charType) {
    fileName = path;
    delimiter = delimiterText;
    IO::FileStream file;
    if (file.Init(path, IO::FileMode::Open, IO::FileAccess::Read) != IO::OpenResult::Opened) {
        CString message;
        message.Format(CatalogueText(IDS_CANNOT_OPEN_DELIMITED_FILE), path.GetString());
        Trace::WriteLine(message);
        MessageBoxW(nullptr, message, kMessageCaption, MB_OK | MB_ICONERROR);
        return false;
    }
    Read(file, delimiter.IsEmpty() ? TCHAR(0) : delimiter[0], charType);
    file.Close();
    return true;
}

void CDelimitedFile::Read(IO::Stream& stream, TCHAR fieldDelimiter, int charType) {
    m_text.clear();
    m_fields.clear();
    m_rowStarts.assign(1, 0);
    rowCount = 0;

    // Memory running out ends the reading as the end of the file would.
    try {
        const bool ansi = charType == CHAR_ANSI;
        const int length = stream.GetLength();
        if (length > 0)
            m_text.reserve(std::min<std::size_t>(ansi ? length : length / 2, kMaxUnits));
        const std::unique_ptr<BYTE[]> chunk(new BYTE[kChunkBytes]);
        std::size_t skip = charType == CHAR_UNICODE_MARKED ? 2 : 0;
        int oddByte = -1;  // the first half of a code unit split between two chunks
        for (;;) {
            const int got = stream.Read(chunk.get(), 0, kChunkBytes);
            if (got <= 0)
                break;
            const BYTE* bytes = chunk.get();
            std::size_t count = static_cast<std::size_t>(got);
            const std::size_t skipped = std::min(skip, count);
            bytes += skipped;
            count -= skipped;
            skip -= skipped;
            const std::size_t old = m_text.size();
            if (ansi) {
                const std::array<char16_t, 256>& table = AnsiTable();
                m_text.resize(old + count);
                char16_t* out = m_text.data() + old;
                for (std::size_t i = 0; i < count; ++i)
                    out[i] = table[bytes[i]];
            } else {
                std::size_t i = 0;
                if (oddByte >= 0 && count > 0) {
                    m_text.push_back(static_cast<char16_t>(oddByte | (bytes[0] << 8)));
                    oddByte = -1;
                    i = 1;
                }
                const std::size_t units = (count - i) / 2;
                const std::size_t start = m_text.size();
                m_text.resize(start + units);
                char16_t* out = m_text.data() + start;
                for (std::size_t u = 0; u < units; ++u, i += 2)
                    out[u] = static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8));
                if (i < count)
                    oddByte = bytes[i];  // a byte without its partner at the end is dropped
            }
            if (m_text.size() >= kMaxUnits) {
                m_text.resize(kMaxUnits);
                break;
            }
        }
    } catch (const std::bad_alloc&) {
    }
    try {
        Split(fieldDelimiter);
    } catch (const std::bad_alloc&) {
        // Rows split so far stay; the half-split row goes.
        m_fields.resize(m_rowStarts.back());
        rowCount = static_cast<int>(m_rowStarts.size() - 1);
    }
}

namespace {

// The characters a scan stops at: a fixed set below 128, and maybe the delimiter.
class Stops {
public:
    Stops(TCHAR delimiter, bool withDelimiter) : m_delimiter(withDelimiter ? delimiter : TCHAR(0)) {
        for (const char16_t c : {u'\0', u'\n', u'\r', kQuote})
            m_ascii[c] = true;
        if (withDelimiter && delimiter < 128)
            m_ascii[delimiter] = true;
    }
    // The first stop at or after i; size when there is none.
    std::size_t Next(const char16_t* text, std::size_t i, std::size_t size) const {
        for (; i < size; ++i) {
            const char16_t c = text[i];
            if (c < 128 ? m_ascii[c] : c == m_delimiter)
                return i;
        }
        return size;
    }

private:
    bool m_ascii[128] = {};
    TCHAR m_delimiter;
};

// Where a scan stops outside quotes and inside them.
struct FieldStops {
    explicit FieldStops(TCHAR d) : delimiter(d), field(d, true), quote(d, false) {}
    TCHAR delimiter;
    Stops field;
    Stops quote;
};

// Splits the line that starts at pos, which ends at the first LF, CR or NUL (or at
// size), calling add(from, to, quoted) for each field. Returns where the line ended.
template <typename Add>
std::size_t SplitFields(const char16_t* text, std::size_t pos, std::size_t size, const FieldStops& stops, Add add) {
    const TCHAR d = stops.delimiter;
    const Stops& fieldStops = stops.field;
    const Stops& quoteStops = stops.quote;
    auto lineEnds = [&](std::size_t i) { return i == size || text[i] == u'\n' || text[i] == u'\r' || text[i] == 0; };
    std::size_t start = pos;
    std::size_t i = pos;
    for (;;) {
        i = fieldStops.Next(text, i, size);
        if (lineEnds(i)) {
            add(start, i, false);
            return i;
        }
        if (text[i] == d) {
            add(start, i, false);
            start = ++i;
            continue;
        }
        // An opening quote: the field runs to the next quote or, unterminated, to the
        // end of the line.
        start = ++i;
        const std::size_t close = quoteStops.Next(text, i, size);
        add(start, close, true);
        if (lineEnds(close))
            return close;
        // What follows the closing quote up to the next delimiter or quote is dropped;
        // that character is passed like a delimiter, and a line end ends the line.
        i = fieldStops.Next(text, close + 1, size);
        if (lineEnds(i))
            return i;
        start = ++i;
    }
}

}  // namespace

// The rows in one pass over the text, without a copy of any line.
void CDelimitedFile::Split(TCHAR d) {
    const char16_t* text = m_text.data();
    const std::size_t size = m_text.size();
    m_fields.reserve(size / 16 + 16);
    const FieldStops stops(d);
    auto add = [&](std::size_t from, std::size_t to, bool quoted) {
        m_fields.push_back({static_cast<std::uint32_t>(from), static_cast<std::uint32_t>(to - from), quoted ? 1u : 0u});
    };
    for (std::size_t pos = 0;;) {
        std::size_t end = SplitFields(text, pos, size, stops, add);
        m_rowStarts.push_back(static_cast<std::uint32_t>(m_fields.size()));
        ++rowCount;
        // A NUL cut the line short: its end is the next line end.
        while (end < size && text[end] != u'\n' && text[end] != u'\r')
            ++end;
        if (end == size)
            break;
        // CR LF is one line end. A CR that ends the data ends it without a row after it.
        if (text[end] == u'\r') {
            if (end + 1 == size)
                break;
            if (text[end + 1] == u'\n')
                ++end;
        }
        pos = end + 1;
    }
}

void CDelimitedFile::SplitLine(std::u16string_view line, TCHAR d, std::vector<Field>& fields) {
    SplitFields(line.data(), 0, line.size(), FieldStops(d), [&](std::size_t from, std::size_t to, bool quoted) {
        fields.push_back({line.substr(from, to - from), quoted});
    });
}

const CDelimitedFile::Span* CDelimitedFile::FindSpan(int column, int row) const {
    if (row < 0 || column < 0 || static_cast<std::size_t>(row) + 1 >= m_rowStarts.size())
        return nullptr;
    const std::size_t index = m_rowStarts[static_cast<std::size_t>(row)] + static_cast<std::size_t>(column);
    if (index >= m_rowStarts[static_cast<std::size_t>(row) + 1])
        return nullptr;
    return &m_fields[index];
}

std::u16string_view CDelimitedFile::Cell(int column, int row) const {
    const Span* span = FindSpan(column, row);
    return span ? std::u16string_view(m_text).substr(span->start, span->length) : std::u16string_view();
}

void CDelimitedFile::GetCell(CString& result, int column, int row) const {
    result = CString(Cell(column, row));
}

bool CDelimitedFile::IsQuoted(int column, int row) const {
    const Span* span = FindSpan(column, row);
    return span && span->quoted;
}

int CDelimitedFile::GetFieldCount(int row) const {
    if (row < 0 || static_cast<std::size_t>(row) + 1 >= m_rowStarts.size())
        return 0;
    return static_cast<int>(m_rowStarts[static_cast<std::size_t>(row) + 1] - m_rowStarts[static_cast<std::size_t>(row)]);
}

bool CDelimitedFile::WriteLine(IO::BinaryWriter& writer, const std::u16string_view* cells, int count,
                               TCHAR d, int charType) {
    if (charType != CHAR_ANSI) {
        std::u16string line;
        for (int i = 0; i < count; ++i) {
            if (i > 0)
                line += d;
            line += cells[i];
        }
        line += u"\r\n";
        // One call per line; the writer takes at most 2 GB at once.
        const int units = static_cast<int>(std::min<std::size_t>(line.size(), 0x3FFFFFFF));
        return writer.WriteChars(line.data(), units) == units && units == static_cast<int>(line.size());
    }
    std::string bytes;
    if (d < 0x80) {
        // An ASCII delimiter is its own byte in the code page: the line converts whole.
        std::u16string line;
        for (int i = 0; i < count; ++i) {
            if (i > 0)
                line += d;
            line += cells[i];
        }
        AppendAnsi(bytes, line);
    } else {
        for (int i = 0; i < count; ++i) {
            if (i > 0)
                bytes += static_cast<char>(d & 0xFF);
            AppendAnsi(bytes, cells[i]);
        }
    }
    bytes += "\r\n";
    const int length = static_cast<int>(std::min<std::size_t>(bytes.size(), 0x7FFFFFFF));
    return writer.Write(reinterpret_cast<const BYTE*>(bytes.data()), 0, length) == length &&
           length == static_cast<int>(bytes.size());
}
