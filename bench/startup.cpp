// Start-up to the first painted list, on the offscreen platform: the application's
// whole InitInstance (trace log, lock, catalogue store with 5,000 items, options,
// template, file type, reopening a 1,000-line list, the choice view) and one paint of
// the list view. Shutdown is not timed.
#include "BenchApp.h"
#include "BenchRoot.h"

#include "CListoraView.h"
#include "CView.h"
#include "Listora.h"
#include "ListFile.h"
#include "LRRegistry.h"
#include "ModalRunner.h"
#include "Options.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace {

constexpr int kItems = 5000;
constexpr int kLines = 1000;

BenchRoot g_root;

std::u16string DefaultItemsFile() {
    std::string here = __FILE__;
    here = here.substr(0, here.find_last_of('/'));
    return Wide(here + "/../resources/device/init.isl");
}

// The first start creates the store; then the catalogue grows to 5,000 items and the
// last list becomes a 1,000-line list of catalogue items.
bool Prepare() {
    TheRegistry().SetDefaultItemsFile(DefaultItemsFile().c_str());
    {
        CListoraApp first;
        if (!first.InitInstance())
            return false;
        first.ExitInstance();
        first.CloseAllDocuments();
    }
    rep::vector<Item*> items;
    for (int i = 0; i < kItems; ++i) {
        const std::u16string name = Wide("Catalogue item " + std::to_string(i));
        auto* item = new Item(name.c_str());
        item->SetPrice(0.01f * static_cast<float>(i));
        items.push_back(item);
    }
    rep::vector<Purchase*> lines;
    for (int i = 0; i < kLines; ++i) {
        auto* purchase = new Purchase(*items[static_cast<DWORD>(i * 5 % kItems)]);
        purchase->SetQty(static_cast<float>(1 + i % 4));
        lines.push_back(purchase);
    }
    const bool stored = TheRegistry().init() && TheRegistry().SaveItems(items);
    const std::u16string list = Wide(g_root.path + "/My Documents/Bench.lsr");
    ListFile file;
    const bool written = file.Write(list.c_str(), lines);
    rep::delete_objects(items);
    rep::delete_objects(lines);
    TheOptions().Load(TheRegistry());
    TheOptions().SetLastFile(list.c_str());
    const bool saved = TheOptions().Save(TheRegistry());
    TheRegistry().close();
    return stored && written && saved;
}

void BM_StartupToFirstPaintedList(benchmark::State& state) {
    CountingRunner runner;
    ModalRunner* previous = ModalRunner::Install(&runner);
    std::size_t purchases = 0;
    std::size_t items = 0;
    for (auto _ : state) {
        auto app = std::make_unique<CListoraApp>();
        if (!app->InitInstance() || !app->GetListView()) {
            state.SkipWithError("start-up failed");
            break;
        }
        const QImage image = app->GetListView()->RenderToImage();
        benchmark::DoNotOptimize(image.constBits());
        state.PauseTiming();
        purchases = app->GetDocument()->GetPurchases().size();
        items = app->GetDocument()->GetItems().size();
        app->ExitInstance();
        app->CloseAllDocuments();
        app.reset();
        TheRegistry().close();
        state.ResumeTiming();
    }
    ModalRunner::Install(previous);
    state.counters["lines"] = static_cast<double>(purchases);
    state.counters["items"] = static_cast<double>(items);
    state.counters["prompts"] = runner.prompts;
}
BENCHMARK(BM_StartupToFirstPaintedList)->Unit(benchmark::kMillisecond)->MinTime(2.0);

}  // namespace

int main(int argc, char** argv) { return RunAppBenchmarks(argc, argv, Prepare); }
