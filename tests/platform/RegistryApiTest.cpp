#include "FaultInjection.h"
#include "PlatformTestSupport.h"
#include "RegistryApi.h"
#include "TestRoot.h"
#include "WideString.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <poll.h>
#include <random>
#include <sys/resource.h>
#include <string>
#include <thread>
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
    // A value's result code, type and bytes.
    struct Value {
        LONG error;
        DWORD type;
        std::string bytes;
        bool operator==(const Value&) const = default;
    };
    static Value Query(HKEY key, const char16_t* name) {
        Value v{0, 0, std::string(64, '\0')};
        DWORD size = 64;
        v.error = RegQueryValueExW(key, name, nullptr, &v.type, reinterpret_cast<BYTE*>(v.bytes.data()), &size);
        v.bytes.resize(v.error == ERROR_SUCCESS ? size : 0);
        return v;
    }
    static std::vector<std::u16string> SubKeys(HKEY key) {
        std::vector<std::u16string> names;
        WCHAR name[256];
        for (DWORD i = 0;; ++i) {
            DWORD chars = 256;
            const LONG e = RegEnumKeyExW(key, i, name, &chars, nullptr, nullptr, nullptr, nullptr);
            if (e != ERROR_SUCCESS) {
                EXPECT_EQ(ERROR_NO_MORE_ITEMS, e);
                break;
            }
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
    const std::string binary("\0\1\2\xFF\0\x80", 6);
    const std::u16string text(u"Tamra File", 11);  // with its terminator
    const std::u16string multi(u"a\0bc\0", 6);      // two elements and the final NUL
    auto set = [key](const char16_t* name, DWORD type, const void* data, std::size_t size) {
        return RegSetValueExW(key, name, 0, type, static_cast<const BYTE*>(data), static_cast<DWORD>(size));
    };
    ASSERT_EQ(ERROR_SUCCESS, set(u"bin", REG_BINARY, binary.data(), binary.size()));
    ASSERT_EQ(ERROR_SUCCESS, set(nullptr, REG_SZ, text.data(), text.size() * 2));
    ASSERT_EQ(ERROR_SUCCESS, set(u"Multi", REG_MULTI_SZ, multi.data(), multi.size() * 2));
    ASSERT_EQ(ERROR_SUCCESS, set(u"empty", REG_BINARY, nullptr, 0));
    EXPECT_EQ((Value{ERROR_SUCCESS, REG_BINARY, binary}), Query(key, u"BIN"));
    const std::string textBytes(reinterpret_cast<const char*>(text.data()), text.size() * 2);
    EXPECT_EQ((Value{ERROR_SUCCESS, REG_SZ, textBytes}), Query(key, u"")) << "the default value";
    EXPECT_EQ((Value{ERROR_SUCCESS, REG_BINARY, ""}), Query(key, u"empty"));

    DWORD type = 0, size = 0;
    ASSERT_EQ(ERROR_SUCCESS, RegQueryValueExW(key, u"multi", nullptr, &type, nullptr, &size)) << "size only";
    EXPECT_EQ(multi.size() * 2, size);
    BYTE buffer[4];
    size = 4;
    EXPECT_EQ(ERROR_MORE_DATA, RegQueryValueExW(key, u"multi", nullptr, &type, buffer, &size));
    EXPECT_EQ(multi.size() * 2, size) << "a short buffer learns the size it needs";

    // Overwriting may change the type; deleting removes only that value.
    ASSERT_EQ(ERROR_SUCCESS, SetDword(key, u"Bin", 7));
    EXPECT_EQ(7u, GetDword(key, u"bin"));
    EXPECT_EQ(ERROR_SUCCESS, RegDeleteValueW(key, u"BIN"));
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, RegDeleteValueW(key, u"bin"));
    EXPECT_EQ(ERROR_SUCCESS, Query(key, u"multi").error);
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
        DWORD chars = 256;
        if (RegEnumValueW(key, i, name, &chars, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
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
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, Query(child, u"n").error);
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
}

// Opens, reads and enumerations below a key whose subkeys were enumerated are served
// from a copy in memory: each kind of change to that subtree must show in them, from
// this process or another, and a rolled-back one must not.
TEST_F(Registry, ReadsBelowAnEnumeratedKeyFollowEveryChange) {
    using Names = std::vector<std::u16string>;
    struct Case {
        const char* what;
        std::function<void(HKEY shared, HKEY a)> change;
        Names subKeys;
        Value n;       // a\n
        Value theirs;  // the value another process sets on the key itself
    };
    const Value one{ERROR_SUCCESS, REG_DWORD, std::string("\1\0\0\0", 4)};
    const Value missing{ERROR_FILE_NOT_FOUND, 0, ""};
    const Case cases[] = {
        {"value set", [](HKEY, HKEY a) { SetDword(a, u"n", 2); }, {u"a", u"b"},
         {ERROR_SUCCESS, REG_DWORD, std::string("\2\0\0\0", 4)}, missing},
        {"value deleted", [](HKEY, HKEY a) { RegDeleteValueW(a, u"N"); }, {u"a", u"b"}, missing, missing},
        {"key deleted", [](HKEY shared, HKEY) { RegDeleteKeyW(shared, u"b"); }, {u"a"}, one, missing},
        {"key created", [this](HKEY shared, HKEY) { RegCloseKey(Create(shared, u"c")); }, {u"a", u"b", u"c"}, one,
         missing},
        {"another process's commit",
         [this](HKEY shared, HKEY) {
             RegFlushKey(shared);
             EXPECT_EQ(0, Helper("registry_writer", {"once", "theirs", "42"}, root.path()).Stop());
         },
         {u"a", u"b"}, one, {ERROR_SUCCESS, REG_DWORD, std::string("\x2a\0\0\0", 4)}},
        {"rolled-back batch",
         [this](HKEY shared, HKEY a) {
             ASSERT_TRUE(RegistryStore::BeginBatch());
             SetDword(a, u"n", 9);
             RegCloseKey(Create(shared, u"c"));
             EXPECT_EQ((Names{u"a", u"b", u"c"}), SubKeys(shared));  // copied with the batch's writes
             EXPECT_TRUE(RegistryStore::EndBatch(false));
         },
         {u"a", u"b"}, one, missing},
    };
    for (const Case& c : cases) {
        HKEY shared = Create(HKEY_LOCAL_MACHINE, u"Software\\Shared");
        RegDeleteValueW(shared, u"theirs");
        for (const char16_t* name : {u"a", u"b", u"c"})
            RegDeleteKeyW(shared, name);
        RegCloseKey(Create(shared, u"b"));
        // Every other case far apart in the store, as keys made at different times are.
        for (int i = 0; i < 100 * ((&c - cases) % 2); ++i)
            RegCloseKey(Create(HKEY_LOCAL_MACHINE, FromUtf8("Software\\Filler\\" + std::to_string(&c - cases) + "-" + std::to_string(i)).c_str()));
        HKEY a = Create(shared, u"a");
        SetDword(a, u"n", 1);
        RegCloseKey(a);
        RegFlushKey(shared);
        ASSERT_EQ((Names{u"a", u"b"}), SubKeys(shared)) << c.what;
        ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(shared, u"A", 0, 0, &a)) << c.what;
        ASSERT_EQ(one, Query(a, u"n")) << c.what;

        c.change(shared, a);
        EXPECT_EQ(c.n, Query(a, u"n")) << c.what;
        EXPECT_EQ(c.theirs, Query(shared, u"theirs")) << c.what;
        HKEY again = nullptr;
        EXPECT_EQ(ERROR_SUCCESS, RegOpenKeyExW(shared, u"a", 0, 0, &again)) << c.what;
        EXPECT_EQ(c.n, Query(again, u"n")) << c.what;
        HKEY b = nullptr;
        EXPECT_EQ(c.subKeys.size() == 1 ? ERROR_FILE_NOT_FOUND : ERROR_SUCCESS, RegOpenKeyExW(shared, u"b", 0, 0, &b))
            << c.what;
        EXPECT_EQ(c.subKeys, SubKeys(shared)) << c.what;
        for (HKEY k : {a, again, b, shared})
            RegCloseKey(k);
    }
}

