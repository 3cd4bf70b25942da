#include "RegistryFiles.h"

#include "FaultInjection.h"
#include "TimeApi.h"
#include "WinError.h"

#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace {

// The file layer: each call goes to the system's own file, unless a test fault says
// that this read, write or sync fails.
struct ShimFile {
    sqlite3_file base;
    sqlite3_file* real;  // the system's file, in the room SQLite gives after this one
};
constexpr const char* kVfsName = "listora";
sqlite3_vfs* g_systemVfs = nullptr;
sqlite3_vfs g_shimVfs;

sqlite3_file* Real(sqlite3_file* file) { return reinterpret_cast<ShimFile*>(file)->real; }
const sqlite3_io_methods& RealMethods(sqlite3_file* file) { return *Real(file)->pMethods; }

int Injected(FaultInjection::Point point, int ioCode) {
    DWORD error = 0;
    if (!FaultInjection::Fails(point, error))
        return SQLITE_OK;
    return error == ERROR_DISK_FULL ? SQLITE_FULL : ioCode;
}

int ShimClose(sqlite3_file* f) { return RealMethods(f).xClose(Real(f)); }
int ShimRead(sqlite3_file* f, void* b, int n, sqlite3_int64 at) {
    if (int rc = Injected(FaultInjection::DbRead, SQLITE_IOERR_READ))
        return rc;
    return RealMethods(f).xRead(Real(f), b, n, at);
}
int ShimWrite(sqlite3_file* f, const void* b, int n, sqlite3_int64 at) {
    if (int rc = Injected(FaultInjection::DbWrite, SQLITE_IOERR_WRITE))
        return rc;
    return RealMethods(f).xWrite(Real(f), b, n, at);
}
int ShimTruncate(sqlite3_file* f, sqlite3_int64 size) { return RealMethods(f).xTruncate(Real(f), size); }
int ShimSync(sqlite3_file* f, int flags) {
    if (int rc = Injected(FaultInjection::DbSync, SQLITE_IOERR_FSYNC))
        return rc;
    return RealMethods(f).xSync(Real(f), flags);
}
int ShimFileSize(sqlite3_file* f, sqlite3_int64* size) { return RealMethods(f).xFileSize(Real(f), size); }
int ShimLock(sqlite3_file* f, int level) { return RealMethods(f).xLock(Real(f), level); }
int ShimUnlock(sqlite3_file* f, int level) { return RealMethods(f).xUnlock(Real(f), level); }
int ShimCheckReservedLock(sqlite3_file* f, int* out) { return RealMethods(f).xCheckReservedLock(Real(f), out); }
int ShimFileControl(sqlite3_file* f, int op, void* arg) { return RealMethods(f).xFileControl(Real(f), op, arg); }
int ShimSectorSize(sqlite3_file* f) { return RealMethods(f).xSectorSize(Real(f)); }
int ShimDeviceCharacteristics(sqlite3_file* f) { return RealMethods(f).xDeviceCharacteristics(Real(f)); }
// Shared memory (version 2) and memory maps (version 3) only where the file has them.
int ShimShmMap(sqlite3_file* f, int region, int size, int extend, void volatile** out) {
    if (RealMethods(f).iVersion < 2)
        return SQLITE_IOERR_SHMMAP;
    return RealMethods(f).xShmMap(Real(f), region, size, extend, out);
}
int ShimShmLock(sqlite3_file* f, int offset, int n, int flags) {
    return RealMethods(f).iVersion < 2 ? SQLITE_IOERR_SHMLOCK : RealMethods(f).xShmLock(Real(f), offset, n, flags);
}
void ShimShmBarrier(sqlite3_file* f) {
    if (RealMethods(f).iVersion >= 2)
        RealMethods(f).xShmBarrier(Real(f));
}
int ShimShmUnmap(sqlite3_file* f, int deleteFlag) {
    return RealMethods(f).iVersion < 2 ? SQLITE_OK : RealMethods(f).xShmUnmap(Real(f), deleteFlag);
}
int ShimFetch(sqlite3_file* f, sqlite3_int64 at, int n, void** out) {
    if (RealMethods(f).iVersion < 3) {
        *out = nullptr;
        return SQLITE_OK;
    }
    return RealMethods(f).xFetch(Real(f), at, n, out);
}
int ShimUnfetch(sqlite3_file* f, sqlite3_int64 at, void* p) {
    return RealMethods(f).iVersion < 3 ? SQLITE_OK : RealMethods(f).xUnfetch(Real(f), at, p);
}

const sqlite3_io_methods kShimMethods = {
    3, ShimClose, ShimRead, ShimWrite, ShimTruncate, ShimSync, ShimFileSize, ShimLock, ShimUnlock,
    ShimCheckReservedLock, ShimFileControl, ShimSectorSize, ShimDeviceCharacteristics, ShimShmMap,
    ShimShmLock, ShimShmBarrier, ShimShmUnmap, ShimFetch, ShimUnfetch,
};

