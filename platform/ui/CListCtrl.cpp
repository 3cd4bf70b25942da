#include "CListCtrl.h"

#include "CImageList.h"
#include "QtText.h"

#include <QHeaderView>
#include <QListView>
#include <QTreeWidget>

namespace {
// The row's index in its image list (absent: no image).
constexpr int kImageRole = Qt::UserRole + 1;
}  // namespace

BOOL CListCtrl::Attach(QWidget* list) {
    m_list = qobject_cast<QTreeWidget*>(list);
    // An icon view keeps its rows in a tree of its own.
    if (auto* view = qobject_cast<QListView*>(list); view && !m_list)
        m_list = view->findChild<QTreeWidget*>(QString(), Qt::FindDirectChildrenOnly);
    return m_list ? TRUE : FALSE;
}

bool CListCtrl::IsIconView() const {
    return m_list && qobject_cast<QListView*>(m_list->parentWidget()) &&
           static_cast<QListView*>(m_list->parentWidget())->model() == m_list->model();
}

QAbstractItemView* CListCtrl::GetView() const {
    if (IsIconView())
        return static_cast<QListView*>(m_list->parentWidget());
    return m_list.data();
}

CImageList* CListCtrl::SetImageList(CImageList* images, int type) {
    CImageList*& slot = type == LVSIL_NORMAL ? m_normalImages : m_smallImages;
    CImageList* previous = slot;
    slot = images;
    const CImageList* shown = IsIconView() ? m_normalImages : m_smallImages;
    if (QAbstractItemView* view = GetView(); view && images && images == shown)
        view->setIconSize(images->GetImageSize());
    for (int i = 0; i < GetItemCount(); ++i)
        ShowImage(m_list->topLevelItem(i));
    return previous;
}

void CListCtrl::ShowImage(QTreeWidgetItem* item) const {
    const CImageList* images = IsIconView() ? m_normalImages : m_smallImages;
    const QVariant image = item->data(0, kImageRole);
    item->setIcon(0, images && image.isValid() ? images->ExtractIcon(image.toInt()) : QIcon());
}

void CListCtrl::Detach() {
    m_list = nullptr;
}

QTreeWidgetItem* CListCtrl::Row(int index) const {
    if (!m_list || index < 0 || index >= m_list->topLevelItemCount())
        return nullptr;
    return m_list->topLevelItem(index);
}

DWORD CListCtrl::SetExtendedStyle(DWORD style) {
    const DWORD previous = m_style;
    m_style = style;
    if (!m_list)
        return previous;
    m_list->setSelectionBehavior((style & LVS_EX_FULLROWSELECT) ? QAbstractItemView::SelectRows
                                                                : QAbstractItemView::SelectItems);
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        QTreeWidgetItem* item = m_list->topLevelItem(i);
        if (style & LVS_EX_CHECKBOXES) {
            if (!item->data(0, Qt::CheckStateRole).isValid())
                item->setCheckState(0, Qt::Unchecked);
        } else {
            item->setData(0, Qt::CheckStateRole, QVariant());
        }
    }
    return previous;
}

int CListCtrl::InsertColumn(int column, LPCTSTR heading, int format, int width) {
    if (!m_list)
        return -1;
    const int count = GetColumnCount();
    if (column < 0 || column > count)
        column = count;
    QTreeWidgetItem* header = m_list->headerItem();
    // Shift the later headings right; QTreeWidget has no column insert.
    m_list->setColumnCount(count + 1);
    for (int c = count; c > column; --c) {
        header->setText(c, header->text(c - 1));
        header->setTextAlignment(c, Qt::Alignment::fromInt(header->textAlignment(c - 1)));
        m_list->setColumnWidth(c, m_list->columnWidth(c - 1));
        for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
            QTreeWidgetItem* item = m_list->topLevelItem(i);
            item->setText(c, item->text(c - 1));
            item->setTextAlignment(c, Qt::Alignment::fromInt(item->textAlignment(c - 1)));
        }
    }
    header->setText(column, ToQString(heading));
    const Qt::Alignment align = format == LVCFMT_RIGHT    ? Qt::AlignRight
                                : format == LVCFMT_CENTER ? Qt::AlignHCenter
                                                          : Qt::AlignLeft;
    header->setTextAlignment(column, align | Qt::AlignVCenter);
    for (int i = 0; i < m_list->topLevelItemCount(); ++i) {
        m_list->topLevelItem(i)->setText(column, QString());
        m_list->topLevelItem(i)->setTextAlignment(column, align | Qt::AlignVCenter);
    }
    if (width >= 0)
        m_list->setColumnWidth(column, width);
    return column;
}

BOOL CListCtrl::DeleteColumn(int column) {
    if (!m_list || column < 0 || column >= GetColumnCount())
        return FALSE;
    const int count = GetColumnCount();
    QTreeWidgetItem* header = m_list->headerItem();
    for (int c = column; c + 1 < count; ++c) {
        header->setText(c, header->text(c + 1));
        m_list->setColumnWidth(c, m_list->columnWidth(c + 1));
        for (int i = 0; i < m_list->topLevelItemCount(); ++i)
            m_list->topLevelItem(i)->setText(c, m_list->topLevelItem(i)->text(c + 1));
    }
    m_list->setColumnCount(count - 1);
    return TRUE;
}

