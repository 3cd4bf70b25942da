// Internal to the registry: the files of its database. The file layer SQLite works
// through (the system's own, with the test faults of FaultInjection on top), SQLite's
// quick check, copies made with SQLite's online backup, the names of the backups and
// of a damaged store set aside, and the reading of its text columns.
#pragma once
#include <sqlite3.h>

#include <cstdint>
#include <string>

namespace RegistryFiles {

// Registers the file layer; once, before the first database opens.
void RegisterVfs();
// The file layer's name for sqlite3_open_v2 (null: SQLite's default).
const char* VfsName();

// "ok" from SQLite's quick check of an open database, else its first complaint (rc
// tells when the check itself could not run).
std::string QuickCheck(sqlite3* db, int& rc);
// Copies the database open in from into a new file at path and checks the copy.
// SQLITE_OK when it is whole; otherwise the copy is removed (it never was whole).
int CopyDatabase(sqlite3* from, const std::string& path);
// A database (a backup, or the store beside its own connection) opened read-only:
// null unless it is there, opens and passes the check.
sqlite3* OpenReadOnlyIfWhole(const std::string& path);

// "<database without .db>-backup-<number>.db".
std::string BackupPath(const std::string& database, int number);
// A name beside the damaged file that no other file has: "registry-damaged-<date and
// time>.db", with a number when that is taken.
std::string DamagedPath(const std::string& database);
bool FileExists(const std::string& path);
// Flushes the folder of path, so renames in it survive a crash.
void SyncFolderOf(const std::string& path);

// The time a key is written at: now, as a FILETIME's 100-ns units.
std::int64_t NowFileTime();

// A text column of the store (UTF-16) with its exact code units.
std::u16string ColumnText(sqlite3_stmt* s, int column);

}  // namespace RegistryFiles
