// The progress dialog as the data code's progress sink: the catalogue read, the import
// and the export report to it without knowing about windows.
#pragma once
#include "CProgressDlg.h"
#include "ProgressSink.h"

class CProgressSinkDlg : public CProgressDlg, public ProgressSink {
public:
    explicit CProgressSinkDlg(CWnd* parent = nullptr) : CProgressDlg(parent) {}

    void SetMaxOfInterval(DWORD steps) override { CProgressDlg::SetMaxOfInterval(steps); }
    void Step() override { CProgressDlg::Step(); }
    bool IsCancelPressed() override { return CProgressDlg::IsCancelPressed(); }
};
