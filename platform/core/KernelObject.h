// Internal: the objects behind HANDLE values. A handle is the address of a live object
// registered here; CloseHandle removes it, and an object is destroyed once the last
// call using it has returned, so a handle closed on another thread never dangles.
#pragma once
#include "WinTypes.h"

#include <functional>
#include <memory>
#include <string>

// Internal to the core; kept in a namespace of its own so the names cannot clash with
// the framework and program that link the core.
namespace PlatformCore {

class KernelObject {
public:
    KernelObject() = default;
    KernelObject(const KernelObject&) = delete;
    KernelObject& operator=(const KernelObject&) = delete;
    virtual ~KernelObject() = default;
};

namespace Handles {
// Registers the object and returns its handle.
HANDLE Add(std::shared_ptr<KernelObject> object);
// The object of a live handle, or null for a bogus or closed one.
std::shared_ptr<KernelObject> Get(HANDLE handle);
template <typename T>
std::shared_ptr<T> GetAs(HANDLE handle) {
    return std::dynamic_pointer_cast<T>(Get(handle));
}
// Unregisters the handle when accept (if given) agrees; false for an unknown handle.
bool Remove(HANDLE handle, const std::function<bool(KernelObject&)>& accept = {});
}  // namespace Handles

// Win32 error value for an errno value.
DWORD ErrorFromErrno(int error);
// ERROR_FILE_NOT_FOUND when the folder of hostPath exists, else ERROR_PATH_NOT_FOUND.
DWORD MissingFileError(const std::string& hostPath);
// A write past the file size limit must fail with an error, not end the process.
void IgnoreFileSizeSignal();

}  // namespace PlatformCore
