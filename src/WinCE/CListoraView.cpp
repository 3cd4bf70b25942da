#include "CListoraView.h"

#include "AfxMessageBox.h"
#include "CListHeaderCtrl.h"
#include "CMenu.h"
#include "Options.h"
#include "Purchase.h"
#include "QtText.h"
#include "ListoraStrings.h"
#include "System/Diagnostics/Trace.h"
#include "WideString.h"

#include <QFontMetrics>
#include <QPainter>
#include <algorithm>
#include <cmath>

using Diagnostics::Trace;

namespace {
const TCHAR* const kSourceFile = u"" __FILE__;
}  // namespace

const TCHAR* const CListoraView::kPriceChoices[kPriceChoiceCount] = {
    u"0",    u"0.25", u"0.50", u"0.99", u"1.00", u"1.25",  u"1.50",  u"1.99",  u"2.00",  u"2.25",
    u"2.50", u"2.99", u"3.00", u"4.00", u"5.00", u"10.00", u"20.00", u"50.00", u"100.00", u"500.00"};

CListoraView::CListoraView() {
    MapCommandRange(ID_PRICE_RANGE_FIRST, ID_PRICE_RANGE_LAST, &CListoraView::OnPriceChoice);
}

CListoraView::~CListoraView() = default;

void CListoraView::Reset() {
    CListoraBaseView::Reset();
    m_pPriceMenuPurchase = nullptr;
}

void CListoraView::CollectRows(UINT rowsPerPage, bool withTotals) {
    m_displayed.clear();
    m_nRowsDrawn = 0;
    m_nCount = m_nFirstIndex;
    const CListoraDoc* doc = GetDocument();
    if (!doc)
        return;
    const rep::vector<Purchase*>& purchases = doc->GetPurchases();
    const ListSummary& summary = Summary();
    if (withTotals) {
        m_total = summary.Total();
        m_purchasedTotal = summary.PurchasedTotal();
        m_bTotalsFresh = true;
    }
    // The count covers every row from the first index on; the page takes the first of
    // them.
    const std::vector<DWORD>& rows = summary.Rows();
    auto row = std::lower_bound(rows.begin(), rows.end(), m_nFirstIndex);
    m_nCount += static_cast<UINT>(rows.end() - row);
    for (; row != rows.end() && m_nRowsDrawn < rowsPerPage; ++row, ++m_nRowsDrawn)
        m_displayed.push_back(purchases[*row]);
    m_bRowsStale = false;
}

void CListoraView::DrawRows(QPainter& dc, const CRect&, UINT rowsPerPage) {
    CollectRows(rowsPerPage, TheOptions().GetDrawTotal());
    for (DWORD row = 0; row < m_displayed.size(); ++row)
        DrawRow(dc, *m_displayed[row], static_cast<int>(row));
}

void CListoraView::DrawRow(QPainter& dc, const Purchase& purchase, int row) {
    const Options& options = TheOptions();
    const DWORD columns = options.GetDisplayedColumns();
    const int fontSize = static_cast<int>(options.GetFontSize());
    const float taxRate = options.GetTotalTaxRate();
    const QPen savedPen = dc.pen();
    const QColor base = BaseTextColor();
    dc.setPen(base);
    dc.setFont(purchase.IsPurchased() ? ItalicFont() : NormalFont());

    int c = 0;
    for (int kind = 0; kind < kColumnKindCount; ++kind) {
        if (!(columns & (1u << kind)))
            continue;
        const CRect cell = CellRect(c, row);
        switch (kind) {
        case KindQty:
            // A damaged file may bring a number that is none: its cell stays blank.
            if (purchase.GetQty() != 0 && std::isfinite(purchase.GetQty())) {
                const int decimals = DecimalCount(purchase.GetQty());
                CString text;
                if (purchase.Unit().empty())
                    text.Format(u"%.*f", decimals, static_cast<double>(purchase.GetQty()));
                else
                    text.Format(u"%.*f %s", decimals, static_cast<double>(purchase.GetQty()), purchase.GetUnit());
                dc.setPen(ColorOf(options.GetColorQty()));
                DrawCellText(dc, cell, ToQString(text), Qt::AlignLeft);
            }
            break;
        case KindName: {
            const QString name = ToQString(purchase.Name());
            dc.setPen(ColorOf(options.GetColorName()));
            DrawCellText(dc, cell, name, Qt::AlignLeft);
            if (purchase.IsPurchased() && GetHeader()) {
                // Struck through: from the column's left edge to the end of the text.
                const int left = GetHeader()->GetLeft(c) + (c == 0 ? GetStripWidth() : 0);
                const int right = GetHeader()->GetLeft(c) + GetHeader()->GetWidth(c);
                const int width = QFontMetrics(dc.font()).horizontalAdvance(name);
                const int y = cell.top + fontSize / 2;
                dc.drawLine(left + 2, y, std::min(right, left + width) - 2, y);
            }
            break;
        }
        case KindPrice: {
            const double price = ListSummary::LinePrice(purchase, taxRate);
            if (price != 0 && std::isfinite(price)) {
                CString text;
                text.Format(u"%.2f", price);
                dc.setPen(ColorOf(options.GetColorPrice()));
                DrawCellText(dc, cell, ToQString(text), Qt::AlignRight);
            }
            break;
        }
        case KindCoupon:
            if (purchase.HasCoupon())
                DrawCoupon(dc, c, row);
            break;
        case KindLocation:
            if (const TCHAR* location = purchase.GetLocation()) {
                dc.setPen(ColorOf(options.GetColorLocation()));
                DrawCellText(dc, cell, ToQString(location), Qt::AlignLeft);
            }
            break;
        case KindNote:
            if (const TCHAR* note = purchase.GetNote(); note && *note) {
                dc.setPen(ColorOf(options.GetColorNote()));
                DrawCellText(dc, cell, QStringLiteral("..."), Qt::AlignLeft);
            }
            break;
        default:
            break;
        }
        ++c;
    }
    dc.setPen(savedPen);
}

