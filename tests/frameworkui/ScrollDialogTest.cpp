#include "CPropertySheet.h"
#include "CScrollDialog.h"
#include "CScrollPropertyPage.h"
#include "DialogTemplate.h"
#include "UiTest.h"

#include <QScrollBar>

namespace {
constexpr UINT kTallDialog = 732;
constexpr int kFullWidth = 300;
constexpr int kFullHeight = 400;

class ScrollDialogTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        using K = DlgItemKind;
        DialogTemplate::Register(kTallDialog, DialogTemplate{u"Tall", kFullWidth, kFullHeight,
                                                             {{K::Edit, 1001, u"", 4, 4, 80, 22},
                                                              {K::Edit, 1002, u"", 210, 370, 80, 22}}});
    }
    // Resizes the window so that the client area (without bars) gets width x height.
    static void ResizeClient(const CScrollArea& area, int width, int height) {
        QWidget* window = area.GetViewport()->window();
        for (int attempt = 0; attempt < 4 && area.GetViewport()->size() != QSize(width, height); ++attempt) {
            const QSize client = area.GetViewport()->size();
            window->resize(window->width() + width - client.width(), window->height() + height - client.height());
            ProcessEvents();
        }
    }
    static QPoint CanvasAt(const CScrollArea& area) { return area.GetCanvas()->pos(); }

    template <class W>
    static void ShrinkScrollAndGrowBack(W& window) {
        const CScrollArea& area = window.GetScrollArea();
        QScrollBar* bar = area.GetScrollBar(SB_VERT);
        EXPECT_EQ(area.GetFullHeight(), kFullHeight);
        EXPECT_TRUE(bar->isHidden());
        ResizeClient(area, kFullWidth, 150);
        ASSERT_TRUE(area.IsVScrollActive());
        EXPECT_FALSE(bar->isHidden());
        const int client = area.GetClientRect().Height();
        window.OnVScroll(SB_LINEDOWN, 0);
        EXPECT_EQ(CanvasAt(area).y(), -20);
        window.OnVScroll(SB_PAGEDOWN, 0);
        EXPECT_EQ(area.GetScrollPos(SB_VERT), 20 + client);
        window.OnVScroll(SB_BOTTOM, 0);
        window.OnVScroll(SB_LINEDOWN, 0);
        EXPECT_EQ(CanvasAt(area).y(), client - kFullHeight) << "the last line stays at the bottom";
        window.OnVScroll(SB_THUMBTRACK, 50);
        EXPECT_EQ(CanvasAt(area).y(), -50);
        window.OnVScroll(SB_TOP, 0);
        window.OnVScroll(SB_LINEUP, 0);
        EXPECT_EQ(CanvasAt(area).y(), 0);
        // A tap on the bar below the thumb is a page down.
        bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
        EXPECT_EQ(CanvasAt(area).y(), -client);

        ResizeClient(area, kFullWidth, kFullHeight);
        EXPECT_FALSE(area.IsVScrollActive());
        EXPECT_TRUE(bar->isHidden());
        EXPECT_EQ(CanvasAt(area), QPoint(0, 0));
    }
};
}  // namespace

TEST_F(ScrollDialogTest, DialogScrollsWhenShorterAndGoesHomeWhenFull) {
    CScrollDialog dialog(kTallDialog);
    dialog.m_bNoHorizontalScrolling = TRUE;
    ASSERT_TRUE(dialog.Create());
    dialog.GetWidget()->show();
    ProcessEvents();
    EXPECT_EQ(dialog.GetScrollArea().GetClientRect().Size(), CSize(kFullWidth, kFullHeight));
    ShrinkScrollAndGrowBack(dialog);
    // Never sideways: the program's dialogs all switch it off.
    ResizeClient(dialog.GetScrollArea(), 240, kFullHeight);
    EXPECT_FALSE(dialog.GetScrollArea().IsHScrollActive());
    dialog.DestroyWindow();
}

TEST_F(ScrollDialogTest, PropertyPageScrollsTheSameWay) {
    CScrollPropertyPage page(kTallDialog);
    page.m_bNoHorizontalScrolling = TRUE;
    CPropertySheet sheet(u"Sheet");
    sheet.AddPage(&page);
    ASSERT_TRUE(sheet.Create());
    sheet.GetWidget()->show();
    ProcessEvents();
    ASSERT_TRUE(page.IsInitialized());
    ASSERT_NE(page.GetDlgItem(1002), nullptr) << "the controls are still the page's";
    ShrinkScrollAndGrowBack(page);
    sheet.DestroyWindow();
}
