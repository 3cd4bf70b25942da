// A list control in report view over a QTreeWidget (attached, not owned): columns
// with a header, rows of texts, optional check boxes (LVS_EX_CHECKBOXES) and
// full-row selection.
#pragma once
#include "UiTypes.h"

#include <QPointer>

#include <QTreeWidget>
class QTreeWidgetItem;
class QWidget;

class CListCtrl {
public:
    CListCtrl() = default;
    explicit CListCtrl(QWidget* list) { Attach(list); }

    BOOL Attach(QWidget* list);
    void Detach();
    QTreeWidget* GetWidget() const { return m_list.data(); }

    DWORD SetExtendedStyle(DWORD style);
    DWORD GetExtendedStyle() const { return m_style; }
    int InsertColumn(int column, LPCTSTR heading, int format = LVCFMT_LEFT, int width = -1);
    BOOL DeleteColumn(int column);
    int GetColumnCount() const;
    int GetColumnWidth(int column) const;

    int InsertItem(int index, LPCTSTR text);
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

private:
    QTreeWidgetItem* Row(int index) const;
    QPointer<QTreeWidget> m_list;
    DWORD m_style = 0;
};
