// The progress dialog with its work on a worker thread and in steps on the user-interface
// thread. Run under ThreadSanitizer too (-DLISTORA_TSAN=ON).
#include "CProgressDlg.h"
#include "UiTest.h"

#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <chrono>
#include <thread>

namespace {

using namespace std::chrono_literals;

class ProgressDlgTest : public UiTest {};

TEST_F(ProgressDlgTest, WorkerStepsToTheMaximumAndTheDialogClosesItself) {
    CProgressDlg dialog;
    dialog.SetShowDelay(0);
    CProgressDlg::StartProgress(&dialog, [&] {
        dialog.SetMaxOfInterval(40);
        for (int i = 0; i < 40; ++i) {
            dialog.SetText(i < 39 ? u"Reading" : u"Reading items");
            dialog.Step();
            std::this_thread::sleep_for(2ms);
        }
    });
    ASSERT_TRUE(dialog.WasShown());
    EXPECT_TRUE(dialog.IsEnded() && !dialog.GetDialog()->isVisible()) << "the last step ends the dialog";
    EXPECT_EQ(dialog.GetDlgItemAs<QLabel>(CProgressDlg::IDC_TEXT)->text(), QStringLiteral("Reading items"));
    EXPECT_EQ(dialog.GetDlgItemAs<QProgressBar>(CProgressDlg::IDC_PROGRESS)->value(), 40);
    EXPECT_TRUE(dialog.GetDlgItem(IDCANCEL)->isHidden()) << "no Cancel unless it is available";
}

TEST_F(ProgressDlgTest, CancelStopsTheWorkAndFurtherSteps) {
    CProgressDlg dialog;
    dialog.SetShowDelay(0);
    dialog.SetCancelAvailable(true);
    dialog.SetMaxOfInterval(1000000);
    QTimer::singleShot(60, [&] { PressCancel(dialog); });
    CProgressDlg::StartProgress(&dialog, [&] {
        while (!dialog.IsCancelPressed()) {
            dialog.Step();
            std::this_thread::sleep_for(1ms);
        }
    });
    EXPECT_TRUE(dialog.GetPos() > 0 && dialog.GetPos() < 1000000u);
    const DWORD at = dialog.GetPos();
    dialog.Step();
    EXPECT_EQ(dialog.GetPos(), at) << "no step after Cancel";
}

TEST_F(ProgressDlgTest, ShortWorkNeverShowsItAndUiThreadStepsShowAndEndIt) {
    CProgressDlg quick;
    CProgressDlg::StartProgress(&quick, [&] { quick.Step(); });
    EXPECT_FALSE(quick.WasShown());
    CProgressDlg dialog;
    dialog.SetShowDelay(0);
    dialog.SetMaxOfInterval(3);
    CProgressDlg::StartProgress(&dialog);
    ASSERT_TRUE(dialog.WasShown());
    dialog.Step();
    // The bar catches up at the next step after the refresh interval.
    WaitMs(CProgressDlg::kRefreshMs + 10);
    dialog.Step();
    EXPECT_EQ(dialog.GetDlgItemAs<QProgressBar>(CProgressDlg::IDC_PROGRESS)->value(), 2);
    dialog.Step();
    EXPECT_FALSE(dialog.GetDialog()->isVisible());
}

}  // namespace
