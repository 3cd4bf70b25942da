// List file speed at the size of a very long list: 100,000 purchases written to and
// read from a ".lsr" file (the write includes the flush to disk and the rename of the
// safe save).
#include "ListFile.h"

#include "Text/Util.h"

#include "BenchRoot.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

constexpr int kPurchases = 100000;

BenchRoot g_root;

struct Owned : rep::vector<Purchase*> {
    ~Owned() override { rep::delete_objects<Purchase>(*this); }
};

// A list like a real one, only longer: names of 10-20 characters, most lines with a
// unit and a category, some with a location and a note.
void BuildList(rep::vector<Purchase*>& list) {
    const TCHAR* const units[] = {u"", u"kg", u"pkg", u"litre", u"doz"};
    const TCHAR* const locations[] = {nullptr, u"walmart", u"sam's club"};
    const TCHAR* const categoryNames[] = {u"Foods", u"Vegetables", u"Household & Cleaning Items", u"Drinks"};
    for (int i = 0; i < kPurchases; ++i) {
        rep::string_list categories;
        categories.push_back(Util::tcsdup(categoryNames[i % 4]));
        if (i % 5 == 0)
            categories.push_back(Util::tcsdup(categoryNames[(i + 1) % 4]));
        const std::u16string name = u"Grocery item " + Wide(std::to_string(i));
        auto* purchase = new Purchase(u"");
        purchase->Set(name.c_str(), units[i % 5], i % 7 == 0 ? u"only the ripe ones" : nullptr,
                      locations[i % 3], static_cast<float>(1 + i % 4), 0.01f * static_cast<float>(i % 5000),
                      i % 11 == 0, i % 2 == 0, false, i % 3 == 0, categories);
        list.push_back(purchase);
    }
}

const std::u16string& ListPath() {
    static const std::u16string path = Wide(g_root.path + "/long.lsr");
    return path;
}

void BM_Write100000(benchmark::State& state) {
    Owned list;
    BuildList(list);
    ListFile file;
    for (auto _ : state)
        if (!file.Write(ListPath().c_str(), list))
            state.SkipWithError("write failed");
    state.SetItemsProcessed(state.iterations() * kPurchases);
}
BENCHMARK(BM_Write100000)->Unit(benchmark::kMillisecond);

void BM_Read100000(benchmark::State& state) {
    {
        Owned list;
        BuildList(list);
        ListFile file;
        if (!file.Write(ListPath().c_str(), list))
            state.SkipWithError("cannot write the list to read");
    }
    ListFile file;
    for (auto _ : state) {
        Owned list;
        if (!file.Read(ListPath().c_str(), list) || list.size() != static_cast<DWORD>(kPurchases))
            state.SkipWithError("read failed");
        state.PauseTiming();
        rep::delete_objects<Purchase>(list);
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kPurchases);
}
BENCHMARK(BM_Read100000)->Unit(benchmark::kMillisecond);

}  // namespace
