#include "listoradoc.h"

#include "AfxMessageBox.h"
#include "CCmdUI.h"
#include "CFileDialog.h"
#include "CFrameWnd.h"
#include "CSingleDocTemplate.h"
#include "CView.h"
#include "CWaitCursor.h"
#include "CWinApp.h"
#include "Text/Path.h"
#include "LRRegistry.h"
#include "ListCapacity.h"
#include "ListAutosave.h"
#include "ListFile.h"
#include "ListSaver.h"
#include "MergeItems.h"
#include "NameList.h"
#include "NameUsage.h"
#include "Options.h"
#include "PurchaseOrder.h"
#include "ListoraStrings.h"
#include "System/Diagnostics/Trace.h"
#include "WideString.h"

#include <algorithm>
#include <string_view>
#include <unordered_set>
#include <vector>

using Diagnostics::Trace;

namespace {

const TCHAR* const kSourceFile = u"" __FILE__;

std::u16string_view TextOf(const TCHAR* text) {
    return text ? std::u16string_view(text) : std::u16string_view();
}

bool NameAscending(const Item* a, const Item* b) {
    return CompareNoCase(a->Name(), b->Name()) < 0;
}

bool NameDescending(const Item* a, const Item* b) {
    return CompareNoCase(a->Name(), b->Name()) > 0;
}

CString FormatText(UINT id, const TCHAR* argument) {
    CString text;
    text.Format(LoadString(id), argument ? argument : u"");
    return text;
}

// Puts the current option set into the store, so that the next start sees it.
void StoreOptions() {
    LRRegistry& registry = TheRegistry();
    if (registry.init())
        TheOptions().Save(registry);
}

bool g_saving = false;

}  // namespace

CListoraDoc::CListoraDoc() : m_autosave(std::make_unique<ListAutosave>(*this)) {
    MapCommand(ID_CHOOSE_ITEMS, &CListoraDoc::OnChooseItems);
    MapCommand(ID_ADD_ITEM, &CListoraDoc::OnAddItem);
    MapCommand(ID_CLEAR_LIST, &CListoraDoc::OnClearList);
    MapCommand(ID_REMOVE_PURCHASED, &CListoraDoc::OnRemovePurchased);
    MapCommand(ID_SAVE_AS, &CListoraDoc::OnSaveAs);
    MapCommand(ID_SELECT_BACKGROUND, &CListoraDoc::OnSelectBackground);
    MapCommand(ID_SYNCHRONIZE_ITEMS, &CListoraDoc::OnSynchronizeItems);
    MapCommandRange(ID_CATEGORY_ALL, ID_CATEGORY_LAST, &CListoraDoc::OnCategoryRestriction);
    MapCommandRange(ID_LOCATION_ALL, ID_LOCATION_LAST, &CListoraDoc::OnLocationRestriction);

    MapUpdateCommand(ID_CHOOSE_ITEMS, &CListoraDoc::OnUpdateEnable);
    MapUpdateCommand(ID_ADD_ITEM, &CListoraDoc::OnUpdateEnable);
    MapUpdateCommand(ID_SELECT_CATEGORY, &CListoraDoc::OnUpdateEnable);
    MapUpdateCommand(ID_CLEAR_LIST, &CListoraDoc::OnUpdateEnable);
    MapUpdateCommand(ID_SAVE_AS, &CListoraDoc::OnUpdateEnable);
    MapUpdateCommand(ID_SELECT_BACKGROUND, &CListoraDoc::OnUpdateEnable);
    MapUpdateCommand(ID_REMOVE_PURCHASED, &CListoraDoc::OnUpdateRemovePurchased);
    MapUpdateCommandRange(ID_CATEGORY_ALL, ID_CATEGORY_LAST, &CListoraDoc::OnUpdateEnable);
    MapUpdateCommandRange(ID_LOCATION_ALL, ID_LOCATION_LAST, &CListoraDoc::OnUpdateEnable);
    // Commands without their dialogs in this build are disabled.
    for (UINT id : {ID_SET_TAX_RATES, ID_OPTIONS, ID_ITEM_MANAGER,
                    ID_MANAGE_TEMPLATES, ID_EXPORT, ID_IMPORT, ID_EXTENDED_SAVE})
        MapUpdateCommand(id, &CListoraDoc::OnUpdateDisable);
}

