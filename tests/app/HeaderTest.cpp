// The column header of the views: the kind and width of each displayed column,
// sorting by a click (and its refusal in the choice view), the sort mark from the
// settings, the limits on resizing and the colours it draws in.
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

TEST_F(HeaderTest, ColumnKindsFollowTheSetBits) {
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(CListHeaderCtrl::GetColumnKind(63, i), i);
    // Item, Cpn and Note shown.
    const DWORD mask = 2 | 8 | 32;
    EXPECT_EQ(CListHeaderCtrl::GetColumnKind(mask, 0), 1);
    EXPECT_EQ(CListHeaderCtrl::GetColumnKind(mask, 1), 3);
    EXPECT_EQ(CListHeaderCtrl::GetColumnKind(mask, 2), 5);
    EXPECT_EQ(CListHeaderCtrl::GetColumnKind(mask, 3), -1);
    EXPECT_EQ(CListHeaderCtrl::GetColumnIndex(mask, 3), 1);
    EXPECT_EQ(CListHeaderCtrl::GetColumnIndex(mask, 0), -1);
}

TEST_F(HeaderTest, ClickingSortsTheListAndTogglesTheDirection) {
    Add(u"Banana", 1, 3.0f);
    Add(u"apple", 5, 1.0f);
    Add(u"Cherry", 2, 2.0f);
    CListoraView& view = MakeView<CListoraView>();
    CListHeaderCtrl& header = DrawnHeader(view);
    // The stored sort (Item, ascending) is marked.
    EXPECT_EQ(header.GetSortColumn(), 1);
    EXPECT_EQ(header.GetSortDirection(), 0);

    const int y = header.GetWidget()->height() / 2;
    Tap(header.GetWidget(), QPoint(header.GetLeft(1) + 10, y));
    EXPECT_EQ(header.GetSortDirection(), 1);
    EXPECT_EQ(TheOptions().GetSortColumn(), 1u);
    EXPECT_EQ(TheOptions().GetSortDirection(), 1u);
    EXPECT_TRUE(TheOptions().IsChanged());
    EXPECT_EQ(NamesOf(Doc().GetPurchases()), (Names{u"Cherry", u"Banana", u"apple"}));

    Tap(header.GetWidget(), QPoint(header.GetLeft(1) + 10, y));
    EXPECT_EQ(header.GetSortDirection(), 0);
    EXPECT_EQ(NamesOf(Doc().GetPurchases()), (Names{u"apple", u"Banana", u"Cherry"}));

    // Another column starts ascending.
    Tap(header.GetWidget(), QPoint(header.GetLeft(1) + 10, y));
    Tap(header.GetWidget(), QPoint(header.GetLeft(2) + 10, y));
    EXPECT_EQ(header.GetSortColumn(), 2);
    EXPECT_EQ(header.GetSortDirection(), 0);
    EXPECT_EQ(TheOptions().GetSortColumn(), 2u);
    EXPECT_EQ(NamesOf(Doc().GetPurchases()), (Names{u"apple", u"Cherry", u"Banana"}));
    // The rendered page follows the new order.
    view.RenderToImage();
    EXPECT_EQ(view.GetDisplayedPurchases()[0]->Name(), u"apple");
}

TEST_F(HeaderTest, ChoiceViewRefusesEveryColumnButItem) {
    CListoraChoiceView& view = MakeView<CListoraChoiceView>();
    CListHeaderCtrl& header = DrawnHeader(view);
    EXPECT_EQ(header.GetMode(), CListHeaderCtrl::ChoiceMode);
    Script().ExpectMessageBox(u"Cannot sort by this column in this view!", IDOK);
    header.ClickColumn(2);
    EXPECT_EQ(header.GetSortColumn(), 1);
    EXPECT_EQ(TheOptions().GetSortColumn(), 1u);
    header.ClickColumn(1);
    EXPECT_EQ(header.GetSortDirection(), 1);
    EXPECT_EQ(TheOptions().GetSortDirection(), 1u);
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

TEST_F(HeaderTest, DefaultWidthsAndResizingThatKeepsColumnsWideEnoughForTheirTitles) {
    CListoraView& view = MakeView<CListoraView>(400, 320);
    CListHeaderCtrl& header = DrawnHeader(view);
    ASSERT_EQ(header.GetColumnCount(), 6);
    // Beyond the handheld's 240 pixels the Item column takes half of the extra room;
    // the last column takes the rest of the width.
    const int share = (400 - 240) / 2;
    const int widths[] = {35, 75 + share, 45, 25, 45, 400 - 225 - share};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(header.GetWidth(i), widths[i]) << i;
    header.FitLastColumn(240);
    EXPECT_EQ(header.GetWidth(1), 75) << "at 240 the widths are the stored ones";
    header.FitLastColumn(400);
    EXPECT_EQ(header.GetWidth(1), 75 + share);
    EXPECT_EQ(header.ColumnAt(0), 0);
    EXPECT_EQ(header.ColumnAt(35), 1);
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
    EXPECT_EQ(header.GetLeft(6), 400);

    // Widening a column narrows the last one.
    const int lastWidth = header.GetWidth(5);
    Drag(widget, QPoint(divider, y), QPoint(divider + 12, y));
    EXPECT_EQ(header.GetWidth(1), itemWidth + 12);
    EXPECT_EQ(header.GetWidth(5), lastWidth - 12);
    EXPECT_EQ(header.GetLeft(2), divider + 12);
    EXPECT_EQ(header.GetLeft(6), 400);

    // The last column cannot be dragged itself, but fits the width it is given, never
    // narrower than what its title needs.
    Drag(widget, QPoint(400, y), QPoint(300, y));
    EXPECT_EQ(header.GetWidth(5), lastWidth - 12);
    header.FitLastColumn(500);
    EXPECT_EQ(header.GetLeft(6), 500);
    header.FitLastColumn(420);
    EXPECT_EQ(header.GetLeft(6), 420);
    header.FitLastColumn(100);
    EXPECT_GE(header.GetWidth(5), header.GetMinWidth(5));
}

TEST_F(HeaderTest, DrawsInTheColoursOfTheBackground) {
    TheOptions().SetTileNumber(162);
    CListoraView& view = MakeView<CListoraView>();
    CListHeaderCtrl& header = DrawnHeader(view);
    QImage image = RenderWidget(header.GetWidget());
    ASSERT_FALSE(image.isNull());
    // 0x993300 as blue, green, red.
    EXPECT_EQ(QColor(image.pixel(header.GetLeft(3) + 3, 3)), QColor(0x00, 0x33, 0x99));

    TheOptions().SetTileNumber(163);
    image = RenderWidget(header.GetWidget());
    EXPECT_EQ(QColor(image.pixel(header.GetLeft(3) + 3, 3)), QColor(0x94, 0xA5, 0xFF));
}

}  // namespace
