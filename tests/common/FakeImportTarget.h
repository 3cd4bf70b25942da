// A list and catalogue behind the import's interface, kept as the document keeps them:
// name lists and catalogue compared ignoring case, purchases found by exact name, the
// list sorted by name at the end. New catalogue items go to the store, when one is
// given, in one write at the end. Used by the import tests and the import benchmark.
#pragma once
#include "IImportTarget.h"
#include "LRRegistry.h"
#include "ListTestSupport.h"
#include "WideString.h"

#include <algorithm>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

class FakeImportTarget : public IImportTarget {
public:
    virtual ~FakeImportTarget() = default;

    void BeginImport() override { ++begun; }
    void EndImport() override {
        // By name ignoring case, each name folded once.
        std::vector<std::pair<std::u16string, Purchase*>> keyed;
        keyed.reserve(purchases.size());
        for (Purchase* purchase : purchases)
            keyed.emplace_back(FoldCase(purchase->Name()), purchase);
        std::stable_sort(keyed.begin(), keyed.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (DWORD i = 0; i < purchases.size(); ++i)
            purchases[i] = keyed[i].second;
        if (store && !newItems.empty())
            store->SaveItems(newItems);
        newItems.clear();
        ++ended;
    }

    bool AddLocation(LPCTSTR name) override { return AddName(locations, m_locations, name); }
    bool AddUnit(LPCTSTR name) override { return AddName(units, m_units, name); }
    bool AddCategory(LPCTSTR name) override { return AddName(categories, m_categories, name); }
    const rep::vector<TCHAR*>& GetCategories() const override { return categories; }

    bool AddCatalogueItem(Item* item, bool listOnly) override {
        if (!m_itemNames.insert(FoldCase(item->Name())).second)
            return false;
        items.push_back(item);
        if (!listOnly)
            newItems.push_back(item);
        return true;
    }

    Purchase* FindPurchase(LPCTSTR name) override {
        const auto it = m_purchaseCounts.find(name);
        if (it == m_purchaseCounts.end() || it->second == 0)
            return nullptr;
        for (Purchase* purchase : purchases)
            if (purchase->Name() == name)
                return purchase;
        return nullptr;
    }
    void RemovePurchase(Purchase* purchase) override {
        const int index = purchases.indexOf(purchase);
        if (index < 0)
            return;
        purchases.erase(static_cast<DWORD>(index));
        --m_purchaseCounts[std::u16string(purchase->Name())];
        delete purchase;
    }
    void AddPurchase(Purchase* purchase) override {
        purchases.push_back(purchase);
        ++m_purchaseCounts[std::u16string(purchase->Name())];
    }

    bool LoadList(LPCTSTR path, bool onDevice, bool asDocument) override {
        loadedPath = path;
        loadedOnDevice = onDevice;
        loadedAsDocument = asDocument;
        return loadListResult;
    }

    // Seeds the lists as the catalogue store would have them.
    void Seed(std::initializer_list<const TCHAR*> categoryNames) {
        for (const TCHAR* name : categoryNames)
            AddCategory(name);
    }

    rep::string_list categories;
    rep::string_list locations;
    rep::string_list units;
    Items items;
    Purchases purchases;
    rep::vector<Item*> newItems;
    LRRegistry* store = nullptr;
    int begun = 0;
    int ended = 0;
    bool loadListResult = true;
    std::u16string loadedPath;
    bool loadedOnDevice = true;
    bool loadedAsDocument = true;

private:
    static bool AddName(rep::string_list& list, std::unordered_set<std::u16string>& known, LPCTSTR name) {
        if (!name || !*name || !known.insert(FoldCase(name)).second)
            return false;
        list.push_back(Util::tcsdup(name));
        return true;
    }

    std::unordered_set<std::u16string> m_categories;
    std::unordered_set<std::u16string> m_locations;
    std::unordered_set<std::u16string> m_units;
    std::unordered_set<std::u16string> m_itemNames;
    std::unordered_map<std::u16string, int> m_purchaseCounts;
};
