#include "ExtendedSaveFilter.h"

#include "ListTestSupport.h"

#include <gtest/gtest.h>

namespace {

// A list with every kind of line: the names say what each has.
class ExtendedSaveFilterTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const Line& line : {Line{.name = u"bought", .purchased = true},
                                 Line{.name = u"fruit@walmart", .location = u"walmart", .categories = {u"fruits"}},
                                 Line{.name = u"meat+fruit", .categories = {u"Meat", u"Fruits"}}, Line{.name = u"plain"},
                                 Line{.name = u"drink@sams", .location = u"sam's club", .categories = {u"Drinks"}}})
            purchases.push_back(Make(line));
    }
    std::vector<std::u16string> Saved() const {
        rep::vector<Purchase*> matching;
        FilterExtendedSave(filter, purchases, matching);
        std::vector<std::u16string> names;
        for (const Purchase* purchase : matching)
            names.emplace_back(purchase->Name());
        return names;
    }

    Purchases purchases;
    ExtendedSaveFilter filter;
};

using Names = std::vector<std::u16string>;

}  // namespace

// The whole list with the boxes as they start, and with nothing chosen, are the
// Extended Save command's (tests/app/ExchangeTest); here the tests one by one.
TEST_F(ExtendedSaveFilterTest, EachTestAndBothTogether) {
    filter.includeNotPurchased = false;
    EXPECT_EQ(Saved(), Names{u"bought"});
    filter.includeNotPurchased = true;

    filter.allCategories = false;
    Fill(filter.categories, {u"Fruits"});  // "fruits" too
    EXPECT_EQ(Saved(), (Names{u"bought", u"fruit@walmart", u"meat+fruit", u"plain"}));

    filter.allCategories = true;
    filter.allLocations = false;
    filter.includeWithoutLocation = false;
    Fill(filter.locations, {u"WALMART"});
    EXPECT_EQ(Saved(), Names{u"fruit@walmart"});

    // Both must pass.
    filter.includeWithoutLocation = true;
    filter.allCategories = false;
    filter.includeWithoutCategory = false;
    EXPECT_EQ(Saved(), (Names{u"fruit@walmart", u"meat+fruit"}));
}
