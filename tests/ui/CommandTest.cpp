// Command routing, update handlers and the command bar.
#include "CMenu.h"
#include "DemoProgram.h"
#include "StringTable.h"

#include <QAction>
#include <QMenu>

using namespace demo;

class CommandTest : public DemoTest {
protected:
    void SetUp() override {
        DemoTest::SetUp();
        StringTable::Register({{ID_TOGGLE, u"Toggle the flag\nToggle"}, {ID_SWITCH, u"Switch views\nSwitch"}});
        ASSERT_NE(StartNew(), nullptr);
        doc = Doc();
    }
    void TearDown() override {
        DemoTest::TearDown();
        StringTable::Clear();
    }
    DemoDoc* doc = nullptr;
};

TEST_F(CommandTest, CommandGoesToViewThenDocumentThenFrameThenApplication) {
    EXPECT_TRUE(frame->SendMessage(WM_COMMAND, ID_VIEW_ONLY));
    EXPECT_TRUE(frame->SendMessage(WM_COMMAND, ID_BOTH));
    EXPECT_TRUE(frame->SendMessage(WM_COMMAND, ID_DOC_ONLY));
    EXPECT_TRUE(frame->SendMessage(WM_COMMAND, ID_FRAME_ONLY));
    EXPECT_TRUE(frame->SendMessage(WM_COMMAND, ID_APP_ONLY));
    EXPECT_FALSE(frame->SendMessage(WM_COMMAND, ID_NOBODY));
    EXPECT_EQ(Log(), (std::vector<std::string>{"view:only", "view:both", "doc:only", "frame:only", "app:only"}));

    // Without an active view the document is out of the route as well.
    CView* view = frame->GetActiveView();
    frame->SetActiveView(nullptr);
    Log().clear();
    EXPECT_FALSE(frame->SendMessage(WM_COMMAND, ID_DOC_ONLY));
    EXPECT_TRUE(frame->SendMessage(WM_COMMAND, ID_APP_ONLY));
    EXPECT_EQ(Log(), (std::vector<std::string>{"app:only"}));
    frame->SetActiveView(view);
}

TEST_F(CommandTest, LaterRegistrationOverridesAndSingleIdBeatsRange) {
    struct Target : CCmdTarget {
        Target() {
            MapCommandRange(10, 20, [this](UINT id) { seen.push_back("range " + std::to_string(id)); });
            MapCommand(15, [this] { seen.push_back("base 15"); });
            MapCommand(15, [this] { seen.push_back("derived 15"); });
        }
        std::vector<std::string> seen;
    } target;
    target.OnCmdMsg(15, CN_COMMAND, nullptr, nullptr);
    target.OnCmdMsg(12, CN_COMMAND, nullptr, nullptr);
    EXPECT_FALSE(target.OnCmdMsg(21, CN_COMMAND, nullptr, nullptr));
    EXPECT_EQ(target.seen, (std::vector<std::string>{"derived 15", "range 12"}));
    AFX_CMDHANDLERINFO info;
    EXPECT_TRUE(target.OnCmdMsg(13, CN_COMMAND, nullptr, &info));
    EXPECT_EQ(info.pTarget, &target);
    EXPECT_EQ(target.seen.size(), 2u);  // probing runs nothing
}

// Choosing entries through the handlers is the program's (tests/app); here what
// opening a menu does.
TEST_F(CommandTest, UpdateHandlersEnableAndCheckMenuEntries) {
    CMenu* bar = frame->GetMenu();
    ASSERT_NE(bar, nullptr);
    QAction* toggle = bar->GetAction(ID_TOGGLE, MF_BYCOMMAND);
    QAction* nobody = bar->GetAction(ID_NOBODY, MF_BYCOMMAND);
    ASSERT_TRUE(toggle && nobody);
    doc->flag = true;
    emit bar->GetSubMenu(1)->GetQMenu()->aboutToShow();
    EXPECT_TRUE(toggle->isChecked());
    EXPECT_FALSE(nobody->isEnabled());  // no one handles it
    EXPECT_FALSE(ChooseMenuCommand(*frame, {u"&List", u"Nobody"}));
}

TEST_F(CommandTest, ToolButtonsUpdateAndCheckStyleAlternates) {
    CCommandBar& bar = frame->bar;
    QAction* toggle = bar.GetButtonAction(ID_TOGGLE);
    ASSERT_NE(toggle, nullptr);
    EXPECT_EQ(toggle->toolTip(), QStringLiteral("Toggle"));
    // The image comes from the strip's first 16 x 15 cell.
    const QImage icon = toggle->icon().pixmap(16, 15).toImage();
    ASSERT_FALSE(icon.isNull());
    EXPECT_EQ(icon.pixelColor(3, 3), QColor(0, 0, 255));

    // The document's update handler checks the plain button after its command.
    EXPECT_TRUE(ClickToolButton(*frame, ID_TOGGLE));
    EXPECT_TRUE(doc->flag);
    EXPECT_TRUE(bar.IsButtonChecked(ID_TOGGLE));
    EXPECT_TRUE(ClickToolButton(*frame, ID_TOGGLE));
    EXPECT_FALSE(bar.IsButtonChecked(ID_TOGGLE));

    // The check-style button's pressed state is the program's Choose Items (tests/app).
    // A button nobody handles is disabled at the next refresh.
    bar.EnableButton(ID_SWITCH, TRUE);
    frame->SetActiveView(nullptr);
    frame->OnUpdateCmdUI();
    EXPECT_TRUE(bar.IsButtonEnabled(ID_SWITCH));  // the frame itself handles it
    EXPECT_FALSE(bar.IsButtonEnabled(ID_TOGGLE));  // the document is out of reach
}
