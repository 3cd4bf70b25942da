#include "ListViewFixture.h"

namespace {

class HeaderTest : public ViewTest {
protected:
    // A shown header, drawn once so that every column's minimum width is known.
    CListHeaderCtrl& DrawnHeader(CListoraBaseView& view) {
        CListHeaderCtrl& header = *view.GetHeader();
        view.RenderToImage();
        header.ShowWindow(SW_SHOW);
        RenderWidget(header.GetWidget());
        return header;
    }
};

TEST_F(HeaderTest, ClickingSortsTheListAndTogglesTheDirection) {
    Add(u"Banana", 1, 3.0f);
    Add(u"apple", 5, 1.0f);
    Add(u"Cherry", 2, 2.0f);
    CListoraView& view = MakeView<CListoraView>();
    CListHeaderCtrl& header = DrawnHeader(view);
    const int y = header.GetWidget()->height() / 2;
    // The stored sort (Item, ascending) is reversed by a click; another column starts
    // ascending. The sort of the list is judged in DocListTest.
    Tap(header.GetWidget(), QPoint(header.GetLeft(1) + 10, y));
    EXPECT_EQ(header.GetSortDirection(), 1);
    EXPECT_EQ(TheOptions().GetSortDirection(), 1u);
    EXPECT_TRUE(TheOptions().IsChanged());
    EXPECT_EQ(NamesOf(Doc().GetPurchases()), (Names{u"Cherry", u"Banana", u"apple"}));
    Tap(header.GetWidget(), QPoint(header.GetLeft(2) + 10, y));
    EXPECT_EQ(header.GetSortColumn(), 2);
    EXPECT_EQ(header.GetSortDirection(), 0);
    EXPECT_EQ(TheOptions().GetSortColumn(), 2u);
    EXPECT_EQ(NamesOf(Doc().GetPurchases()), (Names{u"apple", u"Cherry", u"Banana"}));
}

TEST_F(HeaderTest, ChoiceViewRefusesEveryColumnButItem) {
    CListoraChoiceView& view = MakeView<CListoraChoiceView>();
    CListHeaderCtrl& header = DrawnHeader(view);
    Script().ExpectMessageBox(u"Cannot sort by this column in this view!", IDOK);
    header.ClickColumn(2);
    EXPECT_EQ(header.GetSortColumn(), 1);
    EXPECT_EQ(TheOptions().GetSortColumn(), 1u);
}

TEST_F(HeaderTest, SortMarkComesFromTheStoredKind) {
    TheOptions().SetDisplayedColumns(63 & ~1u);
    TheOptions().SetSortColumn(2);
    TheOptions().SetSortDirection(1);
    CListoraView& view = MakeView<CListoraView>();
    // Price is the second displayed column once Qty is hidden.
    EXPECT_EQ(view.GetHeader()->GetSortColumn(), 1);
    EXPECT_EQ(view.GetHeader()->GetSortDirection(), 1);

    TheOptions().SetSortColumn(0);
    view.CreateHeader();
    EXPECT_EQ(view.GetHeader()->GetSortColumn(), -1);
}

TEST_F(HeaderTest, WiderWindowsAndResizingKeepColumnsWideEnoughForTheirTitles) {
    CListoraView& view = MakeView<CListoraView>(400, 320);
    CListHeaderCtrl& header = DrawnHeader(view);
    ASSERT_EQ(header.GetColumnCount(), 6);
    // Beyond the handheld's 240 pixels the Item column takes half of the extra room.
    const int stored = header.GetWidth(1) - (400 - 240) / 2;
    header.FitLastColumn(240);
    EXPECT_EQ(header.GetWidth(1), stored);
    header.FitLastColumn(400);
    EXPECT_EQ(header.ColumnAt(5000), 5);

    QWidget* widget = header.GetWidget();
    const int y = widget->height() / 2;
    const int itemWidth = header.GetWidth(1);
    const int minWidth = header.GetMinWidth(1);
    ASSERT_GT(minWidth, 0);
    ASSERT_GT(itemWidth, minWidth);

    // Narrower than the title and six blanks: refused, the column stays.
    const int divider = header.GetLeft(2);
    Drag(widget, QPoint(divider, y), QPoint(divider - (itemWidth - minWidth) - 10, y));
    EXPECT_EQ(header.GetWidth(1), itemWidth);

    // Widening a column narrows the last one.
    const int lastWidth = header.GetWidth(5);
    Drag(widget, QPoint(divider, y), QPoint(divider + 12, y));
    EXPECT_EQ(header.GetWidth(1), itemWidth + 12);
    EXPECT_EQ(header.GetWidth(5), lastWidth - 12);

    // The last column cannot be dragged itself, but fits the width it is given, never
    // narrower than what its title needs.
    Drag(widget, QPoint(400, y), QPoint(300, y));
    EXPECT_EQ(header.GetWidth(5), lastWidth - 12);
    header.FitLastColumn(500);
    EXPECT_EQ(header.GetLeft(6), 500);
    header.FitLastColumn(100);
    EXPECT_GE(header.GetWidth(5), header.GetMinWidth(5));
}

}  // namespace
