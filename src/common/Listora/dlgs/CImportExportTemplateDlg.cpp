#include "CImportExportTemplateDlg.h"

#include "AfxMessageBox.h"
#include "CComboBox.h"
#include "DialogTemplate.h"

#include <QDialog>
#include <QLayout>
#include <QLineEdit>
#include <algorithm>

namespace {

using Dlg = CImportExportTemplateDlg;

constexpr const TCHAR* kColumnLabels[CImportExportTemplate::columnCount] = {
    u"Item QTY:", u"Item Name:", u"Item Price:", u"Coupon:",    u"Location:",
    u"Note:",     u"Categories:", u"Purchased:", u"Taxable",    u"Unit"};
constexpr const TCHAR* kCharTypes[] = {u"OS Dependent", u"ANSI char (1 byte)", u"Unicode (2 bytes)",
                                       u"Unicode big indian"};
// In the order of the box; the delimiter is a tab at 0 and a comma at 1.
constexpr const TCHAR* kDelimiters[] = {u"Tab delimited", u"Comma delimited"};
constexpr const TCHAR* kBoolFormats[] = {u"1/0", u"True/False", u"Yes/No"};
constexpr const TCHAR* kPriceFormats[] = {u"None - 1.99", u"Prefix - $1.99", u"Postfix - 1.99 EUR"};

// The boxes with a fixed choice list, and their lists.
struct Choices {
    int id;
    const TCHAR* const* texts;
    int count;
};
constexpr Choices kChoices[] = {{Dlg::IDC_CHAR_TYPE, kCharTypes, 4},
                                {Dlg::IDC_DELIMITER, kDelimiters, 2},
                                {Dlg::IDC_BOOL_FORMAT, kBoolFormats, 3},
                                {Dlg::IDC_PRICE_FORMAT, kPriceFormats, 3}};

// The entry of a column box: columns 0 to 14 show as "1" to "15", an absent one as "X"
// (the entry after them).
int ColumnOfEntry(int entry) {
    return entry >= 0 && entry < CImportExportTemplate::noColumn ? entry : CImportExportTemplate::noColumn;
}

}  // namespace

void CImportExportTemplateDlg::RegisterTemplate() {
    using K = DlgItemKind;
    // Everything fits a 240 x 320 screen: OK and Cancel sit at the top right, where
    // the handheld has its OK, and the column boxes two a row. Nothing reaches past
    // x = 230; the stretched controls end there.
    std::vector<DlgItemTemplate> items = {
        {K::Static, IDC_STATIC, u"Name:", 4, 4, 38, 18},
        {K::Edit, IDC_NAME, u"", 44, 1, 88, 24},
        {K::DefPushButton, IDOK, u"OK", 136, 0, 42, 25},
        {K::PushButton, IDCANCEL, u"Cancel", 182, 0, 48, 25},
        {K::Static, IDC_STATIC, u"Select index of column in file", 4, 27, 226, 16},
    };
    for (int slot = 0; slot < CImportExportTemplate::columnCount; ++slot) {
        const bool left = slot % 2 == 0;
        const int y = 44 + slot / 2 * 22;
        items.push_back({K::Static, IDC_STATIC, kColumnLabels[slot], left ? 4 : 118, y + 3, left ? 66 : 69, 18});
        items.push_back({K::ComboList, kColumnIds[slot], u"", left ? 70 : 188, y, 42, 22});
    }
    const std::vector<DlgItemTemplate> rest = {
        {K::Static, IDC_STATIC, u"X - means not present", 4, 155, 226, 16},
        {K::Static, IDC_STATIC, u"File chars type:", 4, 173, 134, 16},
        {K::ComboList, IDC_CHAR_TYPE, u"", 4, 189, 134, 23},
        {K::Static, IDC_STATIC, u"Categories\nDelimiter:", 142, 175, 62, 32},
        {K::Edit, IDC_CATEGORY_DELIMITER, u"", 206, 189, 24, 23},
        {K::Static, IDC_STATIC, u"Delimiter:", 4, 214, 128, 16},
        {K::ComboList, IDC_DELIMITER, u"", 4, 230, 128, 23},
        {K::Static, IDC_STATIC, u"Boolean Values:", 136, 214, 94, 16},
        {K::ComboList, IDC_BOOL_FORMAT, u"", 136, 230, 94, 23},
        {K::Static, IDC_STATIC, u"Price Format:", 4, 259, 80, 18},
        {K::ComboList, IDC_PRICE_FORMAT, u"", 84, 256, 146, 23},
        {K::CheckBox, IDC_STRINGS, u"Strings may be in \"\" (.cvs file)", 4, 281, 226, 22},
    };
    items.insert(items.end(), rest.begin(), rest.end());
    DialogTemplate::Register(IDD, DialogTemplate{u"Import Export Template", 240, 0, std::move(items)});
}

CImportExportTemplateDlg::CImportExportTemplateDlg(bool editable, const TemplateList& templates,
                                                   CImportExportTemplate* exchangeTemplate, CWnd* parent)
    : CStretchScrollDialog(IDD, parent), m_editable(editable), m_templates(templates), m_template(exchangeTemplate) {
    static const bool registered = (RegisterTemplate(), true);
    (void)registered;
    m_bNoHorizontalScrolling = TRUE;
}

CImportExportTemplateDlg::~CImportExportTemplateDlg() = default;

