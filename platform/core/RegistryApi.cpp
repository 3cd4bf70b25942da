// The registry over one SQLite database in the device root.
//
// Keys form a tree (table keys: id, parent, name as created, folded name for the
// case-insensitive match); values hang off a key (table vals). The database uses UTF-16
// text so names keep their exact code units.
//
// Speed and safety: an application writes values one by one, so each write joins an open
// write transaction that a background thread commits at most a quarter second later (and
// RegFlushKey or process exit at once). The database runs in WAL mode with full sync, so
// a killed process loses at most that last quarter second and never corrupts the store.
//
// Damage from outside (a file cut short, a disk that lost pages) is found by SQLite's
// quick check when the store opens: the damaged file is set aside under a dated name
// and the newest good backup (taken at a clean exit) takes its place.
#include "RegistryApi.h"

#include "BackgroundJob.h"
#include "RegistryFiles.h"
#include "RegistryTreeCache.h"
#include "DevicePath.h"
#include "KernelObject.h"
#include "ProcessApi.h"
#include "TimeApi.h"
#include "WideString.h"

#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>
#include <pthread.h>
#include <string>
#include <thread>
#include <unistd.h>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {

using namespace RegistryFiles;
using Clock = std::chrono::steady_clock;
constexpr auto kCommitDelay = std::chrono::milliseconds(200);
constexpr auto kFlusherTick = std::chrono::milliseconds(50);
constexpr std::uintptr_t kFirstHandle = 0x10000;
// A subtree copied into memory is given up past this size (its keys are then read
// one statement at a time, as without the copy).
constexpr std::size_t kMaxTreeBytes = 16u << 20;

struct Statement {
    sqlite3_stmt* stmt = nullptr;
    ~Statement() { sqlite3_finalize(stmt); }
};

// Resets a cached statement when a call is done with it, whatever path it leaves by.
class Use {
public:
    explicit Use(sqlite3_stmt* s) : m_s(s) {}
    ~Use() { sqlite3_reset(m_s); }
    sqlite3_stmt* operator*() const { return m_s; }

private:
    sqlite3_stmt* m_s;
};

// One subkey or value as an enumeration lists it (values have no write time).
struct NameEntry {
    std::u16string folded;
    std::u16string name;
    std::int64_t written = 0;
};

struct EnumCache {
    std::uint64_t generation = 0;
    bool valid = false;
    std::vector<NameEntry> entries;
};

struct OpenKey {
    std::int64_t id = 0;
    // The key was seen to exist while the store's live stamp had this value.
    std::uint64_t liveStamp = 0;
    EnumCache subKeys;
    EnumCache values;
};

enum StatementId {
    kFindChild,
    kInsertKey,
    kKeyExists,
    kHasChildren,
    kDeleteKey,
    kDeleteKeyValues,
    kQueryValue,
    kUpsertValue,
    kDeleteValue,
    kListChildren,
    kListValues,
    kCountChildren,
    kCountValues,
    kTreeValues,
    kTreeSubKeys,
    kTreeValuesIn,
    kTreeParentsIn,
    kDataVersion,
    kStatementCount
};

const char* const kStatementSql[kStatementCount] = {
    "SELECT id FROM keys WHERE parent=?1 AND folded=?2",
    "INSERT INTO keys(parent, name, folded, written) VALUES(?1, ?2, ?3, ?4)",
    "SELECT 1 FROM keys WHERE id=?1",
    "SELECT 1 FROM keys WHERE parent=?1 LIMIT 1",
    "DELETE FROM keys WHERE id=?1",
    "DELETE FROM vals WHERE key=?1",
    "SELECT type, data FROM vals WHERE key=?1 AND folded=?2",
    ("INSERT INTO vals(key, name, folded, type, data) VALUES(?1, ?2, ?3, ?4, ?5) "
     "ON CONFLICT(key, folded) DO UPDATE SET type=excluded.type, data=excluded.data"),
    "DELETE FROM vals WHERE key=?1 AND folded=?2",
    "SELECT name, folded, written FROM keys WHERE parent=?1",
    "SELECT name, folded, 0 FROM vals WHERE key=?1",
    "SELECT count(*), coalesce(max(length(name)), 0) FROM keys WHERE parent=?1",
    "SELECT count(*), coalesce(max(length(name)), 0), coalesce(max(length(data)), 0) FROM vals WHERE key=?1",
    "SELECT key, name, folded, type, data FROM vals WHERE key=?1",
    "SELECT id, name, folded, written FROM keys WHERE parent=?1",
    "SELECT key, name, folded, type, data FROM vals WHERE key BETWEEN ?1 AND ?2",
    "SELECT DISTINCT parent FROM keys WHERE parent BETWEEN ?1 AND ?2",
    "PRAGMA data_version",
};

// Root handles map to the fixed key ids 1..kRootKeyCount.
constexpr std::int64_t kFirstRootId = 1;

bool IsRootHandle(std::uintptr_t value) {
    return value >= kFirstRootKeyHandle && value < kFirstRootKeyHandle + kRootKeyCount;
}

bool IsRootId(std::int64_t id) {
    return id >= kFirstRootId && id < kFirstRootId + kRootKeyCount;
}

std::mutex g_failureMutex;
std::u16string g_lastFailure;
DWORD g_lastFailureError = ERROR_SUCCESS;
RegistryStore::FailureReporter g_reporter = nullptr;
std::optional<RegistryStore::Recovery> g_recovery;

// The Win32 error that says in plain terms why SQLite failed.
DWORD ErrorOfSqlite(int code, int systemErrno) {
    switch (code & 0xFF) {
    case SQLITE_FULL: return ERROR_DISK_FULL;
    case SQLITE_PERM:
    case SQLITE_READONLY:
    case SQLITE_AUTH: return ERROR_ACCESS_DENIED;
    case SQLITE_BUSY:
    case SQLITE_LOCKED: return ERROR_SHARING_VIOLATION;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB: return ERROR_BADDB;
    case SQLITE_NOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    case SQLITE_CANTOPEN:
    case SQLITE_IOERR:
        return systemErrno ? PlatformCore::ErrorFromErrno(systemErrno)
                           : ((code & 0xFF) == SQLITE_IOERR ? ERROR_WRITE_FAULT : ERROR_CANTOPEN);
    default: return ERROR_REGISTRY_IO_FAILED;
    }
}

