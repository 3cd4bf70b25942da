#include "CSelectTileDlg.h"

#include "Resources.h"

#include "System/Diagnostics/Trace.h"

#include <QAbstractItemView>
#include <QPainter>

using Diagnostics::Trace;

CSelectTileDlg::CSelectTileDlg(CWnd* parent) : CListPickerDlg(IDD, IDC_TILES, parent) {
    RegisterTemplate(IDD, u"Select Tile", DlgItemKind::IconListCtrl, IDC_TILES, 180);
}

CSelectTileDlg::~CSelectTileDlg() = default;

bool CSelectTileDlg::AddTileImage(const QIcon& icon) {
    if (icon.isNull())
        return false;
    // A thin frame, so that white and pale tiles stand out from the list's white.
    QPixmap image = icon.pixmap(kIconSize, kIconSize);
    QPainter painter(&image);
    painter.setPen(QColor(160, 160, 160));
    painter.drawRect(image.rect().adjusted(0, 0, -1, -1));
    painter.end();
    return m_images.Add(image) >= 0;
}

BOOL CSelectTileDlg::OnInitDialog() {
    CListPickerDlg::OnInitDialog();
    m_list.Attach(GetDlgItem(IDC_TILES));
    if (!m_images.Create(kIconSize, kIconSize, ILC_COLOR | ILC_MASK, kTileCount, 0)) {
        Trace::WriteFormattedLineT(u"error", u"%s", u"Cannot create image list!");
        return FALSE;
    }
    if (m_list.InsertColumn(0, u"") < 0) {
        Trace::WriteFormattedLineT(u"error", u"%s", u"Cannot insert column");
        return FALSE;
    }
    m_list.SetImageList(&m_images, LVSIL_NORMAL);
    for (int i = 0; i < kTileCount; ++i) {
        const UINT tile = static_cast<UINT>(kNoFill) + static_cast<UINT>(i);
        if (!AddTileImage(Resources::LoadIcon(tile)))
            Trace::WriteFormattedLineT(u"error", u"Cannot load icon %d", static_cast<int>(tile));
    }
    constexpr const TCHAR* kNoFillText = u"No Fill";
    if (m_list.InsertItem(LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM, 0, kNoFillText, 0, 0, 0, kNoFill) < 0) {
        Trace::WriteFormattedLineT(u"error", u"Cannot insert item %s %d!", kNoFillText, 0);
        return FALSE;
    }
    for (int i = 1; i < kTileCount; ++i) {
        CString text;
        text.Format(u"Tile %d", i);
        const DWORD tile = kNoFill + static_cast<DWORD>(i);
        const UINT state = tile == m_nTileNumber ? LVIS_SELECTED : 0;
        if (m_list.InsertItem(LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_STATE, i, text, state, LVIS_SELECTED, i,
                              static_cast<LPARAM>(tile)) < 0)
            Trace::WriteFormattedLineT(u"error", u"Cannot insert item %d!", i);
    }
    if (QAbstractItemView* view = m_list.GetView())
        QObject::connect(view, &QAbstractItemView::doubleClicked, view, [this] { OnDoubleTap(); });
    return TRUE;
}

void CSelectTileDlg::OnOK() {
    const int selected = m_list.GetNextItem(-1, LVNI_SELECTED);
    if (selected >= 0)
        m_nTileNumber = static_cast<DWORD>(m_list.GetItemData(selected));
    CListPickerDlg::OnOK();
}

void CSelectTileDlg::OnDoubleTap() {
    if (m_list.GetNextItem(-1, LVNI_SELECTED) >= 0)
        OnOK();
}

BOOL CSelectTileDlg::DestroyWindow() {
    // The image list goes with the window.
    const BOOL result = CListPickerDlg::DestroyWindow();
    m_list.Detach();
    m_images.DeleteImageList();
    return result;
}
