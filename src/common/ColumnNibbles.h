// Ten column indexes (0 to 15 each) kept in two DWORDs, four bits per index: indexes 1
// to 8 in the first, the first in the lowest four bits; indexes 9 and 10 in bits 0-3
// and 4-7 of the second. Used for import/export templates and the mail settings.
#pragma once
#include "windows.h"

inline constexpr int kPackedColumnCount = 10;

constexpr void PackColumns(const int (&columns)[kPackedColumnCount], DWORD& low, DWORD& high) {
    low = 0;
    for (int i = 0; i < 8; ++i)
        low |= (static_cast<DWORD>(columns[i]) & 0xFu) << (4 * i);
    high = (static_cast<DWORD>(columns[8]) & 0xFu) | ((static_cast<DWORD>(columns[9]) & 0xFu) << 4);
}

constexpr void UnpackColumns(DWORD low, DWORD high, int (&columns)[kPackedColumnCount]) {
    for (int i = 0; i < 8; ++i)
        columns[i] = static_cast<int>((low >> (4 * i)) & 0xFu);
    columns[8] = static_cast<int>(high & 0xFu);
    columns[9] = static_cast<int>((high >> 4) & 0xFu);
}
