// The application's commands through the menus and tool buttons: Open, Help, the
// entries whose dialogs come later, Choose Items, and the user's whole journey
// (pick, tick, Exit, restart).
#include "AppFixture.h"

#include "CListoraChoiceView.h"
#include "CListoraView.h"
#include "CMenu.h"
#include "HandlerStub.h"
#include "ProcessApi.h"

using namespace apptest;

namespace {

class AppCommandTest : public AppFixture {
protected:
    void SetUp() override {
        AppFixture::SetUp();
        ASSERT_TRUE(Start());
    }
    std::size_t LinesIn(const std::string& hostPath) { return ListFileNames(U16(hostPath).c_str()).size(); }
};

}  // namespace

TEST_F(AppCommandTest, OpenOffersTheSupportedFilesAndOpensTheChosenList) {
    const std::string weekly = Root().file("My Documents/Weekly.lsr");
    ASSERT_TRUE(WriteList(U16(weekly).c_str(), {new Purchase(u"Tea")}));
    Script().ExpectFileDialog(true, CString(U16(weekly)));
    ASSERT_TRUE(ChooseMenuCommand(Frame(), {u"&File", u"&Open...\tCtrl+O"}));
    EXPECT_EQ(Script().LastFileFilters().value(0), QStringLiteral("All Supported files (*.lsr *.obls)"));
    EXPECT_NE(Doc().FindPurchase(u"Tea"), nullptr);
    EXPECT_EQ(std::u16string(TheOptions().GetLastFile()), U16(weekly));
}

TEST_F(AppCommandTest, EntriesOfDialogsStillToComeArePresentButDisabled) {
    const std::pair<int, const char16_t*> entries[] = {{0, u"Delete Unused Lists"}, {1, u"&Item Manager"}};
    for (const auto& [menu, text] : entries) {
        EXPECT_GE(FindMenuItem(Frame().GetMenu()->GetSubMenu(menu), text), 0);
        EXPECT_FALSE(ChooseMenuCommand(Frame(), {menu == 0 ? u"&File" : u"&List", text}));
    }
}

TEST_F(AppCommandTest, HelpOpensThePageBesideTheProgramWithTheDesktopHandler) {
    const HandlerStub handler(Root());
    ASSERT_TRUE(ChooseMenuCommand(Frame(), {u"&File", u"Help"}));
    char16_t program[1024] = {};
    GetModuleFileNameW(nullptr, program, 1024);
    const std::u16string folder(program, std::u16string_view(program).rfind(u'/') + 1);
    EXPECT_EQ(handler.Opened(), std::string(folder.begin(), folder.end()) + "Listora.htm");
}

TEST_F(AppCommandTest, ChooseItemsSwitchesToTheChoiceViewAndBack) {
    CView* list = App().GetListView();
    CView* choice = App().GetChoiceView();
    ASSERT_TRUE(ClickToolButton(Frame(), MainFrame::ID_CHOOSE_ITEMS));
    EXPECT_EQ(App().GetCurrentView(), 1u);
    EXPECT_EQ(Frame().GetActiveView(), choice);
    EXPECT_TRUE(choice->IsWindowVisible());
    EXPECT_FALSE(list->IsWindowVisible());
    EXPECT_EQ(choice->GetDlgCtrlID(), static_cast<int>(AFX_IDW_PANE_FIRST));
    EXPECT_EQ(list->GetDlgCtrlID(), static_cast<int>(ListoraApp::kChoiceViewId));
    EXPECT_EQ(choice->GetWidget()->geometry(), Frame().GetViewArea()->rect());
    EXPECT_GT(App().GetChoiceView()->GetHeaderHeight(), 0) << "the header is laid out for the real size";
    EXPECT_TRUE(Frame().GetCommandBar().IsButtonChecked(MainFrame::ID_CHOOSE_ITEMS));
    EXPECT_TRUE(Doc().IsModified());

    EXPECT_EQ(App().SwitchView(), choice) << "returns the view that was active";
    EXPECT_EQ(Frame().GetActiveView(), list);
    EXPECT_EQ(list->GetDlgCtrlID(), static_cast<int>(AFX_IDW_PANE_FIRST));
    EXPECT_FALSE(choice->IsWindowVisible());
}

TEST_F(AppCommandTest, PickTickAndFindEverythingAgainAfterARestart) {
    CListoraChoiceView* choice = App().GetChoiceView();
    ASSERT_TRUE(ClickToolButton(Frame(), MainFrame::ID_CHOOSE_ITEMS));
    // A tap on the first catalogue row's Item cell puts the item on the list.
    const int firstRow = choice->GetRowsTop() + static_cast<int>(TheOptions().GetFontSize()) / 2;
    choice->RenderToImage();
    Tap(choice->GetWidget(), QPoint(50, firstRow));
    ASSERT_EQ(Doc().GetPurchases().size(), 1u);
    const std::u16string name = Doc().GetPurchases()[0]->GetName();

    // Back in the list, a tap on the Item cell ticks the line off.
    ASSERT_TRUE(ClickToolButton(Frame(), MainFrame::ID_CHOOSE_ITEMS));
    CListoraView* list = App().GetListView();
    list->RenderToImage();
    Tap(list->GetWidget(), QPoint(50, list->GetRowsTop() + static_cast<int>(TheOptions().GetFontSize()) / 2));
    EXPECT_TRUE(Doc().GetPurchases()[0]->IsPurchased());

    // Exit saves without asking and closes the window.
    ASSERT_TRUE(ChooseMenuCommand(Frame(), {u"&File", u"E&xit"}));
    EXPECT_EQ(LinesIn(NewList()), 1u);
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_FALSE(Frame().IsWindowVisible());

    ASSERT_TRUE(Start());
    ASSERT_NE(Doc().FindPurchase(name.c_str()), nullptr);
    EXPECT_TRUE(Doc().FindPurchase(name.c_str())->IsPurchased());
    EXPECT_EQ(Doc().GetTitle(), CString(u"New"));
    EXPECT_EQ(LogText(Root().file("Listora.txt")).find("create default"), std::string::npos);
}
