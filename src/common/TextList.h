// Text lists: comma-separated UTF-16 lists of the other product (".obls"), the default
// items file ("init.isl") and ".CSV" lists. The first 7 fields are a header; then every
// 7 fields are one record: "name" (an optional (Once) before the closing quote),
// "unit", quantity, price, coupon, purchased, and +*(XX)+Category+... where XX is a
// two-letter location code ("  " for none).
#pragma once
#include "Item.h"
#include "Purchase.h"

// Results of reading a list; the document turns each into its trace line.
enum ListReadResult : int {
    LR_OK = 0,
    LR_UNSUPPORTED = 1,  // the file name's extension is not a list kind
    LR_CANNOT_OPEN = 2,  // the file cannot be opened or its binary content is damaged
    LR_NAME = 3,
    LR_UNIT = 4,
    LR_QTY = 5,
    LR_PRICE = 6,
    LR_COUPON = 7,
    LR_PURCHASED = 8,
    LR_CATEGORIES = 9,
};

// Parses text, appending a new Item for every record whose name (exact) is not yet in
// items, and a Purchase made from the record when its quantity is not 0 and no
// purchase of that name exists (also for a record of a known item). A name repeated
// in the text is ignored after its first record. Location codes expand to the first of locations that starts with
// the same two characters (ignoring case), else stay as they are. The appended
// objects belong to the caller, also when the parse stops at an error (the first error
// ends it). text may be null (nothing to read: LR_NAME).
int ParseTextList(const TCHAR* text, rep::vector<Item*>& items,
                  rep::vector<Purchase*>& purchases, const rep::vector<TCHAR*>& locations);
