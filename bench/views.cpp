// The list views' paint on a large list: one page of a 100,000-line list (with and
// without a restriction), and one page of the choice view over a 5,000-item
// catalogue. A repaint and a page turn reuse the totals and the rows under the filter
// from the paint before; the first paint after a change of the document makes them
// anew in a pass over every line (the "AfterAChange" cases).
#include "BenchApp.h"
#include "BenchRoot.h"

#include "CListoraChoiceView.h"
#include "CListoraView.h"
#include "ListFile.h"
#include "ModalRunner.h"
#include "Options.h"
#include "ListoraStrings.h"
#include "listoradoc.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace {

constexpr int kListLines = 100000;
constexpr int kCatalogueItems = 5000;
constexpr const TCHAR* kListPath = u"\\bench.lsr";

BenchRoot g_root;

// A document with a large list and catalogue, shown by one view of class V at the
// handheld's size.
template <class V>
struct Fixture {
    CListoraDoc doc;
    std::unique_ptr<CFrameWnd> frame;
    V* view = nullptr;

    Fixture() {
        Options& options = TheOptions();
        options.SetCurrencyCode(u"United States");
        options.SetTaxRates(5, 3, 2);
        const TCHAR* locations[] = {u"Market", u"Corner shop", nullptr};
        // The list comes from a file, as a user's list does; its lines are one-time so
        // that the catalogue stays the one made below.
        rep::vector<Purchase*> lines;
        for (int i = 0; i < kListLines; ++i) {
            auto* purchase = new Purchase(Wide("Line " + std::to_string(1000000 + i)).c_str());
            purchase->SetQty(static_cast<float>(1 + i % 4));
            purchase->SetPrice(0.5f + static_cast<float>(i % 10));
            purchase->SetTaxable(i % 2 == 0);
            purchase->SetPurchased(i % 5 == 0);
            purchase->SetCoupon(i % 7 == 0);
            purchase->SetLocation(locations[i % 3]);
            purchase->SetOnce(true);
            lines.push_back(purchase);
        }
        ListFile file;
        file.Write(kListPath, lines);
        rep::delete_objects(lines);
        doc.LoadList(kListPath, false, true);
        for (int i = 0; i < kCatalogueItems; ++i) {
            auto* item = new Item(Wide("Catalogue item " + std::to_string(100000 + i)).c_str());
            item->SetPrice(1.25f);
            item->SetLocation(locations[i % 3]);
            doc.AddCatalogueItem(item, true);
        }
        doc.SetModifiedFlag(FALSE);
        frame = ShowInView(doc, view);
    }
    ~Fixture() {
        frame.reset();
        doc.DeleteContents();
    }
};

// A page of the list painted again and again: in the middle of the list, or from the
// top under a restriction (the shop of a third of the lines, purchased ones hidden).
// afterAChange tells the document of a change before each paint.
void PaintListPage(benchmark::State& state, bool restricted, bool afterAChange) {
    Fixture<CListoraView> fixture;
    if (restricted) {
        fixture.doc.SetLocationRestriction(u"market");
        fixture.doc.OnRemovePurchased();
    } else {
        fixture.view->SetFirstIndex(kListLines / 2);
    }
    for (auto _ : state) {
        if (afterAChange)
            fixture.doc.UpdateAllViews(nullptr);
        QImage image = fixture.view->RenderToImage();
        benchmark::DoNotOptimize(image);
    }
    state.counters["rows"] = fixture.view->GetRowsDrawn();
}
void BM_PaintListPage(benchmark::State& state) { PaintListPage(state, false, false); }
void BM_PaintListPageRestricted(benchmark::State& state) { PaintListPage(state, true, false); }
void BM_PaintListPageAfterAChange(benchmark::State& state) { PaintListPage(state, false, true); }
void BM_PaintListPageRestrictedAfterAChange(benchmark::State& state) { PaintListPage(state, true, true); }

// Pages far apart under the restriction, by turns.
void BM_TurnPageRestricted(benchmark::State& state) {
    Fixture<CListoraView> fixture;
    fixture.doc.SetLocationRestriction(u"market");
    fixture.doc.OnRemovePurchased();
    UINT first = 0;
    for (auto _ : state) {
        first = first == 0 ? kListLines / 2 : 0;
        fixture.view->SetFirstIndex(first);
        QImage image = fixture.view->RenderToImage();
        benchmark::DoNotOptimize(image);
    }
    state.counters["rows"] = fixture.view->GetRowsDrawn();
}

void BM_PaintChoicePage(benchmark::State& state) {
    Fixture<CListoraChoiceView> fixture;
    fixture.view->SetFirstIndex(kCatalogueItems / 2);
    for (auto _ : state) {
        QImage image = fixture.view->RenderToImage();
        benchmark::DoNotOptimize(image);
    }
    state.counters["rows"] = fixture.view->GetRowsDrawn();
}

BENCHMARK(BM_PaintListPage)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintListPageRestricted)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintListPageAfterAChange)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintListPageRestrictedAfterAChange)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TurnPageRestricted)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintChoicePage)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return RunAppBenchmarks(argc, argv); }
