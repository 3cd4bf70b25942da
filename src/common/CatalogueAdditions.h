// New catalogue items gathered while many lines are offered to the catalogue (a list
// being loaded, an import) and merged in at once. The catalogue compares names
// ignoring case: a name it or an earlier addition already has is not taken again. The
// merge gives the order that adding each item at its sorted place gives, at the cost
// of one pass instead of one insertion per item.
#pragma once
#include "Item.h"
#include "MergeItems.h"
#include "Registry/RepVector.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

class CatalogueAdditions {
public:
    // The catalogue's names (ignoring case) are the known ones; room is made for
    // about expected additions.
    explicit CatalogueAdditions(const rep::vector<Item*>& items, std::size_t expected = 0);
    CatalogueAdditions(const CatalogueAdditions&) = delete;
    CatalogueAdditions& operator=(const CatalogueAdditions&) = delete;
    // Deletes the items not merged.
    ~CatalogueAdditions();

    // True when no known name equals name ignoring case; the name is then known.
    bool Claim(std::u16string_view name);
    // Takes the item of the name claimed last.
    void Add(Item* item);
    // Claims the item's name and takes it; false (the caller keeps it) when the name
    // was known.
    bool Offer(Item* item);

    bool Empty() const { return m_added.empty(); }
    // Merges the added items into items, which must be sorted A to Z ignoring case, and
    // returns them (now owned by items).
    std::vector<Item*> MergeInto(rep::vector<Item*>& items);

private:
    std::unordered_set<std::u16string> m_known;  // folded; its texts stay where they are
    std::u16string m_folding;
    std::u16string_view m_claimed;
    std::vector<KeyedItem> m_added;
};
