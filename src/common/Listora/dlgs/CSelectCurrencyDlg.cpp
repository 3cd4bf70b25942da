#include "CSelectCurrencyDlg.h"

#include "AfxMessageBox.h"
#include "CImageList.h"
#include "Currency.h"
#include "ListoraStrings.h"

#include "System/Diagnostics/Trace.h"

#include <QAbstractItemView>
#include <QHeaderView>
#include <memory>

using Diagnostics::Trace;

CSelectCurrencyDlg::CSelectCurrencyDlg(CWnd* parent) : CListPickerDlg(IDD, IDC_CURRENCIES, parent) {
    RegisterTemplate(IDD, u"Select currency", DlgItemKind::ListCtrl, IDC_CURRENCIES, 240);
}

CSelectCurrencyDlg::~CSelectCurrencyDlg() = default;

CImageList* CSelectCurrencyDlg::GetCurrencyImageList() {
    static std::unique_ptr<CImageList> images;
    if (images)
        return images.get();
    auto made = std::make_unique<CImageList>();
    if (!made->Create(IDB_CURRENCIES, kImageWidth, 0, kMaskColor) ||
        made->GetImageCount() < static_cast<int>(kCurrencyCount)) {
        Trace::WriteFormattedLineT(u"error", u"%s", u" Cannot create image list!");
        return nullptr;
    }
    images = std::move(made);
    return images.get();
}

bool CSelectCurrencyDlg::PrepareCurrencyList(CListCtrl& list) {
    CImageList* images = GetCurrencyImageList();
    if (images)
        list.SetImageList(images, LVSIL_SMALL);
    list.InsertColumn(0, u"", LVCFMT_LEFT);
    if (QTreeWidget* tree = list.GetWidget()) {
        tree->setHeaderHidden(true);
        tree->header()->setStretchLastSection(true);
    }
    return images != nullptr;
}

int CSelectCurrencyDlg::InsertCurrency(CListCtrl& list, int index, const Currency& row) {
    CString text;
    text.Format(u"(%s) %s", row.abbreviation, row.code);
    return list.InsertItem(LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM, index, text, 0, 0, row.imageIndex, row.imageIndex);
}

BOOL CSelectCurrencyDlg::OnInitDialog() {
    CListPickerDlg::OnInitDialog();
    m_list.Attach(GetDlgItem(IDC_CURRENCIES));
    // The device hides its OK button here (its title bar has one); this dialog's OK
    // is the one the user taps, so it stays.
    if (!PrepareCurrencyList(m_list)) {
        AfxMessageBox(IDS_CANNOT_CREATE_IMAGE_LIST, MB_OK);
        return FALSE;
    }
    const Currency* rows = GetCurrencies();
    for (std::size_t i = 0; i < kCurrencyCount; ++i) {
        if (InsertCurrency(m_list, static_cast<int>(i), rows[i]) < 0) {
            Trace::WriteFormattedLineT(u"error", u"%s", u"Cannot insert currency!");
            break;
        }
    }
    m_list.SetSelectionMark(0);
    if (QAbstractItemView* view = m_list.GetView())
        QObject::connect(view, &QAbstractItemView::doubleClicked, view,
                         [this](const QModelIndex& index) { OnDoubleTap(index.row()); });
    return TRUE;
}

void CSelectCurrencyDlg::OnOK() {
    m_nResult = m_list.GetSelectionMark();
    CListPickerDlg::OnOK();
}

void CSelectCurrencyDlg::OnDoubleTap(int row) {
    if (row < 0 || row >= m_list.GetItemCount())
        return;
    m_nResult = row;
    CListPickerDlg::OnOK();
}
