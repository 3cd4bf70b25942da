// A page of the Item Manager for one of the catalogue's name lists (categories, units
// or locations): the entries, sorted for display, an edit with Add, and removal by
// tapping an entry. A name still used by items or lines is removed from them too when
// the user insists. The list itself is written to the store when the sheet closes.
#pragma once
#include "CListBox.h"
#include "CScrollPropertyPage.h"

#include "Registry/RepVector.h"

#include <functional>

class CEditListPage : public CScrollPropertyPage {
public:
    static constexpr UINT IDD = 191;
    // Controls of resource 191.
    static constexpr int IDC_ENTRY = 1024;
    static constexpr int IDC_ADD = 1025;
    static constexpr int IDC_LIST = 1000;

    // Whether items or lines use a name, and its removal from all of them.
    using InUseTest = std::function<bool(LPCTSTR)>;
    using Removal = std::function<void(LPCTSTR)>;

    // list: the document's name list (it must outlive the page); titleId: the page's
    // caption; duplicateId: the message for a name already there (with %s).
    CEditListPage(rep::vector<TCHAR*>& list, UINT titleId, UINT duplicateId, InUseTest inUse, Removal removal);
    ~CEditListPage() override;

    BOOL OnInitDialog() override;

    // Adds the typed name unless the list has it (ignoring case).
    void OnAdd();
    // A tapped entry: asks, and removes it (from items and lines too when in use and
    // the user says so).
    void OnEntryTapped(int index);

    CListBox& GetListBox() { return m_listBox; }

    // The control table of resource 191.
    static void RegisterTemplate();

private:
    static UINT Registered();
    void RemoveFromList(const CString& entry);

    rep::vector<TCHAR*>& m_list;
    UINT m_duplicateId;
    InUseTest m_inUse;
    Removal m_removal;
    CListBox m_listBox;
};
