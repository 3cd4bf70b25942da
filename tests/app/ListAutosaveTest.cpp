// Every change reaches the list's file within a second, without a word to the user,
// so a kill loses nothing; what needs the user's answer is left to the save on leaving.
#include "DocTestSupport.h"

#include "FaultInjection.h"

#include <chrono>
#include <sys/stat.h>

namespace {

class ListAutosaveTest : public DocTest {
protected:
    // Pumps events for up to a second and a half, until the file holds what it should.
    static bool OnDiskSoon(const std::function<bool()>& holds) {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(1500);
        while (!holds()) {
            if (std::chrono::steady_clock::now() > end)
                return false;
            WaitMs(20);
        }
        return true;
    }
    static bool Ticked(const char16_t* path) {
        rep::vector<Purchase*> read;
        const bool ticked = ListFile().Read(path, read) && read.size() == 1 && read[0]->IsPurchased();
        rep::delete_objects(read);
        return ticked;
    }
    void OpenAndTick(const char16_t* path) {
        ASSERT_TRUE(Doc().OnOpenDocument(path));
        Doc().GetPurchases()[0]->SetPurchased(true);  // as a tap in the list does
        Doc().SetModifiedFlag(TRUE);
    }
};

TEST_F(ListAutosaveTest, ATickIsOnDiskWithinASecondWithoutAnExit) {
    ASSERT_TRUE(WriteList(u"\\list.lsr", {MakePurchase(u"Milk", 1, 2)}));
    OpenAndTick(u"\\list.lsr");
    EXPECT_TRUE(OnDiskSoon([] { return Ticked(u"\\list.lsr"); }));
    EXPECT_FALSE(Doc().IsModified());
}

// Never asked, never written: a ".lsr" beside a text list that exists already, a
// read-only list, a list that failed to load. A text list with no ".lsr" beside it
// gets one, which the next start opens.
TEST_F(ListAutosaveTest, WhatNeedsAnAnswerOrMustNotBeWrittenIsLeftAlone) {
    // The last list fails to load at a start: the empty document must not replace it.
    const std::string damaged("\x05\0\0\0\x03", 5);
    WriteHostFile(Root().file("damaged.lsr"), damaged);
    TheOptions().SetLastFile(u"\\damaged.lsr");
    Script().ExpectMessageBox(u"Cannot open file '\\damaged.lsr'!", IDOK);
    EXPECT_FALSE(Doc().OnOpenDocument(u"\\damaged.lsr"));
    Doc().AddPurchase(MakePurchase(u"Jam", 1, 1));

    const std::string text = Utf16File(
        "\"Name\",\"Unit\",\"Quantity\",\"Price\",\"Coupon\",\"Purchased\",\"+*(XX)+Categories\"\r\n"
        "\"Tea\",\"box\",2,1.25,0,0,\"+*(  )+Drinks\"\r\n");
    WriteHostFile(Root().file("shop.obls"), text);
    ASSERT_TRUE(WriteList(u"\\shop.lsr", {MakePurchase(u"Old", 1, 1)}));
    ASSERT_TRUE(WriteList(u"\\locked.lsr", {MakePurchase(u"Milk", 1, 2)}));
    chmod(Root().file("locked.lsr").c_str(), 0444);
    const std::string shop = ReadHostFile(Root().file("shop.lsr"));
    const std::string locked = ReadHostFile(Root().file("locked.lsr"));
    for (const char16_t* path : {u"", u"\\shop.obls", u"\\locked.lsr"}) {
        if (*path) {
            EXPECT_NO_FATAL_FAILURE(OpenAndTick(path));
        }
        WaitMs(1200);
        EXPECT_TRUE(Doc().IsModified()) << ToUtf8(path);
        Script().Verify();
    }
    EXPECT_EQ(ReadHostFile(Root().file("damaged.lsr")), damaged);
    EXPECT_EQ(ReadHostFile(Root().file("shop.lsr")), shop);
    EXPECT_EQ(ReadHostFile(Root().file("locked.lsr")), locked);

    // A text list with no ".lsr" beside it gets one, which the next start opens.
    WriteHostFile(Root().file("new.obls"), text);
    EXPECT_NO_FATAL_FAILURE(OpenAndTick(u"\\new.obls"));
    EXPECT_TRUE(OnDiskSoon([] { return Ticked(u"\\new.lsr"); }));
    EXPECT_EQ(std::u16string(TheOptions().GetLastFile()), u"\\new.lsr");
    EXPECT_EQ(ReadHostFile(Root().file("new.obls")), text);
}

// A failed save keeps its messages and says why on the line under the first.
TEST_F(ListAutosaveTest, AFailedSaveSaysWhy) {
    ASSERT_TRUE(WriteList(u"\\list.lsr", {MakePurchase(u"Milk", 1, 2)}));
    ASSERT_TRUE(Doc().OnOpenDocument(u"\\list.lsr"));
    const std::pair<std::function<void()>, const char16_t*> cases[] = {
        {[] { FaultInjection::Arm(FaultInjection::FileWrite, 1, ERROR_DISK_FULL); }, u"The disk is full."},
        {[this] {
             FaultInjection::Disarm();
             ASSERT_TRUE(DeleteFileW(u"\\list.lsr"));
             ASSERT_TRUE(CreateDirectoryW(u"\\list.lsr", nullptr));
         },
         u"There is a folder of that name, not a file."},
    };
    for (const auto& [arrange, reason] : cases) {
        Doc().AddPurchase(MakePurchase(u"Jam", 1, 1));
        arrange();
        Script()
            .ExpectMessageBox(u"Cannot save file '\\list.lsr'!\n" + std::u16string(reason), IDOK)
            .ExpectMessageBox(u"Try again? (the problem may be that file is used on the PocketPC)", IDNO);
        EXPECT_TRUE(Doc().SaveModified());
        Script().Verify();
    }
    FaultInjection::Disarm();
}

}  // namespace
