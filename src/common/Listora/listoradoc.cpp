#include "listoradoc.h"

#include "AfxMessageBox.h"
#include "CCmdUI.h"
#include "CFileDialog.h"
#include "CFrameWnd.h"
#include "CCommandBar.h"
#include "CMenu.h"
#include "CSingleDocTemplate.h"
#include "CView.h"
#include "CWaitCursor.h"
#include "CWinApp.h"
#include "LRRegistry.h"
#include "ListCapacity.h"
#include "ListFile.h"
#include "MergeItems.h"
#include "NameList.h"
#include "Options.h"
#include "ListoraStrings.h"
#include "System/Diagnostics/Trace.h"
#include "WideString.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <unordered_set>
#include <vector>

using Diagnostics::Trace;

namespace {

const TCHAR* const kSourceFile = u"" __FILE__;

constexpr const TCHAR* kListMenuText = u"&List";
constexpr const TCHAR* kCategoryMenuText = u"Categories Restriction";
constexpr const TCHAR* kLocationMenuText = u"Location Restriction";
constexpr const TCHAR* kAllCategoriesText = u"All Categories";
constexpr const TCHAR* kAllLocationsText = u"All Locations";
// Menu texts are read into buffers of this many characters when menus are searched.
constexpr int kMenuTextMax = 256;

std::u16string_view TextOf(const TCHAR* text) {
    return text ? std::u16string_view(text) : std::u16string_view();
}

TCHAR* CopyText(const TCHAR* text) {
    const std::u16string_view view = TextOf(text);
    auto* copy = new TCHAR[view.size() + 1];
    std::copy(view.begin(), view.end(), copy);
    copy[view.size()] = 0;
    return copy;
}

// A strict order on floats even for values read from damaged files: not-a-number
// sorts before every number and equal to itself, so sorting never misbehaves.
bool FloatLess(float a, float b) {
    if (std::isnan(a))
        return !std::isnan(b);
    if (std::isnan(b))
        return false;
    return a < b;
}

// Case-insensitive order of texts, the same as CompareNoCase: each unit is folded
// through upper and then lower case. Sorting large lists spends its time here, so
// plain ASCII folds inline and equal units are not folded at all.
inline char16_t FoldUnit(char16_t c) {
    if (c < 0x80)
        return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 0x20) : c;
    return towlower16(towupper16(c));
}