bool StoreIntact(const std::string& path) {
    sqlite3* db = nullptr;
    bool ok = sqlite3_open(path.c_str(), &db) == SQLITE_OK;
    sqlite3_stmt* check = nullptr;
    ok = ok && sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &check, nullptr) == SQLITE_OK &&
         sqlite3_step(check) == SQLITE_ROW &&
         std::string(reinterpret_cast<const char*>(sqlite3_column_text(check, 0))) == "ok";
    sqlite3_finalize(check);
    sqlite3_close(db);
    return ok;
}

// A child forked without exec leaves the parent's connection alone and opens its own:
// both sides' writes arrive, and the store stays whole.
TEST_F(Registry, AForkedChildUsesTheStoreOfItsOwn) {
    HKEY key = Create(HKEY_LOCAL_MACHINE, u"Software\\Fork");
    ASSERT_EQ(ERROR_SUCCESS, SetDword(key, u"parent", 1));  // pending in the parent
    const int child = InChild([] {
        HKEY own = nullptr;
        if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, u"Software\\Fork", 0, nullptr, 0, 0, nullptr, &own, nullptr))
            return 1;
        if (SetDword(own, u"child", 2) != ERROR_SUCCESS || RegFlushKey(own) != ERROR_SUCCESS)
            return 2;
        return 0;
    });
    EXPECT_EQ(child, 0);
    EXPECT_EQ(ERROR_SUCCESS, RegFlushKey(key));
    RegistryStore::Shutdown();
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Software\\Fork", 0, 0, &key));
    EXPECT_EQ(1u, GetDword(key, u"parent"));
    EXPECT_EQ(2u, GetDword(key, u"child"));
    RegCloseKey(key);
    EXPECT_TRUE(StoreIntact(root.file("registry.db")));
}

