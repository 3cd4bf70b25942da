// A tiny button that shows an icon and sends a command to its parent when the pen
// is lifted on it: the previous-page and next-page buttons of the list views.
#pragma once
#include "CWnd.h"

#include <QIcon>

class CIconButton : public CWnd {
public:
    CIconButton(UINT iconId, UINT commandId);
    ~CIconButton() override;

    UINT GetCommandId() const { return m_commandId; }
    bool HasIcon() const { return !m_icon.isNull(); }

protected:
    void OnPaint() override;
    void OnLButtonUp(UINT flags, CPoint point) override;

private:
    QIcon m_icon;
    UINT m_commandId;
};
