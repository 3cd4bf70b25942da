#include "CatalogueAdditions.h"

#include "MergeItems.h"
#include "WideString.h"

CatalogueAdditions::CatalogueAdditions(const rep::vector<Item*>& items, std::size_t expected) {
    m_known.reserve(items.size() + expected);
    for (const Item* item : items)
        m_known.insert(FoldCase(item->Name()));
}

CatalogueAdditions::~CatalogueAdditions() {
    for (Item* item : m_added)
        delete item;
}

bool CatalogueAdditions::Claim(std::u16string_view name) {
    return m_known.insert(FoldCase(name)).second;
}

void CatalogueAdditions::Add(Item* item) {
    m_added.push_back(item);
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
    added.swap(m_added);
    MergeSortedItems(items, added);
    return added;
}
