#include "CStretchScrollDialog.h"

#include <QWidget>

void CStretchScrollDialog::OnSize(UINT type, int cx, int cy) {
    CScrollDialog::OnSize(type, cx, cy);
    if (!IsInitialized() || type != SIZE_RESTORED)
        return;
    const bool shorter = cy < GetFullHeight();
    // At the full height the controls keep their places, unless they were moved
    // aside for the bar: then they get their room back.
    if (cy == GetFullHeight() && !m_besideBar)
        return;
    const int right = shorter ? kStretchedRightBesideBar : kStretchedRight;
    for (int id : m_stretchedControls)
        if (QWidget* control = GetDlgItem(id)) {
            const QRect geometry = control->geometry();
            control->setGeometry(geometry.left(), geometry.top(), right - geometry.left(), geometry.height());
        }
    m_besideBar = shorter;
}
