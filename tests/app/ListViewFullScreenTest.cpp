#include "ListViewFixture.h"

#include "CCmdUI.h"
#include "CSTFullScreen.h"
#include "CSTFullScreenIcon.h"

#include <QAction>

namespace {

class ListViewFullScreenTest : public ViewTest {};

TEST_F(ListViewFullScreenTest, SwitchingThereAndBackWithTheIconAndTheCommandsAndGoingAway) {
    CListoraView& view = MakeView<CListoraView>();
    QWidget* window = m_viewFrame->GetWidget();
    QAction action;
    action.setCheckable(true);
    CCmdUI ui(CListoraBaseView::ID_FULL_SCREEN, &action);
    ui.DoUpdate(&view, true);
    EXPECT_FALSE(action.isChecked());
    EXPECT_FALSE(window->isFullScreen());

    // The icon floats over the frame, and its switch reaches the active view.
    CSTFullScreenIcon* icon = view.GetFullScreenIconWindow();
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->GetParent(), m_viewFrame.get());
    EXPECT_FALSE(view.GetFullScreenIcon().isNull());
    icon->ShowWindow(SW_SHOW);
    Tap(icon->GetWidget(), QPoint(8, 8));
    ProcessEvents();
    EXPECT_TRUE(view.GetFullScreenState());
    EXPECT_TRUE(window->isFullScreen());
    ui.DoUpdate(&view, true);
    EXPECT_TRUE(action.isChecked());
    EXPECT_FALSE(m_viewFrame->IsCommandBarVisible());
    EXPECT_TRUE(view.GetPrevButton()->IsWindowVisible());
    EXPECT_TRUE(icon->IsWindowVisible());

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

    // A view that goes away in full screen gives the screen back.
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
