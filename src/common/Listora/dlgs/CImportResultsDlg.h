// "Import Results": the log of an import that skipped rows, read-only.
#pragma once
#include "CDialog.h"

class CImportResultsDlg : public CDialog {
public:
    static constexpr UINT IDD = 225;
    static constexpr int IDC_LOG = 1089;

    explicit CImportResultsDlg(const CString& log, CWnd* parent = nullptr);

    BOOL OnInitDialog() override;

    static void RegisterTemplate();

private:
    CString m_log;
};
