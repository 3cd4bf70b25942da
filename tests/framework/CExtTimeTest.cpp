#include "Text/CExtTime.h"

#include <gtest/gtest.h>

#include <string>

namespace {
std::u16string Fmt(const CTime& time, const TCHAR* format) {
    return CExtTime::Format(time, format).str();
}
}  // namespace

TEST(CExtTimeTest, Specifiers) {
    const CTime march(2004, 3, 5, 9, 7, 3);
    EXPECT_EQ(Fmt(march, u"%d %b %y %H:%M"), u"5 mar 04 09:07");
    EXPECT_EQ(Fmt(march, u"%d %b %Y %H:%M:%S"), u"5 mar 2004 09:07:03");
    EXPECT_EQ(Fmt(march, u"%m/%d/%Y"), u"03/5/2004");
    EXPECT_EQ(Fmt(CTime(2009, 12, 25, 23, 59, 58), u"%d %B %y %S"), u"25 deceber 09 58");
    EXPECT_EQ(Fmt(CTime(2004, 6, 1, 0, 0, 0), u"%B"), u"juny");
    EXPECT_EQ(Fmt(CTime(2004, 9, 1, 0, 0, 0), u"%B/%b"), u"septeber/sep");

    const CExtTime member(march);
    EXPECT_EQ(member.Format(u"%H").str(), u"09");
    CExtTime copy;
    copy = member;
    EXPECT_EQ(copy.GetTime(), march.GetTime());
}

TEST(CExtTimeTest, PercentSigns) {
    const CTime t(2004, 3, 5, 9, 7, 3);
    EXPECT_EQ(Fmt(t, u"100%%"), u"100%");
    EXPECT_EQ(Fmt(t, u"%q%Z"), u"qZ");
    EXPECT_EQ(Fmt(t, u"ab%"), u"ab");
    EXPECT_EQ(Fmt(t, u""), u"");
    EXPECT_EQ(Fmt(t, nullptr), u"");
}

TEST(CExtTimeTest, ExpansionIsCutToTheBuffer) {
    std::u16string format;
    for (int i = 0; i < 40; ++i)
        format += u"%B";
    const std::u16string text = Fmt(CTime(2004, 9, 1, 0, 0, 0), format.c_str());
    EXPECT_EQ(text.size(), static_cast<std::size_t>(CExtTime::maxTimeBufferSize - 1));
    EXPECT_EQ(text.substr(0, 16), u"septeberseptebe" u"r");
}
