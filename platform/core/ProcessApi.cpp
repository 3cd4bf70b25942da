#include "ProcessApi.h"

#include "DevicePath.h"
#include "KernelObject.h"
#include "WideString.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace PlatformCore;

namespace {

// A semaphore; with a name it may hold the lock file that makes it visible to other
// processes. Closing the handle (or ending the process) releases the lock.
class SemaphoreObject : public KernelObject {
public:
    SemaphoreObject(LONG initial, LONG max, int fd) : count(initial), maximum(max), lockFd(fd) {}
    ~SemaphoreObject() override {
        if (lockFd >= 0)
            close(lockFd);
    }
    LONG count;
    const LONG maximum;
    const int lockFd;
};

// A started process; the handle only lets callers close it as they would on the device.
class ProcessObject : public KernelObject {
public:
    explicit ProcessObject(pid_t processId) : pid(processId) {}
    const pid_t pid;
};

class ThreadObject : public KernelObject {};

BOOL Fail(DWORD error) {
    SetLastError(error);
    return FALSE;
}

// The one module of the program: its address stands for the module handle.
const char kModuleTag = 0;

// Splits as the device's shell does: blanks separate, double quotes group (and may
// join with unquoted text), backslashes are ordinary characters.
std::vector<std::u16string> SplitCommandLine(std::u16string_view line) {
    std::vector<std::u16string> args;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == u' ' || line[i] == u'\t'))
            ++i;
        if (i >= line.size())
            break;
        std::u16string arg;
        bool quoted = false;
        while (i < line.size()) {
            const char16_t c = line[i];
            if (c == u'"') {
                quoted = !quoted;
                ++i;
                continue;
            }
            if (!quoted && (c == u' ' || c == u'\t'))
                break;
            arg += c;
            ++i;
        }
        args.push_back(std::move(arg));
    }
    return args;
}

bool IsExecutableFile(const std::string& path) {
    struct stat st{};
    return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

// Host path of the program: a host path, a device path, or a bare name looked up on PATH.
bool ResolveProgram(const std::u16string& name, std::string& out) {
    if (name.empty())
        return false;
    if (name[0] == u'/' || name[0] == u'\\' || name.find_first_of(u"\\/") != std::u16string::npos) {
        out = DevicePath::ToHost(name);
        return true;
    }
    const std::string bare = ToUtf8(name);
    const char* pathEnv = std::getenv("PATH");
    const std::string path = pathEnv && *pathEnv ? pathEnv : "/usr/local/bin:/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find(':', start);
        if (end == std::string::npos)
            end = path.size();
        const std::string folder = end > start ? path.substr(start, end - start) : std::string(".");
        const std::string candidate = folder + "/" + bare;
        if (IsExecutableFile(candidate)) {
            out = candidate;
            return true;
        }
        start = end + 1;
    }
    return false;
}

bool ReadFully(int fd, void* data, std::size_t size) {
    auto* p = static_cast<char*>(data);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = read(fd, p + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += static_cast<std::size_t>(n);
    }
    return true;
}

void WriteFully(int fd, const void* data, std::size_t size) {
    const auto* p = static_cast<const char*>(data);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = write(fd, p + done, size - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return;
        done += static_cast<std::size_t>(n);
    }
}

std::string ExecutablePath() {
    std::vector<char> buf(256);
    for (;;) {
        const ssize_t n = readlink("/proc/self/exe", buf.data(), buf.size());
        if (n < 0)
            return std::string();
        if (static_cast<std::size_t>(n) < buf.size())
            return std::string(buf.data(), static_cast<std::size_t>(n));
        buf.resize(buf.size() * 2);
    }
}

}  // namespace

