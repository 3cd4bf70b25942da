#include "AppFixture.h"

#include "AppAboutDlg.h"
#include "CImageList.h"
#include "CListoraView.h"
#include "Currency.h"
#include "Listora/dlgs/CSelectTileDlg.h"
#include "Resources.h"
#include "dlgs/CSelectCurrencyDlg.h"

#include <QAbstractItemView>
#include <QDialog>
#include <QSet>

using namespace apptest;

namespace {

class SettingsDialogsTest : public StartedApp {
protected:
    static QPoint RowCentre(CListCtrl& list, int row) {
        QAbstractItemView* view = list.GetView();
        return view->visualRect(view->model()->index(row, 0)).center();
    }
    void SelectBackground(std::function<void(CSelectTileDlg&)> script) {
        Script().ExpectDialog(CSelectTileDlg::IDD, [script](CDialog& d) { script(static_cast<CSelectTileDlg&>(d)); });
        ASSERT_TRUE(ChooseMenuCommand(Frame(), {u"&File", u"Select &Background"}));
    }
};

}  // namespace

// Which tile is preselected, and what OK, Cancel and double taps take, is the next test's.
TEST_F(SettingsDialogsTest, TheTappedTileIsPaintedAtOnceAndKeptForTheNextStart) {
    SelectBackground([](CSelectTileDlg& d) {
        CheckDialogFitsScreens(d, "select-tile");
        Tap(d.GetList().GetView()->viewport(), RowCentre(d.GetList(), 7));
        PressOK(d);
    });
    EXPECT_EQ(TheOptions().GetTileNumber(), 168u);
    // The list view paints with the new tile at once: below the rows, every colour
    // is one of the tile's.
    const QImage tile = Resources::LoadIcon(168).pixmap(32, 32).toImage();
    QSet<QRgb> tileColours;
    for (int y = 0; y < tile.height(); ++y)
        for (int x = 0; x < tile.width(); ++x)
            tileColours.insert(tile.pixel(x, y));
    const QImage view = App().GetListView()->RenderToImage();
    for (int x = 0; x < 40; ++x)
        EXPECT_TRUE(tileColours.contains(view.pixel(x, view.height() - 3))) << x;

    ASSERT_TRUE(Start());
    EXPECT_EQ(TheOptions().GetTileNumber(), 168u);
}

TEST_F(SettingsDialogsTest, TilePickerOkCancelAndDoubleTaps) {
    enum class Act { Ok, Cancel, DoubleTapLast, DoubleTapBlank };
    struct Case {
        DWORD current;
        Act act;
        DWORD after;
        int preselected;
    };
    const Case cases[] = {
        {161, Act::Ok, 161, -1},              // "No Fill" is not preselected; OK keeps it
        {165, Act::Cancel, 165, 4},
        {163, Act::DoubleTapLast, 170, 2},
        {162, Act::DoubleTapBlank, 162, 1},   // nothing under the tap: the picker stays
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.current);
        TheOptions().SetTileNumber(c.current);
        SelectBackground([&c](CSelectTileDlg& d) {
            CListCtrl& list = d.GetList();
            EXPECT_EQ(list.GetNextItem(-1, LVNI_SELECTED), c.preselected);
            QWidget* viewport = list.GetView()->viewport();
            switch (c.act) {
            case Act::Ok: PressOK(d); break;
            case Act::Cancel: PressCancel(d); break;
            case Act::DoubleTapLast: DoubleTap(viewport, RowCentre(list, 9)); break;
            case Act::DoubleTapBlank:
                DoubleTap(viewport, {viewport->width() - 3, viewport->height() - 3});
                EXPECT_FALSE(d.IsEnded());
                PressCancel(d);
                break;
            }
        });
        EXPECT_EQ(TheOptions().GetTileNumber(), c.after);
    }
}

TEST_F(SettingsDialogsTest, CurrencyPickerListsTheTableWithPicturesAndReturnsTheChosenRow) {
    CImageList* images = CSelectCurrencyDlg::GetCurrencyImageList();
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(images->GetImage(0).toImage().pixelColor(0, 0).alpha(), 0) << "grey is transparent";

    // OK takes the first row until another is tapped; a double tap takes that row.
    for (int row : {0, 144}) {
        CSelectCurrencyDlg dialog;
        Script().ExpectDialog(CSelectCurrencyDlg::IDD, [row](CDialog& d) {
            CListCtrl& list = static_cast<CSelectCurrencyDlg&>(d).GetList();
            EXPECT_FALSE(list.GetWidget()->topLevelItem(144)->icon(0).isNull());
            if (row == 0) {
                CheckDialogFitsScreens(d, "select-currency");
                PressOK(d);
                return;
            }
            list.GetView()->scrollTo(list.GetView()->model()->index(row, 0));
            DoubleTap(list.GetView()->viewport(), RowCentre(list, row));
        });
        dialog.DoModal();
        EXPECT_EQ(dialog.GetResult(), row);
    }
}

TEST_F(SettingsDialogsTest, AboutShowsTheProgramsPictureVersionAndTitle) {
    Script().ExpectDialog(AppAboutDlg::IDD, [](CDialog& d) {
        EXPECT_EQ(d.GetDialog()->windowTitle(), QStringLiteral("Listora"));
        const QImage picture = QImage(Resources::PathOf(ListoraApp::IDR_ABOUT_IMAGE, "jpg"));
        ASSERT_FALSE(picture.isNull());
        const QImage shown = RenderWidget(d.GetWidget());
        EXPECT_EQ(shown.pixelColor(10, 40), picture.pixelColor(10, 40));
        CheckDialogFitsScreens(d, "about-listora");
        PressOK(d);
    });
    ASSERT_TRUE(ChooseMenuCommand(Frame(), {u"&File", u"&About Listora..."}));
}
