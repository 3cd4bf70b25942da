#include "ListViewFixture.h"

#include "CSTFullScreenIcon.h"

#include <string>

namespace {

// A choice view that counts the taps and right clicks that reach it.
class CountingChoiceView : public CListoraChoiceView {
public:
    int taps = 0;

protected:
    void OnLButtonUp(UINT flags, CPoint point) override {
        ++taps;
        CListoraChoiceView::OnLButtonUp(flags, point);
    }
    void OnRButtonUp(UINT flags, CPoint point) override {
        ++taps;
        CListoraChoiceView::OnRButtonUp(flags, point);
    }
};

class TapRoutingTest : public ViewTest {
protected:
    // Enough catalogue items for several pages.
    void FillCatalogue(int count) {
        for (int i = 0; i < count; ++i)
            AddItem((u"Item " + std::u16string(1, static_cast<char16_t>(u'A' + i / 10)) +
                     std::u16string(1, static_cast<char16_t>(u'0' + i % 10))).c_str(), 1.0f);
    }
    static QPoint Centre(CWnd* control) { return control->GetWidget()->rect().center(); }
};

TEST_F(TapRoutingTest, ControlsOfAViewKeepTheirTapsToThemselves) {
    FillCatalogue(150);  // more than a page of a full screen
    CountingChoiceView& view = MakeView<CountingChoiceView>();
    view.SwitchFullScreenState();
    ProcessEvents();
    view.RenderToImage();
    ASSERT_TRUE(view.GetNextButton()->IsWindowVisible());

    Tap(view.GetNextButton()->GetWidget(), Centre(view.GetNextButton()));
    RightClick(view.GetNextButton()->GetWidget(), Centre(view.GetNextButton()));
    view.RenderToImage();
    EXPECT_GT(view.GetFirstIndex(), 0u) << "the button pages";
    Tap(view.GetPrevButton()->GetWidget(), Centre(view.GetPrevButton()));
    Tap(view.GetHeader()->GetWidget(), QPoint(100, 5));
    CSTFullScreenIcon* icon = view.GetFullScreenIconWindow();
    Tap(icon->GetWidget(), Centre(icon));
    ProcessEvents();

    EXPECT_EQ(view.taps, 0);
    EXPECT_TRUE(Doc().GetPurchases().empty()) << "no item was put on the list";
    EXPECT_FALSE(view.GetFullScreenState()) << "the icon switched full screen off";
}

TEST_F(TapRoutingTest, OnlyDrawnChoiceRowsReact) {
    FillCatalogue(40);
    CListoraChoiceView& view = MakeView<CListoraChoiceView>();
    view.OnNextPage();
    view.RenderToImage();
    ASSERT_GT(view.GetFirstIndex(), 0u);
    ASSERT_GT(view.GetCount(), view.GetFirstIndex() + view.GetRowsDrawn() + 2) << "items after the page";

    // The total line and the band between the last grid line and it lie over rows
    // that are not drawn.
    const int below = view.GetBottomLineY() + 2;
    Tap(view.GetWidget(), QPoint(100, below));
    Tap(view.GetWidget(), QPoint(100, view.GetWidget()->height() - 3));
    EXPECT_TRUE(Doc().GetPurchases().empty());

    Tap(view.GetWidget(), CellCentre(view, 1, 0));
    ASSERT_EQ(Doc().GetPurchases().size(), 1u);
    EXPECT_EQ(Doc().GetPurchases()[0]->Name(), view.GetRows()[view.GetFirstIndex()]->Name());
}

}  // namespace
