#include "AppFixture.h"

#include "CComboBox.h"
#include "ExchangeCommands.h"
#include "ImportExportEngine.h"
#include "TemplateForm.h"
#include "UnusedLists.h"
#include "dlgs/CDeleteListsDlg.h"
#include "dlgs/CExchangeFileDlg.h"
#include "dlgs/CExtendedSaveDlg.h"
#include "dlgs/CImportExportTemplateDlg.h"
#include "dlgs/CImportResultsDlg.h"
#include "dlgs/CManageTemplatesDlg.h"

#include <QDialog>
#include <filesystem>
#include <tuple>
#include <utime.h>

namespace {

using TemplateDlg = CImportExportTemplateDlg;
using FileDlg = CExchangeFileDlg;

class ExchangeTest : public DocTest {
protected:
    void Run(UINT command) { Doc().OnCmdMsg(command, CN_COMMAND, nullptr, nullptr); }
    // The Export or Import dialog, answered with the file and template; the command
    // runs with Run once the prompts after it are expected too.
    void ExpectExchange(FileDlg::Kind kind, const char16_t* path, const char16_t* templateName, bool replace = false) {
        Script().ExpectDialog(kind == FileDlg::EXPORT ? FileDlg::IDD_EXPORT : FileDlg::IDD_IMPORT, [=](CDialog& d) {
            SetControlText(d, FileDlg::IDC_FILE, QString::fromStdU16String(path));
            CComboBox combo(d.GetDlgItem(FileDlg::IDC_TEMPLATES));
            combo.SetCurSel(combo.FindStringExact(-1, templateName));
            if (kind == FileDlg::IMPORT)
                SetControlCheck(d, FileDlg::IDC_REPLACE, replace);
            CheckDialogFitsScreens(d, kind == FileDlg::EXPORT ? "export" : "import");
            PressOK(d);
        });
    }
    static void Select(CDialog& d, int id, int entry) { CComboBox(d.GetDlgItem(id)).SetCurSel(entry); }
};

}  // namespace

TEST_F(ExchangeTest, TemplateDialogRefusesFaultyFormsAndStoresAGoodOne) {
    struct Case {
        const char16_t* name;
        bool comma;
        const char16_t* categoryDelimiter;
        int nameColumn;  // the qty takes column 0; 0 here makes two equal indexes
        const TCHAR* message;
    };
    const Case cases[] = {
        {u"Mine", true, u",", 15, TemplateForm::kSameDelimiters},
        {u"Mine", false, u"", 15, TemplateForm::kNoCategoryDelimiter},
        {u"Mine", false, u"a", 15, TemplateForm::kAlphaDelimiter},
        {u"Mine", false, u";", 0, TemplateForm::kEqualIndexes},
        // A refused OK leaves nothing behind: an existing name is still refused.
        {u"Tamra", false, u";", 0, TemplateForm::kNameExists},
    };
    Script().ExpectDialog(CManageTemplatesDlg::IDD, [&](CDialog& manage) {
        CheckDialogFitsScreens(manage, "manage-templates");
        Script().ExpectDialog(TemplateDlg::IDD, [&](CDialog& d) {
            CheckDialogFitsScreens(d, "template");
            Select(d, TemplateDlg::kColumnIds[CImportExportTemplate::QTY], 0);
            for (const Case& c : cases) {
                SCOPED_TRACE(std::string(c.message, c.message + 20));
                SetControlText(d, TemplateDlg::IDC_NAME, QString::fromStdU16String(c.name));
                Select(d, TemplateDlg::IDC_DELIMITER, c.comma ? 1 : 0);
                SetControlText(d, TemplateDlg::IDC_CATEGORY_DELIMITER, QString::fromStdU16String(c.categoryDelimiter));
                Select(d, TemplateDlg::kColumnIds[CImportExportTemplate::NAME], c.nameColumn);
                Script().ExpectMessageBox(c.message, c.message == TemplateForm::kAlphaDelimiter ? IDNO : IDOK);
                PressOK(d);
                EXPECT_FALSE(d.IsEnded());
            }
            // Comma for both is taken once texts may stand in quotes.
            SetControlText(d, TemplateDlg::IDC_NAME, "Mine");
            Select(d, TemplateDlg::IDC_DELIMITER, 1);
            SetControlText(d, TemplateDlg::IDC_CATEGORY_DELIMITER, ",");
            Select(d, TemplateDlg::kColumnIds[CImportExportTemplate::NAME], 1);
            SetControlCheck(d, TemplateDlg::IDC_STRINGS, true);
            PressOK(d);
        });
        PressButton(manage, CManageTemplatesDlg::IDC_NEW);
        EXPECT_EQ(CComboBox(manage.GetDlgItem(CManageTemplatesDlg::IDC_TEMPLATES)).GetCount(), 5);
        PressOK(manage);
    });
    Run(CListoraDoc::ID_MANAGE_TEMPLATES);

    TemplateList stored;
    ASSERT_TRUE(TheRegistry().GetTemplates(stored));
    const CImportExportTemplate* mine = stored.Find(u"Mine");
    ASSERT_NE(mine, nullptr);
    const int columns[] = {0, 1, 15, 15, 15, 15, 15, 15, 15, 15};
    EXPECT_TRUE(std::equal(columns, columns + 10, mine->columns));
    EXPECT_EQ(mine->delimiter, u',');
    EXPECT_EQ(mine->categoryDelimiter, u',');
    EXPECT_TRUE(mine->bStrings);
    EXPECT_EQ(mine->charType, 0) << "a new template starts as \"OS Dependent\"";
}

