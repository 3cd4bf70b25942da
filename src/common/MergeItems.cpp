#include "MergeItems.h"

#include "ListCapacity.h"
#include "Options.h"
#include "WideString.h"

#include <algorithm>
#include <string>
#include <utility>

namespace {

int CompareNames(const Item* a, const Item* b) { return CompareNoCase(a->Name(), b->Name()); }

}  // namespace

void SortItemsByName(rep::vector<Item*>& items) {
    std::sort(items.begin(), items.end(), [](const Item* a, const Item* b) { return CompareNames(a, b) < 0; });
}

void MergeSortedItems(rep::vector<Item*>& items, std::vector<KeyedItem> keyed) {
    auto ascending = [](const Item* a, const Item* b) { return CompareNames(a, b) < 0; };
    // Folded names sort as the names do ignoring case. Distinct keys have one order, so
    // lines that came in name order need no sort at all.
    auto byKey = [](const KeyedItem& a, const KeyedItem& b) { return a.key < b.key; };
    if (!std::is_sorted(keyed.begin(), keyed.end(), byKey))
        std::sort(keyed.begin(), keyed.end(), byKey);
    rep::vector<Item*> merged;
    MakeRoom(merged, items.size() + static_cast<DWORD>(keyed.size()));
    DWORD old = 0;
    for (const auto& [key, item] : keyed) {
        while (old < items.size() && !ascending(item, items[old]))
            merged.push_back(items[old++]);
        merged.push_back(item);
    }
    while (old < items.size())
        merged.push_back(items[old++]);
    items.swap(merged);
}

void MergeItemsWithAction(rep::vector<Item*>& target, rep::vector<Item*>& source, DWORD action) {
    SortItemsByName(target);
    SortItemsByName(source);

    // Both lists are sorted the same way, so the items of t's name (ignoring case) form
    // one run in source at or after the run of the previous target item: one pass finds
    // every first exact match. Taken source items are set to null and dropped at the end.
    DWORD run = 0;
    for (DWORD t = 0; t < target.size(); ++t) {
        Item* current = target[t];
        while (run < source.size() && (!source[run] || CompareNames(source[run], current) < 0))
            ++run;
        for (DWORD s = run; s < source.size(); ++s) {
            Item* incoming = source[s];
            if (!incoming)
                continue;
            if (CompareNames(incoming, current) != 0)
                break;
            if (_tcscmp(incoming->GetName(), current->GetName()) != 0)
                continue;
            if (current->Equals(*incoming) || action == 0) {
                delete incoming;
            } else if (action == 1 || action == 2) {
                delete current;
                target[t] = incoming;
            } else {
                break;  // both stay; the incoming one is appended below
            }
            source[s] = nullptr;
            break;
        }
    }

    for (Item* incoming : source)
        if (incoming)
            target.push_back(incoming);
    source.clear();
    SortItemsByName(target);
}

void MergeItems(rep::vector<Item*>& target, rep::vector<Item*>& source, int mode, const Options& options) {
    MergeItemsWithAction(target, source, options.GetMatchAction(mode));
}

void MergeItems(rep::vector<Item*>& target, rep::vector<Item*>& source, int mode) {
    MergeItems(target, source, mode, TheOptions());
}
