// The document/view/frame machinery, driven through the demo program.
#include "DemoProgram.h"
#include "ShellApi.h"
#include "UiTest.h"

#include <QApplication>
#include <QMainWindow>
#include <QMouseEvent>
#include <memory>

using namespace demo;

class DocViewTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        RegisterResources();
        Log().clear();
        DemoDoc::failNew = DemoDoc::failOpen = DemoDoc::refuseSave = false;
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
        DemoFrame* frame = app->Frame();
        EXPECT_NE(frame, nullptr);
        if (frame)
            frame->GetWidget()->resize(240, 320);
        ProcessEvents();
        return frame;
    }
    DemoView* ActiveView(DemoFrame* frame) { return static_cast<DemoView*>(frame->GetActiveView()); }
    DemoDoc* Doc(DemoFrame* frame) { return static_cast<DemoDoc*>(frame->GetActiveDocument()); }

    std::unique_ptr<DemoApp> app;
};

TEST_F(DocViewTest, FileNewCreatesFrameViewAndDocumentThenReusesThem) {
    DemoFrame* frame = StartNew();
    ASSERT_NE(frame, nullptr);
    DemoView* view = ActiveView(frame);
    ASSERT_NE(view, nullptr);
    DemoDoc* doc = Doc(frame);
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(view->GetDlgCtrlID(), static_cast<int>(AFX_IDW_PANE_FIRST));
    EXPECT_EQ(doc->GetViews().size(), 1u);
    EXPECT_EQ(doc->GetTitle(), CString(u"Untitled"));
    EXPECT_EQ(view->initialUpdates, 1);
    EXPECT_EQ(frame->GetWidget()->windowTitle(), QStringLiteral("Demo"));

    // A second New asks the document to save, keeps the same objects and tells
    // the views again.
    app->OnFileNew();
    EXPECT_EQ(app->Frame(), frame);
    EXPECT_EQ(Doc(frame), doc);
    EXPECT_EQ(doc->saveModifiedCalls, 1);
    EXPECT_EQ(doc->newCalls, 2);
    EXPECT_EQ(view->initialUpdates, 2);

    // A document that refuses to be replaced stays as it is.
    DemoDoc::refuseSave = true;
    EXPECT_EQ(app->GetFirstDocTemplate()->OpenDocumentFile(nullptr), nullptr);
    EXPECT_EQ(doc->newCalls, 2);
}

TEST_F(DocViewTest, FailedFirstOpenLeavesNoWindowAndNewStillWorks) {
    DemoDoc::failOpen = true;
    CCommandLineInfo info;
    info.m_nShellCommand = CCommandLineInfo::FileOpen;
    info.m_strFileName = u"\\My Documents\\gone.lsr";
    EXPECT_FALSE(app->ProcessShellCommand(info));
    EXPECT_EQ(app->m_pMainWnd, nullptr);
    EXPECT_EQ(app->GetFirstDocTemplate()->GetDocument(), nullptr);

    DemoDoc::failOpen = false;
    EXPECT_TRUE(app->ProcessShellCommand(info));
    DemoDoc* doc = static_cast<DemoDoc*>(app->GetFirstDocTemplate()->GetDocument());
    ASSERT_NE(doc, nullptr);
    EXPECT_EQ(doc->openedPath, CString(u"\\My Documents\\gone.lsr"));
    EXPECT_EQ(doc->GetPathName(), CString(u"\\My Documents\\gone.lsr"));
    EXPECT_EQ(doc->GetTitle(), CString(u"gone.lsr"));
    EXPECT_NE(app->m_pMainWnd, nullptr);
}

TEST_F(DocViewTest, FailedNewDocumentEndsShellCommandWithoutWindow) {
    DemoDoc::failNew = true;
    CCommandLineInfo info;
    EXPECT_FALSE(app->ProcessShellCommand(info));
    EXPECT_EQ(app->m_pMainWnd, nullptr);
}

TEST_F(DocViewTest, CommandLineNamesFileToOpen) {
    app->SetCommandLineArguments({u"-x", u"/home/someone/list.lsr"});
    CCommandLineInfo info;
    app->ParseCommandLine(info);
    EXPECT_EQ(info.m_nShellCommand, CCommandLineInfo::FileOpen);
    EXPECT_EQ(info.m_strFileName, CString(u"/home/someone/list.lsr"));

    CCommandLineInfo none;
    app->SetCommandLineArguments({});
    app->ParseCommandLine(none);
    EXPECT_EQ(none.m_nShellCommand, CCommandLineInfo::FileNew);
}

