#include "COptionsDlg.h"

#include "AfxMessageBox.h"
#include "CColorsDlg.h"
#include "CComboBox.h"
#include "CSpinButtonCtrl.h"
#include "Currency.h"
#include "DialogTemplate.h"
#include "ListoraStrings.h"
#include "Options.h"
#include "QtText.h"
#include "ShellApi.h"
#include "WideString.h"
#include "dlgs/CSelectCurrencyDlg.h"

#include "System/Diagnostics/Trace.h"

#include <QAbstractButton>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QStringList>
#include <algorithm>
#include <vector>

using Diagnostics::Trace;

namespace {

// The colour buttons and the option each one shows.
struct ColorButton {
    int id;
    COLORREF (Options::*get)() const;
    void (Options::*set)(COLORREF);
};
constexpr ColorButton kColorButtons[] = {
    {COptionsDlg::IDC_COLOR_QTY, &Options::GetColorQty, &Options::SetColorQty},
    {COptionsDlg::IDC_COLOR_NAME, &Options::GetColorName, &Options::SetColorName},
    {COptionsDlg::IDC_COLOR_PRICE, &Options::GetColorPrice, &Options::SetColorPrice},
    {COptionsDlg::IDC_COLOR_LOCATION, &Options::GetColorLocation, &Options::SetColorLocation},
    {COptionsDlg::IDC_COLOR_NOTE, &Options::GetColorNote, &Options::SetColorNote},
};

const ColorButton* FindColorButton(int id) {
    for (const ColorButton& button : kColorButtons)
        if (button.id == id)
            return &button;
    return nullptr;
}

// The width of the ink in row y of a rendered glyph (0 when the row has none).
int InkWidth(const QImage& image, int y) {
    int first = -1;
    int last = -1;
    for (int x = 0; x < image.width(); ++x)
        if (qGray(image.pixel(x, y)) < 128) {
            first = first < 0 ? x : first;
            last = x;
        }
    return first < 0 ? 0 : last - first + 1;
}

// Whether the family is a proportional sans-serif face. Font files say neither
// reliably, so the glyphs are asked: an "i" narrower than a "W", and a "T" whose stem
// ends as wide as it runs (serifs and swashes widen its foot).
bool IsProportionalSans(const QString& family) {
    QFont font(family);
    font.setPixelSize(48);
    font.setStyleStrategy(QFont::NoFontMerging);
    const QFontMetrics metrics(font);
    if (metrics.horizontalAdvance(QLatin1Char('i')) == metrics.horizontalAdvance(QLatin1Char('W')))
        return false;
    QImage glyph(64, 64, QImage::Format_RGB32);
    glyph.fill(Qt::white);
    QPainter painter(&glyph);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(glyph.rect(), Qt::AlignCenter, QStringLiteral("T"));
    painter.end();
    int top = 0;
    while (top < glyph.height() && InkWidth(glyph, top) == 0)
        ++top;
    int bottom = glyph.height() - 1;
    while (bottom > top && InkWidth(glyph, bottom) == 0)
        --bottom;
    const int stem = InkWidth(glyph, top + (bottom - top) * 6 / 10);
    int foot = 0;
    for (int y = bottom - (bottom - top) / 10; y <= bottom; ++y)
        foot = std::max(foot, InkWidth(glyph, y));
    return stem > 0 && foot * 2 <= stem * 3;
}

}  // namespace

