#include "CManageTemplatesDlg.h"

#include "AfxMessageBox.h"
#include "CImportExportTemplateDlg.h"
#include "DialogTemplate.h"
#include "LRRegistry.h"
#include "ListoraStrings.h"

#include <QDialog>
#include <QLayout>

void CManageTemplatesDlg::RegisterTemplate() {
    using K = DlgItemKind;
    DialogTemplate::Register(IDD, DialogTemplate{u"Menage Import Export Templates",
                                                 240,
                                                 0,
                                                 {{K::Static, IDC_STATIC, u"Templates:", 4, 6, 150, 18},
                                                  {K::ComboList, IDC_TEMPLATES, u"", 4, 26, 232, 24},
                                                  {K::PushButton, IDC_DELETE, u"Delete", 4, 58, 74, 26},
                                                  {K::PushButton, IDC_EDIT, u"Edit", 83, 58, 74, 26},
                                                  {K::PushButton, IDC_NEW, u"New", 162, 58, 74, 26},
                                                  {K::DefPushButton, IDOK, u"Close", 162, 100, 74, 26}}});
}

CManageTemplatesDlg::CManageTemplatesDlg(TemplateList& templates, CWnd* parent)
    : CDialog(IDD, parent), m_templates(templates) {
    static const bool registered = (RegisterTemplate(), true);
    (void)registered;
    MapCommand(IDC_DELETE, [this] { OnDelete(); });
    MapCommand(IDC_EDIT, [this] { OnEdit(); });
    MapCommand(IDC_NEW, [this] { OnNew(); });
}

BOOL CManageTemplatesDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    // As small as its controls, on a desktop too.
    GetDialog()->layout()->setSizeConstraint(QLayout::SetFixedSize);
    m_combo.Attach(GetDlgItem(IDC_TEMPLATES));
    Refill();
    return TRUE;
}

void CManageTemplatesDlg::FillTemplateCombo(CComboBox& combo, const TemplateList& templates) {
    combo.ResetContent();
    for (CImportExportTemplate* exchangeTemplate : templates) {
        const int index = combo.AddString(exchangeTemplate->name);
        combo.SetItemData(index, reinterpret_cast<DWORD_PTR>(exchangeTemplate));
    }
    if (!templates.empty())
        combo.SetCurSel(0);
}

CImportExportTemplate* CManageTemplatesDlg::SelectedTemplate(const CComboBox& combo) {
    const int index = combo.GetCurSel();
    return index < 0 ? nullptr : reinterpret_cast<CImportExportTemplate*>(combo.GetItemData(index));
}

void CManageTemplatesDlg::Refill() {
    FillTemplateCombo(m_combo, m_templates);
    for (int id : {IDC_DELETE, IDC_EDIT})
        GetDlgItem(id)->setEnabled(!m_templates.empty());
}

void CManageTemplatesDlg::OnDelete() {
    CImportExportTemplate* chosen = SelectedTemplate(m_combo);
    if (!chosen) {
        AfxMessageBox(kSelectTemplate, MB_OK);
        return;
    }
    if (AfxMessageBox(IDS_ARE_YOU_SURE, MB_YESNO) != IDYES)
        return;
    if (chosen->IsBuiltIn()) {
        AfxMessageBox(kCannotDelete, MB_OK);
        return;
    }
    // One the store keeps (the trace says why) stays in the list too.
    if (!TheRegistry().DeleteTemplate(*chosen))
        return;
    if (const int index = m_templates.indexOf(chosen); index >= 0) {
        m_templates.erase(static_cast<DWORD>(index));
        delete chosen;
    }
    Refill();
}

void CManageTemplatesDlg::OnEdit() {
    CImportExportTemplate* chosen = SelectedTemplate(m_combo);
    if (!chosen) {
        AfxMessageBox(kSelectTemplate, MB_OK);
        return;
    }
    const bool editable = !chosen->IsBuiltIn();
    if (!editable)
        AfxMessageBox(kCannotEdit, MB_OK);
    CImportExportTemplateDlg dialog(editable, m_templates, chosen, this);
    if (dialog.DoModal() != IDOK)
        return;
    TheRegistry().SaveTemplate(*chosen);
    Refill();
}

void CManageTemplatesDlg::OnNew() {
    CImportExportTemplateDlg dialog(true, m_templates, nullptr, this);
    if (dialog.DoModal() != IDOK)
        return;
    std::unique_ptr<CImportExportTemplate> added = dialog.TakeNewTemplate();
    TheRegistry().SaveTemplate(*added);
    m_templates.push_back(added.release());
    Refill();
}
