#include "NameAdditions.h"

#include "ListCapacity.h"
#include "NameList.h"
#include "Text/Util.h"
#include "WideString.h"

#include <algorithm>
#include <string_view>

namespace {

std::u16string_view TextOf(const TCHAR* text) {
    return text ? std::u16string_view(text) : std::u16string_view();
}

}  // namespace

NameAdditions::NameAdditions(rep::vector<TCHAR*>& categories, rep::vector<TCHAR*>& locations,
                             rep::vector<TCHAR*>& units) {
    m_lists[CATEGORIES].list = &categories;
    m_lists[LOCATIONS].list = &locations;
    m_lists[UNITS].list = &units;
    for (Pending& pending : m_lists)
        SortNameList(*pending.list);
}

NameAdditions::~NameAdditions() {
    for (Pending& pending : m_lists)
        for (TCHAR* name : pending.added)
            delete[] name;
}

bool NameAdditions::Add(List which, const TCHAR* name) {
    if (!name || !*name)
        return false;
    Pending& pending = m_lists[which];
    if (!pending.knownBuilt) {
        pending.known.reserve(pending.list->size());
        for (const TCHAR* known : *pending.list)
            pending.known.insert(FoldCase(TextOf(known)));
        pending.knownBuilt = true;
    }
    if (!pending.known.insert(FoldCase(name)).second)
        return false;
    pending.added.push_back(Util::tcsdup(name));
    return true;
}

void NameAdditions::AddNamesOf(const Item& item) {
    Add(LOCATIONS, item.GetLocation());
    Add(UNITS, item.GetUnit());
    for (const TCHAR* category : item.GetCategories())
        Add(CATEGORIES, category);
}

bool NameAdditions::Merge() {
    bool merged = false;
    for (Pending& pending : m_lists) {
        if (pending.added.empty())
            continue;
        // The list is sorted and holds none of the new names: a merge gives the order
        // that inserting each at its place gives.
        rep::vector<TCHAR*>& list = *pending.list;
        const DWORD before = list.size();
        std::sort(pending.added.begin(), pending.added.end(), NameListBefore);
        MakeRoom(list, static_cast<DWORD>(pending.added.size()));
        for (TCHAR* name : pending.added)
            list.push_back(name);
        pending.added.clear();
        std::inplace_merge(list.begin(), list.begin() + before, list.end(), NameListBefore);
        merged = true;
    }
    return merged;
}
