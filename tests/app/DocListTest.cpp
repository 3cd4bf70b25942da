#include "DocTestSupport.h"

#include <cmath>

namespace {

class DocListTest : public DocTest {
protected:
    // Four lines whose keys order them differently for each column.
    void Fill() {
        CListoraDoc& doc = Doc();
        doc.AddPurchase(MakePurchase(u"bread", 2, 3.0f, u"Market", u"b note", false));
        doc.AddPurchase(MakePurchase(u"Apple", 5, 1.0f, nullptr, u"A note", true));
        doc.AddPurchase(MakePurchase(u"cheese", 1, 9.0f, u"bakery", nullptr, false));
        doc.AddPurchase(MakePurchase(u"Dates", 3, 0.5f, u"Corner", u"c note", true));
    }
    Names Sorted(DWORD column, DWORD direction) {
        TheOptions().SetSortColumn(column);
        TheOptions().SetSortDirection(direction);
        Doc().SortList();
        return NamesOf(Doc().GetPurchases());
    }
};

TEST_F(DocListTest, EveryColumnSortsBothWays) {
    Fill();
    // Quantity: direction 0 puts the largest first.
    EXPECT_EQ(Sorted(0, 0), (Names{u"Apple", u"Dates", u"bread", u"cheese"}));
    EXPECT_EQ(Sorted(0, 1), (Names{u"cheese", u"bread", u"Dates", u"Apple"}));
    EXPECT_EQ(Sorted(1, 0), (Names{u"Apple", u"bread", u"cheese", u"Dates"}));
    EXPECT_EQ(Sorted(2, 0), (Names{u"Dates", u"Apple", u"bread", u"cheese"}));
    // Absent locations and notes sort as empty texts.
    EXPECT_EQ(Sorted(4, 0), (Names{u"Apple", u"cheese", u"Dates", u"bread"}));
    EXPECT_EQ(Sorted(5, 1), (Names{u"Dates", u"bread", u"Apple", u"cheese"}));

    // Coupon: only the coupon lines' place is fixed.
    Sorted(3, 0);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Doc().GetPurchases()[i]->HasCoupon(), i < 2) << i;
    Sorted(3, 1);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(Doc().GetPurchases()[i]->HasCoupon(), i >= 2) << i;

    // Added lines take their place even when a view changed a price directly and the
    // list is out of order when the next line comes.
    Sorted(2, 0);
    Doc().GetPurchases()[0]->SetPrice(100.0f);
    Doc().AddPurchase(MakePurchase(u"Eggs", 1, 2.0f));
    EXPECT_EQ(NamesOf(Doc().GetPurchases()), (Names{u"Apple", u"Eggs", u"bread", u"cheese", u"Dates"}));
    EXPECT_TRUE(Doc().IsModified());
}

TEST_F(DocListTest, NameAndPriceSortsAlsoOrderTheCatalogue) {
    CListoraDoc& doc = Doc();
    Sorted(1, 1);
    EXPECT_EQ(NamesOf(doc.GetItems()), (Names{u"Soap", u"Milk", u"Eggs"}));
    Sorted(0, 1);
    EXPECT_EQ(NamesOf(doc.GetItems()), (Names{u"Soap", u"Milk", u"Eggs"}));
    Sorted(2, 1);
    EXPECT_EQ(NamesOf(doc.GetItems()), (Names{u"Eggs", u"Milk", u"Soap"}));
    // A new catalogue item finds its place, and the list is ordered again by the sort.
    Sorted(1, 1);
    auto* item = new Item(u"Flour");
    ASSERT_TRUE(doc.AddCatalogueItem(item, true));
    EXPECT_EQ(NamesOf(doc.GetItems()), (Names{u"Eggs", u"Flour", u"Milk", u"Soap"}));
    doc.AddPurchase(MakePurchase(u"Tea", 1, 1));
    EXPECT_EQ(NamesOf(doc.GetItems()), (Names{u"Soap", u"Milk", u"Flour", u"Eggs"}));
}

