#include "CEditListsPropertySheet.h"

#include "CFrameWnd.h"
#include "ListoraStrings.h"
#include "listoradoc.h"

CEditListsPropertySheet::CEditListsPropertySheet(CListoraDoc& doc, CWnd* parent)
    : CPropertySheet(u"Item Manager", parent),
      m_itemPage(doc),
      m_locationsPage(
          doc.GetLocations(), IDS_LOCATIONS, IDS_LOCATION_EXISTS,
          [&doc](LPCTSTR name) { return doc.IsLocationUsed(name); },
          [&doc](LPCTSTR name) { doc.RemoveLocationFromAll(name); }),
      m_categoriesPage(
          doc.GetCategories(), IDS_CATEGORIES, IDS_CATEGORY_EXISTS,
          [&doc](LPCTSTR name) { return doc.IsCategoryUsed(name); },
          [&doc](LPCTSTR name) { doc.RemoveCategoryFromAll(name); }),
      m_unitsPage(
          doc.GetUnits(), IDS_UNITS, IDS_UNIT_EXISTS, [&doc](LPCTSTR name) { return doc.IsUnitUsed(name); },
          [&doc](LPCTSTR name) { doc.RemoveUnitFromAll(name); }) {
    AddPage(&m_itemPage);
    AddPage(&m_locationsPage);
    AddPage(&m_categoriesPage);
    AddPage(&m_unitsPage);
}

CEditListsPropertySheet::~CEditListsPropertySheet() {
    // The pages are members: the sheet lets go of them before they go.
    while (GetPageCount() > 0)
        RemovePage(0);
    DestroyWindow();
}

BOOL CEditListsPropertySheet::OnInitDialog() {
    for (int i = 0; i < GetPageCount(); ++i)
        GetPage(i)->OnSetActive();
    return CPropertySheet::OnInitDialog();
}

void CEditListsPropertySheet::Run(CListoraDoc& doc) {
    auto* frame = dynamic_cast<IListoraFrame*>(doc.GetFrame());
    if (frame)
        frame->ShowCommandBar(FALSE);
    {
        CEditListsPropertySheet sheet(doc, doc.GetFrame());
        sheet.DoModal();
    }
    if (frame)
        frame->ShowCommandBar(TRUE);
    doc.UpdateLists();
    // Items may have changed under the views.
    doc.UpdateAllViews(nullptr, CListoraDoc::kHintGeneral);
    if (frame)
        frame->RebuildRestrictionMenus(&doc);
}
