#include "CSTFullScreenDialog.h"

#include <QWidget>

CSTFullScreenDialog::CSTFullScreenDialog(UINT templateId, CWnd* parent) : CSTFullScreenDialogLite(templateId, parent) {}

CSTFullScreenDialog::~CSTFullScreenDialog() = default;

BOOL CSTFullScreenDialog::OnInitDialog() {
    const BOOL result = CSTFullScreenDialogLite::OnInitDialog();
    if (m_icon.isNull() && GetWidget())
        m_icon = GetWidget()->windowIcon();
    m_pIcon = std::make_unique<CSTFullScreenIcon>();
    if (!m_pIcon->Create(this, CSTFullScreenIcon::kDefaultId)) {
        m_pIcon.reset();
        return result;
    }
    m_pIcon->SetIcon(m_icon);
    if (m_bAddIconToToolbar)
        if (CCommandBar* bar = GetCommandBar())
            m_pIcon->InsertIconInDialogToolbar(bar);
    PlaceIcon();
    return result;
}

BOOL CSTFullScreenDialog::DestroyWindow() {
    // The screen goes back first, while the icon can still follow.
    if (m_bFullScreenState && GetWidget())
        LeaveFullScreen();
    if (m_pIcon) {
        m_pIcon->DestroyWindow();
        m_pIcon.reset();
    }
    return CSTFullScreenDialogLite::DestroyWindow();
}

void CSTFullScreenDialog::SetFullScreenIcon(const QIcon& icon) {
    m_icon = icon;
    if (m_pIcon)
        m_pIcon->SetIcon(icon);
}

BOOL CSTFullScreenDialog::RefreshFullScreen() {
    const BOOL result = CSTFullScreenDialogLite::RefreshFullScreen();
    PlaceIcon();
    return result;
}

void CSTFullScreenDialog::PlaceIcon() {
    if (m_pIcon)
        m_pIcon->Place(m_nIconPosition, m_dwFullScreenMode, m_bFullScreenState, m_bIconVisible);
}
