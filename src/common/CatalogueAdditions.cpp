#include "CatalogueAdditions.h"

#include "MergeItems.h"
#include "WideString.h"

#include <utility>

CatalogueAdditions::CatalogueAdditions(const rep::vector<Item*>& items, std::size_t expected) {
    m_known.reserve(items.size() + expected);
    for (const Item* item : items)
        m_known.insert(FoldCase(item->Name()));
}

CatalogueAdditions::~CatalogueAdditions() {
    for (const KeyedItem& added : m_added)
        delete added.item;
}

bool CatalogueAdditions::Claim(std::u16string_view name) {
    FoldCaseInto(name, m_folding);
    const auto [known, inserted] = m_known.insert(m_folding);
    if (inserted)
        m_claimed = *known;
    return inserted;
}

void CatalogueAdditions::Add(Item* item) {
    // The folded name the merge sorts by is the one kept in m_known.
    m_added.push_back({m_claimed, item});
}

bool CatalogueAdditions::Offer(Item* item) {
    if (!item || !Claim(item->Name()))
        return false;
    Add(item);
    return true;
}

std::vector<Item*> CatalogueAdditions::MergeInto(rep::vector<Item*>& items) {
    std::vector<Item*> added;
    if (m_added.empty())
        return added;
    added.reserve(m_added.size());
    for (const KeyedItem& keyed : m_added)
        added.push_back(keyed.item);
    MergeSortedItems(items, std::move(m_added));
    m_added.clear();
    return added;
}
