#include "Registry/AppRegistry.h"

#include "System/Diagnostics/Trace.h"
#include "Text/Util.h"

#include <memory>

using Diagnostics::Trace;

AppRegistry::AppRegistry()
    : m_roots(&Registry::CurrentUser, &Registry::LocalMachine, &Registry::ClassesRoot, &Registry::Users) {}

AppRegistry::AppRegistry(const IRegistry& roots) : m_roots(roots) {}

AppRegistry::~AppRegistry() { close(); }

bool AppRegistry::init() {
    if (!m_bInitialized) {
        Trace::WriteFormattedLineT(u"error", u"%s", u"Not initialized! Probably cannot initialized device registry!");
        return false;
    }
    if (m_pRegKey != nullptr)
        return true;
    Trace::WriteFormattedLineT(u"info", u"%s", u"m_pRegKey is null, try to create it!");
    m_pRegKey = m_roots.m_pLocalMachine->OpenSubKey(GetKeyPath());
    if (m_pRegKey == nullptr)
        Trace::WriteFormattedLineT(u"info", u"%s", u"m_pRegKey is still null!");
    return m_pRegKey != nullptr;
}

void AppRegistry::close() {
    delete m_pRegKey;
    m_pRegKey = nullptr;
}

bool AppRegistry::IsExist() {
    const std::unique_ptr<IRegistryKey> key(m_roots.m_pLocalMachine->OpenSubKey(GetKeyPath()));
    return key != nullptr;
}

bool AppRegistry::Cleanup() {
    close();
    return m_roots.m_pLocalMachine->DeleteSubKeyTree(GetKeyPath());
}

bool AppRegistry::GetList(rep::vector<TCHAR*>& list, const TCHAR* keyPath, const TCHAR* errorText) {
    const std::unique_ptr<IRegistryKey> key(m_roots.m_pLocalMachine->OpenSubKey(keyPath));
    if (!key) {
        // The caller's text is data, never a format.
        Trace::WriteFormattedLineT(u"error", u"%s", errorText ? errorText : u"");
        return false;
    }
    key->GetSubKeyNames(list);
    return true;
}

bool AppRegistry::Set(const TCHAR* name, const TCHAR* text) { return m_pRegKey->SetString(name, text ? text : u""); }

bool AppRegistry::Get(const TCHAR* name, TCHAR*& text) { return m_pRegKey->GetString(name, text); }

bool AppRegistry::Get(const TCHAR* name, TCHAR*& text, const TCHAR* def) {
    if (m_pRegKey->GetString(name, text))
        return true;
    text = Util::tcsdup(def);
    return false;
}

bool AppRegistry::Set(const TCHAR* name, const rep::vector<TCHAR*>& list) {
    return m_pRegKey->SetMultiString(name, list);
}

bool AppRegistry::Get(const TCHAR* name, rep::vector<TCHAR*>& list) { return m_pRegKey->GetMultiString(name, list); }

template <typename T>
bool AppRegistry::GetNumber(const TCHAR* name, T& value) {
    DWORD stored = 0;
    if (!m_pRegKey->GetDWORD(name, stored))
        return false;
    value = static_cast<T>(stored);
    return true;
}

bool AppRegistry::Set(const TCHAR* name, bool value) {
    const DWORD stored = value ? 1 : 0;
    return m_pRegKey->SetDWORD(name, stored);
}

bool AppRegistry::Get(const TCHAR* name, bool& value) {
    DWORD stored = 0;
    if (!GetNumber(name, stored))
        return false;
    value = stored != 0;
    return true;
}

bool AppRegistry::Get(const TCHAR* name, bool& value, bool def) {
    if (Get(name, value))
        return true;
    value = def;
    return false;
}

bool AppRegistry::Set(const TCHAR* name, unsigned int value) {
    const DWORD stored = value;
    return m_pRegKey->SetDWORD(name, stored);
}

bool AppRegistry::Get(const TCHAR* name, unsigned int& value) { return GetNumber(name, value); }

bool AppRegistry::Get(const TCHAR* name, unsigned int& value, unsigned int def) {
    if (GetNumber(name, value))
        return true;
    value = def;
    return false;
}

bool AppRegistry::Get(const TCHAR* name, unsigned int& value, unsigned int min, unsigned int max, unsigned int def) {
    unsigned int stored = 0;
    if (GetNumber(name, stored) && min <= stored && stored <= max) {
        value = stored;
        return true;
    }
    value = def;
    return false;
}

bool AppRegistry::Set(const TCHAR* name, int value) {
    const DWORD stored = static_cast<DWORD>(value);
    return m_pRegKey->SetDWORD(name, stored);
}

bool AppRegistry::Get(const TCHAR* name, int& value) { return GetNumber(name, value); }

bool AppRegistry::Get(const TCHAR* name, int& value, int def) {
    if (GetNumber(name, value))
        return true;
    value = def;
    return false;
}

bool AppRegistry::Get(const TCHAR* name, int& value, int min, int max, int def) {
    int stored = 0;
    if (GetNumber(name, stored) && min <= stored && stored <= max) {
        value = stored;
        return true;
    }
    value = def;
    return false;
}

bool AppRegistry::Set(const TCHAR* name, unsigned long value) {
    const DWORD stored = static_cast<DWORD>(value);
    return m_pRegKey->SetDWORD(name, stored);
}

bool AppRegistry::Get(const TCHAR* name, unsigned long& value) { return GetNumber(name, value); }

bool AppRegistry::Get(const TCHAR* name, unsigned long& value, unsigned long def) {
    if (GetNumber(name, value))
        return true;
    value = def;
    return false;
}

bool AppRegistry::Get(const TCHAR* name, unsigned long& value, unsigned long min, unsigned long max,
                      unsigned long def) {
    unsigned long stored = 0;
    if (GetNumber(name, stored) && min <= stored && stored <= max) {
        value = stored;
        return true;
    }
    value = def;
    return false;
}

bool AppRegistry::Set(const TCHAR* name, float value) { return m_pRegKey->SetFloat(name, value); }

bool AppRegistry::Get(const TCHAR* name, float& value) { return m_pRegKey->GetFloat(name, value); }

bool AppRegistry::Get(const TCHAR* name, float& value, float def) {
    if (m_pRegKey->GetFloat(name, value))
        return true;
    value = def;
    return false;
}

bool AppRegistry::Get(const TCHAR* name, float& value, float min, float max, float def) {
    float stored = 0;
    if (m_pRegKey->GetFloat(name, stored) && min <= stored && stored <= max) {
        value = stored;
        return true;
    }
    value = def;
    return false;
}
