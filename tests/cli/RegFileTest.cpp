// Registry export text: every value comes back with exactly its bytes, whatever form
// it takes in the file, and names that cannot stand on a line are refused.
#include "RegFile.h"

#include "RegistryApi.h"

#include <gtest/gtest.h>

namespace {

RegistrySnapshot::Value V(std::u16string name, DWORD type, std::vector<BYTE> data) {
    return {std::move(name), type, std::move(data)};
}

}  // namespace

// Outside the unnamed namespace, so that comparing the keys' vectors finds them.
static bool operator==(const RegistrySnapshot::Value& a, const RegistrySnapshot::Value& b) {
    return a.name == b.name && a.type == b.type && a.data == b.data;
}
static bool operator==(const RegistrySnapshot::Key& a, const RegistrySnapshot::Key& b) {
    return a.path == b.path && a.values == b.values;
}

TEST(RegFileTest, EveryValueComesBackByteForByte) {
    std::vector<BYTE> longBinary(200);
    for (std::size_t i = 0; i < longBinary.size(); ++i)
        longBinary[i] = static_cast<BYTE>(i * 7);
    RegistrySnapshot snapshot;
    snapshot.keys.push_back({{u"HKEY_LOCAL_MACHINE", u"SOFTWARE", u"Tamra [\"x\"]"},
                             {V(u"", REG_SZ, {'A', 0, 0, 0}),
                              V(u"quote\" and \\ back", REG_SZ, {'\\', 0, '"', 0, 0xE4, 0, 0, 0}),
                              V(u"two lines", REG_SZ, {'a', 0, '\n', 0, 'b', 0, 0, 0}),
                              V(u"no end", REG_SZ, {'a', 0}),
                              V(u"odd", REG_SZ, {'a', 0, 0}),
                              V(u"lone surrogate", REG_SZ, {0x00, 0xD8, 0, 0}),
                              V(u"count", REG_DWORD, {0x0F, 0, 0, 0x80}),
                              V(u"short dword", REG_DWORD, {1, 2}),
                              V(u"list", REG_MULTI_SZ, {'x', 0, 0, 0, 0, 0}),
                              V(u"empty", REG_BINARY, {}),
                              V(u"long", REG_BINARY, longBinary),
                              V(u"qword", REG_QWORD, {1, 2, 3, 4, 5, 6, 7, 8})}});
    snapshot.keys.push_back({{u"HKEY_CURRENT_USER", u"\u00C9t\u00E9"}, {}});
    std::string text, error;
    ASSERT_TRUE(RegFile::Write(snapshot, text, error)) << error;
    EXPECT_NE(text.find("@=\"A\"\n\"quote\\\" and \\\\ back\"=\"\\\\\\\"\xC3\xA4\"\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\"count\"=dword:8000000f\n"), std::string::npos);
    EXPECT_NE(text.find("\"two lines\"=hex(1):61,00,0a,00,62,00,00,00\n"), std::string::npos);
    EXPECT_NE(text.find(",\\\n  "), std::string::npos) << "long hex lists go on over lines";
    RegistrySnapshot back;
    ASSERT_TRUE(RegFile::Parse(text, back, error)) << error;
    EXPECT_TRUE(snapshot.keys == back.keys);
    std::string again;
    ASSERT_TRUE(RegFile::Write(back, again, error));
    EXPECT_EQ(again, text);
}

TEST(RegFileTest, NamesThatCannotStandOnALineAreRefused) {
    std::string text, error;
    RegistrySnapshot key;
    key.keys.push_back({{u"HKEY_USERS", u"a\nb"}, {}});
    EXPECT_FALSE(RegFile::Write(key, text, error));
    RegistrySnapshot value;
    value.keys.push_back({{u"HKEY_USERS", u"k"}, {V(u"tab\there", REG_DWORD, {0, 0, 0, 0})}});
    EXPECT_FALSE(RegFile::Write(value, text, error));
    EXPECT_NE(error.find("tab"), std::string::npos) << error;
}
