// The add-item dialog with a 5,000-item catalogue and a 100,000-line list: opening it
// (the combos filled, the window shown), filling the fields after one typed
// character, and OK with the list's update (the document's sort and views, and the
// repaint of the list view's page) for an edited line and for a new one.
#include "BenchApp.h"
#include "BenchRoot.h"

#include "CListoraView.h"
#include "ListFile.h"
#include "Listora/dlgs/CAddItemDialog.h"
#include "Options.h"
#include "QtText.h"
#include "listoradoc.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {

constexpr int kListLines = 100000;
constexpr int kCatalogueItems = 5000;
constexpr const TCHAR* kListPath = u"\\bench.lsr";

BenchRoot g_root;

// The document, shown by a list view at the handheld's size.
struct Fixture {
    CListoraDoc doc;
    std::unique_ptr<CFrameWnd> frame;
    CListoraView* view = nullptr;

    Fixture() {
        TheOptions().SetAutosave(false);
        TheOptions().SetNotifyWhenReach(false);
        TheOptions().SetSortColumn(1);
        TheOptions().SetSortDirection(0);
        // One-time lines, so that the catalogue stays the one made below.
        rep::vector<Purchase*> lines;
        for (int i = 0; i < kListLines; ++i) {
            auto* line = new Purchase(Wide("List line " + std::to_string(i)).c_str());
            line->SetQty(static_cast<float>(1 + i % 4));
            line->SetPrice(0.25f * static_cast<float>(i % 40));
            line->SetOnce(true);
            lines.push_back(line);
        }
        ListFile().Write(kListPath, lines);
        rep::delete_objects(lines);
        doc.LoadList(kListPath, false, true);
        for (int i = 0; i < kCatalogueItems; ++i) {
            auto* item = new Item(Wide("Catalogue item " + std::to_string(i)).c_str());
            item->SetUnit(u"pkg");
            item->SetPrice(0.01f * static_cast<float>(i));
            item->AddCategory(u"Foods");
            doc.AddCatalogueItem(item, true);
        }
        frame = ShowInView(doc, view);
    }
    ~Fixture() {
        frame.reset();
        doc.DeleteContents();
    }
};

Fixture& TheFixture() {
    static Fixture fixture;
    return fixture;
}

// A dialog open on the document, for purchase (null: a new line).
std::unique_ptr<CAddItemDialog> OpenDialog(Purchase* purchase) {
    auto dialog = std::make_unique<CAddItemDialog>(&TheFixture().doc, purchase);
    dialog->Create();
    dialog->GetWidget()->show();
    QApplication::processEvents();
    return dialog;
}

void BM_OpenAddItemDialog(benchmark::State& state) {
    Fixture& fixture = TheFixture();
    for (auto _ : state) {
        auto dialog = OpenDialog(nullptr);
        benchmark::DoNotOptimize(dialog.get());
        state.PauseTiming();
        dialog.reset();
        QApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["items"] = static_cast<double>(fixture.doc.GetItems().size());
}
BENCHMARK(BM_OpenAddItemDialog)->Unit(benchmark::kMillisecond);

// Typing "0" after "Catalogue item 250" and erasing it again, each one key.
void BM_FillAfterOneCharacter(benchmark::State& state) {
    auto dialog = OpenDialog(nullptr);
    QLineEdit* name = dialog->GetDlgItemAs<QComboBox>(CAddItemDialog::IDC_NAME)->lineEdit();
    name->setText(QStringLiteral("Catalogue item 250"));
    bool typed = false;
    for (auto _ : state) {
        const QString text = typed ? QStringLiteral("\b") : QStringLiteral("0");
        QKeyEvent press(QEvent::KeyPress, typed ? Qt::Key_Backspace : Qt::Key_0, Qt::NoModifier, text);
        QApplication::sendEvent(name, &press);
        typed = !typed;
    }
    if (dialog->GetDlgItemText(CAddItemDialog::IDC_UNIT) != CString(u"pkg"))
        state.SkipWithError("the fields were not filled from the catalogue");
}
BENCHMARK(BM_FillAfterOneCharacter)->Unit(benchmark::kMicrosecond);

// OK on a line of the list, then the document's update and the page's repaint.
void BM_OkEditLineOf100000(benchmark::State& state) {
    Fixture& fixture = TheFixture();
    Purchase* line = fixture.doc.FindPurchase(u"List line 50000");
    auto dialog = OpenDialog(line);
    for (auto _ : state) {
        dialog->OnOK();
        fixture.doc.ApplyEdit(dialog->GetResult(), dialog->IsResultNew());
        QImage page = fixture.view->RenderToImage();
        benchmark::DoNotOptimize(page);
    }
    if (dialog->IsResultNew() || dialog->GetResult() != line)
        state.SkipWithError("OK did not edit the line");
}
BENCHMARK(BM_OkEditLineOf100000)->Unit(benchmark::kMillisecond);

// OK on a name the list does not have: a new line (one-time, so the catalogue takes
// it in memory only), the update and the repaint; the line goes again untimed.
void BM_OkNewLineOn100000(benchmark::State& state) {
    Fixture& fixture = TheFixture();
    auto dialog = OpenDialog(nullptr);
    dialog->SetDlgItemText(CAddItemDialog::IDC_NAME, u"A new line");
    dialog->CheckDlgButton(CAddItemDialog::IDC_ONCE, BST_CHECKED);
    for (auto _ : state) {
        dialog->OnOK();
        fixture.doc.ApplyEdit(dialog->TakeNewPurchase().release(), true);
        QImage page = fixture.view->RenderToImage();
        benchmark::DoNotOptimize(page);

        state.PauseTiming();
        fixture.doc.RemovePurchase(fixture.doc.FindPurchase(u"A new line"));
        state.ResumeTiming();
    }
    if (fixture.doc.GetPurchases().size() != kListLines)
        state.SkipWithError("the list did not go back to its size");
}
BENCHMARK(BM_OkNewLineOn100000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return RunAppBenchmarks(argc, argv);
}
