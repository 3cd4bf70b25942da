#include "IoTestSupport.h"
#include "MessageBoxes.h"
#include "Registry/Registry.h"
#include "TestRoot.h"
#include "Text/Util.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>
#include <vector>

using iotest::TraceRecorder;

namespace {

using Key = std::unique_ptr<IRegistryKey>;
using Text = std::unique_ptr<TCHAR[]>;
using Texts = std::vector<std::u16string>;

Texts Of(const rep::vector<TCHAR*>& list) { return Texts(list.begin(), list.end()); }

void Fill(rep::string_list& list, const Texts& texts) {
    for (const auto& t : texts)
        list.push_back(Util::tcsdup(t.c_str()));
}

// What GetString delivers: its text, or "<failed>" when it fails and clears the pointer.
std::u16string GetText(RegistryKey& key, const TCHAR* name) {
    TCHAR* text = reinterpret_cast<TCHAR*>(&key);
    const bool ok = key.GetString(name, text);
    if (text == reinterpret_cast<TCHAR*>(&key))
        return u"<untouched>";
    const Text owned(text);
    return ok ? (text ? text : u"<null>") : (text ? u"<failed, text left>" : u"<failed>");
}

// The texts GetMultiString appends to an empty list, or "<failed>".
Texts GetList(RegistryKey& key, const TCHAR* name) {
    rep::string_list list;
    return key.GetMultiString(name, list) ? Of(list) : Texts{u"<failed>"};
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

class RegistryKeyTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_key.reset(Registry::LocalMachine.CreateSubKey(u"SOFTWARE\\Test"));
        ASSERT_NE(m_key, nullptr);
    }
    void TearDown() override { m_key.reset(); }
    RegistryKey& key() { return *m_key; }

    TestRoot m_root;
    std::unique_ptr<RegistryKey> m_key;
    MessageBoxes boxes;
    TraceRecorder trace;
};

}  // namespace

TEST_F(RegistryKeyTest, TextsRoundTripWithTheirTerminator) {
    EXPECT_TRUE(key().SetString(u"sName", u"Caf\u00e9"));
    EXPECT_EQ(ReadRaw(key(), u"sName").bytes, Utf16Bytes(std::u16string(u"Caf\u00e9") + u'\0'));
    EXPECT_EQ(GetText(key(), u"sName"), u"Caf\u00e9");
    EXPECT_TRUE(key().SetString(u"sEmpty", nullptr));
    EXPECT_EQ(GetText(key(), u"sEmpty"), u"");
}

// A value that is missing or of another type fails every read and leaves the output;
// the failure is traced (one line stands for the others).
TEST_F(RegistryKeyTest, ReadsOfMissingOrOtherTypedValuesFail) {
    ASSERT_TRUE(key().SetDWORD(u"uNumber", 4));
    ASSERT_TRUE(key().SetString(u"text", u""));
    for (const TCHAR* name : {u"missing", u"uNumber"})
        EXPECT_EQ(GetText(key(), name), u"<failed>");
    EXPECT_TRUE(trace.Has(u"Cannot GetString name 'missing', error = '"));
    for (const TCHAR* name : {u"missing", u"text"}) {
        EXPECT_EQ(GetList(key(), name), Texts{u"<failed>"});
        DWORD value = 77;
        EXPECT_FALSE(key().GetDWORD(name, value));  // an empty text is no four bytes
        EXPECT_EQ(value, 77u);
    }

    // A text too long to be read back is refused when written.
    const std::u16string longest(8190, u'x');
    EXPECT_TRUE(key().SetString(u"sLong", longest.c_str()));
    EXPECT_EQ(GetText(key(), u"sLong"), longest);
    EXPECT_FALSE(key().SetString(u"sTooLong", (longest + u"y").c_str()));
}

TEST_F(RegistryKeyTest, ValuesWithoutTerminatorsStayWithinTheirData) {
    WriteRaw(key(), u"sRaw", REG_SZ, Utf16Bytes(u"abc"));
    WriteRaw(key(), u"sOdd", REG_SZ, Utf16Bytes(u"ab") + "c");
    WriteRaw(key(), u"sNone", REG_SZ, "");
    EXPECT_EQ(GetText(key(), u"sRaw"), u"abc");
    EXPECT_EQ(GetText(key(), u"sOdd"), u"ab");
    EXPECT_EQ(GetText(key(), u"sNone"), u"");

    WriteRaw(key(), u"Cut", REG_MULTI_SZ, Utf16Bytes(std::u16string(u"ab\0cd", 5)));
    WriteRaw(key(), u"Odd", REG_MULTI_SZ, Utf16Bytes(u"xy") + "z");
    WriteRaw(key(), u"None", REG_MULTI_SZ, "");
    EXPECT_EQ(GetList(key(), u"Cut"), (Texts{u"ab", u"cd"}));
    EXPECT_EQ(GetList(key(), u"Odd"), Texts{u"xy"});
    EXPECT_EQ(GetList(key(), u"None"), Texts{});
}

