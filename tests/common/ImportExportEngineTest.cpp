#include "ImportExportEngine.h"

#include "CatalogueTestSupport.h"
#include "FakeImportTarget.h"
#include "FaultInjection.h"
#include "TestRoot.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using Engine = ImportExportEngine;

class ImportExportEngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The seed templates, as a first start stores them.
        WriteHostFile(root.file("init.isl"),
                      "\xFF\xFE" + Utf16Bytes(u"\"Name\",\"Unit\",\"Qty\",\"Price\",\"Coupon\",\"Purchased\",\"+*(XX)+\"\r\n"));
        store.SetDefaultItemsFile(HostPath(root.file("init.isl")).c_str());
        ASSERT_TRUE(store.Open());
        ASSERT_TRUE(store.GetTemplates(seeds));
        ASSERT_EQ(seeds.size(), 4u);
    }

    std::u16string Path(const std::string& name) const { return HostPath(root.file(name)); }

    Engine::ExportResult Export(const CImportExportTemplate& with, std::initializer_list<Line> lines,
                                const std::string& name = "out.csv", const Currency* currency = nullptr) {
        Purchases list;
        for (const Line& line : lines)
            list.push_back(Make(line));
        return Engine(with, currency).Export(list, Path(name).c_str());
    }

    Engine::ImportResult Import(const CImportExportTemplate& with, const std::string& bytes,
                                ProgressSink* progress = nullptr) {
        WriteHostFile(root.file("in.csv"), bytes);
        log.Empty();
        return Engine(with, nullptr).Import(target, Path("in.csv").c_str(), false, log, progress);
    }

    TestRoot root;
    TraceLines trace;
    MessageBoxes boxes;
    LRRegistry store;
    TemplateList seeds;
    FakeImportTarget target;
    CString log;
};

}  // namespace

// Each line reads back with its price. The line without a unit is the Export command's
// (ExchangeTest).
TEST_F(ImportExportEngineTest, ExportedLinesFollowTheTemplateAndPricesReadBack) {
    CImportExportTemplate prefix = *seeds.Find(u"Tamra");
    prefix.priceType = 1;
    CImportExportTemplate postfix = *seeds.Find(u"Tamra");
    postfix.priceType = 2;
    struct Case {
        const CImportExportTemplate& with;
        const TCHAR* currency;
        Line line;
        std::string bytes;
    } cases[] = {
        {*seeds.Find(u"Tamra"), nullptr, {.name = u"Milk", .qty = 2.0f, .price = 1.5f, .unit = u"gal"},
         Utf16Bytes(u"2.00,\"Milk\",1.50,False,,,,False,False,gal\r\n")},  // the unit last
        {*seeds.Find(u"EZ Shopping"), nullptr,
         {.name = u"Bread", .price = 1.5f, .unit = u"pkg", .location = u"walmart", .categories = {u"Foods"},
          .coupon = true, .taxable = true},
         "\"Bread\",1.00,1.50,\"Foods\",walmart,pkg,1,1,,0\r\n"},  // its unused column empty
        {prefix, u"United States", {.name = u"Tea", .price = 1.5f}, Utf16Bytes(u"1.00,\"Tea\",$ 1.50,False,,,,False,False\r\n")},
        {postfix, u"Germany", {.name = u"Tea", .price = 1.5f}, Utf16Bytes(u"1.00,\"Tea\",1.50 EUR,False,,,,False,False\r\n")},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(Export(c.with, {c.line}, "out.csv", c.currency ? FindCurrency(c.currency) : nullptr),
                  Engine::EXPORT_DONE);
        EXPECT_EQ(ReadHostFile(root.file("out.csv")), c.bytes);
        Import(c.with, c.bytes);
        ASSERT_EQ(target.purchases.size(), 1u);
        EXPECT_EQ(target.purchases[0]->GetPrice(), 1.5f);
        target.RemovePurchase(target.purchases[0]);
    }
    EXPECT_EQ(Engine::ReadPrice(u"EUR", 1), 0.0f);
}

