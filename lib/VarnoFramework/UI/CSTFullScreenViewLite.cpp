#include "CSTFullScreenViewLite.h"

#include "CFrameWnd.h"

CSTFullScreenViewLite::CSTFullScreenViewLite() {
    MapCommand(ID_STFULLSCREEN_SWITCH, &CSTFullScreenViewLite::OnFullScreenSwitch);
}

CSTFullScreenViewLite::~CSTFullScreenViewLite() {
    // A view deleted with its frame: give the screen back if this view had taken it.
    if (m_bFullScreenState && GetWidget())
        LeaveFullScreen();
}

int CSTFullScreenViewLite::OnCreate() {
    if (CView::OnCreate() == -1)
        return -1;
    PostMessage(WM_STFULLSCREEN_REFRESH);
    return 0;
}

BOOL CSTFullScreenViewLite::DestroyWindow() {
    if (GetWidget())
        LeaveFullScreen();
    return CView::DestroyWindow();
}

void CSTFullScreenViewLite::LeaveFullScreen() {
    m_bFullScreenState = FALSE;
    CFrameWnd* frame = GetParentFrame();
    if (frame)
        CSTFullScreen::RefreshFullScreen(frame, CSTFullScreen::FindCommandBar(frame), m_dwFullScreenMode, FALSE);
}

void CSTFullScreenViewLite::SwitchFullScreenState() {
    m_bFullScreenState = !m_bFullScreenState;
    RefreshFullScreen();
}

BOOL CSTFullScreenViewLite::RefreshFullScreen() {
    CFrameWnd* frame = GetParentFrame();
    if (!frame)
        return FALSE;
    return CSTFullScreen::RefreshFullScreen(frame, CSTFullScreen::FindCommandBar(frame), m_dwFullScreenMode,
                                            m_bFullScreenState);
}

void CSTFullScreenViewLite::OnActivateView(BOOL activate, CView* activateView, CView* deactiveView) {
    CView::OnActivateView(activate, activateView, deactiveView);
    if (activate && activateView == this)
        PostMessage(WM_STFULLSCREEN_REFRESH);
}

LRESULT CSTFullScreenViewLite::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_STFULLSCREEN_REFRESH)
        return OnFullScreenRefresh(wParam, lParam);
    return CView::WindowProc(message, wParam, lParam);
}

void CSTFullScreenViewLite::OnFullScreenSwitch() {
    SwitchFullScreenState();
}

LRESULT CSTFullScreenViewLite::OnFullScreenRefresh(WPARAM, LPARAM) {
    // Only the view the frame shows decides about the screen; a hidden second view
    // must not undo the shown one's state.
    CFrameWnd* frame = GetParentFrame();
    if (frame && frame->GetActiveView() && frame->GetActiveView() != this)
        return 0;
    RefreshFullScreen();
    return 0;
}