bool IsDamage(int code) {
    return (code & 0xFF) == SQLITE_CORRUPT || (code & 0xFF) == SQLITE_NOTADB;
}

// Tells what failed, in SQLite's words and with the file, and keeps it for LastFailure.
void ReportFailure(const std::string& path, const char* what, sqlite3* db, int code) {
    std::string text = "Registry store '" + path + "': " + what + " failed: ";
    text += db ? sqlite3_errmsg(db) : sqlite3_errstr(code);
    text += " (" + std::to_string(code) + ")";
    const DWORD error = ErrorOfSqlite(db ? sqlite3_extended_errcode(db) : code, db ? sqlite3_system_errno(db) : 0);
    const std::u16string description = FromUtf8(text);
    OutputDebugStringW((description + u"\n").c_str());
    RegistryStore::FailureReporter reporter = nullptr;
    {
        std::lock_guard<std::mutex> lock(g_failureMutex);
        g_lastFailure = description;
        g_lastFailureError = error;
        reporter = g_reporter;
    }
    if (reporter)
        reporter(description);
}

// Set by CheckInBackground for the next opening of the store; guarded by g_mutex.
bool g_checkInBackground = false;

class Store {
public:
    ~Store() { Close(); }

    bool IsOpen() const { return m_db != nullptr; }

    bool Open() {
        if (m_db)
            return true;
        if (!DevicePath::EnsureRoot())
            return false;
        m_path = DevicePath::Root() + "/registry.db";
        const bool inBackground = std::exchange(g_checkInBackground, false);
        Opened opened = OpenChecked(!inBackground);
        if (opened == Opened::Damaged) {
            if (!SetAsideAndRestore())
                return false;
            opened = OpenChecked(true);
        } else if (opened == Opened::Ok && inBackground) {
            // Its own read-only connection: SQLite lets it read beside this one. With no
            // thread to be had, the check is done here.
            if (!m_checker.Start([this, path = m_path] { m_provedWhole = CheckedOnItsOwn(path); }))
                m_provedWhole = CheckedOnItsOwn(m_path);
        }
        return opened == Opened::Ok;
    }

    // Waits for the check running in the background, if any; false when it did not
    // find the store whole.
    bool JoinCheck() {
        m_checker.Finish();
        return m_provedWhole;
    }

    // A copy of the database as a backup beside it, when it changed since it opened
    // (or has none yet); the last two backups are kept. Only a copy that passes the
    // quick check replaces a backup.
    bool Backup() {
        if (!m_db || !Commit(true))
            return false;
        const std::string newest = BackupPath(m_path, 1);
        if (!m_changed && FileExists(newest))
            return true;
        const std::string copy = m_path.substr(0, m_path.size() - 3) + "-backup.tmp";
        if (const int rc = CopyDatabase(m_db, copy)) {
            ReportFailure(copy, "copying the store", nullptr, rc);
            return false;
        }
        if (FileExists(newest) && rename(newest.c_str(), BackupPath(m_path, 2).c_str()) != 0) {
            unlink(copy.c_str());
            return false;
        }
        if (rename(copy.c_str(), newest.c_str()) != 0) {
            unlink(copy.c_str());
            return false;
        }
        SyncFolderOf(newest);
        m_changed = false;
        return true;
    }
    // Reports a failed step of this connection; returns the caller's error code.
    LONG Failed(const char* what, int code) {
        // Some failures roll the whole transaction back: nothing read in it is trusted.
        Forget();
        ReportFailure(m_path, what, m_db, code);
        return ERROR_REGISTRY_IO_FAILED;
    }

    void Close() {
        JoinCheck();
        // A batch still open at the end is not whole: it goes.
        if (!m_batch)
            Commit();
        CloseDb();
        m_handles.clear();
        m_batch = false;
    }

    // Writes from here to EndBatch form one transaction.
    bool BeginBatch() {
        if (m_batch || !BeginWrite())
            return false;
        m_batch = true;
        m_batchFirstHandle = m_nextHandle;
        return true;
    }

    bool EndBatch(bool keep) {
        if (!m_batch)
            return false;
        m_batch = false;
        if (keep)
            return Commit();
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        m_inTransaction = false;
        m_writing = false;
        Forget();
        // Handles of keys made in the batch name nothing now.
        for (auto it = m_handles.begin(); it != m_handles.end();)
            it = it->first >= m_batchFirstHandle ? m_handles.erase(it) : std::next(it);
        ++keyGeneration;
        ++valueGeneration;
        return true;
    }

    // After fork the child must not touch the parent's connection: forget it unclosed.
    void AbandonAfterFork() {
        for (auto& s : m_statements)
            s.stmt = nullptr;
        m_db = nullptr;
        m_inTransaction = false;
        m_writing = false;
        m_batch = false;
        m_handles.clear();
        m_tree.Release();
    }

    bool BeginWrite() {
        if (m_inTransaction && m_writing)
            return true;
        // A read window cannot be widened into a write once another process has
        // committed, so it is closed first.
        if (m_inTransaction && !Commit())
            return false;
        if (int rc = sqlite3_exec(m_db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr); rc != SQLITE_OK) {
            Failed("starting a write", rc);
            return false;
        }
        m_inTransaction = true;
        m_writing = true;
        m_transactionStart = Clock::now();
        NoteTransactionStart();
        return true;
    }

