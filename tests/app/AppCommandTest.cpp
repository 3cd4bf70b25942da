// The application's commands through the menus and tool buttons: Open, Help, the
// entries whose dialogs come later, Choose Items, the user's whole journeys (pick,
// tick, Exit, restart; add a new item, restart) and every way to the add-item dialog.
#include "AppFixture.h"

#include "CListoraChoiceView.h"
#include "CListHeaderCtrl.h"
#include "CListoraView.h"
#include "CMenu.h"
#include "HandlerStub.h"
#include "Listora/dlgs/CAddItemDialog.h"
#include "Listora/dlgs/CSelectCategoriesDlg.h"
#include "ProcessApi.h"

#include <QLineEdit>

using namespace apptest;

namespace {

using AppCommandTest = StartedApp;

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
    EXPECT_EQ(choice->GetWidget()->geometry(), Frame().GetViewArea()->rect());
    EXPECT_GT(App().GetChoiceView()->GetHeaderHeight(), 0) << "the header is laid out for the real size";
    EXPECT_TRUE(Frame().GetCommandBar().IsButtonChecked(MainFrame::ID_CHOOSE_ITEMS));
    EXPECT_TRUE(Doc().IsModified());

    EXPECT_EQ(App().SwitchView(), choice) << "returns the view that was active";
    EXPECT_EQ(Frame().GetActiveView(), list);
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
    EXPECT_EQ(ListFileNames(U16(NewList()).c_str()).size(), 1u);
    EXPECT_FALSE(Doc().IsModified());
    EXPECT_FALSE(Frame().IsWindowVisible());

    ASSERT_TRUE(Start());
    ASSERT_NE(Doc().FindPurchase(name.c_str()), nullptr);
    EXPECT_TRUE(Doc().FindPurchase(name.c_str())->IsPurchased());
    EXPECT_EQ(Doc().GetTitle(), CString(u"New"));
    EXPECT_EQ(LogText(Root().file("Listora.txt")).find("create default"), std::string::npos);
}

TEST_F(AppCommandTest, AddANewItemWithATapOnTheEmptyListAndFindItAfterARestart) {
    using D = CAddItemDialog;
    CListoraView* list = App().GetListView();
    list->RenderToImage();
    const int rowHeight = static_cast<int>(TheOptions().GetFontSize());
    const Names categories = TextsOf(Doc().GetCategories());
    ASSERT_GE(categories.size(), 2u);
    Script().ExpectDialog(D::IDD, [this](CDialog& d) {
        SetControlText(d, D::IDC_NAME, QStringLiteral("Cheddar"));
        QLineEdit* qty = d.GetDlgItemAs<QLineEdit>(D::IDC_QTY);
        qty->selectAll();
        TypeText(qty, QStringLiteral("2.5"));
        SetControlText(d, D::IDC_PRICE, QStringLiteral("3.49"));
        SetControlText(d, D::IDC_LOCATION, QStringLiteral("Corner shop"));
        Script().ExpectDialog(CSelectCategoriesDlg::IDD, [](CDialog& picker) {
            CListCtrl rows(picker.GetDlgItem(CSelectCategoriesDlg::IDC_CATEGORIES));
            rows.SetCheck(0, TRUE);
            rows.SetCheck(1, TRUE);
            PressOK(picker);
        });
        PressButton(d, D::IDC_CATEGORIES);
        PressOK(d);
    });
    Tap(list->GetWidget(), QPoint(100, list->GetRowsTop() + rowHeight * 3));
    // Each field's way from the dialog to the line is AddItemDialogTest's.
    const auto expectCheddar = [&] {
        const Purchase* cheddar = Doc().FindPurchase(u"Cheddar");
        ASSERT_NE(cheddar, nullptr);
        EXPECT_FLOAT_EQ(cheddar->GetQty(), 2.5f);
        EXPECT_EQ(TextsOf(cheddar->GetCategories()), (Names{categories[0], categories[1]}));
        ASSERT_NE(Doc().FindItem(u"Cheddar"), nullptr);
        EXPECT_FLOAT_EQ(Doc().FindItem(u"Cheddar")->GetPrice(), 3.49f);
    };
    expectCheddar();

    // The line's Qty, Location and Note cells and the price menu's "Other .." open
    // the dialog on the line; the + button opens it empty.
    list->RenderToImage();
    CListHeaderCtrl* header = list->GetHeader();
    const auto tapCell = [&](int kind) {
        int c = 0;
        while (header->GetColumnKind(c) != kind)
            ++c;
        Tap(list->GetWidget(), QPoint(header->GetLeft(c) + 5, list->GetRowsTop() + rowHeight / 2));
    };
    const auto nameIs = [](const char16_t* name) {
        return [name](CDialog& d) {
            EXPECT_EQ(d.GetDlgItemText(D::IDC_NAME), CString(name));
            PressCancel(d);
        };
    };
    for (int kind : {KindQty, KindLocation, KindNote}) {
        Script().ExpectDialog(D::IDD, nameIs(u"Cheddar"));
        tapCell(kind);
    }
    Script().ExpectPopupMenu(CListoraView::ID_PRICE_OTHER).ExpectDialog(D::IDD, nameIs(u"Cheddar"));
    tapCell(KindPrice);
    Script().ExpectDialog(D::IDD, nameIs(u"All-purpose cleaner"));  // the catalogue's first item
    EXPECT_TRUE(ClickToolButton(Frame(), MainFrame::ID_ADD_ITEM));
    EXPECT_EQ(Doc().GetPurchases().size(), 1u);

    ASSERT_TRUE(ChooseMenuCommand(Frame(), {u"&File", u"E&xit"}));
    ASSERT_TRUE(Start());
    expectCheddar();
}
