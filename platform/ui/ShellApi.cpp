#include "ShellApi.h"

#include "CWnd.h"

BOOL SHFullScreen(HWND hwnd, DWORD state) {
    CWnd* wnd = CWnd::FromHandle(hwnd);
    if (!wnd || !wnd->GetWidget())
        return FALSE;
    QWidget* window = wnd->GetWidget()->window();
    if (state & SHFS_HIDETASKBAR)
        window->setWindowState(window->windowState() | Qt::WindowFullScreen);
    else if (state & SHFS_SHOWTASKBAR)
        window->setWindowState(window->windowState() & ~Qt::WindowFullScreen);
    return TRUE;
}

BOOL SHInitDialog(PSHINITDLGINFO info) {
    if (!info || !CWnd::FromHandle(info->hDlg))
        return FALSE;
    return TRUE;
}
