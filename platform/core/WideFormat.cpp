#include "WideFormat.h"

#include "CodePage.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

enum class Length { None, Char, Short, Long, LongLong, LongDouble, Size, Pointer };

struct Directive {
    bool left = false;
    bool plus = false;
    bool space = false;
    bool alt = false;
    bool zero = false;
    int width = 0;
    int precision = -1;  // -1: none
    Length length = Length::None;
    bool wideHint = false;    // "l"/"w" before s or c
    bool narrowHint = false;  // "h" before s or c
};

// Narrow text in a wide format is in the device's ANSI code page.
std::u16string Widen(const char* text, std::size_t length) {
    std::u16string out;
    if (length == 0)
        return out;
    const int n = MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(length), nullptr, 0);
    if (n <= 0)
        return out;
    out.resize(static_cast<std::size_t>(n));
    MultiByteToWideChar(CP_ACP, 0, text, static_cast<int>(length), out.data(), n);
    return out;
}

void Pad(std::u16string& out, std::size_t count, char16_t c) {
    out.append(count, c);
}

void AppendField(std::u16string& out, const Directive& directive, std::u16string_view text) {
    std::size_t len = text.size();
    if (directive.precision >= 0 && static_cast<std::size_t>(directive.precision) < len)
        len = static_cast<std::size_t>(directive.precision);
    const std::size_t width = directive.width > 0 ? static_cast<std::size_t>(directive.width) : 0;
    const std::size_t fill = width > len ? width - len : 0;
    if (!directive.left)
        Pad(out, fill, directive.zero ? u'0' : u' ');
    out.append(text.substr(0, len));
    if (directive.left)
        Pad(out, fill, u' ');
}

// Builds a narrow conversion such as "%-+08.3lld" for snprintf.
std::string NarrowDirective(const Directive& directive, const char* length, char conversion) {
    std::string f = "%";
    if (directive.left)
        f += '-';
    if (directive.plus)
        f += '+';
    if (directive.space)
        f += ' ';
    if (directive.alt)
        f += '#';
    if (directive.zero)
        f += '0';
    if (directive.width > 0)
        f += std::to_string(directive.width);
    if (directive.precision >= 0) {
        f += '.';
        f += std::to_string(directive.precision);
    }
    f += length;
    f += conversion;
    return f;
}

template <typename T>
void AppendNumber(std::u16string& out, const std::string& narrowFormat, T value) {
    char small[128];
    // The format is assembled above from parsed flags only, never from caller data.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wformat-nonliteral"
    int n = std::snprintf(small, sizeof small, narrowFormat.c_str(), value);
    if (n < 0)
        return;
    if (static_cast<std::size_t>(n) < sizeof small) {
        for (int i = 0; i < n; ++i)
            out += static_cast<char16_t>(static_cast<unsigned char>(small[i]));
        return;
    }
    std::string big(static_cast<std::size_t>(n) + 1, '\0');
    n = std::snprintf(big.data(), big.size(), narrowFormat.c_str(), value);
#pragma GCC diagnostic pop
    for (int i = 0; i < n; ++i)
        out += static_cast<char16_t>(static_cast<unsigned char>(big[static_cast<std::size_t>(i)]));
}

long long SignedArg(va_list* args, const Directive& directive) {
    switch (directive.length) {
    case Length::Char: return static_cast<signed char>(va_arg(*args, int));
    case Length::Short: return static_cast<short>(va_arg(*args, int));
    case Length::Long: return static_cast<std::int32_t>(va_arg(*args, int));  // LONG is 32 bits
    case Length::LongLong:
    case Length::LongDouble: return va_arg(*args, long long);
    case Length::Size:
    case Length::Pointer: return static_cast<long long>(va_arg(*args, std::intptr_t));
    case Length::None: break;
    }
    return va_arg(*args, int);
}

