#include "CListHeaderCtrl.h"

#include "AfxMessageBox.h"
#include "CListoraBaseView.h"
#include "Options.h"
#include "QtText.h"
#include "Resources.h"
#include "ScreenFonts.h"
#include "ListoraStrings.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPalette>
#include <algorithm>
#include <numeric>

namespace {
QColor ColorOf(COLORREF c) {
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF), static_cast<int>((c >> 16) & 0xFF));
}
}  // namespace

CListHeaderCtrl::CListHeaderCtrl(int mode, int tileNumber) : m_mode(mode), m_tileNumber(tileNumber) {
    EnsureFont();
}

CListHeaderCtrl::~CListHeaderCtrl() = default;

int CListHeaderCtrl::InsertColumn(int width, LPCTSTR text, int format) {
    HDITEM item;
    item.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT;
    item.cxy = width;
    item.pszText = const_cast<LPWSTR>(text);
    item.fmt = format;
    const int index = InsertItem(GetItemCount(), &item);
    if (index < 0)
        return -1;
    if (m_lefts.empty())
        m_lefts.push_back(0);
    m_lefts.push_back(m_lefts.back() + std::max(0, width));
    m_minWidths.push_back(-1);
    return index;
}

int CListHeaderCtrl::GetLeft(int column) const {
    if (column < 0 || m_lefts.empty())
        return 0;
    const auto i = std::min(static_cast<std::size_t>(column), m_lefts.size() - 1);
    return m_lefts[i];
}

int CListHeaderCtrl::GetWidth(int column) const {
    HDITEM item;
    item.mask = HDI_WIDTH;
    return GetItem(column, &item) ? item.cxy : 0;
}

int CListHeaderCtrl::ColumnAt(int x) const {
    const int count = GetColumnCount();
    if (count == 0)
        return -1;
    for (int i = 0; i < count; ++i)
        if (x >= GetLeft(i) && x < GetLeft(i + 1))
            return i;
    return x < GetLeft(0) ? 0 : count - 1;
}

int CListHeaderCtrl::GetColumnKind(DWORD displayedColumns, int index) {
    if (index < 0)
        return -1;
    int seen = 0;
    for (int kind = 0; kind < kColumnKindCount; ++kind) {
        if (displayedColumns & (1u << kind)) {
            if (seen == index)
                return kind;
            ++seen;
        }
    }
    return -1;
}

int CListHeaderCtrl::GetColumnKind(int index) const {
    return GetColumnKind(TheOptions().GetDisplayedColumns(), index);
}

int CListHeaderCtrl::GetColumnIndex(DWORD displayedColumns, int kind) {
    if (kind < 0 || kind >= kColumnKindCount || !(displayedColumns & (1u << kind)))
        return -1;
    int index = 0;
    for (int k = 0; k < kind; ++k)
        if (displayedColumns & (1u << k))
            ++index;
    return index;
}

int CListHeaderCtrl::SetSortMark(int column, int direction) {
    const int previous = m_sortColumn;
    m_sortColumn = column;
    m_sortDirection = direction;
    if (previous >= 0)
        InvalidateItem(previous);
    if (column >= 0)
        InvalidateItem(column);
    Invalidate();
    return previous;
}

void CListHeaderCtrl::SetColumnWidth(int column, int width) {
    HDITEM item;
    item.mask = HDI_WIDTH;
    item.cxy = width;
    SetItem(column, &item);
}

void CListHeaderCtrl::RecalcLeftEdges() {
    m_lefts.assign(1, 0);
    for (int i = 0; i < GetColumnCount(); ++i)
        m_lefts.push_back(m_lefts.back() + GetWidth(i));
}

