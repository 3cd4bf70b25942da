// The catalogue in memory: the items, a look-up by exact name, and the order they are
// in (A to Z or Z to A ignoring case, or unknown). It owns its items. The store keeps
// the catalogue on disk; this class never writes it.
#pragma once
#include "ExactNameIndex.h"
#include "CatalogueAdditions.h"
#include "Item.h"
#include "Purchase.h"
#include "Registry/RepVector.h"

#include <vector>

class Catalogue {
public:
    Catalogue() = default;
    Catalogue(const Catalogue&) = delete;
    Catalogue& operator=(const Catalogue&) = delete;
    ~Catalogue();

    const rep::vector<Item*>& Items() const { return m_items; }
    // For readers that append items (a text list, the store); call Changed afterwards.
    rep::vector<Item*>& Edit() { return m_items; }

    // The first item (in catalogue order) whose name is exactly name.
    Item* Find(const TCHAR* name);
    // Takes item into its place A to Z, unless an item of that name ignoring case is
    // there already (then false, and the caller keeps it).
    bool Add(Item* item);
    // Takes item out (the caller destroys it); false when it is not in the catalogue.
    bool Remove(Item* item);
    // Offers every line that is not one-time and new to the catalogue by its exact name
    // as an item, taken when no item carries its name ignoring case: the result of
    // adding them one by one, in one pass. Returns the items taken.
    std::vector<Item*> AddLines(const rep::vector<Purchase*>& lines);
    // Merges the gathered additions in (A to Z) and returns them, now the catalogue's.
    std::vector<Item*> Merge(CatalogueAdditions& additions);
    // Puts the items in order by name, ignoring case.
    void SortByName(bool descending);
    // Names or the order changed behind the catalogue's back (or items were appended).
    void Changed();
    // Marks the items as sorted A to Z (after a merge that leaves them so).
    void SortedAscending();
    // Destroys every item.
    void Clear();

private:
    enum class Order { Unknown, Ascending, Descending };
    rep::vector<Item*> m_items;
    ExactNameIndex<Item> m_index;
    Order m_order = Order::Ascending;
};