// A commit the disk refuses is rolled back and reported in SQLite's words: the
// refused values are gone, what was committed before stays, and the store goes on.
TEST_F(Registry, AFailedCommitRollsBackAndTheStoreGoesOn) {
    HKEY key = Create(HKEY_LOCAL_MACHINE, u"Software\\Full");
    ASSERT_EQ(ERROR_SUCCESS, SetDword(key, u"kept", 1));
    ASSERT_EQ(ERROR_SUCCESS, RegFlushKey(key));
    RegCloseKey(key);
    RegistryStore::Shutdown();  // the child starts from the file
    const int child = InChild([] {
        signal(SIGXFSZ, SIG_IGN);
        HKEY own = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Software\\Full", 0, 0, &own))
            return 1;
        // From here on no file may grow: the commit cannot reach the disk.
        rlimit limit{0, RLIM_INFINITY};
        setrlimit(RLIMIT_FSIZE, &limit);
        SetDword(own, u"lost", 2);
        RegFlushKey(own);  // the commit fails here or in the background before
        if (RegistryStore::LastFailure().find(u"committing failed") == std::u16string::npos)
            return 2;
        limit.rlim_cur = RLIM_INFINITY;
        setrlimit(RLIMIT_FSIZE, &limit);
        LONG error = 0;
        GetDword(own, u"lost", &error);
        if (error != ERROR_FILE_NOT_FOUND)
            return 3;
        if (SetDword(own, u"after", 3) != ERROR_SUCCESS || RegFlushKey(own) != ERROR_SUCCESS)
            return 4;
        return 0;
    });
    EXPECT_EQ(child, 0);
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Software\\Full", 0, 0, &key));
    EXPECT_EQ(1u, GetDword(key, u"kept"));
    EXPECT_EQ(3u, GetDword(key, u"after"));
    RegCloseKey(key);
    EXPECT_TRUE(StoreIntact(root.file("registry.db")));
}

// Every write and sync of a commit, failed in turn: the failure is reported, the store
// passes its integrity check and holds the whole commit or none of it.
TEST_F(Registry, EveryWritePointOfACommitThatFailsLeavesAWholeStore) {
    HKEY key = nullptr;
    DWORD committed = 0;
    for (DWORD n = 0;; ++n) {
        key = Create(HKEY_LOCAL_MACHINE, u"Software\\Faults");
        const std::u16string failureBefore = RegistryStore::LastFailure();
        FaultInjection::Arm(FaultInjection::DbPoints, n, n % 2 ? ERROR_WRITE_FAULT : ERROR_DISK_FULL);
        for (int i = 0; i < 40; ++i)
            SetDword(key, FromUtf8("v" + std::to_string(i)).c_str(), n);
        const LONG flushed = RegFlushKey(key);
        const bool failed = n > 0 && FaultInjection::Count() >= n;
        FaultInjection::Disarm();
        EXPECT_EQ(failed, flushed != ERROR_SUCCESS || RegistryStore::LastFailure() != failureBefore) << n;
        RegCloseKey(key);
        RegistryStore::Shutdown();
        ASSERT_TRUE(StoreIntact(root.file("registry.db"))) << "point " << n;
        key = Create(HKEY_LOCAL_MACHINE, u"Software\\Faults");
        committed = GetDword(key, u"v0") == n ? n : committed;
        for (int i = 0; i < 40; ++i)
            ASSERT_EQ(GetDword(key, FromUtf8("v" + std::to_string(i)).c_str()), committed) << "point " << n;
        RegCloseKey(key);
        if (n > 0 && !failed)
            break;
    }
    EXPECT_GT(committed, 1u);
}

