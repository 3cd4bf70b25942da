// The small floating icon that switches a full-screen window back: a 16 x 16 child
// window that draws its icon (or a cross when it has none) and sends the switch
// command to its parent when the pen is lifted on it.
#pragma once
#include "CRect.h"
#include "CWnd.h"

#include <QIcon>

class CCommandBar;

class CSTFullScreenIcon : public CWnd {
public:
    static constexpr int kSize = 16;
    static constexpr UINT kDefaultId = 45;

    CSTFullScreenIcon();
    ~CSTFullScreenIcon() override;

    // A visible 16 x 16 child named "FullScreenSwitchIcon".
    using CWnd::Create;
    BOOL Create(CWnd* parent, UINT id = kDefaultId, DWORD style = WS_CHILD | WS_VISIBLE);

    void SetIcon(const QIcon& icon);
    const QIcon& GetIcon() const { return m_icon; }

    // Position: 1 top-left, 2 top-right, 3 bottom-left, 4 bottom-right, anything
    // else just right of the bottom-left corner.
    void SetIconPosition(int position, DWORD mode, BOOL state);
    int GetIconPosition() const { return m_position; }
    // The icon's rectangle inside the area it is placed in: the parent's client area
    // when it has a parent, else the full-screen rectangle of (mode, state).
    CRect GetIconRectangle(DWORD mode, BOOL state) const;
    // The rectangle of a position inside an area of the given size.
    static CRect GetIconRectangle(int position, CSize area);

    // Adds, once, a button with the switch command and the icon's image to a
    // dialog's command bar, unless the bar has one already.
    BOOL InsertIconInDialogToolbar(CCommandBar* commandBar);
    BOOL IsAddedToToolbar() const { return m_added; }

    // Moves the window under another parent (the frame, so it floats over the views).
    void Reparent(CWnd* parent);
    // Places the icon for a window of (mode, state) and shows it only when the
    // window is full screen, its mode hides the command bar and the icon is wanted.
    void Place(int position, DWORD mode, BOOL state, BOOL wanted);

protected:
    void OnPaint() override;
    void OnLButtonUp(UINT flags, CPoint point) override;

private:
    QIcon m_icon;
    int m_position = -1;
    CCommandBar* m_commandBar = nullptr;
    BOOL m_added = FALSE;
};
