// CListoraDoc: the program's one document. It owns the open shopping list (the
// purchases, in display order), the in-memory catalogue (items and the category,
// location and unit name lists), the category and location restrictions and the
// show-purchased switch. It loads list files, saves itself without asking whenever
// the framework asks it to save, keeps the list sorted by the user's sort setting and
// handles the list, file and catalogue commands of the menus.
//
// Views and dialogs read the lists through the accessors and change them only through
// the operations below; they may flip a purchase's flags, quantity or price in place
// and then mark the document modified and update all views.
#pragma once
#include "CDocument.h"
#include "Catalogue.h"
#include "CWinApp.h"
#include "ExactNameIndex.h"
#include "IImportTarget.h"
#include "Item.h"
#include "NameAdditions.h"
#include "Purchase.h"
#include "PurchaseOrder.h"
#include "Registry/RepVector.h"
#include "UiTypes.h"

#include <memory>
#include <string>

class CCmdUI;
class CFrameWnd;
class ListAutosave;
class CListoraDoc;
class CMenu;
class CView;
class ImportBatch;
class NameUsage;

// What the document asks of the main frame, which implements it. A document shown in
// a frame of another class leaves menus and command bars alone.
class IListoraFrame {
public:
    // Shows (true) or hides (false) the command bar.
    virtual void ShowCommandBar(BOOL show) = 0;
    // Rebuilds both restriction submenus from doc (null: the active document).
    virtual void RebuildRestrictionMenus(CListoraDoc* doc) = 0;
    // Checks the entry whose text is restriction (null: the "All ..." entry).
    virtual void MarkLocationRestriction(LPCTSTR restriction) = 0;
    virtual void MarkCategoryRestriction(LPCTSTR restriction) = 0;

protected:
    ~IListoraFrame() = default;
};

// What the document asks of the application: Choose Items switches between the list
// view and the choice view. The application object implements it.
class IListoraViewSwitcher {
public:
    // Returns the view that was active (null when there is none).
    virtual CView* SwitchView() = 0;

protected:
    ~IListoraViewSwitcher() = default;
};

// The device dialogs the document runs (add-item, pickers, settings, exchange). They
// belong to the program, which implements this interface; without it (a document in
// a test without the program) those commands change nothing.
class IListoraDialogs {
public:
    // The running program's dialogs (null without the program).
    static IListoraDialogs* Get() { return dynamic_cast<IListoraDialogs*>(AfxGetApp()); }

    // The add-item dialog for purchase of doc (null: a new line). On OK returns true
    // with the purchase written and whether it is new; a new one is the caller's.
    virtual bool RunAddItemDialog(CListoraDoc& doc, Purchase* purchase, Purchase*& result, bool& isNew) = 0;
    // The background tile picker, opened with tile selected; on OK true, with the
    // chosen tile in tile.
    virtual bool SelectTile(DWORD& tile) = 0;
    // The Options dialog; true on OK, with the choices in the options (a colour is
    // taken as soon as it is chosen, also when the dialog is then cancelled).
    virtual bool RunOptionsDialog() = 0;
    // Set Tax Rates; true on OK, with the three rates in the options.
    virtual bool RunTaxRatesDialog() = 0;

protected:
    ~IListoraDialogs() = default;
};

// A view of the document that keeps references to purchases between paints. The
// document resets every such view before it replaces the list, so that no view is
// left holding a purchase that is about to be destroyed.
class IListoraDocView {
public:
    // Forgets the purchases drawn at the last paint.
    virtual void ResetView() = 0;

protected:
    ~IListoraDocView() = default;
};

class CListoraDoc : public CDocument, public IImportTarget {
public:
    // Hints sent with UpdateAllViews (no sender, no object).
    static constexpr LPARAM kHintGeneral = 0;
    static constexpr LPARAM kHintCategoryRestriction = 4095;
    static constexpr LPARAM kHintLocationRestriction = 4096;
    static constexpr LPARAM kHintOptions = 4099;

