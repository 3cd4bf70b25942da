#include "CHeaderCtrl.h"

#include "QtText.h"

#include <QApplication>
#include <QPainter>
#include <QPalette>
#include <algorithm>

CHeaderCtrl::CHeaderCtrl() = default;

CHeaderCtrl::~CHeaderCtrl() = default;

BOOL CHeaderCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    if (!CWnd::Create(nullptr, nullptr, style, rect, parent, id))
        return FALSE;
    GetWidget()->setMouseTracking(false);
    return TRUE;
}

int CHeaderCtrl::InsertItem(int position, const HDITEM* item) {
    if (!item || position < 0)
        return -1;
    Item entry;
    if (item->mask & HDI_WIDTH)
        entry.width = std::max(0, item->cxy);
    if ((item->mask & HDI_TEXT) && item->pszText)
        entry.text = item->pszText;
    if (item->mask & HDI_FORMAT)
        entry.format = item->fmt;
    if (item->mask & HDI_LPARAM)
        entry.lParam = item->lParam;
    const int index = std::min(position, GetItemCount());
    m_items.insert(m_items.begin() + index, std::move(entry));
    Invalidate();
    return index;
}

BOOL CHeaderCtrl::DeleteItem(int position) {
    if (position < 0 || position >= GetItemCount())
        return FALSE;
    m_items.erase(m_items.begin() + position);
    m_pressedItem = -1;
    m_trackItem = -1;
    Invalidate();
    return TRUE;
}

BOOL CHeaderCtrl::GetItem(int position, HDITEM* item) const {
    if (!item || position < 0 || position >= GetItemCount())
        return FALSE;
    const Item& entry = m_items[static_cast<std::size_t>(position)];
    if (item->mask & HDI_WIDTH)
        item->cxy = entry.width;
    if (item->mask & HDI_FORMAT)
        item->fmt = entry.format;
    if (item->mask & HDI_LPARAM)
        item->lParam = entry.lParam;
    if ((item->mask & HDI_TEXT) && item->pszText && item->cchTextMax > 0) {
        const std::size_t n = std::min(entry.text.size(), static_cast<std::size_t>(item->cchTextMax - 1));
        std::copy_n(entry.text.data(), n, item->pszText);
        item->pszText[n] = 0;
    }
    return TRUE;
}

BOOL CHeaderCtrl::SetItem(int position, const HDITEM* item) {
    if (!item || position < 0 || position >= GetItemCount())
        return FALSE;
    Item& entry = m_items[static_cast<std::size_t>(position)];
    if (item->mask & HDI_WIDTH)
        entry.width = std::max(0, item->cxy);
    if (item->mask & HDI_TEXT)
        entry.text = item->pszText ? std::u16string(item->pszText) : std::u16string();
    if (item->mask & HDI_FORMAT)
        entry.format = item->fmt;
    if (item->mask & HDI_LPARAM)
        entry.lParam = item->lParam;
    Invalidate();
    return TRUE;
}

BOOL CHeaderCtrl::GetItemRect(int position, LPRECT rect) const {
    if (!rect || position < 0 || position >= GetItemCount())
        return FALSE;
    int left = 0;
    for (int i = 0; i < position; ++i)
        left += m_items[static_cast<std::size_t>(i)].width;
    const int height = GetWidget() ? GetWidget()->height() : GetDesiredHeight();
    *rect = CRect(left, 0, left + m_items[static_cast<std::size_t>(position)].width, height);
    return TRUE;
}

int CHeaderCtrl::GetDesiredHeight() const {
    // One line of the font (its cell: ascent and descent) and a border above and below.
    return QFontMetrics(m_font).height() + 6;
}

BOOL CHeaderCtrl::Layout(HDLAYOUT* layout) const {
    if (!layout || !layout->prc || !layout->pwpos)
        return FALSE;
    RECT& area = *layout->prc;
    const int height = std::min<int>(GetDesiredHeight(), std::max<int>(0, area.bottom - area.top));
    layout->pwpos->hwnd = GetSafeHwnd();
    layout->pwpos->hwndInsertAfter = nullptr;
    layout->pwpos->x = area.left;
    layout->pwpos->y = area.top;
    layout->pwpos->cx = area.right - area.left;
    layout->pwpos->cy = height;
    layout->pwpos->flags = 0;
    area.top += height;
    return TRUE;
}

void CHeaderCtrl::SetFont(const QFont& font) {
    m_font = font;
    Invalidate();
}

int CHeaderCtrl::HitTestItem(CPoint point) const {
    int left = 0;
    for (int i = 0; i < GetItemCount(); ++i) {
        const int right = left + m_items[static_cast<std::size_t>(i)].width;
        if (point.x >= left && point.x < right)
            return i;
        left = right;
    }
    return -1;
}

int CHeaderCtrl::HitTestDivider(CPoint point) const {
    // The divider at the right edge of item i; the last one that is near wins, so a
    // column squeezed to nothing can still be widened again.
    int left = 0;
    int found = -1;
    for (int i = 0; i < GetItemCount(); ++i) {
        left += m_items[static_cast<std::size_t>(i)].width;
        if (point.x >= left - kDividerSlop && point.x <= left + kDividerSlop)
            found = i;
    }
    return found;
}

