// The Select Categories dialog: one check-box row per category, ticked for those
// already selected. OK collects the ticked categories, in row order, as the result;
// Cancel leaves the result empty.
#pragma once
#include "CDialog.h"
#include "CListCtrl.h"
#include "Registry/RepVector.h"

class CSelectCategoriesDlg : public CDialog {
public:
    static constexpr UINT IDD = 192;
    static constexpr int IDC_CATEGORIES = 1002;

    // Both lists are read only and must outlive the dialog.
    CSelectCategoriesDlg(const rep::vector<TCHAR*>& selected, const rep::vector<TCHAR*>& all,
                         CWnd* parent = nullptr);
    ~CSelectCategoriesDlg() override;

    BOOL OnInitDialog() override;
    void OnOK() override;

    // Copies of the ticked categories after OK (owned by the dialog).
    const rep::string_list& GetResult() const { return m_result; }

    // The control table of resource 192.
    static void RegisterTemplate();

private:
    const rep::vector<TCHAR*>& m_selected;
    const rep::vector<TCHAR*>& m_all;
    rep::string_list m_result;
    CListCtrl m_list;
};