CListoraDoc::~CListoraDoc() {
    m_autosave.reset();  // its last write ends while the document is whole
    // The views are gone or going: nothing to reset.
    rep::delete_objects(m_purchases);
    rep::delete_objects(m_items);
    FreeNames(m_categories);
    FreeNames(m_locations);
    FreeNames(m_units);
}

// ---------------------------------------------------------------------------------
// Framework overrides

void CListoraDoc::SetTitle(LPCTSTR title) {
    if (!TheOptions().GetOnDevice()) {
        CDocument::SetTitle(title);
        return;
    }
    const CString prefixed = LoadString(IDS_POCKETPC_PREFIX) + (title ? title : u"");
    CDocument::SetTitle(prefixed);
}

void CListoraDoc::SetPathName(LPCTSTR path, BOOL addToRecentFiles) {
    // A failed open that brought the last list back leaves that list's file as the
    // document's file, whatever the framework asked to open.
    if (path && !m_currentPath.empty() && m_currentPath != path)
        path = m_currentPath.c_str();
    CDocument::SetPathName(path, addToRecentFiles);
}

void CListoraDoc::DeleteContents() {
    ResetViews();
    DestroyPurchases();
    DestroyItems();
    FreeNames(m_categories);
    FreeNames(m_locations);
    FreeNames(m_units);
    m_listsLoaded = false;
    CDocument::DeleteContents();
}

BOOL CListoraDoc::OnNewDocument() {
    const ListAutosave::Pause pause(m_autosave.get());
    if (IsModified())
        SaveModified();
    ResetViews();
    ResetState();

    CFileDialog dialog(FALSE, u"lsr", nullptr, OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY, kListFilter);
    if (dialog.DoModal() != IDOK)
        return FALSE;

    Options& options = TheOptions();
    options.SetLastFile(dialog.GetPathName());
    options.SetChanged();
    options.SetOnDevice(false);
    SetTitle(dialog.GetFileTitle());
    ClearList();
    m_autosave->SetAllowed(true);
    SetModifiedFlag(TRUE);
    return TRUE;
}

BOOL CListoraDoc::OnOpenDocument(LPCTSTR path) {
    const bool loaded = LoadList(path, false, true);
    m_autosave->SetAllowed(loaded);  // an empty list must not replace one that failed to load

    SortNameList(m_locations);
    SortNameList(m_units);
    SortNameList(m_categories);

    // Names the lines use but the catalogue lacks join the name lists. They are
    // gathered first and stored once: the result is that of adding them one by one.
    bool added = false;
    for (const Purchase* purchase : m_purchases) {
        added = AddToNameList(m_locations, purchase->GetLocation()) || added;
        added = AddToNameList(m_units, purchase->GetUnit()) || added;
        for (const TCHAR* category : purchase->GetCategories())
            added = AddToNameList(m_categories, category) || added;
    }
    if (added)
        UpdateLists();

    RebuildRestrictionMenus();
    return loaded ? TRUE : FALSE;
}

void CListoraDoc::SetModifiedFlag(BOOL modified) {
    CDocument::SetModifiedFlag(modified);
    if (modified && m_autosave)
        m_autosave->Changed();
}

BOOL CListoraDoc::SaveModified() {
    const ListAutosave::Pause pause(m_autosave.get());
    if (!IsModified())
        return TRUE;
    if (g_saving) {
        Trace::WriteLine(u"Second time :( ?!?! ");
        return TRUE;
    }
    g_saving = true;
    Trace::WriteFormattedLineT(u"info", u"%s", u"SaveModified begins");

    Options& options = TheOptions();
    const std::u16string lastFile(TextOf(options.GetLastFile()));
    std::u16string path = lastFile;
    const bool onDevice = options.GetOnDevice();
    if (!ListSaver::TargetFor(path)) {
        Trace::WriteFormattedLineT(u"info", u"%s", u"Save cancelled");
        g_saving = false;
        return TRUE;
    }
    const bool written = ListSaver::WriteWithRetry(path, m_purchases);
    if (written) {
        options.SetOnDevice(onDevice);
        options.SetLastFile(path.c_str());
        options.SetChanged();
        if (path != lastFile)
            FollowSavedFile(path);
    }
    CWaitCursor wait;

    LRRegistry& registry = TheRegistry();
    if (!registry.init()) {
        Trace::WriteFormattedLineT(u"error", u"%s(%d) : Cannot init registry key!", kSourceFile, __LINE__);
        AfxMessageBox(IDS_CANNOT_UPDATE_REGISTRY, MB_OK);
    } else {
        registry.SaveCategories(m_categories);
        registry.SaveLocations(m_locations);
        registry.SaveUnits(m_units);
        options.Save(registry);
        // A list the user gave up saving keeps its changes (and is offered again).
        if (written)
            SetModifiedFlag(FALSE);
    }

    g_saving = false;
    return TRUE;
}

