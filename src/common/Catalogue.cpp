#include "Catalogue.h"

#include "WideString.h"

#include <algorithm>

namespace {
bool NameAscending(const Item* a, const Item* b) {
    return CompareNoCase(a->Name(), b->Name()) < 0;
}

bool NameDescending(const Item* a, const Item* b) {
    return CompareNoCase(a->Name(), b->Name()) > 0;
}
}  // namespace

Catalogue::~Catalogue() {
    rep::delete_objects(m_items);
}

Item* Catalogue::Find(const TCHAR* name) {
    return name ? m_index.Find(name, m_items) : nullptr;
}

bool Catalogue::Add(Item* item) {
    if (!item)
        return false;
    SortByName(false);
    Item** place = std::lower_bound(m_items.begin(), m_items.end(), item, NameAscending);
    if (place != m_items.end() && EqualsNoCase((*place)->Name(), item->Name()))
        return false;
    m_items.insert(static_cast<DWORD>(place - m_items.begin()), item);
    m_index.Add(item);
    return true;
}

bool Catalogue::Remove(Item* item) {
    const int index = m_items.indexOf(item);
    if (index < 0)
        return false;
    m_items.erase(static_cast<DWORD>(index));
    m_index.Remove(item, m_items);
    return true;
}

std::vector<Item*> Catalogue::AddLines(const rep::vector<Purchase*>& lines) {
    // Offering them one by one would put the catalogue in A to Z order first and insert
    // each new item at its place: gathering the new ones and merging them in gives that.
    CatalogueAdditions additions(m_items, lines.size());
    bool offered = false;
    for (const Purchase* line : lines) {
        if (line->IsOnce() || m_index.Find(line->Name(), m_items))
            continue;
        offered = true;
        if (additions.Claim(line->Name()))
            additions.Add(new Item(*line));
    }
    if (!offered)
        return {};
    return Merge(additions);
}

std::vector<Item*> Catalogue::Merge(CatalogueAdditions& additions) {
    SortByName(false);
    if (additions.Empty())
        return {};
    std::vector<Item*> added = additions.MergeInto(m_items);
    m_order = Order::Ascending;
    m_index.Reserve(added.size());
    for (Item* item : added)
        m_index.Add(item);
    return added;
}

void Catalogue::SortByName(bool descending) {
    const Order wanted = descending ? Order::Descending : Order::Ascending;
    if (m_order == wanted)
        return;
    auto before = descending ? NameDescending : NameAscending;
    auto after = descending ? NameAscending : NameDescending;
    if (!std::is_sorted(m_items.begin(), m_items.end(), before)) {
        if (std::is_sorted(m_items.begin(), m_items.end(), after))
            std::reverse(m_items.begin(), m_items.end());
        else
            std::sort(m_items.begin(), m_items.end(), before);
    }
    m_order = wanted;
}

void Catalogue::Changed() {
    m_index.Invalidate();
    m_order = Order::Unknown;
}

void Catalogue::SortedAscending() {
    m_index.Invalidate();
    m_order = Order::Ascending;
}

void Catalogue::Clear() {
    rep::delete_objects(m_items);
    m_index.Clear();
    m_order = Order::Ascending;
}
