#include "Registry/RepVector.h"
#include "Text/Util.h"

#include <gtest/gtest.h>

TEST(RepVectorTest, LongListsGrowGeometrically) {
    // Growing by a fixed step would copy the list once per step: quadratic filling.
    rep::vector<int*> list;
    int value = 0;
    int reallocations = 0;
    for (int i = 0; i < 100000; ++i) {
        const DWORD before = list.capacity();
        list.push_back(&value);
        reallocations += list.capacity() != before;
    }
    EXPECT_LT(reallocations, 40);
    EXPECT_LT(list.capacity(), 200000u);

    rep::vector<int*> reserved;
    reserved.reserve(5000);
    EXPECT_EQ(5000u, reserved.capacity());
    reserved.reserve(10);
    EXPECT_EQ(5000u, reserved.capacity()) << "reserve never shrinks";
}

TEST(RepVectorTest, InsertEraseAndSearch) {
    int a = 0, b = 0, c = 0, d = 0;
    rep::vector<int*> list;
    list.push_back(&a);
    list.push_back(&c);
    list.insert(1, &b);
    list.insert(99, &d);  // past the end appends
    ASSERT_EQ(list.size(), 4u);
    EXPECT_EQ(list.indexOf(&b), 1);
    list.erase(0);
    list.erase(17);  // ignored
    EXPECT_EQ(list.size(), 3u);
    EXPECT_EQ(list.front(), &b);
    EXPECT_EQ(list.back(), &d);
    EXPECT_EQ(list.indexOf(&a), -1);
    list.pop_back();
    list.clear();
    list.pop_back();
    EXPECT_TRUE(list.empty());
}

TEST(RepVectorTest, CopiesHoldTheSamePointersIndependently) {
    int a = 0, b = 0;
    rep::vector<int*> first;
    first.push_back(&a);
    rep::vector<int*> copy(first);
    copy.push_back(&b);
    EXPECT_EQ(first.size(), 1u);
    EXPECT_EQ(copy[0], &a);
    rep::vector<int*> moved(std::move(copy));
    EXPECT_EQ(moved.size(), 2u);
    copy.push_back(&a);  // a moved-from list is still usable
    EXPECT_EQ(copy.size(), 1u);
    first = moved;
    EXPECT_EQ(first.size(), 2u);
}

TEST(RepVectorTest, StringListFreesItsTexts) {
    // The leak checker fails this test if any text stays allocated.
    rep::string_list texts;
    for (int i = 0; i < 15; ++i)
        texts.push_back(Util::tcsdup(u"text"));
    texts.clear_and_free();
    EXPECT_TRUE(texts.empty());
    texts.push_back(Util::tcsdup(u"kept until the end"));

    rep::vector<TCHAR*> plain;
    plain.push_back(Util::tcsdup(u"a"));
    rep::delete_arrays(plain);
    EXPECT_TRUE(plain.empty());
}
