// The document inside the running program: what the user changes is written to the
// list file without a question and is there again after a restart.
#include "AppFixture.h"

namespace {

using namespace apptest;

class DocInProgramTest : public AppFixture {};

TEST_F(DocInProgramTest, PickedAndTickedLinesSurviveARestart) {
    ASSERT_TRUE(Start());
    ASSERT_GE(Doc().GetItems().size(), 2u);
    const std::u16string first = Doc().GetItems()[0]->Name();
    const std::u16string second = Doc().GetItems()[1]->Name();
    Doc().AddPurchase(new Purchase(*Doc().GetItems()[0]));
    Doc().AddPurchase(new Purchase(*Doc().GetItems()[1]));
    Doc().FindPurchase(second.c_str())->SetPurchased(true);
    Doc().SetModifiedFlag();
    EXPECT_TRUE(Doc().SaveModified());
    Stop();

    ASSERT_TRUE(Start());
    EXPECT_EQ(Doc().GetPurchases().size(), 2u);
    ASSERT_NE(Doc().FindPurchase(first.c_str()), nullptr);
    ASSERT_NE(Doc().FindPurchase(second.c_str()), nullptr);
    EXPECT_TRUE(Doc().FindPurchase(second.c_str())->IsPurchased());
    EXPECT_FALSE(Doc().IsModified());
}

TEST_F(DocInProgramTest, AListOpenedLastIsTheOneTheNextStartOpens) {
    ASSERT_TRUE(WriteList(Root().file("Week.lsr"), {u"Tea", u"Jam"}));
    ASSERT_TRUE(Start());
    ASSERT_NE(App().OpenDocumentFile(u"\\Week.lsr"), nullptr);
    // Nothing changed after the open: no save, yet the next start opens that list.
    Stop();

    ASSERT_TRUE(Start());
    EXPECT_EQ(Doc().GetPurchases().size(), 2u);
    EXPECT_NE(Doc().FindPurchase(u"Jam"), nullptr);
}

}  // namespace
