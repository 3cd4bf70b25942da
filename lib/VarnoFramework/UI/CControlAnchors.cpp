#include "CControlAnchors.h"

#include "CScrollArea.h"

#include <QWidget>
#include <algorithm>

void CControlAnchors::Add(QWidget* control, UINT anchors) {
    if (control)
        m_controls.push_back({control, control->geometry(), anchors});
}

void CControlAnchors::Apply(const CScrollArea& area) {
    QWidget* canvas = area.GetCanvas();
    if (!area.IsInitialized() || !canvas || m_controls.empty())
        return;
    // The client as it is now: a scroll bar that shows or hides while a size change is
    // handled resizes the client again, inside the handling of the first change.
    const CRect client = area.GetClientRect();
    const int dx = client.Width() - area.GetFullWidth();
    const int dy = std::max(0, client.Height() - area.GetFullHeight());
    canvas->resize(area.GetFullWidth() + std::max(0, dx), area.GetFullHeight() + dy);
    for (const Anchored& anchored : m_controls) {
        if (!anchored.control)
            continue;
        QRect place = anchored.home;
        if (anchored.anchors & kGrowWidth)
            place.setWidth(std::max(place.width() + dx, place.width() / 2));
        if (anchored.anchors & kGrowHeight)
            place.setHeight(place.height() + dy);
        if (anchored.anchors & kMoveRight)
            place.translate(dx, 0);
        if (anchored.anchors & kMoveDown)
            place.translate(0, dy);
        anchored.control->setGeometry(place);
    }
}
