#include "CListoraBaseView.h"

#include "AfxMessageBox.h"
#include "CCmdUI.h"
#include "CFrameWnd.h"
#include "CIconButton.h"
#include "CListHeaderCtrl.h"
#include "Currency.h"
#include "LRRegistry.h"
#include "Options.h"
#include "Purchase.h"
#include "QtText.h"
#include "Resources.h"
#include "ScreenFonts.h"
#include "ListoraStrings.h"
#include "System/Diagnostics/Trace.h"
#include "WideString.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QTimer>
#include <vector>
#include <algorithm>
#include <cmath>
#include <utility>

using Diagnostics::Trace;

namespace {
const TCHAR* const kSourceFile = u"" __FILE__;

// Default width of each column kind.
constexpr int kDefaultWidths[kColumnKindCount] = {35, 75, 45, 25, 45, 50};
constexpr UINT kColumnTitles[kColumnKindCount] = {IDS_COLUMN_QTY,   IDS_COLUMN_ITEM,     IDS_COLUMN_PRICE,
                                                  IDS_COLUMN_CPN,   IDS_COLUMN_LOCATION, IDS_COLUMN_NOTE};
// Posted so that the currency message never opens in the middle of a paint.
constexpr UINT WM_LISTORA_INVALID_CURRENCY = WM_USER + 0x120u;
constexpr int kIconSize = 16;

// The ends of the bars' gradient.
constexpr int kBarStart[3] = {59, 94, 180};
constexpr int kBarMiddle[3] = {201, 230, 241};
constexpr int kBarHeight = 3;

}  // namespace

CListoraBaseView::CListoraBaseView() {
    MapCommand(ID_NEXT_PAGE, &CListoraBaseView::OnNextPage);
    MapCommand(ID_PREV_PAGE, &CListoraBaseView::OnPrevPage);
    MapCommand(ID_FULL_SCREEN, &CListoraBaseView::OnFullScreen);
    MapCommand(ID_STFULLSCREEN_SWITCH, &CListoraBaseView::OnFullScreen);
    MapUpdateCommand(ID_NEXT_PAGE, &CListoraBaseView::OnUpdateNextPage);
    MapUpdateCommand(ID_PREV_PAGE, &CListoraBaseView::OnUpdatePrevPage);
    MapUpdateCommand(ID_FULL_SCREEN, &CListoraBaseView::OnUpdateFullScreen);
    MapUpdateCommand(ID_STFULLSCREEN_SWITCH, &CListoraBaseView::OnUpdateFullScreen);
}

CListoraBaseView::~CListoraBaseView() {
    // The children go before the view's own window takes their widgets with it.
    m_pPrevButton.reset();
    m_pNextButton.reset();
    m_pHeader.reset();
}

CListoraDoc* CListoraBaseView::GetDocument() const {
    return dynamic_cast<CListoraDoc*>(m_pDocument);
}

BOOL CListoraBaseView::DestroyWindow() {
    m_pPrevButton.reset();
    m_pNextButton.reset();
    m_pHeader.reset();
    m_displayed.clear();
    return CSTFullScreenView::DestroyWindow();
}

int CListoraBaseView::OnCreate() {
    if (CSTFullScreenView::OnCreate() == -1)
        return -1;
    LoadIcons();
    if (CreateHeader() && !m_bButtonsCreated) {
        CRect client;
        GetClientRect(&client);
        m_pPrevButton = std::make_unique<CIconButton>(IDI_PREV_PAGE, ID_PREV_PAGE);
        m_pNextButton = std::make_unique<CIconButton>(IDI_NEXT_PAGE, ID_NEXT_PAGE);
        m_pPrevButton->Create(nullptr, u"prevIcon", WS_CHILD, CRect(0, 304, 16, 320), this, kPrevButtonId);
        m_pNextButton->Create(nullptr, u"NextIcon", WS_CHILD, CRect(224, 304, 240, 320), this, kNextButtonId);
        m_bButtonsCreated = true;
        PlaceButtons();
    }
    RebuildFonts();
    return 0;
}

