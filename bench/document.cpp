// The document's speed on large lists: opening a 100,000-line list whose items are all
// new to a 5,000-item catalogue (the lines join the catalogue and the store), adding
// one line to a 100,000-line list, and finding a line by name in it.
#include "BenchApp.h"
#include "BenchRoot.h"
#include "BenchStore.h"

#include "LRRegistry.h"
#include "ListFile.h"
#include "ModalRunner.h"
#include "Options.h"
#include "RegistryApi.h"
#include "ListoraStrings.h"
#include "listoradoc.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace {

constexpr int kCatalogueItems = 5000;
constexpr int kListLines = 100000;
constexpr const TCHAR* kListPath = u"\\bench.lsr";

BenchRoot g_root;

// The store as a user with a full catalogue has it: 5,000 items.
bool MakeStore() {
    LRRegistry& registry = TheRegistry();
    if (!OpenFreshStore(g_root.path))
        return false;
    rep::vector<Item*> items;
    for (int i = 0; i < kCatalogueItems; ++i) {
        auto* item = new Item(Wide("Catalogue item " + std::to_string(i)).c_str());
        item->SetUnit(u"pkg");
        item->SetPrice(0.01f * static_cast<float>(i));
        item->AddCategory(u"Foods");
        items.push_back(item);
    }
    const bool saved = registry.SaveItems(items);
    rep::delete_objects(items);
    RegFlushKey(HKEY_LOCAL_MACHINE);
    return saved && TheOptions().Load(registry);
}

// A list of lines whose names the catalogue does not know.
bool MakeList() {
    rep::vector<Purchase*> lines;
    for (int i = 0; i < kListLines; ++i) {
        auto* line = new Purchase(Wide("List line " + std::to_string(i)).c_str());
        line->SetQty(static_cast<float>(1 + i % 7));
        line->SetPrice(0.25f * static_cast<float>(i % 400));
        line->SetUnit(u"kg");
        line->SetOnce(false);
        line->AddCategory(u"Foods");
        if (i % 3 == 0)
            line->SetLocation(u"walmart");
        lines.push_back(line);
    }
    ListFile file;
    const bool written = file.Write(kListPath, lines);
    rep::delete_objects(lines);
    return written;
}

// Until the list is open and usable, and (untilStored) until its new items are also
// in the store on disk; a big save of new items goes on after the open on a thread.
void OpenListOfNewItems(benchmark::State& state, bool untilStored) {
    if (!MakeList()) {
        state.SkipWithError("cannot write the list");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        if (!MakeStore()) {
            state.SkipWithError("cannot make the store");
            return;
        }
        auto doc = std::make_unique<CListoraDoc>();
        state.ResumeTiming();

        if (!doc->OnOpenDocument(kListPath) || doc->GetPurchases().size() != kListLines ||
            doc->GetItems().size() != kCatalogueItems + 1 + kListLines)
            state.SkipWithError("the list did not open as expected");
        if (untilStored) {
            TheRegistry().FinishSavingItems();
            RegFlushKey(HKEY_LOCAL_MACHINE);
        }

        state.PauseTiming();
        TheRegistry().FinishSavingItems();
        doc.reset();
        state.ResumeTiming();
    }
}
void BM_OpenListOfNewItems(benchmark::State& state) { OpenListOfNewItems(state, false); }
void BM_OpenListOfNewItemsUntilStored(benchmark::State& state) { OpenListOfNewItems(state, true); }
BENCHMARK(BM_OpenListOfNewItems)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_OpenListOfNewItemsUntilStored)->Unit(benchmark::kMillisecond)->Iterations(3);

// A document holding the 100,000-line list, sorted by name.
class LargeList {
public:
    bool Open() {
        if (!MakeList() || !MakeStore())
            return false;
        TheOptions().SetSortColumn(1);
        TheOptions().SetSortDirection(0);
        doc = std::make_unique<CListoraDoc>();
        return doc->OnOpenDocument(kListPath) && doc->GetPurchases().size() == kListLines;
    }
    std::unique_ptr<CListoraDoc> doc;
};

void BM_AddPurchaseTo100000(benchmark::State& state) {
    LargeList list;
    if (!list.Open()) {
        state.SkipWithError("cannot open the list");
        return;
    }
    const Item* item = list.doc->FindItem(u"Catalogue item 2500");
    if (!item) {
        state.SkipWithError("catalogue item missing");
        return;
    }
    for (auto _ : state) {
        auto* line = new Purchase(*item);
        list.doc->AddPurchase(line);

        state.PauseTiming();
        list.doc->RemovePurchase(line);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_AddPurchaseTo100000)->Unit(benchmark::kMillisecond);

void BM_FindPurchaseIn100000(benchmark::State& state) {
    LargeList list;
    if (!list.Open()) {
        state.SkipWithError("cannot open the list");
        return;
    }
    int i = 0;
    for (auto _ : state) {
        const std::u16string name = Wide("List line " + std::to_string(i));
        benchmark::DoNotOptimize(list.doc->FindPurchase(name.c_str()));
        i = (i + 7919) % kListLines;
    }
}
BENCHMARK(BM_FindPurchaseIn100000)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    const int result = RunAppBenchmarks(argc, argv);
    TheRegistry().close();
    return result;
}
