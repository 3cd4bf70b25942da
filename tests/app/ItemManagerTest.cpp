#include "AppFixture.h"

#include "dlgs/CEditListsPropertySheet.h"
#include "dlgs/CNewItemDlg.h"
#include "QtText.h"

#include <QAbstractItemView>
#include <QDialog>
#include <QListWidget>

namespace {

using I = CItemManagerPage;
using E = CEditListPage;
using N = CNewItemDlg;
enum Page { kItems, kLocations, kCategories, kUnits };

// Runs the Item Manager with script on the open sheet, which OK then closes.
void RunSheet(ScriptedModalRunner& runner, const std::function<void()>& command,
              const std::function<void(CEditListsPropertySheet&)>& script) {
    runner.ExpectDialog(0, [script](CDialog& d) {
        script(dynamic_cast<CEditListsPropertySheet&>(d));
        PressOK(d);
    });
    command();
}

void TapRow(QAbstractItemView* view, int row) {
    ASSERT_GE(row, 0);
    view->scrollTo(view->model()->index(row, 0));
    Tap(view->viewport(), view->visualRect(view->model()->index(row, 0)).center());
}

void TapItem(CItemManagerPage& page, const char16_t* name) {
    const QModelIndexList found = page.GetList().GetView()->model()->match(
        page.GetList().GetView()->model()->index(0, 0), Qt::DisplayRole, ToQString(name), 1, Qt::MatchExactly);
    TapRow(page.GetList().GetView(), found.isEmpty() ? -1 : found.first().row());
}

void TapEntry(CEditListPage& page, const char16_t* entry) {
    TapRow(page.GetListBox().GetWidget(), page.GetListBox().FindStringExact(-1, entry));
}

std::unique_ptr<IRegistryKey> StoredItemKey(const TCHAR* name) {
    std::unique_ptr<IRegistryKey> items(TheRegistry().OpenItemsKey());
    return std::unique_ptr<IRegistryKey>(items ? items->OpenSubKey(name) : nullptr);
}

class ItemManagerTest : public DocTest {};

TEST_F(ItemManagerTest, NamesThereAlreadyAreRefusedIgnoringCaseWithEachPagesMessage) {
    CListoraDoc& doc = Doc();
    rep::delete_arrays(doc.GetUnits());
    doc.GetUnits().push_back(CopyText(u"KG"));
    const std::tuple<Page, QString, const char16_t*> cases[] = {
        {kItems, "milk", u"Item with such name already exists!"},
        {kLocations, "WALMART", u"Location 'WALMART' already exists!"},
        {kCategories, "foods", u"Category 'foods' already exist!"},
        {kUnits, "kg", u"The unit 'kg' already exists!"}};
    RunSheet(Script(), [this] { Frame(); Doc().OnItemManager(); }, [&](CEditListsPropertySheet& sheet) {
        for (const auto& [index, typed, message] : cases) {
            CDialog& page = *sheet.GetPage(index);
            SetControlText(page, index == kItems ? I::IDC_NAME : E::IDC_ENTRY, typed);
            Script().ExpectMessageBox(message, IDOK);
            PressButton(page, index == kItems ? I::IDC_ADD : E::IDC_ADD);
        }
    });
    EXPECT_TRUE(doc.GetItems().size() == 3 && doc.GetUnits().size() == 1);
}

TEST_F(ItemManagerTest, DeleteKeepsItemsThatALineBuysOrTheStoreHolds) {
    CListoraDoc& doc = Doc();
    doc.AddPurchase(MakePurchase(u"MILK", 1, 1));
    // A key with a subkey cannot be deleted: the store refuses to remove Soap.
    const std::unique_ptr<IRegistryKey> soap = StoredItemKey(u"Soap");
    ASSERT_TRUE(soap && std::unique_ptr<IRegistryKey>(soap->CreateSubKey(u"Pinned")));
    RunSheet(Script(), [this] { Frame(); Doc().OnItemManager(); }, [&](CEditListsPropertySheet& sheet) {
        CItemManagerPage& page = sheet.GetItemPage();
        Script()
            .ExpectMessageBox(u"Are you sure?", IDYES)
            .ExpectMessageBox(u"There is purchase for this item.\n"
                              u"Please delete the purchase and then delete the item!",
                              IDOK)
            .ExpectMessageBox(u"Are you sure?", IDYES)
            .ExpectMessageBox(u"Failed to remove item from registry!", IDOK)
            .ExpectMessageBox(u"Are you sure?", IDYES);
        for (const char16_t* name : {u"Milk", u"Soap", u"Eggs"}) {
            TapItem(page, name);  // which enables Delete
            PressButton(page, I::IDC_DELETE);
        }
        EXPECT_EQ(page.GetList().GetItemCount(), 2);
        EXPECT_FALSE(page.GetDlgItem(I::IDC_EDIT)->isEnabled() || page.GetDlgItem(I::IDC_DELETE)->isEnabled());
    });
    EXPECT_EQ(NamesOf(doc.GetItems()), (Names{u"Milk", u"Soap"}));
    EXPECT_EQ(StoredItemNames(), (Names{u"Milk", u"Soap"}));
}

TEST_F(ItemManagerTest, NamesInUseGoFromItemsAndLinesOnlyWhenTheUserInsists) {
    CListoraDoc& doc = Doc();
    doc.AddUnit(u"box");
    doc.AddPurchase(MakePurchase(u"Tea", 1, 2, nullptr, nullptr, false, false, {}, u"box"));
    doc.SetModifiedFlag(FALSE);
    View()->hints.clear();
    RunSheet(Script(), [this] { Frame(); Doc().OnItemManager(); }, [&](CEditListsPropertySheet& sheet) {
        Script().ExpectMessageBox(u"Delete sam's club?", IDYES);
        TapEntry(sheet.GetLocationsPage(), u"sam's club");  // used by nothing: one question
        Script()
            .ExpectMessageBox(u"Delete Drinks?", IDYES)
            .ExpectMessageBox(u"'Drinks' is in use!\nDo you want to remove it anyway?", IDNO);
        TapEntry(sheet.GetCategoriesPage(), u"Drinks");  // used by an item: kept on No
        Script()
            .ExpectMessageBox(u"Delete box?", IDYES)
            .ExpectMessageBox(u"'box' is in use!\nDo you want to remove it anyway?", IDYES);
        TapEntry(sheet.GetUnitsPage(), u"box");  // used only by a line: Yes takes it from the line
    });
    EXPECT_EQ(std::u16string(doc.FindPurchase(u"Tea")->GetUnit()), u"");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(View()->hints.front(), CListoraDoc::kHintGeneral);
    EXPECT_FALSE(ListContains(doc.GetUnits(), u"box"));
    EXPECT_FALSE(ListContains(doc.GetLocations(), u"sam's club"));
    EXPECT_TRUE(ListContains(doc.GetCategories(), u"Drinks") && doc.FindItem(u"Milk")->HasCategory(u"Drinks"));
}

TEST_F(ItemManagerTest, EditStoresNoneAsAnEmptyLocationAndTextThatIsNoNumberAsZero) {
    RunSheet(Script(), [this] { Frame(); Doc().OnItemManager(); }, [&](CEditListsPropertySheet& sheet) {
        Script().ExpectDialog(N::IDD, [&](CDialog& d) {
            EXPECT_FALSE(d.GetDlgItem(N::IDC_NAME)->isEnabled());
            EXPECT_EQ(d.GetDlgItemText(N::IDC_PRICE) + u" at " + d.GetDlgItemText(N::IDC_LOCATION), u"3.49 at walmart");
            CListCtrl categories(d.GetDlgItem(N::IDC_CATEGORIES));
            Names checked;
            for (int row = 0; row < categories.GetItemCount(); ++row)
                if (categories.GetCheck(row)) {
                    checked.push_back(categories.GetItemText(row, 0).str());
                    categories.SetCheck(row, checked.size() == 1);  // Foods stays, Drinks goes
                }
            EXPECT_EQ(checked, (Names{u"Foods", u"Drinks"}));
            SetControlText(d, N::IDC_LOCATION, "<none>");
            SetControlText(d, N::IDC_PRICE, "abc");
            PressOK(d);
        });
        TapItem(sheet.GetItemPage(), u"Milk");
        PressButton(sheet.GetItemPage(), I::IDC_EDIT);
    });
    const std::unique_ptr<IRegistryKey> milk = StoredItemKey(u"Milk");
    TCHAR* location = nullptr;
    DWORD price = 1;
    ASSERT_TRUE(milk && milk->GetString(u"Location", location) && milk->GetDWORD(u"Price", price));
    EXPECT_EQ(std::u16string(std::unique_ptr<TCHAR[]>(location).get()), u"");
    EXPECT_EQ(price, 0u);
    EXPECT_EQ(TextsOf(Doc().FindItem(u"Milk")->GetCategories()), (Names{u"Foods"}));
}

TEST_F(ItemManagerTest, NewItemDialogNeedsANameBesidesBlanksAndAFinitePrice) {
    N dialog(Doc(), nullptr);
    ASSERT_TRUE(dialog.Create());
    for (const auto& [typed, enabled] : {std::pair{"  ", false}, {" Tea ", true}}) {
        SetControlText(dialog, N::IDC_NAME, typed);
        for (int id : {N::IDC_UNIT, N::IDC_PRICE, N::IDC_TAXABLE, IDOK, N::IDC_CATEGORIES})
            EXPECT_EQ(dialog.GetDlgItem(id)->isEnabled(), enabled) << typed << " " << id;
    }
    SetControlText(dialog, N::IDC_PRICE, "inf");  // read as a number, but none to a shopper
    PressOK(dialog);
    EXPECT_EQ(dialog.TakeNewItem()->GetPrice(), 0.0f);
}

class ItemManagerJourneyTest : public apptest::AppFixture {};

TEST_F(ItemManagerJourneyTest, ChangesMadeInTheSheetOutliveARestart) {
    ASSERT_TRUE(Start());
    const Names categories = TextsOf(Doc().GetCategories());
    RunSheet(Script(), [this] { ASSERT_TRUE(ChooseMenuCommand(Frame(), {u"&List", u"&Item Manager"})); },
             [&](CEditListsPropertySheet& sheet) {
                 EXPECT_FALSE(Frame().IsCommandBarVisible());
                 for (int page : {kItems, kLocations, kCategories, kUnits}) {
                     sheet.SetActivePage(page);
                     CheckDialogFitsScreens(sheet, "item-manager-" + std::to_string(page));
                 }
                 sheet.GetDialog()->resize(240, 200);
                 ProcessEvents();
                 EXPECT_TRUE(sheet.GetUnitsPage().GetScrollArea().IsVScrollActive());

                 CItemManagerPage& items = sheet.GetItemPage();
                 sheet.SetActivePage(kItems);
                 TypeText(items.GetDlgItem(I::IDC_NAME), "Cheddar\r");
                 Script().ExpectDialog(N::IDD, [](CDialog& d) {
                     CheckDialogFitsScreens(d, "new-item-edit");
                     SetControlText(d, N::IDC_PRICE, "4.25");
                     for (int row : {0, 1})
                         CListCtrl(d.GetDlgItem(N::IDC_CATEGORIES)).SetCheck(row, TRUE);
                     PressOK(d);
                 });
                 TapItem(items, u"Cheddar");
                 PressButton(items, I::IDC_EDIT);
                 Script().ExpectMessageBox(u"Are you sure?", IDYES);
                 TapItem(items, u"Yogurt");
                 PressButton(items, I::IDC_DELETE);

                 CEditListPage& shops = sheet.GetLocationsPage();
                 sheet.SetActivePage(kLocations);
                 TypeText(shops.GetDlgItem(E::IDC_ENTRY), "Corner shop\r");
                 EXPECT_EQ(TextsOf(Doc().GetLocations()).back(), u"Corner shop") << "appended";
                 Script()
                     .ExpectMessageBox(u"Delete sam's club?", IDYES)
                     .ExpectMessageBox(u"'sam's club' is in use!\nDo you want to remove it anyway?", IDYES);
                 TapEntry(shops, u"sam's club");
             });
    EXPECT_TRUE(Frame().IsCommandBarVisible());

    ASSERT_TRUE(ChooseMenuCommand(Frame(), {u"&File", u"E&xit"}));
    ASSERT_TRUE(Start());
    const Item* cheddar = Doc().FindItem(u"Cheddar");
    ASSERT_NE(cheddar, nullptr);
    EXPECT_FLOAT_EQ(cheddar->GetPrice(), 4.25f);
    EXPECT_EQ(TextsOf(cheddar->GetCategories()), (Names{categories[0], categories[1]}));
    EXPECT_EQ(Doc().FindItem(u"Yogurt"), nullptr);
    EXPECT_FALSE(Doc().FindItem(u"Cheddar cheese")->HasLocation());
    // The names were read back from the store; the menus show them.
    EXPECT_GE(FindMenuItem(Frame().FindRestrictionMenu(MainFrame::kLocationMenu), u"Corner shop"), 0);
    EXPECT_FALSE(ListContains(Doc().GetLocations(), u"sam's club"));
}

}  // namespace
