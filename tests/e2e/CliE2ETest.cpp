// The built companion (LISTORA_CLI) run on a device root whose store this process made.
#include "ChildProcess.h"
#include "ListFile.h"
#include "ListTestSupport.h"
#include "LRRegistry.h"
#include "NameList.h"
#include "RegistryApi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace {

using namespace std::chrono_literals;

struct CliRun {
    int code;
    std::string out;
    std::string err;
};

bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

class CliE2E : public ::testing::Test {
protected:
    void SetUp() override {
        const char* exe = std::getenv("LISTORA_CLI");
        if (!exe || !*exe)
            GTEST_SKIP() << "LISTORA_CLI is not set";
        m_exe = exe;
        TheRegistry().SetDefaultItemsFile(HostPath(m_root.starterCatalogue()).c_str());
        ASSERT_TRUE(TheRegistry().Open());
    }
    void TearDown() override {
        TheRegistry().close();
        TheRegistry().SetDefaultItemsFile(nullptr);
    }

    // Runs the companion once; this process's writes are committed first and its view
    // of the store is read afresh afterwards.
    CliRun Cli(const std::vector<std::string>& args) {
        TheRegistry().close();
        RegistryStore::Shutdown();
        ChildProcess child(m_exe, args, {}, false, ChildProcess::Errors::Capture);
        CliRun run{-1, ChildProcess::ReadAll(child.output), ChildProcess::ReadAll(child.errors)};
        child.Stop();
        run.code = child.ExitCode();
        TheRegistry().init();
        return run;
    }

    std::string WriteSampleList() {
        const std::string path = m_root.file("weekly.lsr");
        Purchases lines;
        rep::string_list dairy;
        Fill(dairy, {u"Dairy", u"Drinks"});
        auto* milk = new Purchase(u"Milk");
        milk->Set(u"Milk", u"l", nullptr, u"Corner shop", 2.0f, 1.5f, false, true, false, false, dairy);
        auto* bread = new Purchase(u"Bread, \"rye\"");
        bread->Set(u"Bread, \"rye\"", u"", u"sliced", nullptr, 1.0f, 2.25f, true, false, false, true,
                   rep::string_list());
        lines.push_back(milk);
        lines.push_back(bread);
        ListFile file;
        EXPECT_TRUE(file.Write(HostPath(path).c_str(), lines));
        return path;
    }

    std::string Backup(const std::string& name) {
        const CliRun run = Cli({"store", "backup", m_root.file(name)});
        EXPECT_EQ(run.code, 0) << run.err;
        return ReadHostFile(m_root.file(name));
    }

    TestRoot m_root;
    std::string m_exe;
};

}  // namespace

TEST_F(CliE2E, ShowPrintsTheListForPeopleAndForScripts) {
    const std::string list = WriteSampleList();
    CliRun run = Cli({"show", list});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(run.out,
              "Done  Qty  Unit  Item          Price  Cpn  Tax  Once  Location     Note    Categories\n"
              "        2  l     Milk           1.50       x          Corner shop          Dairy; Drinks\n"
              "x       1        Bread, \"rye\"   2.25  x                            sliced\n");

    run = Cli({"show", list, "--format", "csv"});
    EXPECT_EQ(run.out,
              "purchased,qty,unit,name,price,coupon,taxable,once,location,note,categories\n"
              "false,2,l,Milk,1.5,false,true,false,Corner shop,,Dairy; Drinks\n"
              "true,1,,\"Bread, \"\"rye\"\"\",2.25,true,false,false,,sliced,\n");
    run = Cli({"show", list, "--format", "json", "--unpurchased"});
    EXPECT_EQ(run.out,
              "[\n  {\"purchased\": false, \"qty\": 2, \"unit\": \"l\", \"name\": \"Milk\", \"price\": 1.5, "
              "\"coupon\": false, \"taxable\": true, \"once\": false, \"location\": \"Corner shop\", \"note\": \"\", "
              "\"categories\": [\"Dairy\", \"Drinks\"]}\n]\n");

    run = Cli({"show", m_root.file("missing.lsr")});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(Has(run.err, "missing.lsr")) << run.err;
}

