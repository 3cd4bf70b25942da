// A category, location or unit as the catalogue and the list use it: whether an item
// or a line carries it (ignoring case), and taking it from all of them when the user
// removes it from the catalogue's name lists.
#pragma once
#include "Item.h"
#include "Purchase.h"
#include "Registry/RepVector.h"

class NameUsage {
public:
    enum Kind { Category, Location, Unit };

    NameUsage(Kind kind, const TCHAR* name) : m_kind(kind), m_name(name ? name : u"") {}

    bool UsedBy(const Item& item) const;
    // Takes the name from item (every time it carries it); true when it changed.
    bool RemoveFrom(Item& item) const;

    bool IsUsed(const rep::vector<Item*>& items, const rep::vector<Purchase*>& purchases) const;
    // Takes the name from every item and line; the changed items are written back to
    // the catalogue store. True when a line changed.
    bool RemoveFromAll(rep::vector<Item*>& items, rep::vector<Purchase*>& purchases) const;

private:
    Kind m_kind;
    const TCHAR* m_name;
};
