#include "CDeleteListsDlg.h"

#include "AfxMessageBox.h"
#include "Options.h"

#include <QHeaderView>

CDeleteListsDlg::CDeleteListsDlg(CWnd* parent) : CListPickerDlg(IDD, IDC_FILES, parent) {
    using K = DlgItemKind;
    const int width = 240;
    const int listHeight = 240;
    const int buttonsTop = kMargin + listHeight + kMargin + 2;
    const int deleteWidth = 110;
    DialogTemplate::Register(
        IDD, DialogTemplate{u"Delete Listoras",
                            width,
                            0,
                            {{K::ListCtrl, IDC_FILES, u"", kMargin, kMargin, width - 2 * kMargin, listHeight},
                             {K::PushButton, IDC_DELETE_SELECTED, u"Delete Selected",
                              width - 2 * kMargin - 2 - kButtonWidth - deleteWidth, buttonsTop, deleteWidth,
                              kButtonHeight},
                             {K::PushButton, IDCANCEL, u"Cancel", width - kMargin - kButtonWidth, buttonsTop,
                              kButtonWidth, kButtonHeight}}});
    m_buttonIds = {IDCANCEL, IDC_DELETE_SELECTED};
    MapCommand(IDC_DELETE_SELECTED, [this] { OnDeleteSelected(); });
}

CDeleteListsDlg::~CDeleteListsDlg() = default;

BOOL CDeleteListsDlg::OnInitDialog() {
    CListPickerDlg::OnInitDialog();
    // The handheld has the window's OK in its title bar; here the window has its own
    // close button.
    if (QWidget* ok = GetDlgItem(IDOK))
        ok->hide();
    m_list.Attach(GetDlgItem(IDC_FILES));
    m_list.SetExtendedStyle(LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    m_list.InsertColumn(0, u"Name", LVCFMT_LEFT, 130);
    m_list.InsertColumn(1, u"Date", LVCFMT_LEFT, 100);
    // On a wider window the dates take the room.
    m_list.GetWidget()->header()->setStretchLastSection(true);
    m_files = UnusedLists::Find(TheOptions().GetLastFile());
    for (std::size_t i = 0; i < m_files.size(); ++i) {
        const int row = m_list.InsertItem(LVIF_TEXT | LVIF_PARAM, static_cast<int>(i), m_files[i].name.c_str(), 0, 0,
                                          0, static_cast<LPARAM>(i));
        m_list.SetItemText(row, 1, UnusedLists::DateText(m_files[i].lastWrite));
    }
    return TRUE;
}

void CDeleteListsDlg::OnOK() {
    OnCancel();
}

void CDeleteListsDlg::OnDeleteSelected() {
    if (AfxMessageBox(kAreYouSure, MB_YESNO) != IDYES)
        return;
    std::vector<const UnusedLists::Entry*> ticked;
    for (int row = 0; row < m_list.GetItemCount(); ++row) {
        const DWORD_PTR index = m_list.GetItemData(row);
        if (m_list.GetCheck(row) && index < m_files.size())
            ticked.push_back(&m_files[index]);
    }
    AfxMessageBox(UnusedLists::Report(UnusedLists::Delete(ticked)), MB_OK);
    EndDialog(IDOK);
}
