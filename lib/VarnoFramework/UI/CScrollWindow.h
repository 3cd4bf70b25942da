// CScrollWindow: the scrolling shared by CScrollDialog and CScrollPropertyPage. The
// window keeps the size its controls need as its full size when it is initialised;
// when the client gets smaller, scroll bars appear and scroll the controls (lines of
// 20 pixels, pages of the client size, the thumb, home and end), and when it grows
// back to the full size the controls return home and the bar goes.
#pragma once
#include "CControlAnchors.h"
#include "CScrollArea.h"

#include <QEvent>
#include <utility>

template <class TBase>
class CScrollWindow : public TBase, private CScrollArea::Host {
public:
    template <class... Args>
    explicit CScrollWindow(Args&&... args) : TBase(std::forward<Args>(args)...), m_scrollArea(*this) {}

    // Horizontal scrolling stays off when set (the controls keep their places and
    // the window may cut them at the right).
    BOOL m_bNoHorizontalScrolling = FALSE;

    // Takes the full size, then the platform's initialisation.
    BOOL OnInitDialog() override {
        m_scrollArea.Attach(this->GetWidget());
        m_scrollArea.Init();
        return TBase::OnInitDialog();
    }
    // The client's size changed (cx, cy: the client area without the bars).
    void OnSize(UINT type, int cx, int cy) override {
        m_scrollArea.HandleSize(type, cx, cy, m_bNoHorizontalScrolling != FALSE);
        if (type == SIZE_RESTORED)
            m_anchors.Apply(m_scrollArea);
    }
    virtual void OnVScroll(UINT code, UINT thumbPos) { m_scrollArea.HandleScroll(SB_VERT, code, thumbPos); }
    virtual void OnHScroll(UINT code, UINT thumbPos) { m_scrollArea.HandleScroll(SB_HORZ, code, thumbPos); }
    void ScrollWindowEx(int dx, int dy, UINT flags) { m_scrollArea.ScrollWindowEx(dx, dy, flags); }
    void SetScrollInfo(int bar, int minimum, int maximum, int page) {
        m_scrollArea.SetScrollInfo(bar, minimum, maximum, page);
    }

    const CScrollArea& GetScrollArea() const { return m_scrollArea; }
    bool IsInitialized() const { return m_scrollArea.IsInitialized(); }
    int GetFullWidth() const { return m_scrollArea.GetFullWidth(); }
    int GetFullHeight() const { return m_scrollArea.GetFullHeight(); }

protected:
    // Controls that follow the client's right and bottom edges; added once the window
    // is initialised (for windows without horizontal scrolling).
    CControlAnchors m_anchors;

    // The window's own size is not the client's: the area reports the client's.
    bool OnWidgetEvent(QEvent* event) override {
        return event->type() == QEvent::Resize ? false : TBase::OnWidgetEvent(event);
    }

private:
    void OnAreaSize(UINT type, int cx, int cy) override { OnSize(type, cx, cy); }
    void OnAreaScroll(int bar, UINT code, UINT thumbPos) override {
        if (bar == SB_VERT)
            OnVScroll(code, thumbPos);
        else
            OnHScroll(code, thumbPos);
    }

    CScrollArea m_scrollArea;
};
