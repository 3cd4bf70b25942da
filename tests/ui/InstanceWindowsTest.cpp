#include "DemoProgram.h"
#include "InstanceWindows.h"

#include <future>

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
