// Reads what BinaryWriter writes. The bytes come from outside (files), so every length
// is checked before it is used: a damaged file gives a failed read (false or null),
// never a read past a buffer. The first transfer that does not deliver every byte sets
// the failure flag for good; strings are then no longer read.
#pragma once
#include "System/Diagnostics/Trace.h"
#include "System/IO/Stream.h"
#include "Text/Util.h"

#include <bit>
#include <climits>
#include <cstring>
#include <memory>
#include <new>
#include <string>

namespace IO {

static_assert(std::endian::native == std::endian::little,
              "values are read as they lie in memory, which must be little-endian");

class BinaryReader : public Object {
public:
    explicit BinaryReader(Stream& stream) : m_pStream(&stream) {}

    TCHAR* ToString() const override {
        TCHAR buffer[1000];
        _snwprintf(buffer, 1000, u"System.IO.BinaryReader - %X", GetHashCode());
        return Util::tcsdup(buffer);
    }

    // The stream's Read; anything but the whole count sets the failure flag.
    virtual int Read(BYTE* buffer, int offset, int count) {
        const int read = m_pStream->Read(buffer, offset, count);
        if (read != count)
            m_bFailed = true;
        return read;
    }

    // True when all count bytes arrived.
    virtual bool Read(BYTE* buffer, int count) { return Read(buffer, 0, count) == count; }

    // A new[] array of count bytes that the caller frees, or null.
    virtual BYTE* ReadBytes(int count) {
        if (count < 0) {
            m_bFailed = true;
            return nullptr;
        }
        std::unique_ptr<BYTE[]> bytes(new (std::nothrow) BYTE[count > 0 ? count : 1]);
        if (!bytes || Read(bytes.get(), 0, count) != count) {
            m_bFailed = true;
            return nullptr;
        }
        return bytes.release();
    }

    // count UTF-16LE characters into buffer (no terminator is added).
    virtual bool ReadChars(TCHAR* buffer, int count) {
        if (count < 0 || count > INT_MAX / 2) {
            m_bFailed = true;
            return false;
        }
        return Read(reinterpret_cast<BYTE*>(buffer), 0, 2 * count) == 2 * count;
    }

    // A new[] array of count characters, terminated after them, or null.
    virtual TCHAR* ReadChars(int count) {
        if (count < 0 || count > INT_MAX / 2 - 1) {
            m_bFailed = true;
            return nullptr;
        }
        return ReadText<TCHAR>(count);
    }

    // A length-prefixed one-byte string as a new[] text, or null.
    virtual char* ReadString() { return ReadPrefixed<char>(); }
    // A length-prefixed UTF-16LE string as a new[] text, or null. A count of 0 gives an
    // empty text, not null.
    virtual TCHAR* ReadWString() { return ReadPrefixed<TCHAR>(); }
    // The same into text (its characters exactly, terminators included), without a
    // new[] text of its own; false where ReadWString gives null.
    bool ReadWString(std::u16string& text) {
        __int16 length = 0;
        Read(length);
        if (m_bFailed)
            return false;
        if (length < 0) {
            m_bFailed = true;
            return false;
        }
        text.resize(static_cast<std::size_t>(length));
        const int bytes = 2 * length;
        return length == 0 || Read(reinterpret_cast<BYTE*>(text.data()), 0, bytes) == bytes;
    }

    bool Read(unsigned int& value) { return ReadValue(value, u"unknown"); }
    bool Read(int& value) { return ReadValue(value, u"unknown"); }
    bool Read(float& value) { return ReadValue(value, u"float"); }
    bool Read(__int16& value) { return ReadValue(value, u"__int16"); }
    // Any byte but 0 reads as true.
    bool Read(bool& value) {
        BYTE byte = 0;
        if (!ReadValue(byte, u"bool"))
            return false;
        value = byte != 0;
        return true;
    }

    // Set by the first failed transfer and never cleared.
    bool HasFailed() const { return m_bFailed; }
    Stream& GetStream() const { return *m_pStream; }

private:
    template <typename T>
    bool ReadValue(T& value, const TCHAR* typeName) {
        BYTE bytes[sizeof(T)];
        if (Read(bytes, 0, static_cast<int>(sizeof(T))) != static_cast<int>(sizeof(T))) {
            Diagnostics::Trace::WriteFormattedLineT(u"error", u"cannot read %s", typeName);
            m_bFailed = true;
            return false;
        }
        std::memcpy(&value, bytes, sizeof(T));
        return true;
    }

    // count characters into a new[] text of count + 1, terminated.
    template <typename Char>
    Char* ReadText(int count) {
        std::unique_ptr<Char[]> text(new (std::nothrow) Char[static_cast<std::size_t>(count) + 1]);
        if (!text) {
            m_bFailed = true;
            return nullptr;
        }
        const int bytes = count * static_cast<int>(sizeof(Char));
        if (count > 0 && Read(reinterpret_cast<BYTE*>(text.get()), 0, bytes) != bytes)
            return nullptr;
        text[count] = 0;
        return text.release();
    }

    template <typename Char>
    Char* ReadPrefixed() {
        __int16 length = 0;
        Read(length);
        if (m_bFailed)
            return nullptr;
        if (length < 0) {
            // Only damage produces a negative count: nothing after it can be trusted.
            m_bFailed = true;
            return nullptr;
        }
        return ReadText<Char>(length);
    }

    Stream* m_pStream;
    bool m_bFailed = false;
};

}  // namespace IO
