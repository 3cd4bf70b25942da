#include "ListSummary.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

namespace {

struct Lines : rep::vector<Purchase*> {
    ~Lines() override { rep::delete_objects<Purchase>(*this); }
    Purchase* Add(float qty, float price, bool taxable, bool purchased, const TCHAR* location,
                  const TCHAR* category = nullptr) {
        auto* line = new Purchase(u"Line");
        line->SetQty(qty);
        line->SetPrice(price);
        line->SetTaxable(taxable);
        line->SetPurchased(purchased);
        line->SetLocation(location);
        if (category)
            line->AddCategory(category);
        push_back(line);
        return line;
    }
};

TEST(ListSummaryTest, TotalsCoverEveryLineAndRowsOnlyThoseTheFilterPasses) {
    Lines lines;
    lines.Add(2, 1.5f, false, false, u"Market", u"Foods");
    Purchase* taxed = lines.Add(1, 10, true, true, u"market");
    lines.Add(1, std::numeric_limits<float>::quiet_NaN(), false, false, u"MARKET", u"Foods");
    lines.Add(3, 1, false, false, nullptr, u"foods");
    ListSummary summary;
    RowFilter filter;
    filter.location = u"market";
    summary.Update(lines, filter, 10);
    // 3 + 11 taxed + 3, whatever the filter; no number for a price adds nothing.
    EXPECT_DOUBLE_EQ(summary.Total(), 17);
    EXPECT_DOUBLE_EQ(summary.PurchasedTotal(), 11);
    EXPECT_EQ(summary.Rows(), (std::vector<DWORD>{0, 1, 2}));

    // Another filter, tax rate or length is another summary, without being told.
    filter.hidePurchased = true;
    summary.Update(lines, filter, 10);
    EXPECT_EQ(summary.Rows(), (std::vector<DWORD>{0, 2}));
    filter = RowFilter{};
    filter.category = u"Foods";  // matched exactly
    summary.Update(lines, filter, 0);
    EXPECT_EQ(summary.Rows(), (std::vector<DWORD>{0, 2}));
    EXPECT_DOUBLE_EQ(summary.Total(), 16);
    lines.Add(1, 1, false, false, nullptr, u"Foods");
    summary.Update(lines, filter, 0);
    EXPECT_EQ(summary.Rows(), (std::vector<DWORD>{0, 2, 4}));

    // A change within a line is told by Forget.
    taxed->SetPurchased(false);
    summary.Forget();
    summary.Update(lines, filter, 0);
    EXPECT_DOUBLE_EQ(summary.PurchasedTotal(), 0);
}

}  // namespace
