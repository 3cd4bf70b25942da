// The state of one menu entry or tool button offered to update handlers. Both are
// Qt actions, so one class serves both.
#pragma once
#include "UiTypes.h"

class QAction;
class CMenu;
class CCmdTarget;

class CCmdUI {
public:
    CCmdUI(UINT id, QAction* action, CMenu* menu = nullptr, UINT index = 0);

    virtual void Enable(BOOL on = TRUE);
    // 0 unchecked, 1 checked (2, indeterminate, shows as checked).
    virtual void SetCheck(int check = 1);
    virtual void SetRadio(BOOL on = TRUE) { SetCheck(on ? 1 : 0); }
    virtual void SetText(LPCTSTR text);

    // Runs the update handler found along target's route. Without one, an entry
    // whose command nobody handles is disabled when disableIfNoHandler is set.
    // Returns whether an update handler ran.
    bool DoUpdate(CCmdTarget* target, bool disableIfNoHandler);

    UINT m_nID;
    UINT m_nIndex;
    CMenu* m_pMenu;
    bool m_bEnableChanged = false;
    bool m_bUpdateHandled = false;

private:
    QAction* m_action;
};
