// Writes typed values to a stream in little-endian form: 32-bit integers and floats as
// 4 bytes, bools as 1 byte (0 or 1), 16-bit integers as 2 bytes, strings as a signed
// 16-bit character count followed by the characters without terminator. The first
// transfer that the stream does not take whole sets the failure flag for good.
#pragma once
#include "System/Diagnostics/Trace.h"
#include "System/IO/Stream.h"
#include "Text/UnicodeUtil.h"
#include "Text/Util.h"

#include <bit>
#include <climits>
#include <cstring>
#include <memory>

namespace IO {

static_assert(std::endian::native == std::endian::little,
              "values are written as they lie in memory, which must be little-endian");

class BinaryWriter : public Object {
public:
    // The longest string a 16-bit length prefix can describe.
    static constexpr int maxStringLength = 32767;

    explicit BinaryWriter(Stream& stream) : m_pStream(&stream) {}

    TCHAR* ToString() const override {
        TCHAR buffer[1000];
        _snwprintf(buffer, 1000, u"System.IO.BinaryWriter - %X", GetHashCode());
        return Util::tcsdup(buffer);
    }

    // The stream's Write; a result other than count sets the failure flag.
    virtual int Write(const BYTE* buffer, int offset, int count) {
        const int written = m_pStream->Write(buffer, offset, count);
        if (written != count)
            m_bFailed = true;
        return written;
    }

    virtual int Write(const BYTE* buffer, int count) { return Write(buffer, 0, count); }

    // Writes the UTF-16LE code units of text; the number of whole characters written,
    // or the stream's result when that is 0 or negative.
    virtual int WriteChars(const TCHAR* text, int count) {
        if (count < 0 || count > INT_MAX / 2) {
            m_bFailed = true;
            return -1;
        }
        const int written = Write(reinterpret_cast<const BYTE*>(text), 0, 2 * count);
        return written <= 0 ? written : written / 2;
    }

    // One byte per character.
    virtual bool WriteString(const char* text, bool withLength) {
        const std::size_t length = text ? std::strlen(text) : 0;
        const Outcome outcome = WriteStringBody(reinterpret_cast<const BYTE*>(text), length, 1, withLength);
        if (outcome == Outcome::Written)
            return true;
        TCHAR* converted = nullptr;
        UnicodeUtil::AnsiToUnicode(text, &converted);
        const std::unique_ptr<TCHAR[]> wide(converted);
        TraceStringFailure(outcome, wide ? wide.get() : u"");
        return false;
    }

    // Two bytes (UTF-16LE) per character.
    virtual bool WriteString(const TCHAR* text, bool withLength) {
        const std::size_t length = text ? _tcslen(text) : 0;
        const Outcome outcome = WriteStringBody(reinterpret_cast<const BYTE*>(text), length, 2, withLength);
        if (outcome == Outcome::Written)
            return true;
        TraceStringFailure(outcome, text ? text : u"");
        return false;
    }

    // The string with its length prefix.
    virtual bool Write(const TCHAR* text) {
        if (WriteString(text, true))
            return true;
        Diagnostics::Trace::WriteFormattedLineT(u"error", u"Cannot write string '%s'", text ? text : u"");
        return false;
    }

    bool Write(unsigned int value) { return WriteValue(value, u"unknown"); }
    bool Write(int value) { return WriteValue(value, u"unknown"); }
    bool Write(float value) { return WriteValue(value, u"float"); }
    bool Write(bool value) {
        const BYTE byte = value ? 1 : 0;
        return WriteValue(byte, u"bool");
    }
    bool Write(__int16 value) { return WriteValue(value, u"__int16"); }

    // Set by the first failed transfer and never cleared.
    bool HasFailed() const { return m_bFailed; }
    Stream& GetStream() const { return *m_pStream; }

private:
    template <typename T>
    bool WriteValue(const T& value, const TCHAR* typeName) {
        BYTE bytes[sizeof(T)];
        std::memcpy(bytes, &value, sizeof(T));
        if (Write(bytes, 0, static_cast<int>(sizeof(T))) != static_cast<int>(sizeof(T))) {
            Diagnostics::Trace::WriteFormattedLineT(u"error", u"Cannot Write %s, %s", typeName,
                                                    u"" __FILE__);
            return false;
        }
        return true;
    }

    enum class Outcome { Written, LengthFailed, TextFailed };

    // Writes the length prefix (when wanted), then the characters.
    Outcome WriteStringBody(const BYTE* data, std::size_t length, int unitSize, bool withLength) {
        if (withLength) {
            // A wrapped 16-bit length would make everything after the string unreadable.
            if (length > static_cast<std::size_t>(maxStringLength)) {
                m_bFailed = true;
                return Outcome::LengthFailed;
            }
            if (!Write(static_cast<__int16>(length)))
                return Outcome::LengthFailed;
        } else if (length > static_cast<std::size_t>(INT_MAX / unitSize)) {
            m_bFailed = true;
            return Outcome::TextFailed;
        }
        if (length == 0)
            return Outcome::Written;
        const int bytes = static_cast<int>(length) * unitSize;
        return Write(data, 0, bytes) == bytes ? Outcome::Written : Outcome::TextFailed;
    }

    void TraceStringFailure(Outcome outcome, const TCHAR* text) {
        Diagnostics::Trace::WriteFormattedLineT(
            u"error",
            outcome == Outcome::LengthFailed ? u"Cannot write string len of '%s' to '%s' stream"
                                             : u"Cannot write string '%s' to '%s' stream",
            text, StreamName());
    }

    const TCHAR* StreamName() const {
        const TCHAR* name = m_pStream->GetName();
        return name ? name : u"";
    }

    Stream* m_pStream;
    bool m_bFailed = false;
};

}  // namespace IO
