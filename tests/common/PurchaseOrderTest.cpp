#include "PurchaseOrder.h"

#include "ColumnKind.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

// A text sort folds each text once: lines equal but for case, and lines without a shop
// or note, must still end up exactly where sorting by comparing the lines puts them.
TEST(PurchaseOrderTest, TextSortsEndExactlyAsComparingTheLinesWould) {
    const TCHAR* const names[] = {u"Milk", u"milk", u"MILK", u"Bread", u"bread", u"\u00c4pfel", u"\u00e4pfel", u"Eggs", u""};
    const TCHAR* const others[] = {nullptr, u"Shop", u"shop", u"SHOP", u"Market", u"market two"};
    std::mt19937 random(7);
    rep::vector<Purchase*> lines;
    for (int i = 0; i < 3000; ++i) {
        auto* line = new Purchase(names[random() % std::size(names)]);
        line->SetLocation(others[random() % std::size(others)]);
        line->SetNote(others[random() % std::size(others)]);
        lines.push_back(line);
    }
    for (const DWORD column : {KindName, KindLocation, KindNote}) {
        for (const DWORD direction : {0u, 1u}) {
            const PurchaseOrder order(column, direction);
            std::vector<Purchase*> expected(lines.begin(), lines.end());
            std::sort(expected.begin(), expected.end(), order);
            rep::vector<Purchase*> sorted;
            for (Purchase* line : lines)
                sorted.push_back(line);
            order.Sort(sorted);
            EXPECT_TRUE(std::equal(expected.begin(), expected.end(), sorted.begin(), sorted.end()))
                << "column " << column << ", direction " << direction;
        }
    }
    rep::delete_objects(lines);
}
