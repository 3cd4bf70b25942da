#include "LRRegistry.h"

#include "FaultInjection.h"

#include "CatalogueTestSupport.h"
#include "TestRoot.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <thread>

#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

namespace {

const std::u16string kItemsKey = kAppKey + u"\\Items";
const std::u16string kTemplatesKey = kAppKey + u"\\ImportExportTempl";

const std::u16string kHeader = u"\"Name\",\"Unit\",\"Qty\",\"Price\",\"Coupon\",\"Purchased\",\"+*(XX)+\"\r\n";

bool SameTemplate(const CImportExportTemplate& a, const CImportExportTemplate& b) {
    return a.name == b.name && std::equal(std::begin(a.columns), std::end(a.columns), std::begin(b.columns)) &&
           a.delimiter == b.delimiter && a.categoryDelimiter == b.categoryDelimiter &&
           a.boolFormat == b.boolFormat && a.priceType == b.priceType && a.bStrings == b.bStrings &&
           a.charType == b.charType;
}

class LRRegistryTest : public ::testing::Test {
protected:
    // A store that exists, as after the first start, with no items yet.
    void Create() {
        store.SetDefaultItemsFile(WriteDefaults(u"").c_str());
        ASSERT_TRUE(store.Open());
    }
    // A store with one unit of the user's, left by a clean exit (which keeps backups).
    void CreateWithUnit(const TCHAR* unit, bool keepBackups) {
        Create();
        rep::string_list units;
        Fill(units, {unit});
        ASSERT_TRUE(store.SaveUnits(units));
        ASSERT_TRUE(RegistryStore::KeepBackup());
        store.close();
        RegistryStore::Shutdown();
        for (const char* backup : {"registry-backup-1.db", "registry-backup-2.db"})
            if (!keepBackups)
                std::filesystem::remove(root.file(backup));
    }
    // A default items file in the device root holding the header and the given records.
    std::u16string WriteDefaults(const std::u16string& records) {
        WriteHostFile(root.file("init.isl"), "\xFF\xFE" + Utf16Bytes(kHeader + records));
        return HostPath(root.file("init.isl"));
    }

    TestRoot root;
    TraceLines trace;
    MessageBoxes boxes;
    LRRegistry store;
};

}  // namespace

TEST_F(LRRegistryTest, FirstStartCreatesSeedListsItemsAndLastFile) {
    store.SetDefaultItemsFile(WriteDefaults(u"\"Milk\",\"gal\",0,3.49,0,0,\"+*(WA)+Foods+Drinks\"\r\n"
                                            u"\"Bread\",\"pkg\",1,2.29,0,0,\"+*(  )+Foods\"\r\n"
                                            u"\"Nuts\",\"kg\",0,7,0,0,\"+*(XY)+\"\r\n")
                                  .c_str());
    EXPECT_FALSE(store.IsExist());
    ASSERT_TRUE(store.Open());
    EXPECT_TRUE(trace.Has(u"Cannot init registry. Try to create default!"));
    EXPECT_TRUE(boxes.texts().empty());

    using V = std::vector<std::u16string>;
    EXPECT_EQ(RawList(kAppKey, u"Units"),
              (V{u"Bags", u"bunch", u"cup", u"doz", u"gal", u"kg", u"lib", u"litre", u"pint", u"pkg", u"qrt"}));
    EXPECT_EQ(RawList(kAppKey, u"Categories"),
              (V{u"Foods", u"Vegetables", u"Fruits", u"Drinks", u"Drugs", u"Household & Cleaning Items", u"Meat",
                 u"Health & Beauty,Necessities", u"Kitchen Items", u"Vegetables"}));
    EXPECT_EQ(RawList(kAppKey, u"Locations"), (V{u"walmart", u"sam's club"}));
    EXPECT_EQ(RawString(kAppKey, u"LastFile"), u"\\My Documents\\New.lsr");
    EXPECT_EQ(SubKeys(kItemsKey), (V{u"Bread", u"Milk", u"Nuts"}));
    EXPECT_EQ(RawDword(kItemsKey + u"\\Milk", u"Price"), 349);
    EXPECT_EQ(RawString(kItemsKey + u"\\Milk", u"Location"), u"walmart");  // code WA expanded
    EXPECT_EQ(RawList(kItemsKey + u"\\Milk", u"Categories"), (V{u"Foods", u"Drinks"}));
}

