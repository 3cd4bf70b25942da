#include "IoTestSupport.h"
#include "Registry/Registry.h"
#include "TestRoot.h"
#include "Text/Util.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using iotest::TraceRecorder;

namespace {

using Key = std::unique_ptr<IRegistryKey>;
using Text = std::unique_ptr<TCHAR[]>;

std::vector<std::u16string> Texts(const rep::vector<TCHAR*>& list) {
    std::vector<std::u16string> out;
    for (const TCHAR* t : list)
        out.emplace_back(t);
    return out;
}

void Fill(rep::string_list& list, const std::vector<std::u16string>& texts) {
    for (const auto& t : texts)
        list.push_back(Util::tcsdup(t.c_str()));
}

// Stored type and bytes of a value, read past the class under test.
struct Raw {
    DWORD type = REG_NONE;
    std::string bytes;
};

Raw ReadRaw(RegistryKey& key, const TCHAR* name) {
    Raw raw;
    BYTE buffer[40000];
    DWORD size = sizeof(buffer);
    if (RegQueryValueExW(key.GetHandle(), name, nullptr, &raw.type, buffer, &size) == ERROR_SUCCESS)
        raw.bytes.assign(reinterpret_cast<char*>(buffer), size);
    return raw;
}

void WriteRaw(RegistryKey& key, const TCHAR* name, DWORD type, const std::string& bytes) {
    ASSERT_EQ(RegSetValueExW(key.GetHandle(), name, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                             static_cast<DWORD>(bytes.size())),
              ERROR_SUCCESS);
}

std::string Utf16(const std::u16string& text) {
    return std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2);
}

std::vector<std::u16string> g_messageBoxes;
int RecordMessageBox(HWND, LPCWSTR text, LPCWSTR, UINT) {
    g_messageBoxes.emplace_back(text ? text : u"");
    return IDOK;
}

class RegistryKeyTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_key.reset(Registry::LocalMachine.CreateSubKey(u"SOFTWARE\\Test"));
        ASSERT_NE(m_key, nullptr);
        g_messageBoxes.clear();
        m_previousHandler = SetMessageBoxHandler(RecordMessageBox);
    }
    void TearDown() override {
        SetMessageBoxHandler(m_previousHandler);
        m_key.reset();
    }
    RegistryKey& key() { return *m_key; }

    TestRoot m_root;
    std::unique_ptr<RegistryKey> m_key;
    MessageBoxHandler m_previousHandler = nullptr;
};

}  // namespace

TEST_F(RegistryKeyTest, TextsRoundTripWithTheirTerminator) {
    EXPECT_TRUE(key().SetString(u"sName", u"Caf\u00e9"));
    EXPECT_EQ(ReadRaw(key(), u"sName").type, static_cast<DWORD>(REG_SZ));
    EXPECT_EQ(ReadRaw(key(), u"sName").bytes, Utf16(std::u16string(u"Caf\u00e9") + u'\0'));
    TCHAR* text = nullptr;
    EXPECT_TRUE(key().GetString(u"SNAME", text));  // names ignore case
    EXPECT_EQ(std::u16string(Text(text).get()), u"Caf\u00e9");

    EXPECT_TRUE(key().SetString(u"sEmpty", nullptr));
    EXPECT_TRUE(key().GetString(u"sEmpty", text));
    EXPECT_EQ(std::u16string(Text(text).get()), u"");
}

TEST_F(RegistryKeyTest, TextReadFailures) {
    TraceRecorder trace;
    TCHAR* text = reinterpret_cast<TCHAR*>(this);
    EXPECT_FALSE(key().GetString(u"missing", text));
    EXPECT_EQ(text, nullptr);
    EXPECT_TRUE(trace.HasLineContaining(u"Cannot GetString name 'missing', error = '"));

    ASSERT_TRUE(key().SetDWORD(u"uNumber", 4));
    text = reinterpret_cast<TCHAR*>(this);
    EXPECT_FALSE(key().GetString(u"uNumber", text));
    EXPECT_EQ(text, nullptr);
    EXPECT_TRUE(trace.HasLineEndingWith(u"(201) : query REG_SZ, returns 4"));

    // A text too long to be read back is refused when written.
    const std::u16string longest(8190, u'x');
    EXPECT_TRUE(key().SetString(u"sLong", longest.c_str()));
    EXPECT_TRUE(key().GetString(u"sLong", text));
    EXPECT_EQ(std::u16string(Text(text).get()), longest);
    EXPECT_FALSE(key().SetString(u"sTooLong", (longest + u"y").c_str()));
    EXPECT_TRUE(trace.HasLineContaining(u"Cannot set registry string'sTooLong', error = '"));
}

