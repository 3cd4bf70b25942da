#include "Text/StringTokenizer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Tokens = std::vector<std::u16string>;

Tokens All(StringTokenizer& t) {
    Tokens tokens;
    while (const TCHAR* token = t.nextToken())
        tokens.emplace_back(token);
    return tokens;
}

}  // namespace

TEST(StringTokenizerTest, SplitsOnTheGivenDelimiters) {
    struct Case {
        const TCHAR* text;
        const TCHAR* delims;
        Tokens tokens;
    };
    const Case cases[] = {
        {u"a,,b,", u",", {u"a", u"b"}},  // runs of delimiters give no empty tokens
        {u"a b;c", u" ;", {u"a", u"b", u"c"}},
        {u"", u",", {}},
        {nullptr, nullptr, {}},
        {u"a,b", u"", {u"a,b"}},
        {u",,,", u",", {}},
        {u" x  y ", u" ", {u"x", u"y"}},
    };
    for (const Case& c : cases) {
        StringTokenizer t(c.text, c.delims);
        EXPECT_EQ(t.countTokens(), static_cast<int>(c.tokens.size()));
        // Asking whether more tokens follow, even twice, does not change the sequence.
        EXPECT_EQ(t.hasMoreTokens() && t.hasMoreTokens(), !c.tokens.empty());
        EXPECT_EQ(All(t), c.tokens);
        EXPECT_EQ(t.countTokens(), 0);
    }
}

// A record's fields are all taken before any is read: earlier tokens stay intact.
TEST(StringTokenizerTest, EarlierTokensStayValidOverLongInput) {
    std::u16string text;
    for (int i = 0; i < 20000; ++i)
        text += u"word" + std::u16string(1, static_cast<char16_t>(u'a' + i % 26)) + u",";
    StringTokenizer t(text.c_str(), u",");
    EXPECT_EQ(t.countTokens(), 20000);
    std::vector<const TCHAR*> pointers;
    while (const TCHAR* token = t.nextToken())
        pointers.push_back(token);
    ASSERT_EQ(pointers.size(), 20000u);
    for (std::size_t i = 0; i < pointers.size(); i += 997)
        EXPECT_EQ(std::u16string(pointers[i]), u"word" + std::u16string(1, static_cast<char16_t>(u'a' + i % 26)));
}
