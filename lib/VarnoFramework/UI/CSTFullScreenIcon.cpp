#include "CSTFullScreenIcon.h"

#include "CCommandBar.h"
#include "CSTFullScreen.h"

#include <QAction>
#include <QPainter>
#include <QToolBar>
#include <QVariant>

CSTFullScreenIcon::CSTFullScreenIcon() = default;

CSTFullScreenIcon::~CSTFullScreenIcon() = default;

BOOL CSTFullScreenIcon::Create(CWnd* parent, UINT id, DWORD style) {
    return CWnd::Create(nullptr, u"FullScreenSwitchIcon", style, CRect(0, 0, kSize, kSize), parent, id);
}

void CSTFullScreenIcon::SetIcon(const QIcon& icon) {
    m_icon = icon;
    Invalidate();
}

CRect CSTFullScreenIcon::GetIconRectangle(int position, CSize area) {
    const int w = area.cx;
    const int h = area.cy;
    switch (position) {
    case 1: return CRect(0, 0, kSize, kSize);
    case 2: return CRect(w - kSize, 0, w, kSize);
    case 3: return CRect(0, h - kSize, kSize, h);
    case 4: return CRect(w - kSize, h - kSize, w, h);
    // Beside the bottom-left corner, clear of the previous-page button.
    default: return CRect(kSize, h - kSize, 2 * kSize, h);
    }
}

CRect CSTFullScreenIcon::GetIconRectangle(DWORD mode, BOOL state) const {
    // The floating icon lives in its parent (the frame); on a handheld the frame
    // covers the full-screen rectangle, on a desktop it has the size the user gave it.
    QWidget* widget = GetWidget();
    QWidget* parent = widget ? widget->parentWidget() : nullptr;
    const CSize area = parent ? CSize(parent->size()) : CSTFullScreen::GetFullScreenWindowRect(mode, state).Size();
    return GetIconRectangle(m_position, area);
}

void CSTFullScreenIcon::SetIconPosition(int position, DWORD mode, BOOL state) {
    m_position = position;
    const CRect rect = GetIconRectangle(mode, state);
    MoveWindow(&rect, TRUE);
}

void CSTFullScreenIcon::Reparent(CWnd* parent) {
    QWidget* widget = GetWidget();
    QWidget* target = parent ? parent->GetWidget() : nullptr;
    if (!widget || !target || widget->parentWidget() == target)
        return;
    const bool visible = widget->isVisibleTo(widget->parentWidget());
    widget->setParent(target);
    widget->setVisible(visible);
}

void CSTFullScreenIcon::Place(int position, DWORD mode, BOOL state, BOOL wanted) {
    if (!GetWidget())
        return;
    SetIconPosition(position, mode, state);
    const bool show = state && (mode & STFS_HIDECOMMANDBAR) && wanted;
    ShowWindow(show ? SW_SHOW : SW_HIDE);
    if (show)
        GetWidget()->raise();
}

BOOL CSTFullScreenIcon::InsertIconInDialogToolbar(CCommandBar* commandBar) {
    if (m_added)
        return TRUE;
    QToolBar* bar = commandBar ? commandBar->GetToolBar() : nullptr;
    if (!bar)
        return FALSE;
    m_commandBar = commandBar;
    bool present = commandBar->CommandToIndex(ID_STFULLSCREEN_SWITCH) >= 0;
    for (QAction* action : bar->actions())
        if (action->data().toUInt() == ID_STFULLSCREEN_SWITCH)
            present = true;
    if (!present) {
        auto* action = new QAction(m_icon, QString(), bar);
        action->setData(ID_STFULLSCREEN_SWITCH);
        bar->addAction(action);
        QObject::connect(action, &QAction::triggered, bar, [commandBar] {
            if (CWnd* owner = commandBar->GetParent())
                owner->SendMessage(WM_COMMAND, ID_STFULLSCREEN_SWITCH);
        });
    }
    m_added = TRUE;
    return TRUE;
}

void CSTFullScreenIcon::OnPaint() {
    QWidget* widget = GetWidget();
    if (!widget)
        return;
    QPainter painter(widget);
    if (!m_icon.isNull()) {
        m_icon.paint(&painter, QRect(0, 0, kSize, kSize));
        return;
    }
    painter.setPen(Qt::black);
    painter.drawLine(2, 2, 15, 15);
    painter.drawLine(2, 14, 15, 1);
}

void CSTFullScreenIcon::OnLButtonUp(UINT, CPoint) {
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_COMMAND, ID_STFULLSCREEN_SWITCH);
}
