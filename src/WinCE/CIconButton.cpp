#include "CIconButton.h"

#include "Resources.h"

#include <QPainter>

namespace {
constexpr int kIconSize = 16;
}

CIconButton::CIconButton(UINT iconId, UINT commandId) : m_icon(Resources::LoadIcon(iconId)), m_commandId(commandId) {}

CIconButton::~CIconButton() = default;

void CIconButton::OnPaint() {
    QWidget* widget = GetWidget();
    if (!widget)
        return;
    QPainter painter(widget);
    if (!m_icon.isNull()) {
        m_icon.paint(&painter, QRect(0, 0, kIconSize, kIconSize), Qt::AlignCenter,
                     widget->isEnabled() ? QIcon::Normal : QIcon::Disabled);
        return;
    }
    painter.setPen(Qt::black);
    painter.drawLine(2, 2, 15, 15);
    painter.drawLine(2, 14, 15, 1);
}

void CIconButton::OnLButtonUp(UINT, CPoint point) {
    // Only a release over the button counts, as with any button.
    QWidget* widget = GetWidget();
    if (!widget || !widget->rect().contains(point.ToQPoint()))
        return;
    if (CWnd* parent = GetParent())
        parent->SendMessage(WM_COMMAND, m_commandId);
}
