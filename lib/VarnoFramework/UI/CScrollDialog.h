// CScrollDialog: a dialog that scrolls its controls when its window gets smaller than
// they need (see CScrollWindow). The base of the program's larger dialogs.
#pragma once
#include "CDialog.h"
#include "CScrollWindow.h"

class CScrollDialog : public CScrollWindow<CDialog> {
public:
    explicit CScrollDialog(UINT templateId, CWnd* parent = nullptr) : CScrollWindow(templateId, parent) {}
};
