// List file speed at the size of a very long list: 100,000 purchases written to and
// read from a ".lsr" file (the write includes the flush to disk and the rename of the
// safe save).
#include "ListFile.h"

#include "BenchList.h"
#include "BenchRoot.h"

#include <benchmark/benchmark.h>

#include <chrono>
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

// The read beside its limit, copying the file's bytes in memory: each iteration does
// both, so the ratio holds on a noisy machine. Freeing the list read is timed apart.
void BM_Read100000(benchmark::State& state) {
    {
        Owned list;
        BuildList(list);
        ListFile file;
        if (!file.Write(ListPath().c_str(), list))
            state.SkipWithError("cannot write the list to read");
    }
    std::ifstream in(g_root.path + "/long.lsr", std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::string copy(bytes.size(), '\0');
    using Clock = std::chrono::steady_clock;
    Clock::duration reading{};
    Clock::duration copying{};
    Clock::duration freeing{};
    ListFile file;
    for (auto _ : state) {
        Owned list;
        const Clock::time_point start = Clock::now();
        if (!file.Read(ListPath().c_str(), list) || list.size() != static_cast<DWORD>(kPurchases))
            state.SkipWithError("read failed");
        const Clock::time_point read = Clock::now();
        state.PauseTiming();
        const Clock::time_point copyStart = Clock::now();
        std::memcpy(copy.data(), bytes.data(), bytes.size());
        benchmark::DoNotOptimize(copy.data());
        benchmark::ClobberMemory();
        copying += Clock::now() - copyStart;
        reading += read - start;
        const Clock::time_point freeStart = Clock::now();
        rep::delete_objects<Purchase>(list);
        freeing += Clock::now() - freeStart;
        state.ResumeTiming();
    }
    const double copyMs = std::chrono::duration<double, std::milli>(copying).count();
    state.counters["memcpy_ms"] = benchmark::Counter(copyMs, benchmark::Counter::kAvgIterations);
    // What closing the list costs: part of opening the next one.
    state.counters["free_ms"] = benchmark::Counter(std::chrono::duration<double, std::milli>(freeing).count(),
                                                   benchmark::Counter::kAvgIterations);
    state.counters["ratio"] = copyMs > 0 ? std::chrono::duration<double, std::milli>(reading).count() / copyMs : 0;
    state.SetItemsProcessed(state.iterations() * kPurchases);
}
BENCHMARK(BM_Read100000)->Unit(benchmark::kMillisecond);

// The same limit alone, with the copy's buffers as warm as they get: the stricter
// figure to divide by.
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
