#include "Text/Convert.h"

#include "Text/UnicodeUtil.h"

#include <clocale>
#include <cstdlib>
#include <locale.h>
#include <memory>

namespace {

// One tenth of the largest float: one more integer digit could overflow.
constexpr double kMaxBeforeDigit = 3.4028234663852886e37;
// Ten times the smallest normal float: one more decimal would lose its meaning.
constexpr double kMinFactor = 1.1754943508222875e-37;

// The C runtime's white space class.
inline bool IsSpace(TCHAR c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }

// Skips white space and one sign; the sign is not used.
inline const TCHAR* SkipPrefix(const TCHAR* p) {
    while (IsSpace(*p))
        ++p;
    if (*p == u'-' || *p == u'+')
        ++p;
    return p;
}

const TCHAR* ErrorText(CONVERTION_ERRORS error) {
    switch (error) {
    case CE_INVALID_CHARACHTER: return u"_ttof returns CE_INVALID_CHARACHTER";
    case CE_MAX_OVERFLOW: return u"_ttof returns CE_MAX_OVERFLOW";
    case CE_MIN_OVERPLOW: return u"_ttof returns CE_MIN_OVERPLOW";
    default: return nullptr;
    }
}

}  // namespace

CONVERTION_ERRORS _ttof(const TCHAR* text, float& out, bool quiet, bool acceptComma) {
    out = 0.0f;
    if (!text)
        return CE_OK;
    const TCHAR* p = SkipPrefix(text);
    float value = 0.0f;
    float factor = 0.1f;
    bool separatorSeen = false;
    CONVERTION_ERRORS result = CE_OK;
    for (; *p != 0; ++p) {
        const TCHAR c = *p;
        if (c >= u'0' && c <= u'9') {
            const int digit = c - u'0';
            if (!separatorSeen) {
                if (static_cast<double>(value) > kMaxBeforeDigit) {
                    result = CE_MAX_OVERFLOW;
                    break;
                }
                value = value * 10.0f + static_cast<float>(digit);
            } else {
                value = value + static_cast<float>(digit) * factor;
                factor = factor * 0.1f;
                if (factor < kMinFactor) {
                    result = CE_MIN_OVERPLOW;
                    break;
                }
            }
        } else if (!separatorSeen && (c == u'.' || (acceptComma && c == u','))) {
            separatorSeen = true;
        } else {
            result = CE_INVALID_CHARACHTER;
            break;
        }
    }
    if (result != CE_OK) {
        if (!quiet)
            MessageBoxW(nullptr, ErrorText(result), nullptr, MB_OK);
        return result;
    }
    out = value;
    return CE_OK;
}

CONVERTION_ERRORS _ttod(const TCHAR* text, double& out) {
    out = 0.0;
    if (!text)
        return CE_EMPTY;
    const TCHAR* p = SkipPrefix(text);
    if (*p == 0)
        return CE_EMPTY;
    double value = 0.0;
    double factor = 0.1;
    bool separatorSeen = false;
    for (; *p != 0; ++p) {
        const TCHAR c = *p;
        if (c >= u'0' && c <= u'9') {
            const int digit = c - u'0';
            if (!separatorSeen) {
                if (value > kMaxBeforeDigit)
                    return CE_MAX_OVERFLOW;
                value = value * 10.0 + digit;
            } else {
                value = value + digit * factor;
                factor = factor * 0.1;
                if (factor < kMinFactor)
                    return CE_MIN_OVERPLOW;
            }
        } else if (!separatorSeen && c == u'.') {
            separatorSeen = true;
        } else {
            return CE_INVALID_CHARACHTER;
        }
    }
    out = value;
    return CE_OK;
}

double atof(const TCHAR* text) {
    if (!text)
        return 0.0;
    char* ansi = nullptr;
    if (!UnicodeUtil::UnicodeToAnsi(text, &ansi) || !ansi)
        return 0.0;
    std::unique_ptr<char[]> owned(ansi);
    // Numbers in the program's data always use "."; a desktop locale with a decimal
    // comma must not change how they read.
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    if (!cLocale)
        return std::atof(owned.get());
    return strtod_l(owned.get(), nullptr, cLocale);
}
