#include "ListFile.h"

#include "ListCapacity.h"
#include "SafeSave.h"
#include "System/Diagnostics/Trace.h"
#include "System/IO/BinaryReader.h"
#include "System/IO/BinaryWriter.h"
#include "System/IO/BufferedStream.h"
#include "System/IO/FileStream.h"

#include <new>

using Diagnostics::Trace;

namespace {

constexpr unsigned kBufferSize = 100000;
// A list file up to this size is read whole into memory; a longer one is read as a stream.
constexpr int kInMemoryMax = 64 << 20;

// The smallest record: four empty strings, two floats, four flags, a category count.
constexpr DWORD kMinRecordBytes = 4 * 2 + 2 * 4 + 4 * 1 + 4;
// The smallest category: an empty string.
constexpr DWORD kMinCategoryBytes = 2;

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
    const rep::vector<TCHAR*>& categories = purchase.GetCategories();
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

using Text = std::unique_ptr<TCHAR[]>;

// A list file's bytes in memory, read the way BinaryReader reads a stream (the same
// trace lines, the same failures), without a call through two streams per value.
class ListBytes {
public:
    ListBytes(const BYTE* data, std::size_t size) : m_next(data), m_end(data + size) {}

    bool Read(unsigned int& value) { return ReadValue(value, u"unknown"); }
    bool Read(float& value) { return ReadValue(value, u"float"); }
    bool Read(bool& value) {
        BYTE byte = 0;
        if (!ReadValue(byte, u"bool"))
            return false;
        value = byte != 0;
        return true;
    }
    bool ReadWString(std::u16string& text) {
        const BYTE* chars = Prefixed();
        if (!chars)
            return false;
        text.assign(reinterpret_cast<const char16_t*>(chars), m_length);
        return true;
    }
    TCHAR* ReadWString() {
        const BYTE* chars = Prefixed();
        if (!chars)
            return nullptr;
        auto* text = new TCHAR[m_length + 1];
        std::memcpy(text, chars, 2 * m_length);
        text[m_length] = 0;
        return text;
    }

private:
    template <typename T>
    bool ReadValue(T& value, const TCHAR* typeName) {
        if (m_failed || static_cast<std::size_t>(m_end - m_next) < sizeof(T)) {
            if (!m_failed)
                Trace::WriteFormattedLineT(u"error", u"cannot read %s", typeName);
            m_failed = true;
            m_next = m_end;
            return false;
        }
        std::memcpy(&value, m_next, sizeof(T));
        m_next += sizeof(T);
        return true;
    }
    // The characters of a length-prefixed text (m_length of them), or null.
    const BYTE* Prefixed() {
        __int16 length = 0;
        if (!ReadValue(length, u"__int16") || length < 0 ||
            static_cast<std::size_t>(m_end - m_next) < 2 * static_cast<std::size_t>(length)) {
            m_failed = true;
            return nullptr;
        }
        const BYTE* chars = m_next;
        m_length = static_cast<std::size_t>(length);
        m_next += 2 * m_length;
        return chars;
    }

    const BYTE* m_next;
    const BYTE* m_end;
    std::size_t m_length = 0;
    bool m_failed = false;
};

// The records of a list from a source read as BinaryReader reads a stream: a stream,
// or the file's bytes in memory (ListBytes).
template <class Source>
bool ReadRecords(Source& reader, rep::vector<Purchase*>& purchases, DWORD maxBytes) {
    unsigned int count = 0;
    if (!reader.Read(count))
        return false;
    // The count comes from the file: room only for as many records as its bytes can hold.
    MakeRoom(purchases, std::min<DWORD>(count, maxBytes / kMinRecordBytes));
    // The texts are read straight into the strings the purchase keeps: one allocation
    // per text instead of a copy of a copy.
    rep::string_list categories;
    std::u16string name, unit, note, location;
    for (unsigned int i = 0; i < count; ++i) {
        float qty = 0.0f;
        float price = 0.0f;
        bool coupon = false;
        bool once = false;
        bool taxable = false;
        bool purchased = false;
        unsigned int categoryCount = 0;
        if (!reader.ReadWString(name) || !reader.ReadWString(unit) || !reader.ReadWString(note) ||
            !reader.ReadWString(location) || !reader.Read(qty) || !reader.Read(price) || !reader.Read(coupon) ||
            !reader.Read(once) || !reader.Read(taxable) || !reader.Read(purchased) ||
            !reader.Read(categoryCount))
            return false;
        categories.clear_and_free();
        MakeRoom(categories, std::min<DWORD>(categoryCount, maxBytes / kMinCategoryBytes));
        for (unsigned int c = 0; c < categoryCount; ++c) {
            TCHAR* category = reader.ReadWString();
            if (!category)
                return false;
            categories.push_back(category);
        }
        // A text ends at its first NUL, as the program has always read it; an empty
        // location on file means none.
        for (std::u16string* text : {&name, &unit, &note, &location})
            text->resize(std::char_traits<char16_t>::length(text->c_str()));
        auto purchase = std::make_unique<Purchase>(u"");
        purchase->Adopt(std::move(name), std::move(unit), std::move(note), std::move(location), qty, price, coupon,
                        taxable, once, purchased, categories);
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
    const DWORD maxBytes = length > 0 ? static_cast<DWORD>(length) : 0;
    bool ok;
    if (length > 0 && length <= kInMemoryMax) {
        // Most lists are read whole into memory and taken apart there.
        std::unique_ptr<BYTE[]> bytes(new (std::nothrow) BYTE[static_cast<std::size_t>(length)]);
        int got = 0;
        while (bytes && got < length) {
            const int read = file.Read(bytes.get(), got, length - got);
            if (read <= 0)
                break;
            got += read;
        }
        ListBytes source(bytes.get(), bytes ? static_cast<std::size_t>(got) : 0);
        ok = ReadRecords(source, purchases, maxBytes);
    } else {
        IO::BufferedStream buffer(&file, kBufferSize);
        IO::BinaryReader reader(buffer);
        ok = ReadList(reader, purchases, maxBytes);
    }
    file.Close();
    return ok;
}

bool ListFile::ReadList(IO::BinaryReader& reader, rep::vector<Purchase*>& purchases, DWORD maxBytes) {
    return ReadRecords(reader, purchases, maxBytes);
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
