#include "Text/CExtTime.h"

#include <string>

const TCHAR* const CExtTime::SHORT_MOUNTS_NAMES[12] = {
    u"jan", u"feb", u"mar", u"apr", u"may", u"jun",
    u"jul", u"aug", u"sep", u"oct", u"nov", u"dec",
};

// The program's own spellings, kept as they have always been stored and shown.
const TCHAR* const CExtTime::LONG_MOUNTS_NAMES[12] = {
    u"january", u"february", u"march",    u"april",   u"may",     u"juny",
    u"july",    u"august",   u"septeber", u"october", u"noveber", u"deceber",
};

namespace {

// Decimal text of value with at least minDigits digits (zero-padded).
void AppendNumber(std::u16string& out, long long value, int minDigits) {
    TCHAR digits[24];
    int count = 0;
    const bool negative = value < 0;
    unsigned long long magnitude =
        negative ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
    do {
        digits[count++] = static_cast<TCHAR>(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    while (count < minDigits)
        digits[count++] = u'0';
    if (negative)
        out += u'-';
    while (count > 0)
        out += digits[--count];
}

}  // namespace

CString CExtTime::Format(const TCHAR* format) const { return Format(*this, format); }

CString CExtTime::Format(const CTime& time, const TCHAR* format) {
    std::u16string out;
    if (!format || format[0] == 0)
        return CString(out);
    std::tm tm{};
    if (!time.GetLocalTm(tm))
        return CString(out);

    constexpr std::size_t limit = maxTimeBufferSize - 1;
    const int month = tm.tm_mon >= 0 && tm.tm_mon < 12 ? tm.tm_mon : 0;
    const long long year = static_cast<long long>(tm.tm_year) + 1900;
    for (const TCHAR* p = format; *p != 0 && out.size() < limit; ++p) {
        if (*p != u'%') {
            out += *p;
            continue;
        }
        ++p;
        if (*p == 0)
            break;  // a lone "%" at the end ends the output
        switch (*p) {
        case u'S': AppendNumber(out, tm.tm_sec, 2); break;
        case u'M': AppendNumber(out, tm.tm_min, 2); break;
        case u'H': AppendNumber(out, tm.tm_hour, 2); break;
        case u'd': AppendNumber(out, tm.tm_mday, 1); break;
        case u'm': AppendNumber(out, tm.tm_mon + 1, 2); break;
        case u'y': AppendNumber(out, ((year % 100) + 100) % 100, 2); break;
        case u'Y': AppendNumber(out, year, 2); break;
        case u'b': out += SHORT_MOUNTS_NAMES[month]; break;
        case u'B': out += LONG_MOUNTS_NAMES[month]; break;
        default: out += *p; break;  // "%%" and unknown letters give the character
        }
    }
    if (out.size() > limit)
        out.resize(limit);
    return CString(out);
}
