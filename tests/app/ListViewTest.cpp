#include "ListViewFixture.h"

#include "CCmdUI.h"

#include <QAction>

namespace {

using ListViewTest = ViewTest;

TEST_F(ListViewTest, PagesThroughTwentyFiveLinesTenAtATime) {
    for (int i = 0; i < 25; ++i)
        Add((u"Item " + U16(std::to_string(100 + i).substr(1))).c_str(), 1, 1.0f);
    CListoraView& view = MakeView<CListoraView>();
    ResizeView(240, HeightForRows(view, 10));
    // The page command and buttons are enabled only where there is something to show.
    QAction nextAction;
    CCmdUI nextUi(CListoraBaseView::ID_NEXT_PAGE, &nextAction);
    auto expectPage = [&](UINT first, bool next, bool prev) {
        view.RenderToImage();
        EXPECT_EQ(view.GetFirstIndex(), first);
        nextUi.DoUpdate(&view, true);
        EXPECT_EQ(nextAction.isEnabled(), next);
        EXPECT_EQ(view.GetNextButton()->IsWindowEnabled(), next);
        EXPECT_EQ(view.GetPrevButton()->IsWindowEnabled(), prev);
    };
    expectPage(0, true, false);
    Tap(view.GetNextButton()->GetWidget(), QPoint(8, 8));  // the buttons send the commands
    expectPage(10, true, true);
    EXPECT_EQ(view.GetDisplayedPurchases()[0]->Name(), u"Item 10");
    // The last page is always a full one.
    view.SendMessage(WM_COMMAND, CListoraBaseView::ID_NEXT_PAGE);
    view.SendMessage(WM_COMMAND, CListoraBaseView::ID_NEXT_PAGE);
    expectPage(15, false, true);
    EXPECT_EQ(Text(view.GetTotalLineText()), u"(16-25)/25. 0.00/25.00 $");
    view.SendMessage(WM_COMMAND, CListoraBaseView::ID_PREV_PAGE);
    expectPage(5, true, true);

    // Taps on the top bar, the total line or the toggle icon tick no row there.
    Doc().SetModifiedFlag(FALSE);
    Tap(view.GetWidget(), QPoint(100, view.GetRowsTop() - 2));
    Tap(view.GetWidget(), QPoint(100, view.GetBottomLineY() + 10));
    // A location restriction keeps the page, a category restriction goes back to the
    // first one.
    Doc().SetLocationRestriction(nullptr);
    EXPECT_EQ(view.GetFirstIndex(), 5u);
    Doc().SetCategoryRestriction(nullptr);
    EXPECT_EQ(view.GetFirstIndex(), 0u);

    // The toggle icon switches the total line off, which gives the grid two more rows,
    // and saves the setting at once.
    const CRect toggle = view.GetToggleRect();
    Tap(view.GetWidget(), QPoint(toggle.left + 8, toggle.top + 8));
    EXPECT_FALSE(Doc().IsModified());
    ASSERT_TRUE(TheRegistry().init());
    bool stored = true;
    EXPECT_TRUE(TheRegistry().Get(u"bDrawTotal", stored) && !stored);
    view.RenderToImage();
    EXPECT_EQ(view.GetRowsPerPage(), 12u);
}

TEST_F(ListViewTest, TotalLineOfAnEmptyListAndForBothKindsOfCurrencyWithTaxAndPurchasedLines) {
    CListoraView& view = MakeView<CListoraView>();
    EXPECT_EQ(Text(view.GetTotalLineText()), u"(0-0)/0. 0.00/0.00 $");

    Purchase* milk = Add(u"Milk", 2, 3.5f);
    Add(u"Bread", 1, 2.0f);
    milk->SetPurchased(true);
    milk->SetTaxable(true);
    TheOptions().SetTaxRates(5, 3, 2);
    view.RenderToImage();
    // Milk: 2 x 3.50 x 1.10 = 7.70, bought; bread 2.00.
    EXPECT_EQ(Text(view.GetTotalLineText()), u"(1-2)/2. 7.70/9.70 $");

    TheOptions().SetCurrencyCode(u"British Pound");
    view.RenderToImage();
    EXPECT_EQ(Text(view.GetTotalLineText()), u"(1-2,2). 7.70 of 9.70 (GBP)");

    // Totals ignore the filter: hidden purchased lines still count.
    Doc().OnRemovePurchased();
    view.RenderToImage();
    EXPECT_EQ(Text(view.GetTotalLineText()), u"(1-1,1). 7.70 of 9.70 (GBP)");
}

TEST_F(ListViewTest, UnknownCurrencyIsReportedOnceAfterThePaintAndDrawsNoTotal) {
    Add(u"Milk", 1, 1.0f);
    CListoraView& view = MakeView<CListoraView>();
    Script().ExpectMessageBox(u"Invalid currency code!", IDOK);
    TheOptions().SetCurrencyCode(u"united states");
    view.RenderToImage();
    view.RenderToImage();
    ProcessEvents();
    EXPECT_TRUE(view.GetTotalLineText().IsEmpty());
    // Another bad code is told again.
    Script().ExpectMessageBox(u"Invalid currency code!", IDOK);
    TheOptions().SetCurrencyCode(u"EUR");
    view.RenderToImage();
    ProcessEvents();
}

TEST_F(ListViewTest, RestrictionsFilterRowsAndShowTheRestrictionLine) {
    Add(u"Apples", 1, 1.0f, u"Market", nullptr, false, {u"Fruit"});
    Add(u"Beer", 1, 1.0f, u"market", nullptr, false, {u"Drinks"});
    Add(u"Cheese", 1, 1.0f, nullptr, nullptr, false, {u"fruit"});
    CListoraView& view = MakeView<CListoraView>();

    Doc().SetLocationRestriction(u"MARKET");
    view.RenderToImage();
    EXPECT_EQ(NamesOf(view.GetDisplayedPurchases()), (Names{u"Apples", u"Beer"}));
    EXPECT_EQ(Text(view.GetRestrictionLineText()), u"Category is '', Location is 'MARKET'");

    // Categories compare exactly.
    Doc().SetCategoryRestriction(u"Fruit");
    view.RenderToImage();
    EXPECT_EQ(NamesOf(view.GetDisplayedPurchases()), (Names{u"Apples"}));
    EXPECT_EQ(Text(view.GetRestrictionLineText()), u"Category is 'Fruit', Location is 'MARKET'");

    Doc().SetLocationRestriction(nullptr);
    Doc().SetCategoryRestriction(nullptr);
    view.RenderToImage();
    EXPECT_TRUE(view.GetRestrictionLineText().IsEmpty());
}

TEST_F(ListViewTest, ZeroQuantityAndPriceCellsAreBlankAndMarkersAppearOnlyWhereSet) {
    Add(u"Apples", 3, 1.25f, nullptr, u"ripe ones", true);
    Add(u"Bananas", 0, 0.0f, nullptr, u"", false);
    CListoraView& view = MakeView<CListoraView>();
    const QImage image = view.RenderToImage();
    ASSERT_EQ(view.GetDisplayedPurchases().size(), 2u);
    // Columns: 0 Qty, 1 Item, 2 Price, 3 Cpn, 5 Note.
    EXPECT_GT(DarkPixels(image, CellInside(view, 0, 0)), 0);
    EXPECT_GT(DarkPixels(image, CellInside(view, 2, 0)), 0);
    EXPECT_EQ(DarkPixels(image, CellInside(view, 0, 1)), 0);
    EXPECT_EQ(DarkPixels(image, CellInside(view, 2, 1)), 0);
    EXPECT_GT(DarkPixels(image, CellInside(view, 1, 1)), 0);

    auto coloured = [](QRgb pixel) { return pixel != qRgb(255, 255, 255) && pixel != qRgb(128, 128, 128); };
    EXPECT_GT(Pixels(image, CellInside(view, 3, 0), coloured), 0);
    EXPECT_EQ(Pixels(image, CellInside(view, 3, 1), coloured), 0);
    EXPECT_GT(DarkPixels(image, CellInside(view, 5, 0)), 0);
    EXPECT_EQ(DarkPixels(image, CellInside(view, 5, 1)), 0);
}

TEST_F(ListViewTest, DecimalCountOfQuantities) {
    EXPECT_EQ(CListoraBaseView::DecimalCount(0.25), 2);
    EXPECT_EQ(CListoraBaseView::DecimalCount(1e-30), 20);
    EXPECT_EQ(CListoraBaseView::DecimalCount(1e30), 0);
    EXPECT_EQ(CListoraBaseView::DecimalCount(-0.5), 1);
}

// Qty, Location and Note open the add-item dialog in the program (AppCommandTest).
TEST_F(ListViewTest, TapsOnItemCouponAndNoteCells) {
    Purchase* apples = Add(u"Apples", 1, 1.0f, u"Market", u"the green %s ones");
    CListoraView& view = MakeView<CListoraView>();
    // Item ticks the line off and back on; Cpn toggles the coupon, and nothing else.
    for (bool ticked : {true, false}) {
        Doc().SetModifiedFlag(FALSE);
        Tap(view.GetWidget(), CellCentre(view, 1, 0));
        EXPECT_EQ(apples->IsPurchased(), ticked);
        EXPECT_TRUE(Doc().IsModified());
    }
    Doc().SetModifiedFlag(FALSE);
    Tap(view.GetWidget(), CellCentre(view, 3, 0));
    EXPECT_TRUE(apples->HasCoupon() && !apples->IsPurchased() && Doc().IsModified());
    Tap(view.GetWidget(), CellCentre(view, 3, 0));
    EXPECT_FALSE(apples->HasCoupon());
    // Without the program the note is shown as it is, never used as a format.
    Script().ExpectMessageBox(u"the green %s ones", IDOK);
    Tap(view.GetWidget(), CellCentre(view, 5, 0));
}

TEST_F(ListViewTest, TapOnThePriceCellOpensThePriceMenu) {
    Purchase* apples = Add(u"Apples", 2, 1.5f);
    CListoraView& view = MakeView<CListoraView>();
    Doc().SetModifiedFlag(FALSE);
    // Dismissed: nothing changes, and a later choice with no remembered line does nothing.
    Script().ExpectPopupMenu(0u);
    Tap(view.GetWidget(), CellCentre(view, 2, 0));
    EXPECT_FLOAT_EQ(apples->GetPrice(), 1.5f);
    EXPECT_FALSE(Doc().IsModified());
    view.OnPriceChoice(CListoraView::ID_PRICE_FIRST + 4);
    EXPECT_FLOAT_EQ(apples->GetPrice(), 1.5f);

    Script().ExpectPopupMenu(CListoraView::ID_PRICE_FIRST + 15);  // "10.00"
    Tap(view.GetWidget(), CellCentre(view, 2, 0));
    EXPECT_FLOAT_EQ(apples->GetPrice(), 10.0f);
    EXPECT_TRUE(Doc().IsModified());
    view.RenderToImage();
    EXPECT_EQ(Text(view.GetTotalLineText()), u"(1-1)/1. 0.00/20.00 $");
    EXPECT_EQ(view.GetPriceMenuPurchase(), nullptr);
}

TEST_F(ListViewTest, RightClickOrTapAndHoldAsksBeforeRemovingALine) {
    Purchase* apples = Add(u"Apples", 1, 1.0f);
    Add(u"Bananas", 1, 1.0f);
    CListoraView& view = MakeView<CListoraView>();
    // Tap and hold asks too, and is no tap.
    Script().ExpectMessageBox(u"Remove 'Apples'?", IDNO);
    TapAndHold(view.GetWidget(), CellCentre(view, 1, 0));
    EXPECT_FALSE(apples->IsPurchased());
    Doc().SetModifiedFlag(FALSE);
    Script().ExpectMessageBox(u"Remove 'Bananas'?", IDYES);
    RightClick(view.GetWidget(), CellCentre(view, 2, 1));
    EXPECT_EQ(NamesOf(Doc().GetPurchases()), (Names{u"Apples"}));
    EXPECT_TRUE(Doc().IsModified());
    // Nothing is asked below the rows; the removed line is no longer under the pen.
    RightClick(view.GetWidget(), CellCentre(view, 2, 1));
    RightClick(view.GetWidget(), CellCentre(view, 2, 6));
}

TEST_F(ListViewTest, TypedLetterJumpsToTheFirstShownLineStartingWithIt) {
    Add(u"apples", 1, 1.0f);
    Add(u"Bananas", 1, 1.0f);
    Purchase* bread = Add(u"bread", 1, 1.0f);
    Add(u"Cherries", 1, 1.0f);
    CListoraView& view = MakeView<CListoraView>();
    TypeText(view.GetWidget(), QStringLiteral("c"));
    EXPECT_EQ(view.GetFirstIndex(), 3u);
    TypeText(view.GetWidget(), QStringLiteral("B"));
    EXPECT_EQ(view.GetFirstIndex(), 1u);
    // Hidden lines are passed over.
    Doc().GetPurchases()[1]->SetPurchased(true);
    Doc().OnRemovePurchased();
    TypeText(view.GetWidget(), QStringLiteral("b"));
    EXPECT_EQ(Doc().GetPurchases()[view.GetFirstIndex()], bread);
    TypeText(view.GetWidget(), QStringLiteral("z"));
    EXPECT_EQ(Doc().GetPurchases()[view.GetFirstIndex()], bread);
}

// The tile itself is the Select Background command's (SettingsDialogsTest).
TEST_F(ListViewTest, NamesAreDrawnInTheirColourOnTheTile) {
    Add(u"Apples", 1, 1.0f);
    TheOptions().SetTileNumber(162);
    TheOptions().SetColorName(0xFFFFFF);
    CListoraView& view = MakeView<CListoraView>();
    const QImage image = view.RenderToImage();
    EXPECT_GT(Pixels(image, CellInside(view, 1, 0), [](QRgb pixel) { return qGray(pixel) > 200; }), 0);
}

TEST_F(ListViewTest, OptionsChangeRebuildsTheHeaderAndShiftsTheTapKinds) {
    Purchase* apples = Add(u"Apples", 1, 1.0f);
    CListoraView& view = MakeView<CListoraView>();
    ASSERT_EQ(view.GetHeader()->GetColumnCount(), 6);
    TheOptions().SetDisplayedColumns(63 & ~1u);
    Doc().UpdateAllViews(nullptr, CListoraDoc::kHintOptions);
    ASSERT_EQ(view.GetHeader()->GetColumnCount(), 5);
    EXPECT_EQ(view.GetHeader()->GetColumnKind(1), KindPrice);
    // Without Qty, the first column is the Item column and Cpn the third.
    view.RenderToImage();
    Tap(view.GetWidget(), CellCentre(view, 0, 0));
    EXPECT_TRUE(apples->IsPurchased());
    Tap(view.GetWidget(), CellCentre(view, 2, 0));
    EXPECT_TRUE(apples->HasCoupon());
    // A new font size changes the header's height and so the first row's place.
    TheOptions().SetFontSize(20);
    Doc().UpdateAllViews(nullptr, CListoraDoc::kHintOptions);
    EXPECT_EQ(view.GetHeaderHeight(), 26);
}

TEST_F(ListViewTest, ResetForgetsThePurchasesOfTheLastPaint) {
    Add(u"Apples", 1, 1.0f);
    CListoraView& view = MakeView<CListoraView>();
    ASSERT_EQ(view.GetDisplayedPurchases().size(), 1u);
    Doc().ClearList();
    view.ResetView();
    EXPECT_EQ(view.GetDisplayedPurchases().size(), 0u);
    // A tap after the list changed acts on what is there now, not on a stale line:
    // nothing is there, so nothing is asked.
    RightClick(view.GetWidget(), CellCentre(view, 1, 0));
}

}  // namespace
