#include "CSTFullScreen.h"

#include "CCommandBar.h"
#include "CFrameWnd.h"
#include "CWinApp.h"
#include "ShellApi.h"

#include <QScreen>
#include <QWidget>

CSize CSTFullScreen::GetScreenSize() {
    CWnd* main = AfxGetMainWnd();
    QWidget* widget = main ? main->GetWidget() : nullptr;
    if (!widget)
        return CSize(240, 262);
    QScreen* screen = widget->screen();
    if (!screen)
        return CSize(240, 262);
    return CSize(screen->size());
}

CRect CSTFullScreen::GetFullScreenWindowRect(DWORD mode, BOOL state) {
    return GetFullScreenWindowRect(mode, state, GetScreenSize());
}

CRect CSTFullScreen::GetFullScreenWindowRect(DWORD mode, BOOL state, CSize screen) {
    const bool hideTaskBar = state && (mode & STFS_HIDETASKBAR);
    const bool hideCommandBar = state && (mode & STFS_HIDECOMMANDBAR);
    const int top = hideTaskBar ? 0 : kBarHeight;
    int height = screen.cy;
    if (!hideCommandBar)
        height -= kBarHeight;
    if (!hideTaskBar)
        height -= kBarHeight;
    return CRect(0, top, screen.cx, top + height);
}

CCommandBar* CSTFullScreen::FindCommandBar(CWnd* window) {
    if (!window)
        return nullptr;
    auto* frame = dynamic_cast<CFrameWnd*>(window);
    if (!frame)
        frame = window->GetParentFrame();
    if (!frame || frame->GetCommandBars().empty())
        return nullptr;
    return frame->GetCommandBars().front();
}

BOOL CSTFullScreen::RefreshFullScreen(CWnd* window, CCommandBar* commandBar, DWORD mode, BOOL state) {
    if (!window || !window->GetWidget())
        return FALSE;
    const bool hideCommandBar = state && (mode & STFS_HIDECOMMANDBAR);
    if (commandBar && !hideCommandBar)
        commandBar->ShowWindow(SW_SHOW);
    // A handheld's window takes the full-screen rectangle; here the window system
    // places top-level windows, and the shell call below makes the window cover the
    // screen, so the window is only brought to the front.
    if (window->GetWidget()->isVisible())
        window->BringWindowToTop();
    if (commandBar && hideCommandBar)
        commandBar->ShowWindow(SW_HIDE);
    const HWND hwnd = window->GetSafeHwnd();
    SHFullScreen(hwnd, state && (mode & STFS_HIDETASKBAR) ? SHFS_HIDETASKBAR : SHFS_SHOWTASKBAR);
    SHFullScreen(hwnd, state && (mode & STFS_HIDESIPBUTTON) ? SHFS_HIDESIPBUTTON : SHFS_SHOWSIPBUTTON);
    SHFullScreen(hwnd, state && (mode & STFS_HIDESTARTICON) ? SHFS_HIDESTARTICON : SHFS_SHOWSTARTICON);
    return TRUE;
}