bool CListoraDoc::LoadList(LPCTSTR pathArgument, bool onDevice, bool asDocument) {
    const ListAutosave::Pause pause(m_autosave.get());
    std::u16string path(TextOf(pathArgument));
    bool retry = false;
    for (;;) {
        if (asDocument)
            DeleteContents();
        ResetState();
        ResetViews();
        CWaitCursor wait;

        // The lines are read aside and join the list only when the whole file was
        // read: a damaged file adds nothing.
        rep::vector<Purchase*> loaded;
        const DWORD itemsBefore = m_items.size();
        ListFile file;
        const int result = file.Load(path.c_str(), loaded, m_items, m_locations);
        if (m_items.size() != itemsBefore)
            CatalogueChanged();

        if (result != LR_OK) {
            rep::delete_objects(loaded);
            // Catalogue items a text list added before its error go with it.
            while (m_items.size() > itemsBefore) {
                delete m_items.back();
                m_items.pop_back();
            }
            if (result == LR_UNSUPPORTED)
                Trace::WriteLine(u"Unsupported file extention!");
            else if (const TCHAR* reason = ListFile::FailureText(result))
                Trace::WriteFormattedLineT(u"error", u"%s", reason);
            AfxMessageBox(FormatText(IDS_CANNOT_OPEN_FILE, path.c_str()), MB_OK);
            if (retry) {
                // The retry started from an empty list: the document stays empty.
                AfxMessageBox(IDS_REOPEN_FAILED, MB_OK);
                return false;
            }
            // Nothing was open before, or the lines were to join the open list (which
            // is still there as it was): nothing to bring back.
            if (m_currentPath.empty() || !asDocument)
                return false;
            path = TextOf(TheOptions().GetLastFile());
            onDevice = TheOptions().GetOnDevice();
            retry = true;
            continue;
        }

        MakeRoom(m_purchases, loaded.size());
        for (Purchase* purchase : loaded)
            m_purchases.push_back(purchase);
        loaded.clear();
        m_purchaseIndex.Invalidate();

        AddLoadedItemsToCatalogue();
        SortLists();
        // Lines merged into the open list are not in its file yet.
        SetModifiedFlag(asDocument ? FALSE : TRUE);

        if (asDocument) {
            Options& options = TheOptions();
            options.SetLastFile(path.c_str());
            options.SetChanged();
            options.SetOnDevice(onDevice);
            m_currentPath = path;
            m_currentOnDevice = onDevice;
            // The next start reopens this list even when nothing changes before exit.
            StoreOptions();
        }
        TheRegistry().SaveItems(m_items);
        return true;
    }
}

// ---------------------------------------------------------------------------------
// List operations

Purchase* CListoraDoc::FindPurchase(LPCTSTR name) {
    return name ? m_purchaseIndex.Find(name, m_purchases) : nullptr;
}

Item* CListoraDoc::FindItem(LPCTSTR name) {
    return name ? m_itemIndex.Find(name, m_items) : nullptr;
}

void CListoraDoc::AddPurchase(Purchase* purchase) {
    if (!purchase)
        return;
    CurrentOrder().Insert(m_purchases, purchase);
    m_purchaseIndex.Add(purchase);
    SortItemsForColumn();
    CheckTotalNotice();
    SetModifiedFlag(TRUE);
    UpdateAllViews(nullptr, kHintGeneral);
}

void CListoraDoc::EditPurchase(Purchase* purchase) {
    auto* dialogs = dynamic_cast<IListoraDialogs*>(AfxGetApp());
    Purchase* result = nullptr;
    bool isNew = false;
    if (dialogs && dialogs->RunAddItemDialog(*this, purchase, result, isNew))
        ApplyEdit(result, isNew);
}

