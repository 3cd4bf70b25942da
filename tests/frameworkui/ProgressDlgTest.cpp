// The progress dialog with its work on a worker thread (steps to the end, Cancel, short
// work that never shows it) and with work in steps on the user-interface thread. Run
// under ThreadSanitizer with -DLISTORA_TSAN=ON.
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
    dialog.SetTitle(u"Loading");
    QString text;
    int barMax = -1;
    // What the dialog shows while the work runs.
    QTimer::singleShot(80, [&] {
        if (QDialog* window = dialog.GetDialog()) {
            text = dialog.GetDlgItemAs<QLabel>(CProgressDlg::IDC_TEXT)->text();
            barMax = dialog.GetDlgItemAs<QProgressBar>(CProgressDlg::IDC_PROGRESS)->maximum();
            EXPECT_TRUE(window->isVisible());
            EXPECT_FALSE(dialog.GetDlgItem(IDCANCEL)->isVisible()) << "no Cancel unless it is available";
        }
    });
    CProgressDlg::StartProgress(&dialog, [&] {
        dialog.SetMaxOfInterval(40);
        dialog.SetText(u"Reading items");
        for (int i = 0; i < 40; ++i) {
            dialog.Step();
            std::this_thread::sleep_for(4ms);
        }
    });
    EXPECT_TRUE(dialog.WasShown());
    EXPECT_EQ(dialog.GetPos(), 40u);
    EXPECT_TRUE(dialog.IsEnded()) << "the last step ends the dialog";
    EXPECT_EQ(dialog.GetWidget(), nullptr) << "closed when the work returns";
    EXPECT_EQ(text, QStringLiteral("Reading items"));
    EXPECT_EQ(barMax, 40);
}

TEST_F(ProgressDlgTest, CancelStopsTheWorkAndFurtherSteps) {
    CProgressDlg dialog;
    dialog.SetShowDelay(0);
    dialog.SetCancelAvailable(true);
    dialog.SetMaxOfInterval(1000000);
    QTimer::singleShot(60, [&] { PressCancel(dialog); });
    DWORD stepsAfterCancel = 0;
    CProgressDlg::StartProgress(&dialog, [&] {
        while (!dialog.IsCancelPressed()) {
            dialog.Step();
            std::this_thread::sleep_for(1ms);
        }
        const DWORD at = dialog.GetPos();
        dialog.Step();
        stepsAfterCancel = dialog.GetPos() - at;
    });
    EXPECT_TRUE(dialog.IsCancelPressed());
    EXPECT_GT(dialog.GetPos(), 0u);
    EXPECT_LT(dialog.GetPos(), 1000000u);
    EXPECT_EQ(stepsAfterCancel, 0u);
}

TEST_F(ProgressDlgTest, ShortWorkNeverShowsTheDialog) {
    CProgressDlg dialog;
    dialog.SetMaxOfInterval(1000);
    CProgressDlg::StartProgress(&dialog, [&] {
        for (int i = 0; i < 500; ++i)
            dialog.Step();
    });
    EXPECT_FALSE(dialog.WasShown());
    EXPECT_EQ(dialog.GetPos(), 500u);
}

TEST_F(ProgressDlgTest, StepsOnTheUserInterfaceThreadShowAndEndIt) {
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
    EXPECT_TRUE(dialog.GetDialog()->isVisible());
    dialog.Step();
    EXPECT_FALSE(dialog.GetDialog()->isVisible());
}

}  // namespace
