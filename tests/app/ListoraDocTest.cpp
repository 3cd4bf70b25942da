// The document's files: loading (and what a failed load brings back), saving without
// asking (and its retry), New, Save As, and the list commands.
#include "DocTestSupport.h"

#include "FileApi.h"

#include <filesystem>

namespace {

using Names = std::vector<std::u16string>;

TEST_F(DocTest, LoadReadsTheLinesSortedAndBecomesTheDocumentsFile) {
    ASSERT_TRUE(WriteList(u"\\a.lsr", {MakePurchase(u"Tea", 1, 2), MakePurchase(u"bread", 2, 1)}));
    CListoraDoc& doc = Doc();
    doc.SetModifiedFlag(TRUE);

    ASSERT_TRUE(doc.LoadList(u"\\a.lsr", false, true));

    EXPECT_EQ(NamesOf(doc.GetPurchases()), (Names{u"bread", u"Tea"}));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetCurrentPath(), u"\\a.lsr");
    EXPECT_EQ(std::u16string(TheOptions().GetLastFile()), u"\\a.lsr");
    // The next start reopens this list even when nothing changes before exit.
    Options stored;
    ASSERT_TRUE(stored.Load(TheRegistry()));
    EXPECT_EQ(std::u16string(stored.GetLastFile()), u"\\a.lsr");
}

TEST_F(DocTest, LoadedLinesNewToTheCatalogueJoinItUnlessOneTimeOrKnownIgnoringCase) {
    ASSERT_TRUE(WriteList(u"\\a.lsr", {MakePurchase(u"Tea", 1, 2), MakePurchase(u"milk", 1, 1),
                                       MakePurchase(u"Cake", 1, 5, nullptr, nullptr, false, true),
                                       MakePurchase(u"Apple", 1, 1), MakePurchase(u"TEA", 1, 1)}));
    CListoraDoc& doc = Doc();
    ASSERT_TRUE(doc.LoadList(u"\\a.lsr", false, true));

    // "milk" is the stored "Milk"; "TEA" came after "Tea"; "Cake" is one-time.
    EXPECT_EQ(NamesOf(doc.GetItems()), (Names{u"Apple", u"Eggs", u"Milk", u"Soap", u"Tea"}));
    EXPECT_NE(doc.FindItem(u"Tea"), nullptr);
    EXPECT_EQ(doc.FindItem(u"TEA"), nullptr);
    rep::vector<Item*> stored;
    ASSERT_TRUE(TheRegistry().GetItems(stored));
    EXPECT_EQ(NamesOf(stored), (Names{u"Apple", u"Eggs", u"Milk", u"Soap", u"Tea"}));
    rep::delete_objects(stored);
}

TEST_F(DocTest, OpeningAddsTheNamesTheLinesUseToTheNameLists) {
    ASSERT_TRUE(WriteList(u"\\a.lsr", {MakePurchase(u"Tea", 1, 2, u"corner shop", nullptr, false, false,
                                                     {u"Drinks", u"Breakfast"}, u"box")}));
    CListoraDoc& doc = Doc();
    ASSERT_TRUE(doc.OnOpenDocument(u"\\a.lsr"));

    EXPECT_TRUE(CListoraDoc::NameListContains(doc.GetLocations(), u"Corner Shop"));
    EXPECT_TRUE(CListoraDoc::NameListContains(doc.GetUnits(), u"box"));
    EXPECT_TRUE(CListoraDoc::NameListContains(doc.GetCategories(), u"Breakfast"));
    // Known names are not added twice, and the lists stay Z to A.
    const Names categories = TextsOf(doc.GetCategories());
    EXPECT_EQ(std::count(categories.begin(), categories.end(), u"Drinks"), 1);
    EXPECT_TRUE(std::is_sorted(categories.begin(), categories.end(),
                               [](const auto& a, const auto& b) { return CompareNoCase(a, b) > 0; }));
    // And they reach the store.
    rep::string_list units;
    ASSERT_TRUE(TheRegistry().GetUnits(units));
    EXPECT_TRUE(ListContains(units, u"box"));
}

TEST_F(DocTest, AFailedFirstLoadReportsAndLeavesTheDocumentEmpty) {
    WriteHostFile(HostPath("bad.lsr"), std::string("\x05\x00\x00\x00\x03\x00", 6));
    Script().ExpectMessageBox(u"Cannot open file '\\bad.lsr'!", IDOK);
    CListoraDoc& doc = Doc();

    EXPECT_FALSE(doc.LoadList(u"\\bad.lsr", false, true));
    EXPECT_TRUE(doc.GetPurchases().empty());
    EXPECT_TRUE(doc.GetCurrentPath().empty());

    Script().ExpectMessageBox(u"Cannot open file '\\list.txt'!", IDOK);
    EXPECT_FALSE(doc.LoadList(u"\\list.txt", false, true));
}

