// What the list view and the choice view share: the column header, the fonts, the
// background, the grid, paging with its buttons, the total line, full screen and
// the response to document updates. A derived view says which rows there are and
// draws them (DrawRows) and turns taps into edits.
#pragma once
#include "CSTFullScreenView.h"
#include "ColumnKind.h"
#include "ListSummary.h"
#include "Purchase.h"
#include "Registry/RepVector.h"
#include "listoradoc.h"

#include <QFont>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <cmath>
#include <memory>
#include <string>

class CListHeaderCtrl;
class CIconButton;
class QPainter;

class CListoraBaseView : public CSTFullScreenView, public IListoraDocView {
public:
    // Window ids, commands and resources.
    static constexpr UINT kHeaderId = 102;
    static constexpr UINT kPrevButtonId = 46;
    static constexpr UINT kNextButtonId = 47;
    static constexpr UINT ID_PREV_PAGE = 32790;
    static constexpr UINT ID_NEXT_PAGE = 32791;
    static constexpr UINT ID_FULL_SCREEN = 32797;
    static constexpr UINT IDI_COUPON = 176;
    static constexpr UINT IDI_FULLSCREEN = 198;
    static constexpr UINT IDI_PREV_PAGE = 200;
    static constexpr UINT IDI_NEXT_PAGE = 201;
    static constexpr UINT IDI_TOTAL_TOGGLE = 236;
    static constexpr UINT IDB_STRIP = 147;
    static constexpr UINT IDB_STRIP_DARK = 174;
    static constexpr UINT kWhiteTile = 161;
    static constexpr UINT kDarkTile = 162;
    // Geometry.
    static constexpr int kCellMargin = 2;
    static constexpr int kStripWidth = 25;
    static constexpr int kButtonSize = 16;
    static constexpr int kTileSize = 32;

    CListoraBaseView();
    ~CListoraBaseView() override;

    CListoraDoc* GetDocument() const;

    // Painting: background, bars, strip, grid, rows, total lines and toggle icon.
    void OnDraw(QPainter& dc) override;
    // Draws the rows of the page; sets rows drawn and count.
    virtual void DrawRows(QPainter& dc, const CRect& client, UINT rowsPerPage);
    // Forgets the purchases of the last paint (the document is about to replace them).
    virtual void Reset();
    void ResetView() override { Reset(); }

    void OnInitialUpdate() override;
    void OnUpdate(CView* sender, LPARAM hint, void* hintObject) override;
    void OnActivateView(BOOL activate, CView* activateView, CView* deactiveView) override;
    BOOL DestroyWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // (Re)builds the header from the settings: one column per shown kind, the last
    // one fitted, the tile and the sort mark. False when it cannot be created.
    BOOL CreateHeader();
    CListHeaderCtrl* GetHeader() const { return m_pHeader.get(); }
    int GetHeaderHeight() const;
    // Puts the header's sort mark where the sort settings say.
    void ShowStoredSortMark();
    // Rebuilds the normal and italic fonts from the settings.
    void RebuildFonts();
    // Has the document sort its purchases by the stored sort settings (header click).
    virtual void SortDocument();

    // Paging.
    void OnNextPage();
    void OnPrevPage();
    void OnFullScreen();
    BOOL RefreshFullScreen() override;

    // State of the last paint.
    UINT GetFirstIndex() const { return m_nFirstIndex; }
    void SetFirstIndex(UINT index) {
        m_nFirstIndex = index;
        m_bRowsStale = true;
    }
    UINT GetRowsPerPage() const { return m_nRowsPerPage; }
    // The row fonts, rebuilt from the settings.
    const QFont& NormalFont() const { return m_fontNormal; }
    const QFont& ItalicFont() const { return m_fontItalic; }
    UINT GetRowsDrawn() const { return m_nRowsDrawn; }
    UINT GetCount() const { return m_nCount; }
    const rep::vector<Purchase*>& GetDisplayedPurchases() const { return m_displayed; }
    CRect GetToggleRect() const { return m_toggleRect; }
    int GetBottomLineY() const { return m_nBottomLineY; }
    int GetStripWidth() const { return m_nStripWidth; }
    // The texts of the total and restriction lines of the last paint (empty when not
    // drawn).
    const CString& GetTotalLineText() const { return m_totalLine; }
    const CString& GetRestrictionLineText() const { return m_restrictionLine; }
    CIconButton* GetPrevButton() const { return m_pPrevButton.get(); }
    CIconButton* GetNextButton() const { return m_pNextButton.get(); }

