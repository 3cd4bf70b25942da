#include "CAddItemDialog.h"

#include "AfxMessageBox.h"
#include "CComboBox.h"
#include "CListoraView.h"
#include "CSpinButtonCtrl.h"
#include "DialogTemplate.h"
#include "ListoraStrings.h"
#include "CSelectCategoriesDlg.h"
#include "Purchase.h"
#include "QtText.h"
#include "ShellApi.h"
#include "WideString.h"
#include "listoradoc.h"

#include "System/Diagnostics/Trace.h"
#include "Text/Convert.h"
#include "Text/Util.h"

#include <QComboBox>
#include <QLineEdit>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <string_view>

using Diagnostics::Trace;

namespace {
const TCHAR* const kSourceFile = u"" __FILE__;

// The controls that mean something only once there is a name.
constexpr int kDependentControls[] = {CAddItemDialog::IDC_QTY,     CAddItemDialog::IDC_UNIT,
                                      CAddItemDialog::IDC_PRICE,   CAddItemDialog::IDC_TAXABLE,
                                      CAddItemDialog::IDC_ONCE,    CAddItemDialog::IDC_COUPON,
                                      CAddItemDialog::IDC_CATEGORIES, CAddItemDialog::IDC_LOCATION,
                                      CAddItemDialog::IDC_NOTE,    CAddItemDialog::IDC_SPIN};

// A number field as OK reads it: empty is 0; false when it is no number.
bool ReadNumber(const CString& text, float& value) {
    float read = 0;
    const CONVERTION_ERRORS result = _ttof(text, read, true, true);
    if (result == CE_EMPTY)
        read = 0;
    else if (result != CE_OK)
        return false;
    value = read;
    return true;
}

// The conversion reads past a minus sign; a price typed with one is still negative.
bool HasMinusSign(const CString& text) {
    for (const char16_t c : text.str()) {
        if (c == u'-')
            return true;
        if (c > u' ')
            return false;
    }
    return false;
}

bool SameTexts(ItemTexts::Categories a, const rep::vector<TCHAR*>& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](const TCHAR* x, const TCHAR* y) {
               return std::u16string_view(x) == std::u16string_view(y ? y : u"");
           });
}

// Adds text to a combo box; false (after the trace line naming the combo) when it is
// refused.
bool AddToCombo(CComboBox& combo, const TCHAR* text, const TCHAR* comboName) {
    const int result = combo.AddString(text);
    if (result == CB_ERRSPACE) {
        Trace::WriteFormattedLine(u"Not enought memory to  insert string %s into %s combo", text, comboName);
        return false;
    }
    if (result == CB_ERR) {
        Trace::WriteFormattedLine(u"Cannot insert string %s into %s combo", text, comboName);
        return false;
    }
    return true;
}
}  // namespace

void CAddItemDialog::RegisterTemplate() {
    using K = DlgItemKind;
    // Laid out for the 240-pixel-wide screen: every control fits a 240 x 320 window
    // with the done button's row. The stretched controls end at x = 230.
    DialogTemplate::Register(
        IDD, DialogTemplate{u"Add Item to list",
                            240,
                            0,
                            {{K::Static, IDC_STATIC, u"Name:", 4, 7, 44, 18},
                             {K::ComboEdit, IDC_NAME, u"", 50, 4, 180, 24, CBS_SORT},
                             {K::Static, IDC_STATIC, u"Qty:", 4, 35, 44, 18},
                             {K::Edit, IDC_QTY, u"", 50, 32, 48, 24},
                             {K::Static, IDC_SPIN_PLACE, u"", 100, 32, 18, 24},
                             {K::ComboEdit, IDC_UNIT, u"", 122, 32, 108, 24},
                             {K::Static, IDC_STATIC, u"Price:", 4, 63, 44, 18},
                             {K::ComboEdit, IDC_PRICE, u"", 50, 60, 80, 24},
                             {K::CheckBox, IDC_TAXABLE, u"Taxable:", 136, 60, 80, 24},
                             {K::CheckBox, IDC_COUPON, u"Coupon", 4, 88, 100, 24},
                             {K::CheckBox, IDC_ONCE, u"One Time", 110, 88, 120, 24},
                             {K::Static, IDC_STATIC, u"Select Location:", 4, 119, 96, 18},
                             {K::ComboEdit, IDC_LOCATION, u"", 100, 116, 130, 24, CBS_SORT},
                             {K::PushButton, IDC_CATEGORIES, u"Select Categories ...", 4, 144, 150, 26},
                             {K::Static, IDC_STATIC, u"Note:", 4, 176, 44, 18},
                             {K::MultiLineEdit, IDC_NOTE, u"", 4, 194, 226, 52},
                             {K::PushButton, IDCANCEL, u"Cancel", 150, 252, 80, 26}}});
}

