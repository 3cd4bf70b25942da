// A look-up by exact (case-sensitive) name over a list of items or purchases that
// the owner keeps in its own order. It answers with the first element of that name in
// list order, as a linear search would, in constant time for the usual case of one
// element per name.
//
// The owner tells it about each element it adds or removes; any other change of the
// list (renamed elements, a reorder that matters, a list replaced wholesale) goes
// through Invalidate, and the next look-up rebuilds from the list.
#pragma once
#include "windows.h"

#include "Registry/RepVector.h"

#include <string>
#include <string_view>
#include <cstddef>
#include <functional>
#include <unordered_map>

template <class T>
class ExactNameIndex {
public:
    T* Find(std::u16string_view name, const rep::vector<T*>& list) {
        if (m_stale)
            Rebuild(list);
        for (int attempt = 0; attempt < 2; ++attempt) {
            auto it = m_entries.find(name);
            if (it == m_entries.end())
                return nullptr;
            if (it->second.count == 1 && it->second.element->Name() == name)
                return it->second.element;
            // Several elements carry the name: the first in list order is the one.
            for (T* element : list)
                if (element->Name() == name)
                    return element;
            // A name changed without the index being told: look again from scratch.
            Rebuild(list);
        }
        return nullptr;
    }

    // element has just joined the list.
    void Add(T* element) {
        if (m_stale)
            return;  // the next look-up rebuilds it with this one
        auto it = m_entries.find(element->Name());
        if (it == m_entries.end())
            it = m_entries.emplace(std::u16string(element->Name()), Entry{}).first;
        Entry& entry = it->second;
        if (entry.count++ == 0)
            entry.element = element;
    }

    // element has just left the list (it is still alive).
    void Remove(T* element, const rep::vector<T*>& list) {
        if (m_stale)
            return;
        auto it = m_entries.find(element->Name());
        if (it == m_entries.end() || it->second.count == 0) {
            m_stale = true;
            return;
        }
        if (--it->second.count == 0) {
            m_entries.erase(it);
            return;
        }
        if (it->second.element != element)
            return;
        // Another element of the name stays: keep one of them.
        it->second.element = nullptr;
        for (T* other : list)
            if (other->Name() == it->first) {
                it->second.element = other;
                return;
            }
        m_stale = true;
    }

    void Invalidate() { m_stale = true; }
    // Room for count more elements (before adding many).
    void Reserve(std::size_t count) {
        if (!m_stale)
            m_entries.reserve(m_entries.size() + count);
    }

    // The list was emptied.
    void Clear() {
        m_entries.clear();
        m_stale = false;
    }

private:
    struct Entry {
        T* element = nullptr;
        DWORD count = 0;
    };

    void Rebuild(const rep::vector<T*>& list) {
        m_entries.clear();
        m_entries.reserve(list.size());
        m_stale = false;
        for (T* element : list)
            Add(element);
    }

    // Looked up by view: a look-up builds no string.
    struct Hash {
        using is_transparent = void;
        std::size_t operator()(std::u16string_view name) const { return std::hash<std::u16string_view>{}(name); }
    };
    std::unordered_map<std::u16string, Entry, Hash, std::equal_to<>> m_entries;
    bool m_stale = true;
};
