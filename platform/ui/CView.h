// A view: a child window of the frame that shows its document. It paints with
// QPainter into an off-screen image of the client size and copies the image in one
// step; tests call RenderToImage to get the same pixels. A press held still for
// HoldDelayMs becomes OnTapAndHold (the shell's context-menu gesture) and its
// release is then not a tap.
#pragma once
#include "CCreateContext.h"
#include "CWnd.h"

#include <QImage>
#include <memory>

class QPainter;
class QTimer;
class CDocument;

class CView : public CWnd {
public:
    static constexpr int HoldDelayMs = 500;
    static constexpr int HoldSlopPixels = 5;

    CView();
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }

    // Creates the view's window as a child of parent (a frame or any window). With a
    // context, the view joins its current document. A view created in a frame is
    // owned by that frame from then on.
    virtual BOOL Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                        UINT id, CCreateContext* context);
    BOOL Create(LPCTSTR className, LPCTSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                UINT id) override {
        return Create(className, windowName, style, rect, parent, id, nullptr);
    }
    BOOL DestroyWindow() override;

    // Called by the frame when its document is new or newly opened.
    virtual void OnInitialUpdate();
    // A change of the document; the base repaints.
    virtual void OnUpdate(CView* sender, LPARAM hint, void* hintObject);
    virtual void OnActivateView(BOOL activate, CView* activateView, CView* deactiveView);
    // Draws the client area; dc paints on an image of the client size.
    virtual void OnDraw(QPainter& dc);
    // The tap-and-hold gesture at a point in screen coordinates.
    virtual void OnTapAndHold(CPoint screenPoint);

    // The view as OnDraw paints it, at its current client size.
    QImage RenderToImage();

    // Routes to the view's own handlers, then to its document.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

protected:
    // Called once the window exists; -1 fails the creation.
    virtual int OnCreate();
    void OnPaint() override;
    bool OnWidgetEvent(QEvent* event) override;

    CDocument* m_pDocument = nullptr;

private:
    friend class CDocument;
    friend class CFrameWnd;

    void CancelHold();

    std::unique_ptr<QTimer> m_holdTimer;
    QPoint m_pressPos;
    bool m_holdFired = false;
    CFrameWnd* m_pOwnerFrame = nullptr;
};
