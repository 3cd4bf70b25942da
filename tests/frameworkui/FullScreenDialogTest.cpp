#include "CSTFullScreenDialog.h"
#include "DialogTemplate.h"
#include "UiTest.h"

#include <QDialog>

namespace {
constexpr UINT kTemplate = 9100;

class FullScreenDialogTest : public UiTest {
protected:
    void SetUp() override {
        UiTest::SetUp();
        DialogTemplate::Register(kTemplate, DialogTemplate{u"Full", 240, 200, {}});
    }
};

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
    EXPECT_TRUE(dialog.GetDialog()->isFullScreen());
    EXPECT_TRUE(icon->IsWindowVisible());

    Tap(icon->GetWidget(), {8, 8});
    EXPECT_FALSE(dialog.GetDialog()->isFullScreen());
    EXPECT_FALSE(icon->IsWindowVisible());

    // Closed while full screen, the dialog gives the screen back.
    dialog.SwitchFullScreenState();
    dialog.DestroyWindow();
    EXPECT_FALSE(dialog.GetFullScreenState());
}
