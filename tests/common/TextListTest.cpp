#include "TextList.h"

#include "ListFile.h"
#include "ListTestSupport.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

namespace {

const std::u16string kHeader = u"\"Name\",\"Unit\",\"Quantity\",\"Price\",\"Coupon\",\"Purchased\",\"+*(XX)+\"\r\n";

class TextListTest : public ::testing::Test {
protected:
    int Parse(const std::u16string& records) { return ParseTextList((kHeader + records).c_str(), items, purchases, locations); }

    TraceLines trace;
    Items items;
    Purchases purchases;
    rep::string_list locations;
};

}  // namespace

TEST_F(TextListTest, HeaderOnlyGivesNothingAndTheByteOrderMarkBelongsToTheHeader) {
    EXPECT_EQ(Parse(u""), LR_OK);
    EXPECT_EQ(Parse(u"\r\n,,\r\n"), LR_OK);
    EXPECT_TRUE(items.empty());
    EXPECT_TRUE(purchases.empty());
    const std::u16string text = u"\uFEFF" + kHeader + u"\"Tea\",\"pkg\",1,2,0,0,+*(  )+";
    EXPECT_EQ(ParseTextList(text.c_str(), items, purchases, locations), LR_OK);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0]->Name(), u"Tea");
}

TEST_F(TextListTest, ShortHeaderGivesTheCodeOfTheMissingField) {
    const std::u16string fields[] = {u"a", u"b", u"c", u"d", u"e", u"f"};
    std::u16string header;
    for (int present = 0; present < 7; ++present) {
        EXPECT_EQ(ParseTextList(header.c_str(), items, purchases, locations), LR_NAME + present)
            << present << " header fields";
        if (present < 6)
            header += fields[present] + u",";
    }
    EXPECT_EQ(ParseTextList(nullptr, items, purchases, locations), LR_NAME);
}

TEST_F(TextListTest, RecordFields) {
    Fill(locations, {u"walmart", u"sam's club"});
    ASSERT_EQ(Parse(u"\"Bread(Once)\",\"pkg\",2,1.25,1,0,\"+*(sa)+Foods+Fresh things\"\r\n"
                    u"\"Soap\",\"Bags\",1.5,3,0,7,\"+*(XY)+\"\r\n"
                    u"\"Salt\",\"\",1,0.5,0,0,\"+*(  )+Foods\"\r\n"),
              LR_OK);
    ASSERT_EQ(items.size(), 3u);
    const Item& bread = *items[0];
    EXPECT_EQ(bread.Name(), u"Bread");
    EXPECT_EQ(bread.Unit(), u"pkg");
    EXPECT_EQ(bread.GetPrice(), 1.25f);
    EXPECT_FALSE(bread.IsTaxable());
    EXPECT_EQ(Text(bread.GetLocation()), u"sam's club");  // code expanded ignoring case
    EXPECT_EQ(ToVector(bread.GetCategories()), (std::vector<std::u16string>{u"Foods", u"Fresh things"}));
    EXPECT_EQ(Text(items[1]->GetLocation()), u"XY");  // unknown code stays
    EXPECT_TRUE(items[1]->GetCategories().empty());
    EXPECT_EQ(items[2]->GetLocation(), nullptr);  // two blanks: none
    EXPECT_EQ(items[2]->Unit(), u"");

    ASSERT_EQ(purchases.size(), 3u);
    EXPECT_TRUE(purchases[0]->Equals(bread));
    EXPECT_EQ(purchases[0]->GetQty(), 2.0f);
    EXPECT_TRUE(purchases[0]->IsOnce() && purchases[0]->HasCoupon() && !purchases[0]->IsPurchased());
    EXPECT_EQ(purchases[1]->GetQty(), 1.5f);
    EXPECT_TRUE(!purchases[1]->IsOnce() && !purchases[1]->HasCoupon() && purchases[1]->IsPurchased());
    EXPECT_EQ(purchases[1]->GetNote(), nullptr);

    // Every new item is traced as not found (there is nothing to take its tax flag from).
    EXPECT_EQ(trace.Count(u"Cannot find '"), 3u);
    EXPECT_TRUE(trace.Has(u"Cannot find 'Bread' in items list"));
}