TEST_F(ExchangeTest, TheBuiltInTemplateCanBeNeitherChangedNorDeleted) {
    Script().ExpectDialog(CManageTemplatesDlg::IDD, [&](CDialog& manage) {
        CComboBox combo(manage.GetDlgItem(CManageTemplatesDlg::IDC_TEMPLATES));
        combo.SetCurSel(combo.FindStringExact(-1, u"Tamra"));
        Script().ExpectMessageBox(CManageTemplatesDlg::kCannotEdit, IDOK).ExpectDialog(TemplateDlg::IDD, [](CDialog& d) {
            for (QWidget* control : d.GetDialog()->findChildren<QWidget*>())
                EXPECT_TRUE(control->objectName().toInt() < 1000 || !control->isEnabled())
                    << control->objectName().toStdString();
            PressOK(d);
            EXPECT_FALSE(d.IsEnded());
            PressCancel(d);
        });
        PressButton(manage, CManageTemplatesDlg::IDC_EDIT);
        Script().ExpectMessageBox(u"Are you sure?", IDYES).ExpectMessageBox(CManageTemplatesDlg::kCannotDelete, IDOK);
        PressButton(manage, CManageTemplatesDlg::IDC_DELETE);
        combo.SetCurSel(combo.FindStringExact(-1, u"Handy Shop"));
        Script().ExpectMessageBox(u"Are you sure?", IDYES);
        PressButton(manage, CManageTemplatesDlg::IDC_DELETE);
        EXPECT_EQ(combo.GetCount(), 3);
        PressOK(manage);
    });
    Run(CListoraDoc::ID_MANAGE_TEMPLATES);
    TemplateList stored;
    ASSERT_TRUE(TheRegistry().GetTemplates(stored));
    EXPECT_NE(stored.Find(u"Tamra"), nullptr);
    EXPECT_EQ(stored.Find(u"Handy Shop"), nullptr);
}

