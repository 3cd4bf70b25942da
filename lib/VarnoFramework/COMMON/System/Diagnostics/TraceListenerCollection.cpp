#include "System/Diagnostics/TraceListenerCollection.h"

#include "Text/Util.h"

#include <algorithm>

namespace Diagnostics {

TraceListenerCollection::~TraceListenerCollection() = default;

TCHAR* TraceListenerCollection::ToString() const {
    return Util::tcsdup(
        ::Format(u"System.Diagnostics.TraceListenerCollection - %X", GetHashCode()).c_str());
}

int TraceListenerCollection::Add(TraceListener* listener) {
    if (listener)
        m_items.push_back(listener);
    return getCount();
}

void TraceListenerCollection::AddRange(TraceListener* const* listeners, int count) {
    if (!listeners)
        return;
    for (int i = 0; i < count; ++i)
        Add(listeners[i]);
}

void TraceListenerCollection::AddRange(const TraceListenerCollection& listeners) {
    // A copy first: adding a collection to itself must not walk a growing vector.
    const std::vector<TraceListener*> items = listeners.m_items;
    for (TraceListener* listener : items)
        Add(listener);
}

void TraceListenerCollection::Insert(int index, TraceListener* listener) {
    if (!listener || index < 0 || index > getCount())
        return;
    m_items.insert(m_items.begin() + index, listener);
}

void TraceListenerCollection::Remove(const TraceListener* listener) {
    auto it = std::find(m_items.begin(), m_items.end(), listener);
    if (it != m_items.end())
        m_items.erase(it);
}

void TraceListenerCollection::Remove(const TCHAR* name) {
    if (!name)
        return;
    auto it = std::find_if(m_items.begin(), m_items.end(), [name](const TraceListener* listener) {
        return _tcscmp(listener->getName(), name) == 0;
    });
    if (it != m_items.end())
        m_items.erase(it);
}

void TraceListenerCollection::RemoveAt(int index) {
    if (index < 0 || index >= getCount())
        return;
    m_items.erase(m_items.begin() + index);
}

void TraceListenerCollection::Clear() { m_items.clear(); }

bool TraceListenerCollection::Contains(const TraceListener* listener) const {
    return IndexOf(listener) >= 0;
}

int TraceListenerCollection::IndexOf(const TraceListener* listener) const {
    auto it = std::find(m_items.begin(), m_items.end(), listener);
    return it == m_items.end() ? -1 : static_cast<int>(it - m_items.begin());
}

int TraceListenerCollection::getCount() const { return static_cast<int>(m_items.size()); }

TraceListener* TraceListenerCollection::getItem(int index) const {
    if (index < 0 || index >= getCount())
        return nullptr;
    return m_items[static_cast<std::size_t>(index)];
}

void TraceListenerCollection::CopyTo(Object**, int) const {}

Collections::IEnumerator* TraceListenerCollection::GetEnumerator() const { return nullptr; }

}  // namespace Diagnostics
