// A list like a real one, only longer: names of 15-25 characters, most lines with a
// unit and a category, some with a location and a note. The caller owns the purchases.
#pragma once
#include "Purchase.h"
#include "Text/Util.h"

#include "BenchRoot.h"

#include <string>

inline void BuildLongList(rep::vector<Purchase*>& list, int count, const std::u16string& namePrefix) {
    const TCHAR* const units[] = {u"", u"kg", u"pkg", u"litre", u"doz"};
    const TCHAR* const locations[] = {nullptr, u"walmart", u"sam's club"};
    const TCHAR* const categoryNames[] = {u"Foods", u"Vegetables", u"Household & Cleaning Items", u"Drinks"};
    for (int i = 0; i < count; ++i) {
        rep::string_list categories;
        categories.push_back(Util::tcsdup(categoryNames[i % 4]));
        if (i % 5 == 0)
            categories.push_back(Util::tcsdup(categoryNames[(i + 1) % 4]));
        const std::u16string name = namePrefix + Wide(std::to_string(i));
        auto* purchase = new Purchase(u"");
        purchase->Set(name.c_str(), units[i % 5], i % 7 == 0 ? u"only the ripe ones" : nullptr,
                      locations[i % 3], static_cast<float>(1 + i % 4), 0.01f * static_cast<float>(i % 5000),
                      i % 11 == 0, i % 2 == 0, false, i % 3 == 0, categories);
        list.push_back(purchase);
    }
}
