#include "AppFixture.h"
#include "ListViewFixture.h"

#include <QAction>
#include <QMenu>
#include <bit>
#include <filesystem>
#include <limits>

using namespace apptest;

namespace {

class ShownAsWrittenTest : public ViewTest {};
class ShownAsWrittenAppTest : public StartedApp {};

TEST_F(ShownAsWrittenAppTest, BothHeadersShowTheSortOfTheList) {
    CListoraView* list = App().GetListView();
    CListoraChoiceView* choice = App().GetChoiceView();
    App().SwitchView();
    // Item again in the choice view: Z to A.
    choice->GetHeader()->ClickColumn(1);
    ASSERT_EQ(TheOptions().GetSortDirection(), 1u);
    App().SwitchView();
    EXPECT_EQ(list->GetHeader()->GetSortColumn(), 1);
    EXPECT_EQ(list->GetHeader()->GetSortDirection(), 1);
    // The list view's next click reverses the list's sort, not its own stale mark.
    list->GetHeader()->ClickColumn(1);
    EXPECT_EQ(TheOptions().GetSortDirection(), 0u);
    EXPECT_EQ(choice->GetHeader()->GetSortDirection(), 0);
}

TEST_F(ShownAsWrittenAppTest, TheEndSignalAnswersAPromptNobodyIsLeftToAnswer) {
    Stop();
    ASSERT_TRUE(std::filesystem::remove(NewList()));
    // The last list is gone: the start asks what to do, and the signal comes then.
    Script().ExpectMessageBox(u"Cannot open file '\\My Documents\\New.lsr'!", IDOK,
                              [this] { m_app->OnTerminationRequested(); });
    EXPECT_FALSE(Start()) << "the questions that follow are cancelled and the start ends";
    EXPECT_TRUE(ModalRunner::PromptsEnded());
}

TEST_F(ShownAsWrittenTest, NamesWithAnAmpersandKeepItInTheMenus) {
    const char16_t* name = u"Household & Cleaning Items";  // a category of the test catalogue
    MakeView<CListoraView>();
    m_viewFrame->RebuildRestrictionMenus(&Doc());
    CMenu* menu = m_viewFrame->FindRestrictionMenu(MainFrame::kCategoryMenu);
    ASSERT_NE(menu, nullptr);
    QAction* entry = nullptr;
    for (QAction* action : menu->GetQMenu()->actions())
        if (action->iconText() == QString::fromStdU16String(name))
            entry = action;
    ASSERT_NE(entry, nullptr) << "shown as written";
    Doc().SetCategoryRestriction(name);
    EXPECT_TRUE(entry->isChecked());
}

TEST_F(ShownAsWrittenTest, NumbersThatAreNoNumbersShowBlankAndStayInTheFile) {
    const float nan = std::bit_cast<float>(0x7FC12345u);
    const float inf = std::numeric_limits<float>::infinity();
    ASSERT_TRUE(WriteList(u"\\odd.lsr", {MakePurchase(u"Odd", nan, 2), MakePurchase(u"Far", 1, inf),
                                         MakePurchase(u"Tea", 2, 1.5f)}));
    ASSERT_TRUE(Doc().OnOpenDocument(u"\\odd.lsr"));
    CListoraView& view = MakeView<CListoraView>();
    const QImage image = view.RenderToImage();
    EXPECT_EQ(Text(view.GetTotalLineText()), u"(1-3)/3. 0.00/3.00 $");
    for (int row = 0; row < 3; ++row) {
        const Purchase* line = view.GetDisplayedPurchases()[row];
        if (line->Name() == u"Odd") {
            EXPECT_EQ(DarkPixels(image, CellInside(view, 0, row)), 0) << "blank quantity";
        }
        if (line->Name() != u"Tea") {
            EXPECT_EQ(DarkPixels(image, CellInside(view, 2, row)), 0) << "blank price";
        }
    }

    // Another line changes: the odd values go back to the file bit for bit.
    Doc().FindPurchase(u"Tea")->SetQty(3);
    Doc().SetModifiedFlag();
    TheOptions().SetLastFile(u"\\odd.lsr");
    ASSERT_TRUE(Doc().SaveModified());
    rep::vector<Purchase*> read;
    ASSERT_TRUE(ListFile().Read(u"\\odd.lsr", read));
    for (const Purchase* line : read) {
        if (line->Name() == u"Odd") {
            EXPECT_EQ(std::bit_cast<std::uint32_t>(line->GetQty()), 0x7FC12345u);
        }
        if (line->Name() == u"Far") {
            EXPECT_EQ(line->GetPrice(), inf);
        }
    }
    rep::delete_objects(read);
}

}  // namespace