unsigned long long UnsignedArg(va_list* args, const Directive& directive) {
    switch (directive.length) {
    case Length::Char: return static_cast<unsigned char>(va_arg(*args, unsigned int));
    case Length::Short: return static_cast<unsigned short>(va_arg(*args, unsigned int));
    case Length::Long: return static_cast<std::uint32_t>(va_arg(*args, unsigned int));
    case Length::LongLong:
    case Length::LongDouble: return va_arg(*args, unsigned long long);
    case Length::Size:
    case Length::Pointer: return static_cast<unsigned long long>(va_arg(*args, std::size_t));
    case Length::None: break;
    }
    return va_arg(*args, unsigned int);
}

bool IsDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

constexpr int kMaxField = 100000000;

// Reads digits, saturating instead of overflowing on absurd widths.
int ReadNumber(const char16_t*& p) {
    long value = 0;
    while (IsDigit(*p)) {
        if (value < kMaxField)
            value = value * 10 + (*p - u'0');
        ++p;
    }
    return value > kMaxField ? kMaxField : static_cast<int>(value);
}

void FormatInto(std::u16string& out, const char16_t* format, va_list* args) {
    const char16_t* p = format;
    while (*p) {
        if (*p != u'%') {
            out += *p++;
            continue;
        }
        const char16_t* start = p;
        ++p;
        Directive directive;
        for (;; ++p) {
            if (*p == u'-')
                directive.left = true;
            else if (*p == u'+')
                directive.plus = true;
            else if (*p == u' ')
                directive.space = true;
            else if (*p == u'#')
                directive.alt = true;
            else if (*p == u'0')
                directive.zero = true;
            else
                break;
        }
        if (*p == u'*') {
            int w = va_arg(*args, int);
            if (w < 0) {
                directive.left = true;
                w = w == INT32_MIN ? INT32_MAX : -w;
            }
            directive.width = w > kMaxField ? kMaxField : w;
            ++p;
        } else {
            directive.width = ReadNumber(p);
        }
        if (*p == u'.') {
            ++p;
            if (*p == u'*') {
                const int prec = va_arg(*args, int);
                directive.precision = prec < 0 ? -1 : (prec > kMaxField ? kMaxField : prec);
                ++p;
            } else {
                directive.precision = ReadNumber(p);
            }
        }
        // Length modifiers.
        if (*p == u'h') {
            ++p;
            directive.narrowHint = true;
            if (*p == u'h') {
                ++p;
                directive.length = Length::Char;
            } else {
                directive.length = Length::Short;
            }
        } else if (*p == u'l') {
            ++p;
            directive.wideHint = true;
            if (*p == u'l') {
                ++p;
                directive.length = Length::LongLong;
            } else {
                directive.length = Length::Long;
            }
        } else if (*p == u'w') {
            ++p;
            directive.wideHint = true;
        } else if (*p == u'L') {
            ++p;
            directive.length = Length::LongDouble;
        } else if (*p == u'z' || *p == u't' || *p == u'j') {
            directive.length = *p == u'j' ? Length::LongLong : Length::Size;
            ++p;
        } else if (*p == u'I') {
            if (p[1] == u'6' && p[2] == u'4') {
                p += 3;
                directive.length = Length::LongLong;
            } else if (p[1] == u'3' && p[2] == u'2') {
                p += 3;
                directive.length = Length::Long;
            } else {
                ++p;
                directive.length = Length::Pointer;
            }
        }

        const char16_t conv = *p;
        if (conv == 0) {
            out.append(start, p);  // dangling "%...": keep it as text
            break;
        }
        ++p;
        switch (conv) {
        case u'%':
            out += u'%';
            break;
        case u'd':
        case u'i': {
            const long long v = SignedArg(args, directive);
            AppendNumber(out, NarrowDirective(directive, "ll", 'd'), v);
            break;
        }
        case u'u':
        case u'x':
        case u'X':
        case u'o': {
            const unsigned long long v = UnsignedArg(args, directive);
            AppendNumber(out, NarrowDirective(directive, "ll", static_cast<char>(conv)), v);
            break;
        }
        case u'f':
        case u'F':
        case u'e':
        case u'E':
        case u'g':
        case u'G':
        case u'a':
        case u'A':
            if (directive.length == Length::LongDouble) {
                const long double v = va_arg(*args, long double);
                AppendNumber(out, NarrowDirective(directive, "L", static_cast<char>(conv)), v);
            } else {
                const double v = va_arg(*args, double);
                AppendNumber(out, NarrowDirective(directive, "", static_cast<char>(conv)), v);
            }
            break;
        case u'p': {
            // The device prints pointers as fixed-width upper-case hex without "0x".
            const auto v = reinterpret_cast<std::uintptr_t>(va_arg(*args, void*));
            Directive digits;
            digits.zero = true;
            digits.width = static_cast<int>(2 * sizeof(void*));
            std::u16string text;
            AppendNumber(text, NarrowDirective(digits, "ll", 'X'), static_cast<unsigned long long>(v));
            Directive field;
            field.left = directive.left;
            field.width = directive.width;
            AppendField(out, field, text);
            break;
        }
        case u'c':
        case u'C': {
            const int v = va_arg(*args, int);
            const bool narrow = conv == u'C' ? !directive.wideHint : directive.narrowHint;
            std::u16string text;
            if (narrow) {
                const char c = static_cast<char>(v);
                text = c == 0 ? std::u16string(1, u'\0') : Widen(&c, 1);
            } else {
                text.assign(1, static_cast<char16_t>(v));
            }
            Directive cs = directive;
            cs.precision = -1;
            AppendField(out, cs, text);
            break;
        }
        case u's':
        case u'S': {
            const bool narrow = conv == u'S' ? !directive.wideHint : directive.narrowHint;
            if (narrow) {
                const char* s = va_arg(*args, const char*);
                if (!s) {
                    AppendField(out, directive, u"(null)");
                } else {
                    // Only the bytes the precision allows are read.
                    std::size_t n = 0;
                    if (directive.precision >= 0) {
                        const auto limit = static_cast<std::size_t>(directive.precision);
                        while (n < limit && s[n])
                            ++n;
                    } else {
                        n = std::strlen(s);
                    }
                    AppendField(out, directive, Widen(s, n));
                }
            } else {
                const char16_t* s = va_arg(*args, const char16_t*);
                if (!s) {
                    AppendField(out, directive, u"(null)");
                } else {
                    std::size_t n = 0;
                    if (directive.precision >= 0) {
                        const auto limit = static_cast<std::size_t>(directive.precision);
                        while (n < limit && s[n])
                            ++n;
                    } else {
                        while (s[n])
                            ++n;
                    }
                    AppendField(out, directive, std::u16string_view(s, n));
                }
            }
            break;
        }
        case u'n':
            // Writing through an argument is never wanted here; the argument is skipped.
            (void)va_arg(*args, void*);
            break;
        default:
            // Unknown conversion: shown as written, no argument consumed.
            out.append(start, p);
            break;
        }
    }
}

}  // namespace