CAddItemDialog::CAddItemDialog(CListoraDoc* doc, Purchase* purchase, CWnd* parent)
    : CStretchScrollDialog(IDD, parent), m_pDoc(doc), m_pPurchase(purchase), m_bEditing(purchase != nullptr) {
    static const bool registered = (RegisterTemplate(), true);
    (void)registered;
    // The controls are placed for the height; sideways the window cuts them instead.
    m_bNoHorizontalScrolling = TRUE;
    MapCommand(IDC_CATEGORIES, [this] { OnSelectCategories(); });
}

CAddItemDialog::~CAddItemDialog() {
    // The controls go before the fields their signals reach.
    DestroyWindow();
}

CSpinButtonCtrl* CAddItemDialog::GetSpin() const {
    return m_pSpin.data();
}

BOOL CAddItemDialog::OnInitDialog() {
    SHINITDLGINFO info{SHIDIM_FLAGS, GetSafeHwnd(), SHIDIF_DONEBUTTON | SHIDIF_SIPDOWN | SHIDIF_SIZEDLGFULLSCREEN};
    SHInitDialog(&info);
    m_stretchedControls = {IDC_NAME, IDC_UNIT, IDC_ONCE, IDC_LOCATION, IDC_NOTE, IDCANCEL};
    CStretchScrollDialog::OnInitDialog();
    m_qtyEdit.Subclass(IDC_QTY, this);
    if (!m_pDoc || !FillCombos())
        return TRUE;

    // The up-down control takes the place of its hidden placeholder.
    if (QWidget* place = GetDlgItem(IDC_SPIN_PLACE)) {
        place->hide();
        auto* spin = new CSpinButtonCtrl();
        const CRect rect(place->geometry());
        spin->Create(WS_CHILD | WS_VISIBLE | UDS_ARROWKEYS | UDS_AUTOBUDDY | UDS_ALIGNRIGHT | UDS_WRAP, rect,
                     place->parentWidget(), IDC_SPIN);
        spin->SetRange(1, 1000);
        spin->SetBuddy(m_qtyEdit.GetEdit());
        spin->SetPos(static_cast<int>(GetDlgItemInt(IDC_QTY)));
        m_pSpin = spin;
    }
    SetDlgItemText(IDC_QTY, u"1");
    m_fSpinValue = 1.0f;
    ConnectControls();
    FillFromName(GetDlgItemText(IDC_NAME));
    return TRUE;
}

bool CAddItemDialog::FillCombos() {
    m_sortedItems = m_pDoc->GetItems();
    std::sort(m_sortedItems.begin(), m_sortedItems.end(),
              [](const Item* a, const Item* b) { return _wcsicmp(a->GetName(), b->GetName()) < 0; });

    CComboBox locations(GetDlgItem(IDC_LOCATION));
    if (!AddToCombo(locations, kNone, u"locations"))
        return false;
    for (const TCHAR* location : m_pDoc->GetLocations())
        if (!AddToCombo(locations, location, u"locations"))
            return false;

    CComboBox names(GetDlgItem(IDC_NAME));
    for (const Item* item : m_sortedItems)
        if (!AddToCombo(names, item->GetName(), u"items"))
            return false;
    // The line being edited keeps its own name, even when the catalogue has none
    // like it or only one that merely starts the same.
    if (m_bEditing) {
        QComboBox* combo = names.GetWidget();
        combo->setCurrentIndex(combo->findText(ToQString(m_pPurchase->Name())));
        combo->setEditText(ToQString(m_pPurchase->Name()));
    } else {
        names.SetCurSel(0);
    }

    CComboBox units(GetDlgItem(IDC_UNIT));
    units.AddString(kNone);
    for (const TCHAR* unit : m_pDoc->GetUnits())
        units.AddString(unit);
    CComboBox prices(GetDlgItem(IDC_PRICE));
    // The price menu's choices.
    for (const TCHAR* price : CListoraView::kPriceChoices)
        prices.AddString(price);
    return true;
}

void CAddItemDialog::ConnectControls() {
    if (auto* names = GetDlgItemAs<QComboBox>(IDC_NAME)) {
        QObject::connect(names, &QComboBox::editTextChanged, names,
                         [this](const QString& text) { FillFromName(ToCString(text)); });
        QObject::connect(names, &QComboBox::currentIndexChanged, names, [this, names](int index) {
            // Choosing an entry also changes the text, which has filled the fields.
            const CString text = ToCString(names->itemText(index));
            if (index >= 0 && !(text == m_lastFilledName))
                FillFromName(text);
        });
    }
    if (QLineEdit* qty = m_qtyEdit.GetEdit())
        QObject::connect(qty, &QLineEdit::textChanged, qty, [this] { OnQuantityTyped(); });
    if (CSpinButtonCtrl* spin = GetSpin())
        QObject::connect(spin, &CSpinButtonCtrl::deltaPos, spin, [this](int, int delta) { OnSpin(delta); });
}