void CListoraDoc::ApplyEdit(Purchase* purchase, bool isNew) {
    if (!purchase)
        return;
    // The dialog writes into the line of the name it shows, so an edited line keeps
    // its name; one renamed by another caller makes the name index start afresh.
    if (!isNew && m_purchaseIndex.Find(purchase->Name(), m_purchases) != purchase)
        PurchasesChanged();
    if (isNew) {
        CurrentOrder().Insert(m_purchases, purchase);
        m_purchaseIndex.Add(purchase);
        if (!FindItem(purchase->GetName())) {
            Item* item = new Item(*purchase);
            if (!AddCatalogueItem(item, purchase->IsOnce()))
                delete item;
        }
    }
    SortLists();
    CheckTotalNotice();
    UpdateAllViews(nullptr, kHintGeneral);
    // Marked before the autosave so that the save includes this edit.
    SetModifiedFlag(TRUE);
    if (TheOptions().GetAutosave())
        SaveModified();
}

void CListoraDoc::RemovePurchase(Purchase* purchase) {
    const int index = m_purchases.indexOf(purchase);
    if (index < 0)
        return;
    ResetViews();
    m_purchases.erase(static_cast<DWORD>(index));
    m_purchaseIndex.Remove(purchase, m_purchases);
    delete purchase;
    SetModifiedFlag(TRUE);
    UpdateAllViews(nullptr, kHintGeneral);
}

void CListoraDoc::ClearList() {
    DestroyPurchases();
    m_categoryRestriction.reset();
    m_locationRestriction.reset();
}

void CListoraDoc::SortList() {
    SortLists();
    UpdateAllViews(nullptr, kHintGeneral);
}

PurchaseOrder CListoraDoc::CurrentOrder() {
    return PurchaseOrder(TheOptions().GetSortColumn(), TheOptions().GetSortDirection());
}

void CListoraDoc::SortLists() {
    CurrentOrder().Sort(m_purchases);
    SortItemsForColumn();
}

void CListoraDoc::SortItemsForColumn() {
    // The catalogue follows the list when it is sorted by name, and is kept A to Z for
    // a sort by price.
    const DWORD column = TheOptions().GetSortColumn();
    if (column == KindName)
        SortItemsByName(TheOptions().GetSortDirection() == 1);
    else if (column == KindPrice)
        SortItemsByName(false);
}

void CListoraDoc::SortItemsByName(bool descending) {
    const ItemOrder wanted = descending ? ItemOrder::Descending : ItemOrder::Ascending;
    if (m_itemOrder == wanted)
        return;
    auto before = descending ? NameDescending : NameAscending;
    auto after = descending ? NameAscending : NameDescending;
    if (!std::is_sorted(m_items.begin(), m_items.end(), before)) {
        if (std::is_sorted(m_items.begin(), m_items.end(), after))
            std::reverse(m_items.begin(), m_items.end());
        else
            std::sort(m_items.begin(), m_items.end(), before);
    }
    m_itemOrder = wanted;
}

// ---------------------------------------------------------------------------------
// Catalogue operations

bool CListoraDoc::AddCatalogueItem(Item* item, bool listOnly) {
    if (!item)
        return false;
    SortItemsByName(false);
    Item** place = std::lower_bound(m_items.begin(), m_items.end(), item, NameAscending);
    if (place != m_items.end() && EqualsNoCase((*place)->Name(), item->Name()))
        return false;
    m_items.insert(static_cast<DWORD>(place - m_items.begin()), item);
    m_itemIndex.Add(item);
    if (!listOnly && !TheRegistry().InsertItem(*item))
        Trace::WriteFormattedLineT(u"error", u"%s", u"Cannot add item to registry");
    return true;
}

