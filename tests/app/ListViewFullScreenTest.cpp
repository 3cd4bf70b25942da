// Full screen as the list views use it: the rectangle for a mode and state, the
// floating icon's place, switching there and back (bars, page buttons, icon, the
// command's check mark), and a full-screen view that goes away giving the screen back.
#include "ListViewFixture.h"

#include "CCmdUI.h"
#include "CSTFullScreen.h"
#include "CSTFullScreenIcon.h"

#include <QAction>

namespace {

class ListViewFullScreenTest : public ViewTest {};

TEST_F(ListViewFullScreenTest, RectangleOfModeAndStateAndIconPlaces) {
    const CSize screen(240, 320);
    EXPECT_EQ(CSTFullScreen::GetFullScreenWindowRect(STFS_DEFAULTMODE, TRUE, screen), CRect(0, 0, 240, 320));
    EXPECT_EQ(CSTFullScreen::GetFullScreenWindowRect(STFS_DEFAULTMODE, FALSE, screen), CRect(0, 26, 240, 294));
    // Only the command bar hidden: the task bar keeps its place at the top.
    EXPECT_EQ(CSTFullScreen::GetFullScreenWindowRect(STFS_HIDECOMMANDBAR, TRUE, screen), CRect(0, 26, 240, 320));
    EXPECT_EQ(CSTFullScreen::GetFullScreenWindowRect(STFS_HIDETASKBAR, TRUE, screen), CRect(0, 0, 240, 294));

    EXPECT_EQ(CSTFullScreenIcon::GetIconRectangle(1, screen), CRect(0, 0, 16, 16));
    EXPECT_EQ(CSTFullScreenIcon::GetIconRectangle(2, screen), CRect(224, 0, 240, 16));
    EXPECT_EQ(CSTFullScreenIcon::GetIconRectangle(3, screen), CRect(0, 304, 16, 320));
    EXPECT_EQ(CSTFullScreenIcon::GetIconRectangle(4, screen), CRect(224, 304, 240, 320));
    EXPECT_EQ(CSTFullScreenIcon::GetIconRectangle(-1, screen), CRect(16, 304, 32, 320));
    // On a larger window the icon keeps to the bottom edge.
    EXPECT_EQ(CSTFullScreenIcon::GetIconRectangle(-1, CSize(800, 600)), CRect(16, 584, 32, 600));
}

TEST_F(ListViewFullScreenTest, SwitchingThereAndBackWithTheIconAndTheCommands) {
    CListoraView& view = MakeView<CListoraView>();
    QWidget* window = m_viewFrame->GetWidget();
    QAction action;
    action.setCheckable(true);
    CCmdUI ui(CListoraBaseView::ID_FULL_SCREEN, &action);
    ui.DoUpdate(&view, true);
    EXPECT_FALSE(action.isChecked());
    EXPECT_FALSE(window->isFullScreen());

    // The icon floats over the frame; without an image it draws a cross, and its
    // switch reaches the active view.
    CSTFullScreenIcon* icon = view.GetFullScreenIconWindow();
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->GetDlgCtrlID(), 45);
    EXPECT_EQ(icon->GetParent(), m_viewFrame.get());
    EXPECT_FALSE(view.GetFullScreenIcon().isNull());
    icon->SetIcon(QIcon());
    icon->ShowWindow(SW_SHOW);
    const QImage image = RenderWidget(icon->GetWidget());
    ASSERT_EQ(image.size(), QSize(16, 16));
    EXPECT_LT(qGray(image.pixel(8, 8)), 100);
    Tap(icon->GetWidget(), QPoint(8, 8));
    ProcessEvents();
    EXPECT_TRUE(view.GetFullScreenState());
    EXPECT_TRUE(window->isFullScreen());
    ui.DoUpdate(&view, true);
    EXPECT_TRUE(action.isChecked());
    EXPECT_FALSE(m_viewFrame->IsCommandBarVisible());
    EXPECT_TRUE(view.GetPrevButton()->IsWindowVisible());
    EXPECT_TRUE(view.GetNextButton()->IsWindowVisible());
    // The icon sits at its place in the frame: right of the previous-page button.
    EXPECT_TRUE(icon->IsWindowVisible());
    EXPECT_EQ(icon->GetWidget()->geometry().left(), 16);
    EXPECT_EQ(icon->GetWidget()->geometry().bottom() + 1, window->height());

    view.SendMessage(WM_COMMAND, CListoraBaseView::ID_FULL_SCREEN);
    ProcessEvents();
    EXPECT_FALSE(view.GetFullScreenState());
    EXPECT_FALSE(window->isFullScreen());
    EXPECT_TRUE(m_viewFrame->IsCommandBarVisible());
    EXPECT_FALSE(view.GetPrevButton()->IsWindowVisible());
    EXPECT_FALSE(icon->IsWindowVisible());
    view.SendMessage(WM_COMMAND, ID_STFULLSCREEN_SWITCH);
    ProcessEvents();
    EXPECT_TRUE(window->isFullScreen());
}

TEST_F(ListViewFullScreenTest, AViewGoingAwayGivesTheScreenBack) {
    CListoraView& view = MakeView<CListoraView>();
    view.SwitchFullScreenState();
    ProcessEvents();
    ASSERT_FALSE(m_viewFrame->IsCommandBarVisible());
    view.DestroyWindow();
    EXPECT_FALSE(view.GetFullScreenState());
    EXPECT_TRUE(m_viewFrame->IsCommandBarVisible());
    EXPECT_FALSE(m_viewFrame->GetWidget()->isFullScreen());
}

TEST_F(ListViewFullScreenTest, ActivationReappliesTheStateOfTheShownViewOnly) {
    CListoraView& view = MakeView<CListoraView>();
    view.SwitchFullScreenState();
    ProcessEvents();
    // A refresh posted by a view the frame does not show changes nothing.
    auto* other = new CListoraChoiceView;
    CCreateContext context;
    context.m_pCurrentDoc = &Doc();
    ASSERT_TRUE(other->Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 240, 300), m_viewFrame.get(),
                              AFX_IDW_PANE_FIRST + 1, &context));
    ProcessEvents();
    EXPECT_FALSE(m_viewFrame->IsCommandBarVisible());
    // Activation of the view re-applies its own state.
    view.SetFullScreenState(FALSE);
    view.OnActivateView(TRUE, &view, nullptr);
    ProcessEvents();
    EXPECT_TRUE(m_viewFrame->IsCommandBarVisible());
}

}  // namespace
