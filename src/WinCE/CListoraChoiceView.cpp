#include "CListoraChoiceView.h"

#include "CListHeaderCtrl.h"
#include "Options.h"
#include "Purchase.h"
#include "QtText.h"
#include "WideString.h"

#include <QPainter>
#include <algorithm>
#include <climits>
#include <cmath>

namespace {
// The whole number of a quantity as the view shows it (0 below 1).
UINT WholeQuantity(float qty) {
    if (!(qty >= 1.0f) || !std::isfinite(qty))
        return 0;
    if (qty >= static_cast<float>(UINT_MAX))
        return UINT_MAX;
    return static_cast<UINT>(qty);
}
}  // namespace

CListoraChoiceView::CListoraChoiceView() {
    m_nHeaderMode = CListHeaderCtrl::ChoiceMode;
}

CListoraChoiceView::~CListoraChoiceView() = default;

void CListoraChoiceView::Reset() {
    CListoraBaseView::Reset();
    m_rows.clear();
}

bool CListoraChoiceView::PassesFilter(const Item& item) const {
    return MakeRowFilter().PassesRestrictions(item);
}

void CListoraChoiceView::BuildRows() {
    m_rows.clear();
    const CListoraDoc* doc = GetDocument();
    if (!doc)
        return;
    const rep::vector<Item*>& items = doc->GetItems();
    m_rows.reserve(items.size());
    for (Item* item : items)
        if (PassesFilter(*item))
            m_rows.push_back(item);
}

void CListoraChoiceView::DrawRows(QPainter& dc, const CRect&, UINT rowsPerPage) {
    BuildRows();
    m_displayed.clear();
    m_nRowsDrawn = 0;
    m_nCount = static_cast<UINT>(m_rows.size());
    for (std::size_t i = m_nFirstIndex; i < m_rows.size() && m_nRowsDrawn < rowsPerPage; ++i) {
        DrawRow(dc, *m_rows[i], static_cast<int>(m_nRowsDrawn));
        ++m_nRowsDrawn;
    }
}

void CListoraChoiceView::DrawRow(QPainter& dc, const Item& item, int row) {
    CListoraDoc* doc = GetDocument();
    const Purchase* purchase = doc ? doc->FindPurchase(item.GetName()) : nullptr;
    const UINT whole = purchase ? WholeQuantity(purchase->GetQty()) : 0;
    const DWORD columns = TheOptions().GetDisplayedColumns();
    const QPen savedPen = dc.pen();
    dc.setPen(BaseTextColor());
    // Lines on the list with a whole quantity are set apart in italics.
    dc.setFont(whole != 0 ? ItalicFont() : NormalFont());

    int c = 0;
    for (int kind = 0; kind < kColumnKindCount; ++kind) {
        if (!(columns & (1u << kind)))
            continue;
        const CRect cell = CellRect(c, row);
        switch (kind) {
        case KindQty:
            if (whole != 0) {
                CString text;
                if (item.Unit().empty())
                    text.Format(u"%u", whole);
                else
                    text.Format(u"%u %s", whole, item.GetUnit());
                DrawCellText(dc, cell, ToQString(text), Qt::AlignLeft);
            }
            break;
        case KindName:
            DrawCellText(dc, cell, ToQString(item.Name()), Qt::AlignLeft);
            break;
        case KindPrice: {
            const double price = purchase ? static_cast<double>(purchase->GetQty() * purchase->GetPrice())
                                          : static_cast<double>(item.GetPrice());
            if (price != 0 && std::isfinite(price)) {
                CString text;
                text.Format(u"%.2f", price);
                DrawCellText(dc, cell, ToQString(text), Qt::AlignRight);
            }
            break;
        }
        case KindCoupon:
            if (purchase && purchase->HasCoupon())
                DrawCoupon(dc, c, row);
            break;
        case KindLocation:
            if (purchase && purchase->GetLocation())
                DrawCellText(dc, cell, ToQString(purchase->GetLocation()), Qt::AlignLeft);
            break;
        case KindNote:
            if (purchase && purchase->GetNote())
                DrawCellText(dc, cell, ToQString(purchase->GetNote()), Qt::AlignLeft);
            break;
        default:
            break;
        }
        ++c;
    }
    dc.setPen(savedPen);
}

Item* CListoraChoiceView::ItemAt(CPoint point, int* column) {
    BuildRows();
    m_nCount = static_cast<UINT>(m_rows.size());
    const UINT row = RowAt(point.y);
    if (column)
        *column = ColumnAt(point.x);
    // Only a row drawn on the page reacts: not the total line, not the empty space
    // under the last row.
    const UINT drawn = m_nFirstIndex < m_nCount ? std::min(GetRowsPerPage(), m_nCount - m_nFirstIndex) : 0;
    if (row >= drawn)
        return nullptr;
    return m_rows[m_nFirstIndex + row];
}

void CListoraChoiceView::OnLButtonUp(UINT flags, CPoint point) {
    CListoraDoc* doc = GetDocument();
    if (!doc)
        return;
    if (GetToggleRect().PtInRect(point)) {
        ToggleTotalLine();
        return;
    }
    int column = -1;
    Item* item = ItemAt(point, &column);
    if (!item)
        return;
    if (Purchase* purchase = doc->FindPurchase(item->GetName())) {
        if (column == 0)
            purchase->Increment();
        else
            doc->RemovePurchase(purchase);
    } else {
        doc->AddPurchase(new Purchase(*item));
    }
    doc->SetModifiedFlag();
    Invalidate();
    CListoraBaseView::OnLButtonUp(flags, point);
}

void CListoraChoiceView::OnRButtonUp(UINT, CPoint point) {
    CListoraDoc* doc = GetDocument();
    if (!doc)
        return;
    int column = -1;
    Item* item = ItemAt(point, &column);
    if (!item || column != 0)
        return;
    Purchase* purchase = doc->FindPurchase(item->GetName());
    if (!purchase)
        return;
    purchase->Decrement();
    // A fractional quantity steps past 0: the line goes then too, rather than being
    // left on the list with less than nothing.
    if (purchase->GetQty() <= 0)
        doc->RemovePurchase(purchase);
    Invalidate();
    doc->SetModifiedFlag();
}

void CListoraChoiceView::OnChar(UINT nChar, UINT repeat, UINT flags) {
    BuildRows();
    const WCHAR wanted = towlower16(static_cast<WCHAR>(nChar));
    for (std::size_t i = 0; i < m_rows.size(); ++i) {
        const std::u16string_view name = m_rows[i]->Name();
        if (!name.empty() && towlower16(name[0]) == wanted) {
            SetFirstIndex(static_cast<UINT>(i));
            Invalidate();
            return;
        }
    }
    CListoraBaseView::OnChar(nChar, repeat, flags);
}
