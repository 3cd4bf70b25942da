#include "CFrameWnd.h"

#include "CCmdUI.h"
#include "CCommandBar.h"
#include "CDocument.h"
#include "CMenu.h"
#include "CView.h"
#include "CWinApp.h"
#include "QtText.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QMainWindow>
#include <QMenu>
#include <algorithm>

class CFrameWnd::ViewArea : public QWidget {
public:
    explicit ViewArea(CFrameWnd* frame) : m_frame(frame) {}

protected:
    void resizeEvent(QResizeEvent* event) override {
        QWidget::resizeEvent(event);
        m_frame->RecalcLayout(FALSE);
    }

private:
    CFrameWnd* m_frame;
};

CFrameWnd::CFrameWnd() = default;

CFrameWnd::~CFrameWnd() {
    DestroyViews();
    for (CCommandBar* bar : m_commandBars)
        bar->m_pFrame = nullptr;
    if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd == this)
        app->m_pMainWnd = nullptr;
}

BOOL CFrameWnd::LoadFrame(UINT, DWORD, CWnd* parent, CCreateContext* context) {
    if (GetWidget())
        return FALSE;
    auto* window = new QMainWindow(parent ? parent->GetWidget() : nullptr);
    // A phone-sized window by default; it stays usable when made larger.
    window->resize(240, 320);
    auto* area = new ViewArea(this);
    m_viewArea = area;
    window->setCentralWidget(area);
    AttachWidget(window, true);
    if (CWinApp* app = AfxGetApp())
        window->setWindowTitle(ToQString(app->m_pszAppName));
    if (OnCreate(context) == -1) {
        DestroyWindow();
        return FALSE;
    }
    return TRUE;
}

BOOL CFrameWnd::DestroyWindow() {
    if (!GetWidget())
        return FALSE;
    DestroyViews();
    m_viewArea = nullptr;
    return CWnd::DestroyWindow();
}

void CFrameWnd::DestroyViews() {
    m_pActiveView = nullptr;
    const std::vector<CView*> views = std::move(m_ownedViews);
    m_ownedViews.clear();
    for (CView* view : views) {
        view->m_pOwnerFrame = nullptr;
        delete view;
    }
}

int CFrameWnd::OnCreate(CCreateContext* context) {
    return OnCreateClient(context) ? 0 : -1;
}

BOOL CFrameWnd::OnCreateClient(CCreateContext* context) {
    if (!context || !context->m_pNewViewClass)
        return TRUE;
    CView* view = context->m_pNewViewClass();
    if (!view)
        return FALSE;
    if (!view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, AFX_IDW_PANE_FIRST,
                      context)) {
        // A view that never joined the frame is still ours to delete.
        if (view->m_pOwnerFrame != this)
            delete view;
        return FALSE;
    }
    RecalcLayout(FALSE);
    return TRUE;
}

QMainWindow* CFrameWnd::GetMainWindow() const {
    return qobject_cast<QMainWindow*>(GetWidget());
}

QWidget* CFrameWnd::GetViewArea() const {
    return m_viewArea;
}

void CFrameWnd::AdoptView(CView* view) {
    if (std::find(m_ownedViews.begin(), m_ownedViews.end(), view) == m_ownedViews.end())
        m_ownedViews.push_back(view);
}

void CFrameWnd::ForgetView(CView* view) {
    m_ownedViews.erase(std::remove(m_ownedViews.begin(), m_ownedViews.end(), view), m_ownedViews.end());
    if (m_pActiveView == view)
        m_pActiveView = nullptr;
}

void CFrameWnd::AddCommandBar(CCommandBar* bar) {
    if (std::find(m_commandBars.begin(), m_commandBars.end(), bar) == m_commandBars.end())
        m_commandBars.push_back(bar);
}

void CFrameWnd::RemoveCommandBar(CCommandBar* bar) {
    m_commandBars.erase(std::remove(m_commandBars.begin(), m_commandBars.end(), bar), m_commandBars.end());
}

