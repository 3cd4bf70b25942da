// Processes, named locks, module path and debug output.
#pragma once
#include "WinTypes.h"
#include "WinError.h"

struct STARTUPINFOW {
    DWORD cb;
};
using LPSTARTUPINFOW = STARTUPINFOW*;
struct PROCESS_INFORMATION {
    HANDLE hProcess;
    HANDLE hThread;
    DWORD dwProcessId;
    DWORD dwThreadId;
};
using LPPROCESS_INFORMATION = PROCESS_INFORMATION*;

// With a name, the semaphore is a lock shared by every process on the same device
// root: the first creator holds it until it closes the handle or ends; later creators
// get a valid handle and ERROR_ALREADY_EXISTS.
HANDLE CreateSemaphoreW(LPSECURITY_ATTRIBUTES security, LONG initialCount, LONG maximumCount,
                        LPCWSTR name);

// Starts a program detached (no zombie, own session). The application name may be a
// host path, a device path or a bare name searched on PATH; the command line is split
// into arguments as the shell of the device does (quotes group, backslashes literal).
// When applicationName is null the first argument of the command line names the program.
// Otherwise the command line holds only the arguments, as on the device.
BOOL CreateProcessW(LPCWSTR applicationName, LPWSTR commandLine, LPSECURITY_ATTRIBUTES process,
                    LPSECURITY_ATTRIBUTES thread, BOOL inheritHandles, DWORD creationFlags,
                    LPVOID environment, LPCWSTR currentDirectory, LPSTARTUPINFOW startupInfo,
                    LPPROCESS_INFORMATION processInformation);

HMODULE GetModuleHandleW(LPCWSTR moduleName);
// The running executable's host path. A short buffer gets a terminated, cut path, the
// result equals size and the last error is ERROR_INSUFFICIENT_BUFFER.
DWORD GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size);

// Written to standard error when LISTORA_DEBUG is set; otherwise dropped.
void OutputDebugStringW(LPCWSTR text);