BOOL CImportExportTemplateDlg::OnInitDialog() {
    m_stretchedControls = {IDC_PRICE_FORMAT, IDC_STRINGS};
    CStretchScrollDialog::OnInitDialog();
    for (int id : kColumnIds) {
        CComboBox combo(GetDlgItem(id));
        for (int column = 1; column <= CImportExportTemplate::noColumn; ++column) {
            CString text;
            text.Format(u"%d", column);
            combo.AddString(text);
        }
        combo.AddString(u"X");
    }
    for (const Choices& choices : kChoices) {
        CComboBox combo(GetDlgItem(choices.id));
        for (int i = 0; i < choices.count; ++i)
            combo.AddString(choices.texts[i]);
    }
    if (auto* edit = GetDlgItemAs<QLineEdit>(IDC_CATEGORY_DELIMITER))
        edit->setMaxLength(1);
    // A desktop shows it at the size it needs, not stretched over the screen.
    if (QDialog* window = GetDialog())
        window->setMaximumSize(GetFullWidth(), GetFullHeight() + window->layout()->contentsMargins().bottom());
    ShowForm(m_template ? TemplateForm(*m_template) : TemplateForm());
    // A template's name is its key in the store: an existing one keeps it.
    if (m_template)
        GetDlgItem(IDC_NAME)->setEnabled(false);
    if (!m_editable) {
        for (int id : kColumnIds)
            GetDlgItem(id)->setEnabled(false);
        for (int id : {IDC_CHAR_TYPE, IDC_DELIMITER, IDC_CATEGORY_DELIMITER, IDC_BOOL_FORMAT, IDC_PRICE_FORMAT,
                       IDC_STRINGS, IDOK})
            GetDlgItem(id)->setEnabled(false);
    }
    return TRUE;
}

void CImportExportTemplateDlg::ShowForm(const TemplateForm& form) {
    SetDlgItemText(IDC_NAME, form.name);
    for (int slot = 0; slot < CImportExportTemplate::columnCount; ++slot)
        CComboBox(GetDlgItem(kColumnIds[slot])).SetCurSel(ColumnOfEntry(form.columns[slot]));
    CComboBox(GetDlgItem(IDC_CHAR_TYPE)).SetCurSel(form.charType);
    CComboBox(GetDlgItem(IDC_DELIMITER)).SetCurSel(form.commaDelimited ? 1 : 0);
    CComboBox(GetDlgItem(IDC_BOOL_FORMAT)).SetCurSel(form.boolFormat);
    CComboBox(GetDlgItem(IDC_PRICE_FORMAT)).SetCurSel(form.priceType);
    SetDlgItemText(IDC_CATEGORY_DELIMITER, form.categoryDelimiter);
    CheckDlgButton(IDC_STRINGS, form.bStrings ? BST_CHECKED : BST_UNCHECKED);
}

TemplateForm CImportExportTemplateDlg::ReadForm() const {
    TemplateForm form;
    form.name = GetDlgItemText(IDC_NAME);
    for (int slot = 0; slot < CImportExportTemplate::columnCount; ++slot)
        form.columns[slot] = ColumnOfEntry(CComboBox(GetDlgItem(kColumnIds[slot])).GetCurSel());
    // Every box has a choice from the start; none chosen reads as the first.
    auto chosen = [this](int id) { return std::max(0, CComboBox(GetDlgItem(id)).GetCurSel()); };
    form.charType = chosen(IDC_CHAR_TYPE);
    form.commaDelimited = chosen(IDC_DELIMITER) == 1;
    form.boolFormat = chosen(IDC_BOOL_FORMAT);
    form.priceType = chosen(IDC_PRICE_FORMAT);
    form.categoryDelimiter = GetDlgItemText(IDC_CATEGORY_DELIMITER);
    form.bStrings = IsDlgButtonChecked(IDC_STRINGS) == BST_CHECKED;
    return form;
}

void CImportExportTemplateDlg::Refuse(const TCHAR* text, int focusId) {
    AfxMessageBox(text, MB_OK);
    GotoDlgCtrl(GetDlgItem(focusId));
}

void CImportExportTemplateDlg::OnOK() {
    if (!m_editable)
        return;
    const TemplateForm form = ReadForm();
    if (form.DelimitersClash())
        return Refuse(TemplateForm::kSameDelimiters, IDC_CATEGORY_DELIMITER);
    // No character would be stored as the character 0, which separates nothing.
    if (form.CategoryDelimiter() == 0)
        return Refuse(TemplateForm::kNoCategoryDelimiter, IDC_CATEGORY_DELIMITER);
    if (const TCHAR* question = form.CategoryDelimiterQuestion(); question && AfxMessageBox(question, MB_YESNO) != IDYES)
        return;
    if (!m_template && m_templates.Find(form.name))
        return Refuse(TemplateForm::kNameExists, IDC_NAME);
    if (form.name.IsEmpty())
        return Refuse(TemplateForm::kNoName, IDC_NAME);
    if (form.HasEqualColumns())
        return Refuse(TemplateForm::kEqualIndexes, kColumnIds[0]);
    // A new template is made only once every check passed: a refused OK leaves
    // nothing behind that a second OK could take for an existing template.
    CImportExportTemplate* target = m_template;
    if (!target) {
        static constexpr int kColumns[CImportExportTemplate::columnCount] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
        m_newTemplate = std::make_unique<CImportExportTemplate>(form.name, kColumns, u',', u',', true);
        target = m_newTemplate.get();
    }
    form.ApplyTo(*target);
    EndDialog(IDOK);
}
