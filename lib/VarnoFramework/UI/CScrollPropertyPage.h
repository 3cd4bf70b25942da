// CScrollPropertyPage: a property page that scrolls its controls when the sheet gets
// smaller than they need, exactly as CScrollDialog does.
#pragma once
#include "CPropertyPage.h"
#include "CScrollWindow.h"

class CScrollPropertyPage : public CScrollWindow<CPropertyPage> {
public:
    explicit CScrollPropertyPage(UINT templateId, UINT captionId = 0) : CScrollWindow(templateId, captionId) {}
};