TEST_F(RegistryKeyTest, ListsRoundTripInTheirStoredForm) {
    rep::string_list list;
    Fill(list, {u"Food", u"Drinks", u"\u00c4pfel"});
    EXPECT_TRUE(key().SetMultiString(u"Categories", list));
    EXPECT_EQ(ReadRaw(key(), u"Categories").bytes, Utf16Bytes(std::u16string(u"Food\0Drinks\0\u00c4pfel\0\0", 19)));
    EXPECT_EQ(GetList(key(), u"Categories"), Of(list));
    rep::string_list empty;
    EXPECT_TRUE(key().SetMultiString(u"Empty", empty));
    EXPECT_EQ(ReadRaw(key(), u"Empty").bytes, std::string(4, '\0'));

    // An empty element ends the list.
    rep::string_list gap;
    Fill(gap, {u"a", u"", u"b"});
    EXPECT_TRUE(key().SetMultiString(u"Gap", gap));
    EXPECT_EQ(GetList(key(), u"Gap"), Texts{u"a"});
}

TEST_F(RegistryKeyTest, ListLimitOf4096Bytes) {
    // 2047 characters with every terminator: 4096 bytes with the final NUL.
    rep::string_list fits;
    Fill(fits, {std::u16string(1000, u'a'), std::u16string(1045, u'b')});
    EXPECT_TRUE(key().SetMultiString(u"Fits", fits));
    EXPECT_EQ(ReadRaw(key(), u"Fits").bytes.size(), 4096u);
    EXPECT_EQ(GetList(key(), u"Fits"), Of(fits));
    EXPECT_TRUE(boxes.texts().empty());

    rep::string_list tooBig;
    Fill(tooBig, {std::u16string(1000, u'a'), std::u16string(1046, u'b')});
    EXPECT_FALSE(key().SetMultiString(u"TooBig", tooBig));
    EXPECT_EQ(ReadRaw(key(), u"TooBig").type, static_cast<DWORD>(REG_NONE));  // nothing written
    EXPECT_EQ(boxes.texts(), Texts{u"RegistryKey::SetMultiString RegSetValueEx fails: Too long multistring"});
}

TEST_F(RegistryKeyTest, NumbersAndFloats) {
    EXPECT_TRUE(key().SetDWORD(u"uValue", 0xFFFFFFFFu));
    EXPECT_EQ(ReadRaw(key(), u"uValue").type, static_cast<DWORD>(REG_DWORD));
    DWORD value = 0;
    EXPECT_TRUE(key().GetDWORD(u"uValue", value));
    EXPECT_EQ(value, 0xFFFFFFFFu);
    EXPECT_TRUE(key().SetFloat(u"fRate", 8.25f));
    EXPECT_EQ(ReadRaw(key(), u"fRate").bytes, Utf16Bytes(std::u16string(u"8.250000\0", 9)));
    EXPECT_TRUE(key().SetFloat(u"fNegative", -2.5f));
    ASSERT_TRUE(key().SetString(u"fBad", u"abc"));
    for (const auto& [name, ok, expected] : {std::tuple(u"fRate", true, 8.25f), std::tuple(u"fNegative", true, -2.5f),
                                             std::tuple(u"fBad", false, 3.0f)}) {
        float f = 3;
        EXPECT_EQ(key().GetFloat(name, f), ok);
        EXPECT_EQ(f, expected);
    }
}

// Order and case of the names are the registry's (RegistryApiTest).
TEST_F(RegistryKeyTest, SubKeyNamesOfEveryLengthAreListed) {
    ASSERT_NE(Key(key().CreateSubKey(u"alpha")), nullptr);
    const std::u16string longest(255, u'n');
    ASSERT_NE(Key(key().CreateSubKey(longest.c_str())), nullptr);
    rep::string_list names;
    key().GetSubKeyNames(names);
    EXPECT_EQ(Of(names), (Texts{u"alpha", longest}));
}

TEST_F(RegistryKeyTest, OpenFailureTracesAndLeavesTheParentUsable) {
    EXPECT_EQ(Key(key().OpenSubKey(u"Missing")), nullptr);
    EXPECT_TRUE(trace.Has(u"Cannot open registry key 'Missing', error = '"));
    EXPECT_TRUE(key().SetDWORD(u"still", 1));
}
