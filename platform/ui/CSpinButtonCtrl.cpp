#include "CSpinButtonCtrl.h"

#include "DialogTemplate.h"

#include <QKeyEvent>
#include <algorithm>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

CSpinButtonCtrl::CSpinButtonCtrl(QWidget* parent)
    : QWidget(parent), m_up(new QToolButton(this)), m_down(new QToolButton(this)) {
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    m_up->setAutoRepeat(true);
    m_down->setAutoRepeat(true);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_up);
    layout->addWidget(m_down);
    setFocusPolicy(Qt::TabFocus);
    connect(m_up, &QToolButton::clicked, this, [this] { Step(+1); });
    connect(m_down, &QToolButton::clicked, this, [this] { Step(-1); });
}

BOOL CSpinButtonCtrl::Create(DWORD style, const RECT& rect, QWidget* parent, UINT id) {
    if (!parent)
        return FALSE;
    setParent(parent);
    setObjectName(QString::number(id));
    setGeometry(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    m_style = style;
    setVisible((style & WS_VISIBLE) != 0);
    return TRUE;
}

void CSpinButtonCtrl::SetRange(int lower, int upper) {
    m_lower = lower;
    m_upper = upper;
}

void CSpinButtonCtrl::GetRange(int& lower, int& upper) const {
    lower = m_lower;
    upper = m_upper;
}

int CSpinButtonCtrl::SetPos(int pos) {
    const int previous = m_pos;
    const int lo = std::min(m_lower, m_upper);
    const int hi = std::max(m_lower, m_upper);
    m_pos = std::clamp(pos, lo, hi);
    return previous;
}

QWidget* CSpinButtonCtrl::SetBuddy(QWidget* buddy) {
    QWidget* previous = m_buddy.data();
    m_buddy = buddy;
    return previous;
}

void CSpinButtonCtrl::Step(int delta) {
    // A reversed range (upper below lower) makes the up arrow count down.
    const int signedDelta = m_upper < m_lower ? -delta : delta;
    emit deltaPos(m_pos, signedDelta);
    const int lo = std::min(m_lower, m_upper);
    const int hi = std::max(m_lower, m_upper);
    int next = m_pos + signedDelta;
    if (next > hi)
        next = (m_style & UDS_WRAP) ? lo : hi;
    else if (next < lo)
        next = (m_style & UDS_WRAP) ? hi : lo;
    m_pos = next;
    if ((m_style & UDS_SETBUDDYINT) && m_buddy)
        if (auto* edit = qobject_cast<QLineEdit*>(m_buddy.data()))
            edit->setText(QString::number(m_pos));
}

void CSpinButtonCtrl::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Up)
        Step(+1);
    else if (event->key() == Qt::Key_Down)
        Step(-1);
    else
        QWidget::keyPressEvent(event);
}