int CompareFolded(std::u16string_view a, std::u16string_view b) {
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        if (a[i] == b[i])
            continue;
        const char16_t fa = FoldUnit(a[i]);
        const char16_t fb = FoldUnit(b[i]);
        if (fa != fb)
            return static_cast<int>(fa) - static_cast<int>(fb);
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

std::u16string FoldText(std::u16string_view text) {
    std::u16string folded(text);
    for (char16_t& c : folded)
        c = FoldUnit(c);
    return folded;
}

bool NameAscending(const Item* a, const Item* b) {
    return CompareFolded(a->Name(), b->Name()) < 0;
}

bool NameDescending(const Item* a, const Item* b) {
    return CompareFolded(a->Name(), b->Name()) > 0;
}

// Name lists run Z to A, ignoring case.
bool NameListBefore(const TCHAR* a, const TCHAR* b) {
    return CompareFolded(TextOf(a), TextOf(b)) > 0;
}

// The trace line of a failed list read.
const TCHAR* ReadFailureText(int result) {
    switch (result) {
    case LR_CANNOT_OPEN: return u"Cannot open file!";
    case LR_NAME: return u"Error while reading name!";
    case LR_UNIT: return u"Error while reading unit!";
    case LR_QTY: return u"Error while reading qty!";
    case LR_PRICE: return u"Error while reading price!";
    case LR_COUPON: return u"Error while reading coupon!";
    case LR_PURCHASED: return u"Error while reading purchased!";
    case LR_CATEGORIES: return u"Error while reading categories!";
    default: return nullptr;
    }
}

CString FormatText(UINT id, const TCHAR* argument) {
    CString text;
    text.Format(LoadString(id), argument ? argument : u"");
    return text;
}

// The position of the first entry of menu whose text is exactly text, or -1.
int FindMenuText(CMenu* menu, const TCHAR* text) {
    if (!menu || !text)
        return -1;
    const int count = menu->GetMenuItemCount();
    for (int position = 0; position < count; ++position) {
        TCHAR buffer[kMenuTextMax] = {};
        menu->GetMenuString(static_cast<UINT>(position), buffer, kMenuTextMax, MF_BYPOSITION);
        if (_tcscmp(buffer, text) == 0)
            return position;
    }
    return -1;
}

CMenu* FindSubMenu(CMenu* menu, const TCHAR* text) {
    const int position = FindMenuText(menu, text);
    return position < 0 ? nullptr : menu->GetSubMenu(position);
}

CMenu* FindRestrictionMenu(CFrameWnd* frame, const TCHAR* text) {
    if (!frame)
        return nullptr;
    return FindSubMenu(FindSubMenu(frame->GetMenu(), kListMenuText), text);
}

void RebuildRestrictionMenu(CMenu* menu, UINT allId, UINT lastId, const TCHAR* allText,
                            const rep::vector<TCHAR*>& names, const TCHAR* restriction) {
    if (!menu)
        return;
    while (menu->GetMenuItemCount() > 0)
        menu->DeleteMenu(0, MF_BYPOSITION);
    menu->AppendMenu(MF_STRING | (restriction ? MF_UNCHECKED : MF_CHECKED), allId, allText);
    if (!names.empty())
        menu->AppendMenu(MF_SEPARATOR);
    // Ids past the range would reach no handler: the menu stops there.
    for (DWORD i = 0; i < names.size() && allId + 1 + i <= lastId; ++i) {
        const bool checked = restriction && names[i] && _tcscmp(names[i], restriction) == 0;
        menu->AppendMenu(MF_STRING | (checked ? MF_CHECKED : MF_UNCHECKED), allId + 1 + i, names[i]);
    }
}

// Puts the current option set into the store, so that the next start sees it.
void StoreOptions() {
    LRRegistry& registry = TheRegistry();
    if (registry.init())
        TheOptions().Save(registry);
}

bool g_saving = false;

}  // namespace

CListoraDoc::CListoraDoc() {
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
    MapUpdateCommand(ID_SELECT_CATEGORY, &CListoraDoc::OnUpdateEnable);
    MapUpdateCommand(ID_CLEAR_LIST, &CListoraDoc::OnUpdateEnable);
    MapUpdateCommand(ID_SAVE_AS, &CListoraDoc::OnUpdateEnable);
    MapUpdateCommand(ID_SELECT_BACKGROUND, &CListoraDoc::OnUpdateEnable);
    MapUpdateCommand(ID_REMOVE_PURCHASED, &CListoraDoc::OnUpdateRemovePurchased);
    MapUpdateCommandRange(ID_CATEGORY_ALL, ID_CATEGORY_LAST, &CListoraDoc::OnUpdateEnable);
    MapUpdateCommandRange(ID_LOCATION_ALL, ID_LOCATION_LAST, &CListoraDoc::OnUpdateEnable);
    // Commands whose dialogs come later stay disabled until then.
    for (UINT id : {ID_ADD_ITEM, ID_SET_TAX_RATES, ID_OPTIONS, ID_ITEM_MANAGER,
                    ID_MANAGE_TEMPLATES, ID_EXPORT, ID_IMPORT, ID_EXTENDED_SAVE})
        MapUpdateCommand(id, &CListoraDoc::OnUpdateDisable);
}

