#include "IoTestSupport.h"
#include "Text/CExtTime.h"
#include "Text/Path.h"
#include "Text/Util.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

std::u16string Fmt(const CTime& time, const TCHAR* format) {
    return CExtTime::Format(time, format).str();
}

using Parts = std::vector<std::u16string>;  // drive, dir, file name, extension

Parts Split(const TCHAR* path) {
    TCHAR drive[_MAX_PATH_PART], dir[_MAX_PATH_PART], fname[_MAX_PATH_PART], ext[_MAX_PATH_PART];
    _tsplitpath(path, drive, dir, fname, ext);
    return {drive, dir, fname, ext};
}

std::u16string Make(const TCHAR* drive, const TCHAR* dir, const TCHAR* fname, const TCHAR* ext) {
    TCHAR path[_MAX_PATH];
    _tmakepath(path, drive, dir, fname, ext);
    return path;
}

std::u16string Joined(const TCHAR* path, const TCHAR* name) {
    CString p(path);
    Util::AppendPath(p, name);
    return p.str();
}

}  // namespace

TEST(CExtTimeTest, Specifiers) {
    const CTime march(2004, 3, 5, 9, 7, 3);
    // The log's and the unused lists' formats.
    EXPECT_EQ(Fmt(march, u"%d %b %Y %H:%M:%S"), u"5 mar 2004 09:07:03");
    EXPECT_EQ(Fmt(CTime(2009, 12, 25, 23, 59, 58), u"%d %b %y %H:%M"), u"25 dec 09 23:59");
    // Percent signs: doubled, unknown or last.
    EXPECT_EQ(Fmt(march, u"100%%%q%Z"), u"100%qZ");
    EXPECT_EQ(Fmt(march, u"ab%"), u"ab");
    EXPECT_EQ(Fmt(march, nullptr), u"");
}

TEST(CExtTimeTest, ExpansionIsCutToTheBuffer) {
    std::u16string format;
    for (int i = 0; i < 40; ++i)
        format += u"%Y";
    const std::u16string text = Fmt(CTime(2004, 9, 1, 0, 0, 0), format.c_str());
    EXPECT_EQ(text.size(), static_cast<std::size_t>(CExtTime::maxTimeBufferSize - 1));
    EXPECT_EQ(text.substr(0, 8), u"20042004");
}

TEST(PathTest, SplitDevicePaths) {
    EXPECT_EQ(Split(u"\\a.b/c"), (Parts{u"", u"\\a.b/", u"c", u""}));
    EXPECT_EQ(Split(u"C:x.tar.gz"), (Parts{u"C:", u"", u"x.tar", u".gz"}));
    EXPECT_EQ(Split(nullptr), (Parts{u"", u"", u"", u""}));
    _tsplitpath(u"\\a\\b.c", nullptr, nullptr, nullptr, nullptr);  // null outputs are skipped
    // Long parts are cut.
    EXPECT_EQ(Split((u"\\d\\" + std::u16string(400, u'n') + u".txt").c_str()),
              (Parts{u"", u"\\d\\", std::u16string(255, u'n'), u".txt"}));
}

TEST(PathTest, MakeJoinsParts) {
    EXPECT_EQ(Make(nullptr, u"\\Windows", u"a", u"txt"), u"\\Windows/a.txt");
    EXPECT_EQ(Make(u"Cx", u"\\dir\\", u"f", u".x"), u"C:\\dir\\f.x");
    EXPECT_EQ(Make(nullptr, nullptr, nullptr, nullptr), u"");
    // Splitting and making again gives the path back.
    for (const TCHAR* path : {u"\\My Documents\\list.lsr", u"\\Listora.txt", u"C:\\a\\b\\c.d", u"\\x/y/z"}) {
        const Parts p = Split(path);
        EXPECT_EQ(Make(p[0].c_str(), p[1].c_str(), p[2].c_str(), p[3].c_str()), path);
    }
}

TEST(PathTest, MakeRefusesTooLongPaths) {
    iotest::TraceRecorder trace;
    const std::u16string dir(250, u'd');
    EXPECT_EQ(Make(nullptr, dir.c_str(), u"12345678", nullptr), std::u16string(dir + u"/12345678"));  // 259
    EXPECT_TRUE(trace.lines.empty());
    EXPECT_EQ(Make(nullptr, dir.c_str(), u"123456789", nullptr), u"");  // would be 260
    const std::u16string huge(1000, u'h');
    EXPECT_EQ(Make(nullptr, huge.c_str(), huge.c_str(), huge.c_str()), u"");
    ASSERT_EQ(trace.lines.size(), 2u);
    EXPECT_NE(trace.lines[0].find(u" : path cannot be greater then _MAX_PATH\n"), std::u16string::npos);
}

TEST(UtilTest, AppendPathPutsExactlyOneSeparator) {
    for (const TCHAR* name : {u"Milk", u"\\Milk"}) {
        EXPECT_EQ(Joined(u"\\Items", name), u"\\Items\\Milk");
        EXPECT_EQ(Joined(u"\\Items\\", name), u"\\Items\\Milk");
    }
    EXPECT_EQ(Joined(u"", u"Milk"), u"Milk");
    EXPECT_EQ(Joined(u"a", nullptr), u"a\\");
}

TEST(UtilTest, ErrorMessages) {
    SetLastError(183);
    std::unique_ptr<TCHAR[]> text(Util::GetErrorMessage(-1));
    EXPECT_EQ(std::u16string(text.get()), u"Error code =B7");
    EXPECT_EQ(Util::GetSystemErrorText(ERROR_FILE_NOT_FOUND), CString(u"The system cannot find the file specified."));
    EXPECT_EQ(Util::GetSystemErrorText(0xABCDE), CString(u"Error code =ABCDE"));
}