    // Reads share one read transaction for a short window: starting one per read would
    // cost more than the read itself. Commits of other processes show once it closes.
    void BeginRead() {
        if (m_inTransaction) {
            // SQLite may have rolled the transaction back by itself (a full disk, say).
            if (sqlite3_get_autocommit(m_db))
                Forget();
            return;
        }
        if (sqlite3_exec(m_db, "BEGIN", nullptr, nullptr, nullptr) != SQLITE_OK)
            return;
        m_inTransaction = true;
        m_writing = false;
        m_transactionStart = Clock::now();
        NoteTransactionStart();
    }

    // A batch is committed only by its end (or, forced, before a fork).
    bool Commit(bool force = false) {
        if (!m_db || !m_inTransaction || (m_batch && !force))
            return true;
        m_batch = false;
        const bool wrote = m_writing;
        m_writing = false;
        if (int rc = sqlite3_exec(m_db, "COMMIT", nullptr, nullptr, nullptr); rc != SQLITE_OK) {
            // A failed commit leaves the transaction open; roll it back so the store
            // stays usable, and report the loss.
            Failed("committing", rc);
            sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
            m_inTransaction = false;
            return false;
        }
        m_inTransaction = false;
        m_changed = m_changed || wrote;
        return true;
    }

    bool CommitIfDue() {
        if (m_inTransaction && Clock::now() - m_transactionStart >= kCommitDelay)
            return Commit();
        return true;
    }

    sqlite3_stmt* Stmt(StatementId id) { return m_statements[id].stmt; }

    std::optional<std::int64_t> Resolve(HKEY key) {
        const auto value = reinterpret_cast<std::uintptr_t>(key);
        if (IsRootHandle(value))
            return kFirstRootId + static_cast<std::int64_t>(value - kFirstRootKeyHandle);
        auto it = m_handles.find(value);
        if (it == m_handles.end())
            return std::nullopt;
        return it->second.id;
    }

    OpenKey* Handle(HKEY key) {
        auto it = m_handles.find(reinterpret_cast<std::uintptr_t>(key));
        return it == m_handles.end() ? nullptr : &it->second;
    }

    // A handle to a key that was just found or made in this transaction.
    HKEY NewHandle(std::int64_t id) {
        const std::uintptr_t value = m_nextHandle++;
        OpenKey& open = m_handles[value];
        open.id = id;
        if (Trusted())
            open.liveStamp = m_liveStamp;
        return reinterpret_cast<HKEY>(value);
    }

    bool CloseHandle(HKEY key) { return m_handles.erase(reinterpret_cast<std::uintptr_t>(key)) > 0; }

    // Whether the key of a handle still exists. A handle's key seen to exist stays so
    // until a key is deleted, a write is rolled back or another connection commits;
    // until then it is not looked up again.
    bool IsLive(HKEY key, std::int64_t id) {
        if (IsRootId(id))
            return true;
        OpenKey* open = Handle(key);
        const bool trusted = Trusted();
        if (open && trusted && open->liveStamp == m_liveStamp)
            return true;
        bool live = Cached(id) != nullptr;
        if (!live) {
            Use s(Stmt(kKeyExists));
            sqlite3_bind_int64(*s, 1, id);
            live = sqlite3_step(*s) == SQLITE_ROW;
        }
        if (live && open && trusted)
            open->liveStamp = m_liveStamp;
        return live;
    }

    // The key from the subtree held in memory, when it lies there and the copy can be
    // trusted: inside a transaction, whose reads it matches.
    const RegistryTreeCache::Key* Cached(std::int64_t id) {
        return !m_tree.Empty() && Trusted() ? m_tree.Find(id) : nullptr;
    }
    const RegistryTreeCache& Tree() const { return m_tree; }

    // The folded form of a name, in room the store reuses: valid until the next Fold.
    const std::u16string& Fold(std::u16string_view name) {
        FoldCaseInto(name, m_folded);
        return m_folded;
    }

    // Copies the subtree of a key into memory, unless it is too big (then not tried
    // again until something changes). Roots are never copied: they hold everything.
    void LoadTree(std::int64_t id) {
        if (IsRootId(id) || !Trusted() || (id == m_refusedRoot && m_changes == m_refusedAt))
            return;
        const RegistryTreeCache::Statements statements{Stmt(kTreeValues), Stmt(kTreeSubKeys), Stmt(kHasChildren),
                                                       Stmt(kTreeValuesIn), Stmt(kTreeParentsIn)};
        if (!m_tree.Load(statements, id, kMaxTreeBytes)) {
            m_refusedRoot = id;
            m_refusedAt = m_changes;
        }
    }

    // This connection wrote to key id (its values, subkeys, or the key itself).
    void Changed(std::int64_t id) {
        ++m_changes;
        if (m_tree.Find(id))
            m_tree.Clear();
    }
    // This connection deleted a key.
    void Deleted(std::int64_t id) {
        ++m_liveStamp;
        Changed(id);
    }

    std::uint64_t keyGeneration = 1;
    std::uint64_t valueGeneration = 1;
    std::vector<NameEntry> rootEntries;  // a root handle's list, which it has no room for

private:
    enum class Opened { Ok, Damaged, Failed };

    bool Trusted() const { return m_inTransaction && m_db && !sqlite3_get_autocommit(m_db); }

    // What was read before may be wrong now: the subtree copy goes and every handle's
    // key is looked up again.
    void Forget() {
        m_tree.Clear();
        ++m_liveStamp;
        ++m_changes;
    }

    // A transaction sees what other connections committed before it began: when they
    // did, what this one read before may be out of date.
    void NoteTransactionStart() {
        Use s(Stmt(kDataVersion));
        const std::int64_t version = sqlite3_step(*s) == SQLITE_ROW ? sqlite3_column_int64(*s, 0) : -1;
        if (version < 0 || version != m_dataVersion)
            Forget();
        m_dataVersion = version;
    }

    static bool CheckedOnItsOwn(const std::string& path) {
        sqlite3* db = OpenReadOnlyIfWhole(path);
        sqlite3_close(db);
        return db != nullptr;
    }