TEST_F(LRRegistryTest, FailedFirstStartLeavesNoKeyBehind) {
    // No default items file, and one whose first price is no number.
    const std::u16string damaged = WriteDefaults(u"\"Milk\",\"gal\",0,cheap,0,0,\"+*(WA)+Foods\"\r\n");
    for (const std::u16string& file : {HostPath(root.file("missing/init.isl")), damaged}) {
        LRRegistry failing;
        failing.SetDefaultItemsFile(file.c_str());
        EXPECT_FALSE(failing.Open());
        EXPECT_EQ(failing.GetKey(), nullptr);
        EXPECT_TRUE(SubKeys(u"SOFTWARE\\Tamra").empty());
    }
    const std::u16string cannotInit = u"Cannot init the registry!\n" + FromUtf8(RegistryStore::DatabasePath());
    EXPECT_EQ(boxes.texts(), (std::vector<std::u16string>{u"Init file is invalid!", cannotInit,
                                                          u"Init file is invalid!", cannotInit}));
}

// A store cut short mid-page is set aside under a dated name (never deleted) and the
// last good backup takes its place; with no backup the store starts with the defaults.
// Either way the user is told once, with the place of the damaged file.
TEST_F(LRRegistryTest, DamagedStoreIsSetAsideAndTheLastGoodBackupRestored) {
    // The same when the check runs in the background and the first read finds the damage.
    for (const auto& [withBackup, inBackground] : {std::pair{true, false}, {false, false}, {true, true}}) {
        CreateWithUnit(u"Jar", withBackup);
        std::string bytes = ReadHostFile(root.file("registry.db"));
        bytes.resize(bytes.size() / 2 + 1000);
        WriteHostFile(root.file("registry.db"), bytes);

        const std::size_t shown = boxes.texts().size();
        bool created = false;
        if (inBackground)
            RegistryStore::CheckInBackground();
        ASSERT_TRUE(store.Open(&created));
        EXPECT_EQ(created, !withBackup);
        rep::string_list units;
        ASSERT_TRUE(store.GetUnits(units));
        EXPECT_EQ(ToVector(units)[0], withBackup ? u"Jar" : u"Bags") << "the backup's units, or the seed units";
        ASSERT_EQ(boxes.texts().size(), shown + 1);
        for (const auto& entry : std::filesystem::directory_iterator(root.path()))
            if (entry.path().filename().string().rfind("registry-damaged-", 0) == 0) {
                EXPECT_EQ(ReadHostFile(entry.path().string()), bytes) << "kept as it was";
                EXPECT_NE(boxes.texts().back().find(FromUtf8(entry.path().string())), std::u16string::npos);
                std::filesystem::remove(entry.path());
            }
        store.close();
        RegistryStore::Shutdown();
    }
}

// A read of the store that fails, at any point, leaves every stored value as it was.
TEST_F(LRRegistryTest, AFailedReadNeverOverwritesOrErasesTheStore) {
    CreateWithUnit(u"Jar", false);
    store.SetDefaultItemsFile(HostPath(root.file("missing.isl")).c_str());  // a creation would fail
    for (unsigned n = 1;; ++n) {
        FaultInjection::Arm(FaultInjection::DbRead, n, ERROR_READ_FAULT);
        store.Open();
        const bool reachedEveryRead = FaultInjection::Count() < n;
        FaultInjection::Disarm();
        store.close();
        RegistryStore::Shutdown();
        ASSERT_EQ(RawList(kAppKey, u"Units"), std::vector<std::u16string>{u"Jar"}) << "read " << n;
        RegistryStore::Shutdown();
        if (reachedEveryRead)
            break;
    }
    // A store that cannot be opened at all: the start ends, saying which file and why.
    std::filesystem::rename(root.file("registry.db"), root.file("kept.db"));
    std::filesystem::create_directory(root.file("registry.db"));
    EXPECT_FALSE(store.Open());
    EXPECT_EQ(boxes.texts().back(), u"Cannot init the registry!\n" + FromUtf8(RegistryStore::DatabasePath()) +
                                        u"\nThere is a folder of that name, not a file.");
}

