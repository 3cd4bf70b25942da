// What a paint of the list needs from all of its lines: the totals, and which lines
// pass the view's filter. It is made in one pass and kept until the list changes, so
// that a repaint or a page turn of a long list touches only the lines of its page.
#pragma once
#include "Purchase.h"
#include "Registry/RepVector.h"

#include <string>
#include <vector>

// The lines a view shows: with or without the purchased ones, and under at most one
// location (matched ignoring case) and one category (matched exactly).
struct RowFilter {
    bool hidePurchased = false;
    const TCHAR* location = nullptr;
    const TCHAR* category = nullptr;
    bool Passes(const Purchase& purchase) const;
    // The location and category restrictions alone (what the catalogue is shown under).
    bool PassesRestrictions(const Item& item) const;
};

class ListSummary {
public:
    // Makes the summary anew unless it was made for this list (the same array and
    // length, and not forgotten since), this filter and this tax rate.
    void Update(const rep::vector<Purchase*>& lines, const RowFilter& filter, float taxRate);
    // The lines may have changed: the next Update makes it anew.
    void Forget() { m_valid = false; }

    // Over every line, whatever the filter; a line whose price is no number adds
    // nothing, so that the totals stay numbers.
    double Total() const { return m_total; }
    double PurchasedTotal() const { return m_purchasedTotal; }
    // The indexes of the lines that pass the filter, in list order.
    const std::vector<DWORD>& Rows() const { return m_rows; }

    // A line's price as the totals count it: quantity times price, with the tax rate
    // (in percent) added to a taxable line.
    static double LinePrice(const Purchase& purchase, float taxRate);

private:
    bool m_valid = false;
    const Purchase* const* m_lines = nullptr;
    DWORD m_length = 0;
    float m_taxRate = 0;
    bool m_hidePurchased = false;
    std::u16string m_location, m_category;
    bool m_hasLocation = false, m_hasCategory = false;
    double m_total = 0;
    double m_purchasedTotal = 0;
    std::vector<DWORD> m_rows;
};
