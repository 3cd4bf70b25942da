// What the document puts off while an import adds many rows: done one by one, every
// row would insert its line at its sorted place, write its new item to the store, and
// every new name would write the name lists and rebuild the menus. A batch lives from
// the start of an import to its end and works on the document's lists directly:
// lines are appended (removed ones set aside), new catalogue items and names gathered;
// Finish then merges, sorts and writes the new items to the store once. The lists end
// as the one-by-one operations followed by a sort of the list by name leave them;
// what is left to the document (the name lists in the store, menus, the total
// notice, views) is reported by Finish.
#pragma once
#include "Catalogue.h"
#include "CatalogueAdditions.h"
#include "ExactNameIndex.h"
#include "Item.h"
#include "NameAdditions.h"
#include "Purchase.h"
#include "Registry/RepVector.h"

#include <unordered_set>
#include <vector>

class LRRegistry;

class ImportBatch {
public:
    // The document's lists.
    struct Lists {
        rep::vector<Purchase*>& purchases;
        Catalogue& catalogue;
        rep::vector<TCHAR*>& categories;
        rep::vector<TCHAR*>& locations;
        rep::vector<TCHAR*>& units;
        ExactNameIndex<Purchase>& purchaseIndex;
    };

    explicit ImportBatch(const Lists& lists);
    ImportBatch(const ImportBatch&) = delete;
    ImportBatch& operator=(const ImportBatch&) = delete;

    // Names for the name lists (see NameAdditions).
    NameAdditions& Names() { return m_names; }

    // Takes item unless the catalogue or the batch has its name (ignoring case).
    bool AddCatalogueItem(Item* item, bool listOnly);
    // The first line of the list named name exactly, lines removed in the batch aside.
    Purchase* FindPurchase(const TCHAR* name);
    // Takes ownership.
    void AddPurchase(Purchase* purchase);
    // purchase leaves the list; it is destroyed by Finish.
    void RemovePurchase(Purchase* purchase);

    struct Outcome {
        bool namesAdded = false;
        // A category or location was added: the restriction menus change.
        bool restrictionNamesAdded = false;
        bool purchasesAdded = false;
        bool listChanged = false;
    };
    // Merges the new items and names in, writes the new items (not the list-only ones)
    // to the store in one go, drops and destroys the removed lines (views must have
    // let go of them) and sorts the list by name ignoring case.
    Outcome Finish(LRRegistry& store);

private:
    Lists m_lists;
    NameAdditions m_names;
    CatalogueAdditions m_items;
    // Items that join the catalogue only (not the store).
    std::unordered_set<const Item*> m_listOnly;
    std::unordered_set<Purchase*> m_removed;
    bool m_purchasesAdded = false;
};
