// Names gathered for the catalogue's three name lists while many lines are read (a
// list being opened, an import) and merged in at once. The lists are kept Z to A
// ignoring case; a name a list or an earlier addition has (ignoring case) is not taken
// again. The merge gives the order that inserting each name at its place gives, in
// one pass instead of one insertion per name.
#pragma once
#include "Item.h"
#include "Registry/RepVector.h"

#include <string>
#include <unordered_set>
#include <vector>

class NameAdditions {
public:
    enum List { CATEGORIES, LOCATIONS, UNITS };

    // Sorts the lists Z to A ignoring case.
    NameAdditions(rep::vector<TCHAR*>& categories, rep::vector<TCHAR*>& locations, rep::vector<TCHAR*>& units);
    NameAdditions(const NameAdditions&) = delete;
    NameAdditions& operator=(const NameAdditions&) = delete;
    // Frees the names not merged.
    ~NameAdditions();

    // A copy of name is to join the list unless it is null, empty or listed; true then.
    bool Add(List which, const TCHAR* name);
    // The item's location, unit and categories.
    void AddNamesOf(const Item& item);
    bool Added(List which) const { return !m_lists[which].added.empty(); }

    // Merges the added names into their lists; true when there were any.
    bool Merge();

private:
    struct Pending {
        rep::vector<TCHAR*>* list = nullptr;
        // Folded names of the list and of the added ones; built on first use.
        std::unordered_set<std::u16string> known;
        bool knownBuilt = false;
        std::vector<TCHAR*> added;
    };
    Pending m_lists[3];
};
