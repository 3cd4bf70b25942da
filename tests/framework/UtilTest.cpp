#include "Text/Util.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

struct Box {
    std::u16string text, caption;
    UINT type = 0;
    int count = 0;
};
Box g_box;

int RecordBox(HWND, LPCWSTR text, LPCWSTR caption, UINT type) {
    g_box.text = text ? text : u"";
    g_box.caption = caption ? caption : u"";
    g_box.type = type;
    ++g_box.count;
    return IDOK;
}

std::u16string Joined(const TCHAR* path, const TCHAR* name) {
    CString p(path);
    Util::AppendPath(p, name);
    return p.str();
}

}  // namespace

TEST(UtilTest, TcsdupCopies) {
    EXPECT_EQ(Util::tcsdup(nullptr), nullptr);
    const TCHAR source[] = u"abc";
    std::unique_ptr<TCHAR[]> copy(Util::tcsdup(source));
    EXPECT_NE(copy.get(), source);
    EXPECT_EQ(std::u16string(copy.get()), u"abc");
}

TEST(UtilTest, AppendPathPutsExactlyOneSeparator) {
    EXPECT_EQ(Joined(u"\\Items", u"Milk"), u"\\Items\\Milk");
    EXPECT_EQ(Joined(u"\\Items\\", u"Milk"), u"\\Items\\Milk");
    EXPECT_EQ(Joined(u"\\Items", u"\\Milk"), u"\\Items\\Milk");
    EXPECT_EQ(Joined(u"\\Items\\", u"\\Milk"), u"\\Items\\Milk");
    EXPECT_EQ(Joined(u"", u"Milk"), u"Milk");
    EXPECT_EQ(Joined(u"a", nullptr), u"a\\");

    CString path(u"SOFTWARE");
    Util::AppendPath(path, CString(u"Tamra"));
    EXPECT_EQ(path.str(), u"SOFTWARE\\Tamra");
}

TEST(UtilTest, AppendPathBufferNeverOverruns) {
    TCHAR buffer[12] = u"\\Items";
    EXPECT_TRUE(Util::AppendPath(buffer, 12, u"Milk"));  // 11 characters and the terminator
    EXPECT_EQ(std::u16string(buffer), u"\\Items\\Milk");
    EXPECT_FALSE(Util::AppendPath(buffer, 12, u"x"));
    EXPECT_EQ(std::u16string(buffer), u"\\Items\\Milk");

    TCHAR unterminated[3] = {u'a', u'b', u'c'};
    EXPECT_FALSE(Util::AppendPath(unterminated, 3, u"d"));
    EXPECT_FALSE(Util::AppendPath(nullptr, 10, u"d"));
}

TEST(UtilTest, ErrorMessages) {
    std::unique_ptr<TCHAR[]> text(Util::GetErrorMessage(0x20));
    EXPECT_EQ(std::u16string(text.get()), u"Error code =20");
    SetLastError(183);
    text.reset(Util::GetErrorMessage(-1));
    EXPECT_EQ(std::u16string(text.get()), u"Error code =B7");

    const MessageBoxHandler previous = SetMessageBoxHandler(&RecordBox);
    Util::DisplayErrorMessage(ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(g_box.text, u"The system cannot find the file specified.");
    EXPECT_EQ(g_box.caption, u"Error");
    EXPECT_EQ(g_box.type, MB_OK | MB_ICONINFORMATION);
    SetLastError(0xABCDE);
    Util::DisplayErrorMessage(-1);
    EXPECT_EQ(g_box.text, u"Error code =ABCDE");
    EXPECT_EQ(g_box.count, 2);
    SetMessageBoxHandler(previous);
}
