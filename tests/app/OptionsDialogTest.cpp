#include "AppFixture.h"

#include "CColorsDlg.h"
#include "CListHeaderCtrl.h"
#include "CListoraView.h"
#include "CSpinButtonCtrl.h"
#include "Listora/dlgs/COptionsDlg.h"
#include "Listora/dlgs/CTaxRatesDlg.h"
#include "TraceLines.h"

#include <QComboBox>
#include <QLineEdit>

using namespace apptest;
using D = COptionsDlg;

namespace {
class OptionsDialogTest : public StartedApp {
protected:
    void RunOptions(std::function<void(D&)> script) {
        Script().ExpectDialog(D::IDD, [script](CDialog& d) { script(static_cast<D&>(d)); });
        ASSERT_TRUE(ChooseMenuCommand(Frame(), {u"&File", u"Options"}));
    }
    // Set Tax Rates (looked at) with three rates typed; a refusal is answered, then Cancel.
    void RunTaxRates(const QStringList& rates, const char16_t* refusal = nullptr) {
        Script().ExpectDialog(CTaxRatesDlg::IDD, [this, rates, refusal](CDialog& d) {
            CheckDialogFitsScreens(d, "set-tax-rates");
            for (int i = 0; i < 3; ++i)
                SetControlText(d, CTaxRatesDlg::IDC_RATE1 + i, rates[i]);
            if (refusal)
                Script().ExpectMessageBox(refusal, IDOK);
            PressOK(d);
            EXPECT_EQ(d.IsEnded(), refusal == nullptr);
            if (!d.IsEnded())
                PressCancel(d);
        });
        ASSERT_TRUE(ChooseMenuCommand(Frame(), {u"&List", u"Set Tax Rates"}));
    }
};
}  // namespace

TEST_F(OptionsDialogTest, FontAndColumnsReachTheListAtOnce) {
    TheOptions().SetFontSize(20);  // the largest size the store keeps is shown as it is
    QString face;
    RunOptions([this, &face](D& d) {
        CheckDialogFitsScreens(d, "options");
        EXPECT_EQ(d.GetDlgItemText(D::IDC_FONT_SIZE), CString(u"20"));
        auto* size = d.GetDlgItemAs<QLineEdit>(D::IDC_FONT_SIZE);
        size->selectAll();
        TypeText(size, QStringLiteral("11"));  // the spin follows the typing and stops at 10
        for (int step : {-1, -1})
            d.GetDlgItemAs<CSpinButtonCtrl>(D::IDC_FONT_SIZE_SPIN)->Step(step);
        EXPECT_EQ(size->text(), QStringLiteral("10"));  // the range's check on OK is ModalSeamTest's
        SetControlText(d, D::IDC_FONT_SIZE, QStringLiteral("12"));

        // The program's own face first, then the desktop's proportional sans-serif faces.
        auto* faces = d.GetDlgItemAs<QComboBox>(D::IDC_FONT_NAME);
        EXPECT_EQ(faces->findText(QStringLiteral("Tahoma")), 0);
        EXPECT_EQ(faces->findText(QStringLiteral("DejaVu Sans Mono")), -1);
        faces->setCurrentIndex(1);
        face = faces->currentText();

        EXPECT_FALSE(d.GetDlgItem(D::IDC_SHOW_NAME)->isEnabled());
        SetControlCheck(d, D::IDC_SHOW_LOCATION, false);
        PressOK(d);
    });
    CListoraView* list = App().GetListView();
    list->RenderToImage();
    EXPECT_EQ(list->NormalFont().family(), face);
    EXPECT_EQ(list->GetBottomLineY() - list->GetRowsTop(), static_cast<int>(list->GetRowsPerPage()) * 12);
    EXPECT_EQ(list->GetHeader()->GetColumnKind(4), KindNote) << "no Location column";
}

TEST_F(OptionsDialogTest, SettingsOfBothDialogsAreFoundAgainAfterARestart) {
    RunOptions([this](D& d) {  // a colour is taken at once, and stays after Cancel
        Script().ExpectDialog(CColorsDlg::IDD, [](CDialog& colours) {
            Tap(colours.GetWidget(), {35, 30});  // the first swatch
            PressOK(colours);
        });
        PressButton(d, D::IDC_COLOR_NAME);
        PressCancel(d);
    });
    TheOptions().AddFavoriteCurrency(u"Narnian Crown");
    const TraceLines trace;
    RunOptions([this](D& d) {
        CListCtrl& list = d.GetCurrencyList();
        ASSERT_EQ(list.GetItemCount(), 4) << "the unknown code is left out";
        list.SetItemSelected(0, FALSE);
        Script().ExpectMessageBox(u"Select currency first!", IDOK);
        PressButton(d, D::IDC_REMOVE_CURRENCY);
        for (int row : {0, 2, 1}) {  // all but British Pound, which is then selected
            list.SetSelectionMark(row);
            PressButton(d, D::IDC_REMOVE_CURRENCY);
        }
        Script().ExpectMessageBox(u"At least 1 currency code must be present!", IDOK);
        PressButton(d, D::IDC_REMOVE_CURRENCY);

        SetControlCheck(d, D::IDC_NOTIFY, true);
        Script().ExpectMessageBox(u"Sum is 0, must be greater than 0!", IDOK);
        PressOK(d);
        SetControlText(d, D::IDC_NOTIFY_SUM, QStringLiteral("50"));
        PressOK(d);
    });
    EXPECT_TRUE(trace.Has(u"Cannot find currency with code Narnian Crown"));
    RunTaxRates({"33", "33", "33.01"}, u"Sum of fields is greater than 99%!");
    RunTaxRates({"100", "0", "0"}, u"Please enter a number between 0 and 99.99.");
    RunTaxRates({"33.33", "33.33", "32.34"});  // 99 as typed, a hair more as floats
    ASSERT_TRUE(ChooseMenuCommand(Frame(), {u"&File", u"E&xit"}));
    TheOptions().SetCurrencyCode(nullptr);
    TheOptions().SetTaxRates(0, 0, 0);

    ASSERT_TRUE(Start());
    EXPECT_EQ(TextsOf(TheOptions().GetFavoriteCurrencies()), Names{u"British Pound"});
    EXPECT_EQ(std::u16string(TheOptions().GetCurrencyCode()), u"British Pound");
    EXPECT_EQ(TheOptions().GetColorName(), CColorsDlg::kPalette[0][0]);
    EXPECT_EQ(TheOptions().GetNotifyWhenReachSum(), 50u);
    EXPECT_FLOAT_EQ(TheOptions().GetTotalTaxRate(), 99.0f);
    App().GetListView()->RenderToImage();
    EXPECT_NE(App().GetListView()->GetTotalLineText().Find(u"(GBP)"), -1);
}
