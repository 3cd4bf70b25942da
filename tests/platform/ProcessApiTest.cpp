#include "FileApi.h"
#include "PlatformTestSupport.h"
#include "ProcessApi.h"
#include "TestRoot.h"
#include "WideString.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <fstream>
#include <string>
#include <thread>

namespace {

class ProcessApi : public ::testing::Test {
protected:
    TestRoot root;
};

// The lock is held until the last handle closes or its process ends, however it ends.
TEST_F(ProcessApi, NamedSemaphoreIsALockWithinAndAcrossProcesses) {
    setenv("LISTORA_ROOT", (root.path() + "/dev").c_str(), 1);  // a missing device root is made
    HANDLE first = CreateSemaphoreW(nullptr, 1, 1, u"ListoraSemaphore");
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(DWORD(0), GetLastError());
    HANDLE second = CreateSemaphoreW(nullptr, 1, 1, u"ListoraSemaphore");
    ASSERT_NE(nullptr, second);
    EXPECT_EQ(DWORD(ERROR_ALREADY_EXISTS), GetLastError());
    {
        Helper holder("lock_holder");
        EXPECT_EQ("busy", holder.ReadLine());
    }
    EXPECT_TRUE(CloseHandle(second));
    EXPECT_TRUE(CloseHandle(first));

    Helper holder("lock_holder");
    ASSERT_EQ("held", holder.ReadLine());
    HANDLE theirs = CreateSemaphoreW(nullptr, 1, 1, u"ListoraSemaphore");
    ASSERT_NE(nullptr, theirs);
    EXPECT_EQ(DWORD(ERROR_ALREADY_EXISTS), GetLastError());
    CloseHandle(theirs);
    kill(holder.pid, SIGKILL);
    holder.Stop();
    HANDLE after = CreateSemaphoreW(nullptr, 1, 1, u"ListoraSemaphore");
    EXPECT_EQ(DWORD(0), GetLastError());
    CloseHandle(after);
}

bool WaitForFile(const std::string& path, std::string& content) {
    for (int i = 0; i < 500; ++i) {
        content = ReadHostFile(path);
        if (!content.empty() && content.back() == '\n')
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

// The program names the program to run and leaves the working folder alone.
TEST_F(ProcessApi, CreateProcessStartsDetachedWithTheDeviceArgumentsOrReportsFailure) {
    // Quotes group, backslashes stay; the command line holds only the arguments.
    const std::string out = root.file("out.txt");
    std::u16string args = u"-c \"sleep 0.3; printf %s $0 $# ${#1} > " + FromUtf8(out) + u"; echo >> " +
                          FromUtf8(out) + u"\" a\\b \"c d\"";
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessW(u"/bin/sh", args.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr, &pi));
    EXPECT_GT(pi.dwProcessId, 0u);
    // It runs in its own session and is not our child, so it can never be our zombie.
    std::ifstream procStat("/proc/" + std::to_string(pi.dwProcessId) + "/stat");
    std::string pid, name, state, ppid, pgrp, session;
    procStat >> pid >> name >> state >> ppid >> pgrp >> session;
    EXPECT_NE(std::to_string(getpid()), ppid);
    EXPECT_NE(std::to_string(getsid(0)), session);
    int status;
    EXPECT_EQ(0, waitpid(-1, &status, WNOHANG) > 0);
    EXPECT_TRUE(CloseHandle(pi.hProcess));
    EXPECT_TRUE(CloseHandle(pi.hThread));
    std::string content;
    ASSERT_TRUE(WaitForFile(out, content));
    EXPECT_EQ("a\\b13\n", content);  // $0, one argument "c d" of length 3

    EXPECT_FAILS(FALSE, CreateProcessW(u"/no/such/program", args.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                       nullptr, nullptr, nullptr), ERROR_FILE_NOT_FOUND);
}

TEST_F(ProcessApi, ModuleFileName) {
    HMODULE module = GetModuleHandleW(nullptr);
    ASSERT_NE(nullptr, module);
    WCHAR buf[1024] = {};
    const DWORD n = GetModuleFileNameW(module, buf, 1024);
    EXPECT_EQ(FromUtf8(std::filesystem::canonical("/proc/self/exe").string()), std::u16string(buf));
    EXPECT_EQ(n, wcslen16(buf));
}

TEST_F(ProcessApi, DebugOutputOnlyWhenAskedFor) {
    EnvGuard debug("LISTORA_DEBUG");
    unsetenv("LISTORA_DEBUG");
    testing::internal::CaptureStderr();
    OutputDebugStringW(u"hidden");
    setenv("LISTORA_DEBUG", "", 1);
    OutputDebugStringW(u"hidden");
    setenv("LISTORA_DEBUG", "1", 1);
    OutputDebugStringW(u"shown é");
    OutputDebugStringW(nullptr);
    EXPECT_EQ("shown \xC3\xA9", testing::internal::GetCapturedStderr());
}

}  // namespace
