#include "DocTestSupport.h"

namespace {

using DocNameListTest = DocTest;

TEST_F(DocNameListTest, NamesAreAddedOnceIgnoringCaseAndKeptZToA) {
    CListoraDoc& doc = Doc();
    rep::delete_arrays(doc.GetUnits());  // only the names the test adds
    EXPECT_TRUE(doc.AddUnit(u"box"));
    EXPECT_TRUE(doc.AddUnit(u"Crate"));
    EXPECT_TRUE(doc.AddUnit(u"bag"));
    EXPECT_FALSE(doc.AddUnit(u"BOX"));
    EXPECT_FALSE(doc.AddUnit(u""));
    EXPECT_FALSE(doc.AddUnit(nullptr));
    EXPECT_EQ(TextsOf(doc.GetUnits()), (Names{u"Crate", u"box", u"bag"}));
    rep::string_list stored;
    ASSERT_TRUE(TheRegistry().GetUnits(stored));
    EXPECT_EQ(TextsOf(stored), (Names{u"Crate", u"box", u"bag"}));
}

// Stale restrictions, names differing in case and the pop-up are the frame's (FrameTest).
TEST_F(DocNameListTest, AddedNamesReachTheMenusWhoseChoicesSetTheRestrictionAndItsMark) {
    CListoraDoc& doc = Doc();
    CMainFrame& frame = Frame();
    rep::delete_arrays(doc.GetCategories());
    EXPECT_TRUE(doc.AddCategory(u"Fruit"));
    EXPECT_TRUE(doc.AddCategory(u"Bakery"));
    CMenu* categories = frame.FindRestrictionMenu(MainFrame::kCategoryMenu);
    EXPECT_EQ(EntriesOf(categories), (Entries{{u"All Categories", 34000}, {u"", 0}, {u"Fruit", 34001}, {u"Bakery", 34002}}));
    View()->hints.clear();

    ASSERT_TRUE(ChooseMenuCommand(frame, {u"&List", u"Categories Restriction", u"Bakery"}));
    EXPECT_EQ(std::u16string(doc.GetCategoryRestriction()), u"Bakery");
    EXPECT_EQ(ChecksOf(categories), (std::vector<bool>{false, false, false, true}));
    EXPECT_EQ(View()->hints, (std::vector<LPARAM>{CListoraDoc::kHintCategoryRestriction}));
    EXPECT_FALSE(doc.IsModified()) << "a restriction is no change of the list";
    ASSERT_TRUE(ChooseMenuCommand(frame, {u"&List", u"Location Restriction", u"walmart"}));
    EXPECT_EQ(std::u16string(doc.GetLocationRestriction()), u"walmart");
    EXPECT_EQ(View()->hints.back(), CListoraDoc::kHintLocationRestriction);

    // An entry of a menu built from a longer list changes nothing.
    doc.OnCategoryRestriction(CListoraDoc::ID_CATEGORY_ALL + 50);
    EXPECT_EQ(std::u16string(doc.GetCategoryRestriction()), u"Bakery");
    ASSERT_TRUE(ChooseMenuCommand(frame, {u"&List", u"Categories Restriction", u"All Categories"}));
    EXPECT_EQ(doc.GetCategoryRestriction(), nullptr);
    EXPECT_EQ(ChecksOf(categories), (std::vector<bool>{true, false, false, false}));
}

TEST_F(DocNameListTest, OpeningAListAddsTheNamesItsLinesUseAndRebuildsTheMenus) {
    ASSERT_TRUE(WriteList(u"\\a.lsr", {MakePurchase(u"Tea", 1, 2, u"corner shop", nullptr, false, false,
                                                     {u"Drinks", u"Breakfast"}, u"box"),
                                        MakePurchase(u"Jam", 1, 1, u"Kiosk")}));
    CListoraDoc& doc = Doc();
    Frame();
    ASSERT_TRUE(doc.OnOpenDocument(u"\\a.lsr"));

    EXPECT_TRUE(NameListContains(doc.GetLocations(), u"Corner Shop"));
    EXPECT_TRUE(NameListContains(doc.GetUnits(), u"box"));
    EXPECT_TRUE(NameListContains(doc.GetCategories(), u"Breakfast"));
    // Known names are not added twice, and the lists stay Z to A.
    const Names categories = TextsOf(doc.GetCategories());
    EXPECT_EQ(std::count(categories.begin(), categories.end(), u"Drinks"), 1);
    EXPECT_TRUE(std::is_sorted(categories.begin(), categories.end(),
                               [](const auto& a, const auto& b) { return CompareNoCase(a, b) > 0; }));
    rep::string_list units;
    ASSERT_TRUE(TheRegistry().GetUnits(units));
    EXPECT_TRUE(ListContains(units, u"box"));

    CMenu* locations = Frame().FindRestrictionMenu(MainFrame::kLocationMenu);
    EXPECT_GE(FindMenuItem(locations, u"Kiosk"), 0);
    EXPECT_EQ(static_cast<std::size_t>(locations->GetMenuItemCount() - 2), doc.GetLocations().size());
}

TEST_F(DocNameListTest, ANameGoesFromEveryItemAndLine) {
    CListoraDoc& doc = Doc();
    const std::u16string location = doc.FindItem(u"Milk")->GetLocation();
    EXPECT_TRUE(doc.IsLocationUsed(FoldCase(location).c_str()));
    EXPECT_TRUE(doc.IsUnitUsed(u"GAL"));
    // A unit used by items only: the list itself is not changed.
    doc.RemoveUnitFromAll(u"GAL");
    EXPECT_FALSE(doc.IsUnitUsed(u"gal"));
    EXPECT_FALSE(doc.IsModified());

    doc.AddPurchase(MakePurchase(u"Jam", 1, 1, location.c_str(), nullptr, false, false, {u"FOODS", u"Sweet"}));
    doc.SetModifiedFlag(FALSE);
    EXPECT_TRUE(doc.IsCategoryUsed(u"foods"));
    EXPECT_FALSE(doc.IsCategoryUsed(u"Toys"));
    doc.RemoveCategoryFromAll(u"Foods");
    EXPECT_FALSE(doc.IsCategoryUsed(u"Foods"));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(TextsOf(doc.FindPurchase(u"Jam")->GetCategories()), (Names{u"Sweet"}));
    EXPECT_EQ(TextsOf(doc.FindItem(u"Milk")->GetCategories()), (Names{u"Drinks"}));

    doc.SetModifiedFlag(FALSE);
    doc.RemoveLocationFromAll(location.c_str());
    EXPECT_FALSE(doc.IsLocationUsed(location.c_str()));
    EXPECT_EQ(doc.FindPurchase(u"Jam")->GetLocation(), nullptr);
    EXPECT_TRUE(doc.IsModified());

    rep::vector<Item*> stored;
    ASSERT_TRUE(TheRegistry().GetItems(stored));
    for (const Item* item : stored) {
        EXPECT_FALSE(item->HasCategory(u"Foods")) << std::string(item->Name().begin(), item->Name().end());
        EXPECT_FALSE(item->HasLocation());
        EXPECT_NE(item->Unit(), u"gal");
    }
    rep::delete_objects(stored);
}

}  // namespace
