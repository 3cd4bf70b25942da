#include "DocTestSupport.h"

#include "TraceLines.h"
#include "Listora/dlgs/CAddItemDialog.h"
#include "Listora/dlgs/CSelectCategoriesDlg.h"
#include "QtText.h"

#include <QScrollBar>
#include <QTreeWidget>
#include <functional>

namespace {

using Dialog = CAddItemDialog;

class AddItemDialogTest : public DocTest {
protected:
    // Runs the dialog for purchase with script; on OK hands the result to the
    // document as the program does.
    void Run(Purchase* purchase, std::function<void(Dialog&)> script) {
        Dialog dialog(&Doc(), purchase);
        Script().ExpectDialog(Dialog::IDD, [&](CDialog& d) { script(static_cast<Dialog&>(d)); });
        if (dialog.DoModal() == IDOK) {
            const bool isNew = dialog.IsResultNew();
            Doc().ApplyEdit(isNew ? dialog.TakeNewPurchase().release() : dialog.GetResult(), isNew);
        }
    }

    static QString Text(Dialog& d, int id) { return ToQString(d.GetDlgItemText(id)); }
    static Names Selected(Dialog& d) { return TextsOf(*d.GetSelectedCategories()); }
    // The fields in one line: quantity, price, unit, location, note, ticked checks.
    static std::string Fields(Dialog& d) {
        QStringList fields;
        for (int id : {Dialog::IDC_QTY, Dialog::IDC_PRICE, Dialog::IDC_UNIT, Dialog::IDC_LOCATION, Dialog::IDC_NOTE})
            fields << Text(d, id);
        for (const auto& [id, name] : {std::pair(Dialog::IDC_TAXABLE, "taxable"), std::pair(Dialog::IDC_ONCE, "once"),
                                       std::pair(Dialog::IDC_COUPON, "coupon")})
            if (d.IsDlgButtonChecked(id))
                fields << QString::fromLatin1(name);
        return fields.join(QLatin1Char('|')).toStdString();
    }
};

}  // namespace

TEST_F(AddItemDialogTest, ANameOnTheListEditsThatLineAndAnotherNameAddsANewOne) {
    Purchase* apples = MakePurchase(u"Apples", 2.5f, 1.25f, u"Market", u"ripe", true, false, {u"Fruits"}, u"kg");
    Doc().AddPurchase(apples);

    // A new line whose name is already on the list: the list's values, and OK
    // changes that line.
    Run(nullptr, [](Dialog& d) {
        SetControlText(d, Dialog::IDC_NAME, QStringLiteral("Apples"));
        // "Market" is no location of the list: shown as it is all the same.
        EXPECT_EQ(Fields(d), "2.5|1.25|kg|Market|ripe|coupon");
        EXPECT_EQ(Selected(d), (Names{u"Fruits"}));
        SetControlText(d, Dialog::IDC_QTY, QStringLiteral("3"));
        PressOK(d);
    });
    ASSERT_EQ(Doc().GetPurchases().size(), 1u);
    EXPECT_FLOAT_EQ(apples->GetQty(), 3.0f);
    EXPECT_EQ(std::u16string(apples->GetLocation()), u"Market");

    // Editing the line under another, unknown name: the fields go back to the
    // defaults, and OK adds that name as a new line (and catalogue item).
    Run(apples, [](Dialog& d) {
        EXPECT_EQ(Text(d, Dialog::IDC_NAME), QStringLiteral("Apples"));
        SetControlText(d, Dialog::IDC_NAME, QStringLiteral("Pears"));
        EXPECT_EQ(Fields(d), "1|0|<none>|<none>||taxable");
        PressOK(d);
    });
    EXPECT_EQ(NamesOf(Doc().GetPurchases()), (Names{u"Apples", u"Pears"}));
    EXPECT_FLOAT_EQ(apples->GetQty(), 3.0f);
    const Purchase* pears = Doc().FindPurchase(u"Pears");
    EXPECT_TRUE(pears->GetLocation() == nullptr && pears->Unit().empty()) << "<none> is none";
}

TEST_F(AddItemDialogTest, CatalogueItemFillsTheSpinStepsAnEmptyNameDisablesAndOkAsksForAName) {
    Run(nullptr, [this](Dialog& d) {
        SetControlText(d, Dialog::IDC_NAME, QStringLiteral("Milk"));
        EXPECT_EQ(Fields(d), "1|3.49|gal|walmart|");
        EXPECT_EQ(Selected(d), (Names{u"Foods", u"Drinks"}));
        // The spin never stops at 0, and keeps the decimals a quantity needs.
        const auto step = [&](const char* from, int delta) {
            SetControlText(d, Dialog::IDC_QTY, QString::fromLatin1(from));
            d.GetSpin()->Step(delta);
            return Text(d, Dialog::IDC_QTY);
        };
        EXPECT_EQ(step("1", -1), QStringLiteral("1"));
        EXPECT_EQ(step("0.5", -1), QStringLiteral("-0.5"));
        EXPECT_EQ(step("2.25", +1), QStringLiteral("3.25"));

        SetControlText(d, Dialog::IDC_NAME, QString());
        for (int id : {Dialog::IDC_QTY, Dialog::IDC_UNIT, Dialog::IDC_PRICE, Dialog::IDC_TAXABLE, Dialog::IDC_ONCE,
                       Dialog::IDC_COUPON, Dialog::IDC_CATEGORIES, Dialog::IDC_LOCATION, Dialog::IDC_NOTE})
            EXPECT_FALSE(d.GetDlgItem(id)->isEnabled()) << id;
        Script().ExpectMessageBox(LoadString(IDS_ITEM_NAME_NEEDED), IDOK);
        PressOK(d);
        EXPECT_FALSE(d.IsEnded());
        PressCancel(d);
    });
    EXPECT_EQ(Doc().GetPurchases().size(), 0u);
}

