#include "WideString.h"

#include <gtest/gtest.h>

namespace {

int Sign(int v) {
    return (v > 0) - (v < 0);
}

TEST(WideString, CaseMappingCoversTheSupportedScripts) {
    struct Pair {
        char16_t upper, lower;
    };
    const Pair pairs[] = {
        {u'A', u'a'},     {u'Z', u'z'},     {0xC0, 0xE0},     {0xDE, 0xFE},  // Latin-1
        {0x100, 0x101},   {0x132, 0x133},   {0x139, 0x13A},   {0x147, 0x148},  // Latin Ext-A
        {0x152, 0x153},   {0x17D, 0x17E},   {0x178, 0xFF},    {0x391, 0x3B1},  // Œ, Ž, Ÿ, Greek
        {0x3A9, 0x3C9},   {0x410, 0x430},   {0x42F, 0x44F},   {0x401, 0x451},  // Cyrillic, Ё
    };
    for (const Pair& p : pairs) {
        EXPECT_EQ(p.lower, towlower16(p.upper)) << std::hex << int(p.upper);
        EXPECT_EQ(p.upper, towupper16(p.lower)) << std::hex << int(p.lower);
    }
    // Not letters, or letters without a simple partner, stay as they are.
    for (char16_t c : {u'1', u'@', char16_t(0xD7), char16_t(0xF7), char16_t(0xDF), char16_t(0x138),
                       char16_t(0x3A2), char16_t(0x4E00)}) {
        EXPECT_EQ(c, towlower16(c)) << std::hex << int(c);
        EXPECT_EQ(c, towupper16(c)) << std::hex << int(c);
    }
    EXPECT_EQ(char16_t(0x3A3), towupper16(0x3C2));  // final sigma
}

TEST(WideString, CompareIgnoringCaseOrdersLikeStrcmpOnFoldedText) {
    EXPECT_EQ(0, _wcsicmp(u"Ärger ÉTÉ Москва Ωμέγα", u"äRGER été МОСКВА ωΜέΓα"));
    EXPECT_EQ(0, _wcsicmp(u"ΟΔΟΣ", u"οδο\u03C2"));  // final sigma meets capital sigma
    EXPECT_EQ(-1, Sign(_wcsicmp(u"apple", u"Banana")));
    EXPECT_EQ(1, Sign(_wcsicmp(u"apple", u"APP")));
    EXPECT_EQ(-1, Sign(_wcsicmp(u"", u"a")));
    EXPECT_EQ(0, _wcsicmp(nullptr, u""));  // no crash on a null argument
    EXPECT_EQ(0, CompareNoCase(u"Čaj", u"čAJ"));
    EXPECT_LT(CompareNoCase(u"ab", u"ABC"), 0);
    EXPECT_TRUE(EqualsNoCase(u"ŸES", u"ÿes"));
    EXPECT_FALSE(EqualsNoCase(u"abc", u"abd"));
    EXPECT_EQ(u"ärger ω", FoldCase(u"ÄRGER Ω"));
}

TEST(WideString, TcharHelpersBehaveLikeTheirNarrowCounterparts) {
    const char16_t buf[] = u"abcab";
    EXPECT_EQ(5u, _tcslen(buf));
    EXPECT_EQ(buf + 3, _tcschr(buf, u'a') + 3);
    EXPECT_EQ(buf + 5, _tcschr(buf, u'\0'));
    EXPECT_EQ(nullptr, _tcschr(buf, u'z'));
    EXPECT_LT(_tcscmp(u"a", u"b"), 0);
    EXPECT_GT(_tcscmp(u"a", u"A"), 0);
}

TEST(WideString, Utf8RoundTripsAndRepairsMalformedInput) {
    const std::u16string text = u"a\u00E9\u20AC\U0001F600z";
    const std::string utf8 = ToUtf8(text);
    EXPECT_EQ("a\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80z", utf8);
    EXPECT_EQ(text, FromUtf8(utf8));

    EXPECT_EQ("\xEF\xBF\xBD" "x", ToUtf8(std::u16string(u"\xD800x")));  // lone surrogate
    EXPECT_EQ(u"\uFFFD\uFFFD", FromUtf8("\xC0\xAF"));                    // overlong
    EXPECT_EQ(u"\uFFFDA", FromUtf8("\xE2\x82" "A"));                    // cut sequence
    EXPECT_EQ(u"\uFFFD\uFFFD\uFFFD", FromUtf8("\xED\xA0\x80"));        // encoded surrogate
    EXPECT_EQ(u"\uFFFD", FromUtf8("\xF4\x90\x80\x80").substr(0, 1));   // past U+10FFFF
    EXPECT_EQ(u"\uFFFD", FromUtf8("\xFF"));
    EXPECT_EQ(u"x\uFFFD", FromUtf8("x\xF0\x9F\x98"));  // truncated at the end
}

}  // namespace