void CListoraBaseView::LoadIcons() {
    m_couponIcon = Resources::LoadIcon(IDI_COUPON);
    m_fullScreenIcon = Resources::LoadIcon(IDI_FULLSCREEN);
    m_toggleIcon = Resources::LoadIcon(IDI_TOTAL_TOGGLE);
}

BOOL CListoraBaseView::CreateHeader() {
    m_pHeader.reset();
    const Options& options = TheOptions();
    const DWORD columns = options.GetDisplayedColumns();
    CRect client;
    GetClientRect(&client);

    auto header = std::make_unique<CListHeaderCtrl>(m_nHeaderMode, static_cast<int>(options.GetTileNumber()));
    const CRect rect(0, 0, client.Width(), header->GetDesiredHeight());
    if (!header->Create(WS_CHILD | HDS_HORZ | HDS_BUTTONS, rect, this, kHeaderId)) {
        Trace::WriteLine(u"Cannot create header control", u"error");
        return FALSE;
    }
    for (int kind = 0; kind < kColumnKindCount; ++kind) {
        if (!(columns & (1u << kind)))
            continue;
        const CString title = LoadString(kColumnTitles[kind]);
        if (header->InsertColumn(kDefaultWidths[kind], title, HDF_LEFT | HDF_STRING | HDF_OWNERDRAW) < 0) {
            Trace::WriteFormattedLineT(u"error", u"%s(%d) : Cannot insert column!", kSourceFile, __LINE__);
            return FALSE;
        }
    }
    header->FitLastColumn(client.Width());
    header->SetTileNumber(static_cast<int>(options.GetTileNumber()));
    m_pHeader = std::move(header);
    ShowStoredSortMark();
    m_nHeaderColumns = columns;
    m_bHeaderLayoutPending = true;
    // A header rebuilt in a view that is already laid out takes its place at once.
    if (!client.IsRectEmpty() && m_bLaidOut)
        LayoutHeaderIfPending();
    return TRUE;
}

int CListoraBaseView::GetHeaderHeight() const {
    if (!m_pHeader || !m_pHeader->GetWidget())
        return 0;
    return m_pHeader->GetWidget()->height();
}

void CListoraBaseView::RebuildFonts() {
    const Options& options = TheOptions();
    const TCHAR* face = options.GetFontName();
    // "Swiss": a sans-serif face when the named one is missing.
    const QFont font = ScreenFonts::Make(face ? ToQString(face) : QStringLiteral("Tahoma"),
                                         static_cast<int>(options.GetFontSize()));
    m_fontNormal = font;
    m_fontItalic = font;
    m_fontItalic.setItalic(true);
}

void CListoraBaseView::LayoutHeaderIfPending() {
    if (!m_bHeaderLayoutPending || !m_pHeader)
        return;
    CRect client;
    GetClientRect(&client);
    WINDOWPOS position;
    HDLAYOUT layout{&client, &position};
    if (m_pHeader->Layout(&layout)) {
        m_pHeader->MoveWindow(position.x, position.y, position.cx, position.cy, TRUE);
        m_pHeader->ShowWindow(SW_SHOW);
    }
    m_bHeaderLayoutPending = false;
    m_bLaidOut = true;
}

void CListoraBaseView::OnSize(UINT type, int cx, int cy) {
    CSTFullScreenView::OnSize(type, cx, cy);
    LayoutForSize(cx, cy);
}

void CListoraBaseView::LayoutForSize(int cx, int cy) {
    m_layoutSize = QSize(cx, cy);
    LayoutHeaderIfPending();
    if (m_pHeader && m_pHeader->GetWidget()) {
        m_pHeader->MoveWindow(0, 0, cx, m_pHeader->GetWidget()->height(), TRUE);
        // A hidden header hears of no resize: it fits its columns here.
        m_pHeader->FitLastColumn(cx);
    }
    PlaceButtons();
    PlaceIcon();
}

