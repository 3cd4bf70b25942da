#include "Text/StringTokenizer.h"
#include "Text/StringWTokenizer.h"

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

TEST(StringTokenizerTest, SplitsOnTheGivenOrTheFiveBlankDelimiters) {
    struct Case {
        const TCHAR* text;
        const TCHAR* delims;
        Tokens tokens;
        bool defaultDelims = false;
    };
    const Case cases[] = {
        {u"a,,b,", u",", {u"a", u"b"}},  // runs of delimiters give no empty tokens
        {u"a b\tc\nd\re\ff\vg,h", nullptr, {u"a", u"b", u"c", u"d", u"e", u"f\vg,h"}, true},
        {u"", u",", {}},
        {nullptr, nullptr, {}},
        {u"a,b", u"", {u"a,b"}},
        {u",,,", u",", {}},
    };
    for (const Case& c : cases) {
        StringTokenizer t = c.defaultDelims ? StringTokenizer(c.text) : StringTokenizer(c.text, c.delims);
        EXPECT_EQ(t.countTokens(), static_cast<int>(c.tokens.size()));
        EXPECT_EQ(t.hasMoreTokens(), !c.tokens.empty());
        EXPECT_EQ(All(t), c.tokens);
        EXPECT_FALSE(t.hasMoreElements());
        EXPECT_EQ(t.countTokens(), 0);
    }

    // Asking whether more tokens follow does not change the sequence.
    StringTokenizer peeked(u" x  y ", u" ");
    StringTokenizer plain(u" x  y ", u" ");
    EXPECT_TRUE(peeked.hasMoreTokens());
    EXPECT_TRUE(peeked.hasMoreTokens());
    EXPECT_EQ(std::u16string(peeked.nextToken()), std::u16string(plain.nextToken()));
    EXPECT_EQ(peeked.countTokens(), 1);
    EXPECT_EQ(All(peeked), All(plain));
}

TEST(StringTokenizerTest, TokensStayValidWhileDelimitersChangeOrAreReturned) {
    StringTokenizer t(u"a,b;c d", u",");
    const std::vector<const TCHAR*> taken = {t.nextToken(), t.nextToken(u";"), t.nextToken(u" "), t.nextToken()};
    EXPECT_EQ(Tokens(taken.begin(), taken.end()), (Tokens{u"a", u"b", u"c", u"d"}));
    EXPECT_EQ(t.GetCurrentPosition(), 8);

    // Returned delimiters lose no character, and earlier tokens are intact after later ones.
    StringTokenizer returning(u"a,b,,c;", u",;", true);
    EXPECT_EQ(returning.countTokens(), 7);
    std::vector<const TCHAR*> pointers;
    while (const TCHAR* token = returning.nextToken())
        pointers.push_back(token);
    EXPECT_EQ(Tokens(pointers.begin(), pointers.end()), (Tokens{u"a", u",", u"b", u",", u",", u"c", u";"}));
}

TEST(StringTokenizerTest, CopiesShareNothing) {
    auto original = std::make_unique<StringTokenizer>(u"one two three");
    EXPECT_EQ(std::u16string(original->nextToken()), u"one");
    StringTokenizer copy(*original);
    StringTokenizer assigned(u"z");
    assigned = *original;
    EXPECT_EQ(std::u16string(original->nextToken()), u"two");
    original.reset();
    EXPECT_EQ(All(copy), (Tokens{u"two", u"three"}));
    EXPECT_EQ(All(assigned), (Tokens{u"two", u"three"}));

    StringTokenizer moved(std::move(copy));
    EXPECT_EQ(moved.nextToken(), nullptr);
    EXPECT_EQ(copy.nextToken(), nullptr);  // a moved-from tokenizer is empty, not broken
}

TEST(StringTokenizerTest, LongInputAndPositionsOutOfRange) {
    std::u16string text;
    for (int i = 0; i < 20000; ++i)
        text += u"word,";
    StringTokenizer t(text.c_str(), u",", true);
    EXPECT_EQ(t.countTokens(), 40000);
    EXPECT_EQ(All(t).size(), 40000u);

    StringTokenizer clamped(u",a", u",");
    EXPECT_EQ(clamped.skipDelimiters(-5), 1);
    EXPECT_EQ(clamped.scanToken(1), 2);
    EXPECT_EQ(clamped.scanToken(100), 100);
}

TEST(StringTokenizerTest, WritableTwin) {
    TCHAR text[] = u"x|y";
    TCHAR delims[] = u"|";
    StringWTokenizer t(text, delims);
    EXPECT_EQ(std::u16string(t.nextToken()), u"x");
    EXPECT_EQ(std::u16string(t.nextToken(delims)), u"y");
    EXPECT_EQ(std::u16string(text), u"x|y");  // the caller's text is never changed
}