TEST_F(ImportExportEngineTest, RowsWithoutNameAreLoggedAndFlagsReadTheirFormat) {
    CImportExportTemplate yesNo = *seeds.Find(u"Tamra");
    yesNo.boolFormat = 2;
    ASSERT_EQ(Import(yesNo, Utf16Bytes(u"1,\"A\",0,yes\r\n,,,\r\n1,\"B\",0,Y\r\n")), Engine::IMPORT_DONE);
    EXPECT_EQ(log, u"Line 1 is skipped\nLine 3 is skipped\n");
    ASSERT_EQ(target.purchases.size(), 2u);
    EXPECT_TRUE(target.purchases[0]->HasCoupon());
    EXPECT_FALSE(target.purchases[1]->HasCoupon());
    EXPECT_FALSE(target.purchases[0]->IsOnce());
    EXPECT_EQ(target.begun, 1);
    EXPECT_EQ(target.ended, 1);
}

// Replacing lines of the same name only when asked is the Import command's (ExchangeTest).
TEST_F(ImportExportEngineTest, ObListoraGoesToTheListReaderAndIsNotExported) {
    EXPECT_EQ(Export(*seeds.Find(u"OB Listora"), {{.name = u"Milk"}}), Engine::EXPORT_NOT_SUPPORTED);
    EXPECT_FALSE(HostFileExists(root.file("out.csv")));
    Engine ob(*seeds.Find(u"OB Listora"), nullptr);
    EXPECT_EQ(ob.Import(target, u"\\list.obls", false, log), Engine::IMPORT_DONE);
    EXPECT_EQ(target.loadedPath, u"\\list.obls");
    EXPECT_FALSE(target.loadedOnDevice || target.loadedAsDocument);
    target.loadListResult = false;
    EXPECT_EQ(ob.Import(target, u"\\list.obls", false, log), Engine::IMPORT_LIST_NOT_LOADED);
}

TEST_F(ImportExportEngineTest, UnreadableFileIsReported) {
    EXPECT_EQ(Engine(*seeds.Find(u"Tamra"), nullptr).Import(target, Path("none.csv").c_str(), false, log),
              Engine::IMPORT_CANNOT_PARSE);
    EXPECT_EQ(target.begun, 0);
    EXPECT_EQ(Export(*seeds.Find(u"Tamra"), {{.name = u"Milk"}}, "no/folder/out.csv"), Engine::EXPORT_CANNOT_CREATE);
}

TEST_F(ImportExportEngineTest, FailedExportIsReportedAndKeepsTheOlderFile) {
    WriteHostFile(root.file("out.csv"), "older export");
    FaultInjection::Arm(FaultInjection::FileWrite, 1, ERROR_DISK_FULL);
    EXPECT_EQ(Export(*seeds.Find(u"Tamra"), {{.name = u"Milk"}}), Engine::EXPORT_WRITE_FAILED);
    FaultInjection::Disarm();
    EXPECT_EQ(ReadHostFile(root.file("out.csv")), "older export");
    EXPECT_FALSE(HostFileExists(root.file(".out.csv.tmp")));
}

