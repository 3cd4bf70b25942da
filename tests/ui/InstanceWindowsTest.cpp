#include "DemoProgram.h"
#include "InstanceWindows.h"

#include <future>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

using namespace demo;

class InstanceWindowsTest : public DemoTest {
protected:
    void SetUp() override {
        DemoTest::SetUp();
        ASSERT_NE(StartNew(), nullptr);
    }
    void TearDown() override {
        InstanceWindows::StopServer();
        DemoTest::TearDown();
    }
    // Runs work on another thread while this one answers its requests.
    template <class F>
    auto OnOtherThread(F work) {
        auto future = std::async(std::launch::async, work);
        while (future.wait_for(std::chrono::milliseconds(0)) != std::future_status::ready)
            WaitMs(10);
        return future.get();
    }
    // A socket bound to, or connected to, the device root's socket file.
    static int RawSocket(bool bindIt) {
        sockaddr_un address = {};
        address.sun_family = AF_UNIX;
        InstanceWindows::ServerName().toStdString().copy(address.sun_path, sizeof address.sun_path - 1);
        const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        const auto* at = reinterpret_cast<const sockaddr*>(&address);
        EXPECT_EQ(bindIt ? bind(fd, at, sizeof address) : connect(fd, at, sizeof address), 0);
        return fd;
    }
};

TEST_F(InstanceWindowsTest, SecondCopyFindsAndRaisesTheFirstCopysWindow) {
    // With no copy answering there are no windows; a stopped server can start again.
    EXPECT_TRUE(OnOtherThread([] { return InstanceWindows::ListRemote(200); }).empty());
    ASSERT_TRUE(InstanceWindows::StartServer());
    InstanceWindows::StopServer();
    ASSERT_TRUE(InstanceWindows::StartServer());
    EXPECT_TRUE(InstanceWindows::OwnsServer());
    EXPECT_TRUE(InstanceWindows::ServerName().startsWith(QString::fromStdString(Root().path())));

    const auto windows = OnOtherThread([] { return InstanceWindows::ListRemote(2000); });
    ASSERT_EQ(windows.size(), 1u);
    EXPECT_EQ(windows[0].title, QStringLiteral("Demo"));

    frame->ShowWindow(SW_HIDE);
    const quint64 id = windows[0].id;
    EXPECT_TRUE(OnOtherThread([id] { return InstanceWindows::RaiseRemote(id, SW_SHOWNORMAL, 2000); }));
    EXPECT_TRUE(frame->IsWindowVisible());
    // An id that is no window of that copy is refused.
    EXPECT_FALSE(OnOtherThread([] { return InstanceWindows::RaiseRemote(12345, SW_SHOW, 2000); }));

    // The copy that answers lists its own windows only; titles are cut to the buffer.
    auto byTitle = [](HWND hwnd, LPARAM found) -> BOOL {
        WCHAR text[20];
        if (GetWindowTextW(hwnd, text, 20) == 0 || _wcsicmp(text, u"demo") != 0)
            return TRUE;
        *reinterpret_cast<HWND*>(found) = hwnd;
        return FALSE;
    };
    HWND found = nullptr;
    EXPECT_FALSE(EnumWindows(byTitle, reinterpret_cast<LPARAM>(&found)));
    EXPECT_EQ(found, frame->GetSafeHwnd());
    WCHAR small[3];
    EXPECT_EQ(GetWindowTextW(found, small, 3), 2);
    EXPECT_EQ(std::u16string(small), u"De");
    EXPECT_EQ(GetWindowTextW(reinterpret_cast<HWND>(&small), small, 3), 0);
}

TEST_F(InstanceWindowsTest, ClientsThatMisbehaveLeaveTheServerAnswering) {
    // A copy that died left its socket file: the next copy takes its place, user-only.
    close(RawSocket(true));
    ASSERT_TRUE(InstanceWindows::StartServer());
    struct stat file;
    ASSERT_EQ(stat(InstanceWindows::ServerName().toStdString().c_str(), &file), 0);
    EXPECT_TRUE(S_ISSOCK(file.st_mode));
    EXPECT_EQ(file.st_mode & 0777, 0600u);

    // One says nothing, one hangs up within a request, one sends a request too long.
    const int silent = RawSocket(false);
    const int partial = RawSocket(false);
    send(partial, "LIS", 3, MSG_NOSIGNAL);
    close(partial);
    const int flood = RawSocket(false);
    const std::string longRequest(20000, 'x');
    send(flood, longRequest.data(), longRequest.size(), MSG_NOSIGNAL);
    EXPECT_EQ(OnOtherThread([] { return InstanceWindows::ListRemote(2000); }).size(), 1u);

    // The one with the long request is dropped.
    char byte;
    int error = EAGAIN;
    for (int i = 0; i < 200 && error == EAGAIN; ++i) {
        WaitMs(10);
        error = recv(flood, &byte, 1, MSG_DONTWAIT) < 0 ? errno : 0;
    }
    EXPECT_TRUE(error == 0 || error == ECONNRESET) << error;
    close(flood);
    close(silent);
}
