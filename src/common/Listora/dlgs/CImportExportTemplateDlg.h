// "Import Export Template": the columns, delimiters, flag and price formats and the
// character type of one import/export template, new or existing. An existing
// template keeps its name; one that may not be changed opens with every field
// disabled. OK checks the fields (TemplateForm) and stores them into the template, or
// for a new one into a template the caller then takes.
#pragma once
#include "CImportExportTemplate.h"
#include "TemplateForm.h"
#include "dlgs/CStretchScrollDialog.h"

#include <memory>

class CImportExportTemplateDlg : public CStretchScrollDialog {
public:
    static constexpr UINT IDD = 221;
    static constexpr int IDC_NAME = 1073;
    // The column boxes, in the order of the template's slots.
    static constexpr int kColumnIds[CImportExportTemplate::columnCount] = {1074, 1075, 1076, 1077, 1078,
                                                                           1079, 1083, 1084, 1085, 1087};
    static constexpr int IDC_DELIMITER = 1080;
    static constexpr int IDC_BOOL_FORMAT = 1081;
    static constexpr int IDC_PRICE_FORMAT = 1082;
    static constexpr int IDC_CATEGORY_DELIMITER = 1086;
    static constexpr int IDC_STRINGS = 1088;
    static constexpr int IDC_CHAR_TYPE = 1089;

    // templates: the existing ones (a new template may not take one's name);
    // exchangeTemplate: the one to edit (null: a new one). Both must outlive the dialog.
    CImportExportTemplateDlg(bool editable, const TemplateList& templates, CImportExportTemplate* exchangeTemplate,
                             CWnd* parent = nullptr);
    ~CImportExportTemplateDlg() override;

    BOOL OnInitDialog() override;
    void OnOK() override;

    // After OK on a new template: the template, handed over once.
    std::unique_ptr<CImportExportTemplate> TakeNewTemplate() { return std::move(m_newTemplate); }
    // The fields as they stand.
    TemplateForm ReadForm() const;

    static void RegisterTemplate();

private:
    void ShowForm(const TemplateForm& form);
    // Tells the user why OK is refused and puts the focus on the field to mend.
    void Refuse(const TCHAR* text, int focusId);

    bool m_editable;
    const TemplateList& m_templates;
    CImportExportTemplate* m_template;
    std::unique_ptr<CImportExportTemplate> m_newTemplate;
};
