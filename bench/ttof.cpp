// _ttof on the short numbers a list is made of (prices and quantities).
#include "Text/Convert.h"

#include <benchmark/benchmark.h>

#include <array>

static void BM_TtofShortNumbers(benchmark::State& state) {
    static const std::array<const TCHAR*, 6> numbers = {u"12.50", u"3", u"0.99", u"1,25", u" 149.90", u"2"};
    std::size_t i = 0;
    for (auto _ : state) {
        float value = 0.0f;
        const CONVERTION_ERRORS result = _ttof(numbers[i], value, true, true);
        benchmark::DoNotOptimize(result);
        benchmark::DoNotOptimize(value);
        i = (i + 1) % numbers.size();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_TtofShortNumbers);

static void BM_TtodShortNumbers(benchmark::State& state) {
    static const std::array<const TCHAR*, 3> numbers = {u"12.50", u"3", u"0.99"};
    std::size_t i = 0;
    for (auto _ : state) {
        double value = 0.0;
        const CONVERTION_ERRORS result = _ttod(numbers[i], value);
        benchmark::DoNotOptimize(result);
        benchmark::DoNotOptimize(value);
        i = (i + 1) % numbers.size();
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_TtodShortNumbers);
