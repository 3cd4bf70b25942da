#include "WideString.h"

#include <cstring>

namespace {

// Latin Extended-A pairs upper/lower case in three runs of "upper even" and two runs of
// "upper odd". U+0130, U+0131, U+0138, U+0149 and U+017F have no simple partner here.
bool IsLatinExtAUpper(char16_t c) {
    if ((c >= 0x100 && c <= 0x12F) || (c >= 0x132 && c <= 0x137) || (c >= 0x14A && c <= 0x177))
        return (c & 1) == 0;
    if ((c >= 0x139 && c <= 0x148) || (c >= 0x179 && c <= 0x17E))
        return (c & 1) == 1;
    return false;
}

bool IsLatinExtALower(char16_t c) {
    if ((c >= 0x101 && c <= 0x12F) || (c >= 0x133 && c <= 0x137) || (c >= 0x14B && c <= 0x177))
        return (c & 1) == 1;
    if ((c >= 0x13A && c <= 0x148) || (c >= 0x17A && c <= 0x17E))
        return (c & 1) == 0;
    return false;
}

int Compare(char16_t a, char16_t b) {
    return static_cast<int>(a) - static_cast<int>(b);
}

}  // namespace

WCHAR towlower16(WCHAR c) {
    if (c < 0x80)
        return (c >= u'A' && c <= u'Z') ? static_cast<WCHAR>(c + 0x20) : c;
    if (c >= 0xC0 && c <= 0xDE && c != 0xD7)
        return static_cast<WCHAR>(c + 0x20);
    if (c >= 0x100 && c <= 0x17F) {
        if (c == 0x178)
            return 0xFF;
        return IsLatinExtAUpper(c) ? static_cast<WCHAR>(c + 1) : c;
    }
    if (c >= 0x391 && c <= 0x3A9 && c != 0x3A2)
        return static_cast<WCHAR>(c + 0x20);
    if (c >= 0x410 && c <= 0x42F)
        return static_cast<WCHAR>(c + 0x20);
    if (c >= 0x400 && c <= 0x40F)
        return static_cast<WCHAR>(c + 0x50);
    return c;
}

WCHAR towupper16(WCHAR c) {
    if (c < 0x80)
        return (c >= u'a' && c <= u'z') ? static_cast<WCHAR>(c - 0x20) : c;
    if (c >= 0xE0 && c <= 0xFE && c != 0xF7)
        return static_cast<WCHAR>(c - 0x20);
    if (c == 0xFF)
        return 0x178;
    if (c >= 0x100 && c <= 0x17F)
        return IsLatinExtALower(c) ? static_cast<WCHAR>(c - 1) : c;
    if (c == 0x3C2)  // final sigma
        return 0x3A3;
    if (c >= 0x3B1 && c <= 0x3C9)
        return static_cast<WCHAR>(c - 0x20);
    if (c >= 0x430 && c <= 0x44F)
        return static_cast<WCHAR>(c - 0x20);
    if (c >= 0x450 && c <= 0x45F)
        return static_cast<WCHAR>(c - 0x50);
    return c;
}

namespace {
// Folding goes through upper case first so that letters with two lower forms
// (final sigma) meet their partner. Sorting and filtering long lists spend their
// time here, so ASCII folds inline.
inline char16_t Fold(char16_t c) {
    if (c < 0x80)
        return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 0x20) : c;
    return towlower16(towupper16(c));
}
}  // namespace

std::size_t wcslen16(const WCHAR* s) {
    if (!s)
        return 0;
    std::size_t n = 0;
    while (s[n])
        ++n;
    return n;
}

// Null pointers compare as empty strings rather than crashing.
int _wcsicmp(const WCHAR* a, const WCHAR* b) {
    if (!a)
        a = u"";
    if (!b)
        b = u"";
    for (;; ++a, ++b) {
        if (*a == *b) {
            if (*a == 0)
                return 0;
            continue;  // equal units need no folding
        }
        const char16_t fa = Fold(*a);
        const char16_t fb = Fold(*b);
        if (fa != fb)
            return Compare(fa, fb);
    }
}

int _wcsnicmp(const WCHAR* a, const WCHAR* b, std::size_t n) {
    if (!a)
        a = u"";
    if (!b)
        b = u"";
    for (std::size_t i = 0; i < n; ++i) {
        const char16_t fa = Fold(a[i]);
        const char16_t fb = Fold(b[i]);
        if (fa != fb || fa == 0)
            return Compare(fa, fb);
    }
    return 0;
}

WCHAR* _wcslwr(WCHAR* s) {
    for (WCHAR* p = s; p && *p; ++p)
        *p = towlower16(*p);
    return s;
}

WCHAR* _wcsupr(WCHAR* s) {
    for (WCHAR* p = s; p && *p; ++p)
        *p = towupper16(*p);
    return s;
}

std::size_t _tcslen(const TCHAR* s) {
    return wcslen16(s);
}

int _tcscmp(const TCHAR* a, const TCHAR* b) {
    if (!a)
        a = u"";
    if (!b)
        b = u"";
    for (;; ++a, ++b) {
        if (*a != *b || *a == 0)
            return Compare(*a, *b);
    }
}

int _tcsncmp(const TCHAR* a, const TCHAR* b, std::size_t n) {
    if (!a)
        a = u"";
    if (!b)
        b = u"";
    for (std::size_t i = 0; i < n; ++i) {
        if (a[i] != b[i] || a[i] == 0)
            return Compare(a[i], b[i]);
    }
    return 0;
}