void CFrameWnd::SetActiveView(CView* view, BOOL notify) {
    CView* previous = m_pActiveView;
    if (view == previous)
        return;
    m_pActiveView = view;
    if (!notify)
        return;
    if (previous)
        previous->OnActivateView(FALSE, view, previous);
    if (view)
        view->OnActivateView(TRUE, view, previous);
}

CDocument* CFrameWnd::GetActiveDocument() {
    return m_pActiveView ? m_pActiveView->GetDocument() : nullptr;
}

void CFrameWnd::RecalcLayout(BOOL) {
    if (!m_viewArea)
        return;
    const QRect area = m_viewArea->rect();
    for (CView* view : m_ownedViews)
        if (view->GetDlgCtrlID() == static_cast<int>(AFX_IDW_PANE_FIRST) && view->GetWidget())
            view->GetWidget()->setGeometry(area);
}

void CFrameWnd::InitialUpdateFrame(CDocument* doc, BOOL makeVisible) {
    if (!m_pActiveView) {
        for (CView* view : m_ownedViews)
            if (view->GetDlgCtrlID() == static_cast<int>(AFX_IDW_PANE_FIRST)) {
                SetActiveView(view);
                break;
            }
    }
    const std::vector<CView*> views = m_ownedViews;
    for (CView* view : views)
        if (!doc || view->GetDocument() == doc)
            view->OnInitialUpdate();
    OnUpdateFrameTitle(TRUE);
    RecalcLayout();
    if (makeVisible)
        ActivateFrame();
}

void CFrameWnd::ActivateFrame(int nCmdShow) {
    ShowWindow(nCmdShow == -1 ? SW_SHOW : nCmdShow);
    OnUpdateCmdUI();
}

void CFrameWnd::OnUpdateFrameTitle(BOOL) {
    // As on the handheld, the caption is the application's title; the document's
    // title does not join it.
    if (CWinApp* app = AfxGetApp(); app && GetWidget())
        GetWidget()->setWindowTitle(ToQString(app->m_pszAppName));
}

CMenu* CFrameWnd::GetMenu() const {
    for (CCommandBar* bar : m_commandBars)
        if (CMenu* menu = bar->GetMenu())
            return menu;
    return nullptr;
}

void CFrameWnd::OnUpdateCmdUI() {
    for (CCommandBar* bar : m_commandBars)
        bar->UpdateButtons(this);
}

void CFrameWnd::UpdateMenuCmdUI(CMenu* menu) {
    if (!menu)
        return;
    const int count = menu->GetMenuItemCount();
    for (int i = 0; i < count; ++i) {
        QAction* action = menu->GetAction(static_cast<UINT>(i), MF_BYPOSITION);
        if (!action || action->isSeparator() || QMenu::menuInAction(action))
            continue;
        const UINT id = menu->GetMenuItemID(i);
        if (id == 0)
            continue;
        CCmdUI ui(id, action, menu, static_cast<UINT>(i));
        ui.DoUpdate(this, true);
    }
}

BOOL CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    const std::weak_ptr<bool> alive = AliveToken();
    const BOOL handled = CWnd::OnCommand(wParam, lParam);
    // The handler may have destroyed this frame; refresh only a living one.
    if (!alive.expired() && GetWidget())
        OnUpdateCmdUI();
    return handled;
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    if (m_pActiveView && m_pActiveView->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* app = AfxGetApp();
    return app && app->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

LRESULT CFrameWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        OnClose();
        return 0;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void CFrameWnd::OnClose() {
    if (CDocument* doc = GetActiveDocument(); doc && !doc->SaveModified())
        return;
    if (QWidget* widget = GetWidget())
        widget->hide();
    CWinApp* app = AfxGetApp();
    if (app && app->m_pMainWnd == this)
        QCoreApplication::quit();
}

bool CFrameWnd::OnWidgetEvent(QEvent* event) {
    if (event->type() == QEvent::Close) {
        // Closing is decided here, not by Qt: the document may keep the window open.
        event->ignore();
        OnClose();
        return true;
    }
    return CWnd::OnWidgetEvent(event);
}
