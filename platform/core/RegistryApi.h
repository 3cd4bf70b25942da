// The registry, kept in one SQLite database in the device root (registry.db).
// Key and value names compare ignoring case and keep the case they were created with;
// a key name is at most 255 characters and paths split on "\". Values keep their type
// and exact bytes. Enumeration is sorted ignoring case.
// Writes are grouped into transactions committed at least every quarter second, at
// RegFlushKey and at process exit: a crash loses at most the last moments of writes and
// never corrupts the store.
#pragma once
#include "WinTypes.h"
#include "WinError.h"
#include <cstdint>
#include <optional>
#include <string>

// The four root keys are fixed handle values, from the first on.
inline constexpr std::uintptr_t kFirstRootKeyHandle = 0x80000000u;
inline constexpr unsigned kRootKeyCount = 4;
#define HKEY_CLASSES_ROOT (reinterpret_cast<HKEY>(kFirstRootKeyHandle + 0))
#define HKEY_CURRENT_USER (reinterpret_cast<HKEY>(kFirstRootKeyHandle + 1))
#define HKEY_LOCAL_MACHINE (reinterpret_cast<HKEY>(kFirstRootKeyHandle + 2))
#define HKEY_USERS (reinterpret_cast<HKEY>(kFirstRootKeyHandle + 3))

#define REG_NONE 0
#define REG_SZ 1
#define REG_EXPAND_SZ 2
#define REG_BINARY 3
#define REG_DWORD 4
#define REG_DWORD_BIG_ENDIAN 5
#define REG_LINK 6
#define REG_MULTI_SZ 7
#define REG_QWORD 11

#define REG_OPTION_NON_VOLATILE 0
#define REG_CREATED_NEW_KEY 1
#define REG_OPENED_EXISTING_KEY 2

#define KEY_QUERY_VALUE 0x0001
#define KEY_SET_VALUE 0x0002
#define KEY_CREATE_SUB_KEY 0x0004
#define KEY_ENUMERATE_SUB_KEYS 0x0008
#define KEY_READ 0x20019
#define KEY_WRITE 0x20006
#define KEY_ALL_ACCESS 0xF003F

// Longest key name and longest value name, in characters.
#define REG_MAX_KEY_NAME 255
#define REG_MAX_VALUE_NAME 16383

LONG RegCreateKeyExW(HKEY key, LPCWSTR subKey, DWORD reserved, LPWSTR className, DWORD options,
                     REGSAM desired, LPSECURITY_ATTRIBUTES security, PHKEY result,
                     LPDWORD disposition);
LONG RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD options, REGSAM desired, PHKEY result);
LONG RegCloseKey(HKEY key);
// Refuses a key that still has subkeys (ERROR_ACCESS_DENIED); values go with the key.
LONG RegDeleteKeyW(HKEY key, LPCWSTR subKey);
LONG RegDeleteValueW(HKEY key, LPCWSTR valueName);
// data null: only the size is returned. Short buffer: ERROR_MORE_DATA and the needed size.
LONG RegQueryValueExW(HKEY key, LPCWSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                      LPDWORD dataSize);
LONG RegSetValueExW(HKEY key, LPCWSTR valueName, DWORD reserved, DWORD type, const BYTE* data,
                    DWORD dataSize);
LONG RegEnumKeyExW(HKEY key, DWORD index, LPWSTR name, LPDWORD nameChars, LPDWORD reserved,
                   LPWSTR className, LPDWORD classChars, LPFILETIME lastWriteTime);
LONG RegEnumValueW(HKEY key, DWORD index, LPWSTR valueName, LPDWORD valueNameChars,
                   LPDWORD reserved, LPDWORD type, LPBYTE data, LPDWORD dataSize);
LONG RegQueryInfoKeyW(HKEY key, LPWSTR className, LPDWORD classChars, LPDWORD reserved,
                      LPDWORD subKeys, LPDWORD maxSubKeyLen, LPDWORD maxClassLen, LPDWORD values,
                      LPDWORD maxValueNameLen, LPDWORD maxValueLen, LPDWORD securityDescriptor,
                      LPFILETIME lastWriteTime);
// Commits every pending write to disk before it returns.
LONG RegFlushKey(HKEY key);

namespace RegistryStore {
// Commits and closes the database; the next registry call opens it again (from the
// then current device root). Open handles become invalid. Used at shutdown and by tests.
void Shutdown();
// Host path of the database file.
std::string DatabasePath();

// Every failure of the database keeps Win32's ERROR_REGISTRY_IO_FAILED for the caller,
// and is described in plain words (what failed, SQLite's own message, the database
// file) to the debug output and to the reporter, when one is set.
using FailureReporter = void (*)(const std::u16string& description);
void SetFailureReporter(FailureReporter reporter);
// The description of the last failure of this process ("" when none).
std::u16string LastFailure();
// The Win32 error that says why it failed (ERROR_DISK_FULL, ERROR_ACCESS_DENIED, ...).
DWORD LastFailureError();

// Whether the database opens (it is opened if need be). False: every call fails with
// ERROR_REGISTRY_IO_FAILED, and LastFailure says why.
bool IsAvailable();

// The writes of this process from BeginBatch to EndBatch form one transaction: with
// keep they are committed together, otherwise (or when the process ends first) none
// of them stays. Keys created meanwhile are closed by a batch that is not kept.
bool BeginBatch();
bool EndBatch(bool keep);

// Commits and copies the database to "registry-backup-1.db" beside it (the one before
// becomes "registry-backup-2.db"), when it changed since it opened or has no backup
// yet. Meant for a clean exit.
bool KeepBackup();

// A store that SQLite found damaged when it opened is moved aside, never deleted, and
// the newest good backup put in its place (or, with none, the store starts empty).
struct Recovery {
    std::string damagedFile;   // where the damaged store now lies
    std::string restoredFrom;  // the backup put in its place; "" when there was none
};
// What the last such recovery did, once (then empty until the next one).
std::optional<Recovery> TakeRecovery();

// The next opening of the store checks it on a thread of its own instead of before
// the first call returns, so that a start can do other work meanwhile. Until
// ConfirmCheck says the store is whole, it may be damaged: a caller that finds it
// damaged closes its handles and shuts the store down; the next call opens it again
// the usual way, checked, and set aside and restored if need be.
void CheckInBackground();
// Waits for a check left to the background; true when it found the store whole, or
// when none was left to it.
bool ConfirmCheck();
}  // namespace RegistryStore
