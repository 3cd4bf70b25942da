#include "listoradoc.h"

#include "AfxMessageBox.h"
#include "CCmdUI.h"
#include "CFileDialog.h"
#include "CFrameWnd.h"
#include "CSingleDocTemplate.h"
#include "CView.h"
#include "CWaitCursor.h"
#include "CWinApp.h"
#include "CatalogueAdditions.h"
#include "ExchangeCommands.h"
#include "ImportBatch.h"
#include "Text/Path.h"
#include "dlgs/CEditListsPropertySheet.h"
#include "LRRegistry.h"
#include "ListCapacity.h"
#include "ListAutosave.h"
#include "ListFile.h"
#include "ListSaver.h"
#include "ListSender.h"
#include "NameList.h"
#include "NameUsage.h"
#include "Options.h"
#include "PurchaseOrder.h"
#include "StoredItems.h"
#include "ListoraStrings.h"
#include "System/Diagnostics/Trace.h"
#include "WideString.h"

#include <algorithm>
#include <string_view>
#include <utility>
#include <vector>

using Diagnostics::Trace;

namespace {

const TCHAR* const kSourceFile = u"" __FILE__;

std::u16string_view TextOf(const TCHAR* text) {
    return text ? std::u16string_view(text) : std::u16string_view();
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
    MapCommand(ID_SEND_AS_TEXT, &CListoraDoc::OnSendAsText);
    MapCommand(ID_SELECT_BACKGROUND, &CListoraDoc::OnSelectBackground);
    MapCommand(ID_OPTIONS, &CListoraDoc::OnOptions);
    MapCommand(ID_SET_TAX_RATES, &CListoraDoc::OnSetTaxRates);
    MapCommand(ID_ITEM_MANAGER, &CListoraDoc::OnItemManager);
    MapCommand(ID_SYNCHRONIZE_ITEMS, &CListoraDoc::OnSynchronizeItems);
    MapCommandRange(ID_CATEGORY_ALL, ID_CATEGORY_LAST, &CListoraDoc::OnCategoryRestriction);
    MapCommandRange(ID_LOCATION_ALL, ID_LOCATION_LAST, &CListoraDoc::OnLocationRestriction);

    MapUpdateCommand(ID_CHOOSE_ITEMS, &CListoraDoc::OnUpdateEnable);
    MapUpdateCommand(ID_ADD_ITEM, &CListoraDoc::OnUpdateEnable);
    MapUpdateCommand(ID_SELECT_CATEGORY, &CListoraDoc::OnUpdateEnable);
    MapUpdateCommand(ID_CLEAR_LIST, &CListoraDoc::OnUpdateEnable);
    MapUpdateCommand(ID_SAVE_AS, &CListoraDoc::OnUpdateEnable);
    MapUpdateCommand(ID_SEND_AS_TEXT, &CListoraDoc::OnUpdateEnable);
    MapUpdateCommand(ID_SELECT_BACKGROUND, &CListoraDoc::OnUpdateEnable);
    MapUpdateCommand(ID_ITEM_MANAGER, &CListoraDoc::OnUpdateEnable);
    MapUpdateCommand(ID_REMOVE_PURCHASED, &CListoraDoc::OnUpdateRemovePurchased);
    MapUpdateCommandRange(ID_CATEGORY_ALL, ID_CATEGORY_LAST, &CListoraDoc::OnUpdateEnable);
    MapUpdateCommandRange(ID_LOCATION_ALL, ID_LOCATION_LAST, &CListoraDoc::OnUpdateEnable);
    MapCommand(ID_EXPORT, [this] { ExchangeCommands(*this).Export(); });
    MapCommand(ID_IMPORT, [this] { ExchangeCommands(*this).Import(); });
    MapCommand(ID_MANAGE_TEMPLATES, [this] { ExchangeCommands(*this).ManageTemplates(); });
    MapCommand(ID_EXTENDED_SAVE, [this] { ExchangeCommands(*this).ExtendedSave(); });
}

CListoraDoc::~CListoraDoc() {
    m_autosave.reset();  // its last write ends while the document is whole
    // The views are gone or going: nothing to reset.
    rep::delete_objects(m_purchases);
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
    m_catalogue.Clear();
    FreeNames(m_categories);
    FreeNames(m_locations);
    FreeNames(m_units);
    m_listsLoaded = false;
    m_cataloguePending = false;
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

    // A put-off catalogue brings the names and the menus when it comes.
    if (!m_cataloguePending) {
        AddNamesOfLines();
        RebuildRestrictionMenus();
    }
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
    EnsureCatalogue();  // the name lists are written below
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
        const bool defer =
            asDocument && std::exchange(s_deferNextCatalogue, false) && !ListFile::IsTextListName(path.c_str());
        ResetState(!defer);
        m_cataloguePending = defer;
        ResetViews();
        CWaitCursor wait;

        // The lines are read aside and join the list only when the whole file was
        // read: a damaged file adds nothing.
        rep::vector<Purchase*> loaded;
        rep::vector<Item*>& items = m_catalogue.Edit();
        const DWORD itemsBefore = items.size();
        ListFile file;
        const int result = file.Load(path.c_str(), loaded, items, m_locations);

        if (result != LR_OK) {
            rep::delete_objects(loaded);
            // Catalogue items a text list added before its error go with it.
            while (items.size() > itemsBefore) {
                delete items.back();
                items.pop_back();
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

        // The catalogue came from the store; only the items this list adds are new to it.
        rep::vector<Item*> fresh;
        for (DWORD i = itemsBefore; i < items.size(); ++i)
            fresh.push_back(items[i]);
        if (items.size() != itemsBefore)
            CatalogueChanged();
        MakeRoom(m_purchases, loaded.size());
        for (Purchase* purchase : loaded)
            m_purchases.push_back(purchase);
        loaded.clear();
        m_purchaseIndex.Invalidate();

        CurrentOrder().Sort(m_purchases);
        if (!m_cataloguePending)
            JoinListToCatalogue(fresh);
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
        return true;
    }
}

// ---------------------------------------------------------------------------------
// List operations

Purchase* CListoraDoc::FindPurchase(LPCTSTR name) {
    if (m_import)
        return m_import->FindPurchase(name);
    return name ? m_purchaseIndex.Find(name, m_purchases) : nullptr;
}

Item* CListoraDoc::FindItem(LPCTSTR name) {
    return Loaded().m_catalogue.Find(name);
}

void CListoraDoc::AddPurchase(Purchase* purchase) {
    if (m_import)
        return m_import->AddPurchase(purchase);
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
    if (m_import)
        return m_import->RemovePurchase(purchase);
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
        m_catalogue.SortByName(TheOptions().GetSortDirection() == 1);
    else if (column == KindPrice)
        m_catalogue.SortByName(false);
}

// ---------------------------------------------------------------------------------
// Catalogue operations

bool CListoraDoc::AddCatalogueItem(Item* item, bool listOnly) {
    if (m_import)
        return m_import->AddCatalogueItem(item, listOnly);
    if (!Loaded().m_catalogue.Add(item))
        return false;
    StoredItems::FinishSaving(TheRegistry());
    if (!listOnly && !TheRegistry().InsertItem(*item))
        Trace::WriteFormattedLineT(u"error", u"%s", u"Cannot add item to registry");
    return true;
}

void CListoraDoc::RemoveCatalogueItem(Item* item) {
    if (!item)
        return;
    EnsureCatalogue();
    StoredItems::FinishSaving(TheRegistry());
    if (!TheRegistry().RemoveItem(*item)) {
        Trace::WriteFormattedLineT(u"error", u"Failed to remove item '%s'", item->GetName());
        AfxMessageBox(IDS_CANNOT_REMOVE_ITEM, MB_OK);
        return;
    }
    m_catalogue.Remove(item);
    delete item;
    UpdateAllViews(nullptr, kHintGeneral);
}

bool CListoraDoc::AddName(NameAdditions::List which, LPCTSTR name) {
    if (m_import)
        return m_import->Names().Add(which, name);
    EnsureCatalogue();
    rep::vector<TCHAR*>& list =
        which == NameAdditions::UNITS ? m_units : which == NameAdditions::CATEGORIES ? m_categories : m_locations;
    if (!AddToNameList(list, name))
        return false;
    UpdateLists();
    if (which != NameAdditions::UNITS)
        RebuildRestrictionMenus();
    return true;
}

void CListoraDoc::BeginImport() {
    if (m_import)
        return;
    EnsureCatalogue();
    m_import = std::make_unique<ImportBatch>(
        ImportBatch::Lists{m_purchases, m_catalogue, m_categories, m_locations, m_units, m_purchaseIndex});
}

void CListoraDoc::EndImport() {
    if (!m_import)
        return;
    // The lines the import replaced are destroyed now: no view may still hold them.
    ResetViews();
    const ImportBatch::Outcome done = m_import->Finish(TheRegistry());
    m_import.reset();
    if (done.namesAdded)
        UpdateLists();
    if (done.restrictionNamesAdded)
        RebuildRestrictionMenus();
    if (done.purchasesAdded) {
        SortItemsForColumn();
        CheckTotalNotice();
    }
    if (done.listChanged)
        SetModifiedFlag(TRUE);
    UpdateAllViews(nullptr, kHintGeneral);
}

bool CListoraDoc::UpdateLists() {
    EnsureCatalogue();
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
    StoredItems::ReadNames(TheRegistry(), m_categories, m_locations, m_units);
    StoredItems::ReadInto(TheRegistry(), m_catalogue);
    m_listsLoaded = true;
}

void CListoraDoc::CatalogueChanged() {
    m_catalogue.Changed();
}

void CListoraDoc::PurchasesChanged() {
    m_purchaseIndex.Invalidate();
}

// ---------------------------------------------------------------------------------
// Name-list maintenance

bool CListoraDoc::IsCategoryUsed(LPCTSTR name) const {
    return NameUsage(NameUsage::Category, name).IsUsed(Loaded().m_catalogue.Items(), m_purchases);
}

bool CListoraDoc::IsLocationUsed(LPCTSTR name) const {
    return NameUsage(NameUsage::Location, name).IsUsed(Loaded().m_catalogue.Items(), m_purchases);
}

bool CListoraDoc::IsUnitUsed(LPCTSTR name) const {
    return NameUsage(NameUsage::Unit, name).IsUsed(Loaded().m_catalogue.Items(), m_purchases);
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
    if (usage.RemoveFromAll(Loaded().m_catalogue.Edit(), m_purchases)) {
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

void CListoraDoc::OnSendAsText() {
    ListSender::Send(m_purchases, GetTitle().str());
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

void CListoraDoc::OnOptions() {
    if (IListoraDialogs* dialogs = IListoraDialogs::Get(); dialogs && dialogs->RunOptionsDialog())
        TheOptions().SaveOptions(TheRegistry());
    UpdateAllViews(nullptr, kHintOptions);
}

void CListoraDoc::OnSetTaxRates() {
    if (IListoraDialogs* dialogs = IListoraDialogs::Get(); !dialogs || !dialogs->RunTaxRatesDialog())
        return;
    StoreOptions();
    UpdateAllViews(nullptr);
}

void CListoraDoc::OnItemManager() {
    CEditListsPropertySheet::Run(*this);
}

void CListoraDoc::OnSynchronizeItems() {}

void CListoraDoc::OnCategoryRestriction(UINT id) {
    const TCHAR* name = nullptr;
    if (RestrictionName(id, ID_CATEGORY_ALL, GetCategories(), &name))
        SetCategoryRestriction(name);
}

void CListoraDoc::OnLocationRestriction(UINT id) {
    const TCHAR* name = nullptr;
    if (RestrictionName(id, ID_LOCATION_ALL, GetLocations(), &name))
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

void CListoraDoc::OnUpdateRemovePurchased(CCmdUI* cmdUI) {
    cmdUI->Enable(TRUE);
    cmdUI->SetCheck(m_showPurchased ? 0 : 1);
}

// ---------------------------------------------------------------------------------
// Internals

void CListoraDoc::ResetState(bool readCatalogue) {
    EnsureCatalogue();  // a put-off catalogue first: lines that join the list meet all of it
    m_showPurchased = true;
    m_categoryRestriction.reset();
    m_locationRestriction.reset();
    m_listsLoaded = false;
    if (readCatalogue)
        LoadCatalogue();
}

CListoraDoc& CListoraDoc::Loaded() const {
    auto& self = const_cast<CListoraDoc&>(*this);
    self.EnsureCatalogue();
    return self;
}

void CListoraDoc::EnsureCatalogue() {
    if (!m_cataloguePending)
        return;
    m_cataloguePending = false;
    CWaitCursor wait;
    LoadCatalogue();
    rep::vector<Item*> fresh;
    JoinListToCatalogue(fresh);
    AddNamesOfLines();
    RebuildRestrictionMenus();
    UpdateAllViews(nullptr, kHintGeneral);
}

void CListoraDoc::JoinListToCatalogue(rep::vector<Item*>& fresh) {
    // Lines new to the catalogue become items, stored with those a text list brought.
    for (Item* item : m_catalogue.AddLines(m_purchases))
        fresh.push_back(item);
    SortItemsForColumn();
    if (!fresh.empty())
        TheRegistry().SaveItemsSoon(fresh);
}

void CListoraDoc::AddNamesOfLines() {
    // Names the lines use but the catalogue lacks join the name lists. They are
    // gathered first and stored once: the result is that of adding them one by one.
    NameAdditions names(m_categories, m_locations, m_units);
    for (const Purchase* purchase : m_purchases)
        names.AddNamesOf(*purchase);
    if (names.Merge())
        UpdateLists();
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

void CListoraDoc::FreeNames(rep::vector<TCHAR*>& list) {
    rep::delete_arrays(list);
}