    // Opens the database and, with check, checks it. Damaged when SQLite finds it is
    // not whole.
    Opened OpenChecked(bool check) {
        const int opened = sqlite3_open_v2(m_path.c_str(), &m_db,
                                           SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, VfsName());
        if (opened != SQLITE_OK) {
            ReportFailure(m_path, "opening", m_db, opened);
            return CloseAfter(opened);
        }
        sqlite3_busy_timeout(m_db, 10000);
        int rc = SQLITE_OK;
        const std::string result = check ? QuickCheck(m_db, rc) : "ok";
        if (rc != SQLITE_OK) {
            Failed("checking", rc);
            return CloseAfter(rc);
        }
        if (result != "ok") {
            // A read that failed once reads like damage to the check: only a second
            // check that finds the same proves it.
            int again = SQLITE_OK;
            if (QuickCheck(m_db, again) != "ok") {
                ReportFailure(m_path, ("checking (" + result + ")").c_str(), nullptr, SQLITE_CORRUPT);
                return CloseAfter(again == SQLITE_OK ? SQLITE_CORRUPT : again);
            }
        }
        const char* setup =
            "PRAGMA encoding='UTF-16le';"
            "PRAGMA journal_mode=WAL;"
            "PRAGMA synchronous=FULL;"
            "PRAGMA temp_store=MEMORY;"
            "CREATE TABLE IF NOT EXISTS keys(id INTEGER PRIMARY KEY AUTOINCREMENT,"
            " parent INTEGER NOT NULL, name TEXT NOT NULL, folded TEXT NOT NULL,"
            " written INTEGER NOT NULL DEFAULT 0, UNIQUE(parent, folded));"
            "CREATE TABLE IF NOT EXISTS vals(key INTEGER NOT NULL, name TEXT NOT NULL,"
            " folded TEXT NOT NULL, type INTEGER NOT NULL, data BLOB NOT NULL,"
            " PRIMARY KEY(key, folded)) WITHOUT ROWID;"
            "INSERT OR IGNORE INTO keys(id, parent, name, folded) VALUES"
            " (1, 0, 'HKEY_CLASSES_ROOT', 'hkey_classes_root'),"
            " (2, 0, 'HKEY_CURRENT_USER', 'hkey_current_user'),"
            " (3, 0, 'HKEY_LOCAL_MACHINE', 'hkey_local_machine'),"
            " (4, 0, 'HKEY_USERS', 'hkey_users');";
        if (rc = sqlite3_exec(m_db, setup, nullptr, nullptr, nullptr); rc != SQLITE_OK) {
            Failed("setting up", rc);
            return CloseAfter(rc);
        }
        for (int i = 0; i < kStatementCount; ++i) {
            if (rc = sqlite3_prepare_v3(m_db, kStatementSql[i], -1, SQLITE_PREPARE_PERSISTENT,
                                        &m_statements[i].stmt, nullptr);
                rc != SQLITE_OK) {
                Failed("preparing a statement", rc);
                return CloseAfter(rc);
            }
        }
        return Opened::Ok;
    }

    Opened CloseAfter(int code) {
        const int extended = m_db ? sqlite3_extended_errcode(m_db) : code;
        CloseDb();
        return IsDamage(code) || IsDamage(extended) ? Opened::Damaged : Opened::Failed;
    }

    // Moves the damaged file (and its log) aside under a dated name, never deleting
    // it, and puts the newest good backup in its place; with none, the store starts
    // empty. What happened is kept for TakeRecovery.
    bool SetAsideAndRestore() {
        const std::string aside = DamagedPath(m_path);
        if (rename(m_path.c_str(), aside.c_str()) != 0) {
            ReportFailure(m_path, ("setting the damaged store aside as '" + aside + "'").c_str(), nullptr, SQLITE_CANTOPEN);
            return false;
        }
        for (const char* part : {"-wal", "-shm"})
            rename((m_path + part).c_str(), (aside + part).c_str());
        RegistryStore::Recovery recovery{aside, {}};
        for (int number = 1; number <= 2 && recovery.restoredFrom.empty(); ++number) {
            const std::string backup = BackupPath(m_path, number);
            if (sqlite3* good = OpenReadOnlyIfWhole(backup)) {
                if (const int rc = CopyDatabase(good, m_path))
                    ReportFailure(m_path, "restoring a backup", nullptr, rc);
                else
                    recovery.restoredFrom = backup;
                sqlite3_close(good);
            }
        }
        SyncFolderOf(m_path);
        OutputDebugStringW(FromUtf8("Registry store '" + m_path + "' was damaged: set aside as '" + aside + "'" +
                                    (recovery.restoredFrom.empty() ? std::string(", no backup to restore")
                                                                   : ", restored from '" + recovery.restoredFrom + "'") +
                                    "\n")
                               .c_str());
        std::lock_guard<std::mutex> lock(g_failureMutex);
        g_recovery = recovery;
        return true;
    }

    void CloseDb() {
        Forget();
        for (auto& s : m_statements) {
            sqlite3_finalize(s.stmt);
            s.stmt = nullptr;
        }
        if (m_db)
            sqlite3_close(m_db);
        m_db = nullptr;
        m_inTransaction = false;
    }

    sqlite3* m_db = nullptr;
    std::string m_path;
    Statement m_statements[kStatementCount];
    bool m_inTransaction = false;
    bool m_writing = false;
    bool m_batch = false;
    bool m_changed = false;  // a write was committed since the store opened
    BackgroundJob m_checker;   // the check of an opening left to the background
    bool m_provedWhole = true;  // its finding, read after the join
    std::uintptr_t m_batchFirstHandle = 0;
    Clock::time_point m_transactionStart;
    std::unordered_map<std::uintptr_t, OpenKey> m_handles;
    std::uintptr_t m_nextHandle = kFirstHandle;
    RegistryTreeCache m_tree;
    std::u16string m_folded;
    std::uint64_t m_liveStamp = 1;  // see IsLive
    std::uint64_t m_changes = 0;    // writes and forgets, so a refused subtree is tried again
    std::int64_t m_refusedRoot = 0;
    std::uint64_t m_refusedAt = 0;
    std::int64_t m_dataVersion = -1;
};

