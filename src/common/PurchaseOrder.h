// The order of a list's lines by a sort column (a ColumnKind) and a direction (0 or 1),
// as the user's sort settings ask for it. Quantities sort largest first in direction
// 0, every other column smallest first; texts compare ignoring case.
#pragma once
#include "windows.h"

#include "Purchase.h"
#include "Registry/RepVector.h"

#include <string_view>

class PurchaseOrder {
public:
    PurchaseOrder(DWORD column, DWORD direction) : m_column(column), m_direction(direction) {}

    // True when a comes before b.
    bool operator()(const Purchase* a, const Purchase* b) const { return Before(*a, *b); }
    bool Before(const Purchase& a, const Purchase& b) const;

    bool IsSorted(const rep::vector<Purchase*>& list) const;
    // Sorts the list unless it already is in order.
    void Sort(rep::vector<Purchase*>& list) const;
    // Puts purchase where the order wants it when the list is in order (equal lines
    // may take any order, so that is as good as a sort at a fraction of its cost);
    // otherwise appends it and sorts the whole list.
    void Insert(rep::vector<Purchase*>& list, Purchase* purchase) const;

private:
    // The text a text column sorts by.
    std::u16string_view SortText(const Purchase& purchase) const;

    DWORD m_column;
    DWORD m_direction;
};
