// The exchange commands through the real document: importing 100,000 rows into an
// empty list, every item new to the catalogue (the time includes writing the new items
// to the store and getting them to disk), and exporting a 100,000-line list. Both run
// the document's command with its dialog answered as a user would.
#include "BenchApp.h"
#include "BenchList.h"
#include "BenchRoot.h"
#include "BenchStore.h"

#include "CComboBox.h"
#include "CDialog.h"
#include "ImportExportEngine.h"
#include "LRRegistry.h"
#include "Options.h"
#include "RegistryApi.h"
#include "dlgs/CExchangeFileDlg.h"
#include "listoradoc.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>
#include <string>

namespace {

constexpr int kLines = 100000;
constexpr const TCHAR* kImportPath = u"\\import.csv";
constexpr const TCHAR* kExportPath = u"\\export.csv";

BenchRoot g_root;

// Answers the Export and Import dialogs with a file and the "Tamra" template, and
// every message box with OK; counts what the commands report.
class AnsweringRunner : public CountingRunner {
public:
    const TCHAR* path = nullptr;
    CString lastMessage;
    int MessageBox(QWidget* owner, const CString& text, const CString& caption, UINT type) override {
        lastMessage = text;
        return CountingRunner::MessageBox(owner, text, caption, type);
    }
    INT_PTR RunDialog(CDialog& dialog) override {
        if (dialog.GetTemplateId() != CExchangeFileDlg::IDD_EXPORT && dialog.GetTemplateId() != CExchangeFileDlg::IDD_IMPORT)
            return CountingRunner::RunDialog(dialog);
        dialog.SetDlgItemText(CExchangeFileDlg::IDC_FILE, path);
        CComboBox combo(dialog.GetDlgItem(CExchangeFileDlg::IDC_TEMPLATES));
        combo.SetCurSel(combo.FindStringExact(-1, u"Tamra"));
        dialog.SendMessage(WM_COMMAND, IDOK);
        return dialog.GetEndCode();
    }
};

AnsweringRunner g_runner;

// A store with one item and the seed templates, as after a first start.
bool ResetStore() {
    if (!OpenFreshStore(g_root.path) || !TheOptions().Load(TheRegistry()))
        return false;
    TheOptions().SetNotifyWhenReach(false);
    RegFlushKey(HKEY_LOCAL_MACHINE);
    return true;
}

bool Prepare() {
    if (!ResetStore())
        return false;
    ModalRunner::Install(&g_runner);
    rep::vector<Purchase*> list;
    BuildLongList(list, kLines, u"Imported grocery item number ");
    static constexpr int kColumns[CImportExportTemplate::columnCount] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    const CImportExportTemplate tamra(u"Tamra", kColumns, u',', u',', true);
    const bool written = ImportExportEngine(tamra, nullptr).Export(list, kImportPath) == ImportExportEngine::EXPORT_DONE;
    rep::delete_objects(list);
    return written;
}

std::unique_ptr<CListoraDoc> NewDocument() {
    auto doc = std::make_unique<CListoraDoc>();
    doc->LoadCatalogue();
    return doc;
}

void BM_ImportCommand100000NewItems(benchmark::State& state) {
    g_runner.path = kImportPath;
    double commandSeconds = 0;
    double flushSeconds = 0;
    for (auto _ : state) {
        state.PauseTiming();
        if (!ResetStore()) {
            state.SkipWithError("cannot reset the store");
            return;
        }
        std::unique_ptr<CListoraDoc> doc = NewDocument();
        state.ResumeTiming();

        const auto start = std::chrono::steady_clock::now();
        doc->OnCmdMsg(CListoraDoc::ID_IMPORT, CN_COMMAND, nullptr, nullptr);
        const auto imported = std::chrono::steady_clock::now();
        RegFlushKey(HKEY_LOCAL_MACHINE);

        state.PauseTiming();
        // Wall time of the command and of getting the store to disk, apart.
        commandSeconds += std::chrono::duration<double>(imported - start).count();
        flushSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - imported).count();
        if (doc->GetPurchases().size() != kLines || doc->GetItems().size() != kLines + 1)
            state.SkipWithError("the import did not add every row");
        doc.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * kLines);
    state.counters["command_s"] = benchmark::Counter(commandSeconds, benchmark::Counter::kAvgIterations);
    state.counters["flush_s"] = benchmark::Counter(flushSeconds, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_ImportCommand100000NewItems)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_ExportCommand100000(benchmark::State& state) {
    if (!ResetStore()) {
        state.SkipWithError("cannot reset the store");
        return;
    }
    std::unique_ptr<CListoraDoc> doc = NewDocument();
    g_runner.path = kImportPath;
    doc->OnCmdMsg(CListoraDoc::ID_IMPORT, CN_COMMAND, nullptr, nullptr);
    if (doc->GetPurchases().size() != kLines) {
        state.SkipWithError("cannot fill the list");
        return;
    }
    g_runner.path = kExportPath;
    for (auto _ : state) {
        doc->OnCmdMsg(CListoraDoc::ID_EXPORT, CN_COMMAND, nullptr, nullptr);
        if (g_runner.lastMessage != ImportExportEngine::kExportDone)
            state.SkipWithError("the export failed");
    }
    state.SetItemsProcessed(state.iterations() * kLines);
}
BENCHMARK(BM_ExportCommand100000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    const int result = RunAppBenchmarks(argc, argv, Prepare);
    TheRegistry().close();
    return result;
}