void CListoraBaseView::PlaceButtons() {
    CRect client;
    GetClientRect(&client);
    // The buttons keep to the bottom corners whatever the window's size.
    const int top = client.Height() - kButtonSize;
    if (m_pPrevButton)
        m_pPrevButton->MoveWindow(0, top, kButtonSize, kButtonSize, TRUE);
    if (m_pNextButton)
        m_pNextButton->MoveWindow(client.Width() - kButtonSize, top, kButtonSize, kButtonSize, TRUE);
}

void CListoraBaseView::OnInitialUpdate() {
    CSTFullScreenView::OnInitialUpdate();
    SetFullScreenIcon(m_fullScreenIcon);
    SetFullScreenIconPosition(-1);
    SetFullScreenIconVisible(TRUE);
}

void CListoraBaseView::ShowStoredSortMark() {
    if (!m_pHeader)
        return;
    const Options& options = TheOptions();
    const int column = CListHeaderCtrl::GetColumnIndex(options.GetDisplayedColumns(),
                                                       static_cast<int>(options.GetSortColumn()));
    const int direction = static_cast<int>(options.GetSortDirection());
    if (m_pHeader->GetSortColumn() != column || m_pHeader->GetSortDirection() != direction)
        m_pHeader->SetSortMark(column, direction);
}

void CListoraBaseView::OnActivateView(BOOL activate, CView* activateView, CView* deactiveView) {
    LayoutHeaderIfPending();
    // The other view may have sorted the list meanwhile.
    ShowStoredSortMark();
    CSTFullScreenView::OnActivateView(activate, activateView, deactiveView);
}

void CListoraBaseView::Reset() {
    m_displayed.clear();
    m_summary.Forget();
    m_bRowsStale = true;
}

void CListoraBaseView::OnUpdate(CView*, LPARAM hint, void*) {
    // Whatever changed, the purchases of the last paint may be gone, and the list may
    // have been sorted by the other view's header.
    m_displayed.clear();
    m_summary.Forget();
    m_bRowsStale = true;
    ShowStoredSortMark();
    switch (hint) {
    case CListoraDoc::kHintCategoryRestriction:
        m_nFirstIndex = 0;
        RebuildFonts();
        break;
    case CListoraDoc::kHintLocationRestriction:
        break;
    case 4097:
    case 4098:
        // Not sent by this program; kept apart from ordinary changes.
        return;
    case CListoraDoc::kHintOptions:
        RebuildFonts();
        // Shown columns or the font size may have changed: the header follows.
        if (TheOptions().GetDisplayedColumns() != m_nHeaderColumns) {
            CreateHeader();
        } else if (m_pHeader && m_pHeader->GetWidget()) {
            m_pHeader->SetTileNumber(static_cast<int>(TheOptions().GetTileNumber()));
            m_pHeader->EnsureFont();
            CRect client;
            GetClientRect(&client);
            m_pHeader->MoveWindow(0, 0, client.Width(), m_pHeader->GetDesiredHeight(), TRUE);
        }
        break;
    default:
        break;
    }
    Invalidate();
}

CListoraBaseView::RowFilter CListoraBaseView::MakeRowFilter() const {
    RowFilter filter;
    if (const CListoraDoc* doc = GetDocument()) {
        filter.hidePurchased = !doc->GetShowPurchased();
        filter.location = doc->GetLocationRestriction();
        filter.category = doc->GetCategoryRestriction();
    }
    return filter;
}

bool CListoraBaseView::PassesFilter(const Purchase& purchase) const {
    return MakeRowFilter().Passes(purchase);
}

int CListoraBaseView::DecimalCount(double x) {
    int d = 0;
    while (d < 20) {
        const float f = static_cast<float>(x);
        // A value beyond the range of a whole number has no fraction left.
        if (!std::isfinite(f) || std::fabs(f) >= 9.0e18f || static_cast<float>(static_cast<long long>(f)) == f)
            break;
        ++d;
        x *= 10;
    }
    return d;
}