TEST_F(AddItemDialogTest, PricesThatAreNoNumberOrNegativeAreRefused) {
    const struct {
        const char* price;
        bool refused;
        float stored;
    } cases[] = {{"abc", true, 0}, {"-1", true, 0}, {"1.2.3", true, 0}, {"", false, 0}, {"2,50", false, 2.5f}};
    for (const auto& c : cases) {
        Run(nullptr, [&](Dialog& d) {
            SetControlText(d, Dialog::IDC_NAME, QStringLiteral("Soap"));
            SetControlText(d, Dialog::IDC_PRICE, QString::fromLatin1(c.price));
            if (c.refused)
                Script().ExpectMessageBox(LoadString(IDS_INVALID_PRICE), IDOK);
            PressOK(d);
            EXPECT_EQ(d.IsEnded(), !c.refused) << c.price;
            if (c.refused)
                PressCancel(d);
        });
        if (!c.refused) {
            ASSERT_NE(Doc().FindPurchase(u"Soap"), nullptr) << c.price;
            EXPECT_FLOAT_EQ(Doc().FindPurchase(u"Soap")->GetPrice(), c.stored) << c.price;
        }
    }
}

TEST_F(AddItemDialogTest, AQuantityThatIsNoNumberIsTracedAndLeftAsItWas) {
    TraceLines trace;
    Run(nullptr, [](Dialog& d) {
        SetControlText(d, Dialog::IDC_NAME, QStringLiteral("Eggs"));
        SetControlText(d, Dialog::IDC_QTY, QStringLiteral("1.2.3"));
        PressOK(d);
    });
    const Purchase* eggs = Doc().FindPurchase(u"Eggs");
    ASSERT_NE(eggs, nullptr);
    EXPECT_EQ(eggs->GetQty(), 0.0f);
    EXPECT_FLOAT_EQ(eggs->GetPrice(), 2.99f) << "the rest is written";
    EXPECT_TRUE(trace.Has(u") : Cannot initialize OBPurchase"));
}

// The rows ticked and OK are the journey's (AppCommandTest).
TEST_F(AddItemDialogTest, CategoryPickerTicksTheSelectionAndCancelKeepsIt) {
    const Names all = TextsOf(Doc().GetCategories());
    const auto row = [&](const char16_t* name) { return static_cast<int>(std::find(all.begin(), all.end(), name) - all.begin()); };
    Run(nullptr, [&](Dialog& d) {
        SetControlText(d, Dialog::IDC_NAME, QStringLiteral("Milk"));  // Foods, Drinks
        Script().ExpectDialog(CSelectCategoriesDlg::IDD, [&](CDialog& picker) {
            CListCtrl rows(picker.GetDlgItem(CSelectCategoriesDlg::IDC_CATEGORIES));
            EXPECT_TRUE(rows.GetCheck(row(u"Foods")) && rows.GetCheck(row(u"Drinks")) && !rows.GetCheck(row(u"Meat")));
            rows.SetCheck(row(u"Foods"), FALSE);
            PressCancel(picker);
        });
        PressButton(d, Dialog::IDC_CATEGORIES);
        EXPECT_EQ(Selected(d), (Names{u"Foods", u"Drinks"}));
        PressCancel(d);
    });

    rep::delete_arrays(Doc().GetCategories());
    Run(nullptr, [this](Dialog& d) {
        Script().ExpectMessageBox(LoadString(IDS_NO_CATEGORIES), IDOK);
        PressButton(d, Dialog::IDC_CATEGORIES);
        PressCancel(d);
    });
}

TEST_F(AddItemDialogTest, FitsBothScreensAndAShorterWindowScrollsWithTheFieldsBesideTheBar) {
    Doc().AddPurchase(MakePurchase(u"Apples", 2, 1.25f, nullptr, u"green ones"));
    Dialog dialog(&Doc(), Doc().FindPurchase(u"Apples"));
    ASSERT_TRUE(dialog.Create());
    CheckDialogFitsScreens(dialog, "add-item");
    for (const int height : {200, 320}) {
        dialog.GetWidget()->resize(240, height);
        for (int i = 0; i < 3; ++i)
            ProcessEvents();
        const bool scrolls = height < 320;
        EXPECT_EQ(dialog.GetScrollArea().GetScrollBar(SB_VERT)->isHidden(), !scrolls) << height;
        EXPECT_EQ(dialog.GetDlgItem(Dialog::IDC_NOTE)->geometry().right() + 1,
                  scrolls ? CStretchScrollDialog::kStretchedRightBesideBar : CStretchScrollDialog::kStretchedRight);
    }

    CSelectCategoriesDlg picker(*dialog.GetSelectedCategories(), Doc().GetCategories());
    ASSERT_TRUE(picker.Create());
    CheckDialogFitsScreens(picker, "select-categories");
    EXPECT_FALSE(picker.GetDlgItemAs<QTreeWidget>(CSelectCategoriesDlg::IDC_CATEGORIES)->horizontalScrollBar()->isVisible());
}
