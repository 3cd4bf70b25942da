// "Menage Import Export Templates": the templates by name, with Delete, Edit and New
// (the template dialog). Changes go to the store at once and into the list the dialog
// works on, which the caller owns. The built-in template can be neither deleted nor
// changed; Edit shows it read-only.
#pragma once
#include "CComboBox.h"
#include "CDialog.h"
#include "CImportExportTemplate.h"

class CManageTemplatesDlg : public CDialog {
public:
    static constexpr UINT IDD = 222;
    static constexpr int IDC_NEW = 1019;
    static constexpr int IDC_DELETE = 1036;
    static constexpr int IDC_EDIT = 1037;
    static constexpr int IDC_TEMPLATES = 1075;

    static constexpr const TCHAR* kSelectTemplate = u"Select template first";
    static constexpr const TCHAR* kCannotDelete = u"Cannot delete this configuration!";
    static constexpr const TCHAR* kCannotEdit = u"Cannot edit this configuration!";

    explicit CManageTemplatesDlg(TemplateList& templates, CWnd* parent = nullptr);

    BOOL OnInitDialog() override;

    // Fills a combo box with the templates' names in list order (each entry's data is
    // its template) and selects the first.
    static void FillTemplateCombo(CComboBox& combo, const TemplateList& templates);
    // The template of the combo's selected entry; null when none is selected.
    static CImportExportTemplate* SelectedTemplate(const CComboBox& combo);

    static void RegisterTemplate();

private:
    void OnDelete();
    void OnEdit();
    void OnNew();
    // Fills the combo again; Delete and Edit are there only while there are templates.
    void Refill();

    TemplateList& m_templates;
    CComboBox m_combo;
};
