#include "RegistryApi.h"
#include "TestRoot.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <map>
#include <poll.h>
#include <random>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

class Registry : public ::testing::Test {
protected:
    TestRoot root;

    HKEY Create(HKEY parent, const char16_t* path, DWORD* disposition = nullptr) {
        HKEY key = nullptr;
        EXPECT_EQ(ERROR_SUCCESS, RegCreateKeyExW(parent, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, disposition));
        return key;
    }
    static LONG SetDword(HKEY key, const char16_t* name, DWORD value) {
        return RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), 4);
    }
    static DWORD GetDword(HKEY key, const char16_t* name, LONG* error = nullptr) {
        DWORD value = 0, size = 4, type = 0;
        const LONG e = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
        if (error)
            *error = e;
        return value;
    }
    static std::vector<std::u16string> SubKeys(HKEY key) {
        std::vector<std::u16string> names;
        WCHAR name[256];
        for (DWORD i = 0;; ++i) {
            DWORD chars = 256;
            const LONG e = RegEnumKeyExW(key, i, name, &chars, nullptr, nullptr, nullptr, nullptr);
            if (e == ERROR_NO_MORE_ITEMS)
                break;
            EXPECT_EQ(ERROR_SUCCESS, e);
            if (e)
                break;
            names.emplace_back(name, chars);
        }
        return names;
    }
};

TEST_F(Registry, CreateOpenAndDisposition) {
    DWORD disposition = 0;
    HKEY a = Create(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Tamra\\Listora", &disposition);
    EXPECT_EQ(static_cast<DWORD>(REG_CREATED_NEW_KEY), disposition);
    HKEY b = Create(HKEY_LOCAL_MACHINE, u"software\\TAMRA\\listora", &disposition);
    EXPECT_EQ(static_cast<DWORD>(REG_OPENED_EXISTING_KEY), disposition);

    HKEY opened = nullptr;
    EXPECT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Software\\tamra", 0, 0, &opened));
    EXPECT_EQ(std::vector<std::u16string>{u"Listora"}, SubKeys(opened)) << "names keep the case they were created with";

    HKEY missing = reinterpret_cast<HKEY>(1);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Software\\Nope", 0, 0, &missing));
    EXPECT_EQ(nullptr, missing);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyExW(HKEY_CURRENT_USER, u"Software\\Tamra", 0, 0, &missing))
        << "the roots are separate trees";

    for (HKEY k : {a, b, opened})
        EXPECT_EQ(ERROR_SUCCESS, RegCloseKey(k));
    EXPECT_EQ(ERROR_INVALID_HANDLE, RegCloseKey(a));
    EXPECT_EQ(ERROR_INVALID_HANDLE, SetDword(a, u"x", 1));
}

TEST_F(Registry, ValuesKeepTypeAndBytes) {
    HKEY key = Create(HKEY_LOCAL_MACHINE, u"Values");
    const BYTE binary[] = {0, 1, 2, 0xFF, 0, 0x80};
    const char16_t text[] = u"Tamra File";
    const char16_t multi[] = u"a\0bc\0";  // two elements and the final NUL
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(key, u"bin", 0, REG_BINARY, binary, sizeof binary));
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text), sizeof text));
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(key, u"Multi", 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(multi), sizeof multi));
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(key, u"empty", 0, REG_BINARY, nullptr, 0));

    BYTE buffer[64];
    DWORD type = 0, size = sizeof buffer;
    ASSERT_EQ(ERROR_SUCCESS, RegQueryValueExW(key, u"BIN", nullptr, &type, buffer, &size));
    EXPECT_EQ(static_cast<DWORD>(REG_BINARY), type);
    ASSERT_EQ(sizeof binary, size);
    EXPECT_EQ(0, std::memcmp(binary, buffer, size));

    size = sizeof buffer;
    ASSERT_EQ(ERROR_SUCCESS, RegQueryValueExW(key, u"", nullptr, &type, buffer, &size)) << "the default value";
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), type);
    EXPECT_EQ(sizeof text, size);
    EXPECT_EQ(0, std::memcmp(text, buffer, size));

    size = 0;
    ASSERT_EQ(ERROR_SUCCESS, RegQueryValueExW(key, u"multi", nullptr, &type, nullptr, &size)) << "size only";
    EXPECT_EQ(sizeof multi, size);
    size = 4;
    EXPECT_EQ(ERROR_MORE_DATA, RegQueryValueExW(key, u"multi", nullptr, &type, buffer, &size));
    EXPECT_EQ(sizeof multi, size) << "a short buffer learns the size it needs";

    size = sizeof buffer;
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExW(key, u"empty", nullptr, &type, buffer, &size));
    EXPECT_EQ(0u, size);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegQueryValueExW(key, u"absent", nullptr, &type, buffer, &size));

    // Overwriting may change the type; deleting removes only that value.
    ASSERT_EQ(ERROR_SUCCESS, SetDword(key, u"Bin", 7));
    EXPECT_EQ(7u, GetDword(key, u"bin"));
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteValueW(key, u"BIN"));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegDeleteValueW(key, u"bin"));
    LONG error = 0;
    GetDword(key, u"bin", &error);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, error);
    RegCloseKey(key);
}

