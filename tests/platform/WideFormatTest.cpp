#include "WideFormat.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(WideFormat, IntegersWithFlagsWidthsAndLengths) {
    EXPECT_EQ(u"42|   42|42   |00042|+42| 42|-0042", Format(u"%d|%5d|%-5d|%05d|%+d|% d|%05i", 42, 42, 42, 42, 42, 42, -42));
    EXPECT_EQ(u"FF ff 0xff 10 00000ABC 0XAB", Format(u"%X %x %#x %o %08X %#X", 255u, 255u, 255u, 8u, 0xABCu, 0xABu));
    // "l" is the device's 32-bit LONG, so a negative LONG prints negative.
    EXPECT_EQ(u"-5 4294967295", Format(u"%ld %lu", LONG(-5), DWORD(0xFFFFFFFFu)));
    EXPECT_EQ(u"-9223372036854775808 1099511627776 18446744073709551615",
              Format(u"%lld %I64d %I64u", LLONG_MIN, 1LL << 40, ULLONG_MAX));
    EXPECT_EQ(u"4464 65535 -1", Format(u"%hd %hu %hhd", 70000, -1, 255));
    EXPECT_EQ(u"   7|7  |  -3", Format(u"%*d|%-*d|%*d", 4, 7, 3, 7, 4, -3));
    EXPECT_EQ(u"7  ", Format(u"%*d", -3, 7));  // negative width means left-aligned
    EXPECT_EQ(u"100%", Format(u"%d%%", 100));
    EXPECT_EQ(300u, Format(u"%300d", 1).size());
}

TEST(WideFormat, FloatingPoint) {
    EXPECT_EQ(u"3.14|1.500000|  -2.500|1.234568e+04|1.2346E+04|0.0001|2.8",
              Format(u"%.2f|%f|%8.3f|%e|%.4E|%g|%.*f", 3.14159, 1.5, -2.5, 12345.678, 12345.678, 0.0001, 1, 2.75));
    EXPECT_EQ(u"+0.50 1.25", Format(u"%+.2f %.2Lf", 0.5, 1.25L));
}

TEST(WideFormat, StringsAndCharacters) {
    EXPECT_EQ(u"[é][   ab][ab   ][ab][nar][x][hs][ws]",
              Format(u"[%s][%5s][%-5s][%.2s][%S][%.1S][%hs][%ls]", u"é", u"ab", u"ab", u"abc", "nar", "xy", "hs", u"ws"));
    EXPECT_EQ(u"(null) (null) (nu", Format(u"%s %S %.3s", static_cast<const char16_t*>(nullptr),
                                           static_cast<const char*>(nullptr), static_cast<const char16_t*>(nullptr)));
    // Narrow text is in the ANSI code page: byte 0x80 is the euro sign.
    EXPECT_EQ(u"€ € A  x", Format(u"%c %S %C %2c", 0x20AC, "\x80", 'A', u'x'));
    EXPECT_EQ(u"$ 2.50", Format(u"%c %.2f", u'$', 2.5));
    EXPECT_EQ(u"0000000000001234", Format(u"%p", reinterpret_cast<void*>(0x1234)));
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

    EXPECT_EQ(-1, _snwprintf(buf, 3, u"%d", 12345));
    EXPECT_EQ(std::u16string(u"12"), buf);

    buf[0] = u'#';
    EXPECT_EQ(-1, _snwprintf(buf, 0, u"x"));
    EXPECT_EQ(u'#', buf[0]);
    EXPECT_EQ(0, _snwprintf(buf, 0, u""));

    // A cut never leaves half a surrogate pair behind.
    EXPECT_EQ(-1, _snwprintf(buf, 3, u"a%s", u"\U0001F600"));
    EXPECT_EQ(std::u16string(u"a"), buf);
}

}  // namespace
