// Shared pieces of the catalogue store, import and options tests: message boxes caught
// instead of shown, a counting progress, and direct looks into the registry.
#pragma once
#include "ListTestSupport.h"

#include "MessageBoxes.h"
#include "ProgressSink.h"
#include "Registry/Registry.h"

#include <memory>
#include <string>
#include <vector>

using KeyPtr = std::unique_ptr<IRegistryKey>;

// Progress that counts what it is told and presses Cancel when asked the cancelAt-th
// time (never when 0).
struct CountingProgress : ProgressSink {
    void SetMaxOfInterval(DWORD steps) override { max = steps; }
    void Step() override { ++steps; }
    bool IsCancelPressed() override { return ++asked == cancelAt; }
    DWORD max = 0;
    int steps = 0;
    int asked = 0;
    int cancelAt = 0;
};

// A key below HKEY_LOCAL_MACHINE, or null.
inline KeyPtr OpenKey(const std::u16string& path) {
    return KeyPtr(Registry::LocalMachine.OpenSubKey(path.c_str()));
}
inline KeyPtr MakeKey(const std::u16string& path) {
    return KeyPtr(Registry::LocalMachine.CreateSubKey(path.c_str()));
}

inline const std::u16string kAppKey = u"SOFTWARE\\Tamra\\Listora";

// The raw DWORD of a value; fails the test's expectation with -1 when missing.
inline long long RawDword(const std::u16string& keyPath, const TCHAR* name) {
    const KeyPtr key = OpenKey(keyPath);
    DWORD value = 0;
    if (!key || !key->GetDWORD(name, value))
        return -1;
    return value;
}

inline std::u16string RawString(const std::u16string& keyPath, const TCHAR* name) {
    const KeyPtr key = OpenKey(keyPath);
    TCHAR* raw = nullptr;
    if (!key || !key->GetString(name, raw))
        return u"(missing)";
    const std::unique_ptr<TCHAR[]> text(raw);
    return text.get();
}

inline std::vector<std::u16string> RawList(const std::u16string& keyPath, const TCHAR* name) {
    const KeyPtr key = OpenKey(keyPath);
    rep::string_list list;
    std::vector<std::u16string> result;
    if (!key || !key->GetMultiString(name, list))
        return {u"(missing)"};
    for (const TCHAR* text : list)
        result.emplace_back(text);
    return result;
}

inline std::vector<std::u16string> SubKeys(const std::u16string& keyPath) {
    const KeyPtr key = OpenKey(keyPath);
    rep::string_list names;
    std::vector<std::u16string> result;
    if (key)
        key->GetSubKeyNames(names);
    for (const TCHAR* name : names)
        result.emplace_back(name);
    return result;
}
