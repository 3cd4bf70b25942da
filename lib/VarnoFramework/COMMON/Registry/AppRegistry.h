// Base of an application's registry store: it owns the one key under which the
// application keeps all its data and offers typed getters and setters. Getters with a
// default always leave a usable value: on any failure (missing value, wrong type,
// unparsable number, value out of range) they store the default and return false.
// The typed accessors need a successful init (or a key set by the subclass).
#pragma once
#include "Registry/IRegistry.h"
#include "Registry/Registry.h"

class AppRegistry : public Object {
public:
    // The store owns its key: a copy would delete it a second time.
    AppRegistry(const AppRegistry&) = delete;
    AppRegistry& operator=(const AppRegistry&) = delete;
    ~AppRegistry() override;

    // The application key's path below the local-machine root.
    virtual const TCHAR* GetKeyPath() const = 0;

    // Opens (never creates) the application key; true when the store holds it.
    bool init();
    // Closes and forgets the key.
    void close();
    // True when the application key exists.
    bool IsExist();
    // Closes the key and erases it with everything the application ever stored.
    bool Cleanup();
    // Appends the subkey names of keyPath (a full path below the local-machine root);
    // when the key cannot be opened, writes errorText as a trace line and returns false.
    bool GetList(rep::vector<TCHAR*>& list, const TCHAR* keyPath, const TCHAR* errorText);

    // Texts: a null text is written as the empty text. text is a new[] copy the
    // caller frees (null on failure; a copy of def with a default).
    bool Set(const TCHAR* name, const TCHAR* text);
    bool Get(const TCHAR* name, TCHAR*& text);
    bool Get(const TCHAR* name, TCHAR*& text, const TCHAR* def);

    // Lists of texts.
    bool Set(const TCHAR* name, const rep::vector<TCHAR*>& list);
    bool Get(const TCHAR* name, rep::vector<TCHAR*>& list);

    // Numbers and flags, stored as REG_DWORD. A getter without default leaves value
    // unchanged on failure; with a range, min <= value <= max must hold.
    bool Set(const TCHAR* name, bool value);
    bool Get(const TCHAR* name, bool& value);
    bool Get(const TCHAR* name, bool& value, bool def);

    bool Set(const TCHAR* name, unsigned int value);
    bool Get(const TCHAR* name, unsigned int& value);
    bool Get(const TCHAR* name, unsigned int& value, unsigned int def);
    bool Get(const TCHAR* name, unsigned int& value, unsigned int min, unsigned int max, unsigned int def);

    bool Set(const TCHAR* name, int value);
    bool Get(const TCHAR* name, int& value);
    bool Get(const TCHAR* name, int& value, int def);
    bool Get(const TCHAR* name, int& value, int min, int max, int def);

    // Kept to 32 bits, like every number in the registry.
    bool Set(const TCHAR* name, unsigned long value);
    bool Get(const TCHAR* name, unsigned long& value);
    bool Get(const TCHAR* name, unsigned long& value, unsigned long def);
    bool Get(const TCHAR* name, unsigned long& value, unsigned long min, unsigned long max, unsigned long def);

    // Floats, stored as text with six decimals.
    bool Set(const TCHAR* name, float value);
    bool Get(const TCHAR* name, float& value);
    bool Get(const TCHAR* name, float& value, float def);
    bool Get(const TCHAR* name, float& value, float min, float max, float def);

    IRegistryKey* GetKey() const { return m_pRegKey; }
    const IRegistry& GetRoots() const { return m_roots; }

protected:
    // Works against the real registry's roots.
    AppRegistry();
    // Works against other roots (the record's keys are not owned).
    explicit AppRegistry(const IRegistry& roots);

    IRegistry m_roots;
    // The application's own key, owned; null until init succeeds (or the subclass
    // stores the key it created on a first run).
    IRegistryKey* m_pRegKey = nullptr;
    // init refuses to work while this is false.
    bool m_bInitialized = true;

private:
    template <typename T>
    bool GetNumber(const TCHAR* name, T& value);
};
