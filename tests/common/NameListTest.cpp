#include "NameList.h"

#include "CatalogueTestSupport.h"

#include <gtest/gtest.h>

TEST(NameListTest, ContainsIgnoresCase) {
    rep::string_list list;
    Fill(list, {u"Kg", u"Bags"});
    EXPECT_TRUE(ListContains(list, u"kG"));
    EXPECT_TRUE(ListContains(list, u"BAGS"));
    EXPECT_FALSE(ListContains(list, u"Bag"));
    EXPECT_FALSE(ListContains(list, nullptr));
}

TEST(NameListTest, RemoveDuplicatesKeepsTheLastOfEachGroupInOrder) {
    rep::string_list list;
    Fill(list, {u"a", u"b", u"A", u"a", u"c", u"b"});
    RemoveDuplicates(list);
    // "A" differs from "a" in case and stays.
    EXPECT_EQ(ToVector(list), (std::vector<std::u16string>{u"A", u"a", u"c", u"b"}));
    rep::string_list empty;
    RemoveDuplicates(empty);
    EXPECT_TRUE(empty.empty());
}
