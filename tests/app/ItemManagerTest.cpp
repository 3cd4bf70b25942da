// The Item Manager: names refused ignoring case with each page's message, deletions
// that a line or the store refuses, names in use taken from items and lines, the item
// dialog's fields as stored, and the user's journey through the sheet and a restart.
#include "AppFixture.h"

#include "CListoraChoiceView.h"
#include "RegistryApi.h"
#include "dlgs/CEditListsPropertySheet.h"
#include "dlgs/CNewItemDlg.h"

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
        auto& sheet = dynamic_cast<CEditListsPropertySheet&>(d);
        script(sheet);
        PressOK(sheet);
    });
    command();
}

void TapRow(QAbstractItemView* view, int row) {
    ASSERT_GE(row, 0);
    view->scrollTo(view->model()->index(row, 0));
    Tap(view->viewport(), view->visualRect(view->model()->index(row, 0)).center());
}

void TapItem(CItemManagerPage& page, const char16_t* name) {
    CListCtrl& list = page.GetList();
    int row = 0;
    while (row < list.GetItemCount() && list.GetItemText(row, 0) != CString(name))
        ++row;
    TapRow(list.GetView(), row < list.GetItemCount() ? row : -1);
}

void TapEntry(CEditListPage& page, const char16_t* entry) {
    TapRow(page.GetListBox().GetWidget(), page.GetListBox().FindStringExact(-1, entry));
}

std::unique_ptr<IRegistryKey> StoredItemKey(const TCHAR* name) {
    std::unique_ptr<IRegistryKey> items(TheRegistry().OpenItemsKey());
    return std::unique_ptr<IRegistryKey>(items ? items->OpenSubKey(name) : nullptr);
}

class ItemManagerTest : public DocTest {
protected:
    void Run(const std::function<void(CEditListsPropertySheet&)>& script) {
        Frame();
        RunSheet(Script(), [this] { Doc().OnItemManager(); }, script);
    }
};

TEST_F(ItemManagerTest, NamesThereAlreadyAreRefusedIgnoringCaseWithEachPagesMessage) {
    CListoraDoc& doc = Doc();
    rep::delete_arrays(doc.GetUnits());
    doc.GetUnits().push_back(CopyText(u"KG"));
    const struct {
        Page page;
        int edit;
        int add;
        QString typed;
        const char16_t* message;
    } cases[] = {{kItems, I::IDC_NAME, I::IDC_ADD, "milk", u"Item with such name already exists!"},
                 {kLocations, E::IDC_ENTRY, E::IDC_ADD, "WALMART", u"Location 'WALMART' already exists!"},
                 {kCategories, E::IDC_ENTRY, E::IDC_ADD, "foods", u"Category 'foods' already exist!"},
                 {kUnits, E::IDC_ENTRY, E::IDC_ADD, "kg", u"The unit 'kg' already exists!"}};
    Run([&](CEditListsPropertySheet& sheet) {
        for (const auto& c : cases) {
            CDialog& page = *sheet.GetPage(c.page);
            SetControlText(page, c.edit, c.typed);
            Script().ExpectMessageBox(c.message, IDOK);
            PressButton(page, c.add);
        }
        // A new name joins the end of the list, and the field is ready for the next.
        CEditListPage& units = sheet.GetUnitsPage();
        SetControlText(units, E::IDC_ENTRY, "box");
        PressButton(units, E::IDC_ADD);
        EXPECT_EQ(TextsOf(doc.GetUnits()), (Names{u"KG", u"box"}));
        EXPECT_EQ(units.GetDlgItemText(E::IDC_ENTRY), CString());
        EXPECT_FALSE(units.GetDlgItem(E::IDC_ADD)->isEnabled());
    });
    EXPECT_EQ(doc.GetItems().size(), 3u);
    rep::string_list stored;
    ASSERT_TRUE(TheRegistry().GetUnits(stored));
    EXPECT_EQ(TextsOf(stored), (Names{u"KG", u"box"})) << "the lists are stored when the sheet closes";
}