CString CListoraBaseView::FormatTotalLine(const TCHAR* currencyCode, UINT first, UINT last, UINT count,
                                          double purchasedTotal, double total) {
    CString text;
    const Currency* currency = currencyCode ? FindCurrency(currencyCode) : nullptr;
    if (!currency)
        return text;
    if (currency->symbol != u' ')
        text.Format(u"(%d-%d)/%d. %.2f/%.2f %c", static_cast<int>(first), static_cast<int>(last),
                    static_cast<int>(count), purchasedTotal, total, currency->symbol);
    else
        text.Format(u"(%d-%d,%d). %.2f of %.2f (%s)", static_cast<int>(first), static_cast<int>(last),
                    static_cast<int>(count), purchasedTotal, total, currency->abbreviation);
    return text;
}

QColor CListoraBaseView::ColorOf(COLORREF color) {
    return QColor(static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF));
}

QColor CListoraBaseView::BaseTextColor() {
    return TheOptions().GetTileNumber() == kDarkTile ? QColor(255, 255, 255) : QColor(0, 0, 0);
}

int CListoraBaseView::ColumnAt(int x) const {
    return m_pHeader ? m_pHeader->ColumnAt(x) : -1;
}

UINT CListoraBaseView::RowAt(int y) const {
    const UINT fontSize = std::max<UINT>(1, TheOptions().GetFontSize());
    return static_cast<UINT>(y - GetRowsTop()) / fontSize;
}

CRect CListoraBaseView::CellRect(int column, int row) const {
    const int fontSize = static_cast<int>(TheOptions().GetFontSize());
    const int left = m_pHeader ? m_pHeader->GetLeft(column) : 0;
    const int width = m_pHeader ? m_pHeader->GetWidth(column) : 0;
    const int top = GetHeaderHeight() + fontSize * row + kCellMargin;
    return CRect(left + kCellMargin + (column == 0 ? m_nStripWidth : 0), top, left + width - kCellMargin,
                 top + fontSize);
}

void CListoraBaseView::DrawCellText(QPainter& dc, const CRect& rect, const QString& text, int alignment) const {
    if (rect.IsRectEmpty() || text.isEmpty())
        return;
    dc.setClipRect(rect.ToQRect());
    dc.drawText(rect.ToQRect(), alignment | Qt::AlignVCenter | Qt::TextSingleLine, text);
    dc.setClipping(false);
}

void CListoraBaseView::DrawCoupon(QPainter& dc, int column, int row) const {
    if (!m_pHeader)
        return;
    const int fontSize = static_cast<int>(TheOptions().GetFontSize());
    const int x = (m_pHeader->GetLeft(column) + m_pHeader->GetLeft(column + 1)) / 2 - 7;
    const int y = fontSize * row + GetHeaderHeight() + 4;
    // Small enough to stay inside its row.
    const int size = std::clamp(fontSize - 1, 8, 14);
    m_couponIcon.paint(&dc, QRect(x, y - 2, size, size));
}

void CListoraBaseView::DrawBackground(QPainter& dc, const CRect& client, int y0) {
    const UINT tile = TheOptions().GetTileNumber();
    if (tile == kWhiteTile) {
        dc.fillRect(client.ToQRect(), Qt::white);
        return;
    }
    if (tile != m_nTileNumber) {
        m_tile = Resources::LoadIcon(tile).pixmap(kTileSize, kTileSize);
        m_nTileNumber = tile;
    }
    // The band above the tiles lies under the header and the top bar.
    dc.fillRect(QRect(0, 0, client.Width(), y0), Qt::white);
    if (m_tile.isNull())
        dc.fillRect(QRect(0, y0, client.Width(), client.Height() - y0), Qt::white);
    else
        dc.drawTiledPixmap(QRect(0, y0, client.Width(), std::max(0, client.Height() - y0)), m_tile);
}

