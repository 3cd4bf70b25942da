#include "CodePage.h"
#include "PlatformTestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::u16string Decode(UINT cp, const std::string& bytes) {
    std::u16string out(bytes.size() * 2 + 1, u'\0');
    const int n = MultiByteToWideChar(cp, 0, bytes.data(), static_cast<int>(bytes.size()), out.data(),
                                      static_cast<int>(out.size()));
    out.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return out;
}

std::string Encode(UINT cp, const std::u16string& text, BOOL* usedDefault) {
    std::string out(text.size() * 4 + 1, '\0');
    const int n = WideCharToMultiByte(cp, 0, text.data(), static_cast<int>(text.size()), out.data(),
                                      static_cast<int>(out.size()), nullptr, usedDefault);
    out.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
    return out;
}

TEST(CodePage, Windows1252RoundTripsEveryByte) {
    std::string all;
    for (int b = 1; b < 256; ++b)
        all += static_cast<char>(b);
    const std::u16string wide = Decode(CP_ACP, all);
    ASSERT_EQ(255u, wide.size());
    EXPECT_EQ(u'\u20AC', wide[0x80 - 1]);
    EXPECT_EQ(u'\u0178', wide[0x9F - 1]);
    EXPECT_EQ(char16_t(0x81), wide[0x81 - 1]);  // undefined bytes keep their value
    EXPECT_EQ(char16_t(0xE9), wide[0xE9 - 1]);
    BOOL used = TRUE;
    EXPECT_EQ(all, Encode(CP_ACP, wide, &used));
    EXPECT_FALSE(used);
}

TEST(CodePage, UnmappableCharactersBecomeTheDefaultCharacter) {
    BOOL used = FALSE;
    EXPECT_EQ("a?b?", Encode(CP_ACP, u"a\u0416b\U0001F600", &used));  // one '?' per pair
    EXPECT_TRUE(used);
}

TEST(CodePage, LengthConventions) {
    // -1 counts the terminator; 0 asks for the size; a short buffer fails.
    EXPECT_EQ(4, MultiByteToWideChar(CP_ACP, 0, "abc", -1, nullptr, 0));
    char16_t wide[4];
    EXPECT_EQ(4, MultiByteToWideChar(CP_ACP, 0, "abc", -1, wide, 4));
    EXPECT_EQ(std::u16string(u"abc"), wide);
    EXPECT_FAILS(0, MultiByteToWideChar(CP_ACP, 0, "abcd", -1, wide, 4), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_FAILS(0, MultiByteToWideChar(CP_ACP, 0, "abc", 0, wide, 4), ERROR_INVALID_PARAMETER);
    char narrow[2];
    EXPECT_FAILS(0, WideCharToMultiByte(CP_ACP, 0, u"ab", 2, narrow, 1, nullptr, nullptr), ERROR_INSUFFICIENT_BUFFER);
}

}  // namespace
