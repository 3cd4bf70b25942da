// Internal to the registry: one subtree of keys and values copied into memory when a
// key's subkeys are enumerated. A catalogue read opens every subkey it enumerates and
// reads its values; served from here, that costs no statement per key. It is read a
// level at a time: the subkeys of a key, then (their ids being mostly consecutive) the
// values and the subkeys' own subkeys in one range of ids each. Names and bytes sit in
// two buffers, so a copy of thousands of keys takes few allocations.
// The store drops the copy at any write inside it, at a rollback and when another
// connection has committed; it serves from it only inside a transaction.
#pragma once
#include "WinTypes.h"

#include <sqlite3.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Enumeration order: ignoring case (by folded name), then exactly, so the order is
// total and stable.
inline bool EnumeratesBefore(std::u16string_view aFolded, std::u16string_view aName, std::u16string_view bFolded,
                             std::u16string_view bName) {
    return aFolded != bFolded ? aFolded < bFolded : aName < bName;
}

class RegistryTreeCache {
public:
    // The statements a copy is read with: of one key (?1) or of the keys whose ids lie
    // in a range (?1 to ?2). Values come as key, name, folded, type, data, grouped by key.
    struct Statements {
        sqlite3_stmt* values;         // of a key
        sqlite3_stmt* subKeys;        // of a key: id, name, folded, written
        sqlite3_stmt* hasSubKeys;     // of a key: a row when it has subkeys
        sqlite3_stmt* valuesIn;       // of a range
        sqlite3_stmt* parentsIn;      // of a range: the ids that have subkeys
    };
    struct Name {
        std::u16string_view folded;
        std::u16string_view name;
        std::int64_t written = 0;
    };
    struct Value {
        DWORD type = 0;
        const BYTE* data = nullptr;
        DWORD size = 0;
    };
    // A key of the copy: its subkeys and values, each in enumeration order.
    struct Key {
        std::int64_t parent = 0;
        std::uint32_t firstSubKey = 0, subKeyCount = 0;
        std::uint32_t firstValue = 0, valueCount = 0;
    };

    // Reads the subtree of root (root included), replacing what was held. A subtree
    // past maxBytes (names, bytes and bookkeeping) is not kept. False, holding nothing,
    // when it was too big or a read failed.
    bool Load(const Statements& statements, std::int64_t root, std::size_t maxBytes);
    // Drops the copy; its buffers keep their room for the next one.
    void Clear();
    // Drops the copy and gives the memory back.
    void Release();
    bool Empty() const { return m_keys.empty(); }

    // The key when it lies in the subtree held; null otherwise.
    const Key* Find(std::int64_t id) const;

    Name SubKey(const Key& key, std::size_t index) const;
    // The subkey's id by its folded name; 0 when there is none.
    std::int64_t SubKeyId(const Key& key, std::u16string_view folded) const;
    Name ValueName(const Key& key, std::size_t index) const;
    Value ValueAt(const Key& key, std::size_t index) const;
    // The index of the value with this folded name; key.valueCount when there is none.
    std::size_t FindValue(const Key& key, std::u16string_view folded) const;

private:
    struct Text {
        std::uint32_t at = 0, length = 0;  // in m_text
    };
    struct SubKeyEntry {
        Text folded, name;
        std::int64_t written = 0;
        std::int64_t id = 0;
    };
    struct ValueEntry {
        Text folded, name;
        DWORD type = 0;
        std::uint32_t at = 0, size = 0;  // in m_bytes
    };

    Text AddText(sqlite3_stmt* s, int column);
    std::u16string_view View(Text text) const { return {m_text.data() + text.at, text.length}; }
    // Reads values (grouped by their key) into the keys of the copy that are subkeys of
    // parent (any key of the copy when parent is 0); rows of other keys are passed over.
    bool AddValues(sqlite3_stmt* s, std::int64_t first, std::int64_t last, std::int64_t parent, std::size_t maxBytes);
    // Reads the subkeys of a key, their values, and which of them have subkeys.
    bool AddLevel(const Statements& statements, std::int64_t id, std::vector<std::int64_t>& pending,
                  std::size_t maxBytes);
    std::size_t Bytes() const;

    std::unordered_map<std::int64_t, Key> m_keys;
    std::vector<SubKeyEntry> m_subKeys;
    std::vector<ValueEntry> m_values;
    std::vector<char16_t> m_text;
    std::vector<BYTE> m_bytes;
    mutable std::size_t m_lastSubKey = 0;  // in m_subKeys: where SubKeyId found the last one
};
