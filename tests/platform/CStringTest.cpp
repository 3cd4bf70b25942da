#include "CString.h"

#include <gtest/gtest.h>

namespace {

TEST(CString, NullAndEmptyAndConstruction) {
    EXPECT_TRUE(CString(static_cast<const WCHAR*>(nullptr)).IsEmpty());
    EXPECT_EQ(CString(u"abc", 2), CString(u"ab"));
    EXPECT_EQ(CString(u'x', 3), CString(u"xxx"));
    EXPECT_TRUE(CString(u'x', -1).IsEmpty());
    CString s(u"abc");
    s = s.GetString() + 1;  // assigning from its own buffer
    EXPECT_EQ(s, u"bc");
    s = static_cast<const WCHAR*>(nullptr);
    EXPECT_TRUE(s.IsEmpty());
}

TEST(CString, PiecesClampOutOfRangeArguments) {
    const CString s(u"Hello");
    EXPECT_EQ(s.Left(2), u"He");
    EXPECT_EQ(s.Left(99), u"Hello");
    EXPECT_EQ(s.Left(-1), u"");
    EXPECT_EQ(s.Mid(3), u"lo");
    EXPECT_EQ(s.Mid(9), u"");
    EXPECT_EQ(s.Mid(-2, 2), u"He");
    EXPECT_EQ(s.Mid(4, 9), u"o");
    EXPECT_EQ(1, s.Find(u'e'));
    EXPECT_EQ(3, s.Find(u'l', 3));
    EXPECT_EQ(-1, s.Find(u'l', 9));
    EXPECT_EQ(2, s.Find(u"ll"));
    EXPECT_EQ(-1, s.Find(u"ll", 3));
    EXPECT_EQ(3, s.ReverseFind(u'l'));
    EXPECT_EQ(-1, s.ReverseFind(u'z'));
}

TEST(CString, EditingAndFormat) {
    CString s(u"  a-b-c \t\n");
    s.Trim();
    EXPECT_EQ(s, u"a-b-c");
    EXPECT_EQ(2, s.Replace(u"-", u"--"));
    EXPECT_EQ(s, u"a--b--c");
    EXPECT_EQ(0, s.Replace(u"", u"x"));
    EXPECT_EQ(9, s.Insert(99, u"!!"));
    EXPECT_EQ(s, u"a--b--c!!");
    s.Insert(0, u"Ж");
    EXPECT_EQ(s, u"Жa--b--c!!");

    s.Format(u"%s=%d (%.1f%%)", u"n", 5, 12.5);
    EXPECT_EQ(s, u"n=5 (12.5%)");
    EXPECT_EQ(CString(u"a") + u"b" + CString(u"c") + u'd', u"abcd");
}

}  // namespace
