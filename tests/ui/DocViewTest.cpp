// The document/view/frame machinery, driven through the demo program.
#include "DemoProgram.h"

using namespace demo;

using DocViewTest = DemoTest;

TEST_F(DocViewTest, FileNewCreatesFrameViewAndDocumentThenReusesThem) {
    ASSERT_NE(StartNew(), nullptr);
    DemoView* view = ActiveView();
    ASSERT_NE(view, nullptr);
    DemoDoc* doc = Doc();
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
    EXPECT_EQ(Doc(), doc);
    EXPECT_EQ(doc->saveModifiedCalls, 1);
    EXPECT_EQ(doc->newCalls, 2);
    EXPECT_EQ(view->initialUpdates, 2);
}

TEST_F(DocViewTest, FailedFirstOpenOrNewLeavesNoWindowAndOpenStillWorks) {
    DemoDoc::failNew = true;
    CCommandLineInfo info;
    EXPECT_FALSE(app->ProcessShellCommand(info));
    EXPECT_EQ(app->m_pMainWnd, nullptr);

    DemoDoc::failNew = false;
    DemoDoc::failOpen = true;
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
    ASSERT_NE(app->Frame(), nullptr);
    // The caption stays the application's, which a second copy searches for.
    EXPECT_EQ(app->Frame()->GetWidget()->windowTitle(), QStringLiteral("Demo"));
}

TEST_F(DocViewTest, HintsReachEveryViewButTheSender) {
    ASSERT_NE(StartNew(), nullptr);
    frame->CreateSecondView();
    DemoView* first = ActiveView();
    DemoView* second = frame->second;
    DemoDoc* doc = Doc();
    ASSERT_EQ(doc->GetViews().size(), 2u);
    first->hints.clear();
    second->hints.clear();

    doc->UpdateAllViews(nullptr, 4095);
    doc->UpdateAllViews(first, 4099);
    EXPECT_EQ(first->hints, (std::vector<LPARAM>{4095}));
    EXPECT_EQ(second->hints, (std::vector<LPARAM>{4095, 4099}));
}

TEST_F(DocViewTest, ViewPaintsIntoImageAndOnScreen) {
    ASSERT_NE(StartNew(), nullptr);
    DemoView* view = ActiveView();
    Doc()->color = QColor(0, 128, 0);
    const QImage image = view->RenderToImage();
    ASSERT_EQ(image.size(), view->GetWidget()->size());
    EXPECT_EQ(image.pixelColor(7, 7), QColor(255, 0, 0));
    EXPECT_EQ(image.pixelColor(40, 40), QColor(0, 128, 0));
    EXPECT_EQ(image.pixelColor(image.width() - 1, image.height() - 1), QColor(0, 128, 0));

    // The widget shows the same pixels: its paint copies the off-screen image.
    const QImage shown = RenderWidget(view->GetWidget());
    EXPECT_EQ(shown.pixelColor(7, 7), QColor(255, 0, 0));
}

// Taps, right clicks, typed letters and tap-and-hold reaching a view are the list
// views' (tests/app); Exit closing through the document is the program's journey.
TEST_F(DocViewTest, MovingPressIsNoGestureAndIdleRefreshesButtons) {
    ASSERT_NE(StartNew(), nullptr);
    DemoView* view = ActiveView();
    QWidget* widget = view->GetWidget();
    view->events.clear();
    Drag(widget, QPoint(20, 20), QPoint(40, 20), CView::HoldDelayMs + 100);
    EXPECT_EQ(view->events, (std::vector<std::string>{"tap 40,20"}));

    // Idle time brings the tool buttons in line with the document.
    Doc()->flag = true;
    EXPECT_FALSE(frame->bar.IsButtonChecked(ID_TOGGLE));
    app->OnIdle(0);
    EXPECT_TRUE(frame->bar.IsButtonChecked(ID_TOGGLE));
}

TEST_F(DocViewTest, DocumentClosedFromItsOwnCommand) {
    ASSERT_NE(StartNew(), nullptr);
    // The handler takes its document, views and frame down while the frame is
    // still routing the command.
    EXPECT_TRUE(frame->SendMessage(WM_COMMAND, ID_CLOSE_DOC));
    EXPECT_EQ(app->m_pMainWnd, nullptr);
    EXPECT_EQ(app->GetFirstDocTemplate()->GetDocument(), nullptr);
    app->OnFileNew();
    EXPECT_NE(app->Frame(), nullptr);
}