// A first start killed while it writes the defaults leaves no key: the next start
// creates them whole instead of taking the half-filled store for a complete one.
TEST_F(LRRegistryTest, StartKilledWhileWritingDefaultsLeavesNothing) {
    store.SetDefaultItemsFile(WriteDefaults(u"\"Milk\",\"gal\",0,cheap,0,0,\"+*(WA)+Foods\"\r\n").c_str());
    const pid_t child = fork();
    if (child == 0) {
        // Held at the message about the invalid file: the seed lists are written by now.
        SetMessageBoxHandler([](HWND, LPCWSTR, LPCWSTR, UINT) -> int { for (;;) pause(); });
        _exit(store.Open());
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(800));  // past any grouped commit
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
    store.SetDefaultItemsFile(WriteDefaults(u"\"Tea\",\"pkg\",0,3,0,0,\"+*(  )+\"\r\n").c_str());
    bool created = false;
    ASSERT_TRUE(store.Open(&created));
    EXPECT_TRUE(created);
    EXPECT_EQ(SubKeys(kItemsKey), std::vector<std::u16string>{u"Tea"});
}

TEST_F(LRRegistryTest, DefaultItemsFileIsLookedForBesideTheProgram) {
    TCHAR program[MAX_PATH];
    ASSERT_GT(GetModuleFileNameW(nullptr, program, MAX_PATH), 0u);
    const std::filesystem::path beside = std::filesystem::path(ToUtf8(program)).parent_path() / "init.isl";
    ASSERT_FALSE(std::filesystem::exists(beside)) << "a stray file would decide this test";
    WriteHostFile(beside.string(), "\xFF\xFE" + Utf16Bytes(kHeader + u"\"Tea\",\"pkg\",0,3,0,0,\"+*(  )+\"\r\n"));
    const bool opened = store.Open();
    std::filesystem::remove(beside);
    ASSERT_TRUE(opened);
    EXPECT_EQ(SubKeys(kItemsKey), std::vector<std::u16string>{u"Tea"});
}

TEST_F(LRRegistryTest, PricesAreStoredInHundredths) {
    Create();
    const std::pair<float, long long> prices[] = {{0.53f, 53}, {1.99f, 199}, {0.0f, 0}, {12345.67f, 1234567}};
    Items items;
    for (const auto& [price, stored] : prices)
        items.push_back(new Item(MakeItem(std::u16string(1, static_cast<char16_t>(u'A' + items.size())).c_str(), u"",
                                          nullptr, price, false)));
    ASSERT_TRUE(store.SaveItems(items));
    Items back;
    ASSERT_TRUE(store.GetItems(back));
    ASSERT_EQ(back.size(), 4u);
    for (DWORD i = 0; i < 4; ++i) {
        EXPECT_EQ(RawDword(kItemsKey + u"\\" + std::u16string(items[i]->Name()), u"Price"), prices[i].second);
        EXPECT_EQ(back[i]->GetPrice(), prices[i].first);
    }
    // Out of range prices store bounded values; the nearest hundredth, not one cut off.
    EXPECT_EQ(LRRegistry::PriceToHundredths(-1.5f), 0u);
    EXPECT_EQ(LRRegistry::PriceToHundredths(std::numeric_limits<float>::quiet_NaN()), 0u);
    EXPECT_EQ(LRRegistry::PriceToHundredths(1e30f), 0xFFFFFFFFu);
    EXPECT_EQ(LRRegistry::PriceToHundredths(0.006f), 1u);
}

TEST_F(LRRegistryTest, ItemsRoundTripWithAbsentLocationAndDefaultsForMissingValues) {
    Create();
    std::unique_ptr<Item> plain(new Item(MakeItem(u"Soap", u"", nullptr, 1.0f, false)));
    std::unique_ptr<Item> full(new Item(MakeItem(u"Milk", u"gal", u"walmart", 3.49f, true, {u"Foods", u"Drinks"})));
    ASSERT_TRUE(store.AddItem(*plain));
    ASSERT_TRUE(store.AddItem(*full));
    EXPECT_EQ(RawString(kItemsKey + u"\\Soap", u"Location"), u"");
    EXPECT_EQ(RawDword(kItemsKey + u"\\Milk", u"Taxable"), 1);

    // Written by hand: Taxable 2 is not taxable, values of the wrong type read as missing,
    // a bare key reads as defaults.
    {
        const KeyPtr odd = MakeKey(kItemsKey + u"\\Odd");
        odd->SetDWORD(u"Taxable", 2);
        odd->SetDWORD(u"Unit", 7);
        odd->SetString(u"Categories", u"Foods");
        odd->SetString(u"Price", u"abc");
    }
    MakeKey(kItemsKey + u"\\Bare");

    Items back;
    ASSERT_TRUE(store.GetItems(back));
    ASSERT_EQ(back.size(), 4u);  // Bare, Milk, Odd, Soap
    EXPECT_TRUE(back[0]->Equals(Item(u"Bare")));
    EXPECT_TRUE(back[1]->Equals(*full));
    EXPECT_TRUE(back[2]->Equals(Item(u"Odd")));
    EXPECT_TRUE(back[3]->Equals(*plain));
}

