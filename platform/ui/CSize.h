// A width and height in pixels.
#pragma once
#include "UiTypes.h"

#include <QSize>

class CSize : public SIZE {
public:
    CSize() : SIZE{0, 0} {}
    CSize(int w, int h) : SIZE{w, h} {}
    CSize(const SIZE& s) : SIZE(s) {}
    explicit CSize(const QSize& s) : SIZE{s.width(), s.height()} {}

    QSize ToQSize() const { return QSize(cx, cy); }
    friend bool operator==(const CSize& a, const CSize& b) { return a.cx == b.cx && a.cy == b.cy; }
};