void COptionsDlg::RegisterTemplate() {
    using K = DlgItemKind;
    // Laid out for the 240-pixel-wide screen, where it scrolls: everything that is not
    // stretched ends at x = 216, clear of the scroll bar.
    DialogTemplate::Register(
        IDD, DialogTemplate{u"Options",
                            240,
                            0,
                            {{K::Static, IDC_STATIC, u"Font Size:", 4, 7, 70, 18},
                             {K::Edit, IDC_FONT_SIZE, u"", 76, 4, 40, 24, ES_NUMBER},
                             {K::UpDown, IDC_FONT_SIZE_SPIN, u"", 116, 4, 18, 24, UDS_SETBUDDYINT | UDS_ARROWKEYS},
                             {K::Static, IDC_STATIC, u"Font:", 4, 35, 42, 18},
                             {K::ComboList, IDC_FONT_NAME, u"", 48, 32, 182, 24},
                             {K::Static, IDC_STATIC, u"Show columns:", 4, 62, 212, 18},
                             {K::CheckBox, IDC_SHOW_QTY, u"QTY", 4, 80, 70, 22},
                             {K::CheckBox, IDC_SHOW_NAME, u"Name", 76, 80, 72, 22, WS_DISABLED},
                             {K::CheckBox, IDC_SHOW_PRICE, u"Price", 150, 80, 66, 22},
                             {K::CheckBox, IDC_SHOW_COUPON, u"Coupon", 4, 102, 70, 22},
                             {K::CheckBox, IDC_SHOW_LOCATION, u"Location", 76, 102, 72, 22},
                             {K::CheckBox, IDC_SHOW_NOTE, u"Note", 150, 102, 66, 22},
                             {K::Static, IDC_STATIC, u"Text colours:", 4, 130, 212, 18},
                             {K::PushButton, IDC_COLOR_QTY, u"Unit", 4, 148, 68, 26},
                             {K::PushButton, IDC_COLOR_NAME, u"Name", 76, 148, 68, 26},
                             {K::PushButton, IDC_COLOR_PRICE, u"Price", 148, 148, 68, 26},
                             {K::PushButton, IDC_COLOR_LOCATION, u"Location", 4, 176, 104, 26},
                             {K::PushButton, IDC_COLOR_NOTE, u"Note", 112, 176, 104, 26},
                             {K::Static, IDC_STATIC, u"Favourite currencies:", 4, 208, 212, 18},
                             {K::ListCtrl, IDC_CURRENCIES, u"", 4, 226, 226, 92},
                             {K::PushButton, IDC_ADD_CURRENCY, u"Add Currency", 4, 322, 104, 26},
                             {K::PushButton, IDC_REMOVE_CURRENCY, u"Remove Currency", 110, 322, 106, 26},
                             {K::CheckBox, IDC_AUTOSAVE, u"Autosave (slower, but safer)", 4, 354, 212, 22},
                             {K::CheckBox, IDC_NOTIFY, u"Notify when you reach", 4, 380, 150, 24},
                             {K::Edit, IDC_NOTIFY_SUM, u"", 156, 380, 46, 24, ES_NUMBER},
                             {K::Static, IDC_NOTIFY_UNIT, u"$", 204, 383, 12, 18},
                             {K::PushButton, IDCANCEL, u"Cancel", 150, 412, 80, 26}}});
}

COptionsDlg::COptionsDlg(CWnd* parent) : CStretchScrollDialog(IDD, parent) {
    static const bool registered = (RegisterTemplate(), true);
    (void)registered;
    // The controls are placed for the width; only the height scrolls.
    m_bNoHorizontalScrolling = TRUE;
    for (const ColorButton& button : kColorButtons)
        MapCommand(static_cast<UINT>(button.id), [this, id = button.id] { OnColorButton(id); });
    MapCommand(IDC_ADD_CURRENCY, [this] { OnAddCurrency(); });
    MapCommand(IDC_REMOVE_CURRENCY, [this] { OnRemoveCurrency(); });
    MapCommand(IDC_NOTIFY, [this] { EnableNotifySum(); });
}

COptionsDlg::~COptionsDlg() {
    // The controls go before the members their signals reach.
    DestroyWindow();
}

QStringList COptionsDlg::FontFaces(const QString& stored) {
    QStringList faces{ToQString(Options::kDefaultFontName)};
    const auto add = [&faces](const QString& face) {
        if (!face.isEmpty() && !faces.contains(face, Qt::CaseInsensitive))
            faces.append(face);
    };
    add(stored);
    // Computed once: the glyphs of every family are looked at.
    static const QStringList desktop = [] {
        QStringList families;
        for (const QString& family : QFontDatabase::families(QFontDatabase::Latin)) {
            // A family offered by several foundries is listed once, without them.
            const QString name = family.section(QStringLiteral(" ["), 0, 0);
            if (families.contains(name, Qt::CaseInsensitive) || QFontDatabase::isFixedPitch(family) ||
                QFontDatabase::isPrivateFamily(family) ||
                QFontDatabase::writingSystems(family).contains(QFontDatabase::Symbol) || !IsProportionalSans(family))
                continue;
            families.append(name);
        }
        families.sort(Qt::CaseInsensitive);
        return families;
    }();
    for (const QString& family : desktop)
        add(family);
    return faces;
}

