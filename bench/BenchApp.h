// Running benchmarks that need the program's Qt objects: an offscreen application, the
// string table, and a modal runner that never waits for a person (each prompt is
// counted and gets the cancelling answer).
#pragma once
#include "CFrameWnd.h"
#include "ListoraStrings.h"
#include "MessageBoxApi.h"
#include "ModalRunner.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

class CountingRunner : public ModalRunner {
public:
    int prompts = 0;
    int MessageBox(QWidget*, const CString&, const CString&, UINT type) override {
        ++prompts;
        return (type & MB_TYPEMASK) == MB_YESNO ? IDNO : IDOK;
    }
    INT_PTR RunFileDialog(CFileDialog&) override { return ++prompts, IDCANCEL; }
    INT_PTR RunDialog(CDialog&) override { return ++prompts, IDCANCEL; }
    UINT TrackPopupMenu(CMenu&, const QPoint&, QWidget*) override { return ++prompts, 0u; }
};

// A frame showing doc in one view of class V (returned in view), sized as on the
// handheld and painted once.
template <class V, class Doc>
std::unique_ptr<CFrameWnd> ShowInView(Doc& doc, V*& view) {
    auto frame = std::make_unique<CFrameWnd>();
    CCreateContext context;
    context.m_pNewViewClass = [] { return new V; };
    context.m_pCurrentDoc = &doc;
    frame->LoadFrame(0, 0, nullptr, &context);
    frame->InitialUpdateFrame(&doc, FALSE);
    view = dynamic_cast<V*>(doc.GetViews().back());
    view->MoveWindow(0, 0, 240, 294, FALSE);
    view->RenderToImage();
    return frame;
}

// The body of a benchmark program's main; prepare (optional) sets up its data first.
inline int RunAppBenchmarks(int argc, char** argv, bool (*prepare)() = nullptr) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication application(argc, argv);
    // The offscreen platform's notes about window hints would bury the results.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    RegisterListoraStrings();
    CountingRunner runner;
    ModalRunner* previous = ModalRunner::Install(&runner);
    if (prepare && !prepare()) {
        std::fprintf(stderr, "cannot prepare the benchmark's data\n");
        return 1;
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    ModalRunner::Install(previous);
    return 0;
}
