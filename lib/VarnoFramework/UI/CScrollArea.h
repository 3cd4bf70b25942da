// CScrollArea: what makes a dialog or a property page scroll when its window gets
// smaller than its controls need. The controls move onto a canvas inside a viewport
// (the client area), with a vertical and a horizontal scroll bar beside it that show
// while their range is larger than the page. Positions, ranges and pages follow the
// device's scroll bars: a range 0..full - 1 with a page of the client size scrolls
// from 0 to full - client.
#pragma once
#include "CRect.h"
#include "UiTypes.h"

#include <QPointer>
#include <memory>

class QScrollBar;
class QWidget;

// Scroll bars and scroll-bar requests, as the device names them.
#define SB_HORZ 0
#define SB_VERT 1
#define SB_LINEUP 0
#define SB_LINELEFT 0
#define SB_LINEDOWN 1
#define SB_LINERIGHT 1
#define SB_PAGEUP 2
#define SB_PAGELEFT 2
#define SB_PAGEDOWN 3
#define SB_PAGERIGHT 3
#define SB_THUMBPOSITION 4
#define SB_THUMBTRACK 5
#define SB_TOP 6
#define SB_LEFT 6
#define SB_BOTTOM 7
#define SB_RIGHT 7
#define SB_ENDSCROLL 8
#define SW_SCROLLCHILDREN 0x0001u
#define SW_INVALIDATE 0x0002u
#define SW_ERASE 0x0004u

class CScrollArea {
public:
    // The window the area belongs to: it gets the client's size changes and the
    // scroll bars' requests, as the device sends them to a dialog.
    class Host {
    public:
        virtual void OnAreaSize(UINT type, int cx, int cy) = 0;
        virtual void OnAreaScroll(int bar, UINT code, UINT thumbPos) = 0;

    protected:
        ~Host() = default;
    };

    // Lines scroll by this many pixels.
    static constexpr int kLineStep = 20;

    explicit CScrollArea(Host& host);
    ~CScrollArea();
    CScrollArea(const CScrollArea&) = delete;
    CScrollArea& operator=(const CScrollArea&) = delete;

    // Puts the controls of window on the scrolled canvas: a dialog's control area, or
    // the window itself (a property page). Nothing happens when that area already has
    // a layout of its own.
    void Attach(QWidget* window);
    // Records the client size the controls need (their extent) as the full size,
    // clears both scrolling flags and marks the area initialised.
    void Init();

    // The scrolling rules. Size changes count only once initialised and only for a
    // plain resize (SIZE_RESTORED); a direction scrolls only while it is active.
    void HandleSize(UINT type, int cx, int cy, bool noHorizontalScrolling);
    void HandleScroll(int bar, UINT code, UINT thumbPos);

    // Moves the controls by dx, dy and repaints.
    void ScrollWindowEx(int dx, int dy, UINT flags);
    // Range and page of a bar; the position is kept within the new range.
    void SetScrollInfo(int bar, int minimum, int maximum, int page);
    // Returns the previous position.
    int SetScrollPos(int bar, int pos);
    int GetScrollPos(int bar) const;
    void GetScrollRange(int bar, int& minimum, int& maximum) const;

    // The client area (the viewport), in its own coordinates.
    CRect GetClientRect() const;
    bool IsInitialized() const { return m_initialized; }
    int GetFullWidth() const { return m_fullWidth; }
    int GetFullHeight() const { return m_fullHeight; }
    bool IsVScrollActive() const { return m_vScrollActive; }
    bool IsHScrollActive() const { return m_hScrollActive; }
    QWidget* GetViewport() const;
    QWidget* GetCanvas() const;
    QScrollBar* GetScrollBar(int bar) const;

private:
    class Filter;
    struct BarState {
        int minimum = 0;
        int maximum = 0;
        int page = 0;
        int pos = 0;
    };

    BarState& State(int bar) { return bar == SB_VERT ? m_vBar : m_hBar; }
    const BarState& State(int bar) const { return bar == SB_VERT ? m_vBar : m_hBar; }
    void Fit(int bar, int size, int full, bool& active);
    void ScrollBy(int bar, int delta);
    void OnBarAction(int bar, int action);

    Host& m_host;
    std::unique_ptr<Filter> m_filter;
    QPointer<QWidget> m_viewport;
    QPointer<QWidget> m_canvas;
    QPointer<QScrollBar> m_vScrollBar;
    QPointer<QScrollBar> m_hScrollBar;
    BarState m_vBar;
    BarState m_hBar;
    bool m_initialized = false;
    int m_fullWidth = 0;
    int m_fullHeight = 0;
    bool m_vScrollActive = false;
    bool m_hScrollActive = false;
};