void CListoraDoc::AddLoadedItemsToCatalogue() {
    // A line not found in the catalogue by its exact name is offered to it, and taken
    // when no item carries its name ignoring case. Done for all lines at once: the
    // new items are sorted and merged in, which is the order offering them one by one
    // gives (each offer puts the catalogue in ascending order first).
    std::unordered_set<std::u16string> known;
    known.reserve(m_items.size() + m_purchases.size());
    for (const Item* item : m_items)
        known.insert(FoldCase(item->Name()));
    bool offered = false;
    std::vector<Item*> added;
    for (const Purchase* purchase : m_purchases) {
        if (purchase->IsOnce() || m_itemIndex.Find(purchase->Name(), m_items))
            continue;
        offered = true;
        if (known.insert(FoldCase(purchase->Name())).second)
            added.push_back(new Item(*purchase));
    }
    if (!offered)
        return;
    SortItemsByName(false);
    if (added.empty())
        return;

    MergeSortedItems(m_items, added);
    m_itemOrder = ItemOrder::Ascending;
    for (Item* item : added)
        m_itemIndex.Add(item);
    // Every catalogue item is written to the store when the load ends, these with them.
}

void CListoraDoc::RemoveCatalogueItem(Item* item) {
    if (!item)
        return;
    if (!TheRegistry().RemoveItem(*item)) {
        Trace::WriteFormattedLineT(u"error", u"Failed to remove item '%s'", item->GetName());
        AfxMessageBox(IDS_CANNOT_REMOVE_ITEM, MB_OK);
        return;
    }
    const int index = m_items.indexOf(item);
    if (index >= 0) {
        m_items.erase(static_cast<DWORD>(index));
        m_itemIndex.Remove(item, m_items);
    }
    delete item;
    UpdateAllViews(nullptr, kHintGeneral);
}

bool CListoraDoc::AddUnit(LPCTSTR name) {
    if (!AddToNameList(m_units, name))
        return false;
    UpdateLists();
    return true;
}

bool CListoraDoc::AddCategory(LPCTSTR name) {
    if (!AddToNameList(m_categories, name))
        return false;
    UpdateLists();
    RebuildRestrictionMenus();
    return true;
}

bool CListoraDoc::AddLocation(LPCTSTR name) {
    if (!AddToNameList(m_locations, name))
        return false;
    UpdateLists();
    RebuildRestrictionMenus();
    return true;
}

bool CListoraDoc::UpdateLists() {
    Trace::WriteFormattedLineT(u"info", u"%s", u"Update Lists starts");
    LRRegistry& registry = TheRegistry();
    if (!registry.init()) {
        Trace::WriteFormattedLineT(u"error", u"%s(%d) : Cannot init registry key!", kSourceFile, __LINE__);
        AfxMessageBox(IDS_CANNOT_UPDATE_REGISTRY, MB_OK);
        return true;
    }
    registry.SaveLocations(m_locations);
    registry.SaveUnits(m_units);
    registry.SaveCategories(m_categories);
    return true;
}

void CListoraDoc::LoadCatalogue() {
    if (m_listsLoaded)
        return;
    LRRegistry& registry = TheRegistry();
    if (!registry.GetCategories(m_categories))
        Trace::WriteFormattedLineT(u"error", u"%s", u"LRRegistry::GetCategories fails!");
    if (!registry.GetLocations(m_locations))
        Trace::WriteFormattedLineT(u"error", u"%s", u"LRRegistry::GetLocations fails!");
    if (!registry.GetUnits(m_units))
        Trace::WriteFormattedLineT(u"error", u"%s", u"LRRegistry::GetUnits fails!");

    if (m_items.empty()) {
        registry.GetItems(m_items);
        m_itemOrder = ItemOrder::Unknown;
    } else {
        rep::vector<Item*> stored;
        if (!registry.GetItems(stored)) {
            rep::delete_objects(stored);
            Trace::WriteFormattedLineT(u"error", u"%s", u"Cannot read items from LRRegistry!");
        } else {
            MergeItems(m_items, stored, MERGE_TAMRA_OB);
            m_itemOrder = ItemOrder::Ascending;
        }
    }
    m_itemIndex.Invalidate();

    RemoveDuplicates(m_categories);
    RemoveDuplicates(m_locations);
    RemoveDuplicates(m_units);
    m_listsLoaded = true;
}

void CListoraDoc::CatalogueChanged() {
    m_itemIndex.Invalidate();
    m_itemOrder = ItemOrder::Unknown;
}

void CListoraDoc::PurchasesChanged() {
    m_purchaseIndex.Invalidate();
}

// ---------------------------------------------------------------------------------
// Name-list maintenance

