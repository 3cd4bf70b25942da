// Command routing, update handlers, the command bar and menus.
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

TEST_F(CommandTest, UpdateHandlersEnableAndCheckMenuEntries) {
    CMenu* bar = frame->GetMenu();
    ASSERT_NE(bar, nullptr);
    QAction* toggle = bar->GetAction(ID_TOGGLE, MF_BYCOMMAND);
    QAction* nobody = bar->GetAction(ID_NOBODY, MF_BYCOMMAND);
    ASSERT_TRUE(toggle && nobody);

    CMenu* list = bar->GetSubMenu(1);
    frame->UpdateMenuCmdUI(list);
    EXPECT_TRUE(toggle->isEnabled());
    EXPECT_FALSE(toggle->isChecked());
    EXPECT_FALSE(nobody->isEnabled());  // no one handles it

    EXPECT_TRUE(ChooseMenuCommand(*frame, {u"&List", u"Toggle"}));
    EXPECT_TRUE(doc->flag);
    frame->UpdateMenuCmdUI(list);
    EXPECT_TRUE(toggle->isChecked());
    EXPECT_EQ(bar->GetMenuState(ID_TOGGLE, MF_BYCOMMAND) & MF_CHECKED, MF_CHECKED);
    EXPECT_FALSE(ChooseMenuCommand(*frame, {u"&List", u"Nobody"}));
    EXPECT_FALSE(ChooseMenuCommand(*frame, {u"&List", u"Missing"}));

    // Opening the menu runs the handlers too.
    doc->flag = false;
    emit list->GetQMenu()->aboutToShow();
    EXPECT_FALSE(toggle->isChecked());
}

TEST_F(CommandTest, ToolButtonsUpdateAndCheckStyleAlternates) {
    CCommandBar& bar = frame->bar;
    ASSERT_EQ(bar.GetCount(), 2);
    EXPECT_EQ(bar.GetItemID(0), ID_TOGGLE);
    QAction* toggle = bar.GetButtonAction(ID_TOGGLE);
    ASSERT_NE(toggle, nullptr);
    EXPECT_EQ(toggle->toolTip(), QStringLiteral("Toggle"));
    EXPECT_EQ(toggle->statusTip(), QStringLiteral("Toggle the flag"));
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

    // The check-style button keeps its own pressed state, in step with its command.
    frame->CreateSecondView();
    EXPECT_FALSE(bar.IsButtonChecked(ID_SWITCH));
    EXPECT_TRUE(ClickToolButton(*frame, ID_SWITCH));
    EXPECT_TRUE(bar.IsButtonChecked(ID_SWITCH));
    EXPECT_EQ(frame->GetActiveView(), frame->second);
    EXPECT_TRUE(ClickToolButton(*frame, ID_SWITCH));
    EXPECT_FALSE(bar.IsButtonChecked(ID_SWITCH));
    EXPECT_EQ(frame->GetActiveView(), frame->first);

    // A button nobody handles is disabled at the next refresh.
    bar.EnableButton(ID_SWITCH, TRUE);
    frame->SetActiveView(nullptr);
    frame->OnUpdateCmdUI();
    EXPECT_TRUE(bar.IsButtonEnabled(ID_SWITCH));  // the frame itself handles it
    EXPECT_FALSE(bar.IsButtonEnabled(ID_TOGGLE));  // the document is out of reach
}

