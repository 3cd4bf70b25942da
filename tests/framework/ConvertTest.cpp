#include "Text/Convert.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>

namespace {

struct Parsed {
    CONVERTION_ERRORS error;
    float value;
};

Parsed Ttof(const std::u16string& text, bool acceptComma = true) {
    float value = -1.0f;
    const CONVERTION_ERRORS error = _ttof(text.c_str(), value, true, acceptComma);
    return {error, value};
}

struct ParsedD {
    CONVERTION_ERRORS error;
    double value;
};

ParsedD Ttod(const std::u16string& text) {
    double value = -1.0;
    const CONVERTION_ERRORS error = _ttod(text.c_str(), value);
    return {error, value};
}

std::u16string Repeat(char16_t c, int n) { return std::u16string(static_cast<std::size_t>(n), c); }

std::u16string g_shown;
int RecordBox(HWND, LPCWSTR text, LPCWSTR, UINT type) {
    g_shown = text;
    EXPECT_EQ(type & MB_TYPEMASK, MB_OK);
    return IDOK;
}

}  // namespace

TEST(ConvertTest, TtofAcceptsPricesAndQuantities) {
    EXPECT_EQ(Ttof(u"  12.50").error, CE_OK);
    EXPECT_FLOAT_EQ(Ttof(u"  12.50").value, 12.5f);
    EXPECT_FLOAT_EQ(Ttof(u"12,50").value, 12.5f);
    EXPECT_FLOAT_EQ(Ttof(u"-3").value, 3.0f);  // the sign has no effect
    EXPECT_FLOAT_EQ(Ttof(u"+.5").value, 0.5f);
    EXPECT_FLOAT_EQ(Ttof(u"7.").value, 7.0f);
    EXPECT_EQ(Ttof(u"").error, CE_OK);
    EXPECT_EQ(Ttof(u"  +").value, 0.0f);
    EXPECT_EQ(Ttof(u"  +").error, CE_OK);

    float value = 1.0f;
    EXPECT_EQ(_ttof(nullptr, value, true, true), CE_OK);
    EXPECT_EQ(value, 0.0f);
}

TEST(ConvertTest, TtofRejectsMalformedTextWithZero) {
    for (const std::u16string text : {u"12.5 ", u"1.2.3", u"1,2.3", u"3-", u"1e5", u"12a", u"- 3", u"\u0663"}) {
        const Parsed p = Ttof(text);
        EXPECT_EQ(p.error, CE_INVALID_CHARACHTER) << std::string(text.begin(), text.end());
        EXPECT_EQ(p.value, 0.0f);
    }
    EXPECT_EQ(Ttof(u"12,50", false).error, CE_INVALID_CHARACHTER);
}

TEST(ConvertTest, TtofLimits) {
    EXPECT_EQ(Ttof(u"0." + Repeat(u'1', 35)).error, CE_OK);
    const Parsed tooFine = Ttof(u"0." + Repeat(u'1', 36));
    EXPECT_EQ(tooFine.error, CE_MIN_OVERPLOW);
    EXPECT_EQ(tooFine.value, 0.0f);

    const Parsed big = Ttof(u"1" + Repeat(u'0', 38));
    EXPECT_EQ(big.error, CE_OK);
    EXPECT_FLOAT_EQ(big.value, 1e38f);
    const Parsed tooBig = Ttof(u"1" + Repeat(u'0', 39));
    EXPECT_EQ(tooBig.error, CE_MAX_OVERFLOW);
    EXPECT_EQ(tooBig.value, 0.0f);
    // The largest accepted integer part never becomes infinite.
    const Parsed largest = Ttof(u"3" + Repeat(u'0', 38));
    EXPECT_EQ(largest.error, CE_OK);
    EXPECT_TRUE(std::isfinite(largest.value));
}

TEST(ConvertTest, TtofShowsTheCodeUnlessQuiet) {
    const MessageBoxHandler previous = SetMessageBoxHandler(&RecordBox);
    float value = 0.0f;
    g_shown.clear();
    _ttof(u"abc", value, true, true);
    EXPECT_EQ(g_shown, u"");
    _ttof(u"abc", value, false, true);
    EXPECT_EQ(g_shown, u"_ttof returns CE_INVALID_CHARACHTER");
    _ttof((u"1" + Repeat(u'0', 40)).c_str(), value, false, true);
    EXPECT_EQ(g_shown, u"_ttof returns CE_MAX_OVERFLOW");
    _ttof((u"." + Repeat(u'0', 40)).c_str(), value, false, true);
    EXPECT_EQ(g_shown, u"_ttof returns CE_MIN_OVERPLOW");
    SetMessageBoxHandler(previous);
}

TEST(ConvertTest, TtodDiffersOnEmptyAndComma) {
    EXPECT_EQ(Ttod(u"").error, CE_EMPTY);
    EXPECT_EQ(Ttod(u"").value, 0.0);
    EXPECT_EQ(Ttod(u" -").error, CE_EMPTY);
    const ParsedD comma = Ttod(u"1,5");
    EXPECT_EQ(comma.error, CE_INVALID_CHARACHTER);
    EXPECT_EQ(comma.value, 0.0);
    EXPECT_DOUBLE_EQ(Ttod(u" 0.125").value, 0.125);
    EXPECT_EQ(Ttod(u"0." + Repeat(u'5', 35)).error, CE_OK);
    EXPECT_EQ(Ttod(u"0." + Repeat(u'5', 36)).error, CE_MIN_OVERPLOW);
    EXPECT_EQ(Ttod(u"1" + Repeat(u'0', 39)).error, CE_MAX_OVERFLOW);
    double value = 1.0;
    EXPECT_EQ(_ttod(nullptr, value), CE_EMPTY);
    EXPECT_EQ(value, 0.0);
}

TEST(ConvertTest, AtofReadsTheLeadingNumber) {
    EXPECT_DOUBLE_EQ(atof(u"12.50 EUR"), 12.5);
    EXPECT_DOUBLE_EQ(atof(u"  -3"), -3.0);
    EXPECT_DOUBLE_EQ(atof(u"abc"), 0.0);
    EXPECT_DOUBLE_EQ(atof(u"\u0416"), 0.0);
    EXPECT_DOUBLE_EQ(atof(static_cast<const TCHAR*>(nullptr)), 0.0);

    // A desktop locale with a decimal comma must not change the result.
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") || std::setlocale(LC_NUMERIC, "fr_FR.UTF-8")) {
        EXPECT_DOUBLE_EQ(atof(u"2.25"), 2.25);
    }
    std::setlocale(LC_NUMERIC, saved.c_str());
}
