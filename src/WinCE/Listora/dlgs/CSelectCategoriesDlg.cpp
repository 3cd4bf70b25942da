#include "CSelectCategoriesDlg.h"

#include "DialogTemplate.h"
#include "dlgs/CategoryCheckList.h"

#include <algorithm>
#include <string_view>

namespace {
bool Contains(const rep::vector<TCHAR*>& list, const TCHAR* text) {
    return std::any_of(list.begin(), list.end(),
                       [text](const TCHAR* entry) { return entry && std::u16string_view(entry) == text; });
}
}  // namespace

void CSelectCategoriesDlg::RegisterTemplate() {
    using K = DlgItemKind;
    DialogTemplate::Register(IDD, DialogTemplate{u"Select Categories:",
                                                 240,
                                                 0,
                                                 {{K::Static, IDC_STATIC, u"Select Categories:", 4, 4, 200, 18},
                                                  {K::ListCtrl, IDC_CATEGORIES, u"", 4, 24, 232, 222},
                                                  {K::PushButton, IDCANCEL, u"Cancel", 150, 252, 80, 26}}});
}

CSelectCategoriesDlg::CSelectCategoriesDlg(const rep::vector<TCHAR*>& selected, const rep::vector<TCHAR*>& all,
                                           CWnd* parent)
    : CDialog(IDD, parent), m_selected(selected), m_all(all) {
    static const bool registered = (RegisterTemplate(), true);
    (void)registered;
}

CSelectCategoriesDlg::~CSelectCategoriesDlg() {
    DestroyWindow();
}

BOOL CSelectCategoriesDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_list.Attach(GetDlgItem(IDC_CATEGORIES));
    const bool filled =
        CategoryCheckList::Fill(m_list, m_all, [this](const TCHAR* category) { return Contains(m_selected, category); });
    return filled ? TRUE : FALSE;
}

void CSelectCategoriesDlg::OnOK() {
    if (!UpdateData(TRUE))
        return;
    m_result.clear_and_free();
    CategoryCheckList::GetChecked(m_list, m_result);
    EndDialog(IDOK);
}