    // Hit testing: the displayed column at x (-1 with no header) and the row at y
    // (unsigned: a y above the first row gives a huge number).
    int ColumnAt(int x) const;
    UINT RowAt(int y) const;
    // The y of the first row's top edge: header height + 3.
    int GetRowsTop() const { return GetHeaderHeight() + 3; }

    // Decimals needed to print x exactly (20 when it has no short decimal form).
    static int DecimalCount(double x);
    // The total line for the given figures and currency code; empty when the code is
    // not in the currency table.
    static CString FormatTotalLine(const TCHAR* currencyCode, UINT first, UINT last, UINT count,
                                   double purchasedTotal, double total);

    // Whether a purchase is a row under the document's filter.
    bool PassesFilter(const Purchase& purchase) const;
    // The document's filter, taken once for a pass over many purchases.
    using RowFilter = ::RowFilter;
    RowFilter MakeRowFilter() const;

protected:
    int OnCreate() override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnUpdateNextPage(CCmdUI* ui);
    void OnUpdatePrevPage(CCmdUI* ui);
    void OnUpdateFullScreen(CCmdUI* ui);

    // Inverts the total line switch, saves the settings and updates every view.
    void ToggleTotalLine();
    // Lays the header out in the client area when that is still pending.
    void LayoutHeaderIfPending();
    // Places the page buttons at the bottom corners of the client area.
    void PlaceButtons();
    // Lays the header, the buttons and the floating icon out for a client size.
    void LayoutForSize(int cx, int cy);
    // The rectangle of one cell.
    CRect CellRect(int column, int row) const;
    // Draws text into a cell, vertically centred, with flags of Qt::Alignment.
    void DrawCellText(QPainter& dc, const CRect& rect, const QString& text, int alignment) const;
    // Draws the coupon icon in column c of a row.
    void DrawCoupon(QPainter& dc, int column, int row) const;
    // Text colour of the rows for the current tile.
    static QColor BaseTextColor();
    static QColor ColorOf(COLORREF color);

    // The totals over the whole list: what the total line shows. A derived view that
    // takes them from the summary with its rows marks them fresh; otherwise the paint
    // takes them here.
    void ComputeTotals();
    // The summary of the document's list under its filter, made anew only after the
    // list changed (OnUpdate and Reset forget it).
    const ListSummary& Summary();

    // The header's mode (0 list, 1 choice).
    int m_nHeaderMode = 0;
    UINT m_nFirstIndex = 0;
    UINT m_nRowsPerPage = 0;
    UINT m_nRowsDrawn = 0;
    UINT m_nCount = 0;
    rep::vector<Purchase*> m_displayed;
    // The document changed (or the page moved) since the last paint: the rows of
    // the last paint no longer say what is where.
    bool m_bRowsStale = true;
    double m_total = 0;
    double m_purchasedTotal = 0;
    bool m_bTotalsFresh = false;
    ListSummary m_summary;

private:
    void DrawBackground(QPainter& dc, const CRect& client, int y0);
    void DrawBar(QPainter& dc, int y, int width) const;
    void DrawStrip(QPainter& dc, const CRect& client, int y0);
    void DrawTotals(QPainter& dc, const CRect& client);
    // The part of a line's band at top that no visible control covers.
    QRect LineBand(const CRect& client, int top, int height) const;
    // Draws a total or restriction line within band.
    void DrawLine(QPainter& dc, const QRect& band, const QString& text) const;
    void LoadIcons();
    void UpdateButtonStates();

    QFont m_fontNormal;
    QFont m_fontItalic;
    QIcon m_couponIcon;
    QIcon m_fullScreenIcon;
    QIcon m_toggleIcon;
    QPixmap m_tile;
    UINT m_nTileNumber = 0;
    QPixmap m_strip;
    UINT m_nStripTile = 0;
    std::unique_ptr<CListHeaderCtrl> m_pHeader;
    std::unique_ptr<CIconButton> m_pPrevButton;
    std::unique_ptr<CIconButton> m_pNextButton;
    CRect m_toggleRect;
    int m_nStripWidth = 0;
    int m_nBottomLineY = 0;
    bool m_bHeaderLayoutPending = true;
    bool m_bButtonsCreated = false;
    bool m_bLaidOut = false;
    QSize m_layoutSize;
    DWORD m_nHeaderColumns = 0;
    mutable QImage m_barImage;
    bool m_bCurrencyReported = false;
    std::u16string m_reportedCurrency;
    CString m_totalLine;
    CString m_restrictionLine;
};
