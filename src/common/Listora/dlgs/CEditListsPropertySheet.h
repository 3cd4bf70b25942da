// The Item Manager: one sheet for the whole catalogue, with the items page and the
// pages of the locations, categories and units. Item changes reach the store at once;
// the three name lists are written when the sheet closes.
#pragma once
#include "CEditListPage.h"
#include "CItemManagerPage.h"
#include "CPropertySheet.h"

class CListoraDoc;

class CEditListsPropertySheet : public CPropertySheet {
public:
    // The document must outlive the sheet.
    explicit CEditListsPropertySheet(CListoraDoc& doc, CWnd* parent = nullptr);
    ~CEditListsPropertySheet() override;

    // Every page is set up at once: each then scrolls its controls in a short window
    // instead of making the sheet as tall as its controls.
    BOOL OnInitDialog() override;

    // The Item Manager command: hides the command bar while the sheet runs, then
    // writes the name lists to the store, redraws the views and rebuilds the frame's
    // restriction menus.
    static void Run(CListoraDoc& doc);

    CItemManagerPage& GetItemPage() { return m_itemPage; }
    CEditListPage& GetLocationsPage() { return m_locationsPage; }
    CEditListPage& GetCategoriesPage() { return m_categoriesPage; }
    CEditListPage& GetUnitsPage() { return m_unitsPage; }

private:
    CItemManagerPage m_itemPage;
    CEditListPage m_locationsPage;
    CEditListPage m_categoriesPage;
    CEditListPage m_unitsPage;
};