void CHeaderCtrl::InvalidateItem(int position) {
    CRect rect;
    if (GetWidget() && GetItemRect(position, &rect))
        GetWidget()->update(rect.ToQRect());
}

void CHeaderCtrl::DrawItem(LPDRAWITEMSTRUCT drawItem) {
    if (drawItem && drawItem->hDC)
        DrawPlainItem(*drawItem->hDC, static_cast<int>(drawItem->itemID), CRect(drawItem->rcItem),
                      (drawItem->itemState & ODS_SELECTED) != 0);
}

void CHeaderCtrl::DrawPlainItem(QPainter& painter, int position, const CRect& rect, bool pressed) const {
    const QPalette palette = GetWidget() ? GetWidget()->palette() : QApplication::palette();
    const QRect r = rect.ToQRect();
    painter.fillRect(r, palette.color(QPalette::Button));
    painter.setPen(pressed ? palette.color(QPalette::Dark) : palette.color(QPalette::Light));
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(pressed ? palette.color(QPalette::Light) : palette.color(QPalette::Dark));
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
    if (position < 0 || position >= GetItemCount())
        return;
    const Item& entry = m_items[static_cast<std::size_t>(position)];
    int align = Qt::AlignVCenter;
    switch (entry.format & HDF_JUSTIFYMASK) {
    case HDF_RIGHT: align |= Qt::AlignRight; break;
    case HDF_CENTER: align |= Qt::AlignHCenter; break;
    default: align |= Qt::AlignLeft; break;
    }
    painter.setFont(m_font);
    painter.setPen(palette.color(QPalette::ButtonText));
    painter.drawText(r.adjusted(3, 0, -3, 0), align | Qt::TextSingleLine, ToQString(entry.text));
}

void CHeaderCtrl::OnItemClick(int) {}

BOOL CHeaderCtrl::OnBeginTrack(int) {
    return FALSE;
}

BOOL CHeaderCtrl::OnTrack(int, int) {
    return FALSE;
}

void CHeaderCtrl::OnEndTrack(int item, int width) {
    HDITEM hd;
    hd.mask = HDI_WIDTH;
    hd.cxy = width;
    SetItem(item, &hd);
}

void CHeaderCtrl::OnPaint() {
    QWidget* widget = GetWidget();
    if (!widget)
        return;
    QPainter painter(widget);
    const int height = widget->height();
    int left = 0;
    for (int i = 0; i < GetItemCount(); ++i) {
        const Item& entry = m_items[static_cast<std::size_t>(i)];
        const CRect rect(left, 0, left + entry.width, height);
        if (entry.format & HDF_OWNERDRAW) {
            DRAWITEMSTRUCT dis;
            dis.CtlType = ODT_HEADER;
            dis.CtlID = static_cast<UINT>(GetDlgCtrlID());
            dis.itemID = static_cast<UINT>(i);
            dis.itemState = i == m_pressedItem ? ODS_SELECTED : 0;
            dis.hwndItem = GetSafeHwnd();
            dis.hDC = &painter;
            dis.rcItem = rect;
            dis.itemData = static_cast<DWORD_PTR>(entry.lParam);
            painter.save();
            DrawItem(&dis);
            painter.restore();
        } else {
            DrawPlainItem(painter, i, rect, i == m_pressedItem);
        }
        left += entry.width;
    }
    if (left < widget->width())
        DrawPlainItem(painter, -1, CRect(left, 0, widget->width(), height), false);
}

void CHeaderCtrl::OnLButtonDown(UINT, CPoint point) {
    m_pressedItem = -1;
    m_trackItem = -1;
    const int divider = HitTestDivider(point);
    if (divider >= 0) {
        if (!OnBeginTrack(divider)) {
            m_trackItem = divider;
            m_trackStartX = point.x;
            m_trackStartWidth = m_items[static_cast<std::size_t>(divider)].width;
            m_trackWidth = m_trackStartWidth;
        }
        return;
    }
    m_pressedItem = HitTestItem(point);
    if (m_pressedItem >= 0)
        InvalidateItem(m_pressedItem);
}

void CHeaderCtrl::OnMouseMove(UINT, CPoint point) {
    if (m_trackItem < 0 || m_trackItem >= GetItemCount())
        return;
    const int width = std::max(0, m_trackStartWidth + point.x - m_trackStartX);
    if (width == m_trackWidth || OnTrack(m_trackItem, width))
        return;
    m_trackWidth = width;
    m_items[static_cast<std::size_t>(m_trackItem)].width = width;
    Invalidate();
}

void CHeaderCtrl::OnLButtonUp(UINT, CPoint point) {
    if (m_trackItem >= 0) {
        const int item = m_trackItem;
        m_trackItem = -1;
        if (item < GetItemCount())
            OnEndTrack(item, m_trackWidth);
        return;
    }
    const int pressed = m_pressedItem;
    m_pressedItem = -1;
    if (pressed < 0)
        return;
    InvalidateItem(pressed);
    if (HitTestItem(point) == pressed)
        OnItemClick(pressed);
}