CListoraDoc::~CListoraDoc() {
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

BOOL CListoraDoc::IsModified() {
    return CDocument::IsModified();
}

void CListoraDoc::SetModifiedFlag(BOOL modified) {
    CDocument::SetModifiedFlag(modified);
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
    SetModifiedFlag(TRUE);
    return TRUE;
}

BOOL CListoraDoc::OnOpenDocument(LPCTSTR path) {
    const bool loaded = LoadList(path, false, true);

    SortNameList(m_locations);
    SortNameList(m_units);
    SortNameList(m_categories);

    // Names the lines use but the catalogue lacks join the name lists. They are
    // gathered first and stored once: the result is that of adding them one by one.
    bool added = false;
    auto gather = [&added](rep::vector<TCHAR*>& list, const TCHAR* name) {
        if (!name || !*name || NameListContains(list, name))
            return;
        list.push_back(CopyText(name));
        SortNameList(list);
        added = true;
    };
    for (const Purchase* purchase : m_purchases) {
        gather(m_locations, purchase->GetLocation());
        gather(m_units, purchase->GetUnit());
        for (const TCHAR* category : purchase->GetCategories())
            gather(m_categories, category);
    }
    if (added)
        UpdateLists();

    RebuildRestrictionMenus();
    return loaded ? TRUE : FALSE;
}

BOOL CListoraDoc::SaveModified() {
    if (!IsModified())
        return TRUE;
    if (g_saving) {
        Trace::WriteLine(u"Second time :( ?!?! ");
        return TRUE;
    }
    g_saving = true;
    Trace::WriteFormattedLineT(u"info", u"%s", u"SaveModified begins");

    Options& options = TheOptions();
    const std::u16string path(TextOf(options.GetLastFile()));
    const bool onDevice = options.GetOnDevice();
    CWaitCursor wait;

    for (;;) {
        if (WriteListFile(path.c_str())) {
            options.SetOnDevice(onDevice);
            options.SetLastFile(path.c_str());
            options.SetChanged();
            break;
        }
        Trace::WriteFormattedLineT(u"error", u"%s", u"Save fail!");
        AfxMessageBox(FormatText(IDS_CANNOT_SAVE_FILE, path.c_str()), MB_OK);
        if (AfxMessageBox(IDS_TRY_AGAIN, MB_YESNO) != IDYES)
            break;
        CWaitCursor::Restore();
    }

    LRRegistry& registry = TheRegistry();
    if (!registry.init()) {
        Trace::WriteFormattedLineT(u"error", u"%s(%d) : Cannot init registry key!", kSourceFile, __LINE__);
        AfxMessageBox(IDS_CANNOT_UPDATE_REGISTRY, MB_OK);
    } else {
        registry.SaveCategories(m_categories);
        registry.SaveLocations(m_locations);
        registry.SaveUnits(m_units);
        options.Save(registry);
        SetModifiedFlag(FALSE);
    }

    g_saving = false;
    return TRUE;
}

bool CListoraDoc::LoadList(LPCTSTR pathArgument, bool onDevice, bool asDocument) {
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
        if (m_items.size() != itemsBefore) {
            m_itemOrder = ItemOrder::Unknown;
            m_itemIndexStale = true;
        }

        if (result != LR_OK) {
            rep::delete_objects(loaded);
            // Catalogue items a text list added before its error go with it.
            while (m_items.size() > itemsBefore) {
                delete m_items.back();
                m_items.pop_back();
            }
            if (result == LR_UNSUPPORTED)
                Trace::WriteLine(u"Unsupported file extention!");
            else if (const TCHAR* reason = ReadFailureText(result))
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
        m_purchaseIndexStale = true;

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
    if (!name)
        return nullptr;
    if (m_purchaseIndexStale)
        RebuildPurchaseIndex();
    auto it = m_purchaseIndex.find(std::u16string(name));
    if (it == m_purchaseIndex.end())
        return nullptr;
    if (it->second.count == 1 && it->second.purchase->Name() == name)
        return it->second.purchase;
    // Several lines carry the name: the first in list order is the one.
    for (Purchase* purchase : m_purchases)
        if (purchase->Name() == name)
            return purchase;
    // A name changed behind the index's back: look again from scratch.
    RebuildPurchaseIndex();
    return nullptr;
}

Item* CListoraDoc::FindItem(LPCTSTR name) {
    if (!name)
        return nullptr;
    if (m_itemIndexStale)
        RebuildItemIndex();
    auto it = m_itemIndex.find(std::u16string(name));
    if (it == m_itemIndex.end())
        return nullptr;
    if (it->second->Name() == name)
        return it->second;
    RebuildItemIndex();
    it = m_itemIndex.find(std::u16string(name));
    return it == m_itemIndex.end() ? nullptr : it->second;
}

void CListoraDoc::AddPurchase(Purchase* purchase) {
    if (!purchase)
        return;
    InsertPurchaseSorted(purchase);
    IndexPurchase(purchase);
    const DWORD column = TheOptions().GetSortColumn();
    if (column == 1)
        SortItemsByName(TheOptions().GetSortDirection() == 1);
    else if (column == 2)
        SortItemsByName(false);
    CheckTotalNotice();
    SetModifiedFlag(TRUE);
    UpdateAllViews(nullptr, kHintGeneral);
}

void CListoraDoc::EditPurchase(Purchase* purchase) {
    // The add-item dialog is not part of this build yet: its command is disabled and
    // taps that would open it change nothing.
    (void)purchase;
}

void CListoraDoc::ApplyEdit(Purchase* purchase, bool isNew) {
    if (!purchase)
        return;
    if (isNew) {
        m_purchases.push_back(purchase);
        IndexPurchase(purchase);
        if (!FindItem(purchase->GetName())) {
            Item* item = new Item(*purchase);
            if (!AddCatalogueItem(item, purchase->IsOnce()))
                delete item;
        }
    } else {
        // The dialog may have renamed the line.
        PurchasesChanged();
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
    UnindexPurchase(purchase);
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

bool CListoraDoc::PurchaseBefore(const Purchase& a, const Purchase& b, DWORD column, DWORD direction) {
    const bool up = direction == 0;
    switch (column) {
    case 0:
        return up ? FloatLess(b.GetQty(), a.GetQty()) : FloatLess(a.GetQty(), b.GetQty());
    case 1: {
        const int order = CompareFolded(a.Name(), b.Name());
        return up ? order < 0 : order > 0;
    }
    case 2:
        return up ? FloatLess(a.GetPrice(), b.GetPrice()) : FloatLess(b.GetPrice(), a.GetPrice());
    case 3:
        return up ? (a.HasCoupon() && !b.HasCoupon()) : (!a.HasCoupon() && b.HasCoupon());
    case 4: {
        const int order = CompareFolded(TextOf(a.GetLocation()), TextOf(b.GetLocation()));
        return up ? order < 0 : order > 0;
    }
    case 5: {
        const int order = CompareFolded(TextOf(a.GetNote()), TextOf(b.GetNote()));
        return up ? order < 0 : order > 0;
    }
    default:
        return false;
    }
}

bool CListoraDoc::PurchasesInOrder(DWORD column, DWORD direction) const {
    return std::is_sorted(m_purchases.begin(), m_purchases.end(), [column, direction](const Purchase* a, const Purchase* b) {
        return PurchaseBefore(*a, *b, column, direction);
    });
}

void CListoraDoc::InsertPurchaseSorted(Purchase* purchase) {
    const DWORD column = TheOptions().GetSortColumn();
    const DWORD direction = TheOptions().GetSortDirection();
    auto before = [column, direction](const Purchase* a, const Purchase* b) {
        return PurchaseBefore(*a, *b, column, direction);
    };
    // A list already in order takes the line at its place; sorting it whole would
    // give an order just as valid (equal lines may take any order) at far more cost.
    if (PurchasesInOrder(column, direction)) {
        Purchase** place = std::upper_bound(m_purchases.begin(), m_purchases.end(), purchase, before);
        m_purchases.insert(static_cast<DWORD>(place - m_purchases.begin()), purchase);
        return;
    }
    m_purchases.push_back(purchase);
    std::sort(m_purchases.begin(), m_purchases.end(), before);
}

void CListoraDoc::SortLists() {
    const DWORD column = TheOptions().GetSortColumn();
    const DWORD direction = TheOptions().GetSortDirection();
    if (column <= Options::kMaxSortColumn && !PurchasesInOrder(column, direction))
        std::sort(m_purchases.begin(), m_purchases.end(), [column, direction](const Purchase* a, const Purchase* b) {
            return PurchaseBefore(*a, *b, column, direction);
        });
    if (column == 1)
        SortItemsByName(direction == 1);
    else if (column == 2)
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
    if (m_itemsHaveExactTwins)
        m_itemIndexStale = true;
}

void CListoraDoc::EnsureItemsAscending() {
    SortItemsByName(false);
}

// ---------------------------------------------------------------------------------
// Catalogue operations

bool CListoraDoc::AddCatalogueItem(Item* item, bool listOnly) {
    if (!item)
        return false;
    EnsureItemsAscending();
    Item** place = std::lower_bound(m_items.begin(), m_items.end(), item, NameAscending);
    if (place != m_items.end() && CompareFolded((*place)->Name(), item->Name()) == 0)
        return false;
    m_items.insert(static_cast<DWORD>(place - m_items.begin()), item);
    IndexItem(item);
    if (!listOnly && !TheRegistry().InsertItem(*item))
        Trace::WriteFormattedLineT(u"error", u"%s", u"Cannot add item to registry");
    return true;
}

void CListoraDoc::AddLoadedItemsToCatalogue() {
    // A line not found in the catalogue by its exact name is offered to it, and taken
    // when no item carries its name ignoring case. Done for all lines at once: the
    // new items are sorted and merged in, which is the order offering them one by one
    // gives (each offer puts the catalogue in ascending order first).
    if (m_itemIndexStale)
        RebuildItemIndex();
    std::unordered_set<std::u16string> known;
    known.reserve(m_items.size() + m_purchases.size());
    for (const Item* item : m_items)
        known.insert(FoldText(item->Name()));
    bool offered = false;
    std::vector<Item*> added;
    for (const Purchase* purchase : m_purchases) {
        if (purchase->IsOnce() || m_itemIndex.count(purchase->Name()) != 0)
            continue;
        offered = true;
        if (known.insert(FoldText(purchase->Name())).second)
            added.push_back(new Item(*purchase));
    }
    if (!offered)
        return;
    EnsureItemsAscending();
    if (added.empty())
        return;

    std::sort(added.begin(), added.end(), NameAscending);
    rep::vector<Item*> merged;
    MakeRoom(merged, m_items.size() + static_cast<DWORD>(added.size()));
    DWORD old = 0;
    for (Item* item : added) {
        while (old < m_items.size() && !NameAscending(item, m_items[old]))
            merged.push_back(m_items[old++]);
        merged.push_back(item);
    }
    while (old < m_items.size())
        merged.push_back(m_items[old++]);
    m_items.swap(merged);
    m_itemOrder = ItemOrder::Ascending;
    for (Item* item : added)
        IndexItem(item);
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
    if (index >= 0)
        m_items.erase(static_cast<DWORD>(index));
    m_itemIndexStale = true;
    delete item;
    UpdateAllViews(nullptr, kHintGeneral);
}

bool CListoraDoc::AddNameTo(rep::vector<TCHAR*>& list, LPCTSTR name) {
    if (!name || !*name)
        return false;
    SortNameList(list);
    if (NameListContains(list, name))
        return false;
    list.push_back(CopyText(name));
    SortNameList(list);
    UpdateLists();
    return true;
}

bool CListoraDoc::AddUnit(LPCTSTR name) {
    return AddNameTo(m_units, name);
}

bool CListoraDoc::AddCategory(LPCTSTR name) {
    if (!AddNameTo(m_categories, name))
        return false;
    RebuildRestrictionMenus();
    return true;
}

bool CListoraDoc::AddLocation(LPCTSTR name) {
    if (!AddNameTo(m_locations, name))
        return false;
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
    m_itemIndexStale = true;

    RemoveDuplicates(m_categories);
    RemoveDuplicates(m_locations);
    RemoveDuplicates(m_units);
    m_listsLoaded = true;
}

void CListoraDoc::CatalogueChanged() {
    m_itemIndexStale = true;
    m_itemOrder = ItemOrder::Unknown;
}

void CListoraDoc::PurchasesChanged() {
    m_purchaseIndexStale = true;
}

// ---------------------------------------------------------------------------------
// Name-list maintenance

bool CListoraDoc::IsCategoryUsed(LPCTSTR name) const {
    for (const Item* item : m_items)
        if (item->HasCategory(name))
            return true;
    for (const Purchase* purchase : m_purchases)
        if (purchase->HasCategory(name))
            return true;
    return false;
}

bool CListoraDoc::IsLocationUsed(LPCTSTR name) const {
    const std::u16string_view wanted = TextOf(name);
    auto uses = [wanted](const Item* item) {
        return item->HasLocation() && EqualsNoCase(TextOf(item->GetLocation()), wanted);
    };
    return std::any_of(m_items.begin(), m_items.end(), uses) ||
           std::any_of(m_purchases.begin(), m_purchases.end(), uses);
}

bool CListoraDoc::IsUnitUsed(LPCTSTR name) const {
    const std::u16string_view wanted = TextOf(name);
    auto uses = [wanted](const Item* item) { return EqualsNoCase(item->Unit(), wanted); };
    return std::any_of(m_items.begin(), m_items.end(), uses) ||
           std::any_of(m_purchases.begin(), m_purchases.end(), uses);
}

void CListoraDoc::SaveChangedItems(const rep::vector<Item*>& changed) {
    if (changed.empty())
        return;
    std::unique_ptr<IRegistryKey> itemsKey(TheRegistry().OpenItemsKey());
    if (!itemsKey) {
        Trace::WriteFormattedLineT(u"error", u"%s(%d) : Cannot open items key!", kSourceFile, __LINE__);
        return;
    }
    for (const Item* item : changed)
        LRRegistry::SaveItem(*itemsKey, *item);
}

void CListoraDoc::RemoveCategoryFromAll(LPCTSTR name) {
    rep::vector<Item*> changed;
    for (Item* item : m_items) {
        bool removed = false;
        // An item may carry the name more than once: it goes everywhere.
        while (item->RemoveCategory(name))
            removed = true;
        if (removed)
            changed.push_back(item);
    }
    SaveChangedItems(changed);
    bool purchaseChanged = false;
    for (Purchase* purchase : m_purchases)
        while (purchase->RemoveCategory(name))
            purchaseChanged = true;
    if (purchaseChanged) {
        SetModifiedFlag(TRUE);
        UpdateAllViews(nullptr, kHintGeneral);
    }
}

void CListoraDoc::RemoveLocationFromAll(LPCTSTR name) {
    rep::vector<Item*> changed;
    for (Item* item : m_items)
        if (item->ClearLocation(name))
            changed.push_back(item);
    SaveChangedItems(changed);
    bool purchaseChanged = false;
    for (Purchase* purchase : m_purchases)
        purchaseChanged = purchase->ClearLocation(name) || purchaseChanged;
    if (purchaseChanged) {
        SetModifiedFlag(TRUE);
        UpdateAllViews(nullptr, kHintGeneral);
    }
}

void CListoraDoc::RemoveUnitFromAll(LPCTSTR name) {
    rep::vector<Item*> changed;
    for (Item* item : m_items)
        if (item->ClearUnit(name))
            changed.push_back(item);
    SaveChangedItems(changed);
    bool purchaseChanged = false;
    for (Purchase* purchase : m_purchases)
        purchaseChanged = purchase->ClearUnit(name) || purchaseChanged;
    if (purchaseChanged) {
        SetModifiedFlag(TRUE);
        UpdateAllViews(nullptr, kHintGeneral);
    }
}

// ---------------------------------------------------------------------------------
// Restrictions

void CListoraDoc::SetCategoryRestriction(LPCTSTR name) {
    if (name)
        m_categoryRestriction = std::make_unique<std::u16string>(name);
    else
        m_categoryRestriction.reset();
    UpdateAllViews(nullptr, kHintCategoryRestriction);
    MarkRestriction(kCategoryMenuText, GetCategoryRestriction());
}

void CListoraDoc::SetLocationRestriction(LPCTSTR name) {
    if (name)
        m_locationRestriction = std::make_unique<std::u16string>(name);
    else
        m_locationRestriction.reset();
    UpdateAllViews(nullptr, kHintLocationRestriction);
    MarkRestriction(kLocationMenuText, GetLocationRestriction());
}

void CListoraDoc::MarkRestriction(LPCTSTR submenu, LPCTSTR text) {
    CFrameWnd* frame = GetFrame();
    const bool category = _tcscmp(submenu, kCategoryMenuText) == 0;
    if (auto* listoraFrame = dynamic_cast<IListoraFrame*>(frame)) {
        if (category)
            listoraFrame->MarkCategoryRestriction(text);
        else
            listoraFrame->MarkLocationRestriction(text);
        return;
    }
    CMenu* menu = FindRestrictionMenu(frame, submenu);
    if (!menu)
        return;
    const TCHAR* wanted = text ? text : (category ? kAllCategoriesText : kAllLocationsText);
    const int count = menu->GetMenuItemCount();
    for (int position = 0; position < count; ++position) {
        TCHAR buffer[kMenuTextMax] = {};
        menu->GetMenuString(static_cast<UINT>(position), buffer, kMenuTextMax, MF_BYPOSITION);
        const bool checked = _tcscmp(buffer, wanted) == 0;
        menu->CheckMenuItem(static_cast<UINT>(position), MF_BYPOSITION | (checked ? MF_CHECKED : MF_UNCHECKED));
    }
}

void CListoraDoc::RebuildRestrictionMenus() {
    CFrameWnd* frame = GetFrame();
    if (auto* listoraFrame = dynamic_cast<IListoraFrame*>(frame)) {
        listoraFrame->RebuildRestrictionMenus(this);
        return;
    }
    RebuildRestrictionMenu(FindRestrictionMenu(frame, kLocationMenuText), ID_LOCATION_ALL, ID_LOCATION_LAST,
                           kAllLocationsText, m_locations, GetLocationRestriction());
    RebuildRestrictionMenu(FindRestrictionMenu(frame, kCategoryMenuText), ID_CATEGORY_ALL, ID_CATEGORY_LAST,
                           kAllCategoriesText, m_categories, GetCategoryRestriction());
}

void CListoraDoc::ShowCommandBar(bool show) {
    CFrameWnd* frame = GetFrame();
    if (auto* listoraFrame = dynamic_cast<IListoraFrame*>(frame)) {
        listoraFrame->ShowCommandBar(show ? TRUE : FALSE);
        return;
    }
    if (frame)
        for (CCommandBar* bar : frame->GetCommandBars())
            bar->ShowWindow(show ? SW_SHOW : SW_HIDE);
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
    CFileDialog dialog(FALSE, u"lsr", nullptr, OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY, kListFilter);
    if (dialog.DoModal() != IDOK)
        return;
    const CString path = dialog.GetPathName();
    if (!WriteListFile(path)) {
        AfxMessageBox(FormatText(IDS_CANNOT_SAVE_FILE, path), MB_OK);
        return;
    }
    Options& options = TheOptions();
    options.SetLastFile(path);
    options.SetChanged();
    options.SetOnDevice(false);
    // The list now lives in the new file: the next start must open that one.
    StoreOptions();
    SetTitle(dialog.GetFileTitle());
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
    if (id == ID_CATEGORY_ALL) {
        SetCategoryRestriction(nullptr);
        return;
    }
    // The menu was built from the list as it was; an entry past its end is stale.
    const DWORD index = id - (ID_CATEGORY_ALL + 1);
    if (index < m_categories.size())
        SetCategoryRestriction(m_categories[index]);
}

void CListoraDoc::OnLocationRestriction(UINT id) {
    if (id == ID_LOCATION_ALL) {
        SetLocationRestriction(nullptr);
        return;
    }
    const DWORD index = id - (ID_LOCATION_ALL + 1);
    if (index < m_locations.size())
        SetLocationRestriction(m_locations[index]);
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
// Name lists

void CListoraDoc::SortNameList(rep::vector<TCHAR*>& list) {
    if (!std::is_sorted(list.begin(), list.end(), NameListBefore))
        std::sort(list.begin(), list.end(), NameListBefore);
}

bool CListoraDoc::NameListContains(const rep::vector<TCHAR*>& list, LPCTSTR name) {
    if (!name)
        return false;
    TCHAR* const* place = std::lower_bound(list.begin(), list.end(), name,
                                           [](const TCHAR* element, const TCHAR* wanted) {
                                               return NameListBefore(element, wanted);
                                           });
    return place != list.end() && CompareFolded(TextOf(*place), TextOf(name)) == 0;
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

bool CListoraDoc::WriteListFile(LPCTSTR path) {
    ListFile file;
    return file.Write(path, m_purchases);
}

void CListoraDoc::DestroyPurchases() {
    ResetViews();
    rep::delete_objects(m_purchases);
    m_purchaseIndex.clear();
    m_purchaseIndexStale = false;
}

void CListoraDoc::DestroyItems() {
    rep::delete_objects(m_items);
    m_itemIndex.clear();
    m_itemIndexStale = false;
    m_itemsHaveExactTwins = false;
    m_itemOrder = ItemOrder::Ascending;
}

void CListoraDoc::FreeNames(rep::vector<TCHAR*>& list) {
    rep::delete_arrays(list);
}

void CListoraDoc::IndexPurchase(Purchase* purchase) {
    if (m_purchaseIndexStale)
        return;  // the next look-up rebuilds it with this line
    PurchaseEntry& entry = m_purchaseIndex[purchase->Name()];
    if (entry.count++ == 0)
        entry.purchase = purchase;
}

void CListoraDoc::UnindexPurchase(Purchase* purchase) {
    if (m_purchaseIndexStale)
        return;
    auto it = m_purchaseIndex.find(purchase->Name());
    if (it == m_purchaseIndex.end() || it->second.count == 0) {
        m_purchaseIndexStale = true;
        return;
    }
    if (--it->second.count == 0) {
        m_purchaseIndex.erase(it);
        return;
    }
    if (it->second.purchase == purchase) {
        // Another line of the name stays: find one.
        const std::u16string& name = it->first;
        it->second.purchase = nullptr;
        for (Purchase* other : m_purchases)
            if (other->Name() == name) {
                it->second.purchase = other;
                break;
            }
        if (!it->second.purchase)
            m_purchaseIndexStale = true;
    }
}

void CListoraDoc::RebuildPurchaseIndex() {
    m_purchaseIndex.clear();
    m_purchaseIndex.reserve(m_purchases.size());
    m_purchaseIndexStale = false;
    for (Purchase* purchase : m_purchases)
        IndexPurchase(purchase);
}

void CListoraDoc::IndexItem(Item* item) {
    if (m_itemIndexStale)
        return;
    auto [it, inserted] = m_itemIndex.emplace(item->Name(), item);
    if (!inserted) {
        // Two items of exactly one name: which is first depends on the order, so the
        // index is rebuilt whenever the order changes.
        m_itemsHaveExactTwins = true;
        m_itemIndexStale = true;
    }
}

void CListoraDoc::RebuildItemIndex() {
    m_itemIndex.clear();
    m_itemIndex.reserve(m_items.size());
    m_itemIndexStale = false;
    m_itemsHaveExactTwins = false;
    for (Item* item : m_items) {
        if (!m_itemIndex.emplace(item->Name(), item).second)
            m_itemsHaveExactTwins = true;
    }
}
