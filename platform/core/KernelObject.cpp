#include "KernelObject.h"

#include "WinError.h"

#include <cerrno>
#include <csignal>
#include <mutex>
#include <sys/stat.h>
#include <unordered_map>

namespace PlatformCore {

namespace {

struct Table {
    std::mutex mutex;
    std::unordered_map<HANDLE, std::shared_ptr<KernelObject>> objects;
};

// Never destroyed: handles may still be closed from static destructors at exit.
Table& table() {
    static Table* t = new Table;
    return *t;
}

}  // namespace

namespace Handles {

HANDLE Add(std::shared_ptr<KernelObject> object) {
    HANDLE handle = object.get();
    Table& t = table();
    std::lock_guard<std::mutex> lock(t.mutex);
    t.objects[handle] = std::move(object);
    return handle;
}

std::shared_ptr<KernelObject> Get(HANDLE handle) {
    if (!handle || handle == INVALID_HANDLE_VALUE)
        return nullptr;
    Table& t = table();
    std::lock_guard<std::mutex> lock(t.mutex);
    const auto it = t.objects.find(handle);
    return it == t.objects.end() ? nullptr : it->second;
}

bool Remove(HANDLE handle, const std::function<bool(KernelObject&)>& accept) {
    std::shared_ptr<KernelObject> removed;  // destroyed after the lock is released
    Table& t = table();
    {
        std::lock_guard<std::mutex> lock(t.mutex);
        const auto it = t.objects.find(handle);
        if (it == t.objects.end())
            return false;
        if (accept && !accept(*it->second))
            return false;
        removed = std::move(it->second);
        t.objects.erase(it);
    }
    return true;
}

}  // namespace Handles

DWORD ErrorFromErrno(int error) {
    switch (error) {
    case 0: return ERROR_SUCCESS;
    case ENOENT: return ERROR_FILE_NOT_FOUND;
    case ENOTDIR: return ERROR_PATH_NOT_FOUND;
    case ELOOP: return ERROR_CANT_RESOLVE_FILENAME;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
    case ETXTBSY: return ERROR_ACCESS_DENIED;
    case EEXIST: return ERROR_ALREADY_EXISTS;
    case EMFILE:
    case ENFILE: return ERROR_TOO_MANY_OPEN_FILES;
    case ENOSPC:
    case EFBIG:
    case EDQUOT: return ERROR_DISK_FULL;
    case ENAMETOOLONG: return ERROR_FILENAME_EXCED_RANGE;
    case EINVAL: return ERROR_INVALID_PARAMETER;
    case ENOTEMPTY: return ERROR_DIR_NOT_EMPTY;
    case EWOULDBLOCK:
    case EBUSY: return ERROR_SHARING_VIOLATION;
    case ENOMEM: return ERROR_NOT_ENOUGH_MEMORY;
    case EBADF: return ERROR_INVALID_HANDLE;
    case EXDEV: return ERROR_NOT_SAME_DEVICE;
    default: return ERROR_GEN_FAILURE;
    }
}

DWORD MissingFileError(const std::string& hostPath) {
    const std::size_t slash = hostPath.find_last_of('/');
    std::string folder;
    if (slash == std::string::npos)
        folder = ".";
    else if (slash == 0)
        folder = "/";
    else
        folder = hostPath.substr(0, slash);
    struct stat st{};
    return stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode) ? ERROR_FILE_NOT_FOUND
                                                                 : ERROR_PATH_NOT_FOUND;
}

void IgnoreFileSizeSignal() {
    static std::once_flag once;
    std::call_once(once, [] {
        struct sigaction current {};
        if (sigaction(SIGXFSZ, nullptr, &current) == 0 && current.sa_handler == SIG_DFL) {
            struct sigaction ignore {};
            ignore.sa_handler = SIG_IGN;
            sigemptyset(&ignore.sa_mask);
            sigaction(SIGXFSZ, &ignore, nullptr);
        }
    });
}

}  // namespace PlatformCore
