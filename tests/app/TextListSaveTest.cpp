// A list read from another program's text list is saved as a binary list of the same
// name beside it: the text list stays exactly as it was.
#include "DocTestSupport.h"

namespace {

class TextListSaveTest : public DocTest {
protected:
    // Opens a text list of one line and changes the list.
    void OpenAndChange(const char* name) {
        WriteHostFile(Root().file(name), kTextList);
        ASSERT_TRUE(Doc().OnOpenDocument((u"\\" + U16(name)).c_str()));
        Doc().AddPurchase(MakePurchase(u"Jam", 1, 2));
    }
};

TEST_F(TextListSaveTest, ChangesGoToABinaryListOfTheSameNameAndTheTextListStays) {
    for (const char* name : {"shop.obls", "shop.CSV"}) {
        OpenAndChange(name);
        EXPECT_TRUE(Doc().SaveModified());
        EXPECT_EQ(ReadHostFile(Root().file(name)), kTextList) << name;
        EXPECT_EQ(ListFileNames(u"\\shop.lsr"), (Names{u"Jam", u"Tea"}));
        EXPECT_EQ(std::u16string(TheOptions().GetLastFile()), u"\\shop.lsr");
        EXPECT_EQ(Doc().GetTitle().str(), u"shop");
        EXPECT_FALSE(Doc().IsModified());
        // From now on the list lives in the binary list.
        Doc().AddPurchase(MakePurchase(u"Rice", 1, 2));
        EXPECT_TRUE(Doc().SaveModified());
        EXPECT_EQ(ReadHostFile(Root().file(name)), kTextList);
        ASSERT_TRUE(DeleteFileW(u"\\shop.lsr"));
    }
}

TEST_F(TextListSaveTest, AnExistingBinaryListIsReplacedOnlyWhenTheUserSaysSo) {
    const char16_t* question = u"shop.lsr already exists.\nDo you want to replace it?";
    ASSERT_TRUE(WriteList(u"\\shop.lsr", {MakePurchase(u"Old", 1, 1)}));
    OpenAndChange("shop.obls");
    Script().ExpectMessageBox(question, IDNO).ExpectFileDialog(false, u"\\other.lsr");
    EXPECT_TRUE(Doc().SaveModified());
    EXPECT_EQ(ListFileNames(u"\\shop.lsr"), (Names{u"Old"}));
    EXPECT_EQ(ListFileNames(u"\\other.lsr"), (Names{u"Jam", u"Tea"}));
    EXPECT_EQ(std::u16string(TheOptions().GetLastFile()), u"\\other.lsr");
    Script().Verify();

    // Cancelled: nothing is written and the changes wait for the next save.
    OpenAndChange("shop.obls");
    Script().ExpectMessageBox(question, IDNO).ExpectFileDialog(false, u"");
    EXPECT_TRUE(Doc().SaveModified());
    EXPECT_TRUE(Doc().IsModified());
    EXPECT_EQ(ListFileNames(u"\\shop.lsr"), (Names{u"Old"}));
    Script().Verify();

    Script().ExpectMessageBox(question, IDYES);
    EXPECT_TRUE(Doc().SaveModified());
    EXPECT_EQ(ListFileNames(u"\\shop.lsr"), (Names{u"Jam", u"Tea"}));
    EXPECT_EQ(ReadHostFile(Root().file("shop.obls")), kTextList);
}

}  // namespace
