// A list box handle over a QListWidget (attached, not owned). A list box built with
// LBS_SORT keeps its entries sorted (ignoring case) as AddString inserts them.
#pragma once
#include "UiTypes.h"

#include <QPointer>

#include <QListWidget>
class QWidget;

class CListBox {
public:
    CListBox() = default;
    explicit CListBox(QWidget* list) { Attach(list); }

    BOOL Attach(QWidget* list);
    void Detach();
    QListWidget* GetWidget() const { return m_list.data(); }

    int AddString(LPCTSTR text);
    int InsertString(int index, LPCTSTR text);
    int DeleteString(UINT index);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int index);
    int GetText(int index, CString& text) const;
    int GetTextLen(int index) const;
    // Prefix (FindString) or whole-text (FindStringExact) search ignoring case,
    // starting after startAfter and wrapping around.
    int FindString(int startAfter, LPCTSTR prefix) const;
    int FindStringExact(int startAfter, LPCTSTR text) const;
    int SelectString(int startAfter, LPCTSTR prefix);
    int SetItemData(int index, DWORD_PTR data);
    DWORD_PTR GetItemData(int index) const;

private:
    int Find(int startAfter, LPCTSTR text, bool exact) const;
    QPointer<QListWidget> m_list;
};
