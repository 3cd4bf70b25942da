#include "Purchase.h"

#include "ListTestSupport.h"

#include <gtest/gtest.h>

TEST(PurchaseTest, BlankPurchaseIsAOneTimeLineOfNothing) {
    Purchase purchase(u"Bread");
    EXPECT_EQ(purchase.Name(), u"Bread");
    EXPECT_EQ(purchase.Unit(), u"");
    EXPECT_EQ(purchase.GetLocation(), nullptr);
    EXPECT_EQ(purchase.GetQty(), 0.0f);
    EXPECT_TRUE(purchase.IsOnce());
    EXPECT_FALSE(purchase.HasCoupon());
    EXPECT_FALSE(purchase.IsPurchased());
    EXPECT_EQ(purchase.GetNote(), nullptr);
}

TEST(PurchaseTest, PurchaseFromItemCopiesTheItem) {
    rep::string_list categories;
    Fill(categories, {u"Foods"});
    auto item = std::make_unique<Item>(u"Cheese");
    item->Set(u"Cheese", u"kg", u"walmart", true, 7.5f, categories);
    Purchase purchase(*item);
    item.reset();  // nothing of the purchase may point into the item
    EXPECT_EQ(purchase.Name(), u"Cheese");
    EXPECT_EQ(purchase.Unit(), u"kg");
    EXPECT_EQ(Text(purchase.GetLocation()), u"walmart");
    EXPECT_TRUE(purchase.IsTaxable());
    EXPECT_EQ(purchase.GetPrice(), 7.5f);
    ASSERT_EQ(purchase.GetCategories().size(), 1u);
    EXPECT_EQ(Text(purchase.GetCategories()[0]), u"Foods");
    EXPECT_EQ(purchase.GetQty(), 1.0f);
    EXPECT_FALSE(purchase.IsOnce());
    EXPECT_FALSE(purchase.HasCoupon());
    EXPECT_FALSE(purchase.IsPurchased());
    EXPECT_EQ(purchase.GetNote(), nullptr);
}

TEST(PurchaseTest, SetKeepsNoNoteApartFromAnEmptyNote) {
    rep::string_list categories;
    Fill(categories, {u"Drinks", u"Fruits"});
    Purchase purchase(u"x");
    purchase.Set(u"Juice", u"litre", u"", u"", 2.0f, 3.25f, true, true, false, true, categories);
    EXPECT_EQ(purchase.Name(), u"Juice");
    ASSERT_NE(purchase.GetNote(), nullptr);
    EXPECT_EQ(Text(purchase.GetNote()), u"");
    EXPECT_EQ(purchase.GetLocation(), nullptr);
    EXPECT_EQ(purchase.GetQty(), 2.0f);
    EXPECT_EQ(purchase.GetPrice(), 3.25f);
    EXPECT_TRUE(purchase.HasCoupon());
    EXPECT_TRUE(purchase.IsTaxable());
    EXPECT_FALSE(purchase.IsOnce());
    EXPECT_TRUE(purchase.IsPurchased());
    EXPECT_EQ(purchase.GetCategories().size(), 2u);

    purchase.Set(u"Juice", u"litre", nullptr, u"walmart", 1.0f, 1.0f, false, false, true, false, categories);
    EXPECT_EQ(purchase.GetNote(), nullptr);
    EXPECT_EQ(Text(purchase.GetLocation()), u"walmart");

    Purchase copy(purchase);
    copy.SetNote(u"ripe");
    EXPECT_EQ(purchase.GetNote(), nullptr);
    EXPECT_EQ(Text(copy.GetNote()), u"ripe");
    EXPECT_TRUE(copy.IsOnce());
}
