#include "Options.h"

#include "CatalogueTestSupport.h"
#include "LRRegistry.h"
#include "Registry/RegistryKey.h"
#include "RegistryApi.h"
#include "TestRoot.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

// The application's key that records the name of every DWORD write tried and refuses
// those named in failing (texts and lists pass straight through).
class RecordingKey : public RegistryKey {
public:
    explicit RecordingKey(HKEY key) : RegistryKey(key) {}
    bool SetDWORD(const TCHAR* name, const DWORD& value) override {
        return Write(name) && RegistryKey::SetDWORD(name, value);
    }
    bool Wrote(const TCHAR* name) const { return std::find(writes.begin(), writes.end(), name) != writes.end(); }

    std::vector<std::u16string> writes;
    std::set<std::u16string> failing;

private:
    bool Write(const TCHAR* name) {
        writes.emplace_back(name);
        return failing.count(name) == 0;
    }
};

// Every value of the application's key: its type and bytes.
std::map<std::u16string, std::pair<DWORD, std::string>> StoredValues() {
    std::map<std::u16string, std::pair<DWORD, std::string>> values;
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_LOCAL_MACHINE, kAppKey.c_str(), 0, 0, &key), ERROR_SUCCESS);
    WCHAR name[256];
    BYTE data[4096];
    for (DWORD i = 0, chars = 256, type = 0, size = sizeof data;
         RegEnumValueW(key, i, name, &chars, nullptr, &type, data, &size) == ERROR_SUCCESS;
         ++i, chars = 256, size = sizeof data)
        values[std::u16string(name, chars)] = {type, std::string(reinterpret_cast<char*>(data), size)};
    RegCloseKey(key);
    return values;
}

// The options' store: the real one, or one over a recording key.
class Store : public LRRegistry {
public:
    RecordingKey* UseRecordingKey() {
        close();
        HKEY handle = nullptr;
        EXPECT_EQ(RegCreateKeyExW(HKEY_LOCAL_MACHINE, GetKeyPath(), 0, nullptr, 0, 0, nullptr, &handle, nullptr),
                  ERROR_SUCCESS);
        auto* key = new RecordingKey(handle);
        m_pRegKey = key;
        return key;
    }
    bool CreateEmpty() {
        close();
        m_pRegKey = m_roots.m_pLocalMachine->CreateSubKey(GetKeyPath());
        return m_pRegKey != nullptr;
    }
};

class OptionsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(store.CreateEmpty()); }
    IRegistryKey& key() { return *store.GetKey(); }

    TestRoot root;
    TraceLines trace;
    MessageBoxes boxes;
    Store store;
    Options options;
};

}  // namespace

TEST_F(OptionsTest, EmptyStoreLoadsDefaultsAndIsCompletedAtOnce) {
    ASSERT_TRUE(options.Load(store));
    EXPECT_FALSE(options.NeedsRepair());
    EXPECT_EQ(options.GetLastFile(), nullptr);
    // Written back whole: absent texts as empty texts, the rates as "%f" texts.
    EXPECT_EQ(RawString(kAppKey, u"fTaxRate2"), u"10.000000");
    EXPECT_EQ(RawString(kAppKey, u"LastFile"), u"");
    EXPECT_EQ(RawDword(kAppKey, u"mailcolumns1"), 0x76543210);
    EXPECT_EQ(RawList(kAppKey, u"FavoritesCurrencyCodes").size(), 4u);
}

TEST_F(OptionsTest, OlderSingleTaxRateIsConvertedOnce) {
    key().SetDWORD(u"uTaxRate", 7);
    key().SetString(u"fTaxRate2", u"5.000000");  // not read while the old rate is set
    ASSERT_TRUE(options.Load(store));
    EXPECT_EQ(options.GetTaxRate1(), 7.0f);
    EXPECT_EQ(RawDword(kAppKey, u"uTaxRate"), 0);
    EXPECT_EQ(RawString(kAppKey, u"fTaxRate1"), u"7.000000");
    EXPECT_EQ(RawString(kAppKey, u"fTaxRate2"), u"0.000000");
}

TEST_F(OptionsTest, OutOfRangeValuesAreRepairedAndRewritten) {
    Options complete;
    ASSERT_TRUE(complete.Load(store));  // a complete store to spoil value by value
    // Each value has its range; a few stand for the others.
    key().SetDWORD(u"FontSize", 9);
    key().SetDWORD(u"uTaxRate", 100);  // out of range: treated as 0, float rates read
    key().SetString(u"fTaxRate1", u"abc");
    key().SetString(u"fTaxRate2", u"-5.000000");
    key().SetString(u"fTaxRate3", u"99.000000");
    key().SetDWORD(u"DisplayedColumns", 64);
    rep::string_list none;
    key().SetMultiString(u"FavoritesCurrencyCodes", none);
    ASSERT_TRUE(options.Load(store));
    EXPECT_EQ(options.GetFontSize(), 15u);
    EXPECT_EQ(options.GetTaxRate1(), 10.0f);
    EXPECT_EQ(options.GetTaxRate2(), 10.0f);
    EXPECT_EQ(options.GetTaxRate3(), 99.0f);
    EXPECT_EQ(options.GetDisplayedColumns(), 63u);
    EXPECT_EQ(options.GetFavoriteCurrencies().size(), 4u);
    EXPECT_EQ(RawDword(kAppKey, u"FontSize"), 15);
    EXPECT_EQ(RawString(kAppKey, u"fTaxRate1"), u"10.000000");

    // The edges of a range are valid.
    key().SetDWORD(u"FontSize", 20);
    Options edges;
    ASSERT_TRUE(edges.Load(store));
    EXPECT_EQ(edges.GetFontSize(), 20u);
}

