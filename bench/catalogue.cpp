// Catalogue store speed as a start-up and a catalogue save see it: reading 5,000 stored
// items (GetItems) and writing 5,000 items (SaveItems).
#include "LRRegistry.h"

#include "BenchRoot.h"
#include "BenchStore.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

constexpr int kItems = 5000;

BenchRoot g_root;

// Items as a real catalogue holds them: a unit, most with a location, one to three
// categories.
void MakeItems(rep::vector<Item*>& items) {
    const TCHAR* units[] = {u"kg", u"pkg", u"gal", u""};
    const TCHAR* locations[] = {u"walmart", u"sam's club", nullptr};
    const TCHAR* categories[] = {u"Foods", u"Drinks", u"Household & Cleaning Items", u"Meat"};
    for (int i = 0; i < kItems; ++i) {
        std::string name = "Catalogue item " + std::to_string(i);
        const std::u16string wide(name.begin(), name.end());
        rep::string_list cats;
        for (int c = 0; c <= i % 3; ++c)
            cats.push_back(const_cast<TCHAR*>(categories[(i + c) % 4]));
        auto* item = new Item(wide.c_str());
        item->Set(wide.c_str(), units[i % 4], locations[i % 3], i % 5 == 0, 0.01f * static_cast<float>(i), cats);
        cats.clear();  // the texts are literals, not copies
        items.push_back(item);
    }
}

void BM_SaveItems5000(benchmark::State& state) {
    BenchStore store;
    if (!store.Create()) {
        state.SkipWithError("cannot create the store");
        return;
    }
    rep::vector<Item*> items;
    MakeItems(items);
    for (auto _ : state) {
        if (!store.SaveItems(items))
            state.SkipWithError("SaveItems failed");
        // What a save costs includes getting it to disk.
        RegFlushKey(HKEY_LOCAL_MACHINE);
    }
    rep::delete_objects(items);
}
BENCHMARK(BM_SaveItems5000)->Unit(benchmark::kMillisecond);

void BM_GetItems5000(benchmark::State& state) {
    BenchStore store;
    if (!store.Create()) {
        state.SkipWithError("cannot create the store");
        return;
    }
    rep::vector<Item*> items;
    MakeItems(items);
    store.SaveItems(items);
    rep::delete_objects(items);
    RegFlushKey(HKEY_LOCAL_MACHINE);
    for (auto _ : state) {
        rep::vector<Item*> read;
        if (!store.GetItems(read) || read.size() != kItems)
            state.SkipWithError("GetItems failed");
        rep::delete_objects(read);
    }
}
BENCHMARK(BM_GetItems5000)->Unit(benchmark::kMillisecond);

}  // namespace