void CAddItemDialog::FillFromName(const CString& name) {
    m_lastFilledName = name;
    const bool hasName = !name.IsEmpty();
    EnableDependentControls(hasName);
    if (!hasName) {
        if (QWidget* names = GetDlgItem(IDC_NAME))
            names->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (m_pSelectedCategories)
        m_pSelectedCategories->clear_and_free();
    if (const Purchase* purchase = m_pDoc->FindPurchase(name)) {
        ShowRecord(*purchase, purchase);
        m_pSource = purchase;
    } else if (const Item* item = m_pDoc->FindItem(name)) {
        ShowRecord(*item, nullptr);
        m_pSource = item;
    } else if (m_pSource) {
        ShowDefaults();
        m_pSource = nullptr;
    }
}

void CAddItemDialog::ShowRecord(const Item& record, const Purchase* purchase) {
    if (purchase) {
        SetDlgItemText(IDC_NOTE, purchase->GetNote() ? purchase->GetNote() : u"");
        CheckDlgButton(IDC_ONCE, purchase->IsOnce() ? BST_CHECKED : BST_UNCHECKED);
        CheckDlgButton(IDC_COUPON, purchase->HasCoupon() ? BST_CHECKED : BST_UNCHECKED);
        ShowQuantity(purchase->GetQty());
    } else {
        CheckDlgButton(IDC_COUPON, BST_UNCHECKED);
        CheckDlgButton(IDC_ONCE, BST_UNCHECKED);
        SetDlgItemText(IDC_NOTE, u"");
        SetDlgItemText(IDC_QTY, u"1");
    }
    CheckDlgButton(IDC_TAXABLE, record.IsTaxable() ? BST_CHECKED : BST_UNCHECKED);
    ShowPrice(record.GetPrice());
    SelectInCombo(IDC_LOCATION, record.GetLocation());
    if (!SelectInCombo(IDC_UNIT, record.Unit().empty() ? nullptr : record.GetUnit()))
        Trace::WriteFormattedLine(u"Cannot found unit '%s'", record.GetUnit());
    rep::string_list categories;
    record.GetCategories().CopyTo(categories);
    SetSelectedCategories(categories);
}

void CAddItemDialog::ShowDefaults() {
    CheckDlgButton(IDC_COUPON, BST_UNCHECKED);
    CheckDlgButton(IDC_ONCE, BST_UNCHECKED);
    CheckDlgButton(IDC_TAXABLE, BST_CHECKED);
    SelectInCombo(IDC_UNIT, nullptr);
    SetDlgItemText(IDC_NOTE, u"");
    SetDlgItemText(IDC_QTY, u"1");
    SelectInCombo(IDC_LOCATION, nullptr);
    ShowPrice(0);
}

void CAddItemDialog::ShowQuantity(float qty) {
    CString text;
    text.Format(u"%.*f", CListoraBaseView::DecimalCount(qty), static_cast<double>(qty));
    SetDlgItemText(IDC_QTY, text);
}

void CAddItemDialog::ShowPrice(float price) {
    CComboBox prices(GetDlgItem(IDC_PRICE));
    if (price == 0) {
        prices.SetCurSel(0);
        return;
    }
    CString text;
    text.Format(u"%.2f", static_cast<double>(price));
    prices.SetWindowText(text);
}

bool CAddItemDialog::SelectInCombo(int id, const TCHAR* text) {
    auto* combo = GetDlgItemAs<QComboBox>(id);
    if (!combo)
        return false;
    const QString wanted = ToQString(text ? text : kNone);
    const int index = combo->findText(wanted, Qt::MatchExactly | Qt::MatchCaseSensitive);
    combo->setCurrentIndex(index);
    if (index >= 0)
        return true;
    // Not in the list: shown as it is, so OK keeps it rather than another entry.
    combo->setEditText(wanted);
    return false;
}

void CAddItemDialog::EnableDependentControls(bool enable) {
    for (int id : kDependentControls)
        if (QWidget* control = GetDlgItem(id))
            control->setEnabled(enable);
}

rep::string_list& CAddItemDialog::SelectedCategories() {
    if (!m_pSelectedCategories)
        m_pSelectedCategories = std::make_unique<rep::string_list>();
    return *m_pSelectedCategories;
}

void CAddItemDialog::SetSelectedCategories(const rep::vector<TCHAR*>& categories) {
    rep::string_list& selected = SelectedCategories();
    if (&categories == &selected)
        return;
    selected.clear_and_free();
    for (const TCHAR* category : categories)
        if (category)
            selected.push_back(Util::tcsdup(category));
}

void CAddItemDialog::OnSpin(int delta) {
    m_fSpinValue += static_cast<float>(delta);
    if (m_fSpinValue == 0)
        m_fSpinValue = 1.0f;
    ShowQuantity(m_fSpinValue);
}

void CAddItemDialog::OnQuantityTyped() {
    m_fSpinValue = static_cast<float>(m_qtyEdit.GetValue());
    // The up-down control takes the whole part as a 16-bit number.
    const double whole = std::fmod(std::trunc(static_cast<double>(m_fSpinValue)), 65536.0);
    if (CSpinButtonCtrl* spin = GetSpin())
        spin->SetPos(static_cast<WORD>(whole < 0 ? whole + 65536.0 : whole));
}

void CAddItemDialog::OnSelectCategories() {
    rep::string_list& selected = SelectedCategories();
    if (m_pDoc->GetCategories().empty()) {
        AfxMessageBox(IDS_NO_CATEGORIES, MB_OK);
        return;
    }
    CSelectCategoriesDlg dialog(selected, m_pDoc->GetCategories(), this);
    // Cancel keeps what was chosen before.
    if (dialog.DoModal() == IDOK)
        SetSelectedCategories(dialog.GetResult());
}

void CAddItemDialog::DoDataExchange(CDataExchange* pDX) {
    CStretchScrollDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_NOTE, m_strNote);
    DDX_CBString(pDX, IDC_PRICE, m_strPrice);
    if (pDX->m_bSaveAndValidate && !pDX->Failed()) {
        float price = 0;
        const CONVERTION_ERRORS result = _ttof(m_strPrice, price, true, true);
        if ((result != CE_OK && result != CE_EMPTY) || price < 0 || HasMinusSign(m_strPrice)) {
            AfxMessageBox(IDS_INVALID_PRICE, MB_OK);
            pDX->Fail();
            return;
        }
    }
    DDX_Text(pDX, IDC_QTY, m_strQty);
    DDX_CBString(pDX, IDC_UNIT, m_strUnit);
    DDX_Check(pDX, IDC_COUPON, m_nCoupon);
    DDX_Check(pDX, IDC_ONCE, m_nOnce);
    DDX_Check(pDX, IDC_TAXABLE, m_nTaxable);
    DDX_CBString(pDX, IDC_LOCATION, m_strLocation);
}

