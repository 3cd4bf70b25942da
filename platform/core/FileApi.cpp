#include "FileApi.h"

#include "DevicePath.h"
#include "FaultInjection.h"
#include "KernelObject.h"
#include "TimeApi.h"
#include "WideString.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

using namespace PlatformCore;

namespace {

constexpr DWORD kGenericAll = 0x10000000u;

class FileObject : public KernelObject {
public:
    FileObject(int handleFd, bool readable, bool writable) : fd(handleFd), canRead(readable), canWrite(writable) {}
    ~FileObject() override { close(fd); }  // also releases the share lock
    const int fd;
    const bool canRead;
    const bool canWrite;
};

struct FoundEntry {
    std::u16string name;
    DWORD attributes = 0;
    FILETIME creation{};
    FILETIME access{};
    FILETIME write{};
    std::uint64_t size = 0;
};

class FindObject : public KernelObject {
public:
    std::vector<FoundEntry> entries;
    std::size_t next = 0;
};

BOOL Fail(DWORD error) {
    SetLastError(error);
    return FALSE;
}

BOOL FailErrno(int error) {
    return Fail(ErrorFromErrno(error));
}

bool IsDevicePath(const WCHAR* path) {
    return path[0] != u'/';
}

bool RootExists() {
    struct stat st{};
    return stat(DevicePath::Root().c_str(), &st) == 0;
}

FILETIME ToFileTime(const statx_timestamp& ts) {
    return FileTimeFromUnix(ts.tv_sec, ts.tv_nsec);
}

struct FileInfo {
    bool isDirectory = false;
    bool isRegular = false;
    bool writable = true;
    std::uint64_t size = 0;
    FILETIME creation{};
    FILETIME access{};
    FILETIME write{};
};

// statx gives the birth time where the file system keeps one; otherwise the older of
// the change and modification times stands in for the creation time.
bool Inspect(int dirfd, const char* path, int flags, FileInfo& info) {
    struct statx stx{};
    if (statx(dirfd, path, flags, STATX_BASIC_STATS | STATX_BTIME, &stx) != 0)
        return false;
    info.isDirectory = S_ISDIR(stx.stx_mode);
    info.isRegular = S_ISREG(stx.stx_mode);
    info.writable = (stx.stx_mode & S_IWUSR) != 0;
    info.size = stx.stx_size;
    info.access = ToFileTime(stx.stx_atime);
    info.write = ToFileTime(stx.stx_mtime);
    if (stx.stx_mask & STATX_BTIME) {
        info.creation = ToFileTime(stx.stx_btime);
    } else {
        const bool changeFirst = stx.stx_ctime.tv_sec < stx.stx_mtime.tv_sec;
        info.creation = ToFileTime(changeFirst ? stx.stx_ctime : stx.stx_mtime);
    }
    return true;
}

DWORD AttributesOf(const FileInfo& info) {
    if (info.isDirectory)
        return FILE_ATTRIBUTE_DIRECTORY;
    return info.writable ? FILE_ATTRIBUTE_NORMAL : FILE_ATTRIBUTE_READONLY;
}

int FlockRetry(int fd, int operation) {
    int rc;
    do {
        rc = flock(fd, operation);
    } while (rc != 0 && errno == EINTR);
    return rc;
}

// Holds a shared lock on an existing file for the length of an operation, so nobody
// can open it exclusively meanwhile. Busy when someone already holds it exclusively.
class ShareProbe {
public:
    explicit ShareProbe(const std::string& path) {
        fd_ = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
        if (fd_ >= 0 && FlockRetry(fd_, LOCK_SH | LOCK_NB) != 0)
            busy_ = errno == EWOULDBLOCK;
    }
    ~ShareProbe() {
        if (fd_ >= 0)
            close(fd_);
    }
    ShareProbe(const ShareProbe&) = delete;
    ShareProbe& operator=(const ShareProbe&) = delete;
    bool busy() const { return busy_; }
    int fd() const { return fd_; }

private:
    int fd_ = -1;
    bool busy_ = false;
};

std::string FolderOf(const std::string& hostPath) {
    const std::size_t slash = hostPath.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : hostPath.substr(0, slash);
}

// Flushes a folder, so a rename in it survives a crash; the errno of a failure, or 0.
// A file system that cannot flush folders (EINVAL) has nothing to flush.
int SyncFolder(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return errno;
    const int error = fsync(fd) == 0 || errno == EINVAL ? 0 : errno;
    close(fd);
    return error;
}

// Error for a failed operation on an existing path (source) whose errno was ENOENT.
DWORD RefineMissing(int error, const std::string& hostPath) {
    return error == ENOENT ? MissingFileError(hostPath) : ErrorFromErrno(error);
}

bool WriteAll(int fd, const char* data, std::size_t size, std::size_t& done) {
    done = 0;
    while (done < size) {
        const ssize_t n = write(fd, data + done, size - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0) {
            errno = ENOSPC;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return true;
}

// Moves a regular file across file systems: copy into a temporary beside the target,
// flush, put it in place, then remove the source.
bool CopyAcross(const std::string& from, const std::string& to, bool replace, int& error) {
    const int in = open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) {
        error = errno;
        return false;
    }
    std::string temp = to + ".XXXXXX";
    const int out = mkostemp(temp.data(), O_CLOEXEC);
    if (out < 0) {
        error = errno;
        close(in);
        return false;
    }
    bool ok = true;
    std::vector<char> buf(1 << 16);
    for (;;) {
        const ssize_t n = read(in, buf.data(), buf.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        std::size_t done = 0;
        if (!WriteAll(out, buf.data(), static_cast<std::size_t>(n), done)) {
            ok = false;
            break;
        }
    }
    if (!ok)
        error = errno;
    struct stat st{};
    if (ok && fstat(in, &st) == 0)
        fchmod(out, st.st_mode & 07777);
    if (ok && fsync(out) != 0) {
        ok = false;
        error = errno;
    }
    close(in);
    close(out);
    if (ok) {
        if (replace) {
            if (rename(temp.c_str(), to.c_str()) != 0) {
                ok = false;
                error = errno;
            }
        } else if (link(temp.c_str(), to.c_str()) != 0) {
            ok = false;
            error = errno;
        }
    }
    if (!ok || !replace)
        unlink(temp.c_str());
    if (ok)
        unlink(from.c_str());
    return ok;
}

BOOL Move(LPCWSTR existing, LPCWSTR newName, DWORD flags) {
    if (!existing || !newName || !*existing || !*newName)
        return Fail(ERROR_INVALID_PARAMETER);
    if (DWORD injected = 0; FaultInjection::Fails(FaultInjection::FileRename, injected))
        return Fail(injected);
    const std::string from = DevicePath::ToHost(existing);
    const std::string to = DevicePath::ToHost(newName);
    struct stat src{};
    if (lstat(from.c_str(), &src) != 0)
        return Fail(RefineMissing(errno, from));

    // Neither end may be held open exclusively; the probes keep it so until we are done.
    const bool plainFile = S_ISREG(src.st_mode);
    ShareProbe sourceProbe(plainFile ? from : std::string());
    if (plainFile && sourceProbe.busy())
        return Fail(ERROR_SHARING_VIOLATION);

    const bool replace = (flags & MOVEFILE_REPLACE_EXISTING) != 0;
    const bool writeThrough = (flags & MOVEFILE_WRITE_THROUGH) != 0;
    struct stat dst{};
    const bool targetExists = lstat(to.c_str(), &dst) == 0;
    const bool sameFile = targetExists && dst.st_dev == src.st_dev && dst.st_ino == src.st_ino;
    if (targetExists && !sameFile) {
        if (!replace)
            return Fail(ERROR_ALREADY_EXISTS);
        if (S_ISDIR(dst.st_mode))
            return Fail(ERROR_ACCESS_DENIED);
    }
    ShareProbe targetProbe(targetExists && !sameFile && S_ISREG(dst.st_mode) ? to : std::string());
    if (targetProbe.busy())
        return Fail(ERROR_SHARING_VIOLATION);

    if (writeThrough && plainFile && sourceProbe.fd() >= 0)
        fsync(sourceProbe.fd());

    int rc;
    if (replace) {
        rc = rename(from.c_str(), to.c_str());
    } else {
        rc = renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE);
        if (rc != 0 && (errno == EINVAL || errno == ENOSYS)) {
            // File system without no-replace renames: the check above has to do.
            rc = rename(from.c_str(), to.c_str());
        }
    }
    if (rc != 0) {
        const int error = errno;
        if (error == EEXIST)
            return Fail(ERROR_ALREADY_EXISTS);
        if (error == EXDEV && plainFile) {
            int copyError = 0;
            if (!CopyAcross(from, to, replace, copyError))
                return Fail(copyError == EEXIST ? ERROR_ALREADY_EXISTS
                                                : RefineMissing(copyError, to));
        } else if (error == ENOENT) {
            return Fail(MissingFileError(to));
        } else {
            return FailErrno(error);
        }
    }
    if (writeThrough) {
        // The name is in place, but it may not outlive a crash: the caller must know.
        if (DWORD injected = 0; FaultInjection::Fails(FaultInjection::FolderSync, injected))
            return Fail(injected);
        int error = SyncFolder(FolderOf(to));
        if (!error && FolderOf(from) != FolderOf(to))
            error = SyncFolder(FolderOf(from));
        if (error)
            return FailErrno(error);
    }
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

// "*" any run, "?" one character; letters compare ignoring case.
bool Matches(std::u16string_view pattern, std::u16string_view name) {
    std::size_t p = 0, n = 0;
    std::size_t starP = std::u16string_view::npos, starN = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == u'*') {
            starP = p++;
            starN = n;
        } else if (p < pattern.size() &&
                   (pattern[p] == u'?' || EqualsNoCase(pattern.substr(p, 1), name.substr(n, 1)))) {
            ++p;
            ++n;
        } else if (starP != std::u16string_view::npos) {
            p = starP + 1;
            n = ++starN;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

// As on the device, a trailing ".*" also matches names without an extension, so "*.*"
// matches everything.
bool MatchesName(std::u16string_view pattern, std::u16string_view name) {
    if (Matches(pattern, name))
        return true;
    return pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == u".*" &&
           Matches(pattern.substr(0, pattern.size() - 2), name);
}

void FillFindData(const FoundEntry& e, LPWIN32_FIND_DATAW data) {
    std::memset(data, 0, sizeof *data);
    data->dwFileAttributes = e.attributes;
    data->ftCreationTime = e.creation;
    data->ftLastAccessTime = e.access;
    data->ftLastWriteTime = e.write;
    data->nFileSizeHigh = static_cast<DWORD>(e.size >> 32);
    data->nFileSizeLow = static_cast<DWORD>(e.size & 0xFFFFFFFFu);
    std::memcpy(data->cFileName, e.name.data(), e.name.size() * sizeof(WCHAR));
}

}  // namespace

HANDLE CreateFileW(LPCWSTR fileName, DWORD desiredAccess, DWORD shareMode,
                   LPSECURITY_ATTRIBUTES /*security*/, DWORD creationDisposition,
                   DWORD /*flagsAndAttributes*/, HANDLE /*templateFile*/) {
    if (!fileName || creationDisposition < CREATE_NEW || creationDisposition > TRUNCATE_EXISTING) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    if (!*fileName) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    const bool wantRead = (desiredAccess & (GENERIC_READ | kGenericAll)) != 0;
    const bool wantWrite = (desiredAccess & (GENERIC_WRITE | kGenericAll)) != 0;
    if (creationDisposition == TRUNCATE_EXISTING && !wantWrite) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    IgnoreFileSizeSignal();

    const std::string host = DevicePath::ToHost(fileName);
    const int mode = wantRead && wantWrite ? O_RDWR : wantWrite ? O_WRONLY : O_RDONLY;
    // Never O_TRUNC here: a file locked by someone else must stay untouched.
    const int base = mode | O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
    const bool creating = creationDisposition == CREATE_NEW || creationDisposition == CREATE_ALWAYS ||
                          creationDisposition == OPEN_ALWAYS;

    int fd = -1;
    bool existed = false;
    bool triedRoot = false;
    for (int attempt = 0; attempt < 16 && fd < 0; ++attempt) {
        if (creationDisposition == CREATE_NEW) {
            fd = open(host.c_str(), base | O_CREAT | O_EXCL, 0666);
        } else {
            fd = open(host.c_str(), base);
            if (fd >= 0) {
                existed = true;
            } else if (errno == ENOENT && creating) {
                fd = open(host.c_str(), base | O_CREAT | O_EXCL, 0666);
                if (fd < 0 && errno == EEXIST)
                    continue;  // created by someone else meanwhile: open it as existing
            }
        }
        if (fd >= 0)
            break;
        const int error = errno;
        // The device root itself appears on first use, as the device's root always exists.
        if (error == ENOENT && creating && !triedRoot && IsDevicePath(fileName) && !RootExists()) {
            triedRoot = true;
            if (DevicePath::EnsureRoot())
                continue;
        }
        if (error == EEXIST)
            SetLastError(creationDisposition == CREATE_NEW ? ERROR_FILE_EXISTS : ERROR_ALREADY_EXISTS);
        else if (error == ENOENT)
            SetLastError(creating ? ERROR_PATH_NOT_FOUND : MissingFileError(host));
        else
            SetLastError(ErrorFromErrno(error));
        return INVALID_HANDLE_VALUE;
    }
    if (fd < 0) {
        SetLastError(ERROR_SHARING_VIOLATION);
        return INVALID_HANDLE_VALUE;
    }

    struct stat st{};
    if (fstat(fd, &st) != 0 || S_ISDIR(st.st_mode)) {
        close(fd);
        SetLastError(ERROR_ACCESS_DENIED);
        return INVALID_HANDLE_VALUE;
    }
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);

    // flock locks belong to the open file description, so they conflict between two
    // opens in one process as well as between processes.
    if (FlockRetry(fd, (shareMode == 0 ? LOCK_EX : LOCK_SH) | LOCK_NB) != 0) {
        const int error = errno;
        close(fd);
        SetLastError(error == EWOULDBLOCK ? ERROR_SHARING_VIOLATION : ErrorFromErrno(error));
        return INVALID_HANDLE_VALUE;
    }

    const bool truncate = creationDisposition == TRUNCATE_EXISTING ||
                          (creationDisposition == CREATE_ALWAYS && existed);
    if (truncate && st.st_size != 0) {
        int rc;
        if (wantWrite) {
            rc = ftruncate(fd, 0);
        } else {
            const int wfd = open(host.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
            rc = wfd < 0 ? -1 : ftruncate(wfd, 0);
            const int error = errno;
            if (wfd >= 0)
                close(wfd);
            errno = error;
        }
        if (rc != 0) {
            const int error = errno;
            close(fd);
            SetLastError(ErrorFromErrno(error));
            return INVALID_HANDLE_VALUE;
        }
    }

    HANDLE handle = Handles::Add(std::make_shared<FileObject>(fd, wantRead, wantWrite));
    const bool reportExisting = existed && (creationDisposition == CREATE_ALWAYS ||
                                            creationDisposition == OPEN_ALWAYS);
    SetLastError(reportExisting ? ERROR_ALREADY_EXISTS : ERROR_SUCCESS);
    return handle;
}

BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD toRead, LPDWORD read, void* /*overlapped*/) {
    if (read)
        *read = 0;
    const auto object = Handles::GetAs<FileObject>(file);
    if (!object)
        return Fail(ERROR_INVALID_HANDLE);
    if (!buffer && toRead > 0)
        return Fail(ERROR_INVALID_PARAMETER);
    if (!object->canRead)
        return Fail(ERROR_ACCESS_DENIED);
    auto* out = static_cast<char*>(buffer);
    DWORD done = 0;
    while (done < toRead) {
        const ssize_t n = ::read(object->fd, out + done, toRead - done);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int error = errno;
            if (read)
                *read = done;
            return FailErrno(error);
        }
        if (n == 0)
            break;  // end of file
        done += static_cast<DWORD>(n);
    }
    if (read)
        *read = done;
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD toWrite, LPDWORD written, void* /*overlapped*/) {
    if (written)
        *written = 0;
    const auto object = Handles::GetAs<FileObject>(file);
    if (!object)
        return Fail(ERROR_INVALID_HANDLE);
    if (!buffer && toWrite > 0)
        return Fail(ERROR_INVALID_PARAMETER);
    if (!object->canWrite)
        return Fail(ERROR_ACCESS_DENIED);
    std::size_t done = 0;
    if (DWORD injected = 0; FaultInjection::Fails(FaultInjection::FileWrite, injected)) {
        // As a full disk does: part of the bytes may be written before the failure.
        WriteAll(object->fd, static_cast<const char*>(buffer), toWrite / 2, done);
        if (written)
            *written = static_cast<DWORD>(done);
        return Fail(injected);
    }
    const bool ok = WriteAll(object->fd, static_cast<const char*>(buffer), toWrite, done);
    const int error = errno;
    if (written)
        *written = static_cast<DWORD>(done);
    if (!ok)
        return FailErrno(error);  // ENOSPC and EFBIG both read as a full disk
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

DWORD SetFilePointer(HANDLE file, LONG distance, PLONG distanceHigh, DWORD moveMethod) {
    const auto object = Handles::GetAs<FileObject>(file);
    if (!object) {
        SetLastError(ERROR_INVALID_HANDLE);
        return INVALID_SET_FILE_POINTER;
    }
    std::int64_t offset;
    if (distanceHigh)
        offset = static_cast<std::int64_t>((static_cast<std::uint64_t>(static_cast<std::uint32_t>(*distanceHigh)) << 32) |
                                           static_cast<std::uint32_t>(distance));
    else
        offset = distance;  // sign-extended 32-bit move

    std::int64_t origin;
    switch (moveMethod) {
    case FILE_BEGIN: origin = 0; break;
    case FILE_CURRENT: origin = lseek(object->fd, 0, SEEK_CUR); break;
    case FILE_END: {
        struct stat st{};
        origin = fstat(object->fd, &st) == 0 ? st.st_size : -1;
        break;
    }
    default: SetLastError(ERROR_INVALID_PARAMETER); return INVALID_SET_FILE_POINTER;
    }
    if (origin < 0) {
        SetLastError(ErrorFromErrno(errno));
        return INVALID_SET_FILE_POINTER;
    }
    std::int64_t target;
    if (__builtin_add_overflow(origin, offset, &target) || target < 0) {
        SetLastError(ERROR_NEGATIVE_SEEK);
        return INVALID_SET_FILE_POINTER;
    }
    if (!distanceHigh && target > 0xFFFFFFFFll) {
        // The result would not fit the return value alone.
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_SET_FILE_POINTER;
    }
    if (lseek(object->fd, target, SEEK_SET) < 0) {
        SetLastError(ErrorFromErrno(errno));
        return INVALID_SET_FILE_POINTER;
    }
    if (distanceHigh)
        *distanceHigh = static_cast<LONG>(static_cast<std::uint64_t>(target) >> 32);
    // INVALID_SET_FILE_POINTER can be a valid low part: callers check the last error.
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(static_cast<std::uint64_t>(target) & 0xFFFFFFFFu);
}

DWORD GetFileSize(HANDLE file, LPDWORD sizeHigh) {
    const auto object = Handles::GetAs<FileObject>(file);
    struct stat st{};
    if (!object || fstat(object->fd, &st) != 0) {
        SetLastError(object ? ErrorFromErrno(errno) : ERROR_INVALID_HANDLE);
        return INVALID_FILE_SIZE;
    }
    const auto size = static_cast<std::uint64_t>(st.st_size);
    if (sizeHigh)
        *sizeHigh = static_cast<DWORD>(size >> 32);
    SetLastError(ERROR_SUCCESS);
    return static_cast<DWORD>(size & 0xFFFFFFFFu);
}

BOOL SetEndOfFile(HANDLE file) {
    const auto object = Handles::GetAs<FileObject>(file);
    if (!object)
        return Fail(ERROR_INVALID_HANDLE);
    if (!object->canWrite)
        return Fail(ERROR_ACCESS_DENIED);
    const off_t at = lseek(object->fd, 0, SEEK_CUR);
    if (at < 0 || ftruncate(object->fd, at) != 0)
        return FailErrno(errno);
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

BOOL FlushFileBuffers(HANDLE file) {
    const auto object = Handles::GetAs<FileObject>(file);
    if (!object)
        return Fail(ERROR_INVALID_HANDLE);
    if (!object->canWrite)
        return Fail(ERROR_ACCESS_DENIED);
    if (DWORD injected = 0; FaultInjection::Fails(FaultInjection::FileFlush, injected))
        return Fail(injected);
    int rc;
    do {
        rc = fsync(object->fd);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0)
        return FailErrno(errno);
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

BOOL GetFileTime(HANDLE file, LPFILETIME creation, LPFILETIME lastAccess, LPFILETIME lastWrite) {
    const auto object = Handles::GetAs<FileObject>(file);
    if (!object)
        return Fail(ERROR_INVALID_HANDLE);
    FileInfo info;
    if (!Inspect(object->fd, "", AT_EMPTY_PATH, info))
        return FailErrno(errno);
    if (creation)
        *creation = info.creation;
    if (lastAccess)
        *lastAccess = info.access;
    if (lastWrite)
        *lastWrite = info.write;
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

BOOL CloseHandle(HANDLE object) {
    if (!Handles::Remove(object))
        return Fail(ERROR_INVALID_HANDLE);
    return TRUE;
}

BOOL DeleteFileW(LPCWSTR fileName) {
    if (!fileName || !*fileName)
        return Fail(ERROR_INVALID_PARAMETER);
    const std::string host = DevicePath::ToHost(fileName);
    struct stat st{};
    if (lstat(host.c_str(), &st) != 0)
        return Fail(RefineMissing(errno, host));
    if (S_ISDIR(st.st_mode))
        return Fail(ERROR_ACCESS_DENIED);
    // The probe's shared lock keeps anyone from opening the file exclusively until
    // the name is gone.
    ShareProbe probe(S_ISREG(st.st_mode) ? host : std::string());
    if (probe.busy())
        return Fail(ERROR_SHARING_VIOLATION);
    if (unlink(host.c_str()) != 0)
        return Fail(RefineMissing(errno, host));
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

BOOL MoveFileW(LPCWSTR existing, LPCWSTR newName) {
    return Move(existing, newName, 0);
}

BOOL MoveFileExW(LPCWSTR existing, LPCWSTR newName, DWORD flags) {
    return Move(existing, newName, flags);
}

BOOL CreateDirectoryW(LPCWSTR path, LPSECURITY_ATTRIBUTES /*security*/) {
    if (!path || !*path)
        return Fail(ERROR_PATH_NOT_FOUND);
    const std::string host = DevicePath::ToHost(path);
    if (IsDevicePath(path) && host == DevicePath::Root()) {
        if (RootExists())
            return Fail(ERROR_ALREADY_EXISTS);
        if (!DevicePath::EnsureRoot())
            return FailErrno(errno);
        SetLastError(ERROR_SUCCESS);
        return TRUE;
    }
    if (mkdir(host.c_str(), 0777) != 0) {
        int error = errno;
        if (error == ENOENT && IsDevicePath(path) && !RootExists() && DevicePath::EnsureRoot()) {
            if (mkdir(host.c_str(), 0777) == 0) {
                SetLastError(ERROR_SUCCESS);
                return TRUE;
            }
            error = errno;
        }
        if (error == ENOENT)
            return Fail(ERROR_PATH_NOT_FOUND);
        return FailErrno(error);
    }
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

BOOL RemoveDirectoryW(LPCWSTR path) {
    if (!path || !*path)
        return Fail(ERROR_PATH_NOT_FOUND);
    const std::string host = DevicePath::ToHost(path);
    if (rmdir(host.c_str()) != 0) {
        const int error = errno;
        if (error == ENOTEMPTY || error == EEXIST)
            return Fail(ERROR_DIR_NOT_EMPTY);
        if (error == ENOTDIR) {
            struct stat st{};
            if (stat(host.c_str(), &st) == 0)
                return Fail(ERROR_DIRECTORY);
            return Fail(ERROR_PATH_NOT_FOUND);
        }
        return Fail(RefineMissing(error, host));
    }
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

DWORD GetFileAttributesW(LPCWSTR fileName) {
    if (!fileName || !*fileName) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return INVALID_FILE_ATTRIBUTES;
    }
    const std::string host = DevicePath::ToHost(fileName);
    FileInfo info;
    if (!Inspect(AT_FDCWD, host.c_str(), 0, info)) {
        SetLastError(RefineMissing(errno, host));
        return INVALID_FILE_ATTRIBUTES;
    }
    SetLastError(ERROR_SUCCESS);
    return AttributesOf(info);
}

HANDLE FindFirstFileW(LPCWSTR pattern, LPWIN32_FIND_DATAW data) {
    if (!pattern || !data) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_HANDLE_VALUE;
    }
    const std::u16string_view full(pattern);
    const bool device = IsDevicePath(pattern);
    // Host paths separate with "/" only; device paths with either separator.
    const std::size_t cut = device ? full.find_last_of(u"\\/") : full.find_last_of(u'/');
    const std::u16string_view folder =
        cut == std::u16string_view::npos ? std::u16string_view() : full.substr(0, cut + 1);
    const std::u16string_view namePattern =
        cut == std::u16string_view::npos ? full : full.substr(cut + 1);
    const std::string hostFolder = device ? DevicePath::ToHost(std::u16string(folder))
                                          : ToUtf8(folder.empty() ? u"/" : folder);

    const int dirfd = open(hostFolder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirfd < 0) {
        const int error = errno;
        SetLastError(error == ENOENT || error == ENOTDIR ? ERROR_PATH_NOT_FOUND
                                                         : ErrorFromErrno(error));
        return INVALID_HANDLE_VALUE;
    }
    DIR* dir = fdopendir(dirfd);
    if (!dir) {
        const int error = errno;
        close(dirfd);
        SetLastError(ErrorFromErrno(error));
        return INVALID_HANDLE_VALUE;
    }

    auto find = std::make_shared<FindObject>();
    if (!namePattern.empty()) {
        while (const dirent* entry = readdir(dir)) {
            const std::string hostName = entry->d_name;
            if (hostName == "." || hostName == "..")
                continue;
            std::u16string name = FromUtf8(hostName);
            // A name that cannot be spelled back exactly could not be opened again.
            if (ToUtf8(name) != hostName || name.size() > MAX_PATH - 1)
                continue;
            if (device && name.find(u'\\') != std::u16string::npos)
                continue;
            if (!MatchesName(namePattern, name))
                continue;
            FileInfo info;
            if (!Inspect(dirfd, entry->d_name, 0, info) &&
                !Inspect(dirfd, entry->d_name, AT_SYMLINK_NOFOLLOW, info))
                continue;  // vanished meanwhile
            FoundEntry found;
            found.name = std::move(name);
            found.attributes = AttributesOf(info);
            found.creation = info.creation;
            found.access = info.access;
            found.write = info.write;
            found.size = info.isDirectory ? 0 : info.size;
            find->entries.push_back(std::move(found));
        }
    }
    closedir(dir);

    if (find->entries.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return INVALID_HANDLE_VALUE;
    }
    std::sort(find->entries.begin(), find->entries.end(),
              [](const FoundEntry& a, const FoundEntry& b) {
                  const int c = CompareNoCase(a.name, b.name);
                  return c != 0 ? c < 0 : a.name < b.name;
              });
    FillFindData(find->entries[0], data);
    find->next = 1;
    HANDLE handle = Handles::Add(std::move(find));
    SetLastError(ERROR_SUCCESS);
    return handle;
}

BOOL FindNextFileW(HANDLE find, LPWIN32_FIND_DATAW data) {
    const auto object = Handles::GetAs<FindObject>(find);
    if (!object)
        return Fail(ERROR_INVALID_HANDLE);
    if (!data)
        return Fail(ERROR_INVALID_PARAMETER);
    if (object->next >= object->entries.size())
        return Fail(ERROR_NO_MORE_FILES);
    FillFindData(object->entries[object->next++], data);
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

BOOL FindClose(HANDLE find) {
    const bool removed = Handles::Remove(
        find, [](KernelObject& object) { return dynamic_cast<FindObject*>(&object) != nullptr; });
    if (!removed)
        return Fail(ERROR_INVALID_HANDLE);
    return TRUE;
}
