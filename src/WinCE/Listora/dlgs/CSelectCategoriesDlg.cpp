#include "CSelectCategoriesDlg.h"

#include "DialogTemplate.h"
#include "QtText.h"
#include "System/Diagnostics/Trace.h"
#include "Text/Util.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <algorithm>
#include <string_view>

using Diagnostics::Trace;

namespace {
const TCHAR* const kSourceFile = u"" __FILE__;
constexpr int kColumnWidth = 600;
constexpr int kRowHeight = 22;

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
    if (m_list.InsertColumn(0, u"", LVCFMT_LEFT, kColumnWidth) < 0) {
        Trace::WriteFormattedLine(u"%s(%d) : Cannot insert column", kSourceFile, __LINE__);
        return FALSE;
    }
    // One column of names, as wide as the list: no header to tap, and nothing to
    // scroll sideways on the small screen.
    QTreeWidget* tree = m_list.GetWidget();
    tree->setHeaderHidden(true);
    tree->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    m_list.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    for (DWORD i = 0; i < m_all.size(); ++i) {
        const TCHAR* category = m_all[i] ? m_all[i] : u"";
        if (m_list.InsertItem(static_cast<int>(i), category) < 0) {
            Trace::WriteLine(u"Cannot insert categories!");
            return FALSE;
        }
        if (Contains(m_selected, category))
            m_list.SetCheck(static_cast<int>(i), TRUE);
        // Rows tall enough for a finger.
        tree->topLevelItem(static_cast<int>(i))->setSizeHint(0, QSize(0, kRowHeight));
    }
    return TRUE;
}

void CSelectCategoriesDlg::OnOK() {
    if (!UpdateData(TRUE))
        return;
    m_result.clear_and_free();
    for (int i = 0; i < m_list.GetItemCount(); ++i)
        if (m_list.GetCheck(i))
            m_result.push_back(Util::tcsdup(m_list.GetItemText(i, 0)));
    EndDialog(IDOK);
}
