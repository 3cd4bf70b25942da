#include "MergeItems.h"

#include "ListTestSupport.h"
#include "Options.h"

#include <gtest/gtest.h>

namespace {

using Contents = std::vector<std::pair<std::u16string, float>>;

Item* Priced(const std::u16string& name, float price) {
    auto* item = new Item(name.c_str());
    item->SetPrice(price);
    return item;
}

void Fill(Items& items, const Contents& contents) {
    for (const auto& [name, price] : contents)
        items.push_back(Priced(name, price));
}

}  // namespace

TEST(MergeItemsTest, MatchActionDecidesForItemsOfTheSameName) {
    struct Case {
        Contents target, source;
        DWORD action;
        Contents expected;  // in any order of names equal but for case
    } cases[] = {
        // 1 and 2 take the differing incoming item (the last two cases), 0 keeps the one in
        // memory, others keep both.
        {{{u"Bread", 1.0f}}, {{u"Bread", 1.2f}}, 0, {{u"Bread", 1.0f}}},
        {{{u"Bread", 1.0f}}, {{u"Bread", 1.5f}}, 7, {{u"Bread", 1.0f}, {u"Bread", 1.5f}}},
        // Names differing in case are different items.
        {{{u"bread", 1.0f}, {u"Apple", 1.0f}},
         {{u"Bread", 2.0f}, {u"cheese", 3.0f}, {u"apple", 4.0f}},
         1,
         {{u"Apple", 1.0f}, {u"apple", 4.0f}, {u"Bread", 2.0f}, {u"bread", 1.0f}, {u"cheese", 3.0f}}},
        // New items are added and the result is sorted.
        {{{u"Milk", 1.0f}, {u"eggs", 1.0f}, {u"Tea", 1.0f}},
         {{u"Zucchini", 1.0f}, {u"Tea", 1.0f}, {u"apples", 1.0f}, {u"Milk", 5.0f}},
         2,
         {{u"apples", 1.0f}, {u"eggs", 1.0f}, {u"Milk", 5.0f}, {u"Tea", 1.0f}, {u"Zucchini", 1.0f}}},
        // Only the first incoming item of a name is paired.
        {{{u"Tea", 1.0f}}, {{u"Tea", 2.0f}, {u"Tea", 2.0f}}, 1, {{u"Tea", 2.0f}, {u"Tea", 2.0f}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "case " << (&c - cases));
        Items target;
        Items source;
        Fill(target, c.target);
        Fill(source, c.source);
        MergeItemsWithAction(target, source, c.action);
        EXPECT_TRUE(source.empty());
        Contents result;
        for (DWORD i = 0; i < target.size(); ++i) {
            result.emplace_back(target[i]->Name(), target[i]->GetPrice());
            if (i > 0) {
                EXPECT_LE(_tcsicmp(target[i - 1]->GetName(), target[i]->GetName()), 0);
            }
        }
        Contents expected = c.expected;
        std::sort(result.begin(), result.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(result, expected);
    }
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
}

TEST(MergeItemsTest, ModeChoosesTheMatchActionOfTheOptions) {
    Options options;
    options.SetMatchActionOB(1);
    options.SetMatchActionTamraOB(2);
    EXPECT_EQ(options.GetMatchAction(MERGE_OB), 1u);

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
