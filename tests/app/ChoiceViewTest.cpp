#include "ListViewFixture.h"

namespace {

class ChoiceViewTest : public ViewTest {
protected:
    // The row of a catalogue item in the view (its position among the rows).
    static int RowOf(CListoraChoiceView& view, const char16_t* name) {
        view.BuildRows();
        const std::vector<Item*>& rows = view.GetRows();
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (rows[i]->Name() == name)
                return static_cast<int>(i) - static_cast<int>(view.GetFirstIndex());
        ADD_FAILURE() << "no row for the item";
        return 0;
    }
};

TEST_F(ChoiceViewTest, RowsAreTheCatalogueUnderTheRestrictions) {
    AddItem(u"Apples", 1.0f, u"Market", {u"Fruit"});
    AddItem(u"Pears", 1.0f, u"market", {u"fruit"});
    CListoraChoiceView& view = MakeView<CListoraChoiceView>();
    EXPECT_EQ(view.GetCount(), Doc().GetItems().size());

    // Items without a location are left out; the location compares ignoring case.
    Doc().SetLocationRestriction(u"MARKET");
    view.RenderToImage();
    EXPECT_EQ(NamesOf(view.GetRows()), (Names{u"Apples", u"Pears"}));
    EXPECT_EQ(view.GetCount(), 2u);

    // The category compares exactly; the restriction line is the list view's test's.
    Doc().SetCategoryRestriction(u"Fruit");
    view.RenderToImage();
    EXPECT_EQ(NamesOf(view.GetRows()), (Names{u"Apples"}));
}

TEST_F(ChoiceViewTest, TapsPutAnItemOnTheListRaiseItAndTakeItOffRightClicksLowerIt) {
    CListoraChoiceView& view = MakeView<CListoraChoiceView>();
    const int row = RowOf(view, u"Milk");
    Doc().SetModifiedFlag(FALSE);
    RightClick(view.GetWidget(), CellCentre(view, 0, row));
    EXPECT_TRUE(Doc().GetPurchases().empty());

    // Not on the list: any column puts it there, once.
    Tap(view.GetWidget(), CellCentre(view, 2, row));
    Purchase* milk = Doc().FindPurchase(u"Milk");
    ASSERT_NE(milk, nullptr);
    EXPECT_FLOAT_EQ(milk->GetQty(), 1.0f);
    EXPECT_FLOAT_EQ(milk->GetPrice(), Doc().FindItem(u"Milk")->GetPrice());
    EXPECT_EQ(std::u16string(milk->GetUnit()), Doc().FindItem(u"Milk")->Unit());
    EXPECT_FALSE(milk->IsOnce());
    EXPECT_TRUE(Doc().IsModified());

    // The first column raises the quantity by one per tap, a right click there lowers
    // it; a right click elsewhere does nothing.
    for (int i = 0; i < 5; ++i)
        Tap(view.GetWidget(), CellCentre(view, 0, row));
    EXPECT_FLOAT_EQ(milk->GetQty(), 6.0f);
    RightClick(view.GetWidget(), CellCentre(view, 1, row));
    EXPECT_FLOAT_EQ(milk->GetQty(), 6.0f);
    Doc().SetModifiedFlag(FALSE);
    RightClick(view.GetWidget(), CellCentre(view, 0, row));
    EXPECT_FLOAT_EQ(milk->GetQty(), 5.0f);
    EXPECT_TRUE(Doc().IsModified());

    // Any other column takes it off, and so does a right click at quantity 1.
    Tap(view.GetWidget(), CellCentre(view, 1, row));
    EXPECT_TRUE(Doc().GetPurchases().empty());
    Tap(view.GetWidget(), CellCentre(view, 1, row));
    ASSERT_NE(Doc().FindPurchase(u"Milk"), nullptr);
    RightClick(view.GetWidget(), CellCentre(view, 0, row));
    EXPECT_EQ(Doc().FindPurchase(u"Milk"), nullptr);
}

TEST_F(ChoiceViewTest, FirstColumnIsWhateverKindIsShownFirst) {
    TheOptions().SetDisplayedColumns(2 | 4);
    CListoraChoiceView& view = MakeView<CListoraChoiceView>();
    const int row = RowOf(view, u"Soap");
    Tap(view.GetWidget(), CellCentre(view, 0, row));
    Tap(view.GetWidget(), CellCentre(view, 0, row));
    ASSERT_NE(Doc().FindPurchase(u"Soap"), nullptr);
    EXPECT_FLOAT_EQ(Doc().FindPurchase(u"Soap")->GetQty(), 2.0f);
    Tap(view.GetWidget(), CellCentre(view, 1, row));
    EXPECT_EQ(Doc().FindPurchase(u"Soap"), nullptr);
}

TEST_F(ChoiceViewTest, QuantityAndPriceCellsOnAndOffTheListAndTheTotals) {
    AddItem(u"Free sample", 0.0f);
    AddItem(u"Gum", 0.75f);
    Add(u"Milk", 0.5f, 2.0f);
    Add(u"Eggs", 3, 2.0f);
    Add(u"Zebra cake", 2, 4.0f);
    CListoraChoiceView& view = MakeView<CListoraChoiceView>();
    const QImage image = view.RenderToImage();
    // A list line missing from the catalogue counts only in the totals.
    const Names rows = NamesOf(view.GetRows());
    EXPECT_EQ(std::find(rows.begin(), rows.end(), u"Zebra cake"), rows.end());
    const int count = static_cast<int>(view.GetCount());
    CString expected;
    expected.Format(u"(1-%d)/%d. 0.00/15.00 $", count, count);
    EXPECT_EQ(Text(view.GetTotalLineText()), expected.str());
    const int milkRow = RowOf(view, u"Milk");
    // A fractional quantity counts as on the list but shows no quantity; off the list
    // there is none either.
    EXPECT_EQ(DarkPixels(image, CellInside(view, 0, milkRow)), 0);
    EXPECT_GT(DarkPixels(image, CellInside(view, 0, RowOf(view, u"Eggs"))), 0);
    EXPECT_EQ(DarkPixels(image, CellInside(view, 0, RowOf(view, u"Gum"))), 0);
    // The price is what the line costs (0.5 x 2.00); off the list the catalogue's.
    EXPECT_GT(DarkPixels(image, CellInside(view, 2, milkRow)), 0);
    EXPECT_EQ(DarkPixels(image, CellInside(view, 2, RowOf(view, u"Free sample"))), 0);
    EXPECT_GT(DarkPixels(image, CellInside(view, 2, RowOf(view, u"Gum"))), 0);

    Tap(view.GetWidget(), CellCentre(view, 0, milkRow));
    EXPECT_FLOAT_EQ(Doc().FindPurchase(u"Milk")->GetQty(), 1.5f);
    RightClick(view.GetWidget(), CellCentre(view, 0, milkRow));
    RightClick(view.GetWidget(), CellCentre(view, 0, milkRow));
    // Below zero the line goes rather than staying with a negative quantity.
    EXPECT_EQ(Doc().FindPurchase(u"Milk"), nullptr);
}

// Taps outside the drawn rows are TapRoutingTest's; the toggle icon is no row either.
TEST_F(ChoiceViewTest, TheToggleIconSwitchesTheTotalLineAndPutsNothingOnTheList) {
    CListoraChoiceView& view = MakeView<CListoraChoiceView>();
    const CRect toggle = view.GetToggleRect();
    Tap(view.GetWidget(), QPoint(toggle.left + 4, toggle.top + 4));
    EXPECT_FALSE(TheOptions().GetDrawTotal());
    EXPECT_TRUE(Doc().GetPurchases().empty());
}

TEST_F(ChoiceViewTest, TypedLetterJumpsToTheFirstItemStartingWithIt) {
    CListoraChoiceView& view = MakeView<CListoraChoiceView>();
    view.BuildRows();
    TypeText(view.GetWidget(), QStringLiteral("s"));
    ASSERT_LT(view.GetFirstIndex(), view.GetRows().size());
    EXPECT_EQ(view.GetRows()[view.GetFirstIndex()]->Name(), u"Soap");
    TypeText(view.GetWidget(), QStringLiteral("E"));
    EXPECT_EQ(view.GetRows()[view.GetFirstIndex()]->Name(), u"Eggs");
    TypeText(view.GetWidget(), QStringLiteral("q"));
    EXPECT_EQ(view.GetRows()[view.GetFirstIndex()]->Name(), u"Eggs");
}

}  // namespace
