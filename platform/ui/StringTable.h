// The program's string table: id -> text, registered once at start-up by the program
// (word for word, as the program shows it) and read with LoadString.
#pragma once
#include "UiTypes.h"

#include <cstddef>
#include <initializer_list>

struct StringTableEntry {
    UINT id;
    const char16_t* text;
};

class StringTable {
public:
    // Adds entries; a later registration of an id replaces the earlier text.
    static void Register(const StringTableEntry* entries, std::size_t count);
    static void Register(std::initializer_list<StringTableEntry> entries);
    // True and the text when the id is in the table.
    static bool Find(UINT id, CString& text);
    // Empties the table (tests).
    static void Clear();
};

// The text of a string id; empty when the table has no such entry.
CString LoadString(UINT id);
// As the device call: copies at most bufferMax - 1 characters and a terminator and
// returns the number copied; 0 when the id is unknown or there is no room.
int LoadStringW(HINSTANCE instance, UINT id, LPWSTR buffer, int bufferMax);