TEST_F(DocListTest, DamagedNumbersNeverUpsetTheSort) {
    CListoraDoc& doc = Doc();
    TheOptions().SetSortColumn(0);
    for (int i = 0; i < 40; ++i)
        doc.AddPurchase(MakePurchase(u"x", (i % 3 == 0) ? std::nanf("") : static_cast<float>(i), 1));
    doc.SortList();
    EXPECT_EQ(doc.GetPurchases().size(), 40u);
    EXPECT_FALSE(std::isnan(doc.GetPurchases()[0]->GetQty()));
}

TEST_F(DocListTest, LookUpsAreExactAndFindTheFirstLineAndRemovalsResetTheViews) {
    CListoraDoc& doc = Doc();
    Frame();
    TheOptions().SetSortColumn(0);  // largest quantity first
    Purchase* small = MakePurchase(u"Tea", 1, 1);
    Purchase* large = MakePurchase(u"Tea", 5, 1);
    doc.AddPurchase(small);
    doc.AddPurchase(large);
    EXPECT_EQ(doc.FindPurchase(u"Tea"), large);
    EXPECT_EQ(doc.FindPurchase(u"tea"), nullptr);

    doc.RemovePurchase(large);
    EXPECT_EQ(doc.FindPurchase(u"Tea"), small);
    // The views are reset before a line goes; a line the document does not hold is
    // left alone.
    const int resets = View()->resets;
    doc.RemovePurchase(small);
    EXPECT_GT(View()->resets, resets);
    EXPECT_TRUE(doc.GetPurchases().empty());
    Purchase stranger(u"Stranger");
    doc.RemovePurchase(&stranger);

    EXPECT_NE(doc.FindItem(u"Milk"), nullptr);
    EXPECT_EQ(doc.FindItem(u"milk"), nullptr);
    // A name changed in place is found once the document is told.
    doc.FindItem(u"Milk")->SetName(u"Oat milk");
    doc.CatalogueChanged();
    EXPECT_EQ(doc.FindItem(u"Milk"), nullptr);
    EXPECT_NE(doc.FindItem(u"Oat milk"), nullptr);
}

TEST_F(DocListTest, TheTotalNoticeComesOnceTheSumIsPassed) {
    TheOptions().SetNotifyWhenReach(true);
    TheOptions().SetNotifyWhenReachSum(50);
    CListoraDoc& doc = Doc();
    doc.AddPurchase(MakePurchase(u"Wine", 2, 10.00f));

    Script().ExpectMessageBox(u"Note: Total is 52.00", IDOK);
    doc.AddPurchase(MakePurchase(u"Cheese", 4, 8.00f));

    // Exactly at the sum: no notice.
    Script().Verify();
    TheOptions().SetNotifyWhenReachSum(52);
    doc.CheckTotalNotice();
    TheOptions().SetNotifyWhenReach(false);
    doc.AddPurchase(MakePurchase(u"Gold", 1, 1000.0f));
}

TEST_F(DocListTest, AnEditedLineIsSortedNoticedAndAutosaved) {
    TheOptions().SetNotifyWhenReach(true);
    TheOptions().SetNotifyWhenReachSum(5);
    TheOptions().SetAutosave(true);
    TheOptions().SetLastFile(u"\\auto.lsr");
    CListoraDoc& doc = Doc();
    Frame();
    const size_t updates = View()->hints.size();

    Script().ExpectMessageBox(u"Note: Total is 6.00", IDOK);  // the notice's rules are the test above's
    Purchase* line = MakePurchase(u"Flour", 3, 2.0f, nullptr, nullptr, false, true);
    doc.ApplyEdit(line, true);
    EXPECT_EQ(doc.FindPurchase(u"Flour"), line);
    // One-time: in the catalogue in memory, not in the store.
    EXPECT_NE(doc.FindItem(u"Flour"), nullptr);
    // Saved at once, including this line.
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(ListFileNames(u"\\auto.lsr"), (Names{u"Flour"}));
    EXPECT_GT(View()->hints.size(), updates);

    // An existing line renamed by the dialog is found under its new name.
    TheOptions().SetNotifyWhenReach(false);
    line->SetName(u"Rye flour");
    doc.ApplyEdit(line, false);
    EXPECT_EQ(doc.FindPurchase(u"Rye flour"), line);
    EXPECT_EQ(doc.FindPurchase(u"Flour"), nullptr);
}

}  // namespace