TEST_F(LRRegistryTest, ANameWithBackslashesIsOneKeyAndComesBackUnchanged) {
    Create();
    const std::u16string odd = u"Milk\\2%\\\uE05C\uE000end";
    std::unique_ptr<Item> item(new Item(odd.c_str()));
    ASSERT_TRUE(store.AddItem(*item));
    ASSERT_EQ(SubKeys(kItemsKey).size(), 1u);
    EXPECT_TRUE(SubKeys(kItemsKey + u"\\" + SubKeys(kItemsKey)[0]).empty());  // no nested keys

    Items back;
    ASSERT_TRUE(store.GetItems(back));
    ASSERT_EQ(back.size(), 1u);
    EXPECT_EQ(Text(back[0]->GetName()), odd);
    EXPECT_TRUE(store.RemoveItem(*item));
    EXPECT_TRUE(SubKeys(kItemsKey).empty());

    for (const std::u16string name : {u"\\", u"\\\\", u"\uE000", u"\uE000\\", u"a\uE000", u"x\uE05Cy", u"plain"})
        EXPECT_EQ(LRRegistry::NameOfKey(LRRegistry::KeyNameOf(name.c_str()).c_str()), name);
    EXPECT_EQ(LRRegistry::KeyNameOf(u"Bread & Butter"), u"Bread & Butter");
}

TEST_F(LRRegistryTest, ANameTooLongForTheStoreFailsWithoutHarmingOthers) {
    Create();
    Items items;
    items.push_back(new Item(u"Before"));
    items.push_back(new Item(std::u16string(256, u'x').c_str()));
    items.push_back(new Item(u""));
    items.push_back(new Item(u"After"));
    EXPECT_FALSE(store.SaveItems(items));
    EXPECT_TRUE(trace.Has(u"Cannot create registry key"));
    EXPECT_EQ(SubKeys(kItemsKey), (std::vector<std::u16string>{u"After", u"Before"}));
    EXPECT_EQ(RawDword(kItemsKey, u"Price"), -1);  // the nameless item wrote nothing on "Items"
    EXPECT_FALSE(store.AddItem(*items[1]));
    EXPECT_FALSE(store.InsertItem(*items[1]));

    std::unique_ptr<Item> longest(new Item(std::u16string(255, u'y').c_str()));
    store.close();
    EXPECT_TRUE(store.InsertItem(*longest)) << "the longest name, and the key opened again";
    Items back;
    ASSERT_TRUE(store.GetItems(back));
    EXPECT_EQ(back.size(), 3u);
}

TEST_F(LRRegistryTest, GetItemsOnEmptyAndMissingItemsKey) {
    Create();
    Items items;
    EXPECT_TRUE(store.GetItems(items));
    EXPECT_TRUE(items.empty());

    OpenKey(kAppKey)->DeleteSubKeyTree(u"Items");
    EXPECT_FALSE(store.GetItems(items));
    EXPECT_TRUE(trace.Has(u"Cannot open the items registry key!"));
}

TEST_F(LRRegistryTest, CancelledProgressDropsEveryItemRead) {
    Create();
    Items items;
    for (const TCHAR* name : {u"A", u"B", u"C", u"D"})
        items.push_back(new Item(name));
    ASSERT_TRUE(store.SaveItems(items));

    CountingProgress all;
    Items back;
    EXPECT_TRUE(store.GetItems(back, &all));
    EXPECT_EQ(all.steps, 4);

    CountingProgress cancel;
    cancel.cancelAt = 2;
    EXPECT_FALSE(store.GetItems(back, &cancel));
    EXPECT_TRUE(back.empty());
    EXPECT_EQ(cancel.steps, 2);
}

