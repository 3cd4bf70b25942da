// The Options dialog: the list's font size and face, the shown columns and their text
// colours, the favourite currencies (the selected one is the currency in use),
// autosave and the spending alert. OK stores the choices in the option set; a colour
// is taken as soon as it is chosen, so it stays even when the dialog is cancelled, and
// so do added and removed favourites.
#pragma once
#include "CListCtrl.h"
#include "ColumnKind.h"
#include "dlgs/CStretchScrollDialog.h"

#include <QStringList>
#include <array>

struct Currency;

class COptionsDlg : public CStretchScrollDialog {
public:
    static constexpr UINT IDD = 188;
    static constexpr int IDC_FONT_SIZE = 1030;
    static constexpr int IDC_FONT_SIZE_SPIN = 107;
    static constexpr int IDC_FONT_NAME = 1062;
    static constexpr int IDC_SHOW_QTY = 1067;
    static constexpr int IDC_SHOW_NAME = 1068;
    static constexpr int IDC_SHOW_PRICE = 1069;
    static constexpr int IDC_SHOW_COUPON = 1010;
    static constexpr int IDC_SHOW_LOCATION = 1071;
    static constexpr int IDC_SHOW_NOTE = 1072;
    static constexpr int IDC_COLOR_QTY = 1018;
    static constexpr int IDC_COLOR_NAME = 1021;
    static constexpr int IDC_COLOR_PRICE = 1022;
    static constexpr int IDC_COLOR_LOCATION = 1023;
    static constexpr int IDC_COLOR_NOTE = 1017;
    static constexpr int IDC_CURRENCIES = 1064;
    static constexpr int IDC_ADD_CURRENCY = 1066;
    static constexpr int IDC_REMOVE_CURRENCY = 1019;
    static constexpr int IDC_AUTOSAVE = 1103;
    static constexpr int IDC_NOTIFY = 1104;
    static constexpr int IDC_NOTIFY_SUM = 1105;
    static constexpr int IDC_NOTIFY_UNIT = 1106;
    // The column boxes, by column kind.
    static constexpr std::array<int, kColumnKindCount> kColumnBoxes = {
        IDC_SHOW_QTY, IDC_SHOW_NAME, IDC_SHOW_PRICE, IDC_SHOW_COUPON, IDC_SHOW_LOCATION, IDC_SHOW_NOTE};

    explicit COptionsDlg(CWnd* parent = nullptr);
    ~COptionsDlg() override;

    BOOL OnInitDialog() override;
    // Refuses an alert of 0; otherwise stores every choice and closes.
    void OnOK() override;
    void DoDataExchange(CDataExchange* pDX) override;

    // A colour button: the colour picker, and on OK the colour goes into the options.
    void OnColorButton(int id);
    void OnAddCurrency();
    void OnRemoveCurrency();
    CListCtrl& GetCurrencyList() { return m_currencies; }

    // The faces the font list offers: the program's own face first, the stored face
    // when it is another (so that OK keeps it), then the desktop's proportional
    // sans-serif faces in alphabetical order, each once.
    static QStringList FontFaces(const QString& stored);

    // The control table of resource 188.
    static void RegisterTemplate();

private:
    void FillFontFaces();
    void FillCurrencies();
    // Appends the row's entry; its index, or -1 when the list refuses it.
    int AppendCurrency(const Currency& row);
    void ShowColor(int id, COLORREF color);
    void ConnectControls();
    void EnableNotifySum();

    int m_nFontSize = 0;
    std::array<int, kColumnKindCount> m_columns{};
    int m_nAutosave = 0;
    int m_nNotify = 0;
    UINT m_nNotifySum = 0;
    CListCtrl m_currencies;
};
