// "Select currency": the built-in currencies with their pictures, in table order. A
// double tap on a row chooses it; OK chooses the row last tapped (the first one until
// the user taps another).
#pragma once
#include "CListCtrl.h"
#include "CListPickerDlg.h"

class CImageList;
struct Currency;

class CSelectCurrencyDlg : public CListPickerDlg {
public:
    static constexpr UINT IDD = 217;
    static constexpr int IDC_CURRENCIES = 1065;
    // The currency pictures: one 32-pixel-wide image per row, in table order, grey
    // (0x808080) standing for transparent.
    static constexpr UINT IDB_CURRENCIES = 219;
    static constexpr int kImageWidth = 32;
    static constexpr COLORREF kMaskColor = 0x808080;

    explicit CSelectCurrencyDlg(CWnd* parent = nullptr);
    ~CSelectCurrencyDlg() override;

    BOOL OnInitDialog() override;
    void OnOK() override;

    // After OK: the table position of the chosen currency; -1 when none was chosen.
    int GetResult() const { return m_nResult; }
    CListCtrl& GetList() { return m_list; }

    // The currency pictures, made on first use and shared by every dialog that shows
    // currencies; null when they cannot be made (tried again on the next call).
    static CImageList* GetCurrencyImageList();
    // Makes list show currencies: one column, no header, the pictures as its small
    // images. False when the pictures cannot be made (the list then shows none).
    static bool PrepareCurrencyList(CListCtrl& list);
    // Inserts the entry of row at index: "(USD) United States" with its picture and
    // its table position as data. The entry's index, or -1.
    static int InsertCurrency(CListCtrl& list, int index, const Currency& row);

private:
    void OnDoubleTap(int row);

    CListCtrl m_list;
    int m_nResult = -1;
};
