// Registry speed as the program uses it: values written one by one on open keys, and
// point reads of single values.
#include "RegistryApi.h"

#include "BenchRoot.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

BenchRoot g_root;

std::vector<std::u16string> Names(const char* prefix, int count) {
    std::vector<std::u16string> names;
    for (int i = 0; i < count; ++i) {
        const std::string n = prefix + std::to_string(i);
        names.emplace_back(n.begin(), n.end());
    }
    return names;
}

// 10,000 values: 1,000 item keys with ten values each, written as a catalogue save does.
void BM_SetValues10000(benchmark::State& state) {
    const auto items = Names("Item ", 1000);
    const auto values = Names("Value", 10);
    for (auto _ : state) {
        for (const auto& item : items) {
            std::u16string path = u"SOFTWARE\\Tamra\\Bench\\Items\\" + item;
            HKEY key = nullptr;
            RegCreateKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
            for (DWORD v = 0; v < values.size(); ++v)
                RegSetValueExW(key, values[v].c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), 4);
            RegCloseKey(key);
        }
    }
    RegFlushKey(HKEY_LOCAL_MACHINE);
}
BENCHMARK(BM_SetValues10000)->Unit(benchmark::kMillisecond);

// The same 10,000 writes on one open key.
void BM_SetValues10000OneKey(benchmark::State& state) {
    const auto values = Names("Value", 10000);
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Tamra\\Bench\\Flat", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    for (auto _ : state) {
        for (DWORD v = 0; v < values.size(); ++v)
            RegSetValueExW(key, values[v].c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), 4);
    }
    RegCloseKey(key);
    RegFlushKey(HKEY_LOCAL_MACHINE);
}
BENCHMARK(BM_SetValues10000OneKey)->Unit(benchmark::kMillisecond);

// 100,000 point reads spread over 1,000 values.
void BM_QueryValues100000(benchmark::State& state) {
    const auto values = Names("Value", 1000);
    HKEY key = nullptr;
    RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Tamra\\Bench\\Read", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    for (DWORD v = 0; v < values.size(); ++v)
        RegSetValueExW(key, values[v].c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&v), 4);
    RegFlushKey(key);
    for (auto _ : state) {
        DWORD sum = 0;
        for (int i = 0; i < 100000; ++i) {
            DWORD value = 0, size = 4, type = 0;
            RegQueryValueExW(key, values[static_cast<std::size_t>(i * 7919) % values.size()].c_str(), nullptr, &type,
                             reinterpret_cast<BYTE*>(&value), &size);
            sum += value;
        }
        benchmark::DoNotOptimize(sum);
    }
    RegCloseKey(key);
}
BENCHMARK(BM_QueryValues100000)->Unit(benchmark::kMillisecond);

}  // namespace
