#include "CExchangeFileDlg.h"

#include "AfxMessageBox.h"
#include "CFileDialog.h"
#include "CManageTemplatesDlg.h"
#include "DialogTemplate.h"
#include "ExchangeChoice.h"
#include "ImportExportEngine.h"
#include "Options.h"

#include <QDialog>
#include <QLayout>

void CExchangeFileDlg::RegisterTemplates() {
    using K = DlgItemKind;
    for (Kind kind : {EXPORT, IMPORT}) {
        std::vector<DlgItemTemplate> items = {
            {K::Static, IDC_STATIC, u"Select format:", 4, 7, 92, 18},
            {K::ComboList, IDC_TEMPLATES, u"", 96, 4, 140, 24},
            {K::PushButton, IDC_MANAGE, u"Manage Formats", 96, 32, 140, 26},
            {K::Static, IDC_STATIC, u"File Name:", 4, 66, 150, 18},
            {K::Edit, IDC_FILE, u"", 4, 86, 232, 24},
            {K::PushButton, IDC_BROWSE, u"Browse", 162, 114, 74, 26},
        };
        int buttonsTop = 152;
        if (kind == IMPORT) {
            items.push_back({K::CheckBox, IDC_REPLACE, u"Replace existing items", 4, 148, 232, 24});
            buttonsTop = 182;
        }
        items.push_back({K::DefPushButton, IDOK, u"OK", 83, buttonsTop, 74, 26});
        items.push_back({K::PushButton, IDCANCEL, u"Cancel", 162, buttonsTop, 74, 26});
        DialogTemplate::Register(kind == EXPORT ? IDD_EXPORT : IDD_IMPORT,
                                 DialogTemplate{kind == EXPORT ? u"Export" : u"Import", 240, 0, std::move(items)});
    }
}

CExchangeFileDlg::CExchangeFileDlg(Kind kind, TemplateList& templates, CWnd* parent)
    : CDialog(kind == EXPORT ? IDD_EXPORT : IDD_IMPORT, parent), m_kind(kind), m_templates(templates) {
    static const bool registered = (RegisterTemplates(), true);
    (void)registered;
    MapCommand(IDC_BROWSE, [this] { OnBrowse(); });
    MapCommand(IDC_MANAGE, [this] { OnManage(); });
}

BOOL CExchangeFileDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    GetDialog()->layout()->setSizeConstraint(QLayout::SetFixedSize);
    SetDlgItemText(IDC_FILE, TheOptions().GetImportExportFile());
    m_combo.Attach(GetDlgItem(IDC_TEMPLATES));
    CManageTemplatesDlg::FillTemplateCombo(m_combo, m_templates);
    const int remembered = ExchangeChoice::FindRemembered(TheOptions(), m_templates);
    if (remembered >= 0)
        m_combo.SetCurSel(remembered);
    return TRUE;
}

void CExchangeFileDlg::OnBrowse() {
    const bool open = m_kind == IMPORT;
    CFileDialog dialog(open ? TRUE : FALSE, open ? nullptr : u"csv", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       kFileFilter, this);
    if (dialog.DoModal() != IDOK)
        return;
    SetDlgItemText(IDC_FILE, dialog.GetPathName());
    TheOptions().SetImportExportFile(dialog.GetPathName());
    TheOptions().SetChanged();
}

void CExchangeFileDlg::OnManage() {
    CManageTemplatesDlg dialog(m_templates, this);
    dialog.DoModal();
    CManageTemplatesDlg::FillTemplateCombo(m_combo, m_templates);
}

void CExchangeFileDlg::OnOK() {
    const CString path = GetDlgItemText(IDC_FILE);
    if (path.IsEmpty()) {
        AfxMessageBox(kSelectFile, MB_OK);
        GotoDlgCtrl(GetDlgItem(IDC_FILE));
        return;
    }
    const CImportExportTemplate* chosen = CManageTemplatesDlg::SelectedTemplate(m_combo);
    if (!chosen) {
        AfxMessageBox(kSelectTemplate, MB_OK);
        GotoDlgCtrl(GetDlgItem(IDC_TEMPLATES));
        return;
    }
    if (m_kind == EXPORT && ImportExportEngine::IsObListora(*chosen)) {
        AfxMessageBox(ImportExportEngine::kExportNotSupported, MB_OK);
        return;
    }
    ExchangeChoice::Remember(TheOptions(), path, chosen->name);
    m_path = path;
    m_chosen = chosen;
    m_replaceExisting = m_kind == IMPORT && IsDlgButtonChecked(IDC_REPLACE) == BST_CHECKED;
    EndDialog(IDOK);
}
