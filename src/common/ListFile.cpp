#include "ListFile.h"

#include "ListCapacity.h"
#include "SafeSave.h"
#include "System/Diagnostics/Trace.h"
#include "System/IO/BinaryReader.h"
#include "System/IO/BinaryWriter.h"
#include "System/IO/FileStream.h"

#include <new>

using Diagnostics::Trace;

namespace {

// A record's values between its texts and its categories.
struct RecordValues {
    float qty = 0.0f;
    float price = 0.0f;
    bool coupon = false;
    bool once = false;
    bool taxable = false;
    bool purchased = false;
    unsigned int categoryCount = 0;
};
constexpr std::size_t kRecordValueBytes = 4 + 4 + 4 * 1 + 4;

// One at a time, so a cut file fails at the value it fails at, with its trace line.
template <class Source>
bool ReadEachValue(Source& reader, RecordValues& values) {
    return reader.Read(values.qty) && reader.Read(values.price) && reader.Read(values.coupon) &&
           reader.Read(values.once) && reader.Read(values.taxable) && reader.Read(values.purchased) &&
           reader.Read(values.categoryCount);
}

constexpr unsigned kBufferSize = 100000;

// The smallest record: four empty strings, two floats, four flags, a category count.
constexpr DWORD kMinRecordBytes = 4 * 2 + 2 * 4 + 4 * 1 + 4;

bool EndsWith(const std::u16string& text, const TCHAR* tail, bool ignoreCase) {
    const std::size_t length = _tcslen(tail);
    if (text.size() < length)
        return false;
    const TCHAR* end = text.c_str() + text.size() - length;
    return ignoreCase ? _tcsicmp(end, tail) == 0 : _tcscmp(end, tail) == 0;
}

const TCHAR* OrEmpty(const TCHAR* text) {
    return text ? text : u"";
}

// Writes one record; false after the trace line of the field that failed.
bool WriteRecord(IO::BinaryWriter& writer, const Purchase& purchase) {
    if (!writer.Write(purchase.GetName())) {
        Trace::WriteLine(u"Cannot write purchase item name!");
        return false;
    }
    if (!writer.Write(purchase.GetUnit())) {
        Trace::WriteLine(u"Cannot write purchase item unit!");
        return false;
    }
    if (!writer.Write(OrEmpty(purchase.GetNote()))) {
        Trace::WriteLine(u"Cannot write purchase item note!");
        return false;
    }
    if (!writer.Write(OrEmpty(purchase.GetLocation()))) {
        Trace::WriteLine(u"Cannot write purchase item location!");
        return false;
    }
    if (!writer.Write(purchase.GetQty())) {
        Trace::WriteLine(u"Cannot write purchase item qty!");
        return false;
    }
    if (!writer.Write(purchase.GetPrice())) {
        Trace::WriteLine(u"Cannot write purchase item price!");
        return false;
    }
    if (!writer.Write(purchase.HasCoupon())) {
        Trace::WriteLine(u"Cannot write purchase item coupon!");
        return false;
    }
    if (!writer.Write(purchase.IsOnce())) {
        Trace::WriteLine(u"Cannot write purchase item once!");
        return false;
    }
    if (!writer.Write(purchase.IsTaxable())) {
        Trace::WriteLine(u"Cannot write purchase item taxable!");
        return false;
    }
    if (!writer.Write(purchase.IsPurchased())) {
        Trace::WriteLine(u"Cannot write purchase item is purchase!");
        return false;
    }
    const ItemTexts::Categories categories = purchase.GetCategories();
    if (!writer.Write(static_cast<unsigned int>(categories.size()))) {
        Trace::WriteLine(u"Cannot write purchase items categories count!");
        return false;
    }
    for (const TCHAR* category : categories) {
        if (!writer.Write(category)) {
            Trace::WriteFormattedLine(u"Cannot write %s!", category);
            return false;
        }
    }
    return true;
}

// A list file's bytes read through a window refilled from the stream, and taken apart
// the way BinaryReader reads a stream (the same trace lines, the same failures) without
// a call through two streams per value. The window is small and reused, so a long list
// never needs a buffer of its whole size, which would be new memory to fault in on
// every open.
class ListBytes {
public:
    explicit ListBytes(IO::Stream& stream)
        : m_stream(stream), m_window(new (std::nothrow) BYTE[kWindowSize]) {
        m_next = m_end = m_window.get();
    }