void CListHeaderCtrl::FitLastColumn(int width) {
    const int count = GetColumnCount();
    if (count == 0)
        return;
    int target = width;
    if (target < 0) {
        CRect client;
        GetClientRect(&client);
        target = client.Width();
    }
    ShareWithItem(target);
    int sum = 0;
    for (int i = 0; i < count; ++i)
        sum += GetWidth(i);
    if (sum == target) {
        RecalcLeftEdges();
        return;
    }
    const int last = count - 1;
    const int lastWidth = GetWidth(last);
    if (target > sum) {
        SetColumnWidth(last, lastWidth + target - sum);
    } else {
        const int minWidth = GetMinWidth(last);
        if (minWidth < 0 || lastWidth <= minWidth)
            return;
        // Never narrower than its title needs, as a drag could not make it either.
        SetColumnWidth(last, std::max(minWidth, lastWidth - (sum - target)));
    }
    RecalcLeftEdges();
}

void CListHeaderCtrl::ShareWithItem(int target) {
    const int count = GetColumnCount();
    int item = GetColumnIndex(TheOptions().GetDisplayedColumns(), KindName);
    // As the last column the Item column gets all the room anyway.
    if (item >= count - 1)
        item = -1;
    const int share = item >= 0 ? std::max(0, (target - kHandheldWidth) / 2) : 0;
    if (share == m_itemShare && item == m_itemShareColumn)
        return;
    if (m_itemShareColumn >= 0 && m_itemShareColumn < count)
        SetColumnWidth(m_itemShareColumn, std::max(1, GetWidth(m_itemShareColumn) - m_itemShare));
    if (item >= 0)
        SetColumnWidth(item, GetWidth(item) + share);
    m_itemShare = share;
    m_itemShareColumn = item;
}

void CListHeaderCtrl::SetTileNumber(int tileNumber) {
    m_tileNumber = tileNumber;
    Invalidate();
}

int CListHeaderCtrl::GetMinWidth(int column) const {
    if (column < 0 || static_cast<std::size_t>(column) >= m_minWidths.size())
        return -1;
    return m_minWidths[static_cast<std::size_t>(column)];
}

void CListHeaderCtrl::EnsureFont() {
    const int height = static_cast<int>(TheOptions().GetFontSize());
    if (height == m_fontHeight)
        return;
    SetFont(ScreenFonts::Make(QStringLiteral("Areal"), height));
    m_fontHeight = height;
}

void CListHeaderCtrl::EnsureTileIcon() {
    const int tile = static_cast<int>(TheOptions().GetTileNumber());
    if (tile != m_iconTileNumber) {
        m_tileIcon = QIcon();
        m_iconTileNumber = tile;
        m_tileNumber = tile;
    }
    if (m_tileIcon.isNull() && m_tileNumber != -1)
        m_tileIcon = QIcon(Resources::LoadIcon(static_cast<UINT>(m_tileNumber)).pixmap(16, 16));
}