TEST_F(Registry, EnumerationIsSortedIgnoringCaseAndStable) {
    HKEY key = Create(HKEY_LOCAL_MACHINE, u"Items");
    for (const char16_t* name : {u"milk", u"Bread", u"apples", u"Zucchini", u"\u00c4pfel", u"butter"})
        RegCloseKey(Create(key, name));
    const std::vector<std::u16string> expected = {u"apples", u"Bread", u"butter", u"milk", u"Zucchini", u"\u00c4pfel"};
    EXPECT_EQ(expected, SubKeys(key));
    EXPECT_EQ(expected, SubKeys(key)) << "a second enumeration gives the same order";

    for (const char16_t* name : {u"b", u"A", u"c"})
        SetDword(key, name, 1);
    WCHAR name[256];
    std::vector<std::u16string> values;
    for (DWORD i = 0;; ++i) {
        DWORD chars = 256, type = 0, value = 0, size = 4;
        const LONG e = RegEnumValueW(key, i, name, &chars, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
        if (e == ERROR_NO_MORE_ITEMS)
            break;
        ASSERT_EQ(ERROR_SUCCESS, e);
        EXPECT_EQ(static_cast<DWORD>(REG_DWORD), type);
        EXPECT_EQ(1u, value);
        values.emplace_back(name, chars);
    }
    EXPECT_EQ((std::vector<std::u16string>{u"A", u"b", u"c"}), values);

    DWORD chars = 3;  // "apples" needs 7 with its terminator
    EXPECT_EQ(ERROR_MORE_DATA, RegEnumKeyExW(key, 0, name, &chars, nullptr, nullptr, nullptr, nullptr));

    // Deleting during an enumeration by index, as a tree delete does, sees the change.
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteKeyW(key, u"apples"));
    chars = 256;
    ASSERT_EQ(ERROR_SUCCESS, RegEnumKeyExW(key, 0, name, &chars, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(std::u16string(u"Bread"), std::u16string(name, chars));

    DWORD subKeys = 0, values2 = 0, maxName = 0;
    ASSERT_EQ(ERROR_SUCCESS, RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, &subKeys, &maxName, nullptr, &values2, nullptr, nullptr, nullptr, nullptr));
    EXPECT_EQ(5u, subKeys);
    EXPECT_EQ(3u, values2);
    EXPECT_EQ(8u, maxName);
    RegCloseKey(key);
}

TEST_F(Registry, NameLimitsAndPathSplitting) {
    const std::u16string longest(255, u'k');
    const std::u16string tooLong(256, u'k');
    HKEY key = nullptr;
    EXPECT_EQ(ERROR_SUCCESS, RegCreateKeyExW(HKEY_LOCAL_MACHINE, longest.c_str(), 0, nullptr, 0, 0, nullptr, &key, nullptr));
    RegCloseKey(key);
    EXPECT_EQ(ERROR_INVALID_PARAMETER, RegCreateKeyExW(HKEY_LOCAL_MACHINE, tooLong.c_str(), 0, nullptr, 0, 0, nullptr, &key, nullptr));
    EXPECT_EQ(ERROR_INVALID_PARAMETER, RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"a\\\\b", 0, nullptr, 0, 0, nullptr, &key, nullptr));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegOpenKeyExW(HKEY_LOCAL_MACHINE, tooLong.c_str(), 0, 0, &key));

    // A backslash always separates keys: "x\y" is two levels, never one name.
    HKEY x = Create(HKEY_LOCAL_MACHINE, u"x\\y");
    RegCloseKey(x);
    x = Create(HKEY_LOCAL_MACHINE, u"x");
    EXPECT_EQ(std::vector<std::u16string>{u"y"}, SubKeys(x));
    RegCloseKey(x);

    // Value names may hold a backslash.
    HKEY v = Create(HKEY_LOCAL_MACHINE, u"v");
    EXPECT_EQ(ERROR_SUCCESS, SetDword(v, u"a\\b", 5));
    EXPECT_EQ(5u, GetDword(v, u"A\\B"));
    RegCloseKey(v);
}

