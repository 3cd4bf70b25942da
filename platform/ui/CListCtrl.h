// A list control over a QTreeWidget (attached, not owned). In report view the tree
// shows columns with a header, rows of texts, optional check boxes
// (LVS_EX_CHECKBOXES) and full-row selection. In icon view (a dialog control of kind
// IconListCtrl) a QListView shows the same rows as large icons with their text
// below, and the tree only holds the rows. Rows may carry an image of the image list
// set for their view.
#pragma once
#include "UiTypes.h"

#include <QPointer>

#include <QTreeWidget>
class CImageList;
class QAbstractItemView;
class QTreeWidgetItem;
class QWidget;

// Image lists of a list control.
#define LVSIL_NORMAL 0
#define LVSIL_SMALL 1
// What InsertItem(mask, ...) sets.
#define LVIF_TEXT 0x0001u
#define LVIF_IMAGE 0x0002u
#define LVIF_PARAM 0x0004u
#define LVIF_STATE 0x0008u
#define LVIS_FOCUSED 0x0001u
#define LVIS_SELECTED 0x0002u

class CListCtrl {
public:
    CListCtrl() = default;
    explicit CListCtrl(QWidget* list) { Attach(list); }

    BOOL Attach(QWidget* list);
    void Detach();
    // The tree that holds the rows (shown in report view only).
    QTreeWidget* GetWidget() const { return m_list.data(); }
    // The view the user sees and taps: the tree, or the icon view.
    QAbstractItemView* GetView() const;
    bool IsIconView() const;

    // The images of the rows: LVSIL_NORMAL for the icon view, LVSIL_SMALL for report
    // view (not owned; it must outlive the rows). Returns the previous list.
    CImageList* SetImageList(CImageList* images, int type);

    DWORD SetExtendedStyle(DWORD style);
    DWORD GetExtendedStyle() const { return m_style; }
    int InsertColumn(int column, LPCTSTR heading, int format = LVCFMT_LEFT, int width = -1);
    BOOL DeleteColumn(int column);
    int GetColumnCount() const;
    int GetColumnWidth(int column) const;

    int InsertItem(int index, LPCTSTR text);
    int InsertItem(int index, LPCTSTR text, int image);
    // The fields of mask: text, image, data (lParam) and state (LVIS_SELECTED of
    // stateMask taken from state). The row's index, or -1.
    int InsertItem(UINT mask, int index, LPCTSTR text, UINT state, UINT stateMask, int image, LPARAM lParam);
    BOOL SetItemText(int index, int subItem, LPCTSTR text);
    CString GetItemText(int index, int subItem) const;
    BOOL DeleteItem(int index);
    BOOL DeleteAllItems();
    int GetItemCount() const;
    BOOL SetCheck(int index, BOOL check = TRUE);
    BOOL GetCheck(int index) const;
    BOOL SetItemData(int index, DWORD_PTR data);
    DWORD_PTR GetItemData(int index) const;
    // LVNI_SELECTED: the next selected row after start (-1: from the top); -1 when none.
    int GetNextItem(int start, int flags) const;
    int GetSelectedCount() const;
    BOOL SetItemSelected(int index, BOOL selected);
    // The row the user last tapped (the current row); -1 when none.
    int GetSelectionMark() const;
    int SetSelectionMark(int index);

private:
    QTreeWidgetItem* Row(int index) const;
    void ShowImage(QTreeWidgetItem* item) const;
    QPointer<QTreeWidget> m_list;
    CImageList* m_normalImages = nullptr;
    CImageList* m_smallImages = nullptr;
    DWORD m_style = 0;
};