// A file that ends with a line break has a last, empty row: skipped, and the log shown.
TEST_F(ExchangeTest, ImportReplacesLinesOfTheSameNameOnlyWhenAskedAndShowsSkippedRows) {
    for (bool replace : {false, true}) {
        SCOPED_TRACE(replace);
        WriteHostFile(Root().file("in.csv"), Utf16Bytes(replace ? u"5.00,\"Milk\",2.00\r\n1.00,\"Bread\",1.25\r\n"
                                                                : u"5.00,\"Milk\",2.00\r\n1.00,\"Bread\",1.25"));
        Doc().ClearList();
        Doc().AddPurchase(MakePurchase(u"Milk", 1, 3.49f));
        ExpectExchange(FileDlg::IMPORT, u"\\in.csv", u"Tamra", replace);
        if (replace) {
            Script().ExpectDialog(CImportResultsDlg::IDD, [](CDialog& d) {
                EXPECT_EQ(d.GetDlgItemText(CImportResultsDlg::IDC_LOG), CString(u"Line 2 is skipped\n"));
                CheckDialogFitsScreens(d, "import-results");
                PressOK(d);
            });
        } else {
            Script().ExpectMessageBox(ImportExportEngine::kImportSuccessful, IDOK);
        }
        Run(CListoraDoc::ID_IMPORT);
        EXPECT_EQ(NamesOf(Doc().GetPurchases()), (Names{u"Bread", u"Milk"}));
        EXPECT_EQ(Doc().FindPurchase(u"Milk")->GetQty(), replace ? 5.0f : 1.0f);
    }
    EXPECT_EQ(std::u16string(TheOptions().GetImportExportConfig()), u"Tamra");
}

// Every field's way through each template is the engine's (ImportExportEngineTest).
TEST_F(ExchangeTest, ExportWritesTheListAndAFailedExportIsReported) {
    Doc().AddPurchase(MakePurchase(u"Milk", 2, 3.49f));
    ExpectExchange(FileDlg::EXPORT, u"\\out.csv", u"Tamra");
    Script().ExpectMessageBox(ImportExportEngine::kExportDone, IDOK);
    Run(CListoraDoc::ID_EXPORT);
    EXPECT_EQ(ReadHostFile(Root().file("out.csv")), Utf16Bytes(u"2.00,\"Milk\",3.49,False,,,,False,False\r\n"));

    // A folder where the file should go: the file can be begun but never put in place.
    std::filesystem::create_directory(Root().file("folder.csv"));
    ExpectExchange(FileDlg::EXPORT, u"\\folder.csv", u"Tamra");
    Script().ExpectMessageBox(u"Cannot save file '\\folder.csv'!", IDOK);
    Run(CListoraDoc::ID_EXPORT);
}

TEST_F(ExchangeTest, ExtendedSaveFollowsItsBoxesAndWritesOnlyTheChosenLines) {
    Purchase* apples = MakePurchase(u"Apples", 1, 1, u"walmart", nullptr, false, false, {u"fruits"});
    apples->SetPurchased(true);
    Doc().AddPurchase(apples);
    Doc().AddPurchase(MakePurchase(u"Soap", 1, 1, nullptr, nullptr, false, false, {u"Household"}));
    Doc().AddPurchase(MakePurchase(u"Tea", 1, 1));
    Doc().AddCategory(u"Fruits");
    Doc().AddCategory(u"Household");

    Script().ExpectDialog(CExtendedSaveDlg::IDD, [](CDialog& d) {
        CheckDialogFitsScreens(d, "extended-save");
        using D = CExtendedSaveDlg;
        for (auto [all, list, without] : {std::tuple{D::IDC_ALL_CATEGORIES, D::IDC_CATEGORIES, D::IDC_NO_CATEGORY},
                                          std::tuple{D::IDC_ALL_LOCATIONS, D::IDC_LOCATIONS, D::IDC_NO_LOCATION}}) {
            for (bool allTicked : {true, false, true}) {
                SetControlCheck(d, all, allTicked);
                EXPECT_EQ(d.GetDlgItem(list)->isEnabled(), !allTicked);
                EXPECT_EQ(d.GetDlgItem(without)->isEnabled(), !allTicked);
            }
        }
        SetControlCheck(d, D::IDC_PURCHASED, false);
        SetControlCheck(d, D::IDC_NOT_PURCHASED, false);
        PressOK(d);
    });
    Script().ExpectMessageBox(ExchangeCommands::kNothingMatches, IDOK);
    Run(CListoraDoc::ID_EXTENDED_SAVE);

    // Only "Fruits" ticked, lines without a category left out: the one in "fruits".
    Script().ExpectDialog(CExtendedSaveDlg::IDD, [](CDialog& d) {
        auto& dialog = static_cast<CExtendedSaveDlg&>(d);
        SetControlCheck(d, CExtendedSaveDlg::IDC_ALL_CATEGORIES, false);
        SetControlCheck(d, CExtendedSaveDlg::IDC_NO_CATEGORY, false);
        CListCtrl& list = dialog.GetCategoryList();
        for (int row = 0; row < list.GetItemCount(); ++row)
            list.SetCheck(row, list.GetItemText(row, 0) == u"Fruits");
        PressOK(d);
    });
    Script().ExpectFileDialog(false, u"\\part.lsr");
    Run(CListoraDoc::ID_EXTENDED_SAVE);
    EXPECT_EQ(ListFileNames(u"\\part.lsr"), (Names{u"Apples"}));
    EXPECT_EQ(Doc().GetPurchases().size(), 3u);

    Script().ExpectDialog(CExtendedSaveDlg::IDD, [](CDialog& d) { PressOK(d); });
    Script().ExpectFileDialog(false, u"\\No folder\\all.lsr");
    Script().ExpectMessageBox(u"Cannot save file '\\No folder\\all.lsr'!", IDOK);
    Run(CListoraDoc::ID_EXTENDED_SAVE);
}