TEST_F(Registry, DeleteKeyRefusesSubkeysAndInvalidatesHandles) {
    HKEY parent = Create(HKEY_LOCAL_MACHINE, u"P");
    HKEY child = Create(parent, u"C");
    SetDword(child, u"n", 1);
    EXPECT_EQ(ERROR_ACCESS_DENIED, RegDeleteKeyW(HKEY_LOCAL_MACHINE, u"P"));
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteKeyW(parent, u"c"));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegDeleteKeyW(parent, u"c"));
    EXPECT_EQ(ERROR_KEY_DELETED, SetDword(child, u"n", 2)) << "no orphan value under a deleted key";
    RegCloseKey(child);

    // A new key of the same name starts empty: the values went with the old one.
    child = Create(parent, u"C");
    LONG error = 0;
    GetDword(child, u"n", &error);
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, error);
    RegCloseKey(child);
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteKeyW(parent, u"C"));
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteKeyW(HKEY_LOCAL_MACHINE, u"P"));
    RegCloseKey(parent);
}

TEST_F(Registry, PersistsAcrossReopen) {
    HKEY key = Create(HKEY_LOCAL_MACHINE, u"SOFTWARE\\Tamra\\Listora");
    SetDword(key, u"FontSize", 12);
    RegCloseKey(key);
    RegistryStore::Shutdown();  // as at process exit

    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"software\\tamra\\listora", 0, 0, &key));
    EXPECT_EQ(12u, GetDword(key, u"fontsize"));
    // A handle from before a reopen is no longer valid, never another key.
    RegistryStore::Shutdown();
    EXPECT_EQ(ERROR_INVALID_HANDLE, SetDword(key, u"x", 1));
    EXPECT_TRUE(HostFileExists(root.file("registry.db")));
}

std::string HelperPath(const char* name) {
    return (std::filesystem::canonical("/proc/self/exe").parent_path() / "platform" / "helpers" / name).string();
}

// Starts a helper with the given arguments; its standard output is returned as a pipe.
pid_t Spawn(const std::vector<std::string>& args, int* outFd, const std::string& deviceRoot) {
    int fds[2];
    if (pipe(fds) != 0)
        return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(fds[1], STDOUT_FILENO);
        close(fds[0]);
        close(fds[1]);
        setenv("LISTORA_ROOT", deviceRoot.c_str(), 1);
        std::vector<char*> argv;
        for (const auto& a : args)
            argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(fds[1]);
    if (outFd)
        *outFd = fds[0];
    else
        close(fds[0]);
    return pid;
}

TEST_F(Registry, WritesOfAnotherProcessAreSeen) {
    HKEY key = Create(HKEY_LOCAL_MACHINE, u"Software\\Shared");
    SetDword(key, u"mine", 1);
    RegFlushKey(key);
    const pid_t pid = Spawn({HelperPath("registry_writer"), "once", "theirs", "42"}, nullptr, root.path());
    int status = 0;
    ASSERT_EQ(pid, waitpid(pid, &status, 0));
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(0, WEXITSTATUS(status));
    EXPECT_EQ(42u, GetDword(key, u"theirs"));
    EXPECT_EQ(1u, GetDword(key, u"mine"));
    RegCloseKey(key);
}

