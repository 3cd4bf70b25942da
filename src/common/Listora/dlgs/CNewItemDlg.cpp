#include "CNewItemDlg.h"

#include "CComboBox.h"
#include "CategoryCheckList.h"
#include "DialogTemplate.h"
#include "Item.h"
#include "listoradoc.h"

#include "Text/Convert.h"

#include <QLineEdit>
#include <cmath>

namespace {
// The controls that mean something only once there is a name.
constexpr int kNamedControls[] = {CNewItemDlg::IDC_UNIT, CNewItemDlg::IDC_PRICE, CNewItemDlg::IDC_TAXABLE, IDOK,
                                  CNewItemDlg::IDC_CATEGORIES};
}  // namespace

void CNewItemDlg::RegisterTemplate() {
    using K = DlgItemKind;
    // Laid out for the 240-pixel-wide screen; the wide fields, the categories and the
    // buttons follow the window's edges.
    DialogTemplate::Register(IDD, DialogTemplate{u"New Item",
                                                 240,
                                                 0,
                                                 {{K::Static, IDC_STATIC, u"Name:", 4, 7, 58, 18},
                                                  {K::Edit, IDC_NAME, u"", 64, 4, 172, 24},
                                                  {K::Static, IDC_STATIC, u"Price:", 4, 35, 58, 18},
                                                  {K::ComboEdit, IDC_PRICE, u"", 64, 32, 80, 24},
                                                  {K::CheckBox, IDC_TAXABLE, u"Taxable:", 150, 32, 76, 24},
                                                  {K::Static, IDC_STATIC, u"Unit:", 4, 63, 58, 18},
                                                  {K::ComboEdit, IDC_UNIT, u"", 64, 60, 172, 24},
                                                  {K::Static, IDC_STATIC, u"Location:", 4, 91, 58, 18},
                                                  {K::ComboEdit, IDC_LOCATION, u"", 64, 88, 172, 24},
                                                  {K::Static, IDC_STATIC, u"Select Categories:", 4, 118, 200, 18},
                                                  {K::ListCtrl, IDC_CATEGORIES, u"", 4, 138, 232, 108},
                                                  {K::DefPushButton, IDOK, u"OK", 88, 252, 70, 26},
                                                  {K::PushButton, IDCANCEL, u"Cancel", 166, 252, 70, 26}}});
}

CNewItemDlg::CNewItemDlg(const CListoraDoc& doc, Item* item, CWnd* parent)
    : CScrollDialog(IDD, parent), m_doc(doc), m_pItem(item) {
    static const bool registered = (RegisterTemplate(), true);
    (void)registered;
    // Sideways the controls follow the window instead of scrolling.
    m_bNoHorizontalScrolling = TRUE;
}

CNewItemDlg::~CNewItemDlg() {
    // The controls go before the fields their signals reach.
    DestroyWindow();
}

BOOL CNewItemDlg::OnInitDialog() {
    CScrollDialog::OnInitDialog();
    using A = CControlAnchors;
    for (int id : {IDC_NAME, IDC_UNIT, IDC_LOCATION})
        m_anchors.Add(GetDlgItem(id), A::kGrowWidth);
    m_anchors.Add(GetDlgItem(IDC_CATEGORIES), A::kGrowWidth | A::kGrowHeight);
    for (int id : {IDOK, IDCANCEL})
        m_anchors.Add(GetDlgItem(id), A::kMoveRight | A::kMoveDown);
    FillCombos();
    if (m_pItem) {
        SetDlgItemText(IDC_NAME, m_pItem->GetName());
        if (QWidget* name = GetDlgItem(IDC_NAME))
            name->setEnabled(false);
        CString price;
        price.Format(u"%.2f", static_cast<double>(m_pItem->GetPrice()));
        SetDlgItemText(IDC_PRICE, price);
        SetDlgItemText(IDC_UNIT, m_pItem->GetUnit());
        SetDlgItemText(IDC_LOCATION, m_pItem->HasLocation() ? m_pItem->GetLocation() : kNone);
        CheckDlgButton(IDC_TAXABLE, m_pItem->IsTaxable() ? BST_CHECKED : BST_UNCHECKED);
    }
    if (auto* name = GetDlgItemAs<QLineEdit>(IDC_NAME))
        QObject::connect(name, &QLineEdit::textChanged, name, [this] { OnNameChanged(); });
    FillCategories();
    OnNameChanged();
    return TRUE;
}

void CNewItemDlg::FillCombos() {
    CComboBox locations(GetDlgItem(IDC_LOCATION));
    locations.AddString(kNone);
    for (const TCHAR* location : m_doc.GetLocations())
        locations.AddString(location);
    locations.SetCurSel(0);
    CComboBox units(GetDlgItem(IDC_UNIT));
    for (const TCHAR* unit : m_doc.GetUnits())
        units.AddString(unit);
    units.SetWindowText(u"");
    CComboBox prices(GetDlgItem(IDC_PRICE));
    for (const TCHAR* price : kPriceChoices)
        prices.AddString(price);
    prices.SetWindowText(u"");
}

bool CNewItemDlg::FillCategories() {
    m_categories.Attach(GetDlgItem(IDC_CATEGORIES));
    return CategoryCheckList::Fill(m_categories, m_doc.GetCategories(), [this](const TCHAR* category) {
        return m_pItem && m_pItem->HasCategory(category);
    });
}

bool CNewItemDlg::HasName() const {
    CString name = GetDlgItemText(IDC_NAME);
    return !name.Trim().IsEmpty();
}

void CNewItemDlg::OnNameChanged() {
    const bool named = HasName();
    for (int id : kNamedControls)
        if (QWidget* control = GetDlgItem(id))
            control->setEnabled(named);
}

void CNewItemDlg::OnOK() {
    // Enter reaches OK even while it is disabled.
    if (!HasName())
        return;
    rep::string_list categories;
    CategoryCheckList::GetChecked(m_categories, categories);
    // The number the price text starts with; text that is no number (also "inf" or
    // "nan", which the reading takes) is 0.
    float price = static_cast<float>(atof(GetDlgItemText(IDC_PRICE)));
    if (!std::isfinite(price))
        price = 0;
    const CString name = GetDlgItemText(IDC_NAME);
    const CString unit = GetDlgItemText(IDC_UNIT);
    const CString location = GetDlgItemText(IDC_LOCATION);
    if (!m_pItem) {
        m_pNewItem = std::make_unique<Item>(name);
        m_pItem = m_pNewItem.get();
    }
    m_pItem->Set(name, unit, location == kNone ? nullptr : location.GetString(),
                 IsDlgButtonChecked(IDC_TAXABLE) == BST_CHECKED, price, categories);
    EndDialog(IDOK);
}
