// The column header of the list and choice views. It keeps the left edge of every
// column for the views' drawing and hit testing, draws its items itself (in the
// colours of the background tile, with the sort mark), sorts on a click and keeps
// the last column taking the remaining width.
#pragma once
#include "CHeaderCtrl.h"

#include <QFont>
#include <QIcon>
#include <vector>

class CListHeaderCtrl : public CHeaderCtrl {
public:
    enum Mode { ListMode = 0, ChoiceMode = 1 };
    static constexpr int kTextMargin = 3;
    // 0x00BBGGRR, as the settings store colours.
    static constexpr COLORREF kDarkColor = 0x993300;
    static constexpr COLORREF kLightColor = 0xFFA594;

    explicit CListHeaderCtrl(int mode = ListMode, int tileNumber = -1);
    ~CListHeaderCtrl() override;

    // Appends a column; the left-edge table grows by the column's width.
    int InsertColumn(int width, LPCTSTR text, int format = HDF_LEFT | HDF_STRING | HDF_OWNERDRAW);

    // Left edge of column i; i == the column count gives the right edge of the last.
    int GetLeft(int column) const;
    int GetWidth(int column) const;
    int GetColumnCount() const { return GetItemCount(); }
    // The displayed column that contains x; an x beyond the last column counts as the
    // last column, one before the first as the first. -1 when there are no columns.
    int ColumnAt(int x) const;

    // The kind (0 quantity .. 5 note) of the column at a displayed index, counting the
    // set bits of the displayed-column mask; -1 when there is no such column.
    static int GetColumnKind(DWORD displayedColumns, int index);
    int GetColumnKind(int index) const;
    // The displayed index of a kind; -1 when the kind is not shown.
    static int GetColumnIndex(DWORD displayedColumns, int kind);

    // Remembers the sorted column (-1: none) and direction and redraws; returns the
    // previous sort column.
    int SetSortMark(int column, int direction);
    int GetSortColumn() const { return m_sortColumn; }
    int GetSortDirection() const { return m_sortDirection; }

    // Makes the columns fill the width (the client width when width < 0) by changing
    // the last column. Beyond the handheld's width the Item column takes half of the
    // room the handheld did not have, so names read whole on a desktop.
    void FitLastColumn(int width = -1);
    static constexpr int kHandheldWidth = 240;
    // Recomputes the left edges from the widths.
    void RecalcLeftEdges();

    void SetTileNumber(int tileNumber);
    int GetTileNumber() const { return m_tileNumber; }
    void SetMode(int mode) { m_mode = mode; }
    int GetMode() const { return m_mode; }

    // The minimum width of a column (-1 until the column has been drawn once).
    int GetMinWidth(int column) const;

    // What a click on a column does (also reached by tapping the header).
    void ClickColumn(int column);
    // Rebuilds the font when the font size setting changed.
    void EnsureFont();

protected:
    void DrawItem(LPDRAWITEMSTRUCT drawItem) override;
    void OnItemClick(int item) override;
    BOOL OnBeginTrack(int item) override;
    BOOL OnTrack(int item, int width) override;
    void OnEndTrack(int item, int width) override;
    void OnSize(UINT type, int cx, int cy) override;

private:
    void EnsureTileIcon();
    void SetColumnWidth(int column, int width);
    // Gives the Item column its share of the width beyond the handheld's.
    void ShareWithItem(int target);

    int m_mode;
    int m_tileNumber;
    int m_iconTileNumber = -1;
    QIcon m_tileIcon;
    int m_fontHeight = 0;
    int m_sortColumn = -1;
    int m_sortDirection = 0;
    int m_defaultDirection = 0;
    std::vector<int> m_lefts;
    std::vector<int> m_minWidths;
    // The width the Item column has been given beyond its own, and which column that is.
    int m_itemShare = 0;
    int m_itemShareColumn = -1;
};
