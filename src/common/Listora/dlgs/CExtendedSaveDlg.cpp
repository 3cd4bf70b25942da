#include "CExtendedSaveDlg.h"

#include "DialogTemplate.h"
#include "Text/Util.h"

#include <QDialog>
#include <QHeaderView>
#include <QLayout>

void CExtendedSaveDlg::RegisterTemplate() {
    using K = DlgItemKind;
    // The lists and the "without" boxes start disabled: every "All" box starts ticked.
    DialogTemplate::Register(
        IDD, DialogTemplate{u"Extended Save",
                            240,
                            0,
                            {{K::CheckBox, IDC_NOT_PURCHASED, u"Save not purchased items", 4, 4, 232, 22},
                             {K::CheckBox, IDC_PURCHASED, u"Save only purchased items", 4, 26, 232, 22},
                             {K::Static, IDC_STATIC, u"Categories:", 4, 55, 76, 18},
                             {K::CheckBox, IDC_ALL_CATEGORIES, u"All categories", 82, 52, 154, 22},
                             {K::CheckBox, IDC_NO_CATEGORY, u"Include items without category set", 4, 74, 232, 22,
                              WS_DISABLED},
                             {K::ListCtrl, IDC_CATEGORIES, u"", 4, 97, 232, 64, WS_DISABLED},
                             {K::Static, IDC_STATIC, u"Locations:", 4, 169, 76, 18},
                             {K::CheckBox, IDC_ALL_LOCATIONS, u"All locations", 82, 166, 154, 22},
                             {K::CheckBox, IDC_NO_LOCATION, u"Include items without location set", 4, 188, 232, 22,
                              WS_DISABLED},
                             {K::ListCtrl, IDC_LOCATIONS, u"", 4, 211, 232, 64, WS_DISABLED},
                             {K::DefPushButton, IDOK, u"Save", 83, 282, 74, 26},
                             {K::PushButton, IDCANCEL, u"Cancel", 162, 282, 74, 26}}});
}

CExtendedSaveDlg::CExtendedSaveDlg(const rep::vector<TCHAR*>& categories, const rep::vector<TCHAR*>& locations,
                                   CWnd* parent)
    : CDialog(IDD, parent), m_categories(categories), m_locations(locations) {
    static const bool registered = (RegisterTemplate(), true);
    (void)registered;
    MapCommand(IDC_ALL_CATEGORIES, [this] { OnAllToggled(IDC_ALL_CATEGORIES, IDC_CATEGORIES, IDC_NO_CATEGORY); });
    MapCommand(IDC_ALL_LOCATIONS, [this] { OnAllToggled(IDC_ALL_LOCATIONS, IDC_LOCATIONS, IDC_NO_LOCATION); });
}

BOOL CExtendedSaveDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    GetDialog()->layout()->setSizeConstraint(QLayout::SetFixedSize);
    FillList(m_categoryList, IDC_CATEGORIES, m_categories);
    FillList(m_locationList, IDC_LOCATIONS, m_locations);
    for (int id : {IDC_NOT_PURCHASED, IDC_PURCHASED, IDC_ALL_CATEGORIES, IDC_ALL_LOCATIONS, IDC_NO_CATEGORY,
                   IDC_NO_LOCATION})
        CheckDlgButton(id, BST_CHECKED);
    return TRUE;
}

void CExtendedSaveDlg::FillList(CListCtrl& list, int id, const rep::vector<TCHAR*>& names) {
    list.Attach(GetDlgItem(id));
    list.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    list.InsertColumn(0, u"Name", LVCFMT_LEFT);
    // The one column takes the list's width.
    list.GetWidget()->header()->setStretchLastSection(true);
    for (const TCHAR* name : names) {
        const int row = list.InsertItem(list.GetItemCount(), name ? name : u"");
        list.SetCheck(row, TRUE);
    }
}

void CExtendedSaveDlg::OnAllToggled(int allId, int listId, int withoutId) {
    const bool some = IsDlgButtonChecked(allId) != BST_CHECKED;
    GetDlgItem(listId)->setEnabled(some);
    GetDlgItem(withoutId)->setEnabled(some);
}

void CExtendedSaveDlg::ReadTicked(const CListCtrl& list, rep::string_list& names) {
    for (int row = 0; row < list.GetItemCount(); ++row)
        if (list.GetCheck(row))
            names.push_back(Util::tcsdup(list.GetItemText(row, 0)));
}

void CExtendedSaveDlg::OnOK() {
    auto ticked = [this](int id) { return IsDlgButtonChecked(id) == BST_CHECKED; };
    m_filter.includeNotPurchased = ticked(IDC_NOT_PURCHASED);
    m_filter.includePurchased = ticked(IDC_PURCHASED);
    m_filter.allCategories = ticked(IDC_ALL_CATEGORIES);
    m_filter.allLocations = ticked(IDC_ALL_LOCATIONS);
    m_filter.includeWithoutCategory = ticked(IDC_NO_CATEGORY);
    m_filter.includeWithoutLocation = ticked(IDC_NO_LOCATION);
    rep::delete_arrays(m_filter.categories);
    rep::delete_arrays(m_filter.locations);
    if (!m_filter.allCategories)
        ReadTicked(m_categoryList, m_filter.categories);
    if (!m_filter.allLocations)
        ReadTicked(m_locationList, m_filter.locations);
    EndDialog(IDOK);
}
