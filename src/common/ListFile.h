// List files: the program's own binary ".lsr" lists and the text lists (see TextList.h),
// chosen by the file name's ending. One ListFile serves one load or save.
//
// ".lsr" layout, little-endian, no header: the record count (32 bits), then per
// purchase: name, unit, note, location (each a 16-bit count of UTF-16 units and the
// units; count 0 for no note or no location), qty and price (32-bit floats), coupon,
// once, taxable, purchased (one byte each), the category count (32 bits) and the
// categories.
#pragma once
#include "Item.h"
#include "Purchase.h"
#include "TextList.h"

#include <memory>

namespace IO {
class BinaryReader;
class Stream;
class BinaryWriter;
}  // namespace IO

class ListFile {
public:
    enum Kind : DWORD { KindNone = 0, KindText = 1, KindBinary = 2 };

    ListFile() = default;
    ListFile(const ListFile&) = delete;
    ListFile& operator=(const ListFile&) = delete;
    ~ListFile() = default;

    // Sets the kind from the name's ending: "obls" (exact case) a text list; "lsr"
    // (any case) a binary list; "isl" or "CSV" (any case) a text list. Anything else
    // is refused with a trace line and leaves the kind as it was.
    bool GetKind(const TCHAR* path);
    DWORD GetKindValue() const { return m_kind; }

    // Whether the name marks a text list (GetKind's rules, without its trace line).
    static bool IsTextListName(const TCHAR* path);
    // The binary list of the same name in the same folder: the ending after the last
    // "." of the file name replaced by "lsr".
    static std::u16string BinaryNameFor(const TCHAR* path);

    // Reads the whole file as UTF-16LE text (a byte-order mark stays in the text).
    bool ReadText(const TCHAR* path);
    // The text of the last successful ReadText, or null.
    const TCHAR* GetText() const { return m_text.get(); }

    // Saves the list safely (SafeSave): on any failure the file at path stays exactly
    // as it was, and the last error tells why.
    bool Write(const TCHAR* path, const rep::vector<Purchase*>& purchases);
    // Appends the records of a binary list to purchases; the caller owns them. On a
    // damaged file the records read before the damage stay appended.
    bool Read(const TCHAR* path, rep::vector<Purchase*>& purchases);
    // Reads any list kind into purchases; a text list also appends new catalogue items
    // to items and expands location codes from locations. Returns a ListReadResult.
    int Load(const TCHAR* path, rep::vector<Purchase*>& purchases, rep::vector<Item*>& items,
             const rep::vector<TCHAR*>& locations);

    // The trace line for a failed Load's result (null for success and LR_UNSUPPORTED).
    static const TCHAR* FailureText(int result);

    // The record stream itself, for callers that bring their own stream.
    static bool WriteList(IO::BinaryWriter& writer, const rep::vector<Purchase*>& purchases);
    // maxBytes bounds how much room a record count may claim up front (0: no room).
    static bool ReadList(IO::BinaryReader& reader, rep::vector<Purchase*>& purchases,
                         DWORD maxBytes);
    // The same from the stream's bytes, as Read takes a file apart (faster than
    // through a BinaryReader; the same records, trace lines and failures).
    static bool ReadStream(IO::Stream& stream, rep::vector<Purchase*>& purchases, DWORD maxBytes);

    // The temporary file a save of path writes first (SafeSave::TemporaryPathFor).
    static std::u16string TemporaryPathFor(const TCHAR* path);

private:
    std::unique_ptr<TCHAR[]> m_text;
    DWORD m_kind = KindNone;
};
