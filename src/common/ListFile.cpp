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
    bool ok;
    {
        IO::BufferedStream buffer(&file, kBufferSize);
        IO::BinaryReader reader(buffer);
        ok = ReadList(reader, purchases, length > 0 ? static_cast<DWORD>(length) : 0);
    }
    file.Close();
    return ok;
}

bool ListFile::ReadList(IO::BinaryReader& reader, rep::vector<Purchase*>& purchases, DWORD maxBytes) {
    unsigned int count = 0;
    if (!reader.Read(count))
        return false;
    // The count comes from the file: room only for as many records as its bytes can hold.
    MakeRoom(purchases, std::min<DWORD>(count, maxBytes / kMinRecordBytes));
    rep::string_list categories;
    for (unsigned int i = 0; i < count; ++i) {
        const Text name(reader.ReadWString());
        const Text unit(name ? reader.ReadWString() : nullptr);
        const Text note(unit ? reader.ReadWString() : nullptr);
        const Text location(note ? reader.ReadWString() : nullptr);
        float qty = 0.0f;
        float price = 0.0f;
        bool coupon = false;
        bool once = false;
        bool taxable = false;
        bool purchased = false;
        unsigned int categoryCount = 0;
        if (!location || !reader.Read(qty) || !reader.Read(price) || !reader.Read(coupon) ||
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
        // An empty location on file means none; Set keeps that as null.
        auto purchase = std::make_unique<Purchase>(u"");
        purchase->Set(name.get(), unit.get(), note.get(), location.get(), qty, price, coupon,
                      taxable, once, purchased, categories);
        purchases.push_back(purchase.release());
    }
    return true;
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