    // Commands handled here.
    static constexpr UINT ID_CHOOSE_ITEMS = 32779;
    static constexpr UINT ID_ADD_ITEM = 32780;
    static constexpr UINT ID_CLEAR_LIST = 32781;
    static constexpr UINT ID_REMOVE_PURCHASED = 32782;
    static constexpr UINT ID_SET_TAX_RATES = 32784;
    static constexpr UINT ID_ITEM_MANAGER = 32785;
    static constexpr UINT ID_SELECT_BACKGROUND = 32786;
    static constexpr UINT ID_SELECT_CATEGORY = 32787;
    static constexpr UINT ID_OPTIONS = 32794;
    static constexpr UINT ID_EXPORT = 32801;
    static constexpr UINT ID_IMPORT = 32802;
    static constexpr UINT ID_MANAGE_TEMPLATES = 32803;
    static constexpr UINT ID_SYNCHRONIZE_ITEMS = 32804;
    static constexpr UINT ID_EXTENDED_SAVE = 32812;
    static constexpr UINT ID_SEND_AS_TEXT = 32813;
    static constexpr UINT ID_SAVE_AS = 57604;
    static constexpr UINT ID_CATEGORY_ALL = 34000;  // 34001 + i: category i
    static constexpr UINT ID_CATEGORY_LAST = 34100;
    static constexpr UINT ID_LOCATION_ALL = 36000;  // 36001 + i: location i
    static constexpr UINT ID_LOCATION_LAST = 36200;

    // The filter of the list-file dialogs.
    static constexpr const TCHAR* kListFilter = u"Listora files (*.lsr)|*.lsr|";

    CListoraDoc();
    ~CListoraDoc() override;

    // Framework overrides.
    // With the options' bOnDevice set, the title is prefixed with "PocketPC : ".
    void SetTitle(LPCTSTR title) override;
    // After a failed open that brought the last list back, the path stays that list's.
    void SetPathName(LPCTSTR path, BOOL addToRecentFiles = TRUE) override;
    // Destroys every purchase and catalogue item and empties the name lists.
    void DeleteContents() override;
    // Asks for the new list's file name (save dialog); Cancel fails.
    BOOL OnNewDocument() override;
    BOOL OnOpenDocument(LPCTSTR path) override;
    // Never asks: writes the list to LastFile (with a Yes/No retry on failure) and the
    // name lists and options to the catalogue store.
    BOOL SaveModified() override;
    // A change also starts the autosave, which writes the list within a second.
    void SetModifiedFlag(BOOL modified = TRUE) override;

    // Reads a list file into the list. asDocument: the file becomes the document's
    // file (the old list is dropped first); otherwise its lines are added to the
    // list. A failed load brings back the last list (LastFile).
    bool LoadList(LPCTSTR path, bool onDevice, bool asDocument) override;

    // Accessors. The lists themselves change only through the operations below;
    // the name lists may be edited in place by the catalogue dialogs.
    const rep::vector<Purchase*>& GetPurchases() const { return m_purchases; }
    // The catalogue's accessors read it first when a start put it off.
    const rep::vector<Item*>& GetItems() const { return Loaded().m_catalogue.Items(); }
    rep::vector<TCHAR*>& GetCategories() { return Loaded().m_categories; }
    rep::vector<TCHAR*>& GetLocations() { return Loaded().m_locations; }
    rep::vector<TCHAR*>& GetUnits() { return Loaded().m_units; }
    const rep::vector<TCHAR*>& GetCategories() const override { return Loaded().m_categories; }
    const rep::vector<TCHAR*>& GetLocations() const { return Loaded().m_locations; }
    const rep::vector<TCHAR*>& GetUnits() const { return Loaded().m_units; }
    // Null: no restriction.
    LPCTSTR GetCategoryRestriction() const { return m_categoryRestriction ? m_categoryRestriction->c_str() : nullptr; }
    LPCTSTR GetLocationRestriction() const { return m_locationRestriction ? m_locationRestriction->c_str() : nullptr; }
    bool GetShowPurchased() const { return m_showPurchased; }
    // The file the list was last loaded from (empty until one was).
    const std::u16string& GetCurrentPath() const { return m_currentPath; }

