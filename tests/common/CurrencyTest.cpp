#include "Currency.h"

#include <gtest/gtest.h>

#include <string>

TEST(CurrencyTest, TableHoldsTheRowsInOrder) {
    const Currency* rows = GetCurrencies();
    EXPECT_EQ(std::u16string(rows[0].abbreviation), u"AFA");
    EXPECT_EQ(std::u16string(rows[0].code), u"Afghan Afghani");
    EXPECT_EQ(std::u16string(rows[kCurrencyCount - 1].abbreviation), u"ZMK");
    EXPECT_EQ(std::u16string(rows[kCurrencyCount - 1].code), u"Zambian Kwacha");
    for (std::size_t i = 0; i < kCurrencyCount; ++i) {
        EXPECT_EQ(rows[i].imageIndex, static_cast<int>(i));
        EXPECT_EQ(std::char_traits<char16_t>::length(rows[i].abbreviation), 3u);
        EXPECT_EQ(rows[i].symbol, std::u16string(rows[i].code) == u"United States" ? u'$' : u' ');
        // Every code finds its own row: codes are unique.
        EXPECT_EQ(FindCurrency(rows[i].code), &rows[i]);
    }
    EXPECT_EQ(GetCurrency(-1), nullptr);
    EXPECT_EQ(GetCurrency(static_cast<int>(kCurrencyCount)), nullptr);
    EXPECT_EQ(GetCurrency(144), FindCurrency(u"United States"));
}

TEST(CurrencyTest, FindCurrencyComparesCodesExactly) {
    const Currency* us = FindCurrency(u"United States");
    ASSERT_NE(us, nullptr);
    EXPECT_EQ(std::u16string(us->abbreviation), u"USD");
    EXPECT_EQ(us->symbol, u'$');
    EXPECT_EQ(FindCurrency(u"united states"), nullptr);
    EXPECT_EQ(FindCurrency(u"EUR"), nullptr);
    EXPECT_EQ(FindCurrency(u""), nullptr);
    EXPECT_EQ(FindCurrency(nullptr), nullptr);
    ASSERT_NE(FindCurrency(u"Colombian Peso,"), nullptr);
    EXPECT_EQ(FindCurrency(u"Colombian Peso"), nullptr);
    EXPECT_EQ(std::u16string(FindCurrency(u"Mongolian Tugrik")->abbreviation), u"EUR");
    EXPECT_EQ(std::u16string(FindCurrency(u"Germany")->abbreviation), u"EUR");
}