TEST_F(RegistryKeyTest, TextWithoutTerminatorStaysWithinItsData) {
    WriteRaw(key(), u"sRaw", REG_SZ, Utf16(u"abc"));
    TCHAR* text = nullptr;
    ASSERT_TRUE(key().GetString(u"sRaw", text));
    EXPECT_EQ(std::u16string(Text(text).get()), u"abc");

    WriteRaw(key(), u"sOdd", REG_SZ, Utf16(u"ab") + "c");
    ASSERT_TRUE(key().GetString(u"sOdd", text));
    EXPECT_EQ(std::u16string(Text(text).get()), u"ab");

    WriteRaw(key(), u"sNone", REG_SZ, "");
    ASSERT_TRUE(key().GetString(u"sNone", text));
    EXPECT_EQ(std::u16string(Text(text).get()), u"");
}

TEST_F(RegistryKeyTest, ListsRoundTripInTheirStoredForm) {
    rep::string_list list;
    Fill(list, {u"Food", u"Drinks", u"\u00c4pfel"});
    EXPECT_TRUE(key().SetMultiString(u"Categories", list));
    const Raw raw = ReadRaw(key(), u"Categories");
    EXPECT_EQ(raw.type, static_cast<DWORD>(REG_MULTI_SZ));
    EXPECT_EQ(raw.bytes, Utf16(std::u16string(u"Food\0Drinks\0\u00c4pfel\0\0", 19)));
    rep::string_list back;
    EXPECT_TRUE(key().GetMultiString(u"Categories", back));
    EXPECT_EQ(Texts(back), Texts(list));

    rep::string_list empty;
    EXPECT_TRUE(key().SetMultiString(u"Empty", empty));
    EXPECT_EQ(ReadRaw(key(), u"Empty").bytes, std::string(4, '\0'));
    EXPECT_TRUE(key().GetMultiString(u"Empty", back));
    EXPECT_EQ(back.size(), 3u);  // appended nothing
}

TEST_F(RegistryKeyTest, EmptyElementEndsTheList) {
    rep::string_list list;
    Fill(list, {u"a", u"", u"b"});
    EXPECT_TRUE(key().SetMultiString(u"Gap", list));
    rep::string_list back;
    EXPECT_TRUE(key().GetMultiString(u"Gap", back));
    EXPECT_EQ(Texts(back), std::vector<std::u16string>{u"a"});
}

TEST_F(RegistryKeyTest, ListWithoutFinalTerminatorsStaysWithinItsData) {
    WriteRaw(key(), u"Cut", REG_MULTI_SZ, Utf16(std::u16string(u"ab\0cd", 5)));
    rep::string_list back;
    EXPECT_TRUE(key().GetMultiString(u"Cut", back));
    EXPECT_EQ(Texts(back), (std::vector<std::u16string>{u"ab", u"cd"}));

    WriteRaw(key(), u"Odd", REG_MULTI_SZ, Utf16(u"xy") + "z");
    back.clear_and_free();
    EXPECT_TRUE(key().GetMultiString(u"Odd", back));
    EXPECT_EQ(Texts(back), std::vector<std::u16string>{u"xy"});

    WriteRaw(key(), u"None", REG_MULTI_SZ, "");
    back.clear_and_free();
    EXPECT_TRUE(key().GetMultiString(u"None", back));
    EXPECT_TRUE(back.empty());
}

TEST_F(RegistryKeyTest, ListLimitOf4096Bytes) {
    TraceRecorder trace;
    // 2047 characters with every terminator: 4096 bytes with the final NUL.
    rep::string_list fits;
    Fill(fits, {std::u16string(1000, u'a'), std::u16string(1045, u'b')});
    EXPECT_TRUE(key().SetMultiString(u"Fits", fits));
    EXPECT_EQ(ReadRaw(key(), u"Fits").bytes.size(), 4096u);
    rep::string_list back;
    EXPECT_TRUE(key().GetMultiString(u"Fits", back));
    EXPECT_EQ(Texts(back), Texts(fits));
    EXPECT_TRUE(g_messageBoxes.empty());

    rep::string_list tooBig;
    Fill(tooBig, {std::u16string(1000, u'a'), std::u16string(1046, u'b')});
    EXPECT_FALSE(key().SetMultiString(u"TooBig", tooBig));
    EXPECT_EQ(ReadRaw(key(), u"TooBig").type, static_cast<DWORD>(REG_NONE));  // nothing written
    EXPECT_TRUE(trace.HasLineEndingWith(
        u"Too long multistring, buffer must be smaller than 4k (2k unicode), current length is 4098!"));
    EXPECT_EQ(g_messageBoxes, std::vector<std::u16string>{u"RegistryKey::SetMultiString RegSetValueEx fails: Too long multistring"});

    rep::string_list huge;
    Fill(huge, {std::u16string(16000, u'a'), std::u16string(383, u'b')});
    EXPECT_FALSE(key().SetMultiString(u"Huge", huge));
    EXPECT_TRUE(trace.HasLineEndingWith(
        u"Cannot write REG_MULTI_SZ to registry because of max value len (16383) exceded"));
}