    // List operations.
    // The first purchase (in list order) whose name equals name exactly.
    Purchase* FindPurchase(LPCTSTR name) override;
    // The first catalogue item whose name equals name exactly.
    Item* FindItem(LPCTSTR name);
    // Takes ownership; sorts, checks the total notice, marks modified, updates views.
    void AddPurchase(Purchase* purchase) override;
    // The add-item dialog for purchase (null: a new line), run by the application;
    // on OK its result goes to ApplyEdit. Cancel changes nothing.
    void EditPurchase(Purchase* purchase);
    // What OK in the add-item dialog does with its result: a new purchase is appended
    // (taken over) and, when its name is new, copied into the catalogue; then, new or
    // edited, the list is sorted, the total notice checked, the views updated, the
    // document marked modified and the autosave check run.
    void ApplyEdit(Purchase* purchase, bool isNew);
    // Removes and destroys it; marks modified and updates views.
    void RemovePurchase(Purchase* purchase) override;
    // Destroys every purchase and clears both restrictions.
    void ClearList();
    // Sorts the purchases (and, for the name and price columns, the catalogue) by the
    // sort options, then updates all views.
    void SortList();

    // Catalogue operations.
    // Adds item unless one of that name (ignoring case) exists: then returns false
    // and the caller keeps it. Unless listOnly, the item is also stored.
    bool AddCatalogueItem(Item* item, bool listOnly) override;
    // Removes it from the store and, when that worked, from the catalogue (destroyed).
    void RemoveCatalogueItem(Item* item);
    // Copy name into the list unless it is empty or already there (ignoring case);
    // true when added.
    bool AddUnit(LPCTSTR name) override { return AddName(NameAdditions::UNITS, name); }
    bool AddCategory(LPCTSTR name) override { return AddName(NameAdditions::CATEGORIES, name); }
    bool AddLocation(LPCTSTR name) override { return AddName(NameAdditions::LOCATIONS, name); }
    // An import: between the two, lines are appended and new items and names gathered;
    // EndImport merges them in, sorts the list by name, writes the store and the name
    // lists once, rebuilds the menus, checks the total notice and updates the views once.
    // Look-ups of catalogue items see the imported ones only after EndImport.
    void BeginImport() override;
    void EndImport() override;
    // Writes the three name lists to the store. Always true.
    bool UpdateLists();
    // Reads the catalogue from the store unless it is marked loaded.
    void LoadCatalogue();
    // Start-up: the next list opened, when it is a binary list, is shown before the
    // catalogue is read (the list view needs only the list). The catalogue, and what
    // the list adds to it, follow at EnsureCatalogue: after the first paint, or
    // earlier when something needs them (every accessor and command asks for it).
    static void DeferNextCatalogue(bool defer = true) { s_deferNextCatalogue = defer; }
    bool IsCataloguePending() const { return m_cataloguePending; }
    // Does the put-off part of the open now (with the wait cursor); nothing otherwise.
    void EnsureCatalogue();
    // Call after changing a catalogue item's or a purchase's name in place, or after
    // editing the items list through a dialog, so the look-ups see the change.
    void CatalogueChanged();
    void PurchasesChanged();

    // Name lists as the item manager maintains them: whether an item or a purchase
    // uses the name (ignoring case), and its removal from every item (rewritten in the
    // store) and every purchase.
    bool IsCategoryUsed(LPCTSTR name) const;
    bool IsLocationUsed(LPCTSTR name) const;
    bool IsUnitUsed(LPCTSTR name) const;
    void RemoveCategoryFromAll(LPCTSTR name);
    void RemoveLocationFromAll(LPCTSTR name);
    void RemoveUnitFromAll(LPCTSTR name);