void CListoraBaseView::DrawBar(QPainter& dc, int y, int width) const {
    if (width <= 0)
        return;
    if (m_barImage.width() != width) {
        QImage bar(width, 1, QImage::Format_RGB32);
        const int half = width / 2;
        double step[3] = {0, 0, 0};
        for (int c = 0; c < 3; ++c)
            step[c] = half > 0 ? static_cast<double>(kBarMiddle[c] - kBarStart[c]) / half : 0;
        for (int x = 0; x < width; ++x) {
            int rgb[3];
            for (int c = 0; c < 3; ++c) {
                const double v = x <= half ? kBarStart[c] + step[c] * x : kBarMiddle[c] - step[c] * (x - half);
                rgb[c] = std::clamp(static_cast<int>(v), 0, 255);
            }
            bar.setPixel(x, 0, qRgb(rgb[0], rgb[1], rgb[2]));
        }
        m_barImage = bar;
    }
    dc.drawImage(QRect(0, y, width, kBarHeight), m_barImage);
}

void CListoraBaseView::DrawStrip(QPainter& dc, const CRect& client, int y0) {
    const Options& options = TheOptions();
    if (!options.GetDrawZevav()) {
        m_nStripWidth = 0;
        return;
    }
    m_nStripWidth = kStripWidth;
    const UINT tile = options.GetTileNumber();
    if (tile != m_nStripTile || m_strip.isNull()) {
        m_strip = Resources::LoadBitmap(tile == kDarkTile ? IDB_STRIP_DARK : IDB_STRIP);
        m_nStripTile = tile;
    }
    if (!m_strip.isNull() && m_strip.height() > 0)
        dc.drawTiledPixmap(QRect(0, y0, m_strip.width(), std::max(0, client.Height() - y0)), m_strip);
}

void CListoraBaseView::OnDraw(QPainter& dc) {
    QWidget* widget = GetWidget();
    if (!widget)
        return;
    const CRect client(0, 0, widget->width(), widget->height());
    // A window resized while hidden has not been told yet.
    if (m_layoutSize != widget->size())
        LayoutForSize(widget->width(), widget->height());
    const Options& options = TheOptions();
    const int fontSize = std::max(1, static_cast<int>(options.GetFontSize()));
    const int headerHeight = GetHeaderHeight();
    const int y0 = headerHeight + 3;

    DrawBackground(dc, client, y0);
    DrawBar(dc, headerHeight, client.Width());
    DrawStrip(dc, client, y0);

    // The grid: one line under each row that fits above the total lines.
    int limit = client.Height();
    if (options.GetDrawTotal())
        limit -= 2 * (fontSize + 1);
    dc.setPen(QColor(128, 128, 128));
    UINT rows = 0;
    int bottom = y0;
    for (int y = y0 + fontSize; y < limit; y += fontSize) {
        dc.drawLine(m_nStripWidth, y, client.Width() - 2, y);
        ++rows;
        bottom = y;
    }
    m_nRowsPerPage = rows;
    m_nBottomLineY = bottom;
    // The toggle keeps to the right edge, just above the last grid line.
    m_toggleRect = CRect(client.Width() - kIconSize, bottom - 2 * kIconSize, client.Width(), bottom - kIconSize);

    dc.setBackgroundMode(Qt::TransparentMode);
    dc.setPen(BaseTextColor());
    dc.setFont(m_fontNormal);
    // The rows may bring the totals along (one pass over a long list instead of two).
    m_bTotalsFresh = false;
    DrawRows(dc, client, rows);
    m_bRowsStale = false;

    m_totalLine = CString();
    m_restrictionLine = CString();
    // The rows may have left the italic font or a column colour behind.
    dc.setFont(m_fontNormal);
    dc.setPen(BaseTextColor());
    if (options.GetDrawTotal()) {
        DrawTotals(dc, client);
        DrawBar(dc, m_nBottomLineY, client.Width());
    }
    m_toggleIcon.paint(&dc, QRect(m_toggleRect.left, m_toggleRect.top, kIconSize, kIconSize));
    UpdateButtonStates();
    // The catalogue a start put off is read once the list is on screen.
    if (CListoraDoc* doc = GetDocument(); doc && doc->IsCataloguePending())
        QTimer::singleShot(0, widget, [this] {
            if (CListoraDoc* pending = GetDocument())
                pending->EnsureCatalogue();
        });
    // Start-up is timed up to here (bench/startup_timing.py).
    static bool s_firstPaint = true;
    if (std::exchange(s_firstPaint, false))
        OutputDebugStringW(u"first paint\n");
}

