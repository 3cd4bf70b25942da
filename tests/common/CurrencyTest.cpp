#include "Currency.h"

#include <gtest/gtest.h>

TEST(CurrencyTest, EveryCodeFindsItsOwnRowAndOnlyExactCodesAreFound) {
    const Currency* rows = GetCurrencies();
    for (std::size_t i = 0; i < kCurrencyCount; ++i)
        EXPECT_EQ(FindCurrency(rows[i].code), &rows[i]) << i;  // codes are unique
    EXPECT_EQ(GetCurrency(-1), nullptr);
    EXPECT_EQ(GetCurrency(static_cast<int>(kCurrencyCount)), nullptr);
    const Currency* us = GetCurrency(144);
    ASSERT_EQ(us, FindCurrency(u"United States"));
    EXPECT_EQ(us->symbol, u'$');
    for (const TCHAR* other : {u"united states", u"EUR", u"", u"Colombian Peso"})
        EXPECT_EQ(FindCurrency(other), nullptr);
    EXPECT_EQ(FindCurrency(nullptr), nullptr);
    EXPECT_NE(FindCurrency(u"Colombian Peso,"), nullptr);  // stored options name it with its comma
}