HANDLE CreateSemaphoreW(LPSECURITY_ATTRIBUTES /*security*/, LONG initialCount, LONG maximumCount,
                        LPCWSTR name) {
    if (maximumCount <= 0 || initialCount < 0 || initialCount > maximumCount) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (!name || !*name) {
        HANDLE h = Handles::Add(std::make_shared<SemaphoreObject>(initialCount, maximumCount, -1));
        SetLastError(ERROR_SUCCESS);
        return h;
    }
    // Separators cannot be part of the lock file's name.
    std::u16string safe(name);
    for (char16_t& c : safe) {
        if (c == u'/' || c == u'\\')
            c = u'_';
    }
    if (!DevicePath::EnsureRoot()) {
        SetLastError(ErrorFromErrno(errno));
        return nullptr;
    }
    const std::string lockPath = DevicePath::Root() + "/." + ToUtf8(safe) + ".lock";
    const int fd = open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd < 0) {
        SetLastError(ErrorFromErrno(errno));
        return nullptr;
    }
    int rc;
    do {
        rc = flock(fd, LOCK_EX | LOCK_NB);
    } while (rc != 0 && errno == EINTR);
    if (rc != 0) {
        const int error = errno;
        close(fd);
        if (error != EWOULDBLOCK) {
            SetLastError(ErrorFromErrno(error));
            return nullptr;
        }
        // Someone holds it: the caller gets a handle to the existing object.
        HANDLE h = Handles::Add(std::make_shared<SemaphoreObject>(initialCount, maximumCount, -1));
        SetLastError(ERROR_ALREADY_EXISTS);
        return h;
    }
    HANDLE h = Handles::Add(std::make_shared<SemaphoreObject>(initialCount, maximumCount, fd));
    SetLastError(ERROR_SUCCESS);
    return h;
}

BOOL CreateProcessW(LPCWSTR applicationName, LPWSTR commandLine, LPSECURITY_ATTRIBUTES /*process*/,
                    LPSECURITY_ATTRIBUTES /*thread*/, BOOL /*inheritHandles*/, DWORD /*creationFlags*/,
                    LPVOID /*environment*/, LPCWSTR currentDirectory, LPSTARTUPINFOW /*startupInfo*/,
                    LPPROCESS_INFORMATION processInformation) {
    std::vector<std::u16string> args = SplitCommandLine(commandLine ? commandLine : u"");
    std::u16string program;
    if (applicationName && *applicationName) {
        // As on the device, the command line holds only the arguments.
        program = applicationName;
        args.insert(args.begin(), program);
    } else {
        if (args.empty())
            return Fail(ERROR_INVALID_PARAMETER);
        program = args[0];
    }
    std::string programPath;
    if (!ResolveProgram(program, programPath))
        return Fail(ERROR_FILE_NOT_FOUND);

    // Everything the children need is prepared here: between fork and exec only
    // async-signal-safe calls are allowed.
    std::vector<std::string> narrowArgs;
    narrowArgs.reserve(args.size());
    for (const auto& a : args)
        narrowArgs.push_back(ToUtf8(a));
    std::vector<char*> argv;
    for (auto& a : narrowArgs)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    std::string folder;
    if (currentDirectory && *currentDirectory)
        folder = DevicePath::ToHost(currentDirectory);

    // Two pipes: the intermediate child reports the program's pid on one, the program
    // reports a failed exec on the other (close-on-exec: end of file means success).
    int pidPipe[2];
    int execPipe[2];
    if (pipe2(pidPipe, O_CLOEXEC) != 0)
        return Fail(ErrorFromErrno(errno));
    if (pipe2(execPipe, O_CLOEXEC) != 0) {
        const int error = errno;
        close(pidPipe[0]);
        close(pidPipe[1]);
        return Fail(ErrorFromErrno(error));
    }

    const pid_t first = fork();
    if (first < 0) {
        const int error = errno;
        for (int fd : {pidPipe[0], pidPipe[1], execPipe[0], execPipe[1]})
            close(fd);
        return Fail(ErrorFromErrno(error));
    }
    if (first == 0) {
        // Intermediate child: a new session, then the real child, then leave so the
        // program is adopted by init and never becomes our zombie.
        close(pidPipe[0]);
        close(execPipe[0]);
        setsid();
        const pid_t second = fork();
        if (second == 0) {
            close(pidPipe[1]);
            if (folder.empty() || chdir(folder.c_str()) == 0)
                execv(programPath.c_str(), argv.data());
            const std::int32_t error = errno;
            WriteFully(execPipe[1], &error, sizeof error);
            _exit(127);
        }
        const std::int32_t pid = second;  // -1 when the fork failed
        WriteFully(pidPipe[1], &pid, sizeof pid);
        if (second < 0) {
            const std::int32_t error = errno;
            WriteFully(execPipe[1], &error, sizeof error);
        }
        _exit(0);
    }
    close(pidPipe[1]);
    close(execPipe[1]);
    int status = 0;
    while (waitpid(first, &status, 0) < 0 && errno == EINTR) {
    }
    std::int32_t pid = -1;
    std::int32_t execError = 0;
    const bool gotPid = ReadFully(pidPipe[0], &pid, sizeof pid);
    const bool failed = ReadFully(execPipe[0], &execError, sizeof execError);
    close(pidPipe[0]);
    close(execPipe[0]);
    if (!gotPid || pid <= 0 || failed) {
        if (execError == EACCES || execError == EPERM)
            return Fail(ERROR_ACCESS_DENIED);
        return Fail(ERROR_FILE_NOT_FOUND);
    }
    if (processInformation) {
        processInformation->hProcess = Handles::Add(std::make_shared<ProcessObject>(pid));
        processInformation->hThread = Handles::Add(std::make_shared<ThreadObject>());
        processInformation->dwProcessId = static_cast<DWORD>(pid);
        processInformation->dwThreadId = static_cast<DWORD>(pid);
    }
    SetLastError(ERROR_SUCCESS);
    return TRUE;
}