BOOL COptionsDlg::OnInitDialog() {
    SHINITDLGINFO info{SHIDIM_FLAGS, GetSafeHwnd(), SHIDIF_DONEBUTTON | SHIDIF_SIPDOWN | SHIDIF_SIZEDLGFULLSCREEN};
    SHInitDialog(&info);
    m_stretchedControls = {IDC_FONT_NAME, IDC_CURRENCIES, IDCANCEL};

    const Options& options = TheOptions();
    m_nFontSize = static_cast<int>(options.GetFontSize());
    for (int kind = 0; kind < kColumnKindCount; ++kind)
        m_columns[static_cast<std::size_t>(kind)] = (options.GetDisplayedColumns() >> kind) & 1u;
    m_columns[KindName] = 1;
    m_nAutosave = options.GetAutosave() ? 1 : 0;
    m_nNotify = options.GetNotifyWhenReach() ? 1 : 0;
    m_nNotifySum = options.GetNotifyWhenReachSum();

    if (auto* spin = GetDlgItemAs<CSpinButtonCtrl>(IDC_FONT_SIZE_SPIN)) {
        spin->SetRange(static_cast<int>(Options::kMinFontSize), static_cast<int>(Options::kMaxFontSize));
        spin->SetBuddy(GetDlgItem(IDC_FONT_SIZE));
        spin->SetPos(m_nFontSize);
    }
    FillFontFaces();
    for (const ColorButton& button : kColorButtons)
        ShowColor(button.id, (options.*button.get)());
    // The data exchange of the base's initialisation shows the values above.
    CStretchScrollDialog::OnInitDialog();
    FillCurrencies();
    EnableNotifySum();
    ConnectControls();
    return TRUE;
}

void COptionsDlg::FillFontFaces() {
    const TCHAR* stored = TheOptions().GetFontName();
    const QString face = stored ? ToQString(stored) : QString();
    CComboBox combo(GetDlgItem(IDC_FONT_NAME));
    for (const QString& entry : FontFaces(face))
        combo.AddString(ToCString(entry));
    if (QComboBox* widget = combo.GetWidget())
        widget->setCurrentIndex(widget->findText(face, Qt::MatchFixedString));
}

void COptionsDlg::FillCurrencies() {
    m_currencies.Attach(GetDlgItem(IDC_CURRENCIES));
    CSelectCurrencyDlg::PrepareCurrencyList(m_currencies);
    Options& options = TheOptions();
    const CString inUse(options.GetCurrencyCode() ? options.GetCurrencyCode() : u"");
    int selected = 0;
    std::vector<std::u16string> unknown;
    for (const TCHAR* code : options.GetFavoriteCurrencies()) {
        const Currency* row = FindCurrency(code);
        if (!row) {
            Trace::WriteFormattedLineT(u"info", u"Cannot find currency with code %s", code);
            unknown.emplace_back(code);
            continue;
        }
        const int index = AppendCurrency(*row);
        if (index >= 0 && EqualsNoCase(row->code, inUse.GetString()))
            selected = index;
    }
    for (const std::u16string& code : unknown)
        options.RemoveFavoriteCurrency(code.c_str());
    m_currencies.SetSelectionMark(selected);
}

int COptionsDlg::AppendCurrency(const Currency& row) {
    return CSelectCurrencyDlg::InsertCurrency(m_currencies, m_currencies.GetItemCount(), row);
}

void COptionsDlg::ConnectControls() {
    // Typing a size moves the up-down control with it.
    auto* edit = GetDlgItemAs<QLineEdit>(IDC_FONT_SIZE);
    auto* spin = GetDlgItemAs<CSpinButtonCtrl>(IDC_FONT_SIZE_SPIN);
    if (edit && spin)
        QObject::connect(edit, &QLineEdit::textEdited, spin, [spin](const QString& text) {
            bool ok = false;
            const int size = text.toInt(&ok);
            if (ok)
                spin->SetPos(size);
        });
}

void COptionsDlg::EnableNotifySum() {
    if (QWidget* sum = GetDlgItem(IDC_NOTIFY_SUM))
        sum->setEnabled(IsDlgButtonChecked(IDC_NOTIFY) == BST_CHECKED);
}