void CListoraView::EnsureRows() {
    if (m_bRowsStale)
        CollectRows(GetRowsPerPage());
}

Purchase* CListoraView::PurchaseAt(CPoint point) {
    EnsureRows();
    const UINT row = RowAt(point.y);
    return row < m_displayed.size() ? m_displayed[row] : nullptr;
}

void CListoraView::EditAndRefresh(Purchase* purchase) {
    if (CListoraDoc* doc = GetDocument())
        doc->EditPurchase(purchase);
    RefreshFullScreen();
}

void CListoraView::OnLButtonUp(UINT flags, CPoint point) {
    CListoraDoc* doc = GetDocument();
    if (!doc)
        return;
    if (GetToggleRect().PtInRect(point)) {
        ToggleTotalLine();
        return;
    }
    EnsureRows();
    const UINT row = RowAt(point.y);
    if (row >= GetCount()) {
        EditAndRefresh(nullptr);
        return;
    }
    if (row >= m_displayed.size())
        return;
    Purchase* purchase = m_displayed[row];
    const int kind = GetHeader() ? GetHeader()->GetColumnKind(ColumnAt(point.x)) : -1;
    switch (kind) {
    case KindQty:
    case KindLocation:
        EditAndRefresh(purchase);
        break;
    case KindName:
        purchase->SetPurchased(!purchase->IsPurchased());
        doc->SetModifiedFlag();
        doc->UpdateAllViews(nullptr);
        break;
    case KindCoupon:
        purchase->SetCoupon(!purchase->HasCoupon());
        doc->SetModifiedFlag();
        doc->UpdateAllViews(nullptr);
        break;
    case KindPrice:
        OpenPriceMenu(purchase, point);
        break;
    case KindNote:
        if (const TCHAR* note = purchase->GetNote(); note && *note)
            AfxMessageBox(note);
        else
            EditAndRefresh(purchase);
        break;
    default:
        break;
    }
    CListoraBaseView::OnLButtonUp(flags, point);
}

void CListoraView::OpenPriceMenu(Purchase* purchase, CPoint clientPoint) {
    CMenu menu;
    if (!menu.CreatePopupMenu()) {
        Trace::WriteFormattedLineT(u"error", u"%s(%d) : Cannot create menu!", kSourceFile, __LINE__);
        return;
    }
    for (int i = 0; i < kPriceChoiceCount; ++i)
        menu.AppendMenu(MF_STRING, ID_PRICE_FIRST + static_cast<UINT>(i), kPriceChoices[i]);
    const CString other = LoadString(IDS_PRICE_OTHER);
    menu.AppendMenu(MF_STRING, ID_PRICE_OTHER, other);
    m_pPriceMenuPurchase = purchase;
    CPoint screen = clientPoint;
    ClientToScreen(&screen);
    const auto alive = AliveToken();
    menu.TrackPopupMenu(TPM_LEFTALIGN, screen.x, screen.y, this);
    // The choice has been handled; the purchase may not outlive the next change.
    if (!alive.expired())
        m_pPriceMenuPurchase = nullptr;
}

void CListoraView::OnPriceChoice(UINT id) {
    Purchase* purchase = m_pPriceMenuPurchase;
    CListoraDoc* doc = GetDocument();
    if (!purchase || !doc)
        return;
    if (id >= ID_PRICE_FIRST && id <= ID_PRICE_LAST) {
        purchase->SetPrice(ToQString(kPriceChoices[id - ID_PRICE_FIRST]).toFloat());
        // A new price is a change of the list like any other: it must reach the file.
        doc->SetModifiedFlag();
        doc->UpdateAllViews(nullptr);
    } else if (id == ID_PRICE_OTHER) {
        EditAndRefresh(purchase);
    }
}

void CListoraView::AskRemove(CPoint clientPoint) {
    CListoraDoc* doc = GetDocument();
    Purchase* purchase = PurchaseAt(clientPoint);
    if (!doc || !purchase)
        return;
    CString question;
    question.Format(LoadString(IDS_REMOVE_PURCHASE), purchase->GetName());
    if (AfxMessageBox(question, MB_YESNO) != IDYES)
        return;
    // Removing marks the document modified and updates every view.
    doc->RemovePurchase(purchase);
}

void CListoraView::OnRButtonUp(UINT, CPoint point) {
    AskRemove(point);
}

void CListoraView::OnTapAndHold(CPoint screenPoint) {
    CPoint client = screenPoint;
    ScreenToClient(&client);
    AskRemove(client);
}

void CListoraView::OnChar(UINT nChar, UINT repeat, UINT flags) {
    const CListoraDoc* doc = GetDocument();
    if (doc) {
        const WCHAR wanted = towlower16(static_cast<WCHAR>(nChar));
        const rep::vector<Purchase*>& purchases = doc->GetPurchases();
        const RowFilter filter = MakeRowFilter();
        for (DWORD i = 0; i < purchases.size(); ++i) {
            const Purchase& purchase = *purchases[i];
            if (!purchase.Name().empty() && towlower16(purchase.Name()[0]) == wanted && filter.Passes(purchase)) {
                SetFirstIndex(i);
                Invalidate();
                return;
            }
        }
    }
    CListoraBaseView::OnChar(nChar, repeat, flags);
}
