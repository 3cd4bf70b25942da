#include "IoTestSupport.h"
#include "Registry/AppRegistry.h"
#include "TestRoot.h"
#include "Text/Util.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

using iotest::TraceRecorder;

namespace {

using Key = std::unique_ptr<IRegistryKey>;
using Text = std::unique_ptr<TCHAR[]>;

class TestStore : public AppRegistry {
public:
    TestStore() = default;
    explicit TestStore(const IRegistry& roots) : AppRegistry(roots) {}
    const TCHAR* GetKeyPath() const override { return u"SOFTWARE\\Tamra\\Test"; }

    // What an application does on its first start: create its key itself.
    bool Create() {
        m_pRegKey = m_roots.m_pLocalMachine->CreateSubKey(GetKeyPath());
        return m_pRegKey != nullptr;
    }
    void Disable() { m_bInitialized = false; }
};

class AppRegistryTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(store.Create()); }

    TestRoot root;
    TestStore store;
};

}  // namespace

TEST(AppRegistryLifecycleTest, InitOpensButNeverCreates) {
    TestRoot root;
    TraceRecorder trace;
    TestStore store;
    EXPECT_FALSE(store.IsExist());
    EXPECT_FALSE(store.init());
    EXPECT_EQ(store.GetKey(), nullptr);
    EXPECT_TRUE(trace.HasLineEndingWith(u"m_pRegKey is null, try to create it!"));
    EXPECT_TRUE(trace.HasLineEndingWith(u"m_pRegKey is still null!"));

    ASSERT_TRUE(store.Create());
    store.close();
    EXPECT_EQ(store.GetKey(), nullptr);
    EXPECT_TRUE(store.IsExist());
    EXPECT_TRUE(store.init());
    IRegistryKey* key = store.GetKey();
    EXPECT_NE(key, nullptr);
    EXPECT_TRUE(store.init());  // already open: the same key
    EXPECT_EQ(store.GetKey(), key);

    TestStore disabled;
    disabled.Disable();
    trace.lines.clear();
    EXPECT_FALSE(disabled.init());
    ASSERT_EQ(trace.lines.size(), 1u);
    EXPECT_TRUE(trace.HasLineEndingWith(u"Not initialized! Probably cannot initialized device registry!"));
    EXPECT_EQ(trace.lines[0].rfind(u"error - ", 0), 0u);
}

TEST_F(AppRegistryTest, CleanupErasesEverything) {
    ASSERT_TRUE(store.Set(u"sValue", u"x"));
    Key child(store.GetKey()->CreateSubKey(u"Items\\Milk"));
    child.reset();
    EXPECT_TRUE(store.Cleanup());
    EXPECT_EQ(store.GetKey(), nullptr);
    EXPECT_FALSE(store.IsExist());
    Key tamra(Registry::LocalMachine.OpenSubKey(u"SOFTWARE\\Tamra"));
    EXPECT_NE(tamra, nullptr);  // only the application's own key goes
}

TEST_F(AppRegistryTest, GetListNamesSubkeysOrTracesTheCallersText) {
    Key items(store.GetKey()->CreateSubKey(u"Items"));
    Key(items->CreateSubKey(u"Milk"));
    Key(items->CreateSubKey(u"Bread"));
    rep::string_list names;
    EXPECT_TRUE(store.GetList(names, u"SOFTWARE\\Tamra\\Test\\Items", u"no items"));
    ASSERT_EQ(names.size(), 2u);
    EXPECT_EQ(std::u16string(names[0]), u"Bread");
    EXPECT_EQ(std::u16string(names[1]), u"Milk");

    TraceRecorder trace;
    EXPECT_FALSE(store.GetList(names, u"SOFTWARE\\Tamra\\Test\\Nothing", u"Cannot read %s items"));
    EXPECT_TRUE(trace.HasLineEndingWith(u" : Cannot read %s items"));  // printed as it is
    EXPECT_EQ(names.size(), 2u);
}

TEST_F(AppRegistryTest, TextsWithAndWithoutDefault) {
    EXPECT_TRUE(store.Set(u"sLocation", u"Market"));
    EXPECT_TRUE(store.Set(u"sNull", static_cast<const TCHAR*>(nullptr)));
    TCHAR* text = nullptr;
    EXPECT_TRUE(store.Get(u"sLocation", text));
    EXPECT_EQ(std::u16string(Text(text).get()), u"Market");
    EXPECT_TRUE(store.Get(u"sNull", text, u"def"));
    EXPECT_EQ(std::u16string(Text(text).get()), u"");

    EXPECT_FALSE(store.Get(u"sMissing", text));
    EXPECT_EQ(text, nullptr);
    EXPECT_FALSE(store.Get(u"sMissing", text, u"fallback"));
    EXPECT_EQ(std::u16string(Text(text).get()), u"fallback");
    ASSERT_TRUE(store.Set(u"uNumber", 5u));
    EXPECT_FALSE(store.Get(u"uNumber", text, u"fallback"));  // wrong type
    EXPECT_EQ(std::u16string(Text(text).get()), u"fallback");
    EXPECT_FALSE(store.Get(u"sMissing", text, nullptr));
    EXPECT_EQ(text, nullptr);
}

TEST_F(AppRegistryTest, ListsRoundTrip) {
    rep::string_list list;
    list.push_back(Util::tcsdup(u"kg"));
    list.push_back(Util::tcsdup(u"l"));
    EXPECT_TRUE(store.Set(u"Units", list));
    rep::string_list back;
    EXPECT_TRUE(store.Get(u"Units", back));
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(std::u16string(back[1]), u"l");
    EXPECT_FALSE(store.Get(u"Nothing", back));
}

