#include "Text/StringTokenizer.h"
#include "Text/StringWTokenizer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::u16string> All(StringTokenizer& t) {
    std::vector<std::u16string> tokens;
    while (const TCHAR* token = t.nextToken())
        tokens.emplace_back(token);
    return tokens;
}

using Tokens = std::vector<std::u16string>;

}  // namespace

TEST(StringTokenizerTest, RunsOfDelimitersGiveNoEmptyTokens) {
    StringTokenizer t(u"a,,b,", u",");
    EXPECT_EQ(t.countTokens(), 2);
    EXPECT_TRUE(t.hasMoreTokens());
    EXPECT_EQ(std::u16string(t.nextToken()), u"a");
    EXPECT_EQ(t.countTokens(), 1);
    EXPECT_EQ(std::u16string(t.nextToken()), u"b");
    EXPECT_EQ(t.nextToken(), nullptr);
    EXPECT_FALSE(t.hasMoreElements());
    EXPECT_EQ(t.countTokens(), 0);
}

TEST(StringTokenizerTest, HasMoreTokensDoesNotChangeTheSequence) {
    StringTokenizer peeked(u" x  y ", u" ");
    StringTokenizer plain(u" x  y ", u" ");
    EXPECT_TRUE(peeked.hasMoreTokens());
    EXPECT_TRUE(peeked.hasMoreTokens());
    EXPECT_EQ(std::u16string(peeked.nextToken()), std::u16string(plain.nextToken()));
    EXPECT_EQ(All(peeked), All(plain));
}

TEST(StringTokenizerTest, DefaultDelimitersAreTheFiveBlanks) {
    StringTokenizer t(u"a b\tc\nd\re\ff\vg,h");
    EXPECT_EQ(All(t), (Tokens{u"a", u"b", u"c", u"d", u"e", u"f\vg,h"}));
}

TEST(StringTokenizerTest, EmptyAndNullInputs) {
    StringTokenizer empty(u"", u",");
    EXPECT_EQ(empty.countTokens(), 0);
    EXPECT_EQ(empty.nextToken(), nullptr);
    StringTokenizer nothing(nullptr, nullptr);
    EXPECT_EQ(nothing.nextToken(), nullptr);
    StringTokenizer noDelims(u"a,b", u"");
    EXPECT_EQ(All(noDelims), (Tokens{u"a,b"}));
    StringTokenizer onlyDelims(u",,,", u",");
    EXPECT_FALSE(onlyDelims.hasMoreTokens());
}

TEST(StringTokenizerTest, TokensStayValidAndChangingDelimiters) {
    StringTokenizer t(u"a,b;c d", u",");
    const TCHAR* first = t.nextToken();
    const TCHAR* second = t.nextToken(u";");
    const TCHAR* third = t.nextToken(u" ");
    const TCHAR* fourth = t.nextToken();
    EXPECT_EQ(std::u16string(first), u"a");
    EXPECT_EQ(std::u16string(second), u"b");
    EXPECT_EQ(std::u16string(third), u"c");
    EXPECT_EQ(std::u16string(fourth), u"d");
    EXPECT_EQ(t.GetCurrentPosition(), 8);
}

TEST(StringTokenizerTest, ReturnedDelimitersLoseNoCharacter) {
    StringTokenizer t(u"a,b,,c;", u",;", true);
    EXPECT_EQ(t.countTokens(), 7);
    std::vector<const TCHAR*> pointers;
    while (const TCHAR* token = t.nextToken())
        pointers.push_back(token);
    Tokens tokens(pointers.begin(), pointers.end());
    EXPECT_EQ(tokens, (Tokens{u"a", u",", u"b", u",", u",", u"c", u";"}));
    // Earlier tokens are intact after the later ones were taken.
    EXPECT_EQ(std::u16string(pointers[0]), u"a");
    EXPECT_EQ(std::u16string(pointers[1]), u",");
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

TEST(StringTokenizerTest, LongInput) {
    std::u16string text;
    for (int i = 0; i < 20000; ++i)
        text += u"word,";
    StringTokenizer t(text.c_str(), u",", true);
    EXPECT_EQ(t.countTokens(), 40000);
    int count = 0;
    while (t.nextToken())
        ++count;
    EXPECT_EQ(count, 40000);
}

TEST(StringTokenizerTest, PositionHelpersClampOutOfRange) {
    StringTokenizer t(u",a", u",");
    EXPECT_EQ(t.skipDelimiters(-5), 1);
    EXPECT_EQ(t.scanToken(1), 2);
    EXPECT_EQ(t.scanToken(100), 100);
}

TEST(StringTokenizerTest, WritableTwin) {
    TCHAR text[] = u"x|y";
    TCHAR delims[] = u"|";
    StringWTokenizer t(text, delims);
    EXPECT_EQ(std::u16string(t.nextToken()), u"x");
    EXPECT_EQ(std::u16string(t.nextToken(delims)), u"y");
    EXPECT_EQ(std::u16string(text), u"x|y");  // the caller's text is never changed
}
