#include "RegistryTreeCache.h"

#include <algorithm>
#include <cstdint>

namespace {

// Steps through a statement whose ids (?1, and ?2 when it has one) are bound, handing
// each row to take (false: stop, and the whole read fails). True when every row was
// taken.
template <typename Take>
bool EachRow(sqlite3_stmt* s, std::int64_t first, std::int64_t last, Take take) {
    sqlite3_bind_int64(s, 1, first);
    if (sqlite3_bind_parameter_count(s) > 1)
        sqlite3_bind_int64(s, 2, last);
    int rc = SQLITE_OK;
    bool taken = true;
    while (taken && (rc = sqlite3_step(s)) == SQLITE_ROW)
        taken = take();
    sqlite3_reset(s);
    return taken && rc == SQLITE_DONE;
}

// Puts entries[first, first + count) into enumeration order. Rows mostly come in that
// order already (the store's indexes sort the folded names' bytes).
template <typename Entry, typename ViewOf>
void SortRange(std::vector<Entry>& entries, std::uint32_t first, std::uint32_t count, ViewOf view) {
    const auto begin = entries.begin() + first;
    const auto end = begin + count;
    auto before = [&view](const Entry& a, const Entry& b) {
        return EnumeratesBefore(view(a.folded), view(a.name), view(b.folded), view(b.name));
    };
    if (!std::is_sorted(begin, end, before))
        std::sort(begin, end, before);
}

// The index in entries[first, first + count) of the entry with this folded name, or
// count. Folded names are unique among a key's subkeys and among its values.
template <typename Entry, typename ViewOf>
std::size_t IndexOf(const std::vector<Entry>& entries, std::uint32_t first, std::uint32_t count,
                    std::u16string_view folded, ViewOf view) {
    const auto begin = entries.begin() + first;
    const auto end = begin + count;
    const auto it = std::lower_bound(begin, end, folded,
                                     [&view](const Entry& e, std::u16string_view f) { return view(e.folded) < f; });
    return it != end && view(it->folded) == folded ? static_cast<std::size_t>(it - begin) : count;
}

}  // namespace

RegistryTreeCache::Text RegistryTreeCache::AddText(sqlite3_stmt* s, int column) {
    const auto* data = static_cast<const char16_t*>(sqlite3_column_text16(s, column));
    const auto length = static_cast<std::size_t>(sqlite3_column_bytes16(s, column)) / sizeof(char16_t);
    const Text text{static_cast<std::uint32_t>(m_text.size()), static_cast<std::uint32_t>(length)};
    if (data)
        m_text.insert(m_text.end(), data, data + length);
    else
        m_text.resize(m_text.size() + length);
    return text;
}

std::size_t RegistryTreeCache::Bytes() const {
    return m_text.size() * sizeof(char16_t) + m_bytes.size() + m_subKeys.size() * sizeof(SubKeyEntry) +
           m_values.size() * sizeof(ValueEntry) + m_keys.size() * (sizeof(Key) + 32);
}

bool RegistryTreeCache::AddValues(sqlite3_stmt* s, std::int64_t first, std::int64_t last, std::int64_t parent,
                                  std::size_t maxBytes) {
    Key* key = nullptr;
    std::int64_t current = 0;
    auto close = [&] {
        if (key) {
            key->valueCount = static_cast<std::uint32_t>(m_values.size()) - key->firstValue;
            SortRange(m_values, key->firstValue, key->valueCount, [this](Text t) { return View(t); });
        }
        key = nullptr;
    };
    const bool read = EachRow(s, first, last, [&] {
        const std::int64_t owner = sqlite3_column_int64(s, 0);
        if (owner != current) {
            close();
            current = owner;
            const auto it = m_keys.find(owner);
            if (it == m_keys.end() || (parent && it->second.parent != parent))
                return true;  // a key in the range that is not read here
            // Each key's values come together, once.
            if (it->second.valueCount != 0)
                return false;
            key = &it->second;
            key->firstValue = static_cast<std::uint32_t>(m_values.size());
        }
        if (!key)
            return true;
        const Text name = AddText(s, 1);
        const Text folded = AddText(s, 2);
        const auto* data = static_cast<const BYTE*>(sqlite3_column_blob(s, 4));
        const auto size = static_cast<std::uint32_t>(sqlite3_column_bytes(s, 4));
        m_values.push_back({folded, name, static_cast<DWORD>(sqlite3_column_int64(s, 3)),
                            static_cast<std::uint32_t>(m_bytes.size()), size});
        if (data)
            m_bytes.insert(m_bytes.end(), data, data + size);
        else
            m_bytes.resize(m_bytes.size() + size);
        return Bytes() <= maxBytes;
    });
    close();
    return read;
}

