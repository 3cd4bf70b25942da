// A combo box handle over a QComboBox (attached, not owned). A combo box built with
// CBS_SORT keeps its entries sorted as AddString inserts them (ignoring case).
// Searches are the device's: FindString matches a prefix ignoring case and starts
// after the given index, wrapping around.
#pragma once
#include "UiTypes.h"

#include <QPointer>

#include <QComboBox>
class QWidget;

class CComboBox {
public:
    CComboBox() = default;
    explicit CComboBox(QWidget* combo) { Attach(combo); }

    BOOL Attach(QWidget* combo);
    void Detach();
    QComboBox* GetWidget() const { return m_combo.data(); }

    int AddString(LPCTSTR text);
    int InsertString(int index, LPCTSTR text);
    int DeleteString(UINT index);
    void ResetContent();
    int GetCount() const;
    int GetCurSel() const;
    int SetCurSel(int index);
    int GetLBText(int index, CString& text) const;
    int GetLBTextLen(int index) const;
    int FindString(int startAfter, LPCTSTR prefix) const;
    int FindStringExact(int startAfter, LPCTSTR text) const;
    int SelectString(int startAfter, LPCTSTR prefix);
    int SetItemData(int index, DWORD_PTR data);
    DWORD_PTR GetItemData(int index) const;
    void GetWindowText(CString& text) const;
    void SetWindowText(LPCTSTR text);
    BOOL EnableWindow(BOOL enable = TRUE);

private:
    int Find(int startAfter, LPCTSTR text, bool exact) const;
    QPointer<QComboBox> m_combo;
};