TEST_F(CliE2E, ConvertGoesThroughATemplateBothWays) {
    const std::string list = WriteSampleList();
    const std::string csv = m_root.file("weekly.txt");
    CliRun run = Cli({"convert", list, csv, "--template", "Tamra"});
    ASSERT_EQ(run.code, 0) << run.err;
    // The exchange engine's own line: UTF-16, quotes in texts standing in as U+201D.
    const std::string start = Utf16Bytes(u"2.00,\"Milk\",1.50,");
    EXPECT_EQ(ReadHostFile(csv).substr(0, start.size()), start);

    const std::string back = m_root.file("back.lsr");
    run = Cli({"convert", csv, back, "--template", "tamra"});
    ASSERT_EQ(run.code, 0) << run.err;
    Purchases lines;
    Items items;
    rep::string_list none;
    ASSERT_EQ(ListFile().Load(HostPath(back).c_str(), lines, items, none), LR_OK);
    // An import leaves the list sorted by name; each field's way is the engine's test's.
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0]->Name(), u"Bread, \u201Drye\u201D");
    EXPECT_EQ(lines[1]->Name(), u"Milk");
    EXPECT_EQ(ToVector(lines[1]->GetCategories()), (std::vector<std::u16string>{u"Dairy", u"Drinks"}));

    // Unknown template, and a delimited file without one: bad usage.
    EXPECT_EQ(Cli({"convert", list, csv, "--template", "Nope"}).code, 2);
    EXPECT_EQ(Cli({"convert", csv, back}).code, 2);
}

TEST_F(CliE2E, CatalogueChangesAreWhatTheProgramReads) {
    CliRun run = Cli({"catalogue", "add", "Oat milk", "--unit", "carton", "--price", "2.19", "--location", "Deli",
                   "--category", "Vegan", "--taxable"});
    ASSERT_EQ(run.code, 0) << run.err;
    Items items;
    ASSERT_TRUE(TheRegistry().GetItems(items));
    const auto found = std::find_if(items.begin(), items.end(), [](const Item* i) { return i->Name() == u"Oat milk"; });
    ASSERT_NE(found, items.end());
    EXPECT_EQ((*found)->Unit(), u"carton");
    EXPECT_FLOAT_EQ((*found)->GetPrice(), 2.19f);
    EXPECT_TRUE((*found)->IsTaxable());
    rep::string_list locations, categories, units;
    TheRegistry().GetLocations(locations);
    TheRegistry().GetCategories(categories);
    TheRegistry().GetUnits(units);
    EXPECT_TRUE(ListContains(locations, u"Deli") && ListContains(categories, u"Vegan") && ListContains(units, u"carton"));

    EXPECT_EQ(Cli({"catalogue", "add", "oat MILK"}).code, 1) << "names compare ignoring case";
    run = Cli({"catalogue", "remove", "--list", "categories", "Vegan"});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(Has(run.err, "--force")) << run.err;
    ASSERT_EQ(Cli({"catalogue", "remove", "--list", "categories", "vegan", "--force"}).code, 0);
    ASSERT_EQ(Cli({"catalogue", "remove", "Oat milk"}).code, 0);
    run = Cli({"catalogue", "list", "--format", "csv"});
    EXPECT_FALSE(Has(run.out, "Oat milk"));
    EXPECT_TRUE(Has(run.out, "name,unit,price,taxable,location,categories\n")) << run.out;
    EXPECT_FALSE(Has(Cli({"catalogue", "list", "categories"}).out, "Vegan"));
}

TEST_F(CliE2E, BackupWipeRestoreGivesTheSameStoreAndADamagedFileChangesNothing) {
    ASSERT_EQ(Cli({"catalogue", "add", "Crème fraîche", "--price", "1.05"}).code, 0);
    const std::string first = Backup("first.reg");
    ASSERT_TRUE(Has(first, "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\SOFTWARE]")) << first.substr(0, 200);
    ASSERT_TRUE(Has(first, "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tamra\\Listora\\Items\\Crème fraîche]\n"
                           "\"Categories\"=hex(7):00,00,00,00\n\"Location\"=\"\"\n\"Price\"=dword:00000069\n"));

    TheRegistry().close();
    RegistryStore::Shutdown();
    for (const char* file : {"registry.db", "registry.db-wal", "registry.db-shm"})
        std::filesystem::remove(m_root.file(file));
    CliRun run = Cli({"store", "restore", m_root.file("first.reg")});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_EQ(Backup("second.reg"), first);
    EXPECT_EQ(Cli({"store", "check"}).code, 0);

    const std::pair<std::string, std::string> damages[] = {
        {"\"Price\"=dword:00000069", "\"Price\"=dword:0000006g"},
        {"REGEDIT4", "REGEDIT3"},
        {"Crème", "Cr\xE8me"},  // not UTF-8
        {"Tamra\\Listora]", "Tamra\\Listora2]"},  // the program's key is missing
        {"hex(7):00,00,00,00", "hex(7):00,00,00,"},
    };
    for (const auto& [from, to] : damages) {
        std::string damaged = first;
        damaged.replace(damaged.find(from), from.size(), to);
        WriteHostFile(m_root.file("damaged.reg"), damaged);
        run = Cli({"store", "restore", m_root.file("damaged.reg")});
        EXPECT_EQ(run.code, 1) << to;
        EXPECT_TRUE(Has(run.err, "the store is unchanged")) << run.err;
        EXPECT_EQ(Backup("after.reg"), first) << to;
    }
}