// Process-wide state. The store and the flusher thread live on the heap and are
// deliberately never destroyed by static destructors: the exit handler closes them.
std::recursive_mutex* g_mutex = new std::recursive_mutex;
Store* g_store = nullptr;
std::thread* g_flusher = nullptr;
std::condition_variable_any* g_wake = new std::condition_variable_any;
bool g_stopFlusher = false;
bool g_hooksInstalled = false;

void ConfigureSqlite() {
    // Every connection is used under the store's own lock: SQLite's global mutexes and
    // memory statistics only cost time. Refused (harmlessly) if SQLite already started.
    sqlite3_config(SQLITE_CONFIG_MULTITHREAD);
    sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
    RegistryFiles::RegisterVfs();
}

void FlusherLoop() {
    std::unique_lock<std::recursive_mutex> lock(*g_mutex);
    while (!g_stopFlusher) {
        g_wake->wait_for(lock, kFlusherTick);
        if (g_store)
            g_store->CommitIfDue();
    }
}

void StopFlusher() {
    if (!g_flusher)
        return;
    {
        std::lock_guard<std::recursive_mutex> lock(*g_mutex);
        g_stopFlusher = true;
    }
    g_wake->notify_all();
    g_flusher->join();
    delete g_flusher;
    g_flusher = nullptr;
    g_stopFlusher = false;
}

void ShutdownStore() {
    StopFlusher();
    std::lock_guard<std::recursive_mutex> lock(*g_mutex);
    if (g_store) {
        g_store->Close();
        delete g_store;
        g_store = nullptr;
    }
}

void AtForkPrepare() {
    g_mutex->lock();
    // No transaction may stay open across the fork: the child's copy of SQLite's lock
    // bookkeeping would show it as held forever, and the child's own connection would
    // wait on it in vain. The parent's pending writes are committed now instead.
    if (g_store)
        g_store->Commit(true);
}
void AtForkParent() { g_mutex->unlock(); }
void AtForkChild() {
    // Only the forking thread exists in the child: the flusher is gone and the
    // connection belongs to the parent. Start afresh on first use.
    g_mutex = new std::recursive_mutex;
    g_wake = new std::condition_variable_any;
    g_flusher = nullptr;  // the parent's thread object is left behind on purpose
    if (g_store) {
        g_store->AbandonAfterFork();
        g_store = nullptr;  // left behind: its connection is the parent's
    }
}

void InstallHooks() {
    if (g_hooksInstalled)
        return;
    g_hooksInstalled = true;
    ConfigureSqlite();
    pthread_atfork(AtForkPrepare, AtForkParent, AtForkChild);
    std::atexit(ShutdownStore);
}

// Locks the store and opens it on first use.
class Session {
public:
    Session() : m_lock(*g_mutex) {
        InstallHooks();
        if (!g_store) {
            auto store = std::make_unique<Store>();
            if (store->Open())
                g_store = store.release();
        }
        if (g_store && !g_flusher)
            g_flusher = new std::thread(FlusherLoop);
        if (g_store)
            g_store->BeginRead();
    }
    Store* operator->() const { return g_store; }
    Store& operator*() const { return *g_store; }
    bool ok() const { return g_store != nullptr; }

private:
    std::unique_lock<std::recursive_mutex> m_lock;
};

void BindText(sqlite3_stmt* s, int index, std::u16string_view text) {
    // An empty view may have no pointer, and SQLite would bind that as NULL.
    sqlite3_bind_text16(s, index, text.empty() ? u"" : text.data(),
                        static_cast<int>(text.size() * sizeof(char16_t)), SQLITE_STATIC);
}

std::u16string_view ValueName(LPCWSTR name) { return name ? std::u16string_view(name) : std::u16string_view(); }

// Splits a key path at "\" into names (views into path); null or empty means the key
// itself.
LONG SplitPath(LPCWSTR path, std::vector<std::u16string_view>& parts) {
    parts.clear();
    if (!path || !*path)
        return ERROR_SUCCESS;
    for (const WCHAR* start = path;; ) {
        const WCHAR* end = start;
        while (*end && *end != u'\\')
            ++end;
        const auto length = static_cast<std::size_t>(end - start);
        if (length == 0 || length > REG_MAX_KEY_NAME)
            return ERROR_INVALID_PARAMETER;
        parts.emplace_back(start, length);
        if (*end == 0)
            break;
        start = end + 1;
    }
    return ERROR_SUCCESS;
}

// The id of a child key, 0 when there is none, -1 when the store cannot be read (a
// key that cannot be read is not a missing key).
std::int64_t FindChild(Store& store, std::int64_t parent, std::u16string_view folded) {
    if (const auto* cached = store.Cached(parent))
        return store.Tree().SubKeyId(*cached, folded);
    Use s(store.Stmt(kFindChild));
    sqlite3_bind_int64(*s, 1, parent);
    BindText(*s, 2, folded);
    const int rc = sqlite3_step(*s);
    if (rc == SQLITE_ROW)
        return sqlite3_column_int64(*s, 0);
    if (rc == SQLITE_DONE)
        return 0;
    store.Failed("reading a key", rc);
    return -1;
}

// Resolves the handle and checks that its key was not deleted meanwhile.
LONG ResolveLive(Store& store, HKEY key, std::int64_t& id) {
    auto resolved = store.Resolve(key);
    if (!resolved)
        return ERROR_INVALID_HANDLE;
    id = *resolved;
    if (!store.IsLive(key, id))
        return ERROR_KEY_DELETED;
    return ERROR_SUCCESS;
}

LONG OpenLive(Session& store, HKEY key, std::int64_t& id) {
    return store.ok() ? ResolveLive(*store, key, id) : ERROR_REGISTRY_IO_FAILED;
}

