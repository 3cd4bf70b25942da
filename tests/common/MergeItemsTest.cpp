#include "MergeItems.h"

#include "ListTestSupport.h"
#include "Options.h"

#include <gtest/gtest.h>

namespace {

Item* Priced(const TCHAR* name, float price) {
    auto* item = new Item(name);
    item->SetPrice(price);
    return item;
}

std::vector<std::u16string> Names(const rep::vector<Item*>& items) {
    std::vector<std::u16string> names;
    for (const Item* item : items)
        names.emplace_back(item->GetName());
    return names;
}

using V = std::vector<std::u16string>;

}  // namespace

TEST(MergeItemsTest, DifferingItemOfTheSameNameIsReplacedByTheIncomingOne) {
    Items target;
    Items source;
    target.push_back(Priced(u"Bread", 1.00f));
    source.push_back(Priced(u"Bread", 1.20f));
    MergeItemsWithAction(target, source, 1);
    ASSERT_EQ(target.size(), 1u);
    EXPECT_EQ(target[0]->GetPrice(), 1.20f);
    EXPECT_TRUE(source.empty());
}

TEST(MergeItemsTest, EqualItemKeepsTheItemInMemory) {
    Items target;
    Items source;
    Item* kept = Priced(u"Bread", 1.00f);
    target.push_back(kept);
    source.push_back(Priced(u"Bread", 1.00f));
    MergeItemsWithAction(target, source, 2);
    ASSERT_EQ(target.size(), 1u);
    EXPECT_EQ(target[0], kept);
    EXPECT_TRUE(source.empty());
}

TEST(MergeItemsTest, ActionZeroKeepsTheItemInMemoryAndOtherActionsKeepBoth) {
    Items target;
    Items source;
    target.push_back(Priced(u"Bread", 1.00f));
    source.push_back(Priced(u"Bread", 1.20f));
    MergeItemsWithAction(target, source, 0);
    ASSERT_EQ(target.size(), 1u);
    EXPECT_EQ(target[0]->GetPrice(), 1.00f);

    source.push_back(Priced(u"Bread", 1.50f));
    MergeItemsWithAction(target, source, 7);
    ASSERT_EQ(target.size(), 2u);
    EXPECT_TRUE(source.empty());
}

TEST(MergeItemsTest, NamesDifferingInCaseAreDifferentItems) {
    Items target;
    Items source;
    target.push_back(Priced(u"bread", 1.00f));
    target.push_back(Priced(u"Apple", 1.00f));
    source.push_back(Priced(u"Bread", 2.00f));
    source.push_back(Priced(u"cheese", 3.00f));
    source.push_back(Priced(u"apple", 4.00f));
    MergeItemsWithAction(target, source, 1);
    ASSERT_EQ(target.size(), 5u);
    EXPECT_EQ(_tcsicmp(target[0]->GetName(), u"apple"), 0);
    EXPECT_EQ(_tcsicmp(target[1]->GetName(), u"apple"), 0);
    EXPECT_EQ(_tcsicmp(target[2]->GetName(), u"bread"), 0);
    EXPECT_EQ(_tcsicmp(target[3]->GetName(), u"bread"), 0);
    EXPECT_EQ(Text(target[4]->GetName()), u"cheese");
}

TEST(MergeItemsTest, NewItemsAreAddedAndTheResultIsSorted) {
    Items target;
    Items source;
    for (const TCHAR* name : {u"Milk", u"eggs", u"Tea"})
        target.push_back(Priced(name, 1.0f));
    for (const TCHAR* name : {u"Zucchini", u"Tea", u"apples", u"Milk"})
        source.push_back(Priced(name, name[0] == u'M' ? 5.0f : 1.0f));
    MergeItemsWithAction(target, source, 2);
    EXPECT_EQ(Names(target), (V{u"apples", u"eggs", u"Milk", u"Tea", u"Zucchini"}));
    EXPECT_EQ(target[2]->GetPrice(), 5.0f);
    EXPECT_TRUE(source.empty());
}

TEST(MergeItemsTest, OnlyTheFirstIncomingItemOfANameIsPaired) {
    Items target;
    Items source;
    target.push_back(Priced(u"Tea", 1.0f));
    source.push_back(Priced(u"Tea", 2.0f));
    source.push_back(Priced(u"Tea", 2.0f));
    MergeItemsWithAction(target, source, 1);
    EXPECT_EQ(Names(target), (V{u"Tea", u"Tea"}));
}

TEST(MergeItemsTest, ModeChoosesTheMatchActionOfTheOptions) {
    Options options;
    options.SetMatchActionOB(1);
    options.SetMatchActionTamraOB(2);
    EXPECT_EQ(options.GetMatchAction(MERGE_OB), 1u);
    EXPECT_EQ(options.GetMatchAction(MERGE_TAMRA_OB), 2u);
    EXPECT_EQ(options.GetMatchAction(9), 0u);

    Items target;
    Items source;
    target.push_back(Priced(u"Tea", 1.0f));
    source.push_back(Priced(u"Tea", 2.0f));
    MergeItems(target, source, 9, options);  // unknown mode keeps the item in memory
    ASSERT_EQ(target.size(), 1u);
    EXPECT_EQ(target[0]->GetPrice(), 1.0f);
    source.push_back(Priced(u"Tea", 2.0f));
    MergeItems(target, source, MERGE_TAMRA_OB, options);
    EXPECT_EQ(target[0]->GetPrice(), 2.0f);
}

TEST(MergeItemsTest, LargeListsMergeCompletely) {
    Items target;
    Items source;
    for (int i = 0; i < 3000; ++i) {
        const std::u16string name = u"item " + std::u16string(1, static_cast<char16_t>(u'A' + i % 26)) +
                                    std::u16string(1, static_cast<char16_t>(u'a' + (i / 26) % 26)) +
                                    std::u16string(1, static_cast<char16_t>(u'0' + i / 676));
        if (i % 2 == 0)
            target.push_back(Priced(name.c_str(), 1.0f));
        if (i % 3 == 0)
            source.push_back(Priced(name.c_str(), 2.0f));
    }
    MergeItemsWithAction(target, source, 1);
    EXPECT_EQ(target.size(), 1500u + 1000u - 500u);
    for (DWORD i = 1; i < target.size(); ++i)
        ASSERT_LT(_tcsicmp(target[i - 1]->GetName(), target[i]->GetName()), 0);
}