    // Restrictions (null: none); they mark the frame's restriction menus.
    void SetCategoryRestriction(LPCTSTR name);
    void SetLocationRestriction(LPCTSTR name);

    // The spending notice after an add or edit: "Note: Total is %.2f" when the
    // options ask for it and the total passed the sum.
    void CheckTotalNotice();

    // Commands (also reached through the command route).
    void OnChooseItems();
    void OnAddItem();
    void OnClearList();
    void OnRemovePurchased();
    void OnSaveAs();
    // Send as Text: the list as text on the clipboard, and the offer to mail it.
    void OnSendAsText();
    // Select Background: the tile picker; on OK the tile goes into the options.
    void OnSelectBackground();
    // Options: on OK the options are saved; OK or not, the views take them in.
    void OnOptions();
    // Set Tax Rates: on OK the options are saved and the views redrawn.
    void OnSetTaxRates();
    // Item Manager: the catalogue sheet, then the name lists stored and the menus rebuilt.
    void OnItemManager();
    void OnSynchronizeItems();
    void OnCategoryRestriction(UINT id);
    void OnLocationRestriction(UINT id);


    // The frame that shows this document (null when there is none).
    CFrameWnd* GetFrame() const;
    // The document's file and title become those of the file just written.
    void FollowSavedFile(const std::u16string& path);

protected:
    void OnUpdateEnable(CCmdUI* cmdUI);
    void OnUpdateRemovePurchased(CCmdUI* cmdUI);

private:
    // Resets what a New or a load starts from: no restriction, purchased lines shown,
    // the catalogue read (unless readCatalogue is false).
    void ResetState(bool readCatalogue = true);
    void ResetViews();
    // Sorts purchases and items by the options, without a view update.
    void SortLists();
    // The catalogue's order that goes with the sort column.
    void SortItemsForColumn();
    // The order the sort settings ask for.
    static PurchaseOrder CurrentOrder();
    void SetRestriction(std::unique_ptr<std::u16string>& restriction, LPCTSTR name, LPARAM hint);
    // The name a restriction command stands for (null for the "All ..." entry); false
    // for an entry of a menu built from an older list.
    static bool RestrictionName(UINT id, UINT allId, const rep::vector<TCHAR*>& names, const TCHAR** name);
    // Adds to the name list which (see AddUnit).
    bool AddName(NameAdditions::List which, LPCTSTR name);
    void RebuildRestrictionMenus();
    void ShowCommandBar(bool show);
    // Reading the catalogue when it was put off is logically const.
    CListoraDoc& Loaded() const;
    // The part of opening a list that needs the catalogue: the lines' new items
    // (stored) and names join it.
    void JoinListToCatalogue(rep::vector<Item*>& fresh);
    void AddNamesOfLines();
    IListoraFrame* GetListoraFrame() const;
    void DestroyPurchases();
    static void FreeNames(rep::vector<TCHAR*>& list);
    // Takes a name from every item (rewritten in the store) and line; changed lines
    // mark the list modified.
    void RemoveNameFromAll(const NameUsage& usage);

    rep::vector<TCHAR*> m_categories;
    rep::vector<TCHAR*> m_locations;
    rep::vector<TCHAR*> m_units;
    Catalogue m_catalogue;
    rep::vector<Purchase*> m_purchases;
    bool m_showPurchased = true;
    bool m_listsLoaded = false;
    bool m_cataloguePending = false;
    static inline bool s_deferNextCatalogue = false;
    std::unique_ptr<std::u16string> m_categoryRestriction;
    std::unique_ptr<std::u16string> m_locationRestriction;
    std::u16string m_currentPath;
    bool m_currentOnDevice = false;

    // While an import runs.
    std::unique_ptr<ImportBatch> m_import;
    ExactNameIndex<Purchase> m_purchaseIndex;
    // Last, so it goes first: a write in progress ends before the lists go.
    std::unique_ptr<ListAutosave> m_autosave;
};