bool CListoraDoc::IsCategoryUsed(LPCTSTR name) const {
    return NameUsage(NameUsage::Category, name).IsUsed(m_items, m_purchases);
}

bool CListoraDoc::IsLocationUsed(LPCTSTR name) const {
    return NameUsage(NameUsage::Location, name).IsUsed(m_items, m_purchases);
}

bool CListoraDoc::IsUnitUsed(LPCTSTR name) const {
    return NameUsage(NameUsage::Unit, name).IsUsed(m_items, m_purchases);
}

void CListoraDoc::RemoveCategoryFromAll(LPCTSTR name) {
    RemoveNameFromAll(NameUsage(NameUsage::Category, name));
}

void CListoraDoc::RemoveLocationFromAll(LPCTSTR name) {
    RemoveNameFromAll(NameUsage(NameUsage::Location, name));
}

void CListoraDoc::RemoveUnitFromAll(LPCTSTR name) {
    RemoveNameFromAll(NameUsage(NameUsage::Unit, name));
}

void CListoraDoc::RemoveNameFromAll(const NameUsage& usage) {
    if (usage.RemoveFromAll(m_items, m_purchases)) {
        SetModifiedFlag(TRUE);
        UpdateAllViews(nullptr, kHintGeneral);
    }
}

// ---------------------------------------------------------------------------------
// Restrictions

void CListoraDoc::SetCategoryRestriction(LPCTSTR name) {
    SetRestriction(m_categoryRestriction, name, kHintCategoryRestriction);
    if (IListoraFrame* frame = GetListoraFrame())
        frame->MarkCategoryRestriction(GetCategoryRestriction());
}

void CListoraDoc::SetLocationRestriction(LPCTSTR name) {
    SetRestriction(m_locationRestriction, name, kHintLocationRestriction);
    if (IListoraFrame* frame = GetListoraFrame())
        frame->MarkLocationRestriction(GetLocationRestriction());
}

void CListoraDoc::SetRestriction(std::unique_ptr<std::u16string>& restriction, LPCTSTR name, LPARAM hint) {
    if (name)
        restriction = std::make_unique<std::u16string>(name);
    else
        restriction.reset();
    UpdateAllViews(nullptr, hint);
}

void CListoraDoc::RebuildRestrictionMenus() {
    if (IListoraFrame* frame = GetListoraFrame())
        frame->RebuildRestrictionMenus(this);
}

void CListoraDoc::ShowCommandBar(bool show) {
    if (IListoraFrame* frame = GetListoraFrame())
        frame->ShowCommandBar(show ? TRUE : FALSE);
}

IListoraFrame* CListoraDoc::GetListoraFrame() const {
    return dynamic_cast<IListoraFrame*>(GetFrame());
}

CFrameWnd* CListoraDoc::GetFrame() const {
    for (CView* view : GetViews())
        if (CFrameWnd* frame = view->GetParentFrame())
            return frame;
    if (CSingleDocTemplate* docTemplate = GetDocTemplate())
        if (CFrameWnd* frame = docTemplate->GetFrame())
            return frame;
    return dynamic_cast<CFrameWnd*>(AfxGetMainWnd());
}

// ---------------------------------------------------------------------------------
// Total notice

void CListoraDoc::CheckTotalNotice() {
    const Options& options = TheOptions();
    if (!options.GetNotifyWhenReach())
        return;
    float total = 0.0f;
    for (const Purchase* purchase : m_purchases)
        total = purchase->GetQty() * purchase->GetPrice() + total;
    if (static_cast<float>(options.GetNotifyWhenReachSum()) < total) {
        CString text;
        text.Format(LoadString(IDS_TOTAL_NOTICE), static_cast<double>(total));
        AfxMessageBox(text, MB_OK);
    }
}

// ---------------------------------------------------------------------------------
// Commands

void CListoraDoc::OnChooseItems() {
    if (auto* switcher = dynamic_cast<IListoraViewSwitcher*>(AfxGetApp()))
        switcher->SwitchView();
    SetModifiedFlag(TRUE);
    UpdateAllViews(nullptr, kHintGeneral);
}

void CListoraDoc::OnAddItem() {
    EditPurchase(nullptr);
}