bool RegistryTreeCache::AddLevel(const Statements& statements, std::int64_t id, std::vector<std::int64_t>& pending,
                                 std::size_t maxBytes) {
    const auto first = static_cast<std::uint32_t>(m_subKeys.size());
    std::int64_t low = INT64_MAX;
    std::int64_t high = INT64_MIN;
    if (!EachRow(statements.subKeys, id, 0, [&] {
            const std::int64_t child = sqlite3_column_int64(statements.subKeys, 0);
            const auto [it, added] = m_keys.try_emplace(child);
            if (!added)
                return false;  // a key met twice: this is no tree
            it->second.parent = id;
            low = std::min(low, child);
            high = std::max(high, child);
            const Text name = AddText(statements.subKeys, 1);
            const Text folded = AddText(statements.subKeys, 2);
            m_subKeys.push_back({folded, name, sqlite3_column_int64(statements.subKeys, 3), child});
            return Bytes() <= maxBytes;
        }))
        return false;
    Key& key = m_keys[id];
    key.firstSubKey = first;
    key.subKeyCount = static_cast<std::uint32_t>(m_subKeys.size()) - first;
    SortRange(m_subKeys, first, key.subKeyCount, [this](Text t) { return View(t); });
    if (key.subKeyCount == 0)
        return true;
    // Subkeys made together have consecutive ids: then one range read of each kind
    // serves them all, and the few other keys it meets are passed over.
    if (static_cast<std::uint64_t>(high - low) < 4u * key.subKeyCount + 64) {
        return EachRow(statements.parentsIn, low, high,
                       [&] {
                           const std::int64_t parent = sqlite3_column_int64(statements.parentsIn, 0);
                           const auto it = m_keys.find(parent);
                           if (it != m_keys.end() && it->second.parent == id)
                               pending.push_back(parent);
                           return true;
                       }) &&
               AddValues(statements.valuesIn, low, high, id, maxBytes);
    }
    for (std::uint32_t i = first; i < first + key.subKeyCount; ++i) {
        const std::int64_t child = m_subKeys[i].id;
        if (!EachRow(statements.hasSubKeys, child, 0, [&] {
                pending.push_back(child);
                return true;
            }) ||
            !AddValues(statements.values, child, 0, 0, maxBytes))
            return false;
    }
    return true;
}

bool RegistryTreeCache::Load(const Statements& statements, std::int64_t root, std::size_t maxBytes) {
    Clear();
    m_keys.try_emplace(root);
    bool read = AddValues(statements.values, root, 0, 0, maxBytes);
    std::vector<std::int64_t> pending{root};
    while (read && !pending.empty()) {
        const std::int64_t id = pending.back();
        pending.pop_back();
        read = AddLevel(statements, id, pending, maxBytes);
    }
    if (!read)
        Release();
    return read;
}

void RegistryTreeCache::Clear() {
    // The room kept is that of the largest copy held, which Load bounds.
    m_keys.clear();
    m_subKeys.clear();
    m_values.clear();
    m_text.clear();
    m_bytes.clear();
    m_lastSubKey = 0;
}

void RegistryTreeCache::Release() {
    Clear();
    std::unordered_map<std::int64_t, Key>().swap(m_keys);
    std::vector<SubKeyEntry>().swap(m_subKeys);
    std::vector<ValueEntry>().swap(m_values);
    std::vector<char16_t>().swap(m_text);
    std::vector<BYTE>().swap(m_bytes);
}

const RegistryTreeCache::Key* RegistryTreeCache::Find(std::int64_t id) const {
    const auto it = m_keys.find(id);
    return it == m_keys.end() ? nullptr : &it->second;
}

RegistryTreeCache::Name RegistryTreeCache::SubKey(const Key& key, std::size_t index) const {
    const SubKeyEntry& entry = m_subKeys[key.firstSubKey + index];
    return {View(entry.folded), View(entry.name), entry.written};
}

std::int64_t RegistryTreeCache::SubKeyId(const Key& key, std::u16string_view folded) const {
    // Subkeys are mostly opened in the order they were enumerated: try the one after
    // the last found first.
    const std::size_t next = m_lastSubKey + 1;
    if (next >= key.firstSubKey && next < key.firstSubKey + key.subKeyCount && View(m_subKeys[next].folded) == folded) {
        m_lastSubKey = next;
        return m_subKeys[next].id;
    }
    const std::size_t i =
        IndexOf(m_subKeys, key.firstSubKey, key.subKeyCount, folded, [this](Text t) { return View(t); });
    if (i == key.subKeyCount)
        return 0;
    m_lastSubKey = key.firstSubKey + i;
    return m_subKeys[m_lastSubKey].id;
}

RegistryTreeCache::Name RegistryTreeCache::ValueName(const Key& key, std::size_t index) const {
    const ValueEntry& entry = m_values[key.firstValue + index];
    return {View(entry.folded), View(entry.name), 0};
}

RegistryTreeCache::Value RegistryTreeCache::ValueAt(const Key& key, std::size_t index) const {
    const ValueEntry& entry = m_values[key.firstValue + index];
    return {entry.type, m_bytes.data() + entry.at, entry.size};
}

std::size_t RegistryTreeCache::FindValue(const Key& key, std::u16string_view folded) const {
    return IndexOf(m_values, key.firstValue, key.valueCount, folded, [this](Text t) { return View(t); });
}
