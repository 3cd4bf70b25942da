// Reads lines of text from a stream, one-byte (ANSI) or two-byte (UTF-16LE) characters.
// A line ends with LF, CR or CR LF; the line end is not stored.
#pragma once
#include "System/IO/Stream.h"

namespace IO {

class TextReader : public Object {
public:
    explicit TextReader(Stream& stream);

    TCHAR* ToString() const override;

    // One line of ANSI text, converted to UTF-16, into dest (room for max + 1
    // characters). True when a line end was read or max characters were stored (the
    // rest of the line stays for the next call); false at the end of the data, with the
    // text after the last line end (possibly empty) in dest.
    bool ReadString(TCHAR* dest, unsigned max);
    // The same over UTF-16LE text.
    bool ReadWString(TCHAR* dest, unsigned max);
    // The stream belongs to the caller: nothing to do.
    void Close();

    // The line readers themselves, over one-byte and two-byte characters; dest must
    // hold max + 1 characters.
    virtual bool ReadString_(char* dest, unsigned max);
    virtual bool ReadWString_(TCHAR* dest, unsigned max);

private:
    template <typename Char>
    bool ReadLine(Char* dest, unsigned max);
    // One character of the given width: first what a lone CR left behind, then the
    // stream. False when the data ends before a whole character.
    bool ReadUnit(BYTE* unit, int size);

    Stream* m_pStream;
    // The character read after a lone CR belongs to the next line: it waits here.
    BYTE m_pending[2] = {0, 0};
    int m_pendingSize = 0;
};

}  // namespace IO