TEST_F(DocTest, AFailedOpenBringsTheLastListBack) {
    ASSERT_TRUE(WriteList(u"\\a.lsr", {MakePurchase(u"Tea", 1, 2)}));
    CListoraDoc& doc = Doc();
    ASSERT_TRUE(doc.OnOpenDocument(u"\\a.lsr"));

    Script().ExpectMessageBox(u"Cannot open file '\\missing.lsr'!", IDOK);
    EXPECT_TRUE(doc.OnOpenDocument(u"\\missing.lsr"));
    EXPECT_EQ(NamesOf(doc.GetPurchases()), (Names{u"Tea"}));
    EXPECT_EQ(std::u16string(TheOptions().GetLastFile()), u"\\a.lsr");
    // The framework names the document after the file it asked for; the list that
    // came back keeps its own name.
    doc.SetPathName(u"\\missing.lsr");
    EXPECT_EQ(doc.GetPathName(), CString(u"\\a.lsr"));
}

TEST_F(DocTest, WhenTheLastListIsGoneTooTheDocumentEndsEmpty) {
    ASSERT_TRUE(WriteList(u"\\a.lsr", {MakePurchase(u"Tea", 1, 2)}));
    CListoraDoc& doc = Doc();
    ASSERT_TRUE(doc.LoadList(u"\\a.lsr", false, true));
    ASSERT_EQ(DeleteFileW(u"\\a.lsr"), TRUE);

    Script()
        .ExpectMessageBox(u"Cannot open file '\\missing.lsr'!", IDOK)
        .ExpectMessageBox(u"Cannot open file '\\a.lsr'!", IDOK)
        .ExpectMessageBox(u"Failed to reopen the last opened file!", IDOK);
    EXPECT_FALSE(doc.LoadList(u"\\missing.lsr", false, true));
    EXPECT_TRUE(doc.GetPurchases().empty());
    EXPECT_EQ(doc.FindPurchase(u"Tea"), nullptr);
}

TEST_F(DocTest, AFailedMergeLeavesTheOpenListAsItWas) {
    ASSERT_TRUE(WriteList(u"\\a.lsr", {MakePurchase(u"Tea", 1, 2)}));
    // A file cut short after its first line.
    ASSERT_TRUE(WriteList(u"\\b.lsr", {MakePurchase(u"Jam", 1, 2), MakePurchase(u"Rice", 1, 2)}));
    std::string bytes = ReadHostFile(HostPath("b.lsr"));
    WriteHostFile(HostPath("b.lsr"), bytes.substr(0, bytes.size() - 10));
    CListoraDoc& doc = Doc();
    ASSERT_TRUE(doc.LoadList(u"\\a.lsr", false, true));

    Script().ExpectMessageBox(u"Cannot open file '\\b.lsr'!", IDOK);
    EXPECT_FALSE(doc.LoadList(u"\\b.lsr", false, false));
    EXPECT_EQ(NamesOf(doc.GetPurchases()), (Names{u"Tea"}));
    EXPECT_EQ(doc.FindItem(u"Jam"), nullptr);
}

TEST_F(DocTest, AMergedListJoinsTheOpenOneAndIsLeftToSave) {
    ASSERT_TRUE(WriteList(u"\\a.lsr", {MakePurchase(u"Tea", 1, 2)}));
    ASSERT_TRUE(WriteList(u"\\b.lsr", {MakePurchase(u"Jam", 1, 2)}));
    CListoraDoc& doc = Doc();
    ASSERT_TRUE(doc.LoadList(u"\\a.lsr", false, true));

    ASSERT_TRUE(doc.LoadList(u"\\b.lsr", false, false));
    EXPECT_EQ(NamesOf(doc.GetPurchases()), (Names{u"Jam", u"Tea"}));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetCurrentPath(), u"\\a.lsr");
}

TEST_F(DocTest, LoadResetsTheViewsAndRestrictions) {
    ASSERT_TRUE(WriteList(u"\\a.lsr", {MakePurchase(u"Tea", 1, 2)}));
    Frame();
    CListoraDoc& doc = Doc();
    doc.SetCategoryRestriction(u"Foods");
    doc.SetLocationRestriction(u"walmart");
    doc.OnRemovePurchased();
    const int resets = View()->resets;

    ASSERT_TRUE(doc.LoadList(u"\\a.lsr", false, true));
    EXPECT_GT(View()->resets, resets);
    EXPECT_EQ(doc.GetCategoryRestriction(), nullptr);
    EXPECT_EQ(doc.GetLocationRestriction(), nullptr);
    EXPECT_TRUE(doc.GetShowPurchased());
}

