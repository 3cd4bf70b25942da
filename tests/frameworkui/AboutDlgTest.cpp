// The about box: its picture and size, and the link that opens in the desktop's
// handler and turns visited.
#include "AppAboutDlg.h"
#include "HandlerStub.h"
#include "UiTest.h"

#include <QDialog>

namespace {

class AboutDlgTest : public UiTest {
protected:
    static QImage Picture() {
        QImage picture(240, 60, QImage::Format_RGB32);
        picture.fill(QColor(10, 20, 200));
        return picture;
    }
    static QPoint LinkCentre() {
        const RECT r = AppAboutDlg::kLinkRect;
        return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
};

}  // namespace

TEST_F(AboutDlgTest, ShowsThePictureAtTheTopOfABoxOfTheDeviceSize) {
    AppAboutDlg about(Picture(), u"https://example.org/", u"Version\n1.6.1", u"Demo");
    Script().ExpectDialog(AppAboutDlg::IDD, [](CDialog& d) {
        QDialog* window = d.GetDialog();
        EXPECT_EQ(window->windowTitle(), QStringLiteral("Demo"));
        EXPECT_EQ(window->size(), QSize(240, 284));
        const QImage shown = RenderWidget(window);
        EXPECT_EQ(shown.pixelColor(0, 0), QColor(10, 20, 200));
        EXPECT_EQ(shown.pixelColor(239, 59), QColor(10, 20, 200));
        EXPECT_EQ(shown.pixelColor(120, 70), QColor(Qt::white));
        CheckDialogFitsScreens(d, "about");
        PressOK(d);
    });
    EXPECT_EQ(about.DoModal(), IDOK);
}

TEST_F(AboutDlgTest, ATapOnTheLinkOpensItWithTheDesktopHandlerAndMarksItVisited) {
    const HandlerStub handler(Root());
    AppAboutDlg about(Picture(), u"https://example.org/a b", u"", u"Demo");
    Script().ExpectDialog(AppAboutDlg::IDD, [](CDialog& d) {
        auto& box = static_cast<AppAboutDlg&>(d);
        Tap(box.GetWidget(), {120, 140});
        EXPECT_FALSE(box.IsVisited()) << "a tap beside the link";
        EXPECT_EQ(box.GetLinkColor(), AppAboutDlg::kLinkColor);
        Tap(box.GetWidget(), LinkCentre());
        EXPECT_TRUE(box.IsVisited());
        EXPECT_EQ(box.GetLinkColor(), AppAboutDlg::kVisitedColor);
        PressOK(d);
    });
    about.DoModal();
    EXPECT_EQ(handler.Opened(), "https://example.org/a b");
}
