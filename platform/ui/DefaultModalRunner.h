// The runner of the real program: Qt's own modal message boxes, file dialogs,
// dialogs and pop-up menus.
#pragma once
#include "ModalRunner.h"

class DefaultModalRunner : public ModalRunner {
public:
    int MessageBox(QWidget* owner, const CString& text, const CString& caption, UINT type) override;
    INT_PTR RunFileDialog(CFileDialog& dialog) override;
    INT_PTR RunDialog(CDialog& dialog) override;
    UINT TrackPopupMenu(CMenu& menu, const QPoint& screenPos, QWidget* owner) override;
};
