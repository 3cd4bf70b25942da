#include "DocTestSupport.h"

#include "FileApi.h"
#include "TraceLines.h"

#include <algorithm>
#include <filesystem>
#include <string>

namespace {

TEST_F(DocTest, LoadReadsTheLinesSortedResetsTheViewsAndBecomesTheDocumentsFile) {
    ASSERT_TRUE(WriteList(u"\\a.lsr", {MakePurchase(u"Tea", 1, 2), MakePurchase(u"bread", 2, 1)}));
    Frame();
    CListoraDoc& doc = Doc();
    doc.SetModifiedFlag(TRUE);
    doc.SetCategoryRestriction(u"Foods");
    doc.SetLocationRestriction(u"walmart");
    doc.OnRemovePurchased();
    const int resets = View()->resets;

    ASSERT_TRUE(doc.LoadList(u"\\a.lsr", false, true));
    EXPECT_EQ(NamesOf(doc.GetPurchases()), (Names{u"bread", u"Tea"}));
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.GetCurrentPath(), u"\\a.lsr");
    // The next start reopens this list even when nothing changes before exit.
    Options stored;
    ASSERT_TRUE(stored.Load(TheRegistry()));
    EXPECT_EQ(std::u16string(stored.GetLastFile()), u"\\a.lsr");
    // The views start afresh: no restrictions, purchased lines shown.
    EXPECT_GT(View()->resets, resets);
    EXPECT_EQ(doc.GetCategoryRestriction(), nullptr);
    EXPECT_EQ(doc.GetLocationRestriction(), nullptr);
    EXPECT_TRUE(doc.GetShowPurchased());
}

TEST_F(DocTest, LoadedLinesNewToTheCatalogueJoinItUnlessOneTimeOrKnownIgnoringCase) {
    ASSERT_TRUE(WriteList(u"\\a.lsr", {MakePurchase(u"Tea", 1, 2), MakePurchase(u"milk", 1, 1),
                                       MakePurchase(u"Cake", 1, 5, nullptr, nullptr, false, true),
                                       MakePurchase(u"Apple", 1, 1), MakePurchase(u"TEA", 1, 1)}));
    CListoraDoc& doc = Doc();
    ASSERT_TRUE(doc.LoadList(u"\\a.lsr", false, true));

    // "milk" is the stored "Milk"; "TEA" came after "Tea"; "Cake" is one-time.
    EXPECT_EQ(NamesOf(doc.GetItems()), (Names{u"Apple", u"Eggs", u"Milk", u"Soap", u"Tea"}));
    EXPECT_EQ(StoredItemNames(), (Names{u"Apple", u"Eggs", u"Milk", u"Soap", u"Tea"}));
}

TEST_F(DocTest, ManyNewItemsReachTheStoreBehindTheOpenAndLaterEditsWaitForThem) {
    std::vector<Purchase*> lines;
    Names names;
    for (int i = 0; i < 1500; ++i) {
        names.push_back(U16("Line " + std::to_string(1000 + i)));
        lines.push_back(MakePurchase(names.back().c_str(), 1, 1));
    }
    ASSERT_TRUE(WriteList(u"\\big.lsr", lines));
    CListoraDoc& doc = Doc();
    ASSERT_TRUE(doc.LoadList(u"\\big.lsr", false, true));

    // Removed at once, while its thread may still be writing: the removal must find
    // the item stored, and the thread must not bring it back.
    doc.RemoveCatalogueItem(doc.FindItem(u"Line 2499"));
    names.pop_back();
    for (const char16_t* known : {u"Eggs", u"Milk", u"Soap"})
        names.push_back(known);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(StoredItemNames(), names);
}

