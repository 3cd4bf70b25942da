// The add-item dialog on a document with a known catalogue: which record fills the
// fields, what OK writes (and where), the refused prices and names, the spin, the
// category picker, and the screen: every control on a 240 x 320 window, scrolling
// when shorter. With LISTORA_RENDER_DIR set, the renders are also written there.
#include "DocTestSupport.h"

#include "../common/ListTestSupport.h"
#include "CListoraBaseView.h"
#include "Listora/dlgs/CAddItemDialog.h"
#include "Listora/dlgs/CSelectCategoriesDlg.h"
#include "QtText.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPainter>
#include <QScrollBar>
#include <QTreeWidget>
#include <cstdlib>
#include <functional>

namespace {

using Dialog = CAddItemDialog;

class AddItemDialogTest : public DocTest {
protected:
    // Runs the dialog for purchase with script; on OK hands the result to the
    // document as the program does. Returns the end code.
    INT_PTR Run(Purchase* purchase, std::function<void(Dialog&)> script) {
        Dialog dialog(&Doc(), purchase);
        Script().ExpectDialog(Dialog::IDD, [&](CDialog& d) { script(static_cast<Dialog&>(d)); });
        const INT_PTR result = dialog.DoModal();
        if (result == IDOK) {
            const bool isNew = dialog.IsResultNew();
            Doc().ApplyEdit(isNew ? dialog.TakeNewPurchase().release() : dialog.GetResult(), isNew);
        }
        return result;
    }

    static QString Text(Dialog& d, int id) { return ToQString(d.GetDlgItemText(id)); }
    static bool Checked(Dialog& d, int id) { return d.IsDlgButtonChecked(id) == BST_CHECKED; }
    static Names Selected(Dialog& d) { return TextsOf(*d.GetSelectedCategories()); }
};

}  // namespace

TEST_F(AddItemDialogTest, ANameOnTheListEditsThatLineAndAnotherNameAddsANewOne) {
    Purchase* apples = MakePurchase(u"Apples", 2.5f, 1.25f, u"Market", u"ripe", true, false, {u"Fruits"}, u"kg");
    Doc().AddPurchase(apples);

    // A new line whose name is already on the list: the list's values, and OK
    // changes that line.
    Run(nullptr, [](Dialog& d) {
        SetControlText(d, Dialog::IDC_NAME, QStringLiteral("Apples"));
        EXPECT_EQ(Text(d, Dialog::IDC_QTY), QStringLiteral("2.5"));
        EXPECT_EQ(Text(d, Dialog::IDC_PRICE), QStringLiteral("1.25"));
        EXPECT_EQ(Text(d, Dialog::IDC_UNIT), QStringLiteral("kg"));
        EXPECT_EQ(Text(d, Dialog::IDC_LOCATION), QStringLiteral("Market")) << "kept though not in the list";
        EXPECT_EQ(Text(d, Dialog::IDC_NOTE), QStringLiteral("ripe"));
        EXPECT_TRUE(Checked(d, Dialog::IDC_COUPON));
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
        EXPECT_EQ(Text(d, Dialog::IDC_QTY), QStringLiteral("1"));
        EXPECT_EQ(Text(d, Dialog::IDC_PRICE), QStringLiteral("0"));
        EXPECT_EQ(Text(d, Dialog::IDC_UNIT), QStringLiteral("<none>"));
        EXPECT_EQ(Text(d, Dialog::IDC_LOCATION), QStringLiteral("<none>"));
        EXPECT_TRUE(Checked(d, Dialog::IDC_TAXABLE));
        EXPECT_FALSE(Checked(d, Dialog::IDC_COUPON));
        PressOK(d);
    });
    EXPECT_EQ(NamesOf(Doc().GetPurchases()), (Names{u"Apples", u"Pears"}));
    EXPECT_FLOAT_EQ(apples->GetQty(), 3.0f);
    Purchase* pears = Doc().FindPurchase(u"Pears");
    ASSERT_NE(pears, nullptr);
    EXPECT_EQ(pears->GetLocation(), nullptr);
    EXPECT_EQ(std::u16string(pears->GetUnit()), u"");
    EXPECT_NE(Doc().FindItem(u"Pears"), nullptr);
}

