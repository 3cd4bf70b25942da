#include "CodePage.h"

#include "WideString.h"
#include "WinError.h"

#include <cstring>
#include <string>

namespace {

// Windows-1252 bytes 0x80-0x9F. The five bytes the code page leaves undefined map to
// the code point of the same value, so every byte round-trips.
constexpr char16_t kHigh1252[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char16_t ByteTo1252(unsigned char b) {
    if (b >= 0x80 && b <= 0x9F)
        return kHigh1252[b - 0x80];
    return b;
}

// -1 when the character has no byte in the code page.
int WideTo1252(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return c;
    for (int i = 0; i < 32; ++i) {
        if (kHigh1252[i] == c)
            return 0x80 + i;
    }
    return -1;
}

enum class Page { Ansi, Utf8, Invalid };

Page PageOf(UINT codePage) {
    switch (codePage) {
    case CP_ACP:
    case 1:     // CP_OEMCP
    case 3:     // CP_THREAD_ACP
    case 1252:
        return Page::Ansi;
    case CP_UTF8:
        return Page::Utf8;
    default:
        return Page::Invalid;
    }
}

int Fail(DWORD error) {
    SetLastError(error);
    return 0;
}

}  // namespace

int MultiByteToWideChar(UINT codePage, DWORD /*flags*/, LPCSTR mb, int cbMultiByte, LPWSTR wide,
                        int cchWideChar) {
    const Page page = PageOf(codePage);
    if (page == Page::Invalid || !mb || cbMultiByte == 0 || cbMultiByte < -1 || cchWideChar < 0 ||
        (cchWideChar > 0 && !wide))
        return Fail(ERROR_INVALID_PARAMETER);
    // -1: up to and including the terminator, which is converted like any character.
    const std::size_t length =
        cbMultiByte == -1 ? std::strlen(mb) + 1 : static_cast<std::size_t>(cbMultiByte);

    std::u16string out;
    if (page == Page::Utf8) {
        out = FromUtf8(std::string_view(mb, length));
    } else {
        out.resize(length);
        for (std::size_t i = 0; i < length; ++i)
            out[i] = ByteTo1252(static_cast<unsigned char>(mb[i]));
    }
    if (out.size() > 0x7FFFFFFF)
        return Fail(ERROR_INVALID_PARAMETER);
    const int needed = static_cast<int>(out.size());
    if (cchWideChar == 0)
        return needed;
    if (needed > cchWideChar)
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    std::memcpy(wide, out.data(), out.size() * sizeof(WCHAR));
    return needed;
}

int WideCharToMultiByte(UINT codePage, DWORD /*flags*/, LPCWSTR wide, int cchWideChar, LPSTR mb,
                        int cbMultiByte, LPCSTR defaultChar, BOOL* usedDefaultChar) {
    const Page page = PageOf(codePage);
    if (page == Page::Invalid || !wide || cchWideChar == 0 || cchWideChar < -1 ||
        cbMultiByte < 0 || (cbMultiByte > 0 && !mb))
        return Fail(ERROR_INVALID_PARAMETER);
    const std::size_t length =
        cchWideChar == -1 ? wcslen16(wide) + 1 : static_cast<std::size_t>(cchWideChar);
    const std::u16string_view in(wide, length);

    bool usedDefault = false;
    std::string out;
    if (page == Page::Utf8) {
        out = ToUtf8(in);
        // A lone surrogate cannot be written and became a replacement character.
        for (std::size_t i = 0; i < in.size(); ++i) {
            const char16_t c = in[i];
            if (c >= 0xD800 && c <= 0xDBFF && i + 1 < in.size() && in[i + 1] >= 0xDC00 &&
                in[i + 1] <= 0xDFFF) {
                ++i;
            } else if (c >= 0xD800 && c <= 0xDFFF) {
                usedDefault = true;
            }
        }
    } else {
        const char fallback = defaultChar ? defaultChar[0] : '?';
        out.reserve(length);
        for (std::size_t i = 0; i < in.size(); ++i) {
            const char16_t c = in[i];
            const int b = WideTo1252(c);
            if (b >= 0) {
                out += static_cast<char>(b);
                continue;
            }
            usedDefault = true;
            out += fallback;
            // A surrogate pair is one character and gets one default character.
            if (c >= 0xD800 && c <= 0xDBFF && i + 1 < in.size() && in[i + 1] >= 0xDC00 &&
                in[i + 1] <= 0xDFFF)
                ++i;
        }
    }
    if (usedDefaultChar)
        *usedDefaultChar = usedDefault ? TRUE : FALSE;
    if (out.size() > 0x7FFFFFFF)
        return Fail(ERROR_INVALID_PARAMETER);
    const int needed = static_cast<int>(out.size());
    if (cbMultiByte == 0)
        return needed;
    if (needed > cbMultiByte)
        return Fail(ERROR_INSUFFICIENT_BUFFER);
    std::memcpy(mb, out.data(), out.size());
    return needed;
}
