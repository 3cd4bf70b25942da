// The top-level window: a QMainWindow whose central area holds the views and whose
// bottom tool-bar area holds the command bar. It routes commands to the active view
// (and so to its document), then to itself, then to the application, and runs the
// update handlers of menu entries and tool buttons.
#pragma once
#include "CCreateContext.h"
#include "CWnd.h"

#include <memory>
#include <vector>

class QMainWindow;
class CCommandBar;
class CDocument;
class CMenu;
class CView;

class CFrameWnd : public CWnd {
public:
    CFrameWnd();
    ~CFrameWnd() override;

    // Creates the window, runs OnCreate (which creates the views from the context).
    virtual BOOL LoadFrame(UINT resourceId, DWORD style = 0, CWnd* parent = nullptr,
                           CCreateContext* context = nullptr);
    BOOL DestroyWindow() override;

    CView* GetActiveView() const { return m_pActiveView; }
    virtual void SetActiveView(CView* view, BOOL notify = TRUE);
    virtual CDocument* GetActiveDocument();
    // Gives the view whose id is AFX_IDW_PANE_FIRST the whole view area.
    virtual void RecalcLayout(BOOL notify = TRUE);
    // Makes the first pane the active view if none is, runs every view's
    // OnInitialUpdate and shows the window when asked.
    void InitialUpdateFrame(CDocument* doc, BOOL makeVisible);
    void ActivateFrame(int nCmdShow = -1);
    virtual void OnUpdateFrameTitle(BOOL addToTitle);

    // The command bar's menu bar (the first command bar that has one).
    CMenu* GetMenu() const;
    const std::vector<CCommandBar*>& GetCommandBars() const { return m_commandBars; }
    // Runs the update handlers of every tool button (what idle time does).
    void OnUpdateCmdUI();
    // Runs the update handlers of a menu's entries (what opening it does).
    void UpdateMenuCmdUI(CMenu* menu);

    // Runs a command as a menu entry or tool button would (and refreshes the
    // tool buttons afterwards).
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    QMainWindow* GetMainWindow() const;
    // The parent of the views.
    QWidget* GetViewArea() const;

protected:
    // After the window exists; the base creates the client (the views). -1 fails.
    virtual int OnCreate(CCreateContext* context);
    virtual BOOL OnCreateClient(CCreateContext* context);
    // The user closes the window: the document may refuse (SaveModified); otherwise
    // the window hides and, for the main window, the application ends.
    virtual void OnClose();
    bool OnWidgetEvent(QEvent* event) override;

private:
    friend class CView;
    friend class CCommandBar;
    void AdoptView(CView* view);
    void ForgetView(CView* view);
    void AddCommandBar(CCommandBar* bar);
    void RemoveCommandBar(CCommandBar* bar);
    void DestroyViews();

    class ViewArea;
    CView* m_pActiveView = nullptr;
    std::vector<CView*> m_ownedViews;
    std::vector<CCommandBar*> m_commandBars;
    QWidget* m_viewArea = nullptr;
};
