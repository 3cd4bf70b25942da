// The whole registry store as plain data: read in one transaction (a consistent picture
// even while a program writes), written back in one (all or nothing), and checked for
// soundness. Backups and moves of a user's settings and catalogue go through it.
// It works on the store's database file directly, on a connection of its own.
#pragma once
#include "WinTypes.h"

#include <cstddef>
#include <string>
#include <vector>

class RegistrySnapshot {
public:
    struct Value {
        std::u16string name;  // "" is the key's default value
        DWORD type = 0;
        std::vector<BYTE> data;
    };
    struct Key {
        // The names from the root down; the first is a root's name ("HKEY_LOCAL_MACHINE").
        std::vector<std::u16string> path;
        std::vector<Value> values;
    };

    // Parents before their subkeys. Read gives every key reachable from the four roots
    // (the roots included), subkeys and values sorted as enumeration sorts them.
    std::vector<Key> keys;

    // The store of the current device root. False (with error in plain words) when
    // there is no store or it cannot be read.
    static bool Read(RegistrySnapshot& snapshot, std::u16string& error);
    // Makes the store hold exactly this snapshot, creating the store when missing:
    // either everything is written or nothing changes. Open key handles of any process
    // become invalid, so nobody else may be using the store. Keys named twice are
    // merged; of two values of one name (ignoring case) the last wins.
    bool Replace(std::u16string& error) const;
    // Checks the store's file and its tree (every key reachable from a root, every value
    // on a key, names well formed, folded names matching). Problems come back in plain
    // words; false when the store could not be checked at all.
    static bool Check(std::vector<std::u16string>& problems, std::size_t& keyCount, std::size_t& valueCount,
                      std::u16string& error);

    // The canonical name of a root ("HKEY_CURRENT_USER" for any case of it); empty when
    // name is no root.
    static std::u16string RootName(const std::u16string& name);
    // Whether a key name can be stored: not empty, at most 255 characters, no "\".
    static bool IsValidKeyName(const std::u16string& name);
};
