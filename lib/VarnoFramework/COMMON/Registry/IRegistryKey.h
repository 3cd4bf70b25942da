// A registry key as the application sees it. Keys returned by OpenSubKey and
// CreateSubKey belong to the caller, who deletes them (which closes them). Lists are
// filled with new[] copies that the caller frees. Failures give false or null and a
// trace line; nothing throws.
#pragma once
#include "Registry/RepVector.h"
#include "System/Object.h"

class IRegistryKey : public Object {
public:
    ~IRegistryKey() override = default;

    virtual IRegistryKey* OpenSubKey(const TCHAR* name) = 0;
    virtual IRegistryKey* OpenSubKey(const TCHAR* name, bool writable) = 0;
    virtual void Close() = 0;
    // Opens the key, creating it when missing.
    virtual IRegistryKey* CreateSubKey(const TCHAR* name) = 0;
    // Refused while the key has subkeys.
    virtual bool DeleteSubKey(const TCHAR* name) = 0;
    // The key with everything below it.
    virtual bool DeleteSubKeyTree(const TCHAR* name) = 0;
    virtual void GetSubKeyNames(rep::vector<TCHAR*>& names) = 0;
    virtual bool DeleteValue(const TCHAR* name) = 0;
    // REG_SZ; text is a new[] copy, or null on failure.
    virtual bool GetString(const TCHAR* name, TCHAR*& text) = 0;
    virtual bool SetString(const TCHAR* name, const TCHAR* text) = 0;
    // REG_MULTI_SZ; reading stops at the first empty element.
    virtual bool GetMultiString(const TCHAR* name, rep::vector<TCHAR*>& list) = 0;
    virtual bool SetMultiString(const TCHAR* name, const rep::vector<TCHAR*>& list) = 0;
    // A REG_SZ text split at any of the delimiters / joined with the delimiter after
    // every element.
    virtual bool GetMultiStringAsString(const TCHAR* name, rep::vector<TCHAR*>& list,
                                        const TCHAR* delimiters) = 0;
    virtual bool SetMultiStringAsString(const TCHAR* name, const rep::vector<TCHAR*>& list,
                                        const TCHAR* delimiter) = 0;
    virtual bool GetBinary(const TCHAR* name, BYTE*& data, DWORD& size) = 0;
    virtual bool GetDWORD(const TCHAR* name, DWORD& value) = 0;
    virtual bool SetDWORD(const TCHAR* name, const DWORD& value) = 0;
    // Stored as REG_SZ text ("%f").
    virtual bool GetFloat(const TCHAR* name, float& value) = 0;
    virtual bool SetFloat(const TCHAR* name, const float& value) = 0;
    // The name the key was opened or created with; null for a root.
    virtual const TCHAR* getName() const = 0;
    virtual bool GetValueNames(rep::vector<TCHAR*>& names) = 0;
};
