#include "Item.h"

#include "ListTestSupport.h"

#include <gtest/gtest.h>

namespace {

Item MakeItem(const TCHAR* name, const TCHAR* unit, const TCHAR* location, bool taxable, float price,
              std::initializer_list<const TCHAR*> categories) {
    rep::string_list list;
    Fill(list, categories);
    Item item(u"");
    item.Set(name, unit, location, taxable, price, list);
    return item;
}

}  // namespace

TEST(ItemTest, SetCopiesEverythingAndEmptyLocationIsNone) {
    rep::string_list categories;
    Fill(categories, {u"Foods", u"Drinks"});
    Item item(u"x");
    item.Set(u"Milk", u"l", u"", true, 1.5f, categories);
    categories.clear_and_free();  // the item holds its own copies
    EXPECT_EQ(item.Name(), u"Milk");
    EXPECT_EQ(item.Unit(), u"l");
    EXPECT_EQ(item.GetLocation(), nullptr);
    EXPECT_TRUE(item.IsTaxable());
    EXPECT_EQ(item.GetPrice(), 1.5f);
    ASSERT_EQ(item.GetCategories().size(), 2u);
    EXPECT_EQ(Text(item.GetCategories()[1]), u"Drinks");

    item.Set(u"Milk", nullptr, u"walmart", false, 2.0f, item.GetCategories());
    EXPECT_EQ(item.Unit(), u"");
    EXPECT_EQ(Text(item.GetLocation()), u"walmart");
    EXPECT_EQ(item.GetCategories().size(), 2u);  // its own list: kept as it was
}

TEST(ItemTest, SetAcceptsTextsOfTheItemItself) {
    Item item = MakeItem(u"Tea", u"pkg", u"walmart", false, 3.0f, {u"Drinks"});
    // Pointers into the item's own fields and categories must survive the replacement.
    rep::vector<TCHAR*> same;
    same.push_back(item.GetCategories()[0]);
    item.Set(item.GetName(), item.GetUnit(), item.GetLocation(), true, 3.5f, same);
    EXPECT_EQ(item.Name(), u"Tea");
    EXPECT_EQ(item.Unit(), u"pkg");
    EXPECT_EQ(Text(item.GetLocation()), u"walmart");
    ASSERT_EQ(item.GetCategories().size(), 1u);
    EXPECT_EQ(Text(item.GetCategories()[0]), u"Drinks");
}

TEST(ItemTest, CopiesAreDeep) {
    Item original = MakeItem(u"Eggs", u"doz", u"sam's club", true, 2.25f, {u"Foods"});
    Item copy(original);
    original.RemoveCategory(u"Foods");
    original.ClearLocation(u"sam's club");
    EXPECT_EQ(Text(copy.GetLocation()), u"sam's club");
    ASSERT_EQ(copy.GetCategories().size(), 1u);
    EXPECT_NE(copy.GetCategories()[0], nullptr);

    Item assigned(u"other");
    assigned = copy;
    Item& alias = assigned;
    assigned = alias;  // self-assignment keeps the item
    EXPECT_TRUE(assigned.Equals(copy));
}

TEST(ItemTest, Equality) {
    const Item base = MakeItem(u"Bread", u"pkg", u"walmart", false, 1.0f, {u"Foods", u"Fresh"});
    // Name and unit ignore case.
    EXPECT_TRUE(base == MakeItem(u"BREAD", u"PKG", u"walmart", false, 1.0f, {u"Foods", u"Fresh"}));
    // Everything else is exact.
    EXPECT_FALSE(base == MakeItem(u"Bread", u"pkg", u"Walmart", false, 1.0f, {u"Foods", u"Fresh"}));
    EXPECT_FALSE(base == MakeItem(u"Bread", u"pkg", nullptr, false, 1.0f, {u"Foods", u"Fresh"}));
    EXPECT_FALSE(base == MakeItem(u"Bread", u"pkg", u"walmart", true, 1.0f, {u"Foods", u"Fresh"}));
    EXPECT_FALSE(base == MakeItem(u"Bread", u"pkg", u"walmart", false, 1.01f, {u"Foods", u"Fresh"}));
    EXPECT_FALSE(base == MakeItem(u"Bread", u"pkg", u"walmart", false, 1.0f, {u"Fresh", u"Foods"}));
    EXPECT_FALSE(base == MakeItem(u"Bread", u"pkg", u"walmart", false, 1.0f, {u"foods", u"Fresh"}));
    EXPECT_FALSE(base == MakeItem(u"Bread", u"pkg", u"walmart", false, 1.0f, {u"Foods"}));
    EXPECT_TRUE(MakeItem(u"a", u"", nullptr, false, 0, {}) == MakeItem(u"A", u"", nullptr, false, 0, {}));
}

TEST(ItemTest, NameListMaintenance) {
    Item item = MakeItem(u"Soap", u"Bags", u"Walmart", false, 1.0f, {u"Drugs", u"Household", u"drugs"});
    EXPECT_TRUE(item.HasCategory(u"DRUGS"));
    EXPECT_FALSE(item.HasCategory(u"Food"));
    EXPECT_FALSE(item.HasCategory(nullptr));

    EXPECT_TRUE(item.RemoveCategory(u"drugs"));  // only the first match goes
    ASSERT_EQ(item.GetCategories().size(), 2u);
    EXPECT_EQ(Text(item.GetCategories()[0]), u"Household");
    EXPECT_EQ(Text(item.GetCategories()[1]), u"drugs");
    EXPECT_FALSE(item.RemoveCategory(u"Food"));

    EXPECT_FALSE(item.ClearLocation(u"sam's club"));
    EXPECT_TRUE(item.ClearLocation(u"WALMART"));
    EXPECT_EQ(item.GetLocation(), nullptr);
    EXPECT_FALSE(item.ClearLocation(u"walmart"));

    EXPECT_FALSE(item.ClearUnit(u"kg"));
    EXPECT_TRUE(item.ClearUnit(u"bags"));
    EXPECT_EQ(item.Unit(), u"");

    item.Clear();
    EXPECT_EQ(item.Name(), u"");
    EXPECT_TRUE(item.GetCategories().empty());
}