    bool Read(unsigned int& value) { return ReadValue(value, u"unknown"); }
    bool Read(float& value) { return ReadValue(value, u"float"); }
    bool Read(bool& value) {
        BYTE byte = 0;
        if (!ReadValue(byte, u"bool"))
            return false;
        value = byte != 0;
        return true;
    }
    bool Read(RecordValues& values) {
        if (!Have(kRecordValueBytes))
            return ReadEachValue(*this, values);
        std::memcpy(&values.qty, m_next, 4);
        std::memcpy(&values.price, m_next + 4, 4);
        values.coupon = m_next[8] != 0;
        values.once = m_next[9] != 0;
        values.taxable = m_next[10] != 0;
        values.purchased = m_next[11] != 0;
        std::memcpy(&values.categoryCount, m_next + 12, 4);
        m_next += kRecordValueBytes;
        return true;
    }
    // The text lies in the window: the view lasts until the next read.
    bool ReadText(std::u16string_view& text) {
        const BYTE* chars = Prefixed();
        if (!chars)
            return false;
        text = std::u16string_view(reinterpret_cast<const char16_t*>(chars), m_length);
        return true;
    }

private:
    // Room for the longest text a record holds (a 16-bit count of UTF-16 units) and more.
    static constexpr std::size_t kWindowSize = 256 << 10;

    // True when count bytes lie ready, after reading more from the stream if needed;
    // never again after a read has failed.
    bool Have(std::size_t count) {
        return !m_failed && (static_cast<std::size_t>(m_end - m_next) >= count || Refill(count));
    }
    bool Refill(std::size_t count) {
        if (!m_window || count + 1 > kWindowSize)
            return false;
        // Every text starts at an even offset in the file (all other fields but the
        // flags come in even sizes, and the four flags together too). Keeping the bytes
        // at their offset's parity keeps each text's units aligned in the window.
        BYTE* const start = m_window.get() + ((m_next - m_window.get()) & 1);
        const std::size_t kept = static_cast<std::size_t>(m_end - m_next);
        std::memmove(start, m_next, kept);
        m_next = start;
        m_end = start + kept;
        while (m_end < m_window.get() + kWindowSize) {
            const int got = m_stream.Read(m_window.get(), static_cast<int>(m_end - m_window.get()),
                                          static_cast<int>(m_window.get() + kWindowSize - m_end));
            if (got <= 0)
                break;
            m_end += got;
            if (static_cast<std::size_t>(m_end - m_next) >= count)
                return true;
        }
        return static_cast<std::size_t>(m_end - m_next) >= count;
    }
    template <typename T>
    bool ReadValue(T& value, const TCHAR* typeName) {
        if (!Have(sizeof(T))) {
            if (!m_failed)
                Trace::WriteFormattedLineT(u"error", u"cannot read %s", typeName);
            m_failed = true;
            return false;
        }
        std::memcpy(&value, m_next, sizeof(T));
        m_next += sizeof(T);
        return true;
    }
    // The characters of a length-prefixed text (m_length of them), or null.
    const BYTE* Prefixed() {
        __int16 length = 0;
        if (!ReadValue(length, u"__int16") || length < 0 || !Have(2 * static_cast<std::size_t>(length))) {
            m_failed = true;
            return nullptr;
        }
        const BYTE* chars = m_next;
        m_length = static_cast<std::size_t>(length);
        m_next += 2 * m_length;
        return chars;
    }

