// List file speed at the size of a very long list: 100,000 purchases written to and
// read from a ".lsr" file (the write includes the flush to disk and the rename of the
// safe save).
#include "ListFile.h"

#include "BenchList.h"
#include "BenchRoot.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <filesystem>
#include <string>

namespace {

constexpr int kPurchases = 100000;

BenchRoot g_root;

struct Owned : rep::vector<Purchase*> {
    ~Owned() override { rep::delete_objects<Purchase>(*this); }
};

void BuildList(rep::vector<Purchase*>& list) {
    BuildLongList(list, kPurchases, u"Grocery item ");
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

// The limit a read is measured against: copying the file's bytes in memory.
void BM_CopyFileBytes100000(benchmark::State& state) {
    {
        Owned list;
        BuildList(list);
        ListFile file;
        if (!file.Write(ListPath().c_str(), list))
            state.SkipWithError("cannot write the list");
    }
    std::ifstream in(g_root.path + "/long.lsr", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string copy(bytes.size(), '\0');
    for (auto _ : state) {
        std::memcpy(copy.data(), bytes.data(), bytes.size());
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
    }
    state.counters["bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_CopyFileBytes100000)->Unit(benchmark::kMillisecond);

}  // namespace
