#include "PurchaseOrder.h"

#include "ColumnKind.h"
#include "WideString.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <string_view>
#include <vector>

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
    case KindLocation:
    case KindNote:
        return byText(SortText(a), SortText(b));
    case KindPrice:
        return up ? FloatLess(a.GetPrice(), b.GetPrice()) : FloatLess(b.GetPrice(), a.GetPrice());
    case KindCoupon:
        return up ? (a.HasCoupon() && !b.HasCoupon()) : (!a.HasCoupon() && b.HasCoupon());
    default:
        return false;
    }
}

bool PurchaseOrder::IsSorted(const rep::vector<Purchase*>& list) const {
    return std::is_sorted(list.begin(), list.end(), *this);
}

std::u16string_view PurchaseOrder::SortText(const Purchase& purchase) const {
    switch (m_column) {
    case KindName: return purchase.Name();
    case KindLocation: return TextOf(purchase.GetLocation());
    case KindNote: return TextOf(purchase.GetNote());
    default: return {};
    }
}

void PurchaseOrder::Sort(rep::vector<Purchase*>& list) const {
    if (m_column >= kColumnKindCount || IsSorted(list))
        return;
    if (m_column != KindName && m_column != KindLocation && m_column != KindNote) {
        std::sort(list.begin(), list.end(), *this);
        return;
    }
    // Each text folded once instead of at every comparison. Folded texts compare as
    // the texts do ignoring case, so std::sort makes the very same moves and equal
    // lines end up exactly where sorting the lines themselves would put them.
    std::u16string folded;
    std::u16string one;
    std::vector<std::size_t> starts;
    starts.reserve(list.size() + 1);
    for (const Purchase* purchase : list) {
        starts.push_back(folded.size());
        FoldCaseInto(SortText(*purchase), one);
        folded += one;
    }
    starts.push_back(folded.size());
    struct Keyed {
        std::u16string_view key;
        Purchase* purchase;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(list.size());
    for (DWORD i = 0; i < list.size(); ++i)
        keyed.push_back({std::u16string_view(folded).substr(starts[i], starts[i + 1] - starts[i]), list[i]});
    if (m_direction == 0)
        std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) { return a.key < b.key; });
    else
        std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) { return b.key < a.key; });
    for (DWORD i = 0; i < list.size(); ++i)
        list[i] = keyed[i].purchase;
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
