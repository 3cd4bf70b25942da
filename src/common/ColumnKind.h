// The columns of a list by kind: the bit numbers of DisplayedColumns and the values of
// the sort column setting (uSortColumn).
#pragma once

enum ColumnKind : int {
    KindQty = 0,
    KindName = 1,
    KindPrice = 2,
    KindCoupon = 3,
    KindLocation = 4,
    KindNote = 5,
    kColumnKindCount = 6,
};
