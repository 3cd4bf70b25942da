// A key of the device registry. Application code gets keys from the roots in Registry
// and from other keys; deleting a key object closes its handle.
#pragma once
#include "Registry/IRegistryKey.h"

#include <memory>

class Registry;

class RegistryKey : public IRegistryKey {
public:
    // Longest text value that can be read back, in bytes (terminator included).
    static constexpr DWORD maxStringBytes = 16383;
    // Longest list, in characters, counting every element's terminator.
    static constexpr DWORD maxMultiStringChars = 16383;
    // Longest stored list and delimited list, in bytes.
    static constexpr DWORD maxMultiStringBytes = 4096;
    // Room for an enumerated key or value name, terminator included.
    static constexpr DWORD nameBufferChars = 256;

    // A key object owns its handle: two objects closing one handle would be a fault, so
    // keys are not copied.
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    ~RegistryKey() override;

    RegistryKey* OpenSubKey(const TCHAR* name) override;
    // Keys have no access modes on the device: writable is not passed on.
    RegistryKey* OpenSubKey(const TCHAR* name, bool writable) override;
    void Close() override;
    RegistryKey* CreateSubKey(const TCHAR* name) override;
    bool DeleteSubKey(const TCHAR* name) override;
    bool DeleteSubKeyTree(const TCHAR* name) override;
    void GetSubKeyNames(rep::vector<TCHAR*>& names) override;
    bool DeleteValue(const TCHAR* name) override;
    bool GetString(const TCHAR* name, TCHAR*& text) override;
    bool SetString(const TCHAR* name, const TCHAR* text) override;
    bool GetMultiString(const TCHAR* name, rep::vector<TCHAR*>& list) override;
    bool SetMultiString(const TCHAR* name, const rep::vector<TCHAR*>& list) override;
    bool GetMultiStringAsString(const TCHAR* name, rep::vector<TCHAR*>& list,
                                const TCHAR* delimiters) override;
    bool SetMultiStringAsString(const TCHAR* name, const rep::vector<TCHAR*>& list,
                                const TCHAR* delimiter) override;
    // Not supported: always false, the outputs untouched.
    bool GetBinary(const TCHAR* name, BYTE*& data, DWORD& size) override;
    // Any value of exactly four bytes; the type is not checked.
    bool GetDWORD(const TCHAR* name, DWORD& value) override;
    bool SetDWORD(const TCHAR* name, const DWORD& value) override;
    bool GetFloat(const TCHAR* name, float& value) override;
    bool SetFloat(const TCHAR* name, const float& value) override;
    const TCHAR* getName() const override { return m_name.get(); }
    bool GetValueNames(rep::vector<TCHAR*>& names) override;

    HKEY GetHandle() const { return m_hKey; }

protected:
    friend class Registry;
    // A root (null name) or a key just opened by its parent.
    explicit RegistryKey(HKEY key, const TCHAR* name = nullptr);

private:
    // Reads a REG_SZ value into a new text; error is the query's result, type the type
    // found. Data without a terminator is cut at its end, never read past.
    LONG QueryText(const TCHAR* name, std::unique_ptr<TCHAR[]>& text, DWORD& type);
    // Enumerates subkey (true) or value (false) names into the list.
    void EnumNames(bool subKeys, rep::vector<TCHAR*>& names);

    HKEY m_hKey;
    std::unique_ptr<TCHAR[]> m_name;
};
