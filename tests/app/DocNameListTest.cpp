// The catalogue's name lists as the document keeps them: adding names, the restriction
// menus built from them, and removing a name from every item and line.
#include "DocTestSupport.h"

namespace {

using Names = std::vector<std::u16string>;

class DocNameListTest : public DocTest {
protected:
    CMenu* RestrictionMenu(const char16_t* text) {
        CMenu* list = Frame().GetMenu()->GetSubMenu(1);
        for (int i = 0; i < list->GetMenuItemCount(); ++i) {
            CString entry;
            list->GetMenuString(static_cast<UINT>(i), entry, MF_BYPOSITION);
            if (entry == text)
                return list->GetSubMenu(i);
        }
        return nullptr;
    }
    // The texts of a menu's entries, a checked one marked with "*".
    Names Entries(CMenu* menu) {
        Names entries;
        for (int i = 0; i < menu->GetMenuItemCount(); ++i) {
            CString text;
            menu->GetMenuString(static_cast<UINT>(i), text, MF_BYPOSITION);
            if (menu->GetMenuState(static_cast<UINT>(i), MF_BYPOSITION) & MF_CHECKED)
                text += u"*";
            entries.push_back(menu->GetMenuItemID(i) == 0 ? u"-" : text.str());
        }
        return entries;
    }
    // Only the names the test adds.
    void EmptyNameLists() {
        rep::delete_arrays(Doc().GetCategories());
        rep::delete_arrays(Doc().GetLocations());
        rep::delete_arrays(Doc().GetUnits());
    }
};

TEST_F(DocNameListTest, NamesAreAddedOnceIgnoringCaseAndKeptZToA) {
    CListoraDoc& doc = Doc();
    EmptyNameLists();
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

TEST_F(DocNameListTest, AddingACategoryOrLocationRebuildsItsMenu) {
    CListoraDoc& doc = Doc();
    Frame();
    EmptyNameLists();
    EXPECT_TRUE(doc.AddCategory(u"Fruit"));
    EXPECT_TRUE(doc.AddCategory(u"Bakery"));
    EXPECT_EQ(Entries(RestrictionMenu(u"Categories Restriction")),
              (Names{u"All Categories*", u"-", u"Fruit", u"Bakery"}));
    EXPECT_TRUE(doc.AddLocation(u"Market"));
    EXPECT_EQ(Entries(RestrictionMenu(u"Location Restriction")), (Names{u"All Locations*", u"-", u"Market"}));
}

TEST_F(DocNameListTest, ChoosingARestrictionSetsItAndMovesTheCheckMark) {
    CListoraDoc& doc = Doc();
    TestFrame& frame = Frame();
    EmptyNameLists();
    doc.AddCategory(u"Fruit");
    doc.AddCategory(u"Bakery");
    doc.AddLocation(u"Market");
    View()->hints.clear();

    ASSERT_TRUE(ChooseMenuCommand(frame, {u"&List", u"Categories Restriction", u"Bakery"}));
    EXPECT_EQ(std::u16string(doc.GetCategoryRestriction()), u"Bakery");
    EXPECT_EQ(Entries(RestrictionMenu(u"Categories Restriction")),
              (Names{u"All Categories", u"-", u"Fruit", u"Bakery*"}));
    EXPECT_EQ(View()->hints, (std::vector<LPARAM>{4095}));
    EXPECT_FALSE(doc.IsModified());

    ASSERT_TRUE(ChooseMenuCommand(frame, {u"&List", u"Location Restriction", u"Market"}));
    EXPECT_EQ(std::u16string(doc.GetLocationRestriction()), u"Market");
    EXPECT_EQ(Entries(RestrictionMenu(u"Location Restriction")), (Names{u"All Locations", u"-", u"Market*"}));
    EXPECT_EQ(View()->hints.back(), 4096);

    ASSERT_TRUE(ChooseMenuCommand(frame, {u"&List", u"Categories Restriction", u"All Categories"}));
    EXPECT_EQ(doc.GetCategoryRestriction(), nullptr);
    EXPECT_EQ(Entries(RestrictionMenu(u"Categories Restriction")),
              (Names{u"All Categories*", u"-", u"Fruit", u"Bakery"}));

    // A restriction no longer in the list leaves every entry unchecked.
    doc.SetCategoryRestriction(u"Gone");
    EXPECT_EQ(Entries(RestrictionMenu(u"Categories Restriction")), (Names{u"All Categories", u"-", u"Fruit", u"Bakery"}));
    // An entry of a menu built from a longer list changes nothing.
    doc.OnCategoryRestriction(CListoraDoc::ID_CATEGORY_ALL + 50);
    EXPECT_EQ(std::u16string(doc.GetCategoryRestriction()), u"Gone");
}

TEST_F(DocNameListTest, OpeningAListRebuildsTheMenusFromTheCatalogue) {
    ASSERT_TRUE(WriteList(u"\\a.lsr", {MakePurchase(u"Tea", 1, 1, u"Kiosk")}));
    Frame();
    ASSERT_TRUE(Doc().OnOpenDocument(u"\\a.lsr"));
    const Names locations = Entries(RestrictionMenu(u"Location Restriction"));
    ASSERT_GE(locations.size(), 3u);
    EXPECT_EQ(locations[0], u"All Locations*");
    EXPECT_NE(std::find(locations.begin(), locations.end(), u"Kiosk"), locations.end());
    EXPECT_EQ(locations.size() - 2, Doc().GetLocations().size());
}

TEST_F(DocNameListTest, ACategoryGoesFromEveryItemAndLine) {
    CListoraDoc& doc = Doc();
    doc.AddPurchase(MakePurchase(u"Jam", 1, 1, nullptr, nullptr, false, false, {u"FOODS", u"Sweet"}));
    doc.SetModifiedFlag(FALSE);
    EXPECT_TRUE(doc.IsCategoryUsed(u"foods"));
    EXPECT_FALSE(doc.IsCategoryUsed(u"Toys"));

    doc.RemoveCategoryFromAll(u"Foods");
    EXPECT_FALSE(doc.IsCategoryUsed(u"Foods"));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(TextsOf(doc.FindPurchase(u"Jam")->GetCategories()), (Names{u"Sweet"}));
    EXPECT_EQ(TextsOf(doc.FindItem(u"Milk")->GetCategories()), (Names{u"Drinks"}));
    // The changed items reached the store.
    rep::vector<Item*> stored;
    ASSERT_TRUE(TheRegistry().GetItems(stored));
    for (const Item* item : stored)
        EXPECT_FALSE(item->HasCategory(u"Foods")) << std::string(item->Name().begin(), item->Name().end());
    rep::delete_objects(stored);
}

TEST_F(DocNameListTest, ALocationOrUnitGoesFromEveryItemAndLine) {
    CListoraDoc& doc = Doc();
    const std::u16string location = doc.FindItem(u"Milk")->GetLocation();
    EXPECT_TRUE(doc.IsLocationUsed(FoldCase(location).c_str()));
    EXPECT_TRUE(doc.IsUnitUsed(u"GAL"));

    // Used by items only: the list itself is not changed.
    doc.RemoveUnitFromAll(u"GAL");
    EXPECT_FALSE(doc.IsUnitUsed(u"gal"));
    EXPECT_FALSE(doc.IsModified());

    doc.AddPurchase(MakePurchase(u"Jam", 1, 1, location.c_str()));
    doc.SetModifiedFlag(FALSE);
    doc.RemoveLocationFromAll(location.c_str());
    EXPECT_FALSE(doc.IsLocationUsed(location.c_str()));
    EXPECT_EQ(doc.FindPurchase(u"Jam")->GetLocation(), nullptr);
    EXPECT_TRUE(doc.IsModified());

    rep::vector<Item*> stored;
    ASSERT_TRUE(TheRegistry().GetItems(stored));
    for (const Item* item : stored) {
        EXPECT_FALSE(item->HasLocation());
        EXPECT_NE(item->Unit(), u"gal");
    }
    rep::delete_objects(stored);
}

}  // namespace