TEST_F(TextListTest, KnownNamesAndZeroQuantities) {
    items.push_back(new Item(u"Milk"));
    purchases.push_back(new Purchase(u"Eggs"));
    ASSERT_EQ(Parse(u"\"Milk\",\"gal\",1,3,0,0,+*(  )+\r\n"       // catalogue item: a line only
                    u"\"milk\",\"gal\",1,3,0,0,+*(  )+\r\n"       // other case: a new name
                    u"\"Tea\",\"pkg\",0,2,0,0,+*(  )+\r\n"        // item only
                    u"\"Tea\",\"pkg\",5,9,0,0,+*(  )+\r\n"        // repeated: ignored entirely
                    u"\"Eggs\",\"doz\",1,2,0,0,+*(  )+\r\n"),    // already a line: item only
              LR_OK);
    ASSERT_EQ(items.size(), 4u);
    EXPECT_EQ(items[1]->Name(), u"milk");
    EXPECT_EQ(items[2]->Name(), u"Tea");
    EXPECT_EQ(items[2]->GetPrice(), 2.0f);
    EXPECT_EQ(items[3]->Name(), u"Eggs");
    ASSERT_EQ(purchases.size(), 3u);
    EXPECT_EQ(purchases[1]->Name(), u"Milk");
    EXPECT_EQ(purchases[1]->GetPrice(), 3.0f);
    EXPECT_EQ(purchases[2]->Name(), u"milk");
}

TEST_F(TextListTest, ABrokenFieldGivesItsCodeAndTheRecordsBeforeStay) {
    struct Case {
        const char16_t* record;
        int code;
    } cases[] = {
        {u"\"(Once)\",\"\",1,1,0,0,+", LR_NAME},  // a name of nothing
        {u"\"Tea\",x,1,1,0,0,+", LR_UNIT},
        {u"\"Tea\",\"\",1,1x,0,0,+", LR_PRICE},
        {u"\"Tea\",\"\",1,1,0", LR_PURCHASED},  // the record ends early
    };
    for (const Case& c : cases) {
        Items someItems;
        Purchases somePurchases;
        const std::u16string text = kHeader + u"\"Good\",\"pkg\",1,1,0,0,+*(  )+\r\n" + c.record + u"\r\n";
        EXPECT_EQ(ParseTextList(text.c_str(), someItems, somePurchases, locations), c.code)
            << std::string(c.record, c.record + std::char_traits<char16_t>::length(c.record));
        // The record before the broken one stays.
        ASSERT_EQ(someItems.size(), 1u);
        EXPECT_EQ(somePurchases.size(), 1u);
    }
}

TEST_F(TextListTest, EmptyFieldsVanish) {
    // The doubled comma is one delimiter: every later field slides one place forward.
    EXPECT_EQ(Parse(u"\"Tea\",\"pkg\",,2.5,0,0,1,+*(  )+Foods\r\n"), LR_OK);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0]->GetPrice(), 0.0f);
    ASSERT_EQ(purchases.size(), 1u);
    EXPECT_EQ(purchases[0]->GetQty(), 2.5f);
    EXPECT_TRUE(purchases[0]->IsPurchased());
}

// The default items file that the store imports on the first start.
TEST_F(TextListTest, DefaultItemsFileIsAGoodStarterCatalogue) {
    const TestRoot root;
    ListFile file;
    ASSERT_TRUE(file.ReadText(HostPath(root.starterCatalogue()).c_str()));
    Fill(locations, {u"walmart", u"sam's club"});
    ASSERT_EQ(ParseTextList(file.GetText(), items, purchases, locations), LR_OK);
    EXPECT_GE(items.size(), 80u);
    EXPECT_TRUE(purchases.empty()) << "the catalogue file should not fill a list";

    // The store keeps one key per name, compared ignoring case: a name it can hold.
    auto ignoringCase = [](const std::u16string& a, const std::u16string& b) { return _tcsicmp(a.c_str(), b.c_str()) < 0; };
    std::set<std::u16string, decltype(ignoringCase)> names(ignoringCase);
    for (const Item* item : items) {
        SCOPED_TRACE(ToUtf8(item->GetName()));
        EXPECT_TRUE(names.emplace(item->Name()).second) << "duplicate name";
        EXPECT_LE(item->Name().size(), 255u);
        EXPECT_EQ(item->Name().find(u'\\'), std::u16string::npos);
    }
}