// Follows existing keys down a split path.
LONG WalkExisting(Store& store, const std::vector<std::u16string_view>& parts, std::int64_t& id) {
    for (const auto name : parts) {
        id = FindChild(store, id, store.Fold(name));
        if (id < 0)
            return ERROR_REGISTRY_IO_FAILED;
        if (!id)
            return ERROR_FILE_NOT_FOUND;
    }
    return ERROR_SUCCESS;
}

// Copies a value's type and bytes out with the query contract.
LONG CopyValue(DWORD storedType, const void* bytes, DWORD length, LPDWORD type, LPBYTE data, LPDWORD dataSize) {
    if (type)
        *type = storedType;
    if (!data) {
        if (dataSize)
            *dataSize = length;
        return ERROR_SUCCESS;
    }
    if (!dataSize)
        return ERROR_INVALID_PARAMETER;
    if (*dataSize < length) {
        *dataSize = length;
        return ERROR_MORE_DATA;
    }
    if (length)
        std::memcpy(data, bytes, length);
    *dataSize = length;
    return ERROR_SUCCESS;
}

LONG CopyValue(sqlite3_stmt* s, int typeColumn, int dataColumn, LPDWORD type, LPBYTE data, LPDWORD dataSize) {
    const void* bytes = sqlite3_column_blob(s, dataColumn);
    return CopyValue(static_cast<DWORD>(sqlite3_column_int64(s, typeColumn)), bytes,
                     static_cast<DWORD>(sqlite3_column_bytes(s, dataColumn)), type, data, dataSize);
}

LONG CopyValue(const RegistryTreeCache::Value& value, LPDWORD type, LPBYTE data, LPDWORD dataSize) {
    return CopyValue(value.type, value.data, value.size, type, data, dataSize);
}

// A key's subkeys or values, sorted ignoring case (then exactly, so the order is
// total and stable).
void LoadEntries(Store& store, std::int64_t id, bool subKeys, std::vector<NameEntry>& out) {
    out.clear();
    Use s(store.Stmt(subKeys ? kListChildren : kListValues));
    sqlite3_bind_int64(*s, 1, id);
    while (sqlite3_step(*s) == SQLITE_ROW)
        out.push_back({ColumnText(*s, 1), ColumnText(*s, 0), sqlite3_column_int64(*s, 2)});
    std::sort(out.begin(), out.end(), [](const NameEntry& a, const NameEntry& b) {
        return EnumeratesBefore(a.folded, a.name, b.folded, b.name);
    });
}

LONG CopyName(std::u16string_view name, LPWSTR buffer, LPDWORD chars) {
    if (!buffer || !chars)
        return ERROR_INVALID_PARAMETER;
    if (*chars <= name.size()) {
        *chars = static_cast<DWORD>(name.size() + 1);
        return ERROR_MORE_DATA;
    }
    std::copy(name.begin(), name.end(), buffer);
    buffer[name.size()] = 0;
    *chars = static_cast<DWORD>(name.size());
    return ERROR_SUCCESS;
}

// The index-th subkey or value of an open key (cached is the key's copy in memory
// when that served; out stays valid until the store's next change).
// An open handle keeps the sorted list between calls; index 0 starts a new enumeration
// and reads afresh, so changes made by other processes are seen. Subkeys enumerated
// from the start bring the key's whole subtree into memory, for the opens and reads
// below it that usually follow.
LONG EnumEntry(Session& store, HKEY key, DWORD index, bool subKeys, std::int64_t& id,
               RegistryTreeCache::Name& out, const RegistryTreeCache::Key*& cached) {
    if (LONG error = OpenLive(store, key, id))
        return error;
    OpenKey* open = store->Handle(key);
    cached = store->Cached(id);
    if (!cached && subKeys && index == 0 && open) {
        store->LoadTree(id);
        cached = store->Cached(id);
    }
    if (cached) {
        if (index >= (subKeys ? cached->subKeyCount : cached->valueCount))
            return ERROR_NO_MORE_ITEMS;
        out = subKeys ? store->Tree().SubKey(*cached, index) : store->Tree().ValueName(*cached, index);
        return ERROR_SUCCESS;
    }
    const std::vector<NameEntry>* entries = &store->rootEntries;
    if (open) {
        EnumCache& cache = subKeys ? open->subKeys : open->values;
        const std::uint64_t generation = subKeys ? store->keyGeneration : store->valueGeneration;
        if (index == 0 || !cache.valid || cache.generation != generation) {
            LoadEntries(*store, id, subKeys, cache.entries);
            cache.generation = generation;
            cache.valid = true;
        }
        entries = &cache.entries;
    } else {
        LoadEntries(*store, id, subKeys, store->rootEntries);
    }
    if (index >= entries->size())
        return ERROR_NO_MORE_ITEMS;
    const NameEntry& entry = (*entries)[index];
    out = {entry.folded, entry.name, entry.written};
    return ERROR_SUCCESS;
}

}  // namespace

LONG RegCreateKeyExW(HKEY key, LPCWSTR subKey, DWORD, LPWSTR, DWORD, REGSAM, LPSECURITY_ATTRIBUTES,
                     PHKEY result, LPDWORD disposition) {
    if (!result)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    std::vector<std::u16string_view> parts;
    if (LONG error = SplitPath(subKey, parts))
        return error;
    Session store;
    std::int64_t id = 0;
    if (LONG error = OpenLive(store, key, id))
        return error;
    bool created = false;
    for (const auto name : parts) {
        const std::u16string& folded = store->Fold(name);
        std::int64_t child = FindChild(*store, id, folded);
        if (child < 0)
            return ERROR_REGISTRY_IO_FAILED;
        if (!child) {
            if (!store->BeginWrite())
                return ERROR_REGISTRY_IO_FAILED;
            Use s(store->Stmt(kInsertKey));
            sqlite3_bind_int64(*s, 1, id);
            BindText(*s, 2, name);
            BindText(*s, 3, folded);
            sqlite3_bind_int64(*s, 4, NowFileTime());
            if (int rc = sqlite3_step(*s); rc != SQLITE_DONE)
                return store->Failed("creating a key", rc);
            child = sqlite3_last_insert_rowid(sqlite3_db_handle(*s));
            ++store->keyGeneration;
            store->Changed(id);
            created = true;
        }
        id = child;
    }
    *result = store->NewHandle(id);
    if (disposition)
        *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    return ERROR_SUCCESS;
}