HMODULE GetModuleHandleW(LPCWSTR moduleName) {
    HMODULE self = const_cast<char*>(&kModuleTag);
    if (!moduleName) {
        SetLastError(ERROR_SUCCESS);
        return self;
    }
    // Only the program itself is a module here.
    const std::u16string exe = FromUtf8(ExecutablePath());
    const std::u16string base = exe.substr(exe.find_last_of(u'/') + 1);
    std::u16string wanted(moduleName);
    const std::size_t cut = wanted.find_last_of(u"\\/");
    if (cut != std::u16string::npos)
        wanted.erase(0, cut + 1);
    if (EqualsNoCase(wanted, base) || EqualsNoCase(wanted, base + u".exe")) {
        SetLastError(ERROR_SUCCESS);
        return self;
    }
    SetLastError(ERROR_MOD_NOT_FOUND);
    return nullptr;
}

DWORD GetModuleFileNameW(HMODULE module, LPWSTR fileName, DWORD size) {
    if (module && module != const_cast<char*>(&kModuleTag)) {
        SetLastError(ERROR_MOD_NOT_FOUND);
        return 0;
    }
    if (!fileName && size > 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const std::string exe = ExecutablePath();
    if (exe.empty()) {
        SetLastError(ERROR_FILE_NOT_FOUND);
        return 0;
    }
    const std::u16string path = FromUtf8(exe);
    if (size == 0) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    if (path.size() < size) {
        std::memcpy(fileName, path.data(), path.size() * sizeof(WCHAR));
        fileName[path.size()] = 0;
        SetLastError(ERROR_SUCCESS);
        return static_cast<DWORD>(path.size());
    }
    std::memcpy(fileName, path.data(), (size - 1) * sizeof(WCHAR));
    fileName[size - 1] = 0;
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return size;
}

void OutputDebugStringW(LPCWSTR text) {
    const char* flag = std::getenv("LISTORA_DEBUG");
    if (!text || !flag || !*flag)
        return;
    const std::string utf8 = ToUtf8(text);
    std::fwrite(utf8.data(), 1, utf8.size(), stderr);
    std::fflush(stderr);
}