TEST_F(LRRegistryTest, FirstTemplateReadSeedsTheFourBuiltInTemplates) {
    Create();
    OwnedList<CImportExportTemplate> templates;
    ASSERT_TRUE(store.GetTemplates(templates));
    ASSERT_EQ(templates.size(), 4u);
    EXPECT_EQ(SubKeys(kTemplatesKey), (std::vector<std::u16string>{u"EZ Shopping", u"Handy Shop", u"OB Listora", u"Tamra"}));

    // A second read gives the same templates, in the store's order (names ignoring case).
    OwnedList<CImportExportTemplate> again;
    ASSERT_TRUE(store.GetTemplates(again));
    ASSERT_EQ(again.size(), 4u);
    const int seedOf[] = {1, 3, 2, 0};
    for (DWORD i = 0; i < 4; ++i)
        EXPECT_TRUE(SameTemplate(*again[i], *templates[static_cast<DWORD>(seedOf[i])])) << i;
}

TEST_F(LRRegistryTest, TemplateColumnsArePackedInNibbles) {
    Create();
    const int columns[10] = {3, 1, 4, 1, 5, 9, 2, 6, 5, 3};
    CImportExportTemplate pi(u"Pi\\Digits", columns, u';', u'|', false);
    pi.boolFormat = 2;
    pi.priceType = 2;
    pi.charType = 3;
    ASSERT_TRUE(store.SaveTemplate(pi));
    const std::u16string key = kTemplatesKey + u"\\" + LRRegistry::KeyNameOf(u"Pi\\Digits");
    EXPECT_EQ(RawDword(key, u"columns1"), 0x62951413);
    EXPECT_EQ(RawDword(key, u"columns2"), 0x35);

    OwnedList<CImportExportTemplate> templates;
    ASSERT_TRUE(store.GetTemplates(templates));
    ASSERT_EQ(templates.size(), 1u);
    EXPECT_TRUE(SameTemplate(*templates[0], pi));

    EXPECT_TRUE(store.DeleteTemplate(pi));
    EXPECT_TRUE(SubKeys(kTemplatesKey).empty());
}

TEST_F(LRRegistryTest, DamagedTemplateValuesReadAsDefaults) {
    Create();
    const KeyPtr key = MakeKey(kTemplatesKey + u"\\Broken");
    key->SetDWORD(u"columns1", 0x76543210);  // columns2 missing: slots 9 and 10 keep 8, 9
    key->SetString(u"delimiter", u"");
    key->SetDWORD(u"bool", 7);
    key->SetDWORD(u"priceType", 0xFFFFFFFF);
    key->SetDWORD(u"charType", 1000);
    OwnedList<CImportExportTemplate> templates;
    ASSERT_TRUE(store.GetTemplates(templates));
    ASSERT_EQ(templates.size(), 1u);
    const int expected[10] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    EXPECT_TRUE(SameTemplate(*templates[0], CImportExportTemplate(u"Broken", expected, u',', u',', true)));
}

TEST_F(LRRegistryTest, ListsWithNoKeyOpenTellTheUser) {
    rep::string_list list;
    Fill(list, {u"x"});
    EXPECT_FALSE(store.SaveCategories(list));
    EXPECT_FALSE(store.SaveUnits(list));
    EXPECT_FALSE(store.SaveLocations(list));
    EXPECT_EQ(boxes.texts(), (std::vector<std::u16string>{u"Cannot set categories multistring",
                                                          u"Cannot set multisting",
                                                          u"Cannot set locations multistring"}));

    EXPECT_FALSE(store.GetCategories(list));
    EXPECT_EQ(list.size(), 1u);
    EXPECT_FALSE(store.GetLocations(list));
    EXPECT_TRUE(list.empty());
}

TEST_F(LRRegistryTest, NameListsRoundTripAndAnOversizedListIsRefused) {
    Create();
    rep::string_list units;
    Fill(units, {u"kg", u"Bags"});
    ASSERT_TRUE(store.SaveUnits(units));
    rep::string_list back;
    Fill(back, {u"kept"});
    ASSERT_TRUE(store.GetUnits(back));
    EXPECT_EQ(ToVector(back), (std::vector<std::u16string>{u"kept", u"kg", u"Bags"}));

    rep::string_list huge;
    for (int i = 0; i < 100; ++i)
        huge.push_back(Util::tcsdup(std::u16string(30, static_cast<char16_t>(u'a' + i % 26)).c_str()));
    EXPECT_FALSE(store.SaveLocations(huge));
    EXPECT_EQ(boxes.texts().back(), u"Cannot set locations multistring");
    EXPECT_EQ(RawList(kAppKey, u"Locations"), (std::vector<std::u16string>{u"walmart", u"sam's club"}));
}
