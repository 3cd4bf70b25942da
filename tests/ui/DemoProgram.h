// A tiny document/view/frame program that the user-interface tests drive.
#pragma once
#include "AfxMessageBox.h"
#include "CCmdUI.h"
#include "CCommandBar.h"
#include "CDocument.h"
#include "CFrameWnd.h"
#include "CSingleDocTemplate.h"
#include "CView.h"
#include "CWinApp.h"
#include "MenuTemplate.h"
#include "QtText.h"
#include "ToolBarTemplate.h"
#include "UiTest.h"

#include <QPainter>
#include <memory>
#include <string>
#include <vector>

namespace demo {

constexpr UINT kMainResource = 500;
constexpr UINT kStripBitmap = 9002;
constexpr UINT ID_VIEW_ONLY = 200;
constexpr UINT ID_BOTH = 201;
constexpr UINT ID_DOC_ONLY = 202;
constexpr UINT ID_FRAME_ONLY = 203;
constexpr UINT ID_APP_ONLY = 204;
constexpr UINT ID_CLOSE_DOC = 205;
constexpr UINT ID_TOGGLE = 301;
constexpr UINT ID_NOBODY = 302;
constexpr UINT ID_SWITCH = 303;
constexpr UINT kSecondPane = AFX_IDW_PANE_FIRST + 1;

inline std::vector<std::string>& Log() {
    static std::vector<std::string> log;
    return log;
}

inline void RegisterResources() {
    using M = MenuTemplateItem;
    MenuTemplate::Register(kMainResource,
                           {M::Popup(u"&File", {M::Item(u"&New\tCtrl+N", ID_FILE_NEW), M::Separator(),
                                                M::Item(u"E&xit", ID_APP_EXIT)}),
                            M::Popup(u"&List", {M::Item(u"Toggle", ID_TOGGLE), M::Item(u"Nobody", ID_NOBODY),
                                                M::Item(u"Both", ID_BOTH)})});
    ToolBarTemplate::Register(kMainResource, ToolBarTemplate{kStripBitmap, 16, 15, {ID_TOGGLE, 0, ID_SWITCH}});
}

class DemoDoc : public CDocument {
public:
    DemoDoc() {
        MapCommand(ID_BOTH, [] { Log().push_back("doc:both"); });
        MapCommand(ID_DOC_ONLY, [] { Log().push_back("doc:only"); });
        MapCommand(ID_TOGGLE, [this] { flag = !flag; });
        MapCommand(ID_CLOSE_DOC, [this] { OnCloseDocument(); });
        MapUpdateCommand(ID_TOGGLE, [this](CCmdUI* ui) { ui->SetCheck(flag ? 1 : 0); });
    }

    BOOL OnNewDocument() override {
        ++newCalls;
        return failNew ? FALSE : CDocument::OnNewDocument();
    }
    BOOL OnOpenDocument(LPCTSTR path) override {
        openedPath = CString(path);
        return failOpen ? FALSE : CDocument::OnOpenDocument(path);
    }
    BOOL SaveModified() override {
        ++saveModifiedCalls;
        return TRUE;
    }

    bool flag = false;
    QColor color = QColor(0, 0, 255);
    int newCalls = 0;
    int saveModifiedCalls = 0;
    CString openedPath;
    static inline bool failNew = false;
    static inline bool failOpen = false;
};

class DemoView : public CView {
public:
    explicit DemoView(const char* name = "view") : m_name(name) {
        MapCommand(ID_VIEW_ONLY, [this] { Log().push_back(m_name + ":only"); });
        MapCommand(ID_BOTH, [this] { Log().push_back(m_name + ":both"); });
    }

    DemoDoc* GetDoc() const { return static_cast<DemoDoc*>(GetDocument()); }

    void OnDraw(QPainter& dc) override {
        CRect client;
        GetClientRect(&client);
        dc.fillRect(client.ToQRect(), GetDoc() ? GetDoc()->color : QColor(Qt::white));
        dc.fillRect(QRect(5, 5, 10, 10), QColor(255, 0, 0));
    }
    void OnInitialUpdate() override {
        ++initialUpdates;
        CView::OnInitialUpdate();
    }
    void OnUpdate(CView* sender, LPARAM hint, void* hintObject) override {
        hints.push_back(hint);
        CView::OnUpdate(sender, hint, hintObject);
    }

    std::vector<std::string> events;
    std::vector<LPARAM> hints;
    int initialUpdates = 0;

protected:
    void OnLButtonUp(UINT, CPoint p) override { Record("tap", p); }
    void OnTapAndHold(CPoint screen) override {
        ScreenToClient(&screen);
        Record("hold", screen);
    }

private:
    void Record(const char* what, CPoint p) {
        events.push_back(std::string(what) + " " + std::to_string(p.x) + "," + std::to_string(p.y));
    }
    std::string m_name;
};

class DemoFrame : public CFrameWnd {
public:
    DemoFrame() {
        MapCommand(ID_FRAME_ONLY, [] { Log().push_back("frame:only"); });
        MapCommand(ID_SWITCH, [] {});  // the program's view switch is tested with the program
    }

    // Creates the second view as a hidden child, showing the active document.
    void CreateSecondView() {
        CCreateContext context;
        context.m_pCurrentDoc = GetActiveDocument();
        second = new DemoView("second");
        second->Create(nullptr, nullptr, WS_CHILD | WS_BORDER, CRect(0, 0, 0, 0), this, kSecondPane, &context);
        second->OnInitialUpdate();
    }

    CCommandBar bar;
    DemoView* second = nullptr;

protected:
    int OnCreate(CCreateContext* context) override {
        if (CFrameWnd::OnCreate(context) == -1)
            return -1;
        if (!bar.Create(this) || !bar.InsertMenuBar(kMainResource) || !bar.LoadToolBar(kMainResource))
            return -1;
        bar.SetBarStyle(bar.GetBarStyle() | CBRS_TOOLTIPS | CBRS_FLYBY);
        bar.SetButtonStyle(bar.CommandToIndex(ID_SWITCH), TBBS_CHECKBOX);
        return 0;
    }
};

class DemoApp : public CWinApp {
public:
    DemoApp() : CWinApp(u"Demo") {
        MapCommand(ID_APP_ONLY, [] { Log().push_back("app:only"); });
        AddDocTemplate(new CSingleDocTemplate(kMainResource, RUNTIME_CLASS(DemoDoc), RUNTIME_CLASS(DemoFrame),
                                              RUNTIME_CLASS(DemoView)));
    }
    DemoFrame* Frame() const { return dynamic_cast<DemoFrame*>(m_pMainWnd); }
};

// A fixture over a fresh demo program.
class DemoTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        RegisterResources();
        Log().clear();
        DemoDoc::failNew = DemoDoc::failOpen = false;
        app = std::make_unique<DemoApp>();
    }
    void TearDown() override {
        app.reset();
        UiTest::TearDown();
    }
    // Starts with a new document, as the program's start-up does.
    DemoFrame* StartNew() {
        CCommandLineInfo info;
        EXPECT_TRUE(app->ProcessShellCommand(info));
        frame = app->Frame();
        if (frame)
            frame->GetWidget()->resize(240, 320);
        ProcessEvents();
        return frame;
    }
    DemoView* ActiveView() const { return static_cast<DemoView*>(frame->GetActiveView()); }
    DemoDoc* Doc() const { return static_cast<DemoDoc*>(frame->GetActiveDocument()); }

    std::unique_ptr<DemoApp> app;
    DemoFrame* frame = nullptr;
};

}  // namespace demo
