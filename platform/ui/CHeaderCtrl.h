// A header control: a row of column titles above a table. Items have a width, a
// text and a format; the control paints them (or lets a derived class draw them),
// reports clicks on an item and lets the user drag the divider at an item's right
// edge to change its width. Derived classes refuse or follow those actions by
// overriding the On... notifications.
#pragma once
#include "CRect.h"
#include "CWnd.h"

#include <QFont>
#include <vector>

class QPainter;

// HDITEM mask bits
#define HDI_WIDTH 0x0001u
#define HDI_HEIGHT HDI_WIDTH
#define HDI_TEXT 0x0002u
#define HDI_FORMAT 0x0004u
#define HDI_LPARAM 0x0008u

// Item formats
#define HDF_LEFT 0x0000
#define HDF_RIGHT 0x0001
#define HDF_CENTER 0x0002
#define HDF_JUSTIFYMASK 0x0003
#define HDF_STRING 0x4000
#define HDF_OWNERDRAW 0x8000

// Header styles (accepted; the control always behaves as a button header)
#define HDS_HORZ 0x0000u
#define HDS_BUTTONS 0x0002u

// Owner-draw states
#define ODS_SELECTED 0x0001u
#define ODT_HEADER 100u
#define ODA_DRAWENTIRE 0x0001u

struct HDITEMW {
    UINT mask = 0;
    int cxy = 0;
    LPWSTR pszText = nullptr;
    int cchTextMax = 0;
    int fmt = 0;
    LPARAM lParam = 0;
};
using HDITEM = HDITEMW;

struct WINDOWPOS {
    HWND hwnd = nullptr;
    HWND hwndInsertAfter = nullptr;
    int x = 0;
    int y = 0;
    int cx = 0;
    int cy = 0;
    UINT flags = 0;
};

struct HDLAYOUT {
    RECT* prc = nullptr;
    WINDOWPOS* pwpos = nullptr;
};

// What an owner-drawn item is drawn with: the painter stands for the device context.
struct DRAWITEMSTRUCT {
    UINT CtlType = ODT_HEADER;
    UINT CtlID = 0;
    UINT itemID = 0;
    UINT itemAction = ODA_DRAWENTIRE;
    UINT itemState = 0;
    HWND hwndItem = nullptr;
    QPainter* hDC = nullptr;
    RECT rcItem{0, 0, 0, 0};
    DWORD_PTR itemData = 0;
};
using LPDRAWITEMSTRUCT = DRAWITEMSTRUCT*;

class CHeaderCtrl : public CWnd {
public:
    // How near (in pixels) to an item's right edge a press grabs the divider.
    static constexpr int kDividerSlop = 3;

    CHeaderCtrl();
    ~CHeaderCtrl() override;

    using CWnd::Create;
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    int GetItemCount() const { return static_cast<int>(m_items.size()); }
    // Inserts before position (past the end appends); returns the new index or -1.
    int InsertItem(int position, const HDITEM* item);
    BOOL DeleteItem(int position);
    // Reads the fields named by item->mask; the text is copied into pszText (at most
    // cchTextMax - 1 characters and a terminator).
    BOOL GetItem(int position, HDITEM* item) const;
    BOOL SetItem(int position, const HDITEM* item);
    BOOL GetItemRect(int position, LPRECT rect) const;
    // The control's place within prc: its top, the full width, the height of one
    // line of its font; prc's top moves below it.
    BOOL Layout(HDLAYOUT* layout) const;

    void SetFont(const QFont& font);
    const QFont& GetFont() const { return m_font; }
    // The height the control wants for its font.
    int GetDesiredHeight() const;

    // The item a point lies in (-1: none) and the divider a point grabs (-1: none).
    int HitTestItem(CPoint point) const;
    int HitTestDivider(CPoint point) const;
    // True while a divider is being dragged.
    bool IsTracking() const { return m_trackItem >= 0; }

    // Redraws one item.
    void InvalidateItem(int position);

protected:
    // Draws an owner-drawn item; the base draws any item as a plain button.
    virtual void DrawItem(LPDRAWITEMSTRUCT drawItem);
    // Notifications. The On...Track handlers return TRUE to refuse.
    virtual void OnItemClick(int item);
    virtual BOOL OnBeginTrack(int item);
    virtual BOOL OnTrack(int item, int width);
    virtual void OnEndTrack(int item, int width);

    void OnPaint() override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnMouseMove(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;

    void DrawPlainItem(QPainter& painter, int position, const CRect& rect, bool pressed) const;

private:
    struct Item {
        int width = 0;
        std::u16string text;
        int format = HDF_LEFT | HDF_STRING;
        LPARAM lParam = 0;
    };
    std::vector<Item> m_items;
    QFont m_font;
    int m_pressedItem = -1;
    int m_trackItem = -1;
    int m_trackStartX = 0;
    int m_trackStartWidth = 0;
    int m_trackWidth = 0;
};