TEST_F(RegistryKeyTest, ListReadFailures) {
    TraceRecorder trace;
    rep::string_list back;
    EXPECT_FALSE(key().GetMultiString(u"missing", back));
    EXPECT_TRUE(trace.HasLineContaining(u"Cannot GetMultiString key 'missing', error = '"));
    EXPECT_EQ(trace.lines.size(), 2u);
    ASSERT_TRUE(key().SetString(u"text", u"a"));
    EXPECT_FALSE(key().GetMultiString(u"text", back));
    EXPECT_TRUE(trace.HasLineContaining(u"query REG_MULTI_SZ, returns 1 in "));
    EXPECT_TRUE(trace.HasLineEndingWith(u", line =  255"));
}

TEST_F(RegistryKeyTest, DelimitedLists) {
    rep::string_list list;
    Fill(list, {u"kg", u"l", u"pcs"});
    EXPECT_TRUE(key().SetMultiStringAsString(u"Units", list, u";"));
    EXPECT_EQ(ReadRaw(key(), u"Units").bytes, Utf16(std::u16string(u"kg;l;pcs;\0", 10)));
    rep::string_list back;
    EXPECT_TRUE(key().GetMultiStringAsString(u"Units", back, u";,"));
    EXPECT_EQ(Texts(back), Texts(list));

    TraceRecorder trace;
    rep::string_list tooLong;
    Fill(tooLong, {std::u16string(2047, u'x')});  // with the delimiter and NUL: 4098 bytes
    EXPECT_FALSE(key().SetMultiStringAsString(u"Long", tooLong, u";"));
    EXPECT_TRUE(trace.HasLineEndingWith(
        u"Too long multistring, buffer must be smaller than 4k (2k unicode), current length is 4098!"));
    EXPECT_TRUE(g_messageBoxes.empty());

    ASSERT_TRUE(key().SetDWORD(u"n", 1));
    EXPECT_FALSE(key().GetMultiStringAsString(u"n", back, u";"));
    EXPECT_TRUE(trace.HasLineEndingWith(u", line =  339"));
    EXPECT_FALSE(key().GetMultiStringAsString(u"absent", back, u";"));
    EXPECT_TRUE(trace.HasLineContaining(u"Cannot GetMultiString key 'absent', error = '"));
}

TEST_F(RegistryKeyTest, NumbersAndFloats) {
    EXPECT_TRUE(key().SetDWORD(u"uValue", 0xFFFFFFFFu));
    EXPECT_EQ(ReadRaw(key(), u"uValue").type, static_cast<DWORD>(REG_DWORD));
    DWORD value = 0;
    EXPECT_TRUE(key().GetDWORD(u"uValue", value));
    EXPECT_EQ(value, 0xFFFFFFFFu);

    TraceRecorder trace;
    value = 77;
    EXPECT_FALSE(key().GetDWORD(u"nothing", value));
    EXPECT_EQ(value, 77u);
    EXPECT_TRUE(trace.HasLineContaining(u"cannot get DWORD'nothing', error = '"));
    EXPECT_EQ(trace.lines[0].rfind(u"error - ", 0), 0u);
    // Not four bytes: refused rather than half filled.
    ASSERT_TRUE(key().SetString(u"empty", u""));
    EXPECT_FALSE(key().GetDWORD(u"empty", value));
    EXPECT_EQ(value, 77u);

    EXPECT_TRUE(key().SetFloat(u"fRate", 8.25f));
    EXPECT_EQ(ReadRaw(key(), u"fRate").bytes, Utf16(std::u16string(u"8.250000\0", 9)));
    float f = 0;
    EXPECT_TRUE(key().GetFloat(u"fRate", f));
    EXPECT_EQ(f, 8.25f);
    EXPECT_TRUE(key().SetFloat(u"fNegative", -2.5f));
    EXPECT_TRUE(key().GetFloat(u"fNegative", f));
    EXPECT_EQ(f, -2.5f);
    ASSERT_TRUE(key().SetString(u"fBad", u"abc"));
    f = 3;
    EXPECT_FALSE(key().GetFloat(u"fBad", f));
    EXPECT_EQ(f, 3.0f);

    BYTE* data = nullptr;
    DWORD size = 5;
    EXPECT_FALSE(key().GetBinary(u"fRate", data, size));
    EXPECT_EQ(data, nullptr);
    EXPECT_EQ(size, 5u);
}

