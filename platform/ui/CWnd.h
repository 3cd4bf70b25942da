// A window: an MFC-shaped handle around one Qt widget. The CWnd usually owns its
// widget (it deletes it in DestroyWindow); Qt events on the widget reach the virtual
// On... handlers below. Child controls are found by id: their objectName is the
// decimal control id.
#pragma once
#include "CCmdTarget.h"
#include "CPoint.h"
#include "CRect.h"
#include "UiTypes.h"

#include <QPointer>
#include <QWidget>
#include <memory>
#include <vector>

class QEvent;
class CFrameWnd;

class CWnd : public CCmdTarget {
public:
    CWnd();
    ~CWnd() override;

    QWidget* GetWidget() const { return m_widget.data(); }
    HWND GetSafeHwnd() const;
    // The CWnd behind a handle given out by GetSafeHwnd; null for anything else.
    static CWnd* FromHandle(HWND hwnd);
    // The CWnd that owns a widget; null when none does.
    static CWnd* FromWidget(const QWidget* widget);
    // Every window of this process whose widget is a top-level window.
    static std::vector<CWnd*> GetTopLevelWindows();

    // A custom child window: a plain widget inside parent's widget that paints in
    // OnPaint (open a QPainter on GetWidget() there) and takes input in the On...
    // handlers. Shown when style has WS_VISIBLE.
    virtual BOOL Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id);
    // Takes over an existing control of parent (a dialog control found by id):
    // its events reach this object's handlers from now on. The control stays the
    // parent's (it is not deleted with this object).
    BOOL SubclassDlgItem(UINT id, CWnd* parent);
    // Deletes the window (and, through Qt, its child widgets).
    virtual BOOL DestroyWindow();

    int GetDlgCtrlID() const;
    int SetDlgCtrlID(int id);  // returns the previous id
    CWnd* GetParent() const;
    CFrameWnd* GetParentFrame() const;

    // Child control by id (objectName "<id>"), searched through all descendants.
    QWidget* GetDlgItem(int id) const;
    template <class T>
    T* GetDlgItemAs(int id) const {
        return qobject_cast<T*>(GetDlgItem(id));
    }

    // Text and check helpers that work on the usual controls (edit, combo box,
    // button, check box, label, multi-line edit).
    void SetDlgItemText(int id, LPCTSTR text);
    int GetDlgItemText(int id, CString& text) const;
    CString GetDlgItemText(int id) const;
    void SetDlgItemInt(int id, UINT value, BOOL isSigned = TRUE);
    UINT GetDlgItemInt(int id, BOOL* translated = nullptr, BOOL isSigned = TRUE) const;
    void CheckDlgButton(int id, UINT check);
    UINT IsDlgButtonChecked(int id) const;

    BOOL ShowWindow(int nCmdShow);
    BOOL IsWindowVisible() const;
    BOOL EnableWindow(BOOL enable = TRUE);
    BOOL IsWindowEnabled() const;
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    void MoveWindow(LPCRECT rect, BOOL repaint = TRUE);
    void GetClientRect(LPRECT rect) const;
    // In screen coordinates.
    void GetWindowRect(LPRECT rect) const;
    void ClientToScreen(LPPOINT point) const;
    void ClientToScreen(LPRECT rect) const;
    void ScreenToClient(LPPOINT point) const;
    void ScreenToClient(LPRECT rect) const;
    void Invalidate(BOOL erase = TRUE);
    void UpdateWindow();
    void SetWindowText(LPCTSTR text);
    void GetWindowText(CString& text) const;
    int GetWindowTextLength() const;
    CWnd* SetFocus();
    BOOL BringWindowToTop();

    int MessageBox(LPCTSTR text, LPCTSTR caption = nullptr, UINT type = MB_OK);

    // Messages: WM_COMMAND runs a command (low word of wParam); other values reach
    // WindowProc. PostMessage delivers later on the user-interface thread and is
    // dropped when the window is gone by then.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);

protected:
    // Makes widget this window's widget; owned ones are deleted with the window.
    void AttachWidget(QWidget* widget, bool owned);
    // Lets go of the widget (no events reach this object any more) and returns it;
    // whoever owns it deletes it.
    QWidget* DetachWidget();
    // Called for every event of the widget; true stops Qt's own handling.
    virtual bool OnWidgetEvent(QEvent* event);
    // True for windows that paint themselves in OnPaint and take their own mouse
    // buttons.
    void SetCustomPaint(bool on) { m_customPaint = on; }
    // Expires when this object is destroyed; lets code that runs handlers find out
    // whether a handler deleted the window.
    std::weak_ptr<bool> AliveToken() const { return m_alive; }

    virtual void OnPaint() {}
    virtual void OnSize(UINT type, int cx, int cy);
    virtual void OnLButtonDown(UINT flags, CPoint point);
    virtual void OnLButtonUp(UINT flags, CPoint point);
    virtual void OnRButtonDown(UINT flags, CPoint point);
    virtual void OnRButtonUp(UINT flags, CPoint point);
    virtual void OnMouseMove(UINT flags, CPoint point);
    // Keys, as the control's own handling sees them: a key press goes on to the
    // widget only when the handler calls the base version (OnChar for a key that
    // types a character, which includes backspace; OnKeyDown for others), so an
    // override drops a key by not calling it. nChar is a UTF-16 code unit; key is
    // Qt's key code.
    virtual void OnChar(UINT nChar, UINT repeat, UINT flags);
    virtual void OnKeyDown(UINT key, UINT repeat, UINT flags);
    virtual void OnKeyUp(UINT key, UINT repeat, UINT flags);
    // Focus changes; the other widget may be any control (or null).
    virtual void OnSetFocus(QWidget* oldFocus);
    virtual void OnKillFocus(QWidget* newFocus);
    virtual void OnDestroy() {}

private:
    // Whether a mouse button event stops here (true) or goes on to Qt's handling.
    bool TakesMouse(QEvent* event);

    class EventFilter;
    friend class EventFilter;

    QPointer<QWidget> m_widget;
    bool m_ownsWidget = false;
    bool m_customPaint = false;
    bool m_keyPassed = false;
    std::unique_ptr<EventFilter> m_filter;
    std::shared_ptr<bool> m_alive;
};

#define MK_LBUTTON 0x0001u
#define MK_RBUTTON 0x0002u
#define MK_SHIFT 0x0004u
#define MK_CONTROL 0x0008u
