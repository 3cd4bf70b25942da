// Every change reaches the list's file within a second, without a word to the user,
// so a kill loses nothing; what needs the user's answer is left to the save on leaving.
#include "DocTestSupport.h"

#include "FaultInjection.h"

#include <sys/stat.h>

namespace {

class ListAutosaveTest : public DocTest {
protected:
    static bool Ticked(const char16_t* path) {
        rep::vector<Purchase*> read;
        const bool ticked = ListFile().Read(path, read) && read.size() == 1 && read[0]->IsPurchased();
        rep::delete_objects(read);
        return ticked;
    }
    // Opens the list, ticks its line as a tap does, and gives the autosave its second.
    void OpenTickAndWait(const char16_t* path) {
        ASSERT_TRUE(Doc().OnOpenDocument(path));
        Doc().GetPurchases()[0]->SetPurchased(true);
        Doc().SetModifiedFlag(TRUE);
        WaitMs(1000);
    }
};

// A tick is on disk within a second. Never asked, never written: a list that failed to
// load, an existing ".lsr" beside a text list, a read-only list. A text list with no
// ".lsr" beside it gets one, which the next start opens.
TEST_F(ListAutosaveTest, ChangesAreOnDiskWithinASecondUnlessTheyNeedAnAnswer) {
    ASSERT_TRUE(WriteList(u"\\list.lsr", {MakePurchase(u"Milk", 1, 2)}));
    OpenTickAndWait(u"\\list.lsr");
    EXPECT_TRUE(Ticked(u"\\list.lsr"));
    EXPECT_FALSE(Doc().IsModified());

    m_doc.reset();
    WriteHostFile(Root().file("damaged.lsr"), std::string("\x05\0\0\0\x03", 5));
    TheOptions().SetLastFile(u"\\damaged.lsr");
    Script().ExpectMessageBox(u"Cannot open file '\\damaged.lsr'!", IDOK);
    EXPECT_FALSE(Doc().OnOpenDocument(u"\\damaged.lsr"));
    Doc().AddPurchase(MakePurchase(u"Jam", 1, 1));
    WaitMs(1000);
    WriteHostFile(Root().file("shop.obls"), kTextList);
    ASSERT_TRUE(WriteList(u"\\shop.lsr", {MakePurchase(u"Old", 1, 1)}));
    OpenTickAndWait(u"\\shop.obls");
    ASSERT_TRUE(WriteList(u"\\locked.lsr", {MakePurchase(u"Milk", 1, 2)}));
    chmod(Root().file("locked.lsr").c_str(), 0444);
    OpenTickAndWait(u"\\locked.lsr");
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(ReadHostFile(Root().file("damaged.lsr")), std::string("\x05\0\0\0\x03", 5));
    EXPECT_EQ(ListFileNames(u"\\shop.lsr"), Names{u"Old"});
    EXPECT_FALSE(Ticked(u"\\locked.lsr"));

    WriteHostFile(Root().file("new.obls"), kTextList);
    OpenTickAndWait(u"\\new.obls");
    EXPECT_TRUE(Ticked(u"\\new.lsr"));
    EXPECT_EQ(std::u16string(TheOptions().GetLastFile()), u"\\new.lsr");
    EXPECT_EQ(ReadHostFile(Root().file("new.obls")), kTextList);
}

// A failed save keeps its messages and says why on the line under the first.
TEST_F(ListAutosaveTest, AFailedSaveSaysWhy) {
    ASSERT_TRUE(WriteList(u"\\list.lsr", {MakePurchase(u"Milk", 1, 2)}));
    ASSERT_TRUE(Doc().OnOpenDocument(u"\\list.lsr"));
    for (const char16_t* reason : {u"The disk is full.", u"There is a folder of that name, not a file."}) {
        Doc().AddPurchase(MakePurchase(u"Jam", 1, 1));
        if (std::u16string(reason).find(u"disk") != std::u16string::npos) {
            FaultInjection::Arm(FaultInjection::FileWrite, 1, ERROR_DISK_FULL);
        } else {
            ASSERT_TRUE(DeleteFileW(u"\\list.lsr") && CreateDirectoryW(u"\\list.lsr", nullptr));
        }
        Script()
            .ExpectMessageBox(u"Cannot save file '\\list.lsr'!\n" + std::u16string(reason), IDOK)
            .ExpectMessageBox(u"Try again? (the problem may be that file is used on the PocketPC)", IDNO);
        EXPECT_TRUE(Doc().SaveModified());
        FaultInjection::Disarm();
        Script().Verify();
    }
}

}  // namespace
