#include "WideFormat.h"

#include <gtest/gtest.h>

namespace {

// The conversions the program's texts use; other flags and lengths are not checked.
TEST(WideFormat, TheConversionsOfTheProgramsTexts) {
    EXPECT_EQ(u"42|   42|00042|-0042", Format(u"%d|%5d|%05d|%05d", 42, 42, 42, -42));
    EXPECT_EQ(u"FF ff 00000abc 4294967295", Format(u"%X %x %08x %u", 255u, 255u, 0xABCu, 0xFFFFFFFFu));
    EXPECT_EQ(u"100%", Format(u"%d%%", 100));
    EXPECT_EQ(300u, Format(u"%300d", 1).size());
    EXPECT_EQ(u"3.14|1.500000|  -2.500|2.8", Format(u"%.2f|%f|%8.3f|%.*f", 3.14159, 1.5, -2.5, 1, 2.75));
    EXPECT_EQ(u"[é][   ab][nar]", Format(u"[%s][%5s][%S]", u"é", u"ab", "nar"));
    EXPECT_EQ(u"(null) (null)", Format(u"%s %S", static_cast<const char16_t*>(nullptr), static_cast<const char*>(nullptr)));
    // Narrow text is in the ANSI code page: byte 0x80 is the euro sign.
    EXPECT_EQ(u"€ € $ 2.50", Format(u"%c %S %c %.2f", 0x20AC, "\x80", u'$', 2.5));
}

TEST(WideFormat, OddFormatsAreShownNotInterpreted) {
    EXPECT_EQ(u"a%yb", Format(u"a%yb"));
    EXPECT_EQ(u"tail %", Format(u"tail %"));
    int sink = 7;
    EXPECT_EQ(u"x1", Format(u"x%n%d", &sink, 1));
    EXPECT_EQ(7, sink);  // %n never writes
    EXPECT_EQ(u"", Format(nullptr));
}

TEST(WideFormat, BoundedOutputIsAlwaysTerminated) {
    char16_t buf[8];
    std::fill(std::begin(buf), std::end(buf), u'#');
    EXPECT_EQ(6, _snwprintf(buf, 7, u"%s", u"abcdef"));
    EXPECT_EQ(std::u16string(u"abcdef"), buf);

    std::fill(std::begin(buf), std::end(buf), u'#');
    EXPECT_EQ(-1, _snwprintf(buf, 6, u"%s", u"abcdef"));  // no room for the terminator
    EXPECT_EQ(std::u16string(u"abcde"), buf);
    EXPECT_EQ(u'#', buf[6]);

    buf[0] = u'#';
    EXPECT_EQ(-1, _snwprintf(buf, 0, u"x"));
    EXPECT_EQ(u'#', buf[0]);
    EXPECT_EQ(0, _snwprintf(buf, 0, u""));

    // A cut never leaves half a surrogate pair behind.
    EXPECT_EQ(-1, _snwprintf(buf, 3, u"a%s", u"\U0001F600"));
    EXPECT_EQ(std::u16string(u"a"), buf);
}

}  // namespace
