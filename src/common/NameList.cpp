#include "NameList.h"

#include "Text/Util.h"
#include "WideString.h"

#include <algorithm>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace {
std::u16string_view TextOf(const TCHAR* text) {
    return text ? std::u16string_view(text) : std::u16string_view();
}
}  // namespace

bool NameListBefore(const TCHAR* a, const TCHAR* b) {
    return CompareNoCase(TextOf(a), TextOf(b)) > 0;
}

bool ListContains(const rep::vector<TCHAR*>& list, const TCHAR* text) {
    if (!text)
        return false;
    for (const TCHAR* element : list)
        if (element && _tcsicmp(element, text) == 0)
            return true;
    return false;
}

void RemoveDuplicates(rep::vector<TCHAR*>& list) {
    // Walk from the end: the first time a text is met there is its last occurrence.
    std::unordered_set<std::u16string_view> seen;
    std::vector<bool> keep(list.size(), false);
    for (DWORD i = list.size(); i-- > 0;) {
        const std::u16string_view text(list[i] ? list[i] : u"");
        keep[i] = seen.insert(text).second;
    }
    DWORD kept = 0;
    for (DWORD i = 0; i < list.size(); ++i) {
        if (keep[i])
            list[kept++] = list[i];
        else
            delete[] list[i];
    }
    while (list.size() > kept)
        list.pop_back();
}

void SortNameList(rep::vector<TCHAR*>& list) {
    if (!std::is_sorted(list.begin(), list.end(), NameListBefore))
        std::sort(list.begin(), list.end(), NameListBefore);
}

bool NameListContains(const rep::vector<TCHAR*>& list, const TCHAR* name) {
    if (!name)
        return false;
    TCHAR* const* place = std::lower_bound(list.begin(), list.end(), name, NameListBefore);
    return place != list.end() && EqualsNoCase(TextOf(*place), TextOf(name));
}

bool AddToNameList(rep::vector<TCHAR*>& list, const TCHAR* name) {
    if (!name || !*name)
        return false;
    SortNameList(list);
    if (NameListContains(list, name))
        return false;
    // Inserted at its place: the list stays sorted without another sort.
    TCHAR* const* place = std::lower_bound(list.begin(), list.end(), name, NameListBefore);
    list.insert(static_cast<DWORD>(place - list.begin()), Util::tcsdup(name));
    return true;
}