TEST_F(ExchangeTest, AnImportThroughTheDocumentEndsAsTheOneByOneOperationsWould) {
    // Names come twice (the later row replaces) and in two cases; new locations,
    // units and categories beside a known one; Milk and Bx are on the list already.
    auto digit = [](int n) { return std::u16string(1, static_cast<char16_t>(u'0' + n)); };
    std::u16string rows;
    for (int i = 0; i < 60; ++i) {
        const std::u16string name = std::u16string(1, static_cast<char16_t>(u'A' + i % 13)) + (i % 2 ? u"x" : u"X");
        rows += digit(i % 9) + u",\"" + name + u"\",1.5,0,\"shop" + digit(i % 4) + u"\",,\"Cat" + digit(i % 5) +
                u",Foods\",0,0,\"u" + digit(i % 3) + u"\"\r\n";
    }
    rows += u"3,\"Milk\",1\r\n3,\"eggs\",1\r\n3,\"Soap\",1\r\n";
    const std::string path = Root().file("rows.csv");
    WriteHostFile(path, Utf16Bytes(rows));

    struct OneByOne : IImportTarget {
        CListoraDoc& doc;
        explicit OneByOne(CListoraDoc& d) : doc(d) {}
        void BeginImport() override {}
        void EndImport() override {}
        bool AddLocation(LPCTSTR n) override { return doc.AddLocation(n); }
        bool AddUnit(LPCTSTR n) override { return doc.AddUnit(n); }
        bool AddCategory(LPCTSTR n) override { return doc.AddCategory(n); }
        const rep::vector<TCHAR*>& GetCategories() const override { return doc.GetCategories(); }
        bool AddCatalogueItem(Item* item, bool listOnly) override { return doc.AddCatalogueItem(item, listOnly); }
        Purchase* FindPurchase(LPCTSTR n) override { return doc.FindPurchase(n); }
        void RemovePurchase(Purchase* p) override { doc.RemovePurchase(p); }
        void AddPurchase(Purchase* p) override { doc.AddPurchase(p); }
        bool LoadList(LPCTSTR p, bool onDevice, bool asDocument) override { return doc.LoadList(p, onDevice, asDocument); }
    };
    CListoraDoc reference;
    reference.LoadCatalogue();
    Frame();
    for (CListoraDoc* doc : {&Doc(), &reference}) {
        doc->AddPurchase(MakePurchase(u"Milk", 1, 3.49f));
        doc->AddPurchase(MakePurchase(u"Bx", 1, 1));
    }
    View()->hints.clear();

    TemplateList templates;
    ASSERT_TRUE(TheRegistry().GetTemplates(templates));
    CString log;
    ImportExportEngine(*templates.Find(u"Tamra"), nullptr).Import(Doc(), U16(path).c_str(), true, log);
    EXPECT_EQ(View()->hints, (std::vector<LPARAM>{CListoraDoc::kHintGeneral}));
    const Names stored = StoredItemNames();
    OneByOne oneByOne(reference);
    ImportExportEngine(*templates.Find(u"Tamra"), nullptr).Import(oneByOne, U16(path).c_str(), true, log);

    auto lines = [](const CListoraDoc& doc) {
        std::vector<std::tuple<std::u16string, float, std::u16string, std::u16string>> all;
        for (const Purchase* p : doc.GetPurchases())
            all.emplace_back(p->Name(), p->GetQty(), p->GetLocation() ? p->GetLocation() : u"-", p->Unit());
        return all;
    };
    EXPECT_EQ(lines(Doc()), lines(reference));
    EXPECT_EQ(NamesOf(Doc().GetItems()), NamesOf(reference.GetItems()));
    EXPECT_EQ(TextsOf(Doc().GetCategories()), TextsOf(reference.GetCategories()));
    EXPECT_EQ(TextsOf(Doc().GetLocations()), TextsOf(reference.GetLocations()));
    EXPECT_EQ(TextsOf(Doc().GetUnits()), TextsOf(reference.GetUnits()));
    EXPECT_EQ(stored, StoredItemNames()) << "the reference stored nothing the import had not";
    EXPECT_TRUE(Doc().IsModified());
}