// A writer killed at a random moment: the store opens, passes SQLite's integrity check
// and holds every value whose write had returned more than a second before the kill.
TEST_F(Registry, SurvivesKillDuringWrites) {
    using Clock = std::chrono::steady_clock;
    // 50 kills; the stress run asks for more (LISTORA_KILL_ROUNDS).
    constexpr int kParallel = 10;
    const int kRounds = std::max(kParallel, std::atoi(std::getenv("LISTORA_KILL_ROUNDS") ? std::getenv("LISTORA_KILL_ROUNDS") : "50"));
    std::mt19937 random(std::random_device{}());
    std::uniform_int_distribution<int> killAfterMs(1050, 1400);
    std::size_t checked = 0;

    for (int wave = 0; wave < kRounds / kParallel; ++wave) {
        struct Writer {
            std::string root;
            Helper process;
            std::vector<Clock::time_point> reported;  // index = value number
            Clock::time_point killAt, killedAt;
            bool killed = false;
        };
        std::vector<Writer> writers(kParallel);
        for (int i = 0; i < kParallel; ++i) {
            Writer& w = writers[static_cast<std::size_t>(i)];
            w.root = root.file("w" + std::to_string(wave) + "_" + std::to_string(i));
            std::filesystem::create_directories(w.root);
            w.process.Start("registry_writer", {"stream"}, w.root);
            ASSERT_GT(w.process.pid, 0);
            w.killAt = Clock::now() + std::chrono::milliseconds(killAfterMs(random));
        }
        for (bool running = true; running; std::this_thread::sleep_for(std::chrono::milliseconds(2))) {
            running = false;
            for (auto& w : writers) {
                if (w.killed)
                    continue;
                if (Clock::now() >= w.killAt) {
                    kill(w.process.pid, SIGKILL);
                    w.killedAt = Clock::now();
                    w.killed = true;
                    continue;
                }
                running = true;
                pollfd p{w.process.output, POLLIN, 0};
                char buffer[4096];
                const ssize_t n = poll(&p, 1, 0) > 0 ? read(w.process.output, buffer, sizeof buffer) : 0;
                const auto now = Clock::now();
                for (ssize_t k = 0; k < n; ++k)
                    if (buffer[k] == '\n')
                        w.reported.push_back(now);
            }
        }
        for (auto& w : writers) {
            ASSERT_TRUE(WIFSIGNALED(w.process.Stop())) << "the writer stopped by itself";
            EXPECT_TRUE(StoreIntact(w.root + "/registry.db"));

            RegistryStore::Shutdown();  // read back from the writer's device root
            setenv("LISTORA_ROOT", w.root.c_str(), 1);
            std::size_t mustHave = 0;
            while (mustHave < w.reported.size() && w.reported[mustHave] + std::chrono::seconds(1) < w.killedAt)
                ++mustHave;
            HKEY key = nullptr;
            ASSERT_TRUE(mustHave == 0 || RegOpenKeyExW(HKEY_LOCAL_MACHINE, u"Software\\Crash", 0, 0, &key) == ERROR_SUCCESS);
            for (DWORD v = 0; v < mustHave; ++v, ++checked) {
                LONG error = 0;
                ASSERT_EQ(v, GetDword(key, FromUtf8("v" + std::to_string(v)).c_str(), &error)) << "value " << v;
                ASSERT_EQ(ERROR_SUCCESS, error) << "value " << v << " of " << mustHave << " lost";
            }
            RegCloseKey(key);
            RegistryStore::Shutdown();
            setenv("LISTORA_ROOT", root.path().c_str(), 1);
        }
    }
    EXPECT_GT(checked, 0u) << "no write was old enough to be checked";
    std::printf("%zu values checked after %d kills\n", checked, kRounds);
}

}  // namespace