TEST_F(DocViewTest, HintsReachEveryViewButTheSender) {
    DemoFrame* frame = StartNew();
    ASSERT_NE(frame, nullptr);
    frame->CreateSecondView();
    DemoView* first = ActiveView(frame);
    DemoView* second = frame->second;
    DemoDoc* doc = Doc(frame);
    ASSERT_EQ(doc->GetViews().size(), 2u);
    first->hints.clear();
    second->hints.clear();

    doc->UpdateAllViews(nullptr, 4095);
    doc->UpdateAllViews(first, 4099);
    EXPECT_EQ(first->hints, (std::vector<LPARAM>{4095}));
    EXPECT_EQ(second->hints, (std::vector<LPARAM>{4095, 4099}));

    // The device-style walk over the views sees both, in creation order.
    POSITION pos = doc->GetFirstViewPosition();
    EXPECT_EQ(doc->GetNextView(pos), first);
    EXPECT_EQ(doc->GetNextView(pos), second);
    EXPECT_EQ(pos, nullptr);
}

TEST_F(DocViewTest, ViewPaintsIntoImageAndOnScreen) {
    DemoFrame* frame = StartNew();
    ASSERT_NE(frame, nullptr);
    DemoView* view = ActiveView(frame);
    Doc(frame)->color = QColor(0, 128, 0);
    const QImage image = view->RenderToImage();
    ASSERT_EQ(image.size(), view->GetWidget()->size());
    EXPECT_EQ(image.pixelColor(7, 7), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(40, 40), QColor(0, 128, 0));
    EXPECT_EQ(image.pixelColor(image.width() - 1, image.height() - 1), QColor(0, 128, 0));

    // The widget shows the same pixels: its paint copies the off-screen image.
    const QImage shown = RenderWidget(view->GetWidget());
    EXPECT_EQ(shown.pixelColor(7, 7), QColor(255, 0, 0));
    EXPECT_EQ(shown.pixelColor(40, 40), QColor(0, 128, 0));
}

TEST_F(DocViewTest, ViewFillsTheFrameAndFollowsItsSize) {
    DemoFrame* frame = StartNew();
    ASSERT_NE(frame, nullptr);
    frame->GetWidget()->show();
    ProcessEvents();
    DemoView* view = ActiveView(frame);
    EXPECT_EQ(view->GetWidget()->geometry(), frame->GetViewArea()->rect());
    frame->GetWidget()->resize(300, 400);
    ProcessEvents();
    EXPECT_EQ(view->GetWidget()->size(), frame->GetViewArea()->size());
    // The command bar lies below the views.
    CRect bar;
    frame->bar.GetWindowRect(&bar);
    CRect area(frame->GetViewArea()->geometry());
    EXPECT_GE(bar.top, area.bottom);
}

TEST_F(DocViewTest, TwoViewsExchangedInOneFrame) {
    DemoFrame* frame = StartNew();
    ASSERT_NE(frame, nullptr);
    frame->GetWidget()->show();
    frame->CreateSecondView();
    ProcessEvents();
    DemoView* first = ActiveView(frame);
    DemoView* second = frame->second;
    EXPECT_FALSE(second->IsWindowVisible());
    EXPECT_EQ(second->GetDocument(), first->GetDocument());
    EXPECT_EQ(second->initialUpdates, 1);

    EXPECT_EQ(frame->SwitchView(), first);
    ProcessEvents();
    EXPECT_EQ(frame->GetActiveView(), second);
    EXPECT_EQ(second->GetDlgCtrlID(), static_cast<int>(AFX_IDW_PANE_FIRST));
    EXPECT_EQ(first->GetDlgCtrlID(), static_cast<int>(kSecondPane));
    EXPECT_TRUE(second->IsWindowVisible());
    EXPECT_FALSE(first->IsWindowVisible());
    EXPECT_EQ(second->GetWidget()->geometry(), frame->GetViewArea()->rect());
    EXPECT_EQ(first->events.back(), "deactivate");
    EXPECT_EQ(second->events.back(), "activate");
    // Commands now reach the second view.
    frame->SendMessage(WM_COMMAND, ID_VIEW_ONLY);
    EXPECT_EQ(Log().back(), "second:only");

    EXPECT_EQ(frame->SwitchView(), second);
    EXPECT_EQ(frame->GetActiveView(), first);
    EXPECT_TRUE(first->IsWindowVisible());
}

TEST_F(DocViewTest, TapsRightClicksCharactersAndTapAndHoldReachTheView) {
    DemoFrame* frame = StartNew();
    ASSERT_NE(frame, nullptr);
    frame->GetWidget()->show();
    ProcessEvents();
    DemoView* view = ActiveView(frame);
    QWidget* widget = view->GetWidget();

    Tap(widget, QPoint(10, 20));
    RightClick(widget, QPoint(30, 40));
    TypeText(widget, QStringLiteral("bÄ"));
    EXPECT_EQ(view->events, (std::vector<std::string>{"activate", "tap 10,20", "right 30,40", "char b", "char Ä"}));

    // A held press is the gesture, and its release is no tap.
    view->events.clear();
    TapAndHold(widget, QPoint(50, 60));
    EXPECT_EQ(view->events, (std::vector<std::string>{"hold 50,60"}));
}

