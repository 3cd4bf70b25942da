// The Item Manager with a 5,000-item catalogue: opening the sheet (every page set up,
// the window shown), adding one item on the items page with its store write, and
// taking a category from the 1,000 items that carry it (each rewritten in the store).
#include "BenchApp.h"
#include "BenchRoot.h"
#include "BenchStore.h"

#include "LRRegistry.h"
#include "dlgs/CEditListsPropertySheet.h"
#include "listoradoc.h"

#include "Text/Util.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

constexpr int kCatalogueItems = 5000;
constexpr int kItemsWithCategory = 1000;
constexpr const TCHAR* kCategory = u"Bench category";

BenchRoot g_root;

struct Fixture {
    CListoraDoc doc;

    Fixture() {
        BenchStore store;
        store.Create();
        store.close();
        TheRegistry().init();
        doc.GetCategories().push_back(Util::tcsdup(kCategory));
        for (int i = 0; i < kCatalogueItems; ++i) {
            auto* item = new Item(Wide("Catalogue item " + std::to_string(i)).c_str());
            item->SetUnit(u"pkg");
            item->SetPrice(0.01f * static_cast<float>(i));
            item->AddCategory(u"Foods");
            if (i < kItemsWithCategory)
                item->AddCategory(kCategory);
            doc.AddCatalogueItem(item, false);
        }
    }
    ~Fixture() { doc.DeleteContents(); }
};

Fixture& TheFixture() {
    static Fixture fixture;
    return fixture;
}

std::unique_ptr<CEditListsPropertySheet> OpenSheet() {
    auto sheet = std::make_unique<CEditListsPropertySheet>(TheFixture().doc);
    sheet->Create();
    sheet->GetWidget()->show();
    QApplication::processEvents();
    return sheet;
}

void BM_OpenItemManager(benchmark::State& state) {
    for (auto _ : state) {
        auto sheet = OpenSheet();
        benchmark::DoNotOptimize(sheet.get());
        state.PauseTiming();
        sheet.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["items"] = static_cast<double>(TheFixture().doc.GetItems().size());
}
BENCHMARK(BM_OpenItemManager)->Unit(benchmark::kMillisecond);

// Add on the items page: the catalogue, the store and the page's list take the item.
void BM_AddOneItem(benchmark::State& state) {
    auto sheet = OpenSheet();
    CItemManagerPage& page = sheet->GetItemPage();
    const DWORD before = TheFixture().doc.GetItems().size();
    // Names new to every run of the benchmark.
    static int s_named = 0;
    int added = 0;
    for (auto _ : state) {
        state.PauseTiming();
        page.SetDlgItemText(CItemManagerPage::IDC_NAME, Wide("Added item " + std::to_string(s_named++)).c_str());
        ++added;
        state.ResumeTiming();
        page.OnAdd();
    }
    if (TheFixture().doc.GetItems().size() != before + static_cast<DWORD>(added) ||
        page.GetList().GetItemCount() != static_cast<int>(before) + added)
        state.SkipWithError("an item was not added");
}
BENCHMARK(BM_AddOneItem)->Unit(benchmark::kMillisecond);

void BM_RemoveCategoryUsedBy1000(benchmark::State& state) {
    Fixture& fixture = TheFixture();
    int used = 0;
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < kItemsWithCategory; ++i) {
            Item* item = fixture.doc.FindItem(Wide("Catalogue item " + std::to_string(i)).c_str());
            if (!item->HasCategory(kCategory))
                item->AddCategory(kCategory);
        }
        state.ResumeTiming();
        fixture.doc.RemoveCategoryFromAll(kCategory);
        state.PauseTiming();
        used = 0;
        for (const Item* item : fixture.doc.GetItems())
            used += item->HasCategory(kCategory) ? 1 : 0;
        state.ResumeTiming();
    }
    if (used != 0)
        state.SkipWithError("the category stayed on some items");
}
BENCHMARK(BM_RemoveCategoryUsedBy1000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return RunAppBenchmarks(argc, argv);
}