TEST_F(RegistryKeyTest, SubKeysAndValueNames) {
    Key b(key().CreateSubKey(u"Beta"));
    Key a(key().CreateSubKey(u"alpha"));
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(std::u16string(a->getName()), u"alpha");
    Key again(key().CreateSubKey(u"ALPHA"));  // an existing key opens
    ASSERT_NE(again, nullptr);
    key().SetDWORD(u"zValue", 1);
    key().SetDWORD(u"aValue", 2);
    rep::string_list names;
    key().GetSubKeyNames(names);
    EXPECT_EQ(Texts(names), (std::vector<std::u16string>{u"alpha", u"Beta"}));
    rep::string_list values;
    EXPECT_TRUE(key().GetValueNames(values));
    EXPECT_EQ(Texts(values), (std::vector<std::u16string>{u"aValue", u"zValue"}));

    const std::u16string longest(255, u'n');
    Key longKey(key().CreateSubKey(longest.c_str()));
    ASSERT_NE(longKey, nullptr);
    names.clear_and_free();
    key().GetSubKeyNames(names);
    EXPECT_EQ(names.size(), 3u);  // a name of the longest length is listed too

    EXPECT_TRUE(key().DeleteValue(u"zValue"));
    TraceRecorder trace;
    EXPECT_FALSE(key().DeleteValue(u"zValue"));
    EXPECT_TRUE(trace.HasLineContaining(u"Cannot DeleteValue key 'zValue', error = '"));
}

TEST_F(RegistryKeyTest, OpenFailureTracesAndLeavesTheParentUsable) {
    TraceRecorder trace;
    EXPECT_EQ(Key(key().OpenSubKey(u"Missing")), nullptr);
    EXPECT_EQ(Key(key().OpenSubKey(u"Missing", true)), nullptr);
    ASSERT_FALSE(trace.lines.empty());
    EXPECT_TRUE(trace.HasLineContaining(u"Cannot open registry key 'Missing', error = '"));
    EXPECT_TRUE(trace.HasLineEndingWith(u"'(2)"));
    EXPECT_EQ(trace.lines[0].rfind(u"info - ", 0), 0u);
    EXPECT_TRUE(key().SetDWORD(u"still", 1));
}

TEST_F(RegistryKeyTest, DeleteSubKeyTreeThreeLevelsDeep) {
    {
        Key level1(key().CreateSubKey(u"L1"));
        Key level2(level1->CreateSubKey(u"L2a"));
        Key level3(level2->CreateSubKey(u"L3"));
        Key sibling(level1->CreateSubKey(u"L2b"));
        level3->SetString(u"deep", u"value");
        level1->SetDWORD(u"top", 1);
        Key keep(key().CreateSubKey(u"Keep"));
    }
    TraceRecorder trace;
    EXPECT_FALSE(key().DeleteSubKey(u"L1"));  // it has subkeys
    EXPECT_TRUE(trace.HasLineContaining(u"'L1'"));
    EXPECT_TRUE(key().DeleteSubKeyTree(u"L1"));
    EXPECT_EQ(Key(key().OpenSubKey(u"L1")), nullptr);
    EXPECT_EQ(Key(key().OpenSubKey(u"L1\\L2a\\L3")), nullptr);
    rep::string_list names;
    key().GetSubKeyNames(names);
    EXPECT_EQ(Texts(names), std::vector<std::u16string>{u"Keep"});

    // A path below the key works too, and only the last level goes.
    Key deep(key().CreateSubKey(u"Keep\\x\\y"));
    deep.reset();
    EXPECT_TRUE(key().DeleteSubKeyTree(u"Keep\\x"));
    EXPECT_NE(Key(key().OpenSubKey(u"Keep")), nullptr);

    trace.lines.clear();
    EXPECT_FALSE(key().DeleteSubKeyTree(u"Nowhere"));
    EXPECT_TRUE(trace.HasLineContaining(u"Fail to DeleteSubKeyTree 'Nowhere' in "));
    EXPECT_TRUE(trace.HasLineEndingWith(u" 130"));
}
