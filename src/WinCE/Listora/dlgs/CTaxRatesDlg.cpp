#include "CTaxRatesDlg.h"

#include "AfxMessageBox.h"
#include "DialogTemplate.h"
#include "ListoraStrings.h"
#include "Options.h"

#include <QDialog>
#include <QLayout>

namespace {
constexpr int kRateIds[] = {CTaxRatesDlg::IDC_RATE1, CTaxRatesDlg::IDC_RATE2, CTaxRatesDlg::IDC_RATE3};
}  // namespace

void CTaxRatesDlg::RegisterTemplate() {
    using K = DlgItemKind;
    DialogTemplate::Register(IDD, DialogTemplate{u"Set Tax Rates",
                                                 240,
                                                 0,
                                                 {{K::Static, IDC_STATIC, u"Tax rate one:", 4, 7, 112, 18},
                                                  {K::Edit, IDC_RATE1, u"", 120, 4, 96, 24},
                                                  {K::Static, IDC_STATIC, u"Tax rate two:", 4, 35, 112, 18},
                                                  {K::Edit, IDC_RATE2, u"", 120, 32, 96, 24},
                                                  {K::Static, IDC_STATIC, u"Tax rate three:", 4, 63, 112, 18},
                                                  {K::Edit, IDC_RATE3, u"", 120, 60, 96, 24},
                                                  {K::DefPushButton, IDOK, u"OK", 56, 96, 76, 26},
                                                  {K::PushButton, IDCANCEL, u"Cancel", 140, 96, 76, 26}}});
}

CTaxRatesDlg::CTaxRatesDlg(CWnd* parent) : CDialog(IDD, parent) {
    static const bool registered = (RegisterTemplate(), true);
    (void)registered;
}

CTaxRatesDlg::~CTaxRatesDlg() {
    // The edits' windows go before the edit objects.
    DestroyWindow();
}

bool CTaxRatesDlg::IsSumTooLarge(float rate1, float rate2, float rate3) {
    // Typed rates such as 33.33 + 33.33 + 32.34 are not exact as floats and may add
    // up to a hair above 99; the edits show two decimals, so the sum is judged at
    // that precision.
    const double sum = static_cast<double>(rate1) + static_cast<double>(rate2) + static_cast<double>(rate3);
    return sum > static_cast<double>(kMaxSum) + 0.0001;
}

BOOL CTaxRatesDlg::OnInitDialog() {
    const Options& options = TheOptions();
    m_rates = {options.GetTaxRate1(), options.GetTaxRate2(), options.GetTaxRate3()};
    for (std::size_t i = 0; i < m_edits.size(); ++i) {
        m_edits[i].Subclass(static_cast<UINT>(kRateIds[i]), this);
        m_edits[i].SetBounds(0.0f, kMaxRate);
        m_edits[i].SetValidateMode(TRUE);
    }
    // Three short rows: the window keeps the size they need, on a desktop too.
    if (QDialog* dialog = GetDialog(); dialog && dialog->layout())
        dialog->layout()->setSizeConstraint(QLayout::SetFixedSize);
    return CDialog::OnInitDialog();
}

void CTaxRatesDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    for (std::size_t i = 0; i < m_edits.size(); ++i) {
        if (!pDX->m_bSaveAndValidate) {
            // Shown with two decimals, as the edit shows its values.
            m_edits[i].SetValue(m_rates[i]);
            continue;
        }
        DDX_Text(pDX, kRateIds[i], m_rates[i]);
        DDV_MinMaxFloat(pDX, m_rates[i], 0.0f, kMaxRate);
    }
}

void CTaxRatesDlg::OnOK() {
    if (!UpdateData(TRUE))
        return;
    if (IsSumTooLarge(m_rates[0], m_rates[1], m_rates[2])) {
        AfxMessageBox(IDS_TAX_SUM_TOO_LARGE, MB_OK);
        return;
    }
    TheOptions().SetTaxRates(m_rates[0], m_rates[1], m_rates[2]);
    EndDialog(IDOK);
}