LONG RegOpenKeyExW(HKEY key, LPCWSTR subKey, DWORD, REGSAM, PHKEY result) {
    if (!result)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    std::vector<std::u16string_view> parts;
    if (LONG error = SplitPath(subKey, parts))
        return error == ERROR_INVALID_PARAMETER ? ERROR_FILE_NOT_FOUND : error;
    Session store;
    std::int64_t id = 0;
    if (LONG error = OpenLive(store, key, id))
        return error;
    if (LONG error = WalkExisting(*store, parts, id))
        return error;
    *result = store->NewHandle(id);
    return ERROR_SUCCESS;
}

LONG RegCloseKey(HKEY key) {
    if (IsRootHandle(reinterpret_cast<std::uintptr_t>(key)))
        return ERROR_SUCCESS;
    std::lock_guard<std::recursive_mutex> lock(*g_mutex);
    if (!g_store || !g_store->CloseHandle(key))
        return ERROR_INVALID_HANDLE;
    return ERROR_SUCCESS;
}

LONG RegDeleteKeyW(HKEY key, LPCWSTR subKey) {
    std::vector<std::u16string_view> parts;
    if (LONG error = SplitPath(subKey, parts))
        return error;
    if (parts.empty())
        return ERROR_INVALID_PARAMETER;
    Session store;
    std::int64_t id = 0;
    if (LONG error = OpenLive(store, key, id))
        return error;
    if (LONG error = WalkExisting(*store, parts, id))
        return error;
    {
        Use s(store->Stmt(kHasChildren));
        sqlite3_bind_int64(*s, 1, id);
        if (sqlite3_step(*s) == SQLITE_ROW)
            return ERROR_ACCESS_DENIED;
    }
    if (!store->BeginWrite())
        return ERROR_REGISTRY_IO_FAILED;
    for (StatementId which : {kDeleteKeyValues, kDeleteKey}) {
        Use s(store->Stmt(which));
        sqlite3_bind_int64(*s, 1, id);
        if (int rc = sqlite3_step(*s); rc != SQLITE_DONE)
            return store->Failed("deleting a key", rc);
    }
    ++store->keyGeneration;
    ++store->valueGeneration;
    store->Deleted(id);
    return ERROR_SUCCESS;
}

LONG RegDeleteValueW(HKEY key, LPCWSTR valueName) {
    Session store;
    std::int64_t id = 0;
    if (LONG error = OpenLive(store, key, id))
        return error;
    if (!store->BeginWrite())
        return ERROR_REGISTRY_IO_FAILED;
    const std::u16string& folded = store->Fold(ValueName(valueName));
    Use s(store->Stmt(kDeleteValue));
    sqlite3_bind_int64(*s, 1, id);
    BindText(*s, 2, folded);
    if (int rc = sqlite3_step(*s); rc != SQLITE_DONE)
        return store->Failed("deleting a value", rc);
    if (sqlite3_changes(sqlite3_db_handle(*s)) == 0)
        return ERROR_FILE_NOT_FOUND;
    ++store->valueGeneration;
    store->Changed(id);
    return ERROR_SUCCESS;
}

LONG RegQueryValueExW(HKEY key, LPCWSTR valueName, LPDWORD, LPDWORD type, LPBYTE data,
                      LPDWORD dataSize) {
    Session store;
    if (!store.ok())
        return ERROR_REGISTRY_IO_FAILED;
    auto id = store->Resolve(key);
    if (!id)
        return ERROR_INVALID_HANDLE;
    const std::u16string& folded = store->Fold(ValueName(valueName));
    if (const auto* cached = store->Cached(*id)) {
        const std::size_t index = store->Tree().FindValue(*cached, folded);
        return index < cached->valueCount ? CopyValue(store->Tree().ValueAt(*cached, index), type, data, dataSize)
                                          : ERROR_FILE_NOT_FOUND;
    }
    Use s(store->Stmt(kQueryValue));
    sqlite3_bind_int64(*s, 1, *id);
    BindText(*s, 2, folded);
    if (sqlite3_step(*s) != SQLITE_ROW)
        return ERROR_FILE_NOT_FOUND;
    return CopyValue(*s, 0, 1, type, data, dataSize);
}

LONG RegSetValueExW(HKEY key, LPCWSTR valueName, DWORD, DWORD type, const BYTE* data,
                    DWORD dataSize) {
    if (!data && dataSize)
        return ERROR_INVALID_PARAMETER;
    const std::u16string_view name = ValueName(valueName);
    if (name.size() > REG_MAX_VALUE_NAME)
        return ERROR_INVALID_PARAMETER;
    Session store;
    std::int64_t id = 0;
    if (LONG error = OpenLive(store, key, id))
        return error;
    if (!store->BeginWrite())
        return ERROR_REGISTRY_IO_FAILED;
    const std::u16string& folded = store->Fold(name);
    Use s(store->Stmt(kUpsertValue));
    sqlite3_bind_int64(*s, 1, id);
    BindText(*s, 2, name);
    BindText(*s, 3, folded);
    sqlite3_bind_int64(*s, 4, type);
    static const BYTE kEmpty = 0;
    sqlite3_bind_blob(*s, 5, data ? data : &kEmpty, static_cast<int>(dataSize), SQLITE_STATIC);
    if (int rc = sqlite3_step(*s); rc != SQLITE_DONE)
        return store->Failed("writing a value", rc);
    ++store->valueGeneration;
    store->Changed(id);
    return ERROR_SUCCESS;
}