void COptionsDlg::ShowColor(int id, COLORREF color) {
    auto* button = GetDlgItemAs<QAbstractButton>(id);
    if (!button)
        return;
    // A framed swatch beside the label, so that white on white still shows.
    QPixmap swatch(16, 12);
    swatch.fill(QColor(GetRValue(color), GetGValue(color), GetBValue(color)));
    QPainter painter(&swatch);
    painter.setPen(Qt::black);
    painter.drawRect(swatch.rect().adjusted(0, 0, -1, -1));
    painter.end();
    button->setIcon(QIcon(swatch));
    button->setIconSize(swatch.size());
}

void COptionsDlg::OnColorButton(int id) {
    const ColorButton* button = FindColorButton(id);
    if (!button)
        return;
    Options& options = TheOptions();
    CColorsDlg picker(this);
    picker.SetColor((options.*button->get)());
    if (picker.DoModal() != IDOK)
        return;
    (options.*button->set)(picker.GetColor());
    options.SetChanged();
    ShowColor(id, picker.GetColor());
}

void COptionsDlg::OnAddCurrency() {
    CSelectCurrencyDlg picker(this);
    if (picker.DoModal() != IDOK)
        return;
    const Currency* row = GetCurrency(picker.GetResult());
    if (!row || !TheOptions().AddFavoriteCurrency(row->code))
        return;
    const int index = AppendCurrency(*row);
    if (index < 0) {
        Trace::WriteFormattedLineT(u"error", u"%s", u"Cannot insert currency!");
        return;
    }
    m_currencies.SetSelectionMark(index);
}

void COptionsDlg::OnRemoveCurrency() {
    const int index = m_currencies.GetNextItem(-1, LVNI_SELECTED);
    if (index < 0) {
        AfxMessageBox(IDS_SELECT_CURRENCY_FIRST, MB_OK);
        return;
    }
    if (m_currencies.GetItemCount() <= 1) {
        AfxMessageBox(IDS_ONE_CURRENCY_NEEDED, MB_OK);
        return;
    }
    if (const Currency* row = GetCurrency(static_cast<int>(m_currencies.GetItemData(index))))
        TheOptions().RemoveFavoriteCurrency(row->code);
    m_currencies.DeleteItem(index);
    m_currencies.SetSelectionMark(0);
}

void COptionsDlg::DoDataExchange(CDataExchange* pDX) {
    CStretchScrollDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_FONT_SIZE, m_nFontSize);
    DDV_MinMaxInt(pDX, m_nFontSize, static_cast<int>(Options::kMinFontSize), static_cast<int>(Options::kMaxFontSize));
    for (std::size_t kind = 0; kind < kColumnBoxes.size(); ++kind)
        DDX_Check(pDX, kColumnBoxes[kind], m_columns[kind]);
    DDX_Check(pDX, IDC_AUTOSAVE, m_nAutosave);
    DDX_Check(pDX, IDC_NOTIFY, m_nNotify);
    DDX_Text(pDX, IDC_NOTIFY_SUM, m_nNotifySum);
}

void COptionsDlg::OnOK() {
    if (!UpdateData(TRUE))
        return;
    if (m_nNotify && m_nNotifySum == 0) {
        AfxMessageBox(IDS_SUM_IS_ZERO, MB_OK);
        GotoDlgCtrl(GetDlgItem(IDC_NOTIFY_SUM));
        return;
    }
    Options& options = TheOptions();
    options.SetFontSize(static_cast<DWORD>(m_nFontSize));
    options.SetFontName(GetDlgItemText(IDC_FONT_NAME));
    options.SetNotifyWhenReach(m_nNotify != 0);
    options.SetNotifyWhenReachSum(m_nNotifySum);
    options.SetAutosave(m_nAutosave != 0);

    const int selected = m_currencies.GetNextItem(-1, LVNI_SELECTED);
    const Currency* row = selected >= 0 ? GetCurrency(static_cast<int>(m_currencies.GetItemData(selected))) : nullptr;
    const TCHAR* inUse = options.GetCurrencyCode();
    if (row && !(inUse && EqualsNoCase(row->code, inUse)))
        options.SetCurrencyCode(row->code);

    DWORD columns = 1u << KindName;
    for (std::size_t kind = 0; kind < m_columns.size(); ++kind)
        if (m_columns[kind])
            columns |= 1u << kind;
    // The views rebuild their headers when they see the new columns (hint 4099).
    options.SetDisplayedColumns(columns);
    options.SetChanged();
    EndDialog(IDOK);
}
