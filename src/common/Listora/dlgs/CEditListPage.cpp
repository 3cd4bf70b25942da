#include "CEditListPage.h"

#include "AddButtonField.h"
#include "AfxMessageBox.h"
#include "DialogTemplate.h"
#include "ListoraStrings.h"
#include "NameList.h"
#include "StringTable.h"

#include "Text/Util.h"

#include <QListWidget>
#include <string_view>

namespace {
CString FormatText(UINT id, const CString& argument) {
    CString text;
    text.Format(LoadString(id), argument.GetString());
    return text;
}
}  // namespace

void CEditListPage::RegisterTemplate() {
    using K = DlgItemKind;
    // Laid out for the 240-pixel-wide screen; the controls follow the window's edges.
    DialogTemplate::Register(IDD, DialogTemplate{u"",
                                                 240,
                                                 250,
                                                 {{K::Edit, IDC_ENTRY, u"", 4, 4, 156, 26},
                                                  {K::DefPushButton, IDC_ADD, u"Add", 166, 4, 70, 26},
                                                  {K::ListBox, IDC_LIST, u"", 4, 36, 232, 210, LBS_SORT}}});
}

UINT CEditListPage::Registered() {
    static const bool registered = (RegisterTemplate(), true);
    (void)registered;
    return IDD;
}

CEditListPage::CEditListPage(rep::vector<TCHAR*>& list, UINT titleId, UINT duplicateId, InUseTest inUse,
                             Removal removal)
    : CScrollPropertyPage(Registered(), titleId),
      m_list(list),
      m_duplicateId(duplicateId),
      m_inUse(std::move(inUse)),
      m_removal(std::move(removal)) {
    m_bNoHorizontalScrolling = TRUE;
    MapCommand(IDC_ADD, [this] { OnAdd(); });
}

CEditListPage::~CEditListPage() {
    // The controls go before the fields their signals reach.
    DestroyWindow();
}

BOOL CEditListPage::OnInitDialog() {
    CScrollPropertyPage::OnInitDialog();
    m_anchors.Add(GetDlgItem(IDC_ENTRY), CControlAnchors::kGrowWidth);
    m_anchors.Add(GetDlgItem(IDC_ADD), CControlAnchors::kMoveRight);
    m_anchors.Add(GetDlgItem(IDC_LIST), CControlAnchors::kGrowWidth | CControlAnchors::kGrowHeight);
    m_listBox.Attach(GetDlgItem(IDC_LIST));
    for (const TCHAR* entry : m_list)
        m_listBox.AddString(entry);
    AddButtonField::Attach(*this, IDC_ENTRY, IDC_ADD);
    QListWidget* list = m_listBox.GetWidget();
    QObject::connect(list, &QListWidget::itemClicked, list,
                     [this, list](QListWidgetItem* item) { OnEntryTapped(list->row(item)); });
    return TRUE;
}

void CEditListPage::OnAdd() {
    const CString text = GetDlgItemText(IDC_ENTRY);
    if (text.IsEmpty())
        return;
    if (ListContains(m_list, text)) {
        AfxMessageBox(FormatText(m_duplicateId, text), MB_OK);
        return;
    }
    m_listBox.AddString(text);
    m_list.push_back(Util::tcsdup(text));
    SetDlgItemText(IDC_ENTRY, u"");
    GotoDlgCtrl(GetDlgItem(IDC_ENTRY));
}

void CEditListPage::OnEntryTapped(int index) {
    CString entry;
    if (index < 0 || m_listBox.GetText(index, entry) < 0)
        return;
    // Taken back whatever the answer, so that the entry can be tapped again.
    m_listBox.SetCurSel(-1);
    if (AfxMessageBox(FormatText(IDS_DELETE_NAME, entry), MB_YESNO) != IDYES)
        return;
    if (m_inUse && m_inUse(entry)) {
        if (AfxMessageBox(FormatText(IDS_NAME_IN_USE, entry), MB_YESNO) != IDYES)
            return;
        if (m_removal)
            m_removal(entry);
    }
    m_listBox.DeleteString(static_cast<UINT>(index));
    RemoveFromList(entry);
}

void CEditListPage::RemoveFromList(const CString& entry) {
    for (DWORD i = 0; i < m_list.size(); ++i)
        if (m_list[i] && std::u16string_view(m_list[i]) == entry.str()) {
            delete[] m_list[i];
            m_list.erase(i);
            return;
        }
}
