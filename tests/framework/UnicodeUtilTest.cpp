#include "Text/UnicodeUtil.h"

#include "System/Diagnostics/Trace.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

std::u16string ToWide(const char* ansi) {
    TCHAR* out = reinterpret_cast<TCHAR*>(1);
    EXPECT_TRUE(UnicodeUtil::AnsiToUnicode(ansi, &out));
    std::unique_ptr<TCHAR[]> owned(out);
    return owned ? std::u16string(owned.get()) : u"(null)";
}

std::string ToAnsi(const TCHAR* text) {
    char* out = nullptr;
    EXPECT_TRUE(UnicodeUtil::UnicodeToAnsi(text, &out));
    std::unique_ptr<char[]> owned(out);
    return owned ? std::string(owned.get()) : "(null)";
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

TEST(UnicodeUtilTest, Windows1252BothWays) {
    EXPECT_EQ(ToWide("Milk 2%"), u"Milk 2%");
    EXPECT_EQ(ToWide("caf\xe9 \x80 \x9f"), u"caf\u00e9 \u20ac \u0178");
    EXPECT_EQ(ToWide(""), u"");
    EXPECT_EQ(ToAnsi(u"caf\u00e9 \u20ac \u0178"), "caf\xe9 \x80 \x9f");
    EXPECT_EQ(ToAnsi(u"\u0416x\u4e2d"), "?x?");
    EXPECT_EQ(ToAnsi(u""), "");
}

TEST(UnicodeUtilTest, NullInputs) {
    TCHAR* wide = reinterpret_cast<TCHAR*>(1);
    EXPECT_TRUE(UnicodeUtil::AnsiToUnicode(nullptr, &wide));
    EXPECT_EQ(wide, nullptr);

    LineCollector collector;
    Diagnostics::Trace::getListeners().Add(&collector);
    char* ansi = reinterpret_cast<char*>(1);
    EXPECT_FALSE(UnicodeUtil::UnicodeToAnsi(nullptr, &ansi));
    Diagnostics::Trace::getListeners().Clear();
    EXPECT_EQ(ansi, nullptr);
    ASSERT_EQ(collector.lines.size(), 1u);
    EXPECT_NE(collector.lines[0].find(u"UnicodeUtil.cpp("), std::u16string::npos);
    EXPECT_NE(collector.lines[0].find(u") : Not enought memory"), std::u16string::npos);
}