using DeleteListsTest = apptest::StartedApp;

TEST_F(DeleteListsTest, ListsTheOtherListsWithDatesAndNamesTheFilesItCouldNotDelete) {
    // The open list, named by its host path: the same file all the same.
    TheOptions().SetLastFile(U16(NewList()).c_str());
    for (const char* name : {"Weekly.lsr", "Party.lsr"})
        ASSERT_TRUE(WriteList(U16(Root().file(std::string("My Documents/") + name)).c_str(), {new Purchase(u"Tea")}));
    const std::time_t written = CTime(2004, 3, 5, 9, 7, 0).GetTime();
    const utimbuf times{written, written};
    ASSERT_EQ(utime(Root().file("My Documents/Weekly.lsr").c_str(), &times), 0);

    Script().ExpectDialog(CDeleteListsDlg::IDD, [&](CDialog& d) {
        CheckDialogFitsScreens(d, "delete-lists");
        CListCtrl& list = static_cast<CDeleteListsDlg&>(d).GetList();
        ASSERT_EQ(list.GetItemCount(), 2);
        EXPECT_EQ(list.GetItemText(0, 0), CString(u"Party.lsr"));
        EXPECT_EQ(list.GetItemText(1, 0), CString(u"Weekly.lsr"));
        EXPECT_EQ(list.GetItemText(1, 1), CString(u"5 mar 04 09:07"));
        list.SetCheck(0, TRUE);
        list.SetCheck(1, TRUE);
        // Another program takes one away before the user deletes them.
        std::filesystem::remove(Root().file("My Documents/Party.lsr"));
        Script().ExpectMessageBox(CDeleteListsDlg::kAreYouSure, IDYES);
        Script().ExpectMessageBox(u"1 files deleted\nThese files could not be deleted:\nParty.lsr", IDOK);
        PressButton(d, CDeleteListsDlg::IDC_DELETE_SELECTED);
    });
    ASSERT_TRUE(ChooseMenuCommand(Frame(), {u"&File", u"Delete Unused Lists"}));
    EXPECT_FALSE(HostFileExists(Root().file("My Documents/Weekly.lsr")));
    EXPECT_TRUE(HostFileExists(NewList()));
}
