// A list control as a check list of categories: one column as wide as the list (no
// header to tap, nothing to scroll sideways on the small screen) and a check-box row per
// category, tall enough for a finger.
#pragma once
#include "CListCtrl.h"
#include "Registry/RepVector.h"

#include <functional>

class CategoryCheckList {
public:
    // Fills list with the categories, checking those checked() takes. False (after a
    // trace line) when the column or a row cannot be made: the set-up ends there.
    static bool Fill(CListCtrl& list, const rep::vector<TCHAR*>& categories,
                     const std::function<bool(const TCHAR*)>& checked);
    // Copies (new[] texts) of the checked rows' texts, in row order, appended to result.
    static void GetChecked(const CListCtrl& list, rep::vector<TCHAR*>& result);
};