int ShimOpen(sqlite3_vfs*, sqlite3_filename name, sqlite3_file* file, int flags, int* outFlags) {
    auto* shim = reinterpret_cast<ShimFile*>(file);
    shim->real = reinterpret_cast<sqlite3_file*>(shim + 1);
    const int rc = g_systemVfs->xOpen(g_systemVfs, name, shim->real, flags, outFlags);
    shim->base.pMethods = shim->real->pMethods ? &kShimMethods : nullptr;
    return rc;
}

}  // namespace

namespace RegistryFiles {

void RegisterVfs() {
    g_systemVfs = sqlite3_vfs_find(nullptr);
    if (!g_systemVfs)
        return;
    g_shimVfs = *g_systemVfs;
    g_shimVfs.zName = kVfsName;
    g_shimVfs.szOsFile = static_cast<int>(sizeof(ShimFile)) + g_systemVfs->szOsFile;
    g_shimVfs.xOpen = ShimOpen;
    g_shimVfs.pNext = nullptr;
    sqlite3_vfs_register(&g_shimVfs, 0);
}

const char* VfsName() { return g_systemVfs ? kVfsName : nullptr; }

std::string BackupPath(const std::string& database, int number) {
    const std::string base = database.substr(0, database.size() - 3);  // without ".db"
    return base + "-backup-" + std::to_string(number) + ".db";
}

bool FileExists(const std::string& path) { return access(path.c_str(), F_OK) == 0; }

void SyncFolderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : path.substr(0, slash + 1);
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

std::string QuickCheck(sqlite3* db, int& rc) {
    sqlite3_stmt* check = nullptr;
    rc = sqlite3_prepare_v2(db, "PRAGMA quick_check(1)", -1, &check, nullptr);
    std::string result;
    if (rc == SQLITE_OK) {
        rc = sqlite3_step(check);
        if (rc == SQLITE_ROW) {
            const unsigned char* text = sqlite3_column_text(check, 0);
            result = text ? reinterpret_cast<const char*>(text) : "";
            rc = SQLITE_OK;
        }
    }
    sqlite3_finalize(check);
    return result;
}

int CopyDatabase(sqlite3* from, const std::string& path) {
    unlink(path.c_str());
    sqlite3* to = nullptr;
    int rc = sqlite3_open_v2(path.c_str(), &to, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, VfsName());
    if (rc == SQLITE_OK) {
        sqlite3_backup* backup = sqlite3_backup_init(to, "main", from, "main");
        rc = backup ? sqlite3_backup_step(backup, -1) : sqlite3_errcode(to);
        const int finished = backup ? sqlite3_backup_finish(backup) : SQLITE_OK;
        if (rc == SQLITE_DONE)
            rc = finished;
    }
    // A copy keeps to its one file: no log beside it.
    if (rc == SQLITE_OK)
        rc = sqlite3_exec(to, "PRAGMA journal_mode=DELETE", nullptr, nullptr, nullptr);
    int checked = SQLITE_OK;
    if (rc == SQLITE_OK && QuickCheck(to, checked) != "ok")
        rc = checked != SQLITE_OK ? checked : SQLITE_CORRUPT;
    sqlite3_close(to);
    if (rc != SQLITE_OK)
        unlink(path.c_str());
    return rc;
}

sqlite3* OpenReadOnlyIfWhole(const std::string& path) {
    if (!FileExists(path))
        return nullptr;
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_NOMUTEX, VfsName());
    // The store may be written meanwhile by its own connection.
    if (rc == SQLITE_OK)
        sqlite3_busy_timeout(db, 10000);
    if (rc == SQLITE_OK && QuickCheck(db, rc) == "ok")
        return db;
    sqlite3_close(db);
    return nullptr;
}

std::string DamagedPath(const std::string& database) {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string base = database.substr(0, database.size() - 3) + "-damaged-" + stamp;
    std::string path = base + ".db";
    for (int n = 2; FileExists(path) || FileExists(path + "-wal"); ++n)
        path = base + "-" + std::to_string(n) + ".db";
    return path;
}

std::u16string ColumnText(sqlite3_stmt* s, int column) {
    const void* data = sqlite3_column_text16(s, column);
    const int bytes = sqlite3_column_bytes16(s, column);
    if (!data || bytes <= 0)
        return {};
    std::u16string text(static_cast<std::size_t>(bytes) / sizeof(char16_t), u'\0');
    std::memcpy(text.data(), data, text.size() * sizeof(char16_t));
    return text;
}

std::int64_t NowFileTime() {
    SYSTEMTIME st;
    GetSystemTime(&st);
    FILETIME ft{};
    SystemTimeToFileTime(&st, &ft);
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime);
}

}  // namespace RegistryFiles
