#include "StringTable.h"

#include <algorithm>
#include <mutex>
#include <string>
#include <unordered_map>

namespace {
struct Table {
    std::mutex lock;
    std::unordered_map<UINT, std::u16string> texts;
};

Table& TheTable() {
    static Table table;
    return table;
}
}  // namespace

void StringTable::Register(const StringTableEntry* entries, std::size_t count) {
    Table& table = TheTable();
    std::lock_guard guard(table.lock);
    for (std::size_t i = 0; i < count; ++i)
        table.texts[entries[i].id] = entries[i].text ? entries[i].text : u"";
}

void StringTable::Register(std::initializer_list<StringTableEntry> entries) {
    Register(entries.begin(), entries.size());
}

bool StringTable::Find(UINT id, CString& text) {
    Table& table = TheTable();
    std::lock_guard guard(table.lock);
    auto it = table.texts.find(id);
    if (it == table.texts.end())
        return false;
    text = CString(it->second);
    return true;
}

void StringTable::Clear() {
    Table& table = TheTable();
    std::lock_guard guard(table.lock);
    table.texts.clear();
}

CString LoadString(UINT id) {
    CString text;
    StringTable::Find(id, text);
    return text;
}

int LoadStringW(HINSTANCE, UINT id, LPWSTR buffer, int bufferMax) {
    if (!buffer || bufferMax <= 0)
        return 0;
    CString text;
    if (!StringTable::Find(id, text)) {
        buffer[0] = 0;
        return 0;
    }
    const int count = std::min(text.GetLength(), bufferMax - 1);
    std::copy_n(text.GetString(), count, buffer);
    buffer[count] = 0;
    return count;
}
