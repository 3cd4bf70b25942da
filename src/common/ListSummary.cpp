#include "ListSummary.h"

#include "WideString.h"

#include <cmath>

bool RowFilter::Passes(const Purchase& purchase) const {
    return !(hidePurchased && purchase.IsPurchased()) && PassesRestrictions(purchase);
}

bool RowFilter::PassesRestrictions(const Item& item) const {
    if (location) {
        const TCHAR* own = item.GetLocation();
        if (!own || !EqualsNoCase(own, location))
            return false;
    }
    if (category) {
        const std::u16string_view wanted(category);
        for (const TCHAR* c : item.GetCategories())
            if (c && wanted == c)
                return true;
        return false;
    }
    return true;
}

double ListSummary::LinePrice(const Purchase& purchase, float taxRate) {
    double price = purchase.GetQty() * purchase.GetPrice();
    if (purchase.IsTaxable() && taxRate > 0)
        price *= taxRate * 0.01 + 1;
    return price;
}

void ListSummary::Update(const rep::vector<Purchase*>& lines, const RowFilter& filter, float taxRate) {
    const auto same = [](bool had, const std::u16string& kept, const TCHAR* now) {
        return now ? had && kept == now : !had;
    };
    if (m_valid && m_lines == lines.data() && m_length == lines.size() && m_taxRate == taxRate &&
        m_hidePurchased == filter.hidePurchased && same(m_hasLocation, m_location, filter.location) &&
        same(m_hasCategory, m_category, filter.category))
        return;
    m_lines = lines.data();
    m_length = lines.size();
    m_taxRate = taxRate;
    m_hidePurchased = filter.hidePurchased;
    m_hasLocation = filter.location != nullptr;
    m_location = filter.location ? filter.location : u"";
    m_hasCategory = filter.category != nullptr;
    m_category = filter.category ? filter.category : u"";
    m_total = 0;
    m_purchasedTotal = 0;
    m_rows.clear();
    for (DWORD i = 0; i < lines.size(); ++i) {
        const Purchase& line = *lines[i];
        if (const double price = LinePrice(line, taxRate); std::isfinite(price)) {
            m_total += price;
            if (line.IsPurchased())
                m_purchasedTotal += price;
        }
        if (filter.Passes(line))
            m_rows.push_back(i);
    }
    m_valid = true;
}
