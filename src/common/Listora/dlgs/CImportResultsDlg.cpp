#include "CImportResultsDlg.h"

#include "DialogTemplate.h"

#include <QDialog>
#include <QLayout>

void CImportResultsDlg::RegisterTemplate() {
    using K = DlgItemKind;
    DialogTemplate::Register(IDD, DialogTemplate{u"Import Results",
                                                 240,
                                                 0,
                                                 {{K::Static, IDC_STATIC, u"Import is done:", 4, 6, 200, 18},
                                                  {K::MultiLineEdit, IDC_LOG, u"", 4, 26, 232, 200, ES_READONLY},
                                                  {K::DefPushButton, IDOK, u"Ok", 162, 232, 74, 26}}});
}

CImportResultsDlg::CImportResultsDlg(const CString& log, CWnd* parent) : CDialog(IDD, parent), m_log(log) {
    static const bool registered = (RegisterTemplate(), true);
    (void)registered;
}

BOOL CImportResultsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    GetDialog()->layout()->setSizeConstraint(QLayout::SetFixedSize);
    SetDlgItemText(IDC_LOG, m_log);
    return TRUE;
}