    IO::Stream& m_stream;
    std::unique_ptr<BYTE[]> m_window;
    BYTE* m_next;
    BYTE* m_end;
    std::size_t m_length = 0;
    bool m_failed = false;
};

// A BinaryReader read the way ReadRecords reads ListBytes.
class ReaderTexts {
public:
    explicit ReaderTexts(IO::BinaryReader& reader) : m_reader(reader) {}
    template <typename T>
    bool Read(T& value) {
        return m_reader.Read(value);
    }
    bool Read(RecordValues& values) { return ReadEachValue(*this, values); }
    bool ReadText(std::u16string_view& text) {
        if (!m_reader.ReadWString(m_text))
            return false;
        text = m_text;
        return true;
    }

private:
    IO::BinaryReader& m_reader;
    std::u16string m_text;
};

// The records of a list from ListBytes or ReaderTexts.
template <class Source>
bool ReadRecords(Source& reader, rep::vector<Purchase*>& purchases, DWORD maxBytes) {
    unsigned int count = 0;
    if (!reader.Read(count))
        return false;
    // The count comes from the file: room only for as many records as its bytes can hold.
    MakeRoom(purchases, std::min<DWORD>(count, maxBytes / kMinRecordBytes));
    // Each record's texts go straight from the file's bytes into one block, beside the
    // blocks of the records before it. A text ends at its first NUL, as the program has
    // always read it.
    ItemTexts::Packer packer;
    ItemTexts::Builder texts(packer);
    std::u16string_view text;
    for (unsigned int i = 0; i < count; ++i) {
        RecordValues values;
        if (!reader.ReadText(text))
            return false;
        texts.Start(text);
        if (!reader.ReadText(text))
            return false;
        texts.Unit(text);
        if (!reader.ReadText(text))
            return false;
        texts.Note(text);  // a line read always has a note, if an empty one
        if (!reader.ReadText(text))
            return false;
        // An empty location on file means none.
        texts.Location(text.empty() || text[0] == u'\0' ? std::nullopt : std::optional(text));
        if (!reader.Read(values))
            return false;
        for (unsigned int c = 0; c < values.categoryCount; ++c) {
            if (!reader.ReadText(text))
                return false;
            texts.AddCategory(text);
        }
        auto purchase = std::make_unique<Purchase>(u"");
        purchase->Adopt(packer.Make(texts), values.qty, values.price, values.coupon, values.taxable, values.once,
                        values.purchased);
        purchases.push_back(purchase.release());
    }
    return true;
}

}  // namespace

bool ListFile::GetKind(const TCHAR* path) {
    const std::u16string name = OrEmpty(path);
    if (EndsWith(name, u"obls", false)) {
        m_kind = KindText;
        return true;
    }
    if (EndsWith(name, u"lsr", true)) {
        m_kind = KindBinary;
        return true;
    }
    if (EndsWith(name, u"isl", true) || EndsWith(name, u"CSV", true)) {
        m_kind = KindText;
        return true;
    }
    Trace::WriteFormattedLine(u"Unsupported file type - '%s'", name.c_str());
    return false;
}

bool ListFile::IsTextListName(const TCHAR* path) {
    const std::u16string name = OrEmpty(path);
    return EndsWith(name, u"obls", false) ||
           (!EndsWith(name, u"lsr", true) && (EndsWith(name, u"isl", true) || EndsWith(name, u"CSV", true)));
}

std::u16string ListFile::BinaryNameFor(const TCHAR* path) {
    std::u16string name = OrEmpty(path);
    const std::size_t folder = name.find_last_of(u"\\/");
    const std::size_t dot = name.find_last_of(u'.');
    if (dot != std::u16string::npos && (folder == std::u16string::npos || dot > folder))
        name.erase(dot);
    return name + u".lsr";
}

