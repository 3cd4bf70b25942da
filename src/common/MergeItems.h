// Catalogue merge: items read from the store are merged into the items in memory. Items
// are paired by exact name; of two differing items of one name the match action decides
// which survives: 0 keeps the item in memory, 1 and 2 take the incoming one, any other
// value keeps both.
#pragma once
#include "Item.h"

#include <string_view>
#include <vector>

class Options;

// Merge modes, each naming the option that holds its match action.
enum MergeMode { MERGE_OB = 0, MERGE_TAMRA = 1, MERGE_TAMRA_OB = 2 };

// Merges source into target with the match action the options hold for mode. Every
// source item ends up in target or deleted; source is empty afterwards. target ends
// sorted by name ignoring case.
void MergeItems(rep::vector<Item*>& target, rep::vector<Item*>& source, int mode, const Options& options);
// The same with the program's options.
void MergeItems(rep::vector<Item*>& target, rep::vector<Item*>& source, int mode);
// The same with an explicit match action.
void MergeItemsWithAction(rep::vector<Item*>& target, rep::vector<Item*>& source, DWORD action);

// Sorts by name ignoring case, ascending.
void SortItemsByName(rep::vector<Item*>& items);

// An item with its name folded (FoldCase), so that names compare ignoring case as the
// keys compare.
struct KeyedItem {
    std::u16string_view key;
    Item* item;
};
// Merges added, sorted by key first, into items, which must already be sorted by name
// ignoring case; an added item goes after the items that equal it. The keys must
// differ from each other. items takes over the added items.
void MergeSortedItems(rep::vector<Item*>& items, std::vector<KeyedItem> added);
