#include "ExtendedSaveFilter.h"

#include "ListTestSupport.h"

#include <gtest/gtest.h>

namespace {

// A list with every kind of line: the names say what each has.
class ExtendedSaveFilterTest : public ::testing::Test {
protected:
    void SetUp() override {
        Add(u"bought", nullptr, {}, true);
        Add(u"fruit@walmart", u"walmart", {u"fruits"}, false);
        Add(u"meat+fruit", nullptr, {u"Meat", u"Fruits"}, false);
        Add(u"plain", nullptr, {}, false);
        Add(u"drink@sams", u"sam's club", {u"Drinks"}, false);
    }
    void Add(const TCHAR* name, const TCHAR* location, std::initializer_list<const TCHAR*> categories,
             bool purchased) {
        rep::string_list list;
        Fill(list, categories);
        auto* purchase = new Purchase(u"");
        purchase->Set(name, u"", nullptr, location, 1.0f, 1.0f, false, false, false, purchased, list);
        purchases.push_back(purchase);
    }
    std::vector<std::u16string> Saved() const {
        rep::vector<Purchase*> matching;
        FilterExtendedSave(filter, purchases, matching);
        std::vector<std::u16string> names;
        for (const Purchase* purchase : matching)
            names.push_back(purchase->Name());
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