TEST_F(ItemManagerTest, DeleteKeepsItemsThatALineBuysOrTheStoreHolds) {
    CListoraDoc& doc = Doc();
    doc.AddPurchase(MakePurchase(u"MILK", 1, 1));
    // A key with a subkey cannot be deleted: the store refuses to remove Soap.
    std::unique_ptr<IRegistryKey> soap = StoredItemKey(u"Soap");
    ASSERT_NE(soap, nullptr);
    delete soap->CreateSubKey(u"Pinned");
    Run([&](CEditListsPropertySheet& sheet) {
        CItemManagerPage& page = sheet.GetItemPage();
        EXPECT_FALSE(page.GetDlgItem(I::IDC_DELETE)->isEnabled());
        Script()
            .ExpectMessageBox(u"Are you sure?", IDYES)
            .ExpectMessageBox(u"There is purchase for this item.\n"
                              u"Please delete the purchase and then delete the item!",
                              IDOK)
            .ExpectMessageBox(u"Are you sure?", IDYES)
            .ExpectMessageBox(u"Failed to remove item from registry!", IDOK)
            .ExpectMessageBox(u"Are you sure?", IDNO)
            .ExpectMessageBox(u"Are you sure?", IDYES);
        for (const char16_t* name : {u"Milk", u"Soap", u"Eggs", u"Eggs"}) {
            TapItem(page, name);
            ASSERT_TRUE(page.GetDlgItem(I::IDC_DELETE)->isEnabled());
            PressButton(page, I::IDC_DELETE);
        }
        EXPECT_EQ(page.GetList().GetItemCount(), 2);
        EXPECT_FALSE(page.GetDlgItem(I::IDC_EDIT)->isEnabled());
        EXPECT_FALSE(page.GetDlgItem(I::IDC_DELETE)->isEnabled());
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
    Run([&](CEditListsPropertySheet& sheet) {
        // Used by nothing: one question.
        Script().ExpectMessageBox(u"Delete sam's club?", IDYES);
        TapEntry(sheet.GetLocationsPage(), u"sam's club");
        // Used by an item: kept on No.
        Script()
            .ExpectMessageBox(u"Delete Drinks?", IDYES)
            .ExpectMessageBox(u"'Drinks' is in use!\nDo you want to remove it anyway?", IDNO);
        TapEntry(sheet.GetCategoriesPage(), u"Drinks");
        EXPECT_FALSE(doc.IsModified());
        // Used only by a line: Yes takes it from the line.
        Script()
            .ExpectMessageBox(u"Delete box?", IDYES)
            .ExpectMessageBox(u"'box' is in use!\nDo you want to remove it anyway?", IDYES);
        TapEntry(sheet.GetUnitsPage(), u"box");
        EXPECT_EQ(sheet.GetUnitsPage().GetListBox().FindStringExact(-1, u"box"), LB_ERR);
    });
    EXPECT_EQ(std::u16string(doc.FindPurchase(u"Tea")->GetUnit()), u"");
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(View()->hints.front(), CListoraDoc::kHintGeneral);
    EXPECT_FALSE(ListContains(doc.GetUnits(), u"box"));
    EXPECT_FALSE(ListContains(doc.GetLocations(), u"sam's club"));
    EXPECT_TRUE(ListContains(doc.GetCategories(), u"Drinks"));
    EXPECT_TRUE(doc.FindItem(u"Milk")->HasCategory(u"Drinks"));
}

TEST_F(ItemManagerTest, EditStoresNoneAsAnEmptyLocationAndTextThatIsNoNumberAsZero) {
    CListoraDoc& doc = Doc();
    Run([&](CEditListsPropertySheet& sheet) {
        Script().ExpectDialog(N::IDD, [&](CDialog& d) {
            EXPECT_FALSE(d.GetDlgItem(N::IDC_NAME)->isEnabled());
            EXPECT_EQ(d.GetDlgItemText(N::IDC_PRICE), CString(u"3.49"));
            EXPECT_EQ(d.GetDlgItemText(N::IDC_LOCATION), CString(u"walmart"));
            CListCtrl categories(d.GetDlgItem(N::IDC_CATEGORIES));
            std::vector<std::u16string> checked;
            for (int row = 0; row < categories.GetItemCount(); ++row)
                if (categories.GetCheck(row))
                    checked.push_back(categories.GetItemText(row, 0).str());
            EXPECT_EQ(checked, (Names{u"Foods", u"Drinks"}));
            for (int row = 0; row < categories.GetItemCount(); ++row)
                if (categories.GetItemText(row, 0) == CString(u"Drinks"))
                    categories.SetCheck(row, FALSE);
            SetControlText(d, N::IDC_LOCATION, "<none>");
            SetControlText(d, N::IDC_PRICE, "abc");
            PressOK(d);
        });
        TapItem(sheet.GetItemPage(), u"Milk");
        PressButton(sheet.GetItemPage(), I::IDC_EDIT);
    });
    std::unique_ptr<IRegistryKey> milk = StoredItemKey(u"Milk");
    ASSERT_NE(milk, nullptr);
    TCHAR* location = nullptr;
    ASSERT_TRUE(milk->GetString(u"Location", location));
    EXPECT_EQ(std::u16string(std::unique_ptr<TCHAR[]>(location).get()), u"");
    DWORD price = 1;
    ASSERT_TRUE(milk->GetDWORD(u"Price", price));
    EXPECT_EQ(price, 0u);
    EXPECT_FALSE(doc.FindItem(u"Milk")->HasLocation());
}

TEST_F(ItemManagerTest, NewItemDialogNeedsANameBesidesBlanksAndFitsTheScreens) {
    N dialog(Doc(), nullptr);
    ASSERT_TRUE(dialog.Create());
    CheckDialogFitsScreens(dialog, "new-item");
    for (const auto& [typed, enabled] : {std::pair{"", false}, {"  ", false}, {" Tea ", true}}) {
        SetControlText(dialog, N::IDC_NAME, typed);
        for (int id : {N::IDC_UNIT, N::IDC_PRICE, N::IDC_TAXABLE, IDOK, N::IDC_CATEGORIES})
            EXPECT_EQ(dialog.GetDlgItem(id)->isEnabled(), enabled) << typed << " " << id;
    }
    SetControlText(dialog, N::IDC_PRICE, "2.50 each");
    PressOK(dialog);
    std::unique_ptr<Item> item = dialog.TakeNewItem();
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->Name(), u" Tea ");
    EXPECT_FLOAT_EQ(item->GetPrice(), 2.5f);
    EXPECT_FALSE(item->HasLocation());
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
                 // A shorter window scrolls the page.
                 sheet.GetDialog()->resize(240, 200);
                 ProcessEvents();
                 EXPECT_TRUE(sheet.GetUnitsPage().GetScrollArea().IsVScrollActive());

                 CItemManagerPage& items = sheet.GetItemPage();
                 sheet.SetActivePage(kItems);
                 TypeText(items.GetDlgItem(I::IDC_NAME), "Cheddar\r");
                 Script().ExpectDialog(N::IDD, [](CDialog& d) {
                     CheckDialogFitsScreens(d, "new-item-edit");
                     SetControlText(d, N::IDC_PRICE, "4.25");
                     CListCtrl rows(d.GetDlgItem(N::IDC_CATEGORIES));
                     rows.SetCheck(0, TRUE);
                     rows.SetCheck(1, TRUE);
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
    const Names stored = StoredItemNames();
    EXPECT_NE(std::find(stored.begin(), stored.end(), u"Cheddar"), stored.end());
    EXPECT_EQ(std::find(stored.begin(), stored.end(), u"Yogurt"), stored.end());
    const Entries shops = EntriesOf(Frame().FindRestrictionMenu(MainFrame::kLocationMenu));
    EXPECT_NE(std::find_if(shops.begin(), shops.end(), [](const auto& e) { return e.first == u"Corner shop"; }),
              shops.end());
    EXPECT_EQ(std::find_if(shops.begin(), shops.end(), [](const auto& e) { return e.first == u"sam's club"; }),
              shops.end());
    // The choice view offers the new item.
    App().GetChoiceView()->BuildRows();
    const auto& rows = App().GetChoiceView()->GetRows();
    EXPECT_NE(std::find_if(rows.begin(), rows.end(), [](const Item* row) { return row->Name() == u"Cheddar"; }),
              rows.end());
}

}  // namespace
