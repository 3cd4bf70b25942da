#include "AppFixture.h"

#include "CListoraView.h"
#include "CMenu.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>

using namespace apptest;
using namespace MainFrame;

namespace {

// Replaces a name list of the document (which owns and frees the texts).
void SetNames(rep::vector<TCHAR*>& list, std::initializer_list<std::u16string_view> names) {
    rep::delete_arrays(list);
    for (std::u16string_view name : names)
        list.push_back(CopyText(name));
}

class FrameTest : public StartedApp {
protected:
    CMenu* Locations() { return Frame().FindRestrictionMenu(kLocationMenu); }
    CMenu* Categories() { return Frame().FindRestrictionMenu(kCategoryMenu); }
};

}  // namespace

// Choosing entries and the marks they move are the document's (DocNameListTest).
TEST_F(FrameTest, EmptyListsStaleRestrictionsAndNamesDifferingInCase) {
    SetNames(Doc().GetLocations(), {});
    SetNames(Doc().GetCategories(), {u"Dairy"});
    Frame().RebuildRestrictionMenus(nullptr);  // the active document
    EXPECT_EQ(EntriesOf(Locations()), (Entries{{u"All Locations", 36000}})) << "no separator";
    // A restriction no longer in the list checks nothing, "All ..." included; marking
    // does not rebuild.
    SetNames(Doc().GetCategories(), {u"Dairy", u"Bread"});
    Frame().MarkCategoryRestriction(u"Bread");
    EXPECT_EQ(ChecksOf(Categories()), (std::vector<bool>{false, false, false}));
    Frame().MarkCategoryRestriction(nullptr);
    EXPECT_EQ(ChecksOf(Categories()), (std::vector<bool>{true, false, false}));
    // A rebuild renumbers by the new order; only the entry spelled exactly like the
    // restriction is checked.
    SetNames(Doc().GetCategories(), {u"fruit", u"Fruit"});
    Frame().RebuildRestrictionMenus(&Doc());
    EXPECT_EQ(EntriesOf(Categories()), (Entries{{u"All Categories", 34000}, {u"", 0}, {u"fruit", 34001}, {u"Fruit", 34002}}));
    Frame().MarkCategoryRestriction(u"Fruit");
    EXPECT_EQ(ChecksOf(Categories()), (std::vector<bool>{false, false, false, true}));
}

TEST_F(FrameTest, SelectCategoryOpensThePopupUpwardsFromTheCommandBar) {
    SetNames(Doc().GetCategories(), {u"Meat", u"Dairy"});
    CRect bar;
    Frame().GetCommandBar().GetWindowRect(&bar);
    Script().ExpectPopupMenu([&](CMenu& menu, const QPoint& point) -> UINT {
        EXPECT_EQ(EntriesOf(&menu), (Entries{{u"All Categories", 34000}, {u"", 0}, {u"Meat", 34001}, {u"Dairy", 34002}}));
        EXPECT_EQ(ChecksOf(&menu), (std::vector<bool>{true, false, false, false}));
        EXPECT_EQ(point.x(), bar.left);
        EXPECT_EQ(point.y() + menu.GetQMenu()->sizeHint().height(), bar.top) << "the menu's bottom edge sits on the command bar";
        return 34002;
    });
    ASSERT_TRUE(ClickToolButton(Frame(), ID_SELECT_CATEGORY));
    ASSERT_NE(Doc().GetCategoryRestriction(), nullptr);
    EXPECT_EQ(std::u16string(Doc().GetCategoryRestriction()), u"Dairy");
}

TEST_F(FrameTest, LaysOutAtTheHandheldSizeAndOnADesktop) {
    QMainWindow* window = Frame().GetMainWindow();
    EXPECT_FALSE(window->windowIcon().isNull());
    for (const QSize size : {QSize(240, 320), QSize(800, 600), QSize(320, 240)}) {
        window->resize(size);
        ProcessEvents();
        QWidget* area = Frame().GetViewArea();
        QWidget* bar = Frame().GetCommandBar().GetWidget();
        // The command bar runs along the bottom edge, the views fill the rest.
        EXPECT_EQ(bar->geometry().bottom(), window->rect().bottom()) << size.width();
        EXPECT_EQ(bar->width(), window->width());
        EXPECT_LE(area->geometry().bottom(), bar->geometry().top());
        EXPECT_EQ(area->width(), window->width());
        EXPECT_EQ(Frame().GetActiveView()->GetWidget()->geometry(), area->rect());
    }
}