void CAddItemDialog::OnOK() {
    const CString name = GetDlgItemText(IDC_NAME);
    // A line without a name could never be found, edited or kept in the catalogue.
    if (name.IsEmpty()) {
        AfxMessageBox(IDS_ITEM_NAME_NEEDED, MB_OK);
        GotoDlgCtrl(GetDlgItem(IDC_NAME));
        return;
    }
    if (!UpdateData(TRUE))
        return;
    Purchase* target = m_pDoc->FindPurchase(name);
    m_bResultNew = target == nullptr;
    if (!target) {
        m_pNewPurchase = std::make_unique<Purchase>(name.GetString());
        m_pNewPurchase->SetPurchased(false);
        target = m_pNewPurchase.get();
    }
    SelectedCategories();
    target->SetName(name);
    if (!WritePurchase(*target))
        Trace::WriteFormattedLine(u"%s(%d) : Cannot initialize OBPurchase", kSourceFile, __LINE__);
    m_pResult = target;
    EndDialog(IDOK);
}

bool CAddItemDialog::WritePurchase(Purchase& purchase) {
    purchase.SetUnit(m_strUnit == kNone ? u"" : m_strUnit.GetString());
    purchase.SetNote(m_strNote);
    purchase.SetLocation(m_strLocation == kNone ? nullptr : m_strLocation.GetString());
    purchase.SetCoupon(m_nCoupon != 0);
    purchase.SetTaxable(m_nTaxable != 0);
    purchase.SetOnce(m_nOnce != 0);
    if (!SameTexts(purchase.GetCategories(), *m_pSelectedCategories))
        purchase.SetCategories(*m_pSelectedCategories);
    float qty = 0;
    float price = 0;
    const bool qtyRead = ReadNumber(m_strQty, qty);
    const bool priceRead = ReadNumber(m_strPrice, price);
    if (qtyRead)
        purchase.SetQty(qty);
    if (priceRead)
        purchase.SetPrice(price);
    return qtyRead && priceRead;
}
