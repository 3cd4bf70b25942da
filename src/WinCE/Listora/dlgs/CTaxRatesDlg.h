// "Set Tax Rates": the three tax rates in percent, each from 0 to 99.99. OK refuses
// rates that add up to more than 99 and otherwise stores them in the option set.
#pragma once
#include "CDialog.h"
#include "CFloatEdit.h"

#include <array>

class CTaxRatesDlg : public CDialog {
public:
    static constexpr UINT IDD = 172;
    static constexpr int IDC_RATE1 = 1012;
    static constexpr int IDC_RATE2 = 1013;
    static constexpr int IDC_RATE3 = 1014;
    static constexpr float kMaxRate = 99.99f;
    static constexpr float kMaxSum = 99.0f;

    explicit CTaxRatesDlg(CWnd* parent = nullptr);
    ~CTaxRatesDlg() override;

    BOOL OnInitDialog() override;
    void OnOK() override;
    void DoDataExchange(CDataExchange* pDX) override;

    // Whether the rates add up to more than 99 percent, as typed: two decimals each.
    static bool IsSumTooLarge(float rate1, float rate2, float rate3);

    // The control table of resource 172.
    static void RegisterTemplate();

private:
    std::array<CFloatEdit, 3> m_edits;
    std::array<float, 3> m_rates{};
};