// A writer killed at a random moment: the store opens, passes SQLite's integrity check
// and holds every value whose write had returned more than a second before the kill.
TEST_F(Registry, SurvivesKillDuringWrites) {
    using Clock = std::chrono::steady_clock;
    constexpr int kRounds = 50;
    constexpr int kParallel = 10;
    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<int> killAfterMs(1050, 1400);
    std::size_t checked = 0;

    for (int wave = 0; wave < kRounds / kParallel; ++wave) {
        struct Writer {
            std::string root;
            pid_t pid = -1;
            int fd = -1;
            std::string pending;
            std::vector<Clock::time_point> reported;  // index = value number
            Clock::time_point started;
            Clock::time_point killAt;
            Clock::time_point killedAt;
            bool killed = false;
        };
        std::vector<Writer> writers(kParallel);
        for (int i = 0; i < kParallel; ++i) {
            Writer& w = writers[static_cast<std::size_t>(i)];
            w.root = root.file("w" + std::to_string(wave) + "_" + std::to_string(i));
            std::filesystem::create_directories(w.root);
            w.pid = Spawn({HelperPath("registry_writer"), "stream"}, &w.fd, w.root);
            ASSERT_GT(w.pid, 0);
            w.started = Clock::now();
            w.killAt = w.started + std::chrono::milliseconds(killAfterMs(random));
        }
        for (;;) {
            bool running = false;
            for (auto& w : writers) {
                if (w.killed)
                    continue;
                if (Clock::now() >= w.killAt) {
                    kill(w.pid, SIGKILL);
                    w.killedAt = Clock::now();
                    w.killed = true;
                    continue;
                }
                running = true;
                pollfd p{w.fd, POLLIN, 0};
                if (poll(&p, 1, 0) > 0) {
                    char buffer[4096];
                    const ssize_t n = read(w.fd, buffer, sizeof buffer);
                    const auto now = Clock::now();
                    for (ssize_t k = 0; k < n; ++k) {
                        if (buffer[k] == '\n') {
                            w.reported.push_back(now);
                            w.pending.clear();
                        } else {
                            w.pending += buffer[k];
                        }
                    }
                }
            }
            if (!running)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        for (auto& w : writers) {
            int status = 0;
            waitpid(w.pid, &status, 0);
            close(w.fd);
            ASSERT_TRUE(WIFSIGNALED(status)) << "the writer stopped by itself: " << status;

            sqlite3* db = nullptr;
            ASSERT_EQ(SQLITE_OK, sqlite3_open((w.root + "/registry.db").c_str(), &db));
            sqlite3_stmt* check = nullptr;
            ASSERT_EQ(SQLITE_OK, sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &check, nullptr));
            ASSERT_EQ(SQLITE_ROW, sqlite3_step(check));
            EXPECT_STREQ("ok", reinterpret_cast<const char*>(sqlite3_column_text(check, 0)));
            sqlite3_finalize(check);
            sqlite3_close(db);

            // Read back through the registry itself, from the writer's device root.
            RegistryStore::Shutdown();
            setenv("LISTORA_ROOT", w.root.c_str(), 1);
            HKEY key = nullptr;
            std::size_t mustHave = 0;
            while (mustHave < w.reported.size() && w.reported[mustHave] + std::chrono::seconds(1) < w.killedAt)
                ++mustHave;
            if (mustHave > 0) {
                ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Software\\Crash", 0, 0, &key));
                for (std::size_t v = 0; v < mustHave; ++v) {
                    const std::string n = "v" + std::to_string(v);
                    const std::u16string name(n.begin(), n.end());
                    LONG error = 0;
                    const DWORD value = GetDword(key, name.c_str(), &error);
                    ASSERT_EQ(ERROR_SUCCESS, error) << "value " << v << " of " << mustHave << " lost";
                    ASSERT_EQ(v, value);
                }
                checked += mustHave;
                RegCloseKey(key);
            }
            RegistryStore::Shutdown();
            setenv("LISTORA_ROOT", root.path().c_str(), 1);
        }
    }
    EXPECT_GT(checked, 0u) << "no write was old enough to be checked";
    std::printf("%zu values checked after %d kills\n", checked, kRounds);
}

}  // namespace
