#include "NameList.h"

#include <string_view>
#include <vector>
#include <unordered_set>

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
