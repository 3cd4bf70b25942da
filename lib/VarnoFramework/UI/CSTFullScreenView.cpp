#include "CSTFullScreenView.h"

#include "CFrameWnd.h"

#include <QWidget>

CSTFullScreenView::CSTFullScreenView() = default;

CSTFullScreenView::~CSTFullScreenView() = default;

int CSTFullScreenView::OnCreate() {
    if (CSTFullScreenViewLite::OnCreate() == -1)
        return -1;
    if (m_icon.isNull() && GetWidget())
        m_icon = GetWidget()->windowIcon();
    m_pIcon = std::make_unique<CSTFullScreenIcon>();
    if (!m_pIcon->Create(this, CSTFullScreenIcon::kDefaultId)) {
        m_pIcon.reset();
        return 0;
    }
    m_pIcon->SetIcon(m_icon);
    PlaceIcon();
    return 0;
}

BOOL CSTFullScreenView::DestroyWindow() {
    if (m_pIcon) {
        m_pIcon->DestroyWindow();
        m_pIcon.reset();
    }
    return CSTFullScreenViewLite::DestroyWindow();
}

void CSTFullScreenView::SetFullScreenIcon(const QIcon& icon) {
    m_icon = icon;
    if (m_pIcon)
        m_pIcon->SetIcon(icon);
}

QIcon CSTFullScreenView::GetFullScreenIcon() const {
    return m_icon;
}

BOOL CSTFullScreenView::RefreshFullScreen() {
    const BOOL result = CSTFullScreenViewLite::RefreshFullScreen();
    PlaceIcon();
    return result;
}

void CSTFullScreenView::PlaceIcon() {
    if (!m_pIcon || !m_pIcon->GetWidget())
        return;
    if (CFrameWnd* frame = GetParentFrame())
        m_pIcon->Reparent(frame);
    m_pIcon->Place(m_nIconPosition, m_dwFullScreenMode, m_bFullScreenState, m_bIconVisible);
}
