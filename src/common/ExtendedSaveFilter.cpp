#include "ExtendedSaveFilter.h"

#include "NameList.h"

bool MatchesExtendedSave(const ExtendedSaveFilter& filter, const Purchase& purchase) {
    if (!(purchase.IsPurchased() ? filter.includePurchased : filter.includeNotPurchased))
        return false;
    if (!filter.allCategories) {
        const ItemTexts::Categories categories = purchase.GetCategories();
        if (categories.empty()) {
            if (!filter.includeWithoutCategory)
                return false;
        } else {
            bool chosen = false;
            for (const TCHAR* category : categories)
                chosen = chosen || ListContains(filter.categories, category);
            if (!chosen)
                return false;
        }
    }
    if (!filter.allLocations) {
        if (!purchase.HasLocation())
            return filter.includeWithoutLocation;
        return ListContains(filter.locations, purchase.GetLocation());
    }
    return true;
}

void FilterExtendedSave(const ExtendedSaveFilter& filter, const rep::vector<Purchase*>& purchases,
                        rep::vector<Purchase*>& matching) {
    for (Purchase* purchase : purchases)
        if (purchase && MatchesExtendedSave(filter, *purchase))
            matching.push_back(purchase);
}