// Export, then import with the same template: every field the template has a column
// for comes back. A double quote comes back as U+201D and a line break as a blank
// (the reader has no escape for either); ANSI files keep what the code page holds.
TEST_F(ImportExportEngineTest, RoundTripThroughEachSeedTemplate) {
    const std::initializer_list<Line> lines = {
        {.name = u"Tomatoes, \"cherry\"\tsweet", .qty = 2.5f, .price = 3.99f, .unit = u"\u043A\u0433",
         .location = u"Joe's, \"Main\"\tSt", .note = u"ripe, red\r\nsoft\t\"ones\"",
         .categories = {u"Health & Beauty,Necessities", u"Fo\"od\ts"}, .coupon = true, .taxable = true},
        {.name = u"\u0425\u043B\u0435\u0431 \u05DC\u05D7\u05DD caf\u00E9", .qty = 0.25f, .price = 0.1f,
         .unit = u"a,b", .note = u"", .purchased = true},
        {.name = u"Salt", .location = u"walmart", .categories = {u"Foods", u"Drinks"}},
    };
    for (const CImportExportTemplate* seed : seeds) {
        SCOPED_TRACE(std::string(seed->name.str().begin(), seed->name.str().end()));
        // The columns of "OB Listora" as a template of its own: that name is not exported.
        CImportExportTemplate with = *seed;
        with.name = u"Round trip";
        ASSERT_EQ(Export(with, lines), Engine::EXPORT_DONE);
        FakeImportTarget into;
        into.Seed({u"Health & Beauty,Necessities"});
        ASSERT_EQ(Engine(with, nullptr).Import(into, Path("out.csv").c_str(), false, log), Engine::IMPORT_DONE);

        const bool ansi = with.charType == CDelimitedFile::CHAR_ANSI;
        auto carried = [&](const TCHAR* text) -> std::u16string {
            if (!text)
                return u"(null)";
            std::u16string result;
            for (const TCHAR* c = text; *c; ++c) {
                if (*c == u'\n' && c > text && c[-1] == u'\r')
                    continue;
                const bool latin1 = *c < 0x100;
                result += *c == u'"' ? u'\u201D' : *c == u'\r' || *c == u'\n' ? u' ' : ansi && !latin1 ? u'?' : *c;
            }
            return result;
        };
        auto has = [&](int slot) { return with.columns[slot] != CImportExportTemplate::noColumn; };
        Purchases expected;
        for (const Line& line : lines)
            expected.push_back(Make(line));
        std::sort(expected.begin(), expected.end(),
                  [&](const Purchase* a, const Purchase* b) { return CompareNoCase(carried(a->GetName()), carried(b->GetName())) < 0; });
        ASSERT_EQ(into.purchases.size(), expected.size());
        for (DWORD i = 0; i < expected.size(); ++i) {
            const Purchase& want = *expected[i];
            const Purchase& got = *into.purchases[i];
            EXPECT_EQ(got.Name(), carried(want.GetName()));
            EXPECT_EQ(got.GetQty(), has(CImportExportTemplate::QTY) ? want.GetQty() : 0.0f);
            EXPECT_EQ(got.GetPrice(), has(CImportExportTemplate::PRICE) ? want.GetPrice() : 0.0f);
            EXPECT_EQ(got.Unit(), has(CImportExportTemplate::UNIT) ? carried(want.GetUnit()) : u"");
            EXPECT_EQ(Text(got.GetLocation()), has(CImportExportTemplate::LOCATION) ? carried(want.GetLocation()) : u"(null)");
            EXPECT_EQ(Text(got.GetNote()), has(CImportExportTemplate::NOTE) ? carried(want.GetNote()) : u"(null)");
            std::vector<std::u16string> categories;
            for (const TCHAR* category : want.GetCategories())
                categories.push_back(carried(category));
            EXPECT_EQ(ToVector(got.GetCategories()),
                      has(CImportExportTemplate::CATEGORIES) ? categories : std::vector<std::u16string>{});
            EXPECT_EQ(got.HasCoupon(), has(CImportExportTemplate::COUPON) && want.HasCoupon());
            EXPECT_EQ(got.IsPurchased(), has(CImportExportTemplate::PURCHASED) && want.IsPurchased());
            EXPECT_EQ(got.IsTaxable(), has(CImportExportTemplate::TAXABLE) && want.IsTaxable());
        }
    }
}

TEST_F(ImportExportEngineTest, CancelStopsAndKeepsTheOlderFile) {
    CountingProgress progress;
    progress.cancelAt = 3;  // after two purchases or rows
    WriteHostFile(root.file("out.csv"), "older export");
    Purchases list;
    for (const TCHAR* name : {u"A", u"B", u"C", u"D"})
        list.push_back(Make({.name = name}));
    EXPECT_EQ(Engine(*seeds.Find(u"Tamra"), nullptr).Export(list, Path("out.csv").c_str(), &progress),
              Engine::EXPORT_CANCELLED);
    EXPECT_EQ(progress.max, 4u);
    EXPECT_EQ(progress.steps, 2);
    EXPECT_EQ(ReadHostFile(root.file("out.csv")), "older export");

    progress.asked = 0;
    EXPECT_EQ(Import(*seeds.Find(u"Tamra"), Utf16Bytes(u"1,\"A\"\r\n1,\"B\"\r\n1,\"C\"\r\n"), &progress),
              Engine::IMPORT_CANCELLED);
    EXPECT_EQ(target.purchases.size(), 2u);
    EXPECT_EQ(target.ended, 1);
}
