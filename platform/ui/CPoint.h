// A point in pixels, convertible to and from Qt's.
#pragma once
#include "UiTypes.h"

#include <QPoint>

class CPoint : public POINT {
public:
    CPoint() : POINT{0, 0} {}
    CPoint(int px, int py) : POINT{px, py} {}
    CPoint(const POINT& p) : POINT(p) {}
    explicit CPoint(const QPoint& p) : POINT{p.x(), p.y()} {}

    QPoint ToQPoint() const { return QPoint(x, y); }
    void Offset(int dx, int dy) { x += dx; y += dy; }

    friend bool operator==(const CPoint& a, const CPoint& b) { return a.x == b.x && a.y == b.y; }
    friend CPoint operator+(const CPoint& a, const CPoint& b) { return CPoint(a.x + b.x, a.y + b.y); }
    friend CPoint operator-(const CPoint& a, const CPoint& b) { return CPoint(a.x - b.x, a.y - b.y); }
};
