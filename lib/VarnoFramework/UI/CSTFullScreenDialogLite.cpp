#include "CSTFullScreenDialogLite.h"

#include "CCommandBar.h"

#include <QToolBar>

CSTFullScreenDialogLite::CSTFullScreenDialogLite(UINT templateId, CWnd* parent) : CDialog(templateId, parent) {
    MapCommand(ID_STFULLSCREEN_SWITCH, &CSTFullScreenDialogLite::OnFullScreenSwitch);
}

CSTFullScreenDialogLite::~CSTFullScreenDialogLite() {
    if (m_bFullScreenState && GetWidget())
        LeaveFullScreen();
}

BOOL CSTFullScreenDialogLite::OnInitDialog() {
    const BOOL result = CDialog::OnInitDialog();
    PostMessage(WM_STFULLSCREEN_REFRESH);
    return result;
}

BOOL CSTFullScreenDialogLite::DestroyWindow() {
    if (m_bFullScreenState && GetWidget())
        LeaveFullScreen();
    return CDialog::DestroyWindow();
}

void CSTFullScreenDialogLite::LeaveFullScreen() {
    m_bFullScreenState = FALSE;
    RefreshFullScreen();
}

CCommandBar* CSTFullScreenDialogLite::GetCommandBar() const {
    QWidget* dialog = GetWidget();
    if (!dialog)
        return nullptr;
    for (QToolBar* bar : dialog->findChildren<QToolBar*>())
        if (auto* commandBar = dynamic_cast<CCommandBar*>(CWnd::FromWidget(bar)))
            return commandBar;
    return nullptr;
}

void CSTFullScreenDialogLite::SwitchFullScreenState() {
    m_bFullScreenState = !m_bFullScreenState;
    RefreshFullScreen();
}

BOOL CSTFullScreenDialogLite::RefreshFullScreen() {
    if (!GetWidget())
        return FALSE;
    return CSTFullScreen::RefreshFullScreen(this, GetCommandBar(), m_dwFullScreenMode, m_bFullScreenState);
}

LRESULT CSTFullScreenDialogLite::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_STFULLSCREEN_REFRESH)
        return OnFullScreenRefresh(wParam, lParam);
    return CDialog::WindowProc(message, wParam, lParam);
}

void CSTFullScreenDialogLite::OnFullScreenSwitch() {
    SwitchFullScreenState();
}

LRESULT CSTFullScreenDialogLite::OnFullScreenRefresh(WPARAM, LPARAM) {
    RefreshFullScreen();
    return 0;
}
