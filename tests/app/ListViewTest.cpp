// The list view on rendered images: paging, the total and restriction lines, blank
// cells, taps by column kind, the remove question, typed letters and the layout at
// other window sizes.
#include "ListViewFixture.h"

#include "CCmdUI.h"
#include "CMenu.h"
#include "QtText.h"

#include <QAction>

namespace {

class ListViewTest : public ViewTest {
protected:
    // 25 lines "Item 00" .. "Item 24", one of each, at 1.00.
    void AddNumberedLines(int count) {
        for (int i = 0; i < count; ++i) {
            const std::u16string name = u"Item " + U16(std::to_string(100 + i).substr(1));
            Add(name.c_str(), 1, 1.0f);
        }
    }
};

TEST_F(ListViewTest, PagesThroughTwentyFiveLinesTenAtATime) {
    AddNumberedLines(25);
    CListoraView& view = MakeView<CListoraView>();
    ResizeView(240, HeightForRows(view, 10));
    view.RenderToImage();
    ASSERT_EQ(view.GetRowsPerPage(), 10u);
    EXPECT_EQ(view.GetFirstIndex(), 0u);
    EXPECT_EQ(view.GetCount(), 25u);
    EXPECT_EQ(Text(view.GetTotalLineText()), u"(1-10)/25. 0.00/25.00 $");
    EXPECT_TRUE(view.GetNextButton()->IsWindowEnabled());
    EXPECT_FALSE(view.GetPrevButton()->IsWindowEnabled());

    view.SendMessage(WM_COMMAND, CListoraBaseView::ID_NEXT_PAGE);
    view.RenderToImage();
    EXPECT_EQ(view.GetFirstIndex(), 10u);
    EXPECT_EQ(view.GetDisplayedPurchases()[0]->Name(), u"Item 10");

    view.SendMessage(WM_COMMAND, CListoraBaseView::ID_NEXT_PAGE);
    view.RenderToImage();
    // The last page is always a full one.
    EXPECT_EQ(view.GetFirstIndex(), 15u);
    EXPECT_EQ(view.GetRowsDrawn(), 10u);
    EXPECT_EQ(Text(view.GetTotalLineText()), u"(16-25)/25. 0.00/25.00 $");
    EXPECT_FALSE(view.GetNextButton()->IsWindowEnabled());
    EXPECT_TRUE(view.GetPrevButton()->IsWindowEnabled());

    view.SendMessage(WM_COMMAND, CListoraBaseView::ID_NEXT_PAGE);
    view.RenderToImage();
    EXPECT_EQ(view.GetFirstIndex(), 15u);

    view.SendMessage(WM_COMMAND, CListoraBaseView::ID_PREV_PAGE);
    view.RenderToImage();
    EXPECT_EQ(view.GetFirstIndex(), 5u);
    view.SendMessage(WM_COMMAND, CListoraBaseView::ID_PREV_PAGE);
    view.RenderToImage();
    EXPECT_EQ(view.GetFirstIndex(), 0u);
    EXPECT_FALSE(view.GetPrevButton()->IsWindowEnabled());
}

TEST_F(ListViewTest, PageCommandsAreEnabledOnlyWhereThereIsSomethingToShow) {
    AddNumberedLines(12);
    CListoraView& view = MakeView<CListoraView>();
    ResizeView(240, HeightForRows(view, 10));
    view.RenderToImage();
    QAction nextAction, prevAction;
    CCmdUI nextUi(CListoraBaseView::ID_NEXT_PAGE, &nextAction);
    CCmdUI prevUi(CListoraBaseView::ID_PREV_PAGE, &prevAction);
    nextUi.DoUpdate(&view, true);
    prevUi.DoUpdate(&view, true);
    EXPECT_TRUE(nextAction.isEnabled());
    EXPECT_FALSE(prevAction.isEnabled());
    view.SendMessage(WM_COMMAND, CListoraBaseView::ID_NEXT_PAGE);
    view.RenderToImage();
    EXPECT_EQ(view.GetFirstIndex(), 2u);
    nextUi.DoUpdate(&view, true);
    prevUi.DoUpdate(&view, true);
    EXPECT_FALSE(nextAction.isEnabled());
    EXPECT_TRUE(prevAction.isEnabled());
}

TEST_F(ListViewTest, EmptyListShowsZerosInTheTotalLine) {
    CListoraView& view = MakeView<CListoraView>();
    view.RenderToImage();
    EXPECT_EQ(view.GetCount(), 0u);
    EXPECT_EQ(view.GetDisplayedPurchases().size(), 0u);
    EXPECT_EQ(Text(view.GetTotalLineText()), u"(0-0)/0. 0.00/0.00 $");
    EXPECT_TRUE(view.GetRestrictionLineText().IsEmpty());
    EXPECT_FALSE(view.GetNextButton()->IsWindowEnabled());
    EXPECT_FALSE(view.GetPrevButton()->IsWindowEnabled());
}

TEST_F(ListViewTest, TotalLineForBothKindsOfCurrencyWithTaxAndPurchasedLines) {
    Purchase* milk = Add(u"Milk", 2, 3.5f);
    Add(u"Bread", 1, 2.0f);
    milk->SetPurchased(true);
    milk->SetTaxable(true);
    TheOptions().SetTaxRates(5, 3, 2);
    CListoraView& view = MakeView<CListoraView>();
    view.RenderToImage();
    // Milk: 2 x 3.50 x 1.10 = 7.70, bought; bread 2.00.
    EXPECT_EQ(Text(view.GetTotalLineText()), u"(1-2)/2. 7.70/9.70 $");

    TheOptions().SetCurrencyCode(u"British Pound");
    view.RenderToImage();
    EXPECT_EQ(Text(view.GetTotalLineText()), u"(1-2,2). 7.70 of 9.70 (GBP)");

    // Totals ignore the filter: hidden purchased lines still count.
    Doc().OnRemovePurchased();
    view.RenderToImage();
    EXPECT_EQ(view.GetCount(), 1u);
    EXPECT_EQ(Text(view.GetTotalLineText()), u"(1-1,1). 7.70 of 9.70 (GBP)");
}

TEST_F(ListViewTest, TotalLineSwitchedOffGivesTheGridMoreRows) {
    AddNumberedLines(30);
    CListoraView& view = MakeView<CListoraView>();
    ResizeView(240, HeightForRows(view, 10));
    view.RenderToImage();
    EXPECT_EQ(view.GetRowsPerPage(), 10u);
    TheOptions().SetDrawTotal(false);
    view.RenderToImage();
    EXPECT_EQ(view.GetRowsPerPage(), 12u);
    EXPECT_TRUE(view.GetTotalLineText().IsEmpty());
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
    // The rows are still drawn.
    EXPECT_EQ(view.GetDisplayedPurchases().size(), 1u);
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
    EXPECT_EQ(NamesOf(view.GetDisplayedPurchases()), (std::vector<std::u16string>{u"Apples", u"Beer"}));
    EXPECT_EQ(Text(view.GetRestrictionLineText()), u"Category is '', Location is 'MARKET'");

    // Categories compare exactly.
    Doc().SetCategoryRestriction(u"Fruit");
    view.RenderToImage();
    EXPECT_EQ(NamesOf(view.GetDisplayedPurchases()), (std::vector<std::u16string>{u"Apples"}));
    EXPECT_EQ(Text(view.GetRestrictionLineText()), u"Category is 'Fruit', Location is 'MARKET'");
    EXPECT_EQ(Text(view.GetTotalLineText()), u"(1-1)/1. 0.00/3.00 $");

    Doc().SetLocationRestriction(nullptr);
    Doc().SetCategoryRestriction(nullptr);
    view.RenderToImage();
    EXPECT_EQ(view.GetDisplayedPurchases().size(), 3u);
    EXPECT_TRUE(view.GetRestrictionLineText().IsEmpty());
}

TEST_F(ListViewTest, CategoryRestrictionGoesBackToTheFirstPage) {
    for (int i = 0; i < 20; ++i)
        Add((u"Line " + U16(std::to_string(10 + i))).c_str(), 1, 1.0f, nullptr, nullptr, false, {u"All"});
    CListoraView& view = MakeView<CListoraView>();
    ResizeView(240, HeightForRows(view, 5));
    view.RenderToImage();
    view.SendMessage(WM_COMMAND, CListoraBaseView::ID_NEXT_PAGE);
    view.RenderToImage();
    ASSERT_EQ(view.GetFirstIndex(), 5u);
    Doc().SetLocationRestriction(nullptr);
    EXPECT_EQ(view.GetFirstIndex(), 5u);
    Doc().SetCategoryRestriction(u"All");
    EXPECT_EQ(view.GetFirstIndex(), 0u);
}

TEST_F(ListViewTest, ZeroQuantityAndZeroPriceLeaveTheirCellsBlank) {
    Add(u"Apples", 3, 1.25f);
    Add(u"Bananas", 0, 0.0f);
    CListoraView& view = MakeView<CListoraView>();
    const QImage image = view.RenderToImage();
    ASSERT_EQ(view.GetDisplayedPurchases().size(), 2u);
    // Columns: 0 Qty, 1 Item, 2 Price.
    EXPECT_GT(DarkPixels(image, CellInside(view, 0, 0)), 0);
    EXPECT_GT(DarkPixels(image, CellInside(view, 2, 0)), 0);
    EXPECT_EQ(DarkPixels(image, CellInside(view, 0, 1)), 0);
    EXPECT_EQ(DarkPixels(image, CellInside(view, 2, 1)), 0);
    // The name is still there, in its own column.
    EXPECT_GT(DarkPixels(image, CellInside(view, 1, 1)), 0);
}

TEST_F(ListViewTest, CouponAndNoteMarkersAppearOnlyWhereSet) {
    Add(u"Apples", 1, 1.0f, nullptr, u"ripe ones", true);
    Add(u"Bananas", 1, 1.0f, nullptr, u"", false);
    CListoraView& view = MakeView<CListoraView>();
    const QImage image = view.RenderToImage();
    auto nonWhite = [&](const QRect& rect) {
        int count = 0;
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                if (image.pixel(x, y) != qRgb(255, 255, 255) && image.pixel(x, y) != qRgb(128, 128, 128))
                    ++count;
        return count;
    };
    // Columns: 3 Cpn, 5 Note.
    EXPECT_GT(nonWhite(CellInside(view, 3, 0)), 0);
    EXPECT_EQ(nonWhite(CellInside(view, 3, 1)), 0);
    EXPECT_GT(DarkPixels(image, CellInside(view, 5, 0)), 0);
    // An empty note shows no marker.
    EXPECT_EQ(DarkPixels(image, CellInside(view, 5, 1)), 0);
}

TEST_F(ListViewTest, DecimalCountOfQuantities) {
    EXPECT_EQ(CListoraBaseView::DecimalCount(2.5), 1);
    EXPECT_EQ(CListoraBaseView::DecimalCount(0.25), 2);
    EXPECT_EQ(CListoraBaseView::DecimalCount(3), 0);
    EXPECT_EQ(CListoraBaseView::DecimalCount(1e-30), 20);
    EXPECT_EQ(CListoraBaseView::DecimalCount(1e30), 0);
    EXPECT_EQ(CListoraBaseView::DecimalCount(-0.5), 1);
}

TEST_F(ListViewTest, TapOnTheItemCellTicksTheLineOffAndBack) {
    Purchase* apples = Add(u"Apples", 1, 1.0f);
    CListoraView& view = MakeView<CListoraView>();
    view.RenderToImage();
    Doc().SetModifiedFlag(FALSE);
    Tap(view.GetWidget(), CellCentre(view, 1, 0));
    EXPECT_TRUE(apples->IsPurchased());
    EXPECT_TRUE(Doc().IsModified());
    // A second tap clears the flag again.
    Tap(view.GetWidget(), CellCentre(view, 1, 0));
    EXPECT_FALSE(apples->IsPurchased());
}

TEST_F(ListViewTest, TappedPurchasedLineReappearsWhenPurchasedLinesAreHidden) {
    Purchase* apples = Add(u"Apples", 1, 1.0f);
    Add(u"Bananas", 1, 1.0f);
    CListoraView& view = MakeView<CListoraView>();
    view.RenderToImage();
    Tap(view.GetWidget(), CellCentre(view, 1, 0));
    ASSERT_TRUE(apples->IsPurchased());
    Doc().OnRemovePurchased();
    view.RenderToImage();
    EXPECT_EQ(NamesOf(view.GetDisplayedPurchases()), (std::vector<std::u16string>{u"Bananas"}));
    Doc().OnRemovePurchased();
    view.RenderToImage();
    Tap(view.GetWidget(), CellCentre(view, 1, 0));
    Doc().OnRemovePurchased();
    view.RenderToImage();
    EXPECT_EQ(view.GetDisplayedPurchases().size(), 2u);
}

TEST_F(ListViewTest, TapOnTheCouponCellTogglesTheCoupon) {
    Purchase* apples = Add(u"Apples", 1, 1.0f);
    CListoraView& view = MakeView<CListoraView>();
    view.RenderToImage();
    Doc().SetModifiedFlag(FALSE);
    Tap(view.GetWidget(), CellCentre(view, 3, 0));
    EXPECT_TRUE(apples->HasCoupon());
    EXPECT_FALSE(apples->IsPurchased());
    EXPECT_TRUE(Doc().IsModified());
    Tap(view.GetWidget(), CellCentre(view, 3, 0));
    EXPECT_FALSE(apples->HasCoupon());
}

TEST_F(ListViewTest, TapOnThePriceCellOpensThePriceMenu) {
    Purchase* apples = Add(u"Apples", 2, 1.0f);
    CListoraView& view = MakeView<CListoraView>();
    view.RenderToImage();
    Doc().SetModifiedFlag(FALSE);
    QStringList entries;
    Script().ExpectPopupMenu([&](CMenu& menu, const QPoint&) -> UINT {
        for (int i = 0; i < menu.GetMenuItemCount(); ++i) {
            CString text;
            menu.GetMenuString(static_cast<UINT>(i), text, MF_BYPOSITION);
            entries << ToQString(text);
        }
        return CListoraView::ID_PRICE_FIRST + 15;  // "10.00"
    });
    Tap(view.GetWidget(), CellCentre(view, 2, 0));
    ASSERT_EQ(entries.size(), 21);
    EXPECT_EQ(entries.front(), QStringLiteral("0"));
    EXPECT_EQ(entries[3], QStringLiteral("0.99"));
    EXPECT_EQ(entries[19], QStringLiteral("500.00"));
    EXPECT_EQ(entries.back(), QStringLiteral("Other .."));
    EXPECT_FLOAT_EQ(apples->GetPrice(), 10.0f);
    // A new price is a change that must be saved.
    EXPECT_TRUE(Doc().IsModified());
    view.RenderToImage();
    EXPECT_EQ(Text(view.GetTotalLineText()), u"(1-1)/1. 0.00/20.00 $");
    EXPECT_EQ(view.GetPriceMenuPurchase(), nullptr);
}

TEST_F(ListViewTest, DismissedPriceMenuChangesNothing) {
    Purchase* apples = Add(u"Apples", 2, 1.5f);
    CListoraView& view = MakeView<CListoraView>();
    view.RenderToImage();
    Doc().SetModifiedFlag(FALSE);
    Script().ExpectPopupMenu(0u);
    Tap(view.GetWidget(), CellCentre(view, 2, 0));
    EXPECT_FLOAT_EQ(apples->GetPrice(), 1.5f);
    EXPECT_FALSE(Doc().IsModified());
    // A choice with no remembered purchase does nothing.
    view.OnPriceChoice(CListoraView::ID_PRICE_FIRST + 4);
    EXPECT_FLOAT_EQ(apples->GetPrice(), 1.5f);
}

TEST_F(ListViewTest, TapOnANoteShowsItAndOtherTapsEditWithoutChangingFlags) {
    Purchase* apples = Add(u"Apples", 1, 1.0f, u"Market", u"the green %s ones");
    CListoraView& view = MakeView<CListoraView>();
    view.RenderToImage();
    // The note is shown as it is, never used as a format.
    Script().ExpectMessageBox(u"the green %s ones", IDOK);
    Tap(view.GetWidget(), CellCentre(view, 5, 0));
    // Qty and Location edit the line (the dialog is not part of this build): no flag moves.
    Tap(view.GetWidget(), CellCentre(view, 0, 0));
    Tap(view.GetWidget(), CellCentre(view, 4, 0));
    EXPECT_FALSE(apples->IsPurchased());
    EXPECT_FALSE(apples->HasCoupon());
}

TEST_F(ListViewTest, HiddenColumnsShiftTheTapKinds) {
    Purchase* apples = Add(u"Apples", 1, 1.0f);
    // Without Qty, the first column is the Item column.
    TheOptions().SetDisplayedColumns(63 & ~1u);
    CListoraView& view = MakeView<CListoraView>();
    view.RenderToImage();
    ASSERT_EQ(view.GetHeader()->GetColumnCount(), 5);
    Tap(view.GetWidget(), CellCentre(view, 0, 0));
    EXPECT_TRUE(apples->IsPurchased());
    // Cpn is now the third column.
    Tap(view.GetWidget(), CellCentre(view, 2, 0));
    EXPECT_TRUE(apples->HasCoupon());
}

TEST_F(ListViewTest, TapsBelowTheRowsOnlyCountPastTheCount) {
    AddNumberedLines(25);
    CListoraView& view = MakeView<CListoraView>();
    ResizeView(240, HeightForRows(view, 10));
    view.RenderToImage();
    view.SendMessage(WM_COMMAND, CListoraBaseView::ID_NEXT_PAGE);
    view.SendMessage(WM_COMMAND, CListoraBaseView::ID_NEXT_PAGE);
    view.RenderToImage();
    ASSERT_EQ(view.GetFirstIndex(), 15u);
    // Every displayed row stays as it was after a tap on the top bar or the total line.
    Doc().SetModifiedFlag(FALSE);
    Tap(view.GetWidget(), QPoint(100, view.GetRowsTop() - 2));
    Tap(view.GetWidget(), QPoint(100, view.GetBottomLineY() + 10));
    EXPECT_FALSE(Doc().IsModified());
    for (const Purchase* purchase : Doc().GetPurchases())
        EXPECT_FALSE(purchase->IsPurchased());
}

TEST_F(ListViewTest, RightClickAsksBeforeRemovingALine) {
    Add(u"Apples", 1, 1.0f);
    Add(u"Bananas", 1, 1.0f);
    CListoraView& view = MakeView<CListoraView>();
    view.RenderToImage();
    Script().ExpectMessageBox(u"Remove 'Bananas'?", IDNO);
    RightClick(view.GetWidget(), CellCentre(view, 2, 1));
    EXPECT_EQ(Doc().GetPurchases().size(), 2u);
    Doc().SetModifiedFlag(FALSE);
    Script().ExpectMessageBox(u"Remove 'Bananas'?", IDYES);
    RightClick(view.GetWidget(), CellCentre(view, 2, 1));
    EXPECT_EQ(NamesOf(Doc().GetPurchases()), (std::vector<std::u16string>{u"Apples"}));
    EXPECT_TRUE(Doc().IsModified());
    // Nothing is asked below the rows; the removed line is no longer under the pen.
    RightClick(view.GetWidget(), CellCentre(view, 2, 1));
    RightClick(view.GetWidget(), CellCentre(view, 2, 6));
}

TEST_F(ListViewTest, TapAndHoldAsksTheSameQuestionAndIsNoTap) {
    Purchase* apples = Add(u"Apples", 1, 1.0f);
    CListoraView& view = MakeView<CListoraView>();
    view.RenderToImage();
    Script().ExpectMessageBox(u"Remove 'Apples'?", IDNO);
    TapAndHold(view.GetWidget(), CellCentre(view, 1, 0));
    EXPECT_FALSE(apples->IsPurchased());
    EXPECT_EQ(Doc().GetPurchases().size(), 1u);
}

TEST_F(ListViewTest, TypedLetterJumpsToTheFirstShownLineStartingWithIt) {
    Add(u"apples", 1, 1.0f);
    Add(u"Bananas", 1, 1.0f);
    Purchase* bread = Add(u"bread", 1, 1.0f);
    Add(u"Cherries", 1, 1.0f);
    CListoraView& view = MakeView<CListoraView>();
    view.RenderToImage();
    TypeText(view.GetWidget(), QStringLiteral("c"));
    EXPECT_EQ(view.GetFirstIndex(), 3u);
    TypeText(view.GetWidget(), QStringLiteral("B"));
    EXPECT_EQ(view.GetFirstIndex(), 1u);
    // Hidden lines are passed over.
    Doc().GetPurchases()[1]->SetPurchased(true);
    Doc().OnRemovePurchased();
    TypeText(view.GetWidget(), QStringLiteral("b"));
    EXPECT_EQ(Doc().GetPurchases()[view.GetFirstIndex()], bread);
    // A letter no line starts with changes nothing.
    TypeText(view.GetWidget(), QStringLiteral("z"));
    EXPECT_EQ(Doc().GetPurchases()[view.GetFirstIndex()], bread);
}

TEST_F(ListViewTest, ToggleIconSwitchesTheTotalLineAndSavesTheSetting) {
    Add(u"Apples", 1, 1.0f);
    CListoraView& view = MakeView<CListoraView>();
    view.RenderToImage();
    const CRect toggle = view.GetToggleRect();
    EXPECT_EQ(toggle.right, 240);
    EXPECT_EQ(toggle.Width(), 16);
    EXPECT_EQ(toggle.bottom, view.GetBottomLineY() - 16);
    Tap(view.GetWidget(), QPoint(toggle.left + 8, toggle.top + 8));
    EXPECT_FALSE(TheOptions().GetDrawTotal());
    ASSERT_TRUE(TheRegistry().init());
    bool stored = true;
    EXPECT_TRUE(TheRegistry().Get(u"bDrawTotal", stored));
    EXPECT_FALSE(stored);
    view.RenderToImage();
    EXPECT_TRUE(view.GetTotalLineText().IsEmpty());
    EXPECT_FALSE(Doc().GetPurchases()[0]->IsPurchased());
}

TEST_F(ListViewTest, LayoutFollowsTheWindowSize) {
    Add(u"Apples", 1, 1.0f);
    CListoraView& view = MakeView<CListoraView>(640, 480);
    view.RenderToImage();
    QWidget* prevWidget = view.GetPrevButton()->GetWidget();
    QWidget* nextWidget = view.GetNextButton()->GetWidget();
    EXPECT_EQ(prevWidget->geometry(), QRect(0, 464, 16, 16));
    EXPECT_EQ(nextWidget->geometry(), QRect(624, 464, 16, 16));
    EXPECT_EQ(view.GetToggleRect().right, 640);
    EXPECT_EQ(view.GetHeader()->GetWidget()->width(), 640);
    // The last column takes what is left.
    EXPECT_EQ(view.GetHeader()->GetLeft(view.GetHeader()->GetColumnCount()), 640);
    ResizeView(240, 320);
    view.RenderToImage();
    EXPECT_EQ(prevWidget->geometry(), QRect(0, 304, 16, 16));
    EXPECT_EQ(nextWidget->geometry(), QRect(224, 304, 16, 16));
    EXPECT_EQ(view.GetToggleRect(), CRect(224, view.GetBottomLineY() - 32, 240, view.GetBottomLineY() - 16));
}

TEST_F(ListViewTest, BackgroundTileBarsAndStripArePainted) {
    Add(u"Apples", 1, 1.0f);
    TheOptions().SetTileNumber(162);
    TheOptions().SetDrawZevav(true);
    TheOptions().SetColorName(0xFFFFFF);
    CListoraView& view = MakeView<CListoraView>();
    const QImage image = view.RenderToImage();
    const int header = view.GetHeaderHeight();
    // The top bar runs from blue at the left to pale in the middle.
    EXPECT_EQ(QColor(image.pixel(0, header)), QColor(59, 94, 180));
    EXPECT_EQ(QColor(image.pixel(120, header + 2)), QColor(201, 230, 241));
    EXPECT_EQ(view.GetStripWidth(), 25);
    // The dark tile lies under the rows, right of the strip.
    EXPECT_LT(qGray(image.pixel(120, view.GetRowsTop() + 100)), 80);
    // Light text on the dark tile.
    int light = 0;
    const QRect name = CellInside(view, 1, 0);
    for (int y = name.top(); y <= name.bottom(); ++y)
        for (int x = name.left(); x <= name.right(); ++x)
            if (qGray(image.pixel(x, y)) > 200)
                ++light;
    EXPECT_GT(light, 0);
}

TEST_F(ListViewTest, OptionsChangeRebuildsTheHeaderWhenColumnsChange) {
    CListoraView& view = MakeView<CListoraView>();
    ASSERT_EQ(view.GetHeader()->GetColumnCount(), 6);
    TheOptions().SetDisplayedColumns(2 | 4);
    Doc().UpdateAllViews(nullptr, CListoraDoc::kHintOptions);
    ASSERT_EQ(view.GetHeader()->GetColumnCount(), 2);
    EXPECT_EQ(view.GetHeader()->GetColumnKind(1), CListoraBaseView::KindPrice);
    EXPECT_TRUE(view.GetHeader()->GetWidget()->isVisible() || !view.GetWidget()->isVisible());
    // A new font size changes the header's height and so the first row's place.
    TheOptions().SetFontSize(20);
    Doc().UpdateAllViews(nullptr, CListoraDoc::kHintOptions);
    EXPECT_EQ(view.GetHeaderHeight(), 26);
}

TEST_F(ListViewTest, FullScreenShowsThePageButtonsAndTheSwitchIcon) {
    CListoraView& view = MakeView<CListoraView>();
    m_viewFrame->ShowWindow(SW_SHOW);
    ProcessEvents();
    EXPECT_FALSE(view.GetFullScreenState());
    EXPECT_TRUE(m_viewFrame->bar.IsWindowVisible());
    view.SendMessage(WM_COMMAND, CListoraBaseView::ID_FULL_SCREEN);
    ProcessEvents();
    EXPECT_TRUE(view.GetFullScreenState());
    EXPECT_FALSE(m_viewFrame->bar.IsWindowVisible());
    EXPECT_TRUE(view.GetPrevButton()->IsWindowVisible());
    EXPECT_TRUE(view.GetNextButton()->IsWindowVisible());
    ASSERT_NE(view.GetFullScreenIconWindow(), nullptr);
    EXPECT_TRUE(view.GetFullScreenIconWindow()->IsWindowVisible());
    EXPECT_FALSE(view.GetFullScreenIcon().isNull());
    // The floating icon switches back.
    Tap(view.GetFullScreenIconWindow()->GetWidget(), QPoint(8, 8));
    ProcessEvents();
    EXPECT_FALSE(view.GetFullScreenState());
    EXPECT_TRUE(m_viewFrame->bar.IsWindowVisible());
    EXPECT_FALSE(view.GetPrevButton()->IsWindowVisible());
    EXPECT_FALSE(view.GetFullScreenIconWindow()->IsWindowVisible());
}

TEST_F(ListViewTest, PageButtonsSendTheirCommandsToTheView) {
    AddNumberedLines(25);
    CListoraView& view = MakeView<CListoraView>();
    ResizeView(240, HeightForRows(view, 10));
    view.RenderToImage();
    Tap(view.GetNextButton()->GetWidget(), QPoint(8, 8));
    EXPECT_EQ(view.GetFirstIndex(), 10u);
    view.RenderToImage();
    Tap(view.GetPrevButton()->GetWidget(), QPoint(8, 8));
    EXPECT_EQ(view.GetFirstIndex(), 0u);
}

TEST_F(ListViewTest, ResetForgetsThePurchasesOfTheLastPaint) {
    Add(u"Apples", 1, 1.0f);
    CListoraView& view = MakeView<CListoraView>();
    view.RenderToImage();
    ASSERT_EQ(view.GetDisplayedPurchases().size(), 1u);
    Doc().ClearList();
    view.ResetView();
    EXPECT_EQ(view.GetDisplayedPurchases().size(), 0u);
    // A tap after the list changed acts on what is there now, not on a stale line:
    // nothing is there, so nothing is asked.
    RightClick(view.GetWidget(), CellCentre(view, 1, 0));
}

}  // namespace
