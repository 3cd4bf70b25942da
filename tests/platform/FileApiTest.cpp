#include "FileApi.h"
#include "PlatformTestSupport.h"
#include "TestRoot.h"
#include "TimeApi.h"
#include "WideString.h"

#include <gtest/gtest.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <thread>
#include <vector>

namespace {

class FileApi : public ::testing::Test {
protected:
    TestRoot root;

    static HANDLE Open(const char16_t* path, DWORD access, DWORD share, DWORD disposition) {
        return CreateFileW(path, access, share, nullptr, disposition, FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    static bool Write(HANDLE h, const std::string& bytes) {
        DWORD written = 0;
        return WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
               written == bytes.size();
    }
    static std::string Read(HANDLE h, DWORD count) {
        std::string buf(count, '\0');
        DWORD read = 0;
        if (!ReadFile(h, buf.data(), count, &read, nullptr))
            return "<failed>";
        buf.resize(read);
        return buf;
    }
};

constexpr DWORD kRW = GENERIC_READ | GENERIC_WRITE;
constexpr DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE;

TEST_F(FileApi, CreationDispositionsAndTheirLastErrors) {
    // Each open in turn, with the last error it leaves and the content once closed.
    struct Step {
        const char16_t* path;
        DWORD access, disposition;
        bool opens;
        DWORD error;
        const char* write;
        const char* content;
    };
    // The program's streams create (CREATE_ALWAYS) or open (OPEN_EXISTING), nothing else.
    const Step steps[] = {
        {u"\\f.txt", kRW, CREATE_ALWAYS, true, 0, "hello", "hello"},
        {u"\\f.txt", GENERIC_READ, OPEN_EXISTING, true, 0, nullptr, "hello"},
        {u"\\f.txt", GENERIC_WRITE, CREATE_ALWAYS, true, ERROR_ALREADY_EXISTS, "hi", "hi"},
        {u"\\missing.txt", GENERIC_READ, OPEN_EXISTING, false, ERROR_FILE_NOT_FOUND, nullptr, nullptr},
        {u"\\no\\such.txt", GENERIC_READ, OPEN_EXISTING, false, ERROR_PATH_NOT_FOUND, nullptr, nullptr},
        {u"\\no\\such.txt", GENERIC_WRITE, CREATE_ALWAYS, false, ERROR_PATH_NOT_FOUND, nullptr, nullptr},
        {u"\\f.txt", GENERIC_READ, 9, false, ERROR_INVALID_PARAMETER, nullptr, nullptr},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(ToUtf8(s.path) + " " + std::to_string(s.disposition));
        HANDLE h = Open(s.path, s.access, 0, s.disposition);
        EXPECT_EQ(s.opens, h != INVALID_HANDLE_VALUE);
        EXPECT_EQ(s.error, GetLastError());
        if (s.opens) {
            EXPECT_TRUE(!s.write || Write(h, s.write));
            CloseHandle(h);
        }
        if (s.content) {
            EXPECT_EQ(s.content, ReadHostFile(root.file(ToUtf8(s.path + 1))));
        }
    }
}

TEST_F(FileApi, AccessRightsAreEnforced) {
    HANDLE h = Open(u"\\a.bin", GENERIC_READ, 0, CREATE_ALWAYS);
    DWORD done = 7;
    EXPECT_FAILS(FALSE, WriteFile(h, "x", 1, &done, nullptr), ERROR_ACCESS_DENIED);
    EXPECT_EQ(0u, done);
    CloseHandle(h);

    h = Open(u"\\a.bin", GENERIC_WRITE, 0, OPEN_EXISTING);
    char c;
    EXPECT_FAILS(FALSE, ReadFile(h, &c, 1, &done, nullptr), ERROR_ACCESS_DENIED);
    CloseHandle(h);

    ASSERT_TRUE(CreateDirectoryW(u"\\dir", nullptr));
    for (DWORD access : {DWORD(GENERIC_READ), kRW})
        EXPECT_FAILS(INVALID_HANDLE_VALUE, Open(u"\\dir", access, kShareAll, OPEN_EXISTING), ERROR_ACCESS_DENIED);
}

// A file held by this process or a child cannot be opened, truncated, deleted or
// replaced; closing the handle, or the child's end, releases it.
TEST_F(FileApi, ExclusiveOpenWithinAndAcrossProcesses) {
    WriteHostFile(root.file("x.lsr"), "data");
    WriteHostFile(root.file("new.lsr"), "new");
    auto expectHeld = [&] {
        for (DWORD disposition : {DWORD(CREATE_ALWAYS), DWORD(OPEN_EXISTING)})
            EXPECT_FAILS(INVALID_HANDLE_VALUE, Open(u"\\x.lsr", kRW, kShareAll, disposition), ERROR_SHARING_VIOLATION);
        EXPECT_FAILS(FALSE, DeleteFileW(u"\\x.lsr"), ERROR_SHARING_VIOLATION);
        EXPECT_FAILS(FALSE, MoveFileExW(u"\\new.lsr", u"\\x.lsr", MOVEFILE_REPLACE_EXISTING), ERROR_SHARING_VIOLATION);
        EXPECT_EQ("data", ReadHostFile(root.file("x.lsr")));  // nothing was truncated
        EXPECT_EQ("new", ReadHostFile(root.file("new.lsr")));
    };
    HANDLE h = Open(u"\\x.lsr", GENERIC_READ, 0, OPEN_EXISTING);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    expectHeld();
    CloseHandle(h);
    // Closing releases the file to other processes.
    ASSERT_EQ(0, InChild([] {
        return int(CreateFileW(u"\\x.lsr", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr) == INVALID_HANDLE_VALUE);
    }));

    int ends[2];
    ASSERT_EQ(0, socketpair(AF_UNIX, SOCK_STREAM, 0, ends));
    const pid_t pid = fork();
    if (pid == 0) {
        close(ends[0]);
        const HANDLE c = CreateFileW(u"\\x.lsr", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        char ok = c == INVALID_HANDLE_VALUE ? 'n' : 'y';
        (void)!write(ends[1], &ok, 1);
        (void)!read(ends[1], &ok, 1);  // until the parent closes its end
        _exit(0);
    }
    close(ends[1]);
    char ok = 0;
    ASSERT_EQ(1, read(ends[0], &ok, 1));
    ASSERT_EQ('y', ok);
    expectHeld();
    close(ends[0]);
    waitpid(pid, nullptr, 0);
    EXPECT_TRUE(MoveFileExW(u"\\new.lsr", u"\\x.lsr", MOVEFILE_REPLACE_EXISTING));
    EXPECT_EQ("new", ReadHostFile(root.file("x.lsr")));
}

TEST_F(FileApi, ReadWriteAndSize) {
    HANDLE h = Open(u"\\s.bin", GENERIC_WRITE, 0, CREATE_ALWAYS);
    ASSERT_TRUE(Write(h, "hello world"));
    EXPECT_TRUE(FlushFileBuffers(h));
    EXPECT_EQ(11u, GetFileSize(h, nullptr));
    CloseHandle(h);
    h = Open(u"\\s.bin", GENERIC_READ, 0, OPEN_EXISTING);
    EXPECT_EQ("hello world", Read(h, 100));
    EXPECT_EQ("", Read(h, 10));  // end of file reads nothing, successfully
    CloseHandle(h);
}

TEST_F(FileApi, BogusAndClosedHandlesAreRejected) {
    int notAHandle = 0;
    for (HANDLE bad : {static_cast<HANDLE>(nullptr), INVALID_HANDLE_VALUE, static_cast<HANDLE>(&notAHandle)}) {
        char c;
        DWORD n;
        EXPECT_FAILS(FALSE, ReadFile(bad, &c, 1, &n, nullptr), ERROR_INVALID_HANDLE);
        EXPECT_FALSE(WriteFile(bad, &c, 1, &n, nullptr));
        EXPECT_FAILS(INVALID_FILE_SIZE, GetFileSize(bad, nullptr), ERROR_INVALID_HANDLE);
        EXPECT_FAILS(FALSE, CloseHandle(bad), ERROR_INVALID_HANDLE);
    }
    HANDLE h = Open(u"\\c.bin", kRW, 0, CREATE_ALWAYS);
    EXPECT_TRUE(Write(h, "still open"));
    EXPECT_TRUE(CloseHandle(h));
    EXPECT_FAILS(FALSE, CloseHandle(h), ERROR_INVALID_HANDLE);
    EXPECT_FALSE(Write(h, "x"));
}

TEST_F(FileApi, DeleteMoveAndFolders) {
    EXPECT_FAILS(FALSE, DeleteFileW(u"\\none"), ERROR_FILE_NOT_FOUND);
    WriteHostFile(root.file("a"), "A");
    WriteHostFile(root.file("b"), "B");

    EXPECT_FAILS(FALSE, MoveFileExW(u"\\a", u"\\b", 0), ERROR_ALREADY_EXISTS);
    EXPECT_EQ("A", ReadHostFile(root.file("a")));
    EXPECT_EQ("B", ReadHostFile(root.file("b")));
    EXPECT_FAILS(FALSE, MoveFileExW(u"\\none", u"\\c", 0), ERROR_FILE_NOT_FOUND);
    EXPECT_TRUE(MoveFileExW(u"\\a", u"\\c", 0));
    EXPECT_FALSE(HostFileExists(root.file("a")));
    EXPECT_TRUE(MoveFileExW(u"\\c", u"\\b", MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
    EXPECT_EQ("A", ReadHostFile(root.file("b")));
    EXPECT_FALSE(HostFileExists(root.file("c")));

    EXPECT_TRUE(CreateDirectoryW(u"\\d", nullptr));
    EXPECT_FAILS(FALSE, CreateDirectoryW(u"\\d", nullptr), ERROR_ALREADY_EXISTS);
    EXPECT_FALSE(MoveFileExW(u"\\b", u"\\d", MOVEFILE_REPLACE_EXISTING));  // not over a folder
    EXPECT_FAILS(FALSE, DeleteFileW(u"\\d"), ERROR_ACCESS_DENIED);
    EXPECT_TRUE(MoveFileExW(u"\\b", u"\\d\\b", 0));

    EXPECT_EQ(DWORD(FILE_ATTRIBUTE_DIRECTORY), GetFileAttributesW(u"\\d"));
    EXPECT_EQ(DWORD(FILE_ATTRIBUTE_NORMAL), GetFileAttributesW(u"\\d\\b"));
    EXPECT_FAILS(INVALID_FILE_ATTRIBUTES, GetFileAttributesW(u"\\d\\zz"), ERROR_FILE_NOT_FOUND);
}

// Between two file systems a rename cannot work: the file is copied beside the target,
// put in place, and only then is the source removed.
TEST_F(FileApi, MovingAcrossFileSystemsCopiesThenRemovesTheSource) {
    char pattern[] = "/dev/shm/listora-move-XXXXXX";
    struct stat shm{}, own{};
    if (stat("/dev/shm", &shm) != 0 || stat(root.path().c_str(), &own) != 0 || shm.st_dev == own.st_dev ||
        !mkdtemp(pattern))
        GTEST_SKIP() << "no second file system at /dev/shm";
    const std::string other = pattern;
    WriteHostFile(other + "/a", std::string(100000, 'a'));
    WriteHostFile(other + "/b", "b");
    WriteHostFile(root.file("old"), "old");

    EXPECT_TRUE(MoveFileExW(FromUtf8(other + "/a").c_str(), u"\\old", MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH));
    EXPECT_EQ(std::string(100000, 'a'), ReadHostFile(root.file("old")));
    EXPECT_FALSE(HostFileExists(other + "/a"));
    EXPECT_TRUE(MoveFileExW(FromUtf8(other + "/b").c_str(), u"\\new", 0));
    EXPECT_EQ("b", ReadHostFile(root.file("new")));
    EXPECT_FALSE(HostFileExists(other + "/b"));
    // No copy in progress is left behind.
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(root.path()))
        ++entries;
    EXPECT_EQ(entries, 2u);
    std::filesystem::remove_all(other);
}

TEST_F(FileApi, TheDeviceRootAppearsOnFirstUse) {
    const std::string inner = root.path() + "/device";
    setenv("LISTORA_ROOT", inner.c_str(), 1);
    EXPECT_FAILS(FALSE, CreateDirectoryW(u"\\a\\b", nullptr), ERROR_PATH_NOT_FOUND);  // only the root is made
    RemoveDirectoryW(u"\\");
    EXPECT_TRUE(CreateDirectoryW(u"\\My Documents", nullptr));
    EXPECT_TRUE(HostFileExists(inner + "/My Documents"));
    setenv("LISTORA_ROOT", (root.path() + "/device2").c_str(), 1);
    CloseHandle(Open(u"\\Listora.txt", GENERIC_WRITE, 0, CREATE_ALWAYS));
    EXPECT_TRUE(HostFileExists(root.path() + "/device2/Listora.txt"));
}

// As the unused lists are found: "*.lsr" in a folder, folders of that name included.
TEST_F(FileApi, FindFilesByPatternSortedIgnoringCase) {
    for (const char* name : {"b.lsr", "A.LSR", "aa.lsr", "c.txt", "\xFF.lsr"})
        WriteHostFile(root.file(name), name);
    ASSERT_TRUE(CreateDirectoryW(u"\\Sub.lsr", nullptr));
    const struct timespec times[2] = {{1600000000, 0}, {1600000000, 0}};
    ASSERT_EQ(0, utimensat(AT_FDCWD, root.file("b.lsr").c_str(), times, 0));
    WIN32_FIND_DATAW data;
    std::vector<std::u16string> found;
    HANDLE h = FindFirstFileW(u"\\*.lsr", &data);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    do {
        found.push_back(data.cFileName);
        const bool folder = found.back() == u"Sub.lsr";
        EXPECT_EQ(DWORD(folder ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL), data.dwFileAttributes);
        if (found.back() == u"b.lsr") {
            EXPECT_EQ(5u, data.nFileSizeLow);
            EXPECT_EQ(1600000000, FileTimeToUnixSeconds(data.ftLastWriteTime));
        }
    } while (FindNextFileW(h, &data));
    EXPECT_EQ(DWORD(ERROR_NO_MORE_FILES), GetLastError());
    EXPECT_TRUE(FindClose(h));
    // A name that is not valid UTF-8 is left out: it could not be opened again.
    EXPECT_EQ((std::vector<std::u16string>{u"A.LSR", u"aa.lsr", u"b.lsr", u"Sub.lsr"}), found);
    EXPECT_FAILS(INVALID_HANDLE_VALUE, FindFirstFileW(u"\\*.xyz", &data), ERROR_FILE_NOT_FOUND);
    EXPECT_FAILS(INVALID_HANDLE_VALUE, FindFirstFileW(u"\\nowhere\\*", &data), ERROR_PATH_NOT_FOUND);
}

TEST_F(FileApi, ReplacingIsAtomicForReaders) {
    WriteHostFile(root.file("t.lsr"), std::string(65536, 'A'));
    std::atomic<bool> stop{false};
    std::thread writer([&] {
        for (int i = 0; i < 150 && !stop; ++i) {
            const std::string version(65536, i % 2 ? 'B' : 'A');
            HANDLE h = Open(u"\\t.tmp", GENERIC_WRITE, 0, CREATE_ALWAYS);
            Write(h, version);
            CloseHandle(h);
            MoveFileExW(u"\\t.tmp", u"\\t.lsr", MOVEFILE_REPLACE_EXISTING);
        }
    });
    int bad = 0;
    for (int i = 0; i < 300; ++i) {
        HANDLE h = Open(u"\\t.lsr", GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING);
        if (h == INVALID_HANDLE_VALUE) {
            ++bad;
            continue;
        }
        const std::string text = Read(h, 70000);
        CloseHandle(h);
        if (text.size() != 65536 || text.find_first_not_of(text[0]) != std::string::npos)
            ++bad;
    }
    stop = true;
    writer.join();
    EXPECT_EQ(0, bad);
}

TEST_F(FileApi, WritePastTheFileSizeLimitFailsCleanly) {
    const int result = InChild([] {
        struct rlimit limit {4096, 4096};
        if (setrlimit(RLIMIT_FSIZE, &limit) != 0)
            return 90;
        HANDLE h = CreateFileW(u"\\big.bin", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        if (h == INVALID_HANDLE_VALUE)
            return 91;
        static char block[10000];
        DWORD written = 0;
        const BOOL ok = WriteFile(h, block, sizeof block, &written, nullptr);
        const DWORD error = GetLastError();
        CloseHandle(h);
        if (ok)
            return 92;
        return error == ERROR_DISK_FULL && written == 4096 ? 0 : 93;
    });
    EXPECT_EQ(0, result);  // a signal would show as a negative number
}

}  // namespace
