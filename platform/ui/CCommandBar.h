// The command bar: a tool bar at the bottom of the frame holding the menu bar and
// the tool buttons. A button's tool tip and status text come from the string table
// entry of its command id ("status\ntip"). A check-style button keeps its pressed
// state, which alternates with each press.
#pragma once
#include "CWnd.h"

#include <memory>
#include <vector>

class QAction;
class QToolBar;
class CFrameWnd;
class CMenu;

class CCommandBar : public CWnd {
public:
    CCommandBar();
    ~CCommandBar() override;

    using CWnd::Create;
    BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE, UINT id = AFX_IDW_TOOLBAR);
    BOOL DestroyWindow() override;
    // Puts the menu bar of a registered menu resource into the bar.
    BOOL InsertMenuBar(UINT menuId);
    // Adds the buttons of a registered tool bar resource.
    BOOL LoadToolBar(UINT toolBarId);
    CMenu* GetMenu() const { return m_menu.get(); }
    QToolBar* GetToolBar() const;

    void SetBarStyle(DWORD style);
    DWORD GetBarStyle() const { return m_barStyle; }

    int GetCount() const { return static_cast<int>(m_buttons.size()); }
    int CommandToIndex(UINT id) const;
    UINT GetItemID(int index) const;
    void SetButtonStyle(int index, UINT style);
    UINT GetButtonStyle(int index) const;
    BOOL IsButtonChecked(UINT id) const;
    BOOL IsButtonEnabled(UINT id) const;
    BOOL CheckButton(UINT id, BOOL check = TRUE);
    BOOL EnableButton(UINT id, BOOL enable = TRUE);
    // The button's action (null for gaps and unknown ids).
    QAction* GetButtonAction(UINT id) const;

    // Runs the update handlers of the buttons along target's route.
    void UpdateButtons(CCmdTarget* target);

    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    friend class CFrameWnd;
    struct Button {
        UINT id;
        QAction* action;
        UINT style;
    };
    CFrameWnd* m_pFrame = nullptr;
    std::unique_ptr<CMenu> m_menu;
    std::vector<Button> m_buttons;
    DWORD m_barStyle = 0;
};
