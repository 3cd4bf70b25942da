// CControlAnchors: controls of a scrolling dialog or page that follow the client's
// right and bottom edges. Laid out for the full size, a control may grow with the
// width or the height the client has beyond it, or move with it; in a narrower client
// (a vertical bar beside the controls, or a window narrower than the layout) they give
// the width back, so the bar covers nothing. A shorter client scrolls instead: heights
// only ever grow. Meant for windows that do not scroll sideways.
#pragma once
#include "UiTypes.h"

#include <QPointer>
#include <QRect>
#include <vector>

class CScrollArea;
class QWidget;

class CControlAnchors {
public:
    enum : UINT { kGrowWidth = 1, kGrowHeight = 2, kMoveRight = 4, kMoveDown = 8 };

    // Takes the control's place now as its place at the full size.
    void Add(QWidget* control, UINT anchors);
    // Places the controls for the area's client and sizes the scrolled canvas to hold
    // them.
    void Apply(const CScrollArea& area);

private:
    struct Anchored {
        QPointer<QWidget> control;
        QRect home;
        UINT anchors;
    };
    std::vector<Anchored> m_controls;
};
