#include "System/IO/TextReader.h"

#include "Text/UnicodeUtil.h"
#include "Text/Util.h"

#include <cstring>
#include <memory>
#include <new>

namespace IO {

TextReader::TextReader(Stream& stream) : m_pStream(&stream) {
    // Asked for form's sake: the answer does not change how lines are read.
    (void)m_pStream->GetCanRead();
}

TCHAR* TextReader::ToString() const {
    TCHAR buffer[1000];
    _snwprintf(buffer, 1000, u"System.IO.TextReader - %X", GetHashCode());
    return Util::tcsdup(buffer);
}

void TextReader::Close() {}

bool TextReader::ReadUnit(BYTE* unit, int size) {
    int have = 0;
    while (have < size && m_pendingSize > 0) {
        unit[have++] = m_pending[0];
        m_pending[0] = m_pending[1];
        --m_pendingSize;
    }
    if (have == size)
        return true;
    // Anything but the whole character (-1, or 0 at the end of a file) ends the data.
    return m_pStream->Read(unit, have, size - have) == size - have;
}

template <typename Char>
bool TextReader::ReadLine(Char* dest, unsigned max) {
    if (max == 0) {
        dest[0] = 0;
        return true;
    }
    unsigned stored = 0;
    for (;;) {
        Char c;
        if (!ReadUnit(reinterpret_cast<BYTE*>(&c), sizeof(Char))) {
            dest[stored] = 0;
            return false;
        }
        if (c == Char('\n')) {
            dest[stored] = 0;
            return true;
        }
        if (c == Char('\r')) {
            Char next;
            dest[stored] = 0;
            if (!ReadUnit(reinterpret_cast<BYTE*>(&next), sizeof(Char)))
                return false;
            if (next != Char('\n')) {
                // A lone CR: the character after it starts the next line.
                std::memcpy(m_pending, &next, sizeof(Char));
                m_pendingSize = static_cast<int>(sizeof(Char));
            }
            return true;
        }
        dest[stored++] = c;
        if (stored == max) {
            dest[stored] = 0;
            return true;
        }
    }
}

bool TextReader::ReadString_(char* dest, unsigned max) { return ReadLine(dest, max); }

bool TextReader::ReadWString_(TCHAR* dest, unsigned max) { return ReadLine(dest, max); }

bool TextReader::ReadString(TCHAR* dest, unsigned max) {
    if (dest == nullptr || max == 0xFFFFFFFFu)
        return false;
    const std::unique_ptr<char[]> line(new (std::nothrow) char[static_cast<std::size_t>(max) + 1]);
    if (!line)
        return false;
    const bool result = ReadString_(line.get(), max);
    TCHAR* converted = nullptr;
    if (!UnicodeUtil::AnsiToUnicode(line.get(), &converted) || converted == nullptr)
        return false;
    const std::unique_ptr<TCHAR[]> wide(converted);
    // One byte of the code page is one character, but stay within dest whatever happens.
    std::size_t length = _tcslen(wide.get());
    if (length > max)
        length = max;
    std::memcpy(dest, wide.get(), length * sizeof(TCHAR));
    dest[length] = 0;
    return result;
}

bool TextReader::ReadWString(TCHAR* dest, unsigned max) {
    if (dest == nullptr)
        return false;
    return ReadWString_(dest, max);
}

}  // namespace IO