TEST_F(DocTest, AFailedLoadWithNoListToGoBackToLeavesTheDocumentEmpty) {
    WriteHostFile(Root().file("bad.lsr"), std::string("\x05\x00\x00\x00\x03\x00", 6));
    Script().ExpectMessageBox(u"Cannot open file '\\bad.lsr'!", IDOK);
    CListoraDoc& doc = Doc();
    EXPECT_FALSE(doc.LoadList(u"\\bad.lsr", false, true));
    EXPECT_TRUE(doc.GetPurchases().empty());
    EXPECT_TRUE(doc.GetCurrentPath().empty());

    ASSERT_TRUE(WriteList(u"\\a.lsr", {MakePurchase(u"Tea", 1, 2)}));
    ASSERT_TRUE(doc.LoadList(u"\\a.lsr", false, true));
    ASSERT_EQ(DeleteFileW(u"\\a.lsr"), TRUE);
    Script()
        .ExpectMessageBox(u"Cannot open file '\\missing.lsr'!", IDOK)
        .ExpectMessageBox(u"Cannot open file '\\a.lsr'!", IDOK)
        .ExpectMessageBox(u"Failed to reopen the last opened file!", IDOK);
    EXPECT_FALSE(doc.LoadList(u"\\missing.lsr", false, true));
    EXPECT_TRUE(doc.GetPurchases().empty());
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

TEST_F(DocTest, AMergedListJoinsTheOpenOneAndIsLeftToSaveUnlessItFailsToLoad) {
    ASSERT_TRUE(WriteList(u"\\a.lsr", {MakePurchase(u"Tea", 1, 2)}));
    ASSERT_TRUE(WriteList(u"\\b.lsr", {MakePurchase(u"Jam", 1, 2)}));
    // A file cut short after its first line.
    ASSERT_TRUE(WriteList(u"\\c.lsr", {MakePurchase(u"Cake", 1, 2), MakePurchase(u"Rice", 1, 2)}));
    const std::string bytes = ReadHostFile(Root().file("c.lsr"));
    WriteHostFile(Root().file("c.lsr"), bytes.substr(0, bytes.size() - 10));
    CListoraDoc& doc = Doc();
    ASSERT_TRUE(doc.LoadList(u"\\a.lsr", false, true));

    Script().ExpectMessageBox(u"Cannot open file '\\c.lsr'!", IDOK);
    EXPECT_FALSE(doc.LoadList(u"\\c.lsr", false, false));
    EXPECT_EQ(NamesOf(doc.GetPurchases()), (Names{u"Tea"}));
    EXPECT_EQ(doc.FindItem(u"Cake"), nullptr);

    ASSERT_TRUE(doc.LoadList(u"\\b.lsr", false, false));
    EXPECT_EQ(NamesOf(doc.GetPurchases()), (Names{u"Jam", u"Tea"}));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(doc.GetCurrentPath(), u"\\a.lsr");
}

TEST_F(DocTest, SaveModifiedWritesTheListAndTheNameListsWithoutAsking) {
    CListoraDoc& doc = Doc();
    TheOptions().SetLastFile(u"\\saved.lsr");
    doc.AddPurchase(MakePurchase(u"Tea", 1, 2));
    doc.AddUnit(u"crate");

    EXPECT_TRUE(doc.SaveModified());
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(ListFileNames(u"\\saved.lsr"), (Names{u"Tea"}));
    rep::string_list units;
    ASSERT_TRUE(TheRegistry().GetUnits(units));
    EXPECT_TRUE(ListContains(units, u"crate"));

    // Nothing changed: nothing to write.
    ASSERT_EQ(DeleteFileW(u"\\saved.lsr"), TRUE);
    EXPECT_TRUE(doc.SaveModified());
    EXPECT_FALSE(HostFileExists(Root().file("saved.lsr")));
}

TEST_F(DocTest, AFailedSaveMayBeGivenUpOrRetriedUntilItWorks) {
    CListoraDoc& doc = Doc();
    TheOptions().SetLastFile(u"\\later\\list.lsr");
    doc.AddPurchase(MakePurchase(u"Tea", 1, 2));
    const char16_t* failed = u"Cannot save file '\\later\\list.lsr'!\nThe folder does not exist.";
    const char16_t* retry = u"Try again? (the problem may be that file is used on the PocketPC)";
    // Given up: the list stays in memory.
    Script()
        .ExpectMessageBox(failed, IDOK)
        .ExpectMessageBox(retry, IDYES)
        .ExpectMessageBox(failed, IDOK)
        .ExpectMessageBox(retry, IDNO);
    EXPECT_TRUE(doc.SaveModified());
    EXPECT_EQ(NamesOf(doc.GetPurchases()), (Names{u"Tea"}));
    Script().Verify();

    // Retried once the folder has come: saved. A save asked for while the first
    // one waits on the user is not started twice.
    const std::string folder = Root().file("later");
    TraceLines trace;
    Script()
        .ExpectMessageBox(failed, IDOK, [&doc] { EXPECT_TRUE(doc.SaveModified()); })
        .ExpectMessageBox(retry, IDYES, [folder] { std::filesystem::create_directory(folder); });
    doc.SetModifiedFlag();
    EXPECT_TRUE(doc.SaveModified());
    EXPECT_TRUE(trace.Has(u"Second time :( ?!?! "));
    EXPECT_TRUE(HostFileExists(Root().file("later/list.lsr")));
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(DocTest, NewAsksForTheFileAndStartsAnEmptyList) {
    CListoraDoc& doc = Doc();
    doc.AddPurchase(MakePurchase(u"Tea", 1, 2));
    TheOptions().SetLastFile(u"\\old.lsr");
    Script().ExpectFileDialog(false, u"\\fresh.lsr");

    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_TRUE(HostFileExists(Root().file("old.lsr")));  // the changes went to the old file first
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
    EXPECT_TRUE(HostFileExists(Root().file("copy.lsr")));
    EXPECT_EQ(std::u16string(TheOptions().GetLastFile()), u"\\copy.lsr");
    EXPECT_EQ(doc.GetTitle(), CString(u"copy"));
    EXPECT_FALSE(doc.IsModified());

    Script().ExpectFileDialog(false, u"\\none\\copy.lsr").ExpectMessageBox(u"Cannot save file '\\none\\copy.lsr'!\nThe folder does not exist.", IDOK);
    doc.OnSaveAs();
    EXPECT_EQ(std::u16string(TheOptions().GetLastFile()), u"\\copy.lsr");
}

TEST_F(DocTest, ClearListAsksFirstAndRemovePurchasedItemsTogglesTheSwitchAndItsCheckMark) {
    CListoraDoc& doc = Doc();
    CMainFrame& frame = Frame();
    doc.AddPurchase(MakePurchase(u"Tea", 1, 2));
    doc.SetModifiedFlag(FALSE);
    Script().ExpectMessageBox(u"Are you sure?", IDNO);
    ASSERT_TRUE(ChooseMenuCommand(frame, {u"&List", u"Cl&ear List"}));
    EXPECT_EQ(doc.GetPurchases().size(), 1u);
    EXPECT_FALSE(doc.IsModified());
    Script().ExpectMessageBox(u"Are you sure?", IDYES);
    ASSERT_TRUE(ChooseMenuCommand(frame, {u"&List", u"Cl&ear List"}));
    EXPECT_TRUE(doc.GetPurchases().empty());
    EXPECT_TRUE(doc.IsModified());

    doc.SetModifiedFlag(FALSE);
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

}  // namespace
