// Full-screen dialogs: switching the state through the switch command and the
// floating icon, the screen given back on close, the icon in the dialog's command bar.
#include "CCommandBar.h"
#include "CSTFullScreenDialog.h"
#include "DialogTemplate.h"
#include "UiTest.h"

#include <QAction>
#include <QDialog>
#include <QToolBar>

namespace {
constexpr UINT kTemplate = 9100;

class FullScreenDialogTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        DialogTemplate::Register(kTemplate, DialogTemplate{u"Full", 240, 200, {}});
    }
};

// A dialog with a command bar of its own, as the device dialogs have.
class BarDialog : public CSTFullScreenDialog {
public:
    BarDialog() : CSTFullScreenDialog(kTemplate) {}
    BOOL OnInitDialog() override {
        bar.Create(this);
        return CSTFullScreenDialog::OnInitDialog();
    }
    CCommandBar bar;
};

int SwitchButtons(CCommandBar& bar) {
    int count = 0;
    for (QAction* action : bar.GetToolBar()->actions())
        count += action->data().toUInt() == ID_STFULLSCREEN_SWITCH;
    return count;
}

}  // namespace

TEST_F(FullScreenDialogTest, TheSwitchCommandTogglesTheStateAndTheIconFollowsIt) {
    CSTFullScreenDialog dialog(kTemplate);
    dialog.SetFullScreenIconPosition(2);
    ASSERT_TRUE(dialog.Create());
    dialog.ShowWindow(SW_SHOW);
    ProcessEvents();
    CSTFullScreenIcon* icon = dialog.GetFullScreenIconWindow();
    ASSERT_NE(icon, nullptr);
    EXPECT_FALSE(icon->IsWindowVisible());

    dialog.SendMessage(WM_COMMAND, ID_STFULLSCREEN_SWITCH);
    EXPECT_TRUE(dialog.GetFullScreenState());
    EXPECT_TRUE(dialog.GetDialog()->isFullScreen());
    EXPECT_TRUE(icon->IsWindowVisible());
    EXPECT_EQ(icon->GetWidget()->geometry(), QRect(dialog.GetDialog()->width() - 16, 0, 16, 16));

    // The icon switches back.
    Tap(icon->GetWidget(), {8, 8});
    EXPECT_FALSE(dialog.GetFullScreenState());
    EXPECT_FALSE(dialog.GetDialog()->isFullScreen());
    EXPECT_FALSE(icon->IsWindowVisible());

    // Closed while full screen, the dialog gives the screen back.
    dialog.SwitchFullScreenState();
    dialog.DestroyWindow();
    EXPECT_FALSE(dialog.GetFullScreenState());
}

TEST_F(FullScreenDialogTest, TheIconGoesIntoTheCommandBarOnceWhenAsked) {
    for (BOOL add : {FALSE, TRUE}) {
        BarDialog dialog;
        dialog.SetAddIconToToolbar(add);
        ASSERT_TRUE(dialog.Create());
        EXPECT_EQ(dialog.GetCommandBar(), &dialog.bar);
        EXPECT_EQ(SwitchButtons(dialog.bar), add ? 1 : 0);
        for (int i = 0; i < 2; ++i)
            EXPECT_EQ(dialog.GetFullScreenIconWindow()->InsertIconInDialogToolbar(&dialog.bar), TRUE);
        EXPECT_EQ(SwitchButtons(dialog.bar), 1) << "added once";
        dialog.bar.GetToolBar()->actions().back()->trigger();
        EXPECT_TRUE(dialog.GetFullScreenState()) << "the button switches the dialog";
        EXPECT_TRUE(dialog.bar.GetWidget()->isHidden()) << "full screen hides the command bar";
        dialog.DestroyWindow();
    }
}
