// The Item Manager's items page: the catalogue by name, a name field with Add, and
// Edit and Delete for the tapped item. Every change reaches the catalogue store at once.
#pragma once
#include "CListCtrl.h"
#include "CScrollPropertyPage.h"

#include <vector>

class CListoraDoc;
class Item;

class CItemManagerPage : public CScrollPropertyPage {
public:
    static constexpr UINT IDD = 190;
    // Controls of resource 190.
    static constexpr int IDC_NAME = 1003;
    static constexpr int IDC_ADD = 1038;
    static constexpr int IDC_EDIT = 1037;
    static constexpr int IDC_DELETE = 1036;
    static constexpr int IDC_ITEMS = 1001;

    // The document must outlive the page.
    explicit CItemManagerPage(CListoraDoc& doc);
    ~CItemManagerPage() override;

    BOOL OnInitDialog() override;

    // Adds an item of the typed name, unless one of that name (ignoring case) exists.
    void OnAdd();
    // The item dialog for the tapped item; OK rewrites it in the store.
    void OnEdit();
    // Removes the tapped item after asking, unless a line of the list buys it.
    void OnDelete();

    CListCtrl& GetList() { return m_list; }

    // The control table of resource 190.
    static void RegisterTemplate();

private:
    static UINT Registered();
    void FillList();
    // The item of the tapped row (null when none); row gets its index.
    Item* TappedItem(int& row) const;
    void EnableItemButtons(bool enable);

    CListoraDoc& m_doc;
    CListCtrl m_list;
    // The rows' items: the catalogue sorted by name ignoring case.
    std::vector<Item*> m_sorted;
};
