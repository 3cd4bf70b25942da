// The catalogue's items as the store holds them, read for the document. A large
// catalogue takes a while: the read runs on a worker thread, and a progress dialog
// shows when it takes longer than a moment.
#pragma once
#include "Item.h"
#include "Registry/RepVector.h"

class Catalogue;
class LRRegistry;

class StoredItems {
public:
    // Appends every stored item to items (new objects the caller deletes); false when
    // the read failed part way (the items read before the failure are appended).
    static bool Read(LRRegistry& registry, rep::vector<Item*>& items);
    // Fills an empty catalogue with the stored items, or merges them into one that
    // has items (a failed read then leaves it as it was).
    static void ReadInto(LRRegistry& registry, Catalogue& catalogue);
    // Waits, with the wait cursor, for new items still on their way to the store
    // (a big list just opened); call it before a command reads or writes stored items.
    static void FinishSaving(LRRegistry& registry);
    // The three stored name lists, appended and freed of duplicates (a failed read
    // leaves a trace line).
    static void ReadNames(LRRegistry& registry, rep::vector<TCHAR*>& categories, rep::vector<TCHAR*>& locations,
                          rep::vector<TCHAR*>& units);
};