TEST_F(DocTest, SaveModifiedWritesTheListAndTheNameListsWithoutAsking) {
    CListoraDoc& doc = Doc();
    TheOptions().SetLastFile(u"\\saved.lsr");
    doc.AddPurchase(MakePurchase(u"Tea", 1, 2));
    doc.AddUnit(u"crate");

    EXPECT_TRUE(doc.SaveModified());
    EXPECT_FALSE(doc.IsModified());
    rep::vector<Purchase*> read;
    ListFile file;
    ASSERT_TRUE(file.Read(u"\\saved.lsr", read));
    EXPECT_EQ(NamesOf(read), (Names{u"Tea"}));
    rep::delete_objects(read);
    rep::string_list units;
    ASSERT_TRUE(TheRegistry().GetUnits(units));
    EXPECT_TRUE(ListContains(units, u"crate"));

    // Nothing changed: nothing to write.
    ASSERT_EQ(DeleteFileW(u"\\saved.lsr"), TRUE);
    EXPECT_TRUE(doc.SaveModified());
    EXPECT_FALSE(HostFileExists(HostPath("saved.lsr")));
}

// Runs an action when a message box with a given text comes, then lets the script
// answer it.
class ActingRunner : public ScriptedModalRunner {
public:
    std::u16string when;
    std::function<void()> action;
    int MessageBox(QWidget* owner, const CString& text, const CString& caption, UINT type) override {
        if (action && text.str() == when)
            action();
        return ScriptedModalRunner::MessageBox(owner, text, caption, type);
    }
};