void CListoraBaseView::ComputeTotals() {
    m_total = 0;
    m_purchasedTotal = 0;
    if (GetDocument()) {
        const ListSummary& summary = Summary();
        m_total = summary.Total();
        m_purchasedTotal = summary.PurchasedTotal();
    }
    m_bTotalsFresh = true;
}

const ListSummary& CListoraBaseView::Summary() {
    if (const CListoraDoc* doc = GetDocument())
        m_summary.Update(doc->GetPurchases(), MakeRowFilter(), TheOptions().GetTotalTaxRate());
    return m_summary;
}

void CListoraBaseView::DrawRows(QPainter&, const CRect&, UINT) {
    m_displayed.clear();
    m_nRowsDrawn = 0;
    m_nCount = m_nFirstIndex;
}

void CListoraBaseView::DrawTotals(QPainter& dc, const CRect& client) {
    const CListoraDoc* doc = GetDocument();
    if (!doc)
        return;
    const Options& options = TheOptions();
    const int h = static_cast<int>(options.GetFontSize());
    if (!m_bTotalsFresh)
        ComputeTotals();
    const double total = m_total;
    const double purchasedTotal = m_purchasedTotal;
    const UINT first = m_nCount > 0 ? m_nFirstIndex + 1 : 0;
    const UINT last = m_nFirstIndex + m_nRowsDrawn;
    const TCHAR* code = options.GetCurrencyCode();
    const CString line = FormatTotalLine(code, first, last, m_nCount, purchasedTotal, total);
    if (line.IsEmpty()) {
        // Told once per code, after the paint.
        const std::u16string reported = code ? code : u"";
        if (!m_bCurrencyReported || reported != m_reportedCurrency) {
            m_bCurrencyReported = true;
            m_reportedCurrency = reported;
            PostMessage(WM_LISTORA_INVALID_CURRENCY);
        }
        return;
    }
    m_bCurrencyReported = false;

    const TCHAR* category = doc->GetCategoryRestriction();
    const TCHAR* location = doc->GetLocationRestriction();
    const int height = client.Height();
    int totalTop = 0;
    if (!category && !location) {
        totalTop = height - 2 * h + h / 2;
    } else {
        totalTop = height - h - 1;
        m_restrictionLine.Format(LoadString(IDS_RESTRICTION_LINE), category ? category : u"",
                                 location ? location : u"");
        DrawLine(dc, LineBand(client, height - 2 * h - 1, h), ToQString(m_restrictionLine));
    }
    m_totalLine = line;
    DrawLine(dc, LineBand(client, totalTop, h), ToQString(line));
}

QRect CListoraBaseView::LineBand(const CRect& client, int top, int height) const {
    // In full screen the page buttons and the floating icon sit in the bottom corners:
    // the line keeps clear of every one that reaches into its band (on both sides, so
    // that it stays centred).
    const QRect band(0, top, client.Width(), height);
    int inset = 0;
    std::vector<QWidget*> controls;
    for (CWnd* control : {static_cast<CWnd*>(m_pPrevButton.get()), static_cast<CWnd*>(m_pNextButton.get()),
                          static_cast<CWnd*>(GetFullScreenIconWindow())})
        if (control && control->GetWidget() && control->GetWidget()->isVisible())
            controls.push_back(control->GetWidget());
    for (QWidget* control : controls) {
        const QRect place(GetWidget()->mapFromGlobal(control->mapToGlobal(QPoint(0, 0))), control->size());
        if (!place.intersects(band))
            continue;
        inset = std::max(inset, place.center().x() < band.center().x() ? place.right() + 1 : band.right() - place.left() + 1);
    }
    return band.adjusted(inset, 0, -inset, 0);
}