int CListCtrl::GetColumnCount() const {
    return m_list ? m_list->columnCount() : 0;
}

int CListCtrl::GetColumnWidth(int column) const {
    return m_list ? m_list->columnWidth(column) : 0;
}

int CListCtrl::InsertItem(int index, LPCTSTR text) {
    if (!m_list)
        return -1;
    if (m_list->columnCount() == 0)
        m_list->setColumnCount(1);
    const int count = m_list->topLevelItemCount();
    if (index < 0 || index > count)
        index = count;
    auto* item = new QTreeWidgetItem();
    item->setText(0, ToQString(text));
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
    if (m_style & LVS_EX_CHECKBOXES)
        item->setCheckState(0, Qt::Unchecked);
    m_list->insertTopLevelItem(index, item);
    return index;
}

int CListCtrl::InsertItem(int index, LPCTSTR text, int image) {
    return InsertItem(LVIF_TEXT | LVIF_IMAGE, index, text, 0, 0, image, 0);
}

int CListCtrl::InsertItem(UINT mask, int index, LPCTSTR text, UINT state, UINT stateMask, int image, LPARAM lParam) {
    index = InsertItem(index, (mask & LVIF_TEXT) ? text : u"");
    QTreeWidgetItem* item = Row(index);
    if (!item)
        return -1;
    if (mask & LVIF_IMAGE) {
        item->setData(0, kImageRole, image);
        ShowImage(item);
    }
    if (mask & LVIF_PARAM)
        SetItemData(index, static_cast<DWORD_PTR>(lParam));
    if ((mask & LVIF_STATE) && (stateMask & LVIS_SELECTED))
        item->setSelected((state & LVIS_SELECTED) != 0);
    return index;
}

BOOL CListCtrl::SetItemText(int index, int subItem, LPCTSTR text) {
    QTreeWidgetItem* item = Row(index);
    if (!item || subItem < 0 || subItem >= GetColumnCount())
        return FALSE;
    item->setText(subItem, ToQString(text));
    return TRUE;
}

CString CListCtrl::GetItemText(int index, int subItem) const {
    QTreeWidgetItem* item = Row(index);
    return item ? ToCString(item->text(subItem)) : CString();
}

BOOL CListCtrl::DeleteItem(int index) {
    if (!Row(index))
        return FALSE;
    delete m_list->takeTopLevelItem(index);
    return TRUE;
}

BOOL CListCtrl::DeleteAllItems() {
    if (!m_list)
        return FALSE;
    m_list->clear();
    return TRUE;
}

int CListCtrl::GetItemCount() const {
    return m_list ? m_list->topLevelItemCount() : 0;
}

BOOL CListCtrl::SetCheck(int index, BOOL check) {
    QTreeWidgetItem* item = Row(index);
    if (!item)
        return FALSE;
    item->setCheckState(0, check ? Qt::Checked : Qt::Unchecked);
    return TRUE;
}

BOOL CListCtrl::GetCheck(int index) const {
    QTreeWidgetItem* item = Row(index);
    return item && item->checkState(0) == Qt::Checked;
}

BOOL CListCtrl::SetItemData(int index, DWORD_PTR data) {
    QTreeWidgetItem* item = Row(index);
    if (!item)
        return FALSE;
    item->setData(0, Qt::UserRole, QVariant::fromValue<qulonglong>(data));
    return TRUE;
}

DWORD_PTR CListCtrl::GetItemData(int index) const {
    QTreeWidgetItem* item = Row(index);
    return item ? static_cast<DWORD_PTR>(item->data(0, Qt::UserRole).toULongLong()) : 0;
}

int CListCtrl::GetNextItem(int start, int flags) const {
    if (!m_list)
        return -1;
    for (int i = start + 1; i < m_list->topLevelItemCount(); ++i)
        if (!(flags & LVNI_SELECTED) || m_list->topLevelItem(i)->isSelected())
            return i;
    return -1;
}

int CListCtrl::GetSelectedCount() const {
    return m_list ? static_cast<int>(m_list->selectedItems().size()) : 0;
}

BOOL CListCtrl::SetItemSelected(int index, BOOL selected) {
    QTreeWidgetItem* item = Row(index);
    if (!item)
        return FALSE;
    item->setSelected(selected != FALSE);
    return TRUE;
}

int CListCtrl::GetSelectionMark() const {
    QAbstractItemView* view = GetView();
    const QModelIndex current = view ? view->currentIndex() : QModelIndex();
    return current.isValid() ? current.row() : -1;
}

int CListCtrl::SetSelectionMark(int index) {
    const int previous = GetSelectionMark();
    QAbstractItemView* view = GetView();
    if (view && Row(index))
        view->setCurrentIndex(view->model()->index(index, 0));
    return previous;
}
