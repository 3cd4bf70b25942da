// Items, purchases and the name lists they keep.
#include "Item.h"
#include "NameList.h"
#include "Purchase.h"

#include "ListTestSupport.h"

#include <gtest/gtest.h>

TEST(ItemTest, SetCopiesItsTextsEvenFromTheItemItself) {
    rep::string_list categories;
    Fill(categories, {u"Foods", u"Drinks"});
    Item item(u"x");
    item.Set(u"Milk", u"l", u"walmart", true, 1.5f, categories);
    categories.clear_and_free();  // the item holds its own copies
    ASSERT_EQ(item.GetCategories().size(), 2u);
    // Pointers into the item's own fields and categories survive the replacement.
    rep::vector<TCHAR*> same;
    same.push_back(const_cast<TCHAR*>(item.GetCategories()[1]));
    item.Set(item.GetName(), item.GetUnit(), item.GetLocation(), true, 3.5f, same);
    EXPECT_EQ(item.Name(), u"Milk");
    EXPECT_EQ(item.Unit(), u"l");
    EXPECT_EQ(Text(item.GetLocation()), u"walmart");
    ASSERT_EQ(item.GetCategories().size(), 1u);
    EXPECT_EQ(Text(item.GetCategories()[0]), u"Drinks");
    // Its own list is kept as it is; no unit is empty and an empty location is none.
    item.Set(u"Milk", nullptr, u"", false, 2.0f, item.GetCategories());
    EXPECT_EQ(item.Unit(), u"");
    EXPECT_EQ(item.GetLocation(), nullptr);
    EXPECT_EQ(item.GetCategories().size(), 1u);
}

TEST(ItemTest, CopiesAreDeepAndAPurchaseOfAnItemIsNoOneTimeLine) {
    auto original = std::make_unique<Item>(MakeItem(u"Eggs", u"doz", u"sam's club", 2.25f, true, {u"Foods"}));
    Item copy(*original);
    const Purchase purchase(*original);
    original->RemoveCategory(u"Foods");
    original->ClearLocation(u"sam's club");
    original.reset();  // nothing of the copies may point into the item
    EXPECT_EQ(Text(copy.GetLocation()), u"sam's club");
    ASSERT_EQ(copy.GetCategories().size(), 1u);
    EXPECT_EQ(Text(copy.GetCategories()[0]), u"Foods");
    EXPECT_TRUE(purchase.Equals(copy));
    EXPECT_EQ(purchase.GetQty(), 1.0f);
    EXPECT_FALSE(purchase.IsOnce());
    EXPECT_EQ(purchase.GetNote(), nullptr);
    const Purchase blank(u"Bread");
    EXPECT_EQ(blank.GetQty(), 0.0f);
    EXPECT_TRUE(blank.IsOnce());

    Item assigned(u"other");
    assigned = copy;
    Item& alias = assigned;
    assigned = alias;  // self-assignment keeps the item
    EXPECT_TRUE(assigned.Equals(copy));
}

TEST(ItemTest, EqualityIgnoresTheCaseOfNameAndUnitOnly) {
    const Item base = MakeItem(u"Bread", u"pkg", u"walmart", 1.0f, false, {u"Foods", u"Fresh"});
    EXPECT_TRUE(base == MakeItem(u"BREAD", u"PKG", u"walmart", 1.0f, false, {u"Foods", u"Fresh"}));
    // Everything else is exact.
    EXPECT_FALSE(base == MakeItem(u"Bread", u"pkg", u"Walmart", 1.0f, false, {u"Foods", u"Fresh"}));
    EXPECT_FALSE(base == MakeItem(u"Bread", u"pkg", nullptr, 1.0f, false, {u"Foods", u"Fresh"}));
    EXPECT_FALSE(base == MakeItem(u"Bread", u"pkg", u"walmart", 1.01f, false, {u"Foods", u"Fresh"}));
    EXPECT_FALSE(base == MakeItem(u"Bread", u"pkg", u"walmart", 1.0f, false, {u"foods", u"Fresh"}));
    EXPECT_FALSE(base == MakeItem(u"Bread", u"pkg", u"walmart", 1.0f, false, {u"Foods"}));
}

// Names taken from items and lines ignoring case are the document's (DocNameListTest).
TEST(ItemTest, NameListsMatchIgnoringCaseAndRemovingDuplicatesKeepsTheLastOfEach) {
    rep::string_list list;
    Fill(list, {u"a", u"b", u"A", u"a", u"c", u"b"});
    EXPECT_TRUE(ListContains(list, u"C"));
    EXPECT_FALSE(ListContains(list, u"d"));
    EXPECT_FALSE(ListContains(list, nullptr));
    RemoveDuplicates(list);
    // "A" differs from "a" in case and stays.
    EXPECT_EQ(ToVector(list), (std::vector<std::u16string>{u"A", u"a", u"c", u"b"}));
    rep::string_list empty;
    RemoveDuplicates(empty);
    EXPECT_TRUE(empty.empty());
}

TEST(PurchaseTest, SetKeepsNoNoteApartFromAnEmptyNote) {
    rep::string_list categories;
    Fill(categories, {u"Drinks", u"Fruits"});
    Purchase purchase(u"x");
    purchase.Set(u"Juice", u"litre", u"", u"", 2.0f, 3.25f, true, true, false, true, categories);
    ASSERT_NE(purchase.GetNote(), nullptr);
    EXPECT_EQ(Text(purchase.GetNote()), u"");

    purchase.Set(u"Juice", u"litre", nullptr, u"walmart", 1.0f, 1.0f, false, false, true, false, categories);
    EXPECT_EQ(purchase.GetNote(), nullptr);
    Purchase copy(purchase);
    copy.SetNote(u"ripe");
    EXPECT_EQ(purchase.GetNote(), nullptr);
    EXPECT_EQ(Text(copy.GetNote()), u"ripe");
    EXPECT_TRUE(copy.IsOnce());

    // A line's note belongs to the line: its item, a line made of that, and a line
    // given another's item part leave it as it was.
    Purchase assigned = copy;
    EXPECT_EQ(Text(assigned.GetNote()), u"ripe");
    const Item item(copy);
    EXPECT_EQ(Purchase(item).GetNote(), nullptr);
    EXPECT_EQ(Purchase(static_cast<const Item&>(copy)).GetNote(), nullptr);
    static_cast<Item&>(purchase) = copy;
    EXPECT_EQ(purchase.GetNote(), nullptr);
    static_cast<Item&>(assigned) = item;
    EXPECT_EQ(Text(assigned.GetNote()), u"ripe");
    EXPECT_TRUE(assigned.Equals(item));
}
