#include "WriterLock.h"

#include "DevicePath.h"
#include "ProcessApi.h"

namespace {
// The name the program takes its single-instance lock under.
constexpr const TCHAR* kSemaphoreName = u"ListoraSemaphore";
}  // namespace

WriterLock::~WriterLock() {
    if (m_handle)
        CloseHandle(m_handle);
}

bool WriterLock::Acquire(std::string& refusal) {
    if (m_handle)
        return true;
    HANDLE handle = CreateSemaphoreW(nullptr, 1, 1, kSemaphoreName);
    const DWORD error = GetLastError();
    if (handle && error != ERROR_ALREADY_EXISTS) {
        m_handle = handle;
        return true;
    }
    if (handle)
        CloseHandle(handle);
    refusal = error == ERROR_ALREADY_EXISTS
                  ? "Listora is running on " + DevicePath::Root() +
                        ": close it, then try again (nothing was changed)"
                  : "cannot take the lock of " + DevicePath::Root() + " (error " + std::to_string(error) + ")";
    return false;
}
