// "Delete Listoras": the list files in "\My Documents" but the open one, with their
// dates; the user ticks some and deletes them, after a question. The message after
// the deletion counts the deleted files and names those that could not be deleted.
#pragma once
#include "CListCtrl.h"
#include "UnusedLists.h"
#include "dlgs/CListPickerDlg.h"

#include <vector>

class CDeleteListsDlg : public CListPickerDlg {
public:
    static constexpr UINT IDD = 238;
    static constexpr int IDC_FILES = 1111;
    static constexpr int IDC_DELETE_SELECTED = 1112;

    static constexpr const TCHAR* kAreYouSure = u"Are you sure you want to delete selected files?";

    explicit CDeleteListsDlg(CWnd* parent = nullptr);
    ~CDeleteListsDlg() override;

    BOOL OnInitDialog() override;
    // The window's own OK (the handheld's title bar) closes it as Cancel does.
    void OnOK() override;

    CListCtrl& GetList() { return m_list; }

private:
    void OnDeleteSelected();

    CListCtrl m_list;
    // The files listed; a row's data is its index here.
    std::vector<UnusedLists::Entry> m_files;
};
