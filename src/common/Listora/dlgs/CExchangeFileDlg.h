// The Export and the Import dialog: which template and which file. The last file and
// template chosen are offered again (ExchangeChoice); Browse asks for a file, Manage
// Formats opens the template manager over the same list. OK remembers both and hands
// the template to the command; Export refuses the "OB Listora" template, and Import
// asks whether rows replace lines of the same name.
#pragma once
#include "CComboBox.h"
#include "CDialog.h"
#include "CImportExportTemplate.h"

class CExchangeFileDlg : public CDialog {
public:
    enum Kind { EXPORT, IMPORT };
    static constexpr UINT IDD_EXPORT = 223;
    static constexpr UINT IDD_IMPORT = 224;
    static constexpr int IDC_MANAGE = 1018;
    static constexpr int IDC_BROWSE = 1019;
    static constexpr int IDC_TEMPLATES = 1077;
    static constexpr int IDC_FILE = 1078;
    static constexpr int IDC_REPLACE = 1085;

    static constexpr const TCHAR* kFileFilter =
        u"Comma delimited (*.csv)|*.csv|Text Files(*.txt)|*.txt|All files(*.*)|*.*||";
    static constexpr const TCHAR* kSelectFile = u"Select file first!";
    static constexpr const TCHAR* kSelectTemplate = u"Select template first!\nCreate new if it is empty!";

    // templates must outlive the dialog; the manager may change it.
    CExchangeFileDlg(Kind kind, TemplateList& templates, CWnd* parent = nullptr);

    BOOL OnInitDialog() override;
    void OnOK() override;

    // After OK: the chosen template (one of the list), the file and, for Import,
    // whether rows replace lines of the same name.
    const CImportExportTemplate* GetTemplate() const { return m_chosen; }
    const CString& GetPath() const { return m_path; }
    bool GetReplaceExisting() const { return m_replaceExisting; }

    static void RegisterTemplates();

private:
    void OnBrowse();
    void OnManage();

    Kind m_kind;
    TemplateList& m_templates;
    CComboBox m_combo;
    const CImportExportTemplate* m_chosen = nullptr;
    CString m_path;
    bool m_replaceExisting = false;
};