TEST_F(OptionsTest, EveryValueRoundTrips) {
    ASSERT_TRUE(options.Load(store));
    options.SetFontSize(12);
    options.SetTileNumber(170);
    options.SetSupportOB(false);
    options.SetTaxRates(8.25f, 1.5f, 0.0f);
    options.SetSortColumn(5);
    options.SetSortDirection(1);
    options.SetLastMail(u"me@example.org");
    options.SetLastFile(u"\\My Documents\\Week.lsr");
    options.SetOnDevice(true);
    options.SetFontName(u"Courier");
    options.SetConnectionTimeout(5000);
    options.SetConnectToDevice(false);
    options.SetDisplayedColumns(0x23);
    options.SetMatchActionTamraOB(2);
    options.SetDrawZevav(true);
    options.SetCurrencyCode(u"Swiss Franc");
    options.AddFavoriteCurrency(u"Swiss Franc");
    options.SetImportExportFile(u"\\x.csv");
    options.SetImportExportConfig(u"Tamra");
    MailSettings& mail = options.GetMail();
    const int columns[10] = {9, 8, 7, 6, 5, 4, 3, 2, 1, 0};
    std::copy(std::begin(columns), std::end(columns), mail.columns);
    mail.boolFormat = 1;
    mail.priceType = 2;
    mail.body = u"Body";
    mail.subject = u"Subject";
    options.SetColorNote(0x123456);
    options.SetAutosave(false);
    options.SetNotifyWhenReach(true);
    options.SetNotifyWhenReachSum(250);
    options.SetDrawTotal(false);
    ASSERT_TRUE(options.Save(store));
    EXPECT_FALSE(options.IsChanged());

    // Loaded back and saved again, the set writes exactly what it read.
    Options back;
    ASSERT_TRUE(back.Load(store));
    EXPECT_FALSE(back.NeedsRepair());
    const auto saved = StoredValues();
    ASSERT_TRUE(back.Save(store));
    EXPECT_EQ(StoredValues(), saved);
}

TEST_F(OptionsTest, MailValuesFallBackQuietly) {
    ASSERT_TRUE(options.Load(store));
    key().SetDWORD(u"mailbool", 3);
    key().SetDWORD(u"mailpriceType", 7);
    key().DeleteValue(u"mailcolumns2");
    key().SetDWORD(u"mailcolumns1", 0x11111111);
    Options back;
    ASSERT_TRUE(back.Load(store));
    EXPECT_EQ(RawDword(kAppKey, u"mailbool"), 3);  // not rewritten: no repair
    EXPECT_EQ(back.GetMail().boolFormat, 2);
    EXPECT_EQ(back.GetMail().priceType, 0);
    // Half a column set is not used.
    const int expected[10] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    EXPECT_TRUE(std::equal(std::begin(expected), std::end(expected), std::begin(back.GetMail().columns)));
}

TEST_F(OptionsTest, SaveGoesOnAfterFailures) {
    RecordingKey* recording = store.UseRecordingKey();
    recording->failing = {u"TileNumber", u"mailbool"};
    EXPECT_FALSE(options.Save(store));
    // The values after a failed one are still written; a failure in the mail part ends
    // that part only.
    for (const TCHAR* name : {u"bSupportOB", u"mailbool", u"ColorQTY", u"bDrawTotal"})
        EXPECT_TRUE(recording->Wrote(name)) << ToUtf8(name);
    EXPECT_FALSE(recording->Wrote(u"mailpriceType"));
    EXPECT_EQ(RawString(kAppKey, u"LastFile"), u"");
}

TEST_F(OptionsTest, FailedRepairSaveIsTheLoadResult) {
    RecordingKey* recording = store.UseRecordingKey();
    recording->failing = {u"bDrawTotal"};
    EXPECT_FALSE(options.Load(store));
    EXPECT_TRUE(options.NeedsRepair());
    recording->failing.clear();
    EXPECT_TRUE(options.Load(store));
    EXPECT_FALSE(options.NeedsRepair());
}

TEST_F(OptionsTest, FavoriteCurrencies) {
    ASSERT_TRUE(options.Load(store));
    EXPECT_FALSE(options.AddFavoriteCurrency(u"british pound"));
    EXPECT_FALSE(options.IsChanged()) << "neither the load nor a known name changes the options";
    EXPECT_TRUE(options.AddFavoriteCurrency(u"Swiss Franc"));
    EXPECT_TRUE(options.IsChanged());
    EXPECT_TRUE(options.AddFavoriteCurrency(u"Zambian Kwacha"));
    options.RemoveFavoriteCurrency(u"SWISS FRANC");
    options.RemoveFavoriteCurrency(u"Nowhere");
    EXPECT_EQ(ToVector(options.GetFavoriteCurrencies()),
              (std::vector<std::u16string>{u"United States", u"British Pound", u"Canadian Dollar", u"Japanese Yen",
                                           u"Zambian Kwacha"}));
}

TEST(OptionsStoreTest, SaveOptionsWithoutAStoreTellsTheUser) {
    TestRoot root;
    MessageBoxes boxes;
    LRRegistry missing;
    Options options;
    EXPECT_FALSE(options.SaveOptions(missing));
    EXPECT_EQ(boxes.texts(), std::vector<std::u16string>{u"Cannot update registry. File is saved.  "});
    // Loading from no store leaves usable defaults.
    EXPECT_FALSE(options.Load(missing));
    EXPECT_EQ(Text(options.GetFontName()), u"Tahoma");
    EXPECT_EQ(options.GetFavoriteCurrencies().size(), 4u);
}
