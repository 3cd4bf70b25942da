// Exchange speed at the size of a very long list: loading a 100,000-row CSV file
// (ANSI and UTF-16) into rows, exporting a 100,000-line list, and importing 100,000
// rows whose items are all new into an empty list (in memory, and with the new items
// written to the catalogue store).
//
// With LISTORA_BENCH_CSV set to a folder holding "ansi.csv" and "utf16.csv" (see
// delimited_vs_python.py) the load benchmarks read those files instead of their own.
#include "CDelimitedFile.h"
#include "ImportExportEngine.h"

#include "BenchList.h"
#include "BenchRoot.h"
#include "BenchStore.h"
#include "../tests/common/FakeImportTarget.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

namespace {

constexpr int kLines = 100000;

BenchRoot g_root;

void BuildList(rep::vector<Purchase*>& list) {
    BuildLongList(list, kLines, u"Imported grocery item number ");
}

const CImportExportTemplate& Tamra(int charType) {
    static constexpr int kColumns[CImportExportTemplate::columnCount] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    static CImportExportTemplate ansi(u"Tamra", kColumns, u',', u',', true);
    static CImportExportTemplate wide(u"Tamra", kColumns, u',', u',', true);
    ansi.charType = CDelimitedFile::CHAR_ANSI;
    return charType == CDelimitedFile::CHAR_ANSI ? ansi : wide;
}

// The 100,000-line list exported once per character type.
const std::u16string& ListFile(int charType) {
    static std::u16string paths[2];
    std::u16string& path = paths[charType == CDelimitedFile::CHAR_ANSI ? 0 : 1];
    if (path.empty()) {
        if (const char* folder = std::getenv("LISTORA_BENCH_CSV"))
            return path = Wide(std::string(folder) + (charType == CDelimitedFile::CHAR_ANSI ? "/ansi.csv" : "/utf16.csv"));
        path = Wide(g_root.path + (charType == CDelimitedFile::CHAR_ANSI ? "/ansi.csv" : "/utf16.csv"));
        Purchases list;
        BuildList(list);
        ImportExportEngine(Tamra(charType), nullptr).Export(list, path.c_str());
    }
    return path;
}

void Load(benchmark::State& state, int charType) {
    const CString path(ListFile(charType));
    for (auto _ : state) {
        CDelimitedFile file;
        if (!file.Load(path, u",", charType) || file.rowCount < kLines)
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(file.rowCount);
    }
    state.SetItemsProcessed(state.iterations() * kLines);
}

void BM_LoadAnsi100000(benchmark::State& state) { Load(state, CDelimitedFile::CHAR_ANSI); }
BENCHMARK(BM_LoadAnsi100000)->Unit(benchmark::kMillisecond);

void BM_LoadUtf16_100000(benchmark::State& state) { Load(state, CDelimitedFile::CHAR_UNICODE); }
BENCHMARK(BM_LoadUtf16_100000)->Unit(benchmark::kMillisecond);

void BM_Export100000(benchmark::State& state) {
    Purchases list;
    BuildList(list);
    const std::u16string path = Wide(g_root.path + "/export.csv");
    const ImportExportEngine engine(Tamra(CDelimitedFile::CHAR_UNICODE), FindCurrency(u"United States"));
    for (auto _ : state)
        if (engine.Export(list, path.c_str()) != ImportExportEngine::EXPORT_DONE)
            state.SkipWithError("export failed");
    state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_Export100000)->Unit(benchmark::kMillisecond);

// An empty list and the seed name lists; with a store, the new items are written to it
// when the import ends, and the time includes getting them to disk.
void Import(benchmark::State& state, bool toStore) {
    BenchStore store;
    if (toStore && !store.Create()) {
        state.SkipWithError("cannot create the store");
        return;
    }
    const std::u16string& path = ListFile(CDelimitedFile::CHAR_UNICODE);
    for (auto _ : state) {
        state.PauseTiming();
        auto target = std::make_unique<FakeImportTarget>();
        target->Seed({u"Foods", u"Vegetables", u"Fruits", u"Drinks", u"Health & Beauty,Necessities"});
        target->store = toStore ? &store : nullptr;
        CString log;
        state.ResumeTiming();

        ImportExportEngine engine(Tamra(CDelimitedFile::CHAR_UNICODE), nullptr);
        if (engine.Import(*target, path.c_str(), false, log) != ImportExportEngine::IMPORT_DONE ||
            target->purchases.size() != kLines || target->items.size() != kLines)
            state.SkipWithError("import failed");
        if (toStore)
            RegFlushKey(HKEY_LOCAL_MACHINE);

        state.PauseTiming();
        target.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kLines);
}

void BM_Import100000(benchmark::State& state) { Import(state, false); }
BENCHMARK(BM_Import100000)->Unit(benchmark::kMillisecond);

void BM_Import100000ToStore(benchmark::State& state) { Import(state, true); }
BENCHMARK(BM_Import100000ToStore)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace
