#include "IoTestSupport.h"
#include "Registry/AppRegistry.h"
#include "TestRoot.h"
#include "Text/Util.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>

namespace {

using Text = std::unique_ptr<TCHAR[]>;

class TestStore : public AppRegistry {
public:
    const TCHAR* GetKeyPath() const override { return u"SOFTWARE\\Tamra\\Test"; }

    // What an application does on its first start: create its key itself.
    bool Create() {
        m_pRegKey = m_roots.m_pLocalMachine->CreateSubKey(GetKeyPath());
        return m_pRegKey != nullptr;
    }
};

class AppRegistryTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(store.Create()); }

    // Get's result and the value it leaves in a variable that held `start`.
    template <typename T, typename... Rest>
    std::pair<bool, T> Got(const TCHAR* name, T start, Rest... rest) {
        T value = start;
        const bool ok = store.Get(name, value, rest...);
        return {ok, value};
    }
    template <typename... Rest>
    std::pair<bool, std::u16string> GotText(const TCHAR* name, Rest... rest) {
        TCHAR* text = nullptr;
        const bool ok = store.Get(name, text, rest...);
        const Text owned(text);
        return {ok, text ? text : u"<null>"};
    }

    TestRoot root;
    TestStore store;
};

}  // namespace

TEST(AppRegistryLifecycleTest, InitOpensButNeverCreates) {
    TestRoot root;
    TestStore store;
    EXPECT_FALSE(store.init());
    EXPECT_EQ(store.GetKey(), nullptr);

    ASSERT_TRUE(store.Create());
    store.close();
    EXPECT_EQ(store.GetKey(), nullptr);
    EXPECT_TRUE(store.init());
    IRegistryKey* key = store.GetKey();
    EXPECT_NE(key, nullptr);
    EXPECT_TRUE(store.init());  // already open: the same key
    EXPECT_EQ(store.GetKey(), key);
}

TEST_F(AppRegistryTest, TextsWithAndWithoutDefault) {
    using R = std::pair<bool, std::u16string>;
    EXPECT_TRUE(store.Set(u"sLocation", u"Market"));
    EXPECT_TRUE(store.Set(u"sNull", static_cast<const TCHAR*>(nullptr)));
    EXPECT_EQ(GotText(u"sLocation"), R(true, u"Market"));
    EXPECT_EQ(GotText(u"sNull"), R(true, u""));
    EXPECT_EQ(GotText(u"sMissing", u"Home"), R(false, u"Home"));
}

// The getters the settings read with: flags and numbers with a default, numbers and
// rates within a range (a rate is stored as text, read with "." or ",").
TEST_F(AppRegistryTest, FlagsNumbersAndFloats) {
    EXPECT_TRUE(store.Set(u"bFlag", true));
    DWORD raw = 0;
    EXPECT_TRUE(store.GetKey()->GetDWORD(u"bFlag", raw));
    EXPECT_EQ(raw, 1u);
    ASSERT_TRUE(store.Set(u"bSeven", 7u));
    EXPECT_EQ(Got(u"bSeven", false, false), std::pair(true, true));
    EXPECT_TRUE(store.Set(u"iValue", -42));
    EXPECT_EQ(Got(u"iValue", 0u, 0u), std::pair(true, 0xFFFFFFD6u));
    EXPECT_EQ(Got(u"none", 0u, 9u), std::pair(false, 9u));

    ASSERT_TRUE(store.Set(u"uTen", 10u));
    ASSERT_TRUE(store.Set(u"uAll", 0xFFFFFFFFu));
    EXPECT_EQ(Got(u"uTen", 0u, 1u, 10u, 5u), std::pair(true, 10u));
    EXPECT_EQ(Got(u"uAll", 0u, 0u, 5u, 4u), std::pair(false, 4u));

    EXPECT_TRUE(store.Set(u"fTaxRate1", 1.5f));
    ASSERT_TRUE(store.Set(u"fBad", u"abc"));
    ASSERT_TRUE(store.Set(u"fComma", u"2,25"));
    EXPECT_EQ(Got(u"fTaxRate1", 0.0f, 0.0f, 10.0f, 7.0f), std::pair(true, 1.5f));
    EXPECT_EQ(Got(u"fBad", 0.0f, 0.0f, 10.0f, 2.5f), std::pair(false, 2.5f));
    EXPECT_EQ(Got(u"fTaxRate1", 0.0f, 2.0f, 10.0f, 7.0f), std::pair(false, 7.0f));
    EXPECT_EQ(Got(u"fComma", 0.0f, 0.0f, 10.0f, 0.0f), std::pair(true, 2.25f));
}