TEST_F(CommandTest, RestrictionSubmenuRebuiltAndMarkedByTextAndPosition) {
    // "&List" > "Categories Restriction", as the resource made it.
    CMenu* menu = frame->GetMenu()->GetSubMenu(1)->GetSubMenu(0);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->GetMenuItemCount(), 2);
    EXPECT_EQ(menu->GetMenuItemID(1), 0u);  // the separator

    // Rebuild: delete by position, append the entries, check the restriction.
    while (menu->GetMenuItemCount() > 0)
        menu->DeleteMenu(0, MF_BYPOSITION);
    menu->AppendMenu(MF_STRING, ID_CATEGORY_FIRST, u"All Categories");
    menu->AppendMenu(MF_SEPARATOR);
    const char16_t* names[] = {u"Fruit", u"fruit", u"Dairy"};
    for (UINT i = 0; i < 3; ++i)
        menu->AppendMenu(MF_STRING | (i == 1 ? MF_CHECKED : 0), ID_CATEGORY_FIRST + 1 + i, names[i]);
    ASSERT_EQ(menu->GetMenuItemCount(), 5);

    // Marking by exact text: only "Fruit", not "fruit".
    for (int i = 0; i < menu->GetMenuItemCount(); ++i) {
        CString text;
        menu->GetMenuString(static_cast<UINT>(i), text, MF_BYPOSITION);
        menu->CheckMenuItem(static_cast<UINT>(i), MF_BYPOSITION | (text == CString(u"Fruit") ? MF_CHECKED : MF_UNCHECKED));
    }
    EXPECT_EQ(menu->GetMenuState(2, MF_BYPOSITION) & MF_CHECKED, MF_CHECKED);
    EXPECT_EQ(menu->GetMenuState(3, MF_BYPOSITION) & MF_CHECKED, 0u);
    EXPECT_EQ(menu->GetMenuState(0, MF_BYPOSITION) & MF_CHECKED, 0u);
    EXPECT_EQ(menu->CheckMenuItem(ID_CATEGORY_FIRST + 1, MF_BYCOMMAND | MF_UNCHECKED), MF_CHECKED);
    EXPECT_EQ(menu->CheckMenuItem(99, MF_BYPOSITION | MF_CHECKED), static_cast<UINT>(-1));

    // A chosen entry sends its id; a check mark does not flip by itself.
    EXPECT_TRUE(ChooseMenuCommand(*frame, {u"&List", u"Categories Restriction", u"Dairy"}));
    EXPECT_EQ(doc->category, 3);
    menu->CheckMenuItem(4, MF_BYPOSITION | MF_CHECKED);
    menu->GetAction(4, MF_BYPOSITION)->trigger();
    EXPECT_EQ(menu->GetMenuState(4, MF_BYPOSITION) & MF_CHECKED, MF_CHECKED);

    // Texts are read with the caller's limit.
    WCHAR buffer[4];
    EXPECT_EQ(menu->GetMenuString(2, buffer, 4, MF_BYPOSITION), 3);
    EXPECT_EQ(std::u16string(buffer), u"Fru");
}

TEST_F(CommandTest, PopupMenuTrackedAboveARectangleAndChoiceRouted) {
    frame->GetWidget()->show();
    ProcessEvents();
    CMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    popup.AppendMenu(MF_STRING | MF_CHECKED, ID_CATEGORY_FIRST, u"All Categories");
    popup.AppendMenu(MF_SEPARATOR);
    popup.AppendMenu(MF_STRING, ID_CATEGORY_FIRST + 1, u"Fruit");
    CRect barRect;
    frame->bar.GetWindowRect(&barRect);

    QPoint shownAt;
    Script().ExpectPopupMenu([&](CMenu& menu, const QPoint& pos) {
        shownAt = pos;
        EXPECT_EQ(menu.GetMenuItemCount(), 3);
        return ID_CATEGORY_FIRST + 1;
    });
    EXPECT_TRUE(popup.TrackPopupMenu(TPM_LEFTALIGN | TPM_BOTTOMALIGN, barRect.left, barRect.top, frame));
    EXPECT_EQ(doc->category, 1);
    // Bottom-aligned: the menu ends where the command bar starts.
    EXPECT_EQ(shownAt.x(), barRect.left);
    EXPECT_EQ(shownAt.y() + popup.GetQMenu()->sizeHint().height(), barRect.top);

    // Dismissed, or with the id returned to the caller instead of sent.
    Script().ExpectPopupMenu(0u).ExpectPopupMenu(ID_CATEGORY_FIRST);
    EXPECT_FALSE(popup.TrackPopupMenu(0, 10, 10, frame));
    EXPECT_EQ(popup.TrackPopupMenu(TPM_RETURNCMD, 10, 10, frame), static_cast<BOOL>(ID_CATEGORY_FIRST));
    EXPECT_EQ(doc->category, 1);
}