void CListoraBaseView::DrawLine(QPainter& dc, const QRect& band, const QString& text) const {
    // A line too long for the band takes a smaller font first, then is cut at its end
    // (its beginning says what it is), never at both ends.
    if (band.width() <= 0)
        return;
    const QFont saved = dc.font();
    QFont font = saved;
    const int size = font.pixelSize();
    for (int smaller = size; smaller >= std::max(6, size * 3 / 4); --smaller) {
        font.setPixelSize(smaller);
        if (QFontMetrics(font).horizontalAdvance(text) <= band.width())
            break;
    }
    dc.setFont(font);
    const QFontMetrics metrics(font);
    if (metrics.horizontalAdvance(text) <= band.width())
        dc.drawText(band, Qt::AlignCenter | Qt::TextSingleLine, text);
    else
        dc.drawText(band, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                    metrics.elidedText(text, Qt::ElideRight, band.width()));
    dc.setFont(saved);
}

LRESULT CListoraBaseView::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LISTORA_INVALID_CURRENCY) {
        AfxMessageBox(IDS_INVALID_CURRENCY);
        return 0;
    }
    return CSTFullScreenView::WindowProc(message, wParam, lParam);
}

void CListoraBaseView::UpdateButtonStates() {
    if (m_pNextButton)
        m_pNextButton->EnableWindow(m_nCount > m_nFirstIndex + m_nRowsDrawn);
    if (m_pPrevButton)
        m_pPrevButton->EnableWindow(m_nFirstIndex != 0 && m_nCount > 0);
}

void CListoraBaseView::OnNextPage() {
    // Only while there is more to show: the last page is always a full one.
    if (m_nCount <= m_nFirstIndex + m_nRowsDrawn)
        return;
    m_nFirstIndex = std::min(m_nFirstIndex + m_nRowsDrawn, m_nCount - m_nRowsPerPage);
    m_bRowsStale = true;
    Invalidate();
}

void CListoraBaseView::OnPrevPage() {
    if (m_nFirstIndex < m_nRowsPerPage)
        m_nFirstIndex = 0;
    else
        m_nFirstIndex -= m_nRowsDrawn;
    m_bRowsStale = true;
    Invalidate();
}

void CListoraBaseView::OnUpdateNextPage(CCmdUI* ui) {
    ui->Enable(m_nCount > m_nFirstIndex + m_nRowsDrawn);
}

void CListoraBaseView::OnUpdatePrevPage(CCmdUI* ui) {
    ui->Enable(m_nFirstIndex > 0);
}

void CListoraBaseView::OnUpdateFullScreen(CCmdUI* ui) {
    ui->SetCheck(GetFullScreenState() ? 1 : 0);
}

void CListoraBaseView::OnFullScreen() {
    SwitchFullScreenState();
}

BOOL CListoraBaseView::RefreshFullScreen() {
    const BOOL result = CSTFullScreenView::RefreshFullScreen();
    // The page buttons stand in for the command bar's while it is hidden.
    const int show = GetFullScreenState() ? SW_SHOW : SW_HIDE;
    if (m_pPrevButton)
        m_pPrevButton->ShowWindow(show);
    if (m_pNextButton)
        m_pNextButton->ShowWindow(show);
    return result;
}

void CListoraBaseView::ToggleTotalLine() {
    Options& options = TheOptions();
    options.SetDrawTotal(!options.GetDrawTotal());
    options.SaveOptions(TheRegistry());
    if (CListoraDoc* doc = GetDocument())
        doc->UpdateAllViews(nullptr);
    else
        Invalidate();
}

void CListoraBaseView::SortDocument() {
    if (CListoraDoc* doc = GetDocument())
        doc->SortList();
}