LONG RegEnumKeyExW(HKEY key, DWORD index, LPWSTR name, LPDWORD nameChars, LPDWORD,
                   LPWSTR className, LPDWORD classChars, LPFILETIME lastWriteTime) {
    Session store;
    std::int64_t id = 0;
    RegistryTreeCache::Name entry;
    const RegistryTreeCache::Key* cached = nullptr;
    if (LONG error = EnumEntry(store, key, index, true, id, entry, cached))
        return error;
    if (LONG error = CopyName(entry.name, name, nameChars))
        return error;
    if (className && classChars && *classChars > 0)
        className[0] = 0;
    if (classChars)
        *classChars = 0;
    if (lastWriteTime) {
        lastWriteTime->dwLowDateTime = static_cast<DWORD>(entry.written & 0xFFFFFFFF);
        lastWriteTime->dwHighDateTime = static_cast<DWORD>(static_cast<std::uint64_t>(entry.written) >> 32);
    }
    return ERROR_SUCCESS;
}

LONG RegEnumValueW(HKEY key, DWORD index, LPWSTR valueName, LPDWORD valueNameChars, LPDWORD,
                   LPDWORD type, LPBYTE data, LPDWORD dataSize) {
    Session store;
    std::int64_t id = 0;
    RegistryTreeCache::Name entry;
    const RegistryTreeCache::Key* cached = nullptr;
    if (LONG error = EnumEntry(store, key, index, false, id, entry, cached))
        return error;
    if (LONG error = CopyName(entry.name, valueName, valueNameChars))
        return error;
    if (!type && !data && !dataSize)
        return ERROR_SUCCESS;
    if (cached)
        return CopyValue(store->Tree().ValueAt(*cached, index), type, data, dataSize);
    Use s(store->Stmt(kQueryValue));
    sqlite3_bind_int64(*s, 1, id);
    BindText(*s, 2, entry.folded);
    if (sqlite3_step(*s) != SQLITE_ROW)
        return ERROR_NO_MORE_ITEMS;
    return CopyValue(*s, 0, 1, type, data, dataSize);
}

LONG RegQueryInfoKeyW(HKEY key, LPWSTR className, LPDWORD classChars, LPDWORD, LPDWORD subKeys,
                      LPDWORD maxSubKeyLen, LPDWORD maxClassLen, LPDWORD values,
                      LPDWORD maxValueNameLen, LPDWORD maxValueLen, LPDWORD,
                      LPFILETIME lastWriteTime) {
    Session store;
    std::int64_t id = 0;
    if (LONG error = OpenLive(store, key, id))
        return error;
    if (className && classChars && *classChars > 0)
        className[0] = 0;
    if (classChars)
        *classChars = 0;
    if (maxClassLen)
        *maxClassLen = 0;
    {
        Use s(store->Stmt(kCountChildren));
        sqlite3_bind_int64(*s, 1, id);
        sqlite3_step(*s);
        if (subKeys)
            *subKeys = static_cast<DWORD>(sqlite3_column_int64(*s, 0));
        // length() of UTF-16 text counts characters.
        if (maxSubKeyLen)
            *maxSubKeyLen = static_cast<DWORD>(sqlite3_column_int64(*s, 1));
    }
    {
        Use s(store->Stmt(kCountValues));
        sqlite3_bind_int64(*s, 1, id);
        sqlite3_step(*s);
        if (values)
            *values = static_cast<DWORD>(sqlite3_column_int64(*s, 0));
        if (maxValueNameLen)
            *maxValueNameLen = static_cast<DWORD>(sqlite3_column_int64(*s, 1));
        if (maxValueLen)
            *maxValueLen = static_cast<DWORD>(sqlite3_column_int64(*s, 2));
    }
    if (lastWriteTime)
        *lastWriteTime = FILETIME{0, 0};
    return ERROR_SUCCESS;
}

LONG RegFlushKey(HKEY key) {
    Session store;
    if (!store.ok())
        return ERROR_REGISTRY_IO_FAILED;
    if (!store->Resolve(key))
        return ERROR_INVALID_HANDLE;
    return store->Commit() ? ERROR_SUCCESS : ERROR_REGISTRY_IO_FAILED;
}

namespace RegistryStore {

void Shutdown() { ShutdownStore(); }

std::string DatabasePath() { return DevicePath::Root() + "/registry.db"; }

void SetFailureReporter(FailureReporter reporter) {
    std::lock_guard<std::mutex> lock(g_failureMutex);
    g_reporter = reporter;
}

std::u16string LastFailure() {
    std::lock_guard<std::mutex> lock(g_failureMutex);
    return g_lastFailure;
}

DWORD LastFailureError() {
    std::lock_guard<std::mutex> lock(g_failureMutex);
    return g_lastFailureError;
}

bool IsAvailable() {
    Session store;
    return store.ok();
}

bool BeginBatch() {
    Session store;
    return store.ok() && store->BeginBatch();
}

bool EndBatch(bool keep) {
    Session store;
    return store.ok() && store->EndBatch(keep);
}

bool KeepBackup() {
    // Only a store this process has open: a copy that never used it has nothing to keep.
    std::lock_guard<std::recursive_mutex> lock(*g_mutex);
    return g_store && g_store->Backup();
}

void CheckInBackground() {
    std::lock_guard<std::recursive_mutex> lock(*g_mutex);
    g_checkInBackground = true;
}

bool ConfirmCheck() {
    std::lock_guard<std::recursive_mutex> lock(*g_mutex);
    return !g_store || g_store->JoinCheck();
}

std::optional<Recovery> TakeRecovery() {
    std::lock_guard<std::mutex> lock(g_failureMutex);
    std::optional<Recovery> recovery;
    recovery.swap(g_recovery);
    return recovery;
}

}  // namespace RegistryStore
