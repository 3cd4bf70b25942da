// The built-in currency table. Prices carry no currency; the options name one row by
// its code ("CurrencyCode"), and totals and price formats look it up here.
#pragma once
#include "windows.h"

#include <cstddef>

struct Currency {
    // Three-letter abbreviation, e.g. "USD". Several rows share "EUR".
    const TCHAR* abbreviation;
    // The currency's name, which is what the options store, e.g. "United States".
    const TCHAR* code;
    // Written in front of prefixed prices: "$" for "United States", a blank otherwise.
    TCHAR symbol;
    // Position in the table, also the index of the row's flag in the currency images.
    int imageIndex;
};

inline constexpr std::size_t kCurrencyCount = 153;

// The rows in table order.
const Currency* GetCurrencies();
// Row by position; null outside 0..kCurrencyCount-1.
const Currency* GetCurrency(int index);
// The first row whose code equals code exactly (case-sensitive); null when none does.
const Currency* FindCurrency(const TCHAR* code);
