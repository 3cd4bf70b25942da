// The catalogue's items as the store holds them, read for the document. A large
// catalogue takes a while: the read runs on a worker thread, and a progress dialog
// shows when it takes longer than a moment.
#pragma once
#include "Item.h"
#include "Registry/RepVector.h"

class LRRegistry;

class StoredItems {
public:
    // Appends every stored item to items (new objects the caller deletes); false when
    // the read failed part way (the items read before the failure are appended).
    static bool Read(LRRegistry& registry, rep::vector<Item*>& items);
};
