#include "Text/Path.h"

#include "System/Diagnostics/Trace.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Parts {
    std::u16string drive, dir, fname, ext;
};

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

class LineCollector : public Diagnostics::TraceListener {
public:
    using TraceListener::Write;
    using TraceListener::WriteLine;
    void Write(const TCHAR*) override {}
    void WriteLine(const TCHAR* message) override { lines.emplace_back(message); }
    std::vector<std::u16string> lines;
};

}  // namespace

TEST(PathTest, SplitDevicePaths) {
    const Parts p = Split(u"\\My Documents\\list.lsr");
    EXPECT_EQ(p.drive, u"");
    EXPECT_EQ(p.dir, u"\\My Documents\\");
    EXPECT_EQ(p.fname, u"list");
    EXPECT_EQ(p.ext, u".lsr");

    const Parts dotInDir = Split(u"\\a.b/c");
    EXPECT_EQ(dotInDir.dir, u"\\a.b/");
    EXPECT_EQ(dotInDir.fname, u"c");
    EXPECT_EQ(dotInDir.ext, u"");

    const Parts drive = Split(u"C:x.tar.gz");
    EXPECT_EQ(drive.drive, u"C:");
    EXPECT_EQ(drive.dir, u"");
    EXPECT_EQ(drive.fname, u"x.tar");
    EXPECT_EQ(drive.ext, u".gz");

    const Parts hidden = Split(u"/dir/.profile");
    EXPECT_EQ(hidden.fname, u"");
    EXPECT_EQ(hidden.ext, u".profile");

    const Parts empty = Split(nullptr);
    EXPECT_EQ(empty.dir + empty.fname + empty.ext, u"");
    _tsplitpath(u"\\a\\b.c", nullptr, nullptr, nullptr, nullptr);  // null outputs are skipped
}

TEST(PathTest, SplitCutsLongParts) {
    const std::u16string longName(400, u'n');
    const Parts p = Split((u"\\d\\" + longName + u".txt").c_str());
    EXPECT_EQ(p.fname, std::u16string(255, u'n'));
    EXPECT_EQ(p.ext, u".txt");
}

TEST(PathTest, MakeJoinsParts) {
    EXPECT_EQ(Make(nullptr, u"\\Windows", u"a", u"txt"), u"\\Windows/a.txt");
    EXPECT_EQ(Make(u"", u"\\Windows", u"a", u".txt"), u"\\Windows/a.txt");
    EXPECT_EQ(Make(u"Cx", u"\\dir\\", u"f", nullptr), u"C:\\dir\\f");
    EXPECT_EQ(Make(nullptr, nullptr, nullptr, nullptr), u"");
    EXPECT_EQ(Make(nullptr, u"\\", u"Listora", u"txt"), u"\\Listora.txt");
}

TEST(PathTest, SplitThenMakeRoundTrips) {
    for (const TCHAR* path : {u"\\My Documents\\list.lsr", u"\\Listora.txt", u"C:\\a\\b\\c.d", u"\\x/y/z"}) {
        const Parts p = Split(path);
        EXPECT_EQ(Make(p.drive.c_str(), p.dir.c_str(), p.fname.c_str(), p.ext.c_str()), path);
    }
}

TEST(PathTest, MakeRefusesTooLongPaths) {
    LineCollector collector;
    Diagnostics::Trace::getListeners().Add(&collector);
    const std::u16string dir(250, u'd');
    EXPECT_EQ(Make(nullptr, dir.c_str(), u"12345678", nullptr), std::u16string(dir + u"/12345678"));  // 259
    EXPECT_TRUE(collector.lines.empty());
    EXPECT_EQ(Make(nullptr, dir.c_str(), u"123456789", nullptr), u"");  // would be 260
    const std::u16string huge(1000, u'h');
    EXPECT_EQ(Make(nullptr, huge.c_str(), huge.c_str(), huge.c_str()), u"");
    Diagnostics::Trace::getListeners().Clear();
    ASSERT_EQ(collector.lines.size(), 2u);
    EXPECT_NE(collector.lines[0].find(u" : path cannot be greater then _MAX_PATH\n"), std::u16string::npos);
}
