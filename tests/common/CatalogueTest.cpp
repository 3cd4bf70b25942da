#include "Catalogue.h"

#include "ListTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

// Lines in any order join the catalogue as adding them one by one would: A to Z
// ignoring case, a name it knows in another case or a one-time line not taken.
TEST(CatalogueTest, LinesJoinInNameOrderWhateverTheirOrder) {
    for (const bool inNameOrder : {true, false}) {
        Catalogue catalogue;
        ASSERT_TRUE(catalogue.Add(new Item(u"Milk")));
        rep::vector<Purchase*> lines;
        for (const std::u16string name : {u"apple", u"Bread", u"cheese", u"milk", u"Dates", u"eggs", u"Figs"}) {
            lines.push_back(new Purchase(name.c_str()));
            lines.back()->SetOnce(name == u"cheese");
        }
        if (!inNameOrder)
            std::reverse(lines.begin(), lines.end());

        const std::vector<Item*> added = catalogue.AddLines(lines);
        EXPECT_EQ(added.size(), 5u);
        std::vector<std::u16string> names;
        for (const Item* item : catalogue.Items())
            names.emplace_back(item->Name());
        EXPECT_EQ(names, (std::vector<std::u16string>{u"apple", u"Bread", u"Dates", u"eggs", u"Figs", u"Milk"}))
            << inNameOrder;
        EXPECT_EQ(catalogue.Find(u"Figs"), catalogue.Items()[4]);
        rep::delete_objects(lines);
    }
}