void CListoraDoc::OnClearList() {
    if (AfxMessageBox(IDS_ARE_YOU_SURE, MB_YESNO) != IDYES)
        return;
    DestroyPurchases();
    UpdateAllViews(nullptr, kHintGeneral);
    SetModifiedFlag(TRUE);
}

void CListoraDoc::OnRemovePurchased() {
    m_showPurchased = !m_showPurchased;
    UpdateAllViews(nullptr, kHintGeneral);
}

void CListoraDoc::OnSaveAs() {
    const ListAutosave::Pause pause(m_autosave.get());
    CFileDialog dialog(FALSE, u"lsr", nullptr, OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY, kListFilter);
    if (dialog.DoModal() != IDOK)
        return;
    std::u16string path = dialog.GetPathName().str();
    if (!ListSaver::TargetFor(path))
        return;
    if (!ListSaver::Write(path, m_purchases)) {
        ListSaver::ReportFailure(path);
        return;
    }
    Options& options = TheOptions();
    options.SetLastFile(path.c_str());
    options.SetChanged();
    options.SetOnDevice(false);
    // The list now lives in the new file: the next start must open that one.
    StoreOptions();
    FollowSavedFile(path);
    SetModifiedFlag(FALSE);
}

void CListoraDoc::OnSelectBackground() {
    auto* dialogs = dynamic_cast<IListoraDialogs*>(AfxGetApp());
    if (!dialogs)
        return;
    Options& options = TheOptions();
    DWORD tile = options.GetTileNumber();
    if (!dialogs->SelectTile(tile))
        return;
    options.SetTileNumber(tile);
    options.SetChanged();
    UpdateAllViews(nullptr);
}

void CListoraDoc::OnSynchronizeItems() {}

void CListoraDoc::OnCategoryRestriction(UINT id) {
    const TCHAR* name = nullptr;
    if (RestrictionName(id, ID_CATEGORY_ALL, m_categories, &name))
        SetCategoryRestriction(name);
}

void CListoraDoc::OnLocationRestriction(UINT id) {
    const TCHAR* name = nullptr;
    if (RestrictionName(id, ID_LOCATION_ALL, m_locations, &name))
        SetLocationRestriction(name);
}

bool CListoraDoc::RestrictionName(UINT id, UINT allId, const rep::vector<TCHAR*>& names, const TCHAR** name) {
    *name = nullptr;
    if (id == allId)
        return true;
    // The menu was built from the list as it was; an entry past its end is stale.
    const DWORD index = id - (allId + 1);
    if (index >= names.size())
        return false;
    *name = names[index];
    return true;
}

void CListoraDoc::OnUpdateEnable(CCmdUI* cmdUI) {
    cmdUI->Enable(TRUE);
}

void CListoraDoc::OnUpdateDisable(CCmdUI* cmdUI) {
    cmdUI->Enable(FALSE);
}

void CListoraDoc::OnUpdateRemovePurchased(CCmdUI* cmdUI) {
    cmdUI->Enable(TRUE);
    cmdUI->SetCheck(m_showPurchased ? 0 : 1);
}

// ---------------------------------------------------------------------------------
// Internals

void CListoraDoc::ResetState() {
    m_showPurchased = true;
    m_categoryRestriction.reset();
    m_locationRestriction.reset();
    m_listsLoaded = false;
    LoadCatalogue();
}

void CListoraDoc::ResetViews() {
    for (CView* view : GetViews())
        if (auto* listoraView = dynamic_cast<IListoraDocView*>(view))
            listoraView->ResetView();
}

void CListoraDoc::FollowSavedFile(const std::u16string& path) {
    m_currentPath = path;
    TCHAR title[_MAX_PATH_PART] = {};
    _tsplitpath(path.c_str(), nullptr, nullptr, title, nullptr);
    SetTitle(title);
}

void CListoraDoc::DestroyPurchases() {
    ResetViews();
    rep::delete_objects(m_purchases);
    m_purchaseIndex.Clear();
}

void CListoraDoc::DestroyItems() {
    rep::delete_objects(m_items);
    m_itemIndex.Clear();
    m_itemOrder = ItemOrder::Ascending;
}

void CListoraDoc::FreeNames(rep::vector<TCHAR*>& list) {
    rep::delete_arrays(list);
}
