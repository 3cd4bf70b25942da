// A picker: one list control that fills the dialog above a row of buttons (OK,
// Cancel, or those a derived dialog names) at the bottom right. The control tables
// are laid out for the 240-pixel screen; a larger window (a desktop) stretches the
// list and keeps the buttons in the corner.
#pragma once
#include "CSTFullScreenDialog.h"
#include "DialogTemplate.h"

#include <vector>

class CListPickerDlg : public CSTFullScreenDialog {
public:
    static constexpr int kMargin = 4;
    static constexpr int kButtonWidth = 60;
    static constexpr int kButtonHeight = 22;

    CListPickerDlg(UINT templateId, int listId, CWnd* parent);

    // Registers a picker's control table: the list (of kind ListCtrl or
    // IconListCtrl) listHeight tall, OK and Cancel below it.
    static void RegisterTemplate(UINT templateId, const TCHAR* caption, DlgItemKind listKind, int listId,
                                 int listHeight);

protected:
    void OnSize(UINT type, int cx, int cy) override;

    int m_nListId;
    // The buttons of the bottom row, from the right; each keeps its table width.
    std::vector<int> m_buttonIds = {IDCANCEL, IDOK};
};