bool ListFile::ReadText(const TCHAR* path) {
    m_text.reset();
    IO::FileStream file;
    if (file.Init(OrEmpty(path), IO::FileMode::Open, IO::FileAccess::Read) != IO::OpenResult::Opened) {
        Trace::WriteFormattedLineT(u"error", u"Error while opening file '%s'", OrEmpty(path));
        return false;
    }
    const int length = file.GetLength();
    int total = 0;
    std::unique_ptr<TCHAR[]> text;
    if (length > 0) {
        const std::size_t units = static_cast<std::size_t>(length) / 2 + 1;
        text.reset(new (std::nothrow) TCHAR[units]());
        BYTE* bytes = text ? reinterpret_cast<BYTE*>(text.get()) : nullptr;
        // Never more than the buffer holds, even if the file grows meanwhile.
        const int room = static_cast<int>(units * 2);
        while (bytes && total < length && total < room) {
            const int got = file.Read(bytes, total, std::min(length, room) - total);
            if (got <= 0)
                break;
            total += got;
        }
    }
    file.Close();
    if (total <= 0) {
        Trace::WriteFormattedLine(u"Error while read from file '%s'", OrEmpty(path));
        return false;
    }
    text[static_cast<std::size_t>(length) / 2] = 0;
    m_text = std::move(text);
    return true;
}

std::u16string ListFile::TemporaryPathFor(const TCHAR* path) {
    return SafeSave::TemporaryPathFor(path);
}

bool ListFile::Write(const TCHAR* path, const rep::vector<Purchase*>& purchases) {
    return SafeSave::Write(path, kBufferSize, [&purchases](IO::BinaryWriter& writer) {
               return WriteList(writer, purchases);
           }) == SafeSave::SAVED;
}

bool ListFile::WriteList(IO::BinaryWriter& writer, const rep::vector<Purchase*>& purchases) {
    if (!writer.Write(static_cast<unsigned int>(purchases.size()))) {
        Trace::WriteLine(u"Cannot write purchase items count!");
        return false;
    }
    for (const Purchase* purchase : purchases)
        if (!WriteRecord(writer, *purchase))
            return false;
    return true;
}

bool ListFile::Read(const TCHAR* path, rep::vector<Purchase*>& purchases) {
    IO::FileStream file;
    if (file.Init(OrEmpty(path), IO::FileMode::Open, IO::FileAccess::Read) != IO::OpenResult::Opened) {
        Trace::WriteFormattedLineT(u"error", u"Error while opening file '%s'", OrEmpty(path));
        return false;
    }
    const int length = file.GetLength();
    const bool ok = ReadStream(file, purchases, length > 0 ? static_cast<DWORD>(length) : 0);
    file.Close();
    return ok;
}

bool ListFile::ReadStream(IO::Stream& stream, rep::vector<Purchase*>& purchases, DWORD maxBytes) {
    ListBytes source(stream);
    return ReadRecords(source, purchases, maxBytes);
}

bool ListFile::ReadList(IO::BinaryReader& reader, rep::vector<Purchase*>& purchases, DWORD maxBytes) {
    ReaderTexts source(reader);
    return ReadRecords(source, purchases, maxBytes);
}

int ListFile::Load(const TCHAR* path, rep::vector<Purchase*>& purchases, rep::vector<Item*>& items,
                   const rep::vector<TCHAR*>& locations) {
    m_text.reset();
    if (!GetKind(path))
        return LR_UNSUPPORTED;
    if (m_kind == KindBinary)
        return Read(path, purchases) ? LR_OK : LR_CANNOT_OPEN;
    if (!ReadText(path))
        return LR_CANNOT_OPEN;
    return ParseTextList(m_text.get(), items, purchases, locations);
}

const TCHAR* ListFile::FailureText(int result) {
    switch (result) {
    case LR_CANNOT_OPEN: return u"Cannot open file!";
    case LR_NAME: return u"Error while reading name!";
    case LR_UNIT: return u"Error while reading unit!";
    case LR_QTY: return u"Error while reading qty!";
    case LR_PRICE: return u"Error while reading price!";
    case LR_COUPON: return u"Error while reading coupon!";
    case LR_PURCHASED: return u"Error while reading purchased!";
    case LR_CATEGORIES: return u"Error while reading categories!";
    default: return nullptr;
    }
}