TEST_F(CliE2E, WritesWaitForTheProgramToEnd) {
    const char* program = std::getenv("LISTORA_EXE");
    if (!program || !*program)
        GTEST_SKIP() << "LISTORA_EXE is not set";
    const std::string backup = Backup("backup.reg");
    TheRegistry().close();
    RegistryStore::Shutdown();
    ChildProcess listora(program, {}, {{"QT_QPA_PLATFORM", "offscreen"}}, true);
    const auto end = std::chrono::steady_clock::now() + 30s;
    // Past the single-instance lock (the first list may still ask a question).
    while (!Has(LogText(m_root.file("Listora.txt")), "ProcessShellCommand()") && std::chrono::steady_clock::now() < end)
        std::this_thread::sleep_for(50ms);

    for (const std::vector<std::string>& write :
         {std::vector<std::string>{"catalogue", "add", "Tofu"}, {"store", "restore", m_root.file("backup.reg")}}) {
        const CliRun run = Cli(write);
        EXPECT_EQ(run.code, 1);
        EXPECT_TRUE(Has(run.err, "Listora is running on " + m_root.path())) << run.err;
    }
    EXPECT_EQ(Cli({"catalogue", "list"}).code, 0) << "reading goes on";
    kill(listora.pid, SIGTERM);
    ASSERT_TRUE(listora.WaitForExit(20s));
    EXPECT_EQ(Cli({"catalogue", "add", "Tofu"}).code, 0);
}

TEST_F(CliE2E, EveryCommandHasHelpAndBadUsageIsExitCodeTwo) {
    for (const std::vector<std::string>& help : {std::vector<std::string>{"--help"}, {"store", "backup", "--help"}}) {
        const CliRun run = Cli(help);
        EXPECT_EQ(run.code, 0) << help.front();
        EXPECT_TRUE(Has(run.out, "Usage:")) << help.back();
    }
    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{}, {"show", "x.lsr", "--format", "xml"}, {"convert", "only-one.lsr"},
          {"catalogue", "add"}, {"catalogue", "add", "Tea", "--price", "-1"}, {"store"}}) {
        const CliRun run = Cli(bad);
        EXPECT_EQ(run.code, 2) << (bad.empty() ? "" : bad.back());
        EXPECT_FALSE(run.err.empty());
    }
    // --root names another device root: one without a store.
    const CliRun run = Cli({"--root", m_root.file("elsewhere"), "catalogue", "list"});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(Has(run.err, "there is no Listora store in " + m_root.file("elsewhere"))) << run.err;
}

TEST_F(CliE2E, StoreCheckFindsKeysCutOffFromTheTree) {
    if (!std::filesystem::exists("/usr/bin/sqlite3"))
        GTEST_SKIP() << "the sqlite3 program is not installed";
    CliRun run = Cli({"store", "check"});
    ASSERT_EQ(run.code, 0) << run.err;
    EXPECT_TRUE(Has(run.out, " is sound: ")) << run.out;
    TheRegistry().close();
    RegistryStore::Shutdown();
    ChildProcess damage("/usr/bin/sqlite3",
                        {m_root.file("registry.db"), "UPDATE keys SET parent=987654 WHERE name='Items'"});
    damage.Stop();
    ASSERT_EQ(damage.ExitCode(), 0);
    run = Cli({"store", "check"});
    EXPECT_EQ(run.code, 1);
    EXPECT_TRUE(Has(run.out, "the key 'Items' hangs on a key that is gone\n")) << run.out;
    EXPECT_TRUE(Has(run.out, " keys cannot be reached from a root\n")) << run.out;
}