TEST_F(DocViewTest, TitleAndModifiedFlag) {
    DemoFrame* frame = StartNew();
    ASSERT_NE(frame, nullptr);
    DemoDoc* doc = Doc(frame);
    EXPECT_FALSE(doc->IsModified());
    doc->SetModifiedFlag();
    EXPECT_TRUE(doc->IsModified());
    doc->SetPathName(u"\\My Documents\\week.lsr");
    EXPECT_EQ(doc->GetTitle(), CString(u"week.lsr"));
    doc->SetTitle(u"week");
    EXPECT_EQ(doc->GetTitle(), CString(u"week"));
    // The caption stays the application's, which a second copy searches for.
    EXPECT_EQ(frame->GetWidget()->windowTitle(), QStringLiteral("Demo"));
}

TEST_F(DocViewTest, ExitClosesThroughTheDocument) {
    DemoFrame* frame = StartNew();
    ASSERT_NE(frame, nullptr);
    frame->GetWidget()->show();
    DemoDoc* doc = Doc(frame);

    DemoDoc::refuseSave = true;
    frame->SendMessage(WM_COMMAND, ID_APP_EXIT);
    EXPECT_EQ(doc->saveModifiedCalls, 1);
    EXPECT_TRUE(frame->IsWindowVisible());

    DemoDoc::refuseSave = false;
    EXPECT_TRUE(ChooseMenuCommand(*frame, {u"&File", u"E&xit"}));
    EXPECT_EQ(doc->saveModifiedCalls, 2);
    EXPECT_FALSE(frame->IsWindowVisible());
}

TEST_F(DocViewTest, FullScreenCallHidesAndShowsTheTaskBar) {
    DemoFrame* frame = StartNew();
    ASSERT_NE(frame, nullptr);
    frame->GetWidget()->show();
    EXPECT_TRUE(SHFullScreen(frame->GetSafeHwnd(), SHFS_HIDETASKBAR | SHFS_HIDESIPBUTTON));
    EXPECT_TRUE(frame->GetWidget()->windowState() & Qt::WindowFullScreen);
    // The input-panel button alone changes nothing here.
    EXPECT_TRUE(SHFullScreen(frame->GetSafeHwnd(), SHFS_HIDESIPBUTTON));
    EXPECT_TRUE(frame->GetWidget()->windowState() & Qt::WindowFullScreen);
    EXPECT_TRUE(SHFullScreen(frame->GetSafeHwnd(), SHFS_SHOWTASKBAR));
    EXPECT_FALSE(frame->GetWidget()->windowState() & Qt::WindowFullScreen);
    EXPECT_FALSE(SHFullScreen(nullptr, SHFS_HIDETASKBAR));
}

TEST_F(DocViewTest, MovingPressIsNoGestureAndIdleRefreshesButtons) {
    DemoFrame* frame = StartNew();
    ASSERT_NE(frame, nullptr);
    DemoView* view = ActiveView(frame);
    QWidget* widget = view->GetWidget();
    view->events.clear();
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(20, 20), QPointF(widget->mapToGlobal(QPoint(20, 20))),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &press);
    QMouseEvent move(QEvent::MouseMove, QPointF(40, 20), QPointF(widget->mapToGlobal(QPoint(40, 20))), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
    WaitMs(CView::HoldDelayMs + 100);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(40, 20), QPointF(widget->mapToGlobal(QPoint(40, 20))),
                        Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(widget, &release);
    EXPECT_EQ(view->events, (std::vector<std::string>{"tap 40,20"}));

    // Idle time brings the tool buttons in line with the document.
    Doc(frame)->flag = true;
    EXPECT_FALSE(frame->bar.IsButtonChecked(ID_TOGGLE));
    app->OnIdle(0);
    EXPECT_TRUE(frame->bar.IsButtonChecked(ID_TOGGLE));
}

TEST_F(DocViewTest, DocumentClosedFromItsOwnCommand) {
    DemoFrame* frame = StartNew();
    ASSERT_NE(frame, nullptr);
    // The handler takes its document, views and frame down while the frame is
    // still routing the command.
    EXPECT_TRUE(frame->SendMessage(WM_COMMAND, ID_CLOSE_DOC));
    EXPECT_EQ(app->m_pMainWnd, nullptr);
    EXPECT_EQ(app->GetFirstDocTemplate()->GetDocument(), nullptr);
    // A new document brings everything back.
    app->OnFileNew();
    EXPECT_NE(app->Frame(), nullptr);
}
