// "Extended Save": which lines of the list a save writes. Purchased and not purchased
// lines, all categories or the ticked ones (and lines without a category or not), all
// locations or the ticked ones (likewise). A list and its "without" box can be used
// only while its "All" box is clear. Save hands the choice over as a filter.
#pragma once
#include "CDialog.h"
#include "CListCtrl.h"
#include "ExtendedSaveFilter.h"

class CExtendedSaveDlg : public CDialog {
public:
    static constexpr UINT IDD = 237;
    static constexpr int IDC_PURCHASED = 1107;
    static constexpr int IDC_NOT_PURCHASED = 1108;
    static constexpr int IDC_CATEGORIES = 1111;
    static constexpr int IDC_LOCATIONS = 1114;
    static constexpr int IDC_ALL_LOCATIONS = 1116;
    static constexpr int IDC_ALL_CATEGORIES = 1117;
    static constexpr int IDC_NO_LOCATION = 1118;
    static constexpr int IDC_NO_CATEGORY = 1119;

    // The document's names; they must outlive the dialog.
    CExtendedSaveDlg(const rep::vector<TCHAR*>& categories, const rep::vector<TCHAR*>& locations,
                     CWnd* parent = nullptr);

    BOOL OnInitDialog() override;
    void OnOK() override;

    // After Save: the choice.
    const ExtendedSaveFilter& GetFilter() const { return m_filter; }
    CListCtrl& GetCategoryList() { return m_categoryList; }
    CListCtrl& GetLocationList() { return m_locationList; }

    static void RegisterTemplate();

private:
    // A list and its "without" box follow their "All" box.
    void OnAllToggled(int allId, int listId, int withoutId);
    void FillList(CListCtrl& list, int id, const rep::vector<TCHAR*>& names);
    // The texts of the ticked rows.
    static void ReadTicked(const CListCtrl& list, rep::string_list& names);

    const rep::vector<TCHAR*>& m_categories;
    const rep::vector<TCHAR*>& m_locations;
    CListCtrl m_categoryList;
    CListCtrl m_locationList;
    ExtendedSaveFilter m_filter;
};