TEST_F(AppRegistryTest, FlagsAndNumbers) {
    EXPECT_TRUE(store.Set(u"bFlag", true));
    bool flag = false;
    EXPECT_TRUE(store.Get(u"bFlag", flag));
    EXPECT_TRUE(flag);
    DWORD raw = 0;
    EXPECT_TRUE(store.GetKey()->GetDWORD(u"bFlag", raw));
    EXPECT_EQ(raw, 1u);
    ASSERT_TRUE(store.Set(u"bSeven", 7u));
    EXPECT_TRUE(store.Get(u"bSeven", flag, false));
    EXPECT_TRUE(flag);
    EXPECT_FALSE(store.Get(u"bMissing", flag, false));
    EXPECT_FALSE(flag);
    flag = true;
    EXPECT_FALSE(store.Get(u"bMissing", flag));
    EXPECT_TRUE(flag);  // untouched

    EXPECT_TRUE(store.Set(u"uValue", 42u));
    EXPECT_TRUE(store.Set(u"iValue", -42));
    EXPECT_TRUE(store.Set(u"ulValue", 4000000000ul));
    unsigned u = 0;
    int i = 0;
    unsigned long ul = 0;
    EXPECT_TRUE(store.Get(u"uValue", u));
    EXPECT_TRUE(store.Get(u"iValue", i));
    EXPECT_TRUE(store.Get(u"ulValue", ul));
    EXPECT_EQ(u, 42u);
    EXPECT_EQ(i, -42);
    EXPECT_EQ(ul, 4000000000ul);
    EXPECT_FALSE(store.Get(u"none", u, 9u));
    EXPECT_EQ(u, 9u);
    EXPECT_FALSE(store.Get(u"none", i, -9));
    EXPECT_EQ(i, -9);
    EXPECT_FALSE(store.Get(u"none", ul, 99ul));
    EXPECT_EQ(ul, 99ul);
    EXPECT_TRUE(store.Get(u"iValue", i, 0));
    EXPECT_EQ(i, -42);
}

TEST_F(AppRegistryTest, RangesUseTheKindsComparison) {
    ASSERT_TRUE(store.Set(u"uZero", 0u));
    ASSERT_TRUE(store.Set(u"uTen", 10u));
    ASSERT_TRUE(store.Set(u"uAll", 0xFFFFFFFFu));
    unsigned u = 0;
    EXPECT_FALSE(store.Get(u"uZero", u, 1u, 10u, 5u));
    EXPECT_EQ(u, 5u);
    EXPECT_TRUE(store.Get(u"uTen", u, 1u, 10u, 5u));
    EXPECT_EQ(u, 10u);
    EXPECT_FALSE(store.Get(u"uMissing", u, 1u, 10u, 6u));
    EXPECT_EQ(u, 6u);

    int i = 0;
    EXPECT_TRUE(store.Get(u"uAll", i, -5, 5, 0));
    EXPECT_EQ(i, -1);
    EXPECT_FALSE(store.Get(u"uAll", u, 0u, 5u, 3u));
    EXPECT_EQ(u, 3u);
    unsigned long ul = 0;
    EXPECT_FALSE(store.Get(u"uAll", ul, 0ul, 5ul, 4ul));
    EXPECT_EQ(ul, 4ul);
    EXPECT_TRUE(store.Get(u"uTen", ul, 10ul, 10ul, 4ul));
    EXPECT_EQ(ul, 10ul);
}

TEST_F(AppRegistryTest, FloatsAsText) {
    EXPECT_TRUE(store.Set(u"fTaxRate1", 1.5f));
    TCHAR* text = nullptr;
    ASSERT_TRUE(store.Get(u"fTaxRate1", text));
    EXPECT_EQ(std::u16string(Text(text).get()), u"1.500000");
    float f = 0;
    EXPECT_TRUE(store.Get(u"fTaxRate1", f));
    EXPECT_EQ(f, 1.5f);
    EXPECT_TRUE(store.Get(u"fTaxRate1", f, 0.0f));
    EXPECT_EQ(f, 1.5f);

    ASSERT_TRUE(store.Set(u"fBad", u"abc"));
    EXPECT_FALSE(store.Get(u"fBad", f, 2.5f));
    EXPECT_EQ(f, 2.5f);
    EXPECT_FALSE(store.Get(u"fMissing", f, 3.5f));
    EXPECT_EQ(f, 3.5f);
    EXPECT_FALSE(store.Get(u"fTaxRate1", f, 2.0f, 10.0f, 7.0f));
    EXPECT_EQ(f, 7.0f);
    EXPECT_TRUE(store.Get(u"fTaxRate1", f, 1.5f, 1.5f, 7.0f));
    EXPECT_EQ(f, 1.5f);
    ASSERT_TRUE(store.Set(u"fComma", u"2,25"));
    EXPECT_TRUE(store.Get(u"fComma", f, 0.0f));
    EXPECT_EQ(f, 2.25f);
}

TEST(AppRegistryRootsTest, RunsAgainstOtherRoots) {
    TestRoot root;
    // Point "local machine" at a key of the current-user tree.
    std::unique_ptr<RegistryKey> fake(Registry::CurrentUser.CreateSubKey(u"Sandbox"));
    ASSERT_NE(fake, nullptr);
    IRegistry roots;
    roots.Init(&Registry::CurrentUser, fake.get(), &Registry::ClassesRoot, &Registry::Users);
    TestStore store(roots);
    ASSERT_TRUE(store.Create());
    EXPECT_TRUE(store.Set(u"uValue", 1u));
    EXPECT_NE(Key(Registry::CurrentUser.OpenSubKey(u"Sandbox\\SOFTWARE\\Tamra\\Test")), nullptr);
    EXPECT_EQ(Key(Registry::LocalMachine.OpenSubKey(u"SOFTWARE\\Tamra\\Test")), nullptr);
}