int _tcsicmp(const TCHAR* a, const TCHAR* b) {
    return _wcsicmp(a, b);
}

int _tcsnicmp(const TCHAR* a, const TCHAR* b, std::size_t n) {
    return _wcsnicmp(a, b, n);
}

TCHAR* _tcscpy(TCHAR* dst, const TCHAR* src) {
    std::size_t i = 0;
    for (; src[i]; ++i)
        dst[i] = src[i];
    dst[i] = 0;
    return dst;
}

// Like strncpy: copies at most n units and pads with NULs, leaving the result
// unterminated when src has n units or more.
TCHAR* _tcsncpy(TCHAR* dst, const TCHAR* src, std::size_t n) {
    std::size_t i = 0;
    for (; i < n && src[i]; ++i)
        dst[i] = src[i];
    for (; i < n; ++i)
        dst[i] = 0;
    return dst;
}

TCHAR* _tcscat(TCHAR* dst, const TCHAR* src) {
    _tcscpy(dst + wcslen16(dst), src);
    return dst;
}

const TCHAR* _tcschr(const TCHAR* s, TCHAR c) {
    if (!s)
        return nullptr;
    for (;; ++s) {
        if (*s == c)
            return s;
        if (*s == 0)
            return nullptr;
    }
}

const TCHAR* _tcsrchr(const TCHAR* s, TCHAR c) {
    if (!s)
        return nullptr;
    const TCHAR* found = nullptr;
    for (;; ++s) {
        if (*s == c)
            found = s;
        if (*s == 0)
            return found;
    }
}

const TCHAR* _tcsstr(const TCHAR* s, const TCHAR* what) {
    if (!s || !what)
        return nullptr;
    if (!*what)
        return s;
    for (; *s; ++s) {
        std::size_t i = 0;
        while (what[i] && s[i] == what[i])
            ++i;
        if (!what[i])
            return s;
    }
    return nullptr;
}

std::u16string FoldCase(std::u16string_view s) {
    std::u16string out;
    FoldCaseInto(s, out);
    return out;
}

void FoldCaseInto(std::u16string_view s, std::u16string& out) {
    out.assign(s);
    for (char16_t& c : out)
        c = Fold(c);
}

bool EqualsNoCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i] && Fold(a[i]) != Fold(b[i]))
            return false;
    }
    return true;
}

int CompareNoCase(std::u16string_view a, std::u16string_view b) {
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        if (a[i] == b[i])
            continue;
        const char16_t fa = Fold(a[i]);
        const char16_t fb = Fold(b[i]);
        if (fa != fb)
            return Compare(fa, fb);
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

std::string ToUtf8(std::u16string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        char32_t cp = s[i];
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < s.size() && s[i + 1] >= 0xDC00 &&
            s[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (s[i + 1] - 0xDC00);
            ++i;
        } else if (cp >= 0xD800 && cp <= 0xDFFF) {
            cp = 0xFFFD;  // lone surrogate
        }
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | (cp >> 6));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | (cp >> 12));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | (cp >> 18));
            out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
            out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return out;
}

// Each maximal ill-formed subsequence becomes one U+FFFD; overlong forms, encoded
// surrogates and values past U+10FFFF are ill-formed.
std::u16string FromUtf8(std::string_view s) {
    std::u16string out;
    out.reserve(s.size());
    const auto* p = reinterpret_cast<const unsigned char*>(s.data());
    const std::size_t n = s.size();
    std::size_t i = 0;
    while (i < n) {
        const unsigned char b0 = p[i];
        if (b0 < 0x80) {
            out += static_cast<char16_t>(b0);
            ++i;
            continue;
        }
        int extra = 0;
        char32_t cp = 0;
        unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the second byte
        if (b0 >= 0xC2 && b0 <= 0xDF) {
            extra = 1;
            cp = b0 & 0x1F;
        } else if (b0 >= 0xE0 && b0 <= 0xEF) {
            extra = 2;
            cp = b0 & 0x0F;
            if (b0 == 0xE0)
                lo = 0xA0;
            else if (b0 == 0xED)
                hi = 0x9F;
        } else if (b0 >= 0xF0 && b0 <= 0xF4) {
            extra = 3;
            cp = b0 & 0x07;
            if (b0 == 0xF0)
                lo = 0x90;
            else if (b0 == 0xF4)
                hi = 0x8F;
        } else {
            out += u'\uFFFD';
            ++i;
            continue;
        }
        std::size_t j = i + 1;
        bool ok = true;
        for (int k = 0; k < extra; ++k, ++j) {
            if (j >= n) {
                ok = false;
                break;
            }
            const unsigned char b = p[j];
            const unsigned char min = k == 0 ? lo : 0x80;
            const unsigned char max = k == 0 ? hi : 0xBF;
            if (b < min || b > max) {
                ok = false;
                break;
            }
            cp = (cp << 6) | (b & 0x3F);
        }
        if (!ok) {
            out += u'\uFFFD';
            i = j;  // resume at the byte that broke the sequence
            continue;
        }
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out += static_cast<char16_t>(0xD800 + (cp >> 10));
            out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
        } else {
            out += static_cast<char16_t>(cp);
        }
        i = j;
    }
    return out;
}