TEST_F(AddItemDialogTest, CatalogueItemFillsAnEmptyNameDisablesAndOkAsksForAName) {
    Run(nullptr, [this](Dialog& d) {
        SetControlText(d, Dialog::IDC_NAME, QStringLiteral("Milk"));
        EXPECT_EQ(Text(d, Dialog::IDC_UNIT), QStringLiteral("gal"));
        EXPECT_EQ(Text(d, Dialog::IDC_PRICE), QStringLiteral("3.49"));
        EXPECT_EQ(Text(d, Dialog::IDC_QTY), QStringLiteral("1"));
        EXPECT_EQ(Selected(d), (Names{u"Foods", u"Drinks"}));

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

TEST_F(AddItemDialogTest, SpinStepsNeverStopAtZero) {
    Run(nullptr, [](Dialog& d) {
        const auto step = [&](const char* from, int delta) {
            SetControlText(d, Dialog::IDC_QTY, QString::fromLatin1(from));
            d.GetSpin()->Step(delta);
            return Text(d, Dialog::IDC_QTY);
        };
        EXPECT_EQ(step("1", -1), QStringLiteral("1"));
        EXPECT_EQ(step("0.5", -1), QStringLiteral("-0.5"));
        EXPECT_EQ(step("2.25", +1), QStringLiteral("3.25"));
        PressCancel(d);
    });
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
            if (c.refused) {
                EXPECT_TRUE(d.GetDlgItem(Dialog::IDC_PRICE)->hasFocus() || !d.GetWidget()->isActiveWindow());
                PressCancel(d);
            }
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
    ASSERT_NE(Doc().FindPurchase(u"Eggs"), nullptr);
    EXPECT_FLOAT_EQ(Doc().FindPurchase(u"Eggs")->GetQty(), 0.0f);
    EXPECT_FLOAT_EQ(Doc().FindPurchase(u"Eggs")->GetPrice(), 2.99f) << "the rest is written";
    EXPECT_TRUE(trace.Has(u") : Cannot initialize OBPurchase"));
}

TEST_F(AddItemDialogTest, CategoryPickerTicksTheSelectionCancelKeepsItOkTakesTheTickedRows) {
    const Names all = TextsOf(Doc().GetCategories());
    ASSERT_GE(all.size(), 3u);
    const int foods = static_cast<int>(std::find(all.begin(), all.end(), u"Foods") - all.begin());
    const int drinks = static_cast<int>(std::find(all.begin(), all.end(), u"Drinks") - all.begin());
    const int other = foods != 0 && drinks != 0 ? 0 : foods != 1 && drinks != 1 ? 1 : 2;
    Run(nullptr, [&](Dialog& d) {
        SetControlText(d, Dialog::IDC_NAME, QStringLiteral("Milk"));
        // Cancel after untouching a row keeps the selection; OK takes the ticked rows.
        const auto rowsOf = [](CDialog& picker) {
            return CListCtrl(picker.GetDlgItem(CSelectCategoriesDlg::IDC_CATEGORIES));
        };
        Script()
            .ExpectDialog(CSelectCategoriesDlg::IDD,
                          [&](CDialog& picker) {
                              CListCtrl rows = rowsOf(picker);
                              ASSERT_EQ(rows.GetItemCount(), static_cast<int>(all.size()));
                              for (int i = 0; i < rows.GetItemCount(); ++i)
                                  EXPECT_EQ(rows.GetCheck(i) != FALSE, i == foods || i == drinks) << i;
                              rows.SetCheck(foods, FALSE);
                              PressCancel(picker);
                          })
            .ExpectDialog(CSelectCategoriesDlg::IDD, [&](CDialog& picker) {
                CListCtrl rows = rowsOf(picker);
                rows.SetCheck(drinks, FALSE);
                rows.SetCheck(other, TRUE);
                PressOK(picker);
            });
        PressButton(d, Dialog::IDC_CATEGORIES);
        EXPECT_EQ(Selected(d), (Names{u"Foods", u"Drinks"}));
        PressButton(d, Dialog::IDC_CATEGORIES);
        PressOK(d);
    });
    const Names expected = other < foods ? Names{all[other], u"Foods"} : Names{u"Foods", all[other]};
    EXPECT_EQ(TextsOf(Doc().FindPurchase(u"Milk")->GetCategories()), expected);

    rep::delete_arrays(Doc().GetCategories());
    Run(nullptr, [this](Dialog& d) {
        Script().ExpectMessageBox(LoadString(IDS_NO_CATEGORIES), IDOK);
        PressButton(d, Dialog::IDC_CATEGORIES);
        PressCancel(d);
    });
}

namespace {
// Writes the image to $LISTORA_RENDER_DIR/name.png when that is set.
void Keep(const QImage& image, const char* name) {
    if (const char* dir = std::getenv("LISTORA_RENDER_DIR"))
        image.save(QDir(QString::fromLocal8Bit(dir)).filePath(QString::fromLatin1(name) + ".png"));
}

// The visible controls of the dialog and where they lie in its window.
std::vector<std::pair<QWidget*, QRect>> Controls(Dialog& d) {
    std::vector<std::pair<QWidget*, QRect>> controls;
    QWidget* canvas = d.GetScrollArea().GetCanvas();
    for (QWidget* control : canvas->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        if (control->isVisibleTo(canvas))
            controls.emplace_back(control, QRect(control->mapTo(d.GetWidget(), QPoint(0, 0)), control->size()));
    return controls;
}
}  // namespace

TEST_F(AddItemDialogTest, EveryControlFitsTheHandheldScreenAndAShorterWindowScrolls) {
    Doc().AddPurchase(MakePurchase(u"Apples", 2, 1.25f, nullptr, u"green ones"));
    Dialog dialog(&Doc(), Doc().FindPurchase(u"Apples"));
    ASSERT_TRUE(dialog.Create());
    QWidget* window = dialog.GetWidget();
    window->show();
    ProcessEvents();
    // On a desktop the dialog keeps the size it needs; on the handheld that is the
    // screen, with room for the done button's row.
    EXPECT_LE(window->width(), 240);
    EXPECT_LE(window->height(), 320);
    Keep(RenderWidget(window), "add-item-natural");

    const auto resize = [&](int width, int height) {
        window->resize(width, height);
        for (int i = 0; i < 3; ++i)
            ProcessEvents();
    };
    resize(240, 320);
    const QRect client(dialog.GetScrollArea().GetViewport()->mapTo(window, QPoint(0, 0)),
                       dialog.GetScrollArea().GetViewport()->size());
    const auto controls = Controls(dialog);
    for (const auto& [control, rect] : controls) {
        EXPECT_TRUE(client.contains(rect)) << control->objectName().toStdString() << " lies off the screen";
        for (const auto& [other, otherRect] : controls)
            EXPECT_TRUE(control == other || !rect.intersects(otherRect))
                << control->objectName().toStdString() << " overlaps " << other->objectName().toStdString();
    }
    EXPECT_TRUE(dialog.GetScrollArea().GetScrollBar(SB_VERT)->isHidden());
    Keep(RenderWidget(window), "add-item-240x320");

    resize(240, 200);
    QScrollBar* bar = dialog.GetScrollArea().GetScrollBar(SB_VERT);
    ASSERT_FALSE(bar->isHidden());
    EXPECT_EQ(dialog.GetDlgItem(Dialog::IDC_NOTE)->geometry().right() + 1, CStretchScrollDialog::kStretchedRightBesideBar);
    EXPECT_LE(bar->mapTo(window, QPoint(0, 0)).x(), 240 - bar->width());
    Keep(RenderWidget(window), "add-item-240x200");
    dialog.OnVScroll(SB_BOTTOM, 0);
    EXPECT_TRUE(client.contains(QRect(dialog.GetDlgItem(IDCANCEL)->mapTo(window, QPoint(0, 0)), QSize(1, 1))));
    Keep(RenderWidget(window), "add-item-240x200-end");

    resize(240, 320);
    EXPECT_EQ(dialog.GetScrollArea().GetCanvas()->pos(), QPoint(0, 0));
    EXPECT_EQ(dialog.GetDlgItem(Dialog::IDC_NOTE)->geometry().right() + 1, CStretchScrollDialog::kStretchedRight);
    dialog.DestroyWindow();

    if (std::getenv("LISTORA_RENDER_DIR")) {
        // The dialog over an 800 x 600 desktop window, and the category picker.
        Dialog again(&Doc(), nullptr);
        ASSERT_TRUE(again.Create());
        again.GetWidget()->show();
        ProcessEvents();
        QImage desktop(800, 600, QImage::Format_RGB32);
        desktop.fill(QColor(90, 110, 140));
        QPainter painter(&desktop);
        const QImage shown = RenderWidget(again.GetWidget());
        painter.drawImage((800 - shown.width()) / 2, (600 - shown.height()) / 2, shown);
        painter.end();
        Keep(desktop, "add-item-desktop");
        CSelectCategoriesDlg picker(*again.GetSelectedCategories(), Doc().GetCategories());
        ASSERT_TRUE(picker.Create());
        picker.GetWidget()->show();
        ProcessEvents();
        Keep(RenderWidget(picker.GetWidget()), "select-categories");
    }
}
