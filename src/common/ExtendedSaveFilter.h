// ExtendedSaveFilter: which purchases an Extended Save writes, as the Extended Save
// dialog hands it over: the chosen categories and locations (empty when the matching
// "All" box is ticked), then the six boxes. Every box starts ticked, which keeps
// every purchase.
#pragma once
#include "windows.h"

#include "Purchase.h"
#include "Registry/RepVector.h"

struct ExtendedSaveFilter {
    rep::string_list categories;
    rep::string_list locations;
    bool includePurchased = true;
    bool includeNotPurchased = true;
    bool allCategories = true;
    bool allLocations = true;
    bool includeWithoutCategory = true;
    bool includeWithoutLocation = true;
};

// True when the purchase passes every test: its purchased state is included; unless
// all categories are, one of its categories is chosen (ignoring case) or it has none
// and those are included; likewise for its location.
bool MatchesExtendedSave(const ExtendedSaveFilter& filter, const Purchase& purchase);

// Appends the purchases that match, in list order, to matching (shared, not copied).
void FilterExtendedSave(const ExtendedSaveFilter& filter, const rep::vector<Purchase*>& purchases,
                        rep::vector<Purchase*>& matching);
