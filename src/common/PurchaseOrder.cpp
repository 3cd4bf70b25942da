#include "PurchaseOrder.h"

#include "ColumnKind.h"
#include "WideString.h"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace {

std::u16string_view TextOf(const TCHAR* text) {
    return text ? std::u16string_view(text) : std::u16string_view();
}

// A strict order on floats even for values read from damaged files: not-a-number
// sorts before every number and equal to itself, so sorting never misbehaves.
bool FloatLess(float a, float b) {
    if (std::isnan(a))
        return !std::isnan(b);
    if (std::isnan(b))
        return false;
    return a < b;
}

}  // namespace

bool PurchaseOrder::Before(const Purchase& a, const Purchase& b) const {
    const bool up = m_direction == 0;
    auto byText = [up](std::u16string_view x, std::u16string_view y) {
        const int order = CompareNoCase(x, y);
        return up ? order < 0 : order > 0;
    };
    switch (m_column) {
    case KindQty:
        return up ? FloatLess(b.GetQty(), a.GetQty()) : FloatLess(a.GetQty(), b.GetQty());
    case KindName:
        return byText(a.Name(), b.Name());
    case KindPrice:
        return up ? FloatLess(a.GetPrice(), b.GetPrice()) : FloatLess(b.GetPrice(), a.GetPrice());
    case KindCoupon:
        return up ? (a.HasCoupon() && !b.HasCoupon()) : (!a.HasCoupon() && b.HasCoupon());
    case KindLocation:
        return byText(TextOf(a.GetLocation()), TextOf(b.GetLocation()));
    case KindNote:
        return byText(TextOf(a.GetNote()), TextOf(b.GetNote()));
    default:
        return false;
    }
}

bool PurchaseOrder::IsSorted(const rep::vector<Purchase*>& list) const {
    return std::is_sorted(list.begin(), list.end(), *this);
}

void PurchaseOrder::Sort(rep::vector<Purchase*>& list) const {
    if (m_column < kColumnKindCount && !IsSorted(list))
        std::sort(list.begin(), list.end(), *this);
}

void PurchaseOrder::Insert(rep::vector<Purchase*>& list, Purchase* purchase) const {
    if (IsSorted(list)) {
        Purchase** place = std::upper_bound(list.begin(), list.end(), purchase, *this);
        list.insert(static_cast<DWORD>(place - list.begin()), purchase);
        return;
    }
    list.push_back(purchase);
    std::sort(list.begin(), list.end(), *this);
}