void CListHeaderCtrl::DrawItem(LPDRAWITEMSTRUCT drawItem) {
    if (!drawItem || !drawItem->hDC)
        return;
    QPainter& dc = *drawItem->hDC;
    const int index = static_cast<int>(drawItem->itemID);
    EnsureFont();
    EnsureTileIcon();

    TCHAR buffer[257] = {0};
    HDITEM item;
    item.mask = HDI_TEXT | HDI_FORMAT;
    item.pszText = buffer;
    item.cchTextMax = 256;
    GetItem(index, &item);

    const bool dark = TheOptions().GetTileNumber() == CListoraBaseView::kDarkTile;
    const QRect r = CRect(drawItem->rcItem).ToQRect();
    const QPalette palette = GetWidget() ? GetWidget()->palette() : QPalette();
    // A raised edge around a fill in the colours of the background.
    dc.fillRect(r, ColorOf(dark ? kDarkColor : kLightColor));
    const bool pressed = (drawItem->itemState & ODS_SELECTED) != 0;
    dc.setPen(pressed ? palette.color(QPalette::Dark) : palette.color(QPalette::Light));
    dc.drawLine(r.left(), r.top(), r.right(), r.top());
    dc.drawLine(r.left(), r.top(), r.left(), r.bottom());
    dc.setPen(pressed ? palette.color(QPalette::Light) : palette.color(QPalette::Dark));
    dc.drawLine(r.left(), r.bottom(), r.right(), r.bottom());
    dc.drawLine(r.right(), r.top(), r.right(), r.bottom());

    int align = Qt::AlignVCenter | Qt::TextSingleLine;
    switch (item.fmt & HDF_JUSTIFYMASK) {
    case HDF_CENTER: align |= Qt::AlignHCenter; break;
    case HDF_RIGHT: align |= Qt::AlignRight; break;
    default: align |= Qt::AlignLeft; break;
    }
    const QString text = ToQString(static_cast<const TCHAR*>(buffer));
    const QFontMetrics metrics(GetFont());
    const int blank = std::max(1, metrics.horizontalAdvance(QLatin1Char(' ')));
    const int markSize = 2 * blank;
    dc.setFont(GetFont());
    dc.setPen(dark ? QColor(255, 255, 255) : QColor(0, 0, 0));
    // The sort mark keeps its own room at the right end: the title never runs under it.
    const int markRoom = index == m_sortColumn ? markSize + 2 : 0;
    dc.drawText(r.adjusted(kTextMargin, 0, -kTextMargin - markRoom, 0), align, text);

    if (index >= 0 && static_cast<std::size_t>(index) < m_minWidths.size())
        m_minWidths[static_cast<std::size_t>(index)] = 6 * blank + 2 * kTextMargin + metrics.horizontalAdvance(text);

    if (index == m_sortColumn) {
        // A small triangle at the right end: up for ascending, down for descending.
        const int size = markSize;
        const int right = r.right() - kTextMargin;
        const int left = right - size;
        const int middle = (left + right) / 2;
        const int top = r.center().y() - size / 2;
        const int bottom = top + size;
        const QColor shadow = palette.color(QPalette::Dark);
        const QColor highlight = palette.color(QPalette::Light);
        if (m_sortDirection == 0) {
            dc.setPen(shadow);
            dc.drawLine(left, bottom, middle, top);
            dc.setPen(highlight);
            dc.drawLine(middle, top, right, bottom);
            dc.drawLine(left, bottom, right, bottom);
        } else {
            dc.setPen(shadow);
            dc.drawLine(left, top, right, top);
            dc.drawLine(left, top, middle, bottom);
            dc.setPen(highlight);
            dc.drawLine(middle, bottom, right, top);
        }
    }
}

void CListHeaderCtrl::OnItemClick(int item) {
    ClickColumn(item);
}

void CListHeaderCtrl::ClickColumn(int column) {
    if (column < 0 || column >= GetColumnCount())
        return;
    const int kind = GetColumnKind(column);
    if (m_mode == ChoiceMode && kind != KindName) {
        AfxMessageBox(IDS_CANNOT_SORT_COLUMN);
        return;
    }
    const int direction = column == m_sortColumn ? (m_sortDirection == 0 ? 1 : 0) : m_defaultDirection;
    SetSortMark(column, direction);
    Options& options = TheOptions();
    options.SetSortDirection(static_cast<DWORD>(direction));
    options.SetSortColumn(static_cast<DWORD>(kind));
    options.SetChanged();
    if (auto* view = dynamic_cast<CListoraBaseView*>(GetParent()))
        view->SortDocument();
}

BOOL CListHeaderCtrl::OnBeginTrack(int item) {
    // The last column always takes what is left.
    return item >= GetColumnCount() - 1;
}

BOOL CListHeaderCtrl::OnTrack(int item, int width) {
    const int minWidth = GetMinWidth(item);
    return minWidth >= 0 && width < minWidth;
}

void CListHeaderCtrl::OnEndTrack(int item, int width) {
    SetColumnWidth(item, width);
    FitLastColumn();
    RecalcLeftEdges();
    if (CWnd* parent = GetParent())
        parent->Invalidate();
}

void CListHeaderCtrl::OnSize(UINT type, int cx, int cy) {
    CHeaderCtrl::OnSize(type, cx, cy);
    FitLastColumn(cx);
}
