// The two list versions that the save-interruption test alternates between. The helper
// program and the test build them the same way, so the test can tell "complete old"
// and "complete new" from anything else.
#pragma once
#include "Purchase.h"
#include "Text/Util.h"

#include <string>

inline void BuildSaveVersion(int version, rep::vector<Purchase*>& list) {
    const int count = version == 0 ? 300 : 700;
    rep::string_list categories;
    categories.push_back(Util::tcsdup(version == 0 ? u"Foods" : u"Household & Cleaning Items"));
    for (int i = 0; i < count; ++i) {
        const std::string digits = std::to_string(i);
        std::u16string name = version == 0 ? u"Old item " : u"New item ";
        name.append(digits.begin(), digits.end());
        auto* purchase = new Purchase(u"");
        purchase->Set(name.c_str(), u"pkg", u"a note that makes the record longer", nullptr,
                      static_cast<float>(i % 7), 0.25f * static_cast<float>(i), i % 2 == 0, false,
                      false, i % 3 == 0, categories);
        list.push_back(purchase);
    }
}