TEST_F(DocTest, AFailedSaveMayBeRetriedUntilItWorks) {
    CListoraDoc& doc = Doc();
    TheOptions().SetLastFile(u"\\later\\list.lsr");
    doc.AddPurchase(MakePurchase(u"Tea", 1, 2));

    ActingRunner runner;
    runner.when = u"Try again? (the problem may be that file is used on the PocketPC)";
    const std::string folder = HostPath("later");
    runner.action = [folder] { std::filesystem::create_directory(folder); };
    runner.ExpectMessageBox(u"Cannot save file '\\later\\list.lsr'!", IDOK)
        .ExpectMessageBox(u"Try again? (the problem may be that file is used on the PocketPC)", IDYES);
    ModalRunner* previous = ModalRunner::Install(&runner);
    EXPECT_TRUE(doc.SaveModified());
    ModalRunner::Install(previous);
    runner.Verify();

    EXPECT_TRUE(HostFileExists(HostPath("later/list.lsr")));
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(DocTest, AFailedSaveThatIsGivenUpKeepsTheListInMemory) {
    CListoraDoc& doc = Doc();
    TheOptions().SetLastFile(u"\\nowhere\\list.lsr");
    doc.AddPurchase(MakePurchase(u"Tea", 1, 2));
    Script()
        .ExpectMessageBox(u"Cannot save file '\\nowhere\\list.lsr'!", IDOK)
        .ExpectMessageBox(u"Try again? (the problem may be that file is used on the PocketPC)", IDYES)
        .ExpectMessageBox(u"Cannot save file '\\nowhere\\list.lsr'!", IDOK)
        .ExpectMessageBox(u"Try again? (the problem may be that file is used on the PocketPC)", IDNO);

    EXPECT_TRUE(doc.SaveModified());
    EXPECT_EQ(NamesOf(doc.GetPurchases()), (Names{u"Tea"}));
}

TEST_F(DocTest, NewAsksForTheFileAndStartsAnEmptyList) {
    CListoraDoc& doc = Doc();
    doc.AddPurchase(MakePurchase(u"Tea", 1, 2));
    TheOptions().SetLastFile(u"\\old.lsr");
    Script().ExpectFileDialog(false, u"\\fresh.lsr");

    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_TRUE(HostFileExists(HostPath("old.lsr")));  // the changes went to the old file first
    EXPECT_TRUE(doc.GetPurchases().empty());
    EXPECT_EQ(std::u16string(TheOptions().GetLastFile()), u"\\fresh.lsr");
    EXPECT_EQ(doc.GetTitle(), CString(u"fresh"));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(Script().LastDefaultExtension(), CString(u"lsr"));

    Script().ExpectFileDialog(false, u"");
    EXPECT_FALSE(doc.OnNewDocument());
}

TEST_F(DocTest, SaveAsWritesTheNewFileAndMakesItTheLastFile) {
    CListoraDoc& doc = Doc();
    doc.AddPurchase(MakePurchase(u"Tea", 1, 2));
    Script().ExpectFileDialog(false, u"\\copy.lsr");

    doc.OnSaveAs();
    EXPECT_TRUE(HostFileExists(HostPath("copy.lsr")));
    EXPECT_EQ(std::u16string(TheOptions().GetLastFile()), u"\\copy.lsr");
    EXPECT_EQ(doc.GetTitle(), CString(u"copy"));
    EXPECT_FALSE(doc.IsModified());

    Script().ExpectFileDialog(false, u"\\none\\copy.lsr").ExpectMessageBox(u"Cannot save file '\\none\\copy.lsr'!", IDOK);
    doc.OnSaveAs();
    EXPECT_EQ(std::u16string(TheOptions().GetLastFile()), u"\\copy.lsr");
}

TEST_F(DocTest, TitleOfAListOnTheDeviceIsMarked) {
    CListoraDoc& doc = Doc();
    TheOptions().SetOnDevice(true);
    doc.SetTitle(u"Week");
    EXPECT_EQ(doc.GetTitle(), CString(u"PocketPC : Week"));
    TheOptions().SetOnDevice(false);
    doc.SetTitle(u"Week");
    EXPECT_EQ(doc.GetTitle(), CString(u"Week"));
}

TEST_F(DocTest, ClearListAsksFirst) {
    CListoraDoc& doc = Doc();
    doc.AddPurchase(MakePurchase(u"Tea", 1, 2));
    doc.SetModifiedFlag(FALSE);

    Script().ExpectMessageBox(u"Are you sure?", IDNO);
    ASSERT_TRUE(ChooseMenuCommand(Frame(), {u"&List", u"Cl&ear List"}));
    EXPECT_EQ(doc.GetPurchases().size(), 1u);
    EXPECT_FALSE(doc.IsModified());

    Script().ExpectMessageBox(u"Are you sure?", IDYES);
    ASSERT_TRUE(ChooseMenuCommand(Frame(), {u"&List", u"Cl&ear List"}));
    EXPECT_TRUE(doc.GetPurchases().empty());
    EXPECT_EQ(doc.FindPurchase(u"Tea"), nullptr);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(DocTest, RemovePurchasedItemsTogglesTheSwitchAndItsCheckMark) {
    CListoraDoc& doc = Doc();
    TestFrame& frame = Frame();
    CMenu* list = frame.GetMenu()->GetSubMenu(1);
    auto checked = [&] {
        frame.UpdateMenuCmdUI(list);
        return (list->GetMenuState(32782, MF_BYCOMMAND) & MF_CHECKED) != 0;
    };
    EXPECT_FALSE(checked());

    ASSERT_TRUE(ChooseMenuCommand(frame, {u"&List", u"&Remove Purchased Items"}));
    EXPECT_FALSE(doc.GetShowPurchased());
    EXPECT_TRUE(checked());
    EXPECT_FALSE(doc.IsModified());

    ASSERT_TRUE(ChooseMenuCommand(frame, {u"&List", u"&Remove Purchased Items"}));
    EXPECT_TRUE(doc.GetShowPurchased());
    EXPECT_FALSE(checked());
}

TEST_F(DocTest, ChooseItemsSwitchesTheViewAndMarksTheList) {
    CListoraDoc& doc = Doc();
    Frame();
    EXPECT_TRUE(Frame().OnCommand(32779, 0));
    EXPECT_EQ(m_app->switches, 1);
    EXPECT_TRUE(doc.IsModified());
}

TEST_F(DocTest, CommandsOfDialogsStillToComeAreDisabled) {
    TestFrame& frame = Frame();
    CMenu* list = frame.GetMenu()->GetSubMenu(1);
    frame.UpdateMenuCmdUI(list);
    EXPECT_NE(list->GetMenuState(32785, MF_BYCOMMAND) & MF_GRAYED, 0u);
    EXPECT_EQ(list->GetMenuState(32781, MF_BYCOMMAND) & MF_GRAYED, 0u);
    EXPECT_FALSE(ChooseMenuCommand(frame, {u"&List", u"&Item Manager"}));
}

TEST(DocStringTable, HoldsTheProgramsAndTheCataloguesTexts) {
    RegisterListoraStrings();
    EXPECT_EQ(LoadString(IDS_CREATE_OR_OPEN_FILE),
              CString(u"Select \"Yes\" to create new file, \"No\" to open an existing file."));
    EXPECT_EQ(LoadString(IDS_TOTAL_NOTICE), CString(u"Note: Total is %.2f"));
    EXPECT_EQ(LoadString(IDS_TIP_PREV_PAGE), CString(u"Show items from previous page\nPrev Page"));
    EXPECT_EQ(LoadString(IDS_APP_NAME), CString(u"Listora"));
    // The catalogue's own texts, from its table.
    EXPECT_EQ(LoadString(IDS_CANNOT_UPDATE_REGISTRY), CString(u"Cannot update registry. File is saved.  "));
    EXPECT_EQ(LoadString(IDS_CANNOT_INIT_REGISTRY), CString(CatalogueText(IDS_CANNOT_INIT_REGISTRY)));
    EXPECT_EQ(LoadString(IDS_SEED_FRUITS), CString(CatalogueText(IDS_SEED_FRUITS)));
}

}  // namespace