std::u16string FormatV(const WCHAR* format, va_list args) {
    std::u16string out;
    if (!format)
        return out;
    va_list copy;
    va_copy(copy, args);
    FormatInto(out, format, &copy);
    va_end(copy);
    return out;
}

std::u16string Format(const WCHAR* format, ...) {
    va_list args;
    va_start(args, format);
    std::u16string out = FormatV(format, args);
    va_end(args);
    return out;
}

int _vsnwprintf(WCHAR* buffer, std::size_t count, const WCHAR* format, va_list args) {
    const std::u16string text = FormatV(format, args);
    if (!buffer || count == 0)
        return text.empty() ? 0 : -1;
    if (text.size() < count) {
        std::memcpy(buffer, text.data(), text.size() * sizeof(WCHAR));
        buffer[text.size()] = 0;
        return static_cast<int>(text.size());
    }
    std::size_t keep = count - 1;
    // Do not leave half of a surrogate pair at the cut.
    if (keep > 0 && text[keep - 1] >= 0xD800 && text[keep - 1] <= 0xDBFF)
        --keep;
    std::memcpy(buffer, text.data(), keep * sizeof(WCHAR));
    buffer[keep] = 0;
    return -1;
}

int _snwprintf(WCHAR* buffer, std::size_t count, const WCHAR* format, ...) {
    va_list args;
    va_start(args, format);
    const int n = _vsnwprintf(buffer, count, format, args);
    va_end(args);
    return n;
}
