// The about box's link: it opens in the desktop's handler and turns visited.
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

// The picture and the fit on both screens are the program's about box's (tests/app).
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
