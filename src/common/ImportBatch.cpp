#include "ImportBatch.h"

#include "LRRegistry.h"
#include "WideString.h"
#include "System/Diagnostics/Trace.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

using Diagnostics::Trace;

ImportBatch::ImportBatch(const Lists& lists)
    : m_lists(lists), m_names(lists.categories, lists.locations, lists.units), m_items(lists.catalogue.Items()) {}

bool ImportBatch::AddCatalogueItem(Item* item, bool listOnly) {
    if (!m_items.Offer(item))
        return false;
    if (listOnly)
        m_listOnly.insert(item);
    return true;
}

Purchase* ImportBatch::FindPurchase(const TCHAR* name) {
    if (!name)
        return nullptr;
    Purchase* found = m_lists.purchaseIndex.Find(name, m_lists.purchases);
    if (!found || !m_removed.count(found))
        return found;
    // Only when several lines carry the name: the first one still in the list.
    for (Purchase* purchase : m_lists.purchases)
        if (purchase->Name() == name && !m_removed.count(purchase))
            return purchase;
    return nullptr;
}

void ImportBatch::AddPurchase(Purchase* purchase) {
    if (!purchase)
        return;
    m_lists.purchases.push_back(purchase);
    m_lists.purchaseIndex.Add(purchase);
    m_purchasesAdded = true;
}

void ImportBatch::RemovePurchase(Purchase* purchase) {
    if (purchase && m_removed.insert(purchase).second)
        m_lists.purchaseIndex.Remove(purchase, m_lists.purchases);
}

ImportBatch::Outcome ImportBatch::Finish(LRRegistry& store) {
    Outcome outcome;
    outcome.restrictionNamesAdded =
        m_names.Added(NameAdditions::CATEGORIES) || m_names.Added(NameAdditions::LOCATIONS);
    outcome.namesAdded = m_names.Merge();

    if (!m_items.Empty()) {
        rep::vector<Item*> toStore;
        for (Item* item : m_lists.catalogue.Merge(m_items)) {
            if (!m_listOnly.count(item))
                toStore.push_back(item);
        }
        if (!toStore.empty() && !store.SaveItems(toStore))
            Trace::WriteFormattedLineT(u"error", u"%s", u"Cannot add item to registry");
    }

    rep::vector<Purchase*>& purchases = m_lists.purchases;
    const bool removedAny = !m_removed.empty();
    if (removedAny) {
        DWORD kept = 0;
        std::vector<Purchase*> removed;
        for (Purchase* purchase : purchases) {
            if (m_removed.count(purchase))
                removed.push_back(purchase);
            else
                purchases[kept++] = purchase;
        }
        while (purchases.size() > kept)
            purchases.pop_back();
        for (Purchase* purchase : removed)
            delete purchase;
        m_removed.clear();
    }
    outcome.purchasesAdded = m_purchasesAdded;
    outcome.listChanged = m_purchasesAdded || removedAny;
    auto byName = [](const Purchase* a, const Purchase* b) { return CompareNoCase(a->Name(), b->Name()) < 0; };
    const bool sorted = std::is_sorted(purchases.begin(), purchases.end(), byName);
    if (!sorted) {
        // By the folded names, each folded once (the order of comparing them ignoring
        // case); stable, so lines of equal names keep the order one-by-one insertion
        // gives them.
        std::vector<std::pair<std::u16string, Purchase*>> keyed;
        keyed.reserve(purchases.size());
        for (Purchase* purchase : purchases)
            keyed.emplace_back(FoldCase(purchase->Name()), purchase);
        std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        for (DWORD i = 0; i < purchases.size(); ++i)
            purchases[i] = keyed[i].second;
    }
    // Which line of a name comes first may have changed.
    if (outcome.listChanged || !sorted)
        m_lists.purchaseIndex.Invalidate();
    return outcome;
}
