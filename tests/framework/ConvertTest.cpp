#include "Text/Convert.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

namespace {

std::u16string Repeat(char16_t c, int n) { return std::u16string(static_cast<std::size_t>(n), c); }

}  // namespace

TEST(ConvertTest, TtofResultsAndLimits) {
    // Malformed or out-of-range text gives its code and zero. The program always reads
    // quietly and takes a decimal comma.
    struct Case {
        std::u16string text;
        CONVERTION_ERRORS error;
        float value;
    };
    const Case cases[] = {
        {u"12,50", CE_OK, 12.5f},
        {u"-3", CE_OK, 3.0f},  // the sign has no effect
        {u"  +.5", CE_OK, 0.5f},
        {u"", CE_OK, 0.0f},
        {u"0." + Repeat(u'1', 35), CE_OK, 0.11111111f},
        {u"0." + Repeat(u'1', 36), CE_MIN_OVERPLOW, 0.0f},
        {u"3" + Repeat(u'0', 38), CE_OK, 3e38f},  // the largest integer part stays finite
        {u"1" + Repeat(u'0', 39), CE_MAX_OVERFLOW, 0.0f},
    };
    for (const Case& c : cases) {
        float value = -1.0f;
        EXPECT_EQ(_ttof(c.text.c_str(), value, true, true), c.error) << c.text.size();
        EXPECT_FLOAT_EQ(value, c.value) << c.text.size();
    }
    for (const std::u16string text : {u"12.5 ", u"1.2.3", u"1e5", u"\u0663"}) {
        float value = -1.0f;
        EXPECT_EQ(_ttof(text.c_str(), value, true, true), CE_INVALID_CHARACHTER) << std::string(text.begin(), text.end());
        EXPECT_EQ(value, 0.0f);
    }
    float value = 1.0f;
    EXPECT_EQ(_ttof(nullptr, value, true, true), CE_OK);
    EXPECT_EQ(value, 0.0f);
}

TEST(ConvertTest, AtofReadsTheLeadingNumber) {
    EXPECT_DOUBLE_EQ(atof(u"12.50 EUR"), 12.5);
    EXPECT_DOUBLE_EQ(atof(u"\u0416"), 0.0);
    EXPECT_DOUBLE_EQ(atof(static_cast<const TCHAR*>(nullptr)), 0.0);

    // A desktop locale with a decimal comma must not change the result.
    const std::string saved = std::setlocale(LC_NUMERIC, nullptr);
    if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") || std::setlocale(LC_NUMERIC, "fr_FR.UTF-8")) {
        EXPECT_DOUBLE_EQ(atof(u"2.25"), 2.25);
    }
    std::setlocale(LC_NUMERIC, saved.c_str());
}
