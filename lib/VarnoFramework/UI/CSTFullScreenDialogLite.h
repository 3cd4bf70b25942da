// A dialog that can take the whole screen, as the full-screen views do: the mode word
// says what it hides, the state whether it is full screen now. The state is applied
// once the dialog is initialised (through a posted message, so the window system has
// settled) and switched by the command ID_STFULLSCREEN_SWITCH. A dialog that goes
// away while full screen gives the screen back.
#pragma once
#include "CDialog.h"
#include "CSTFullScreen.h"

class CSTFullScreenDialogLite : public CDialog {
public:
    explicit CSTFullScreenDialogLite(UINT templateId = 0, CWnd* parent = nullptr);
    ~CSTFullScreenDialogLite() override;

    void SwitchFullScreenState();
    void SetFullScreenState(BOOL state) { m_bFullScreenState = state; }
    BOOL GetFullScreenState() const { return m_bFullScreenState; }
    void SetFullScreenMode(DWORD mode) { m_dwFullScreenMode = mode; }
    DWORD GetFullScreenMode() const { return m_dwFullScreenMode; }
    // Whether the switch icon also goes into the dialog's command bar.
    void SetAddIconToToolbar(BOOL add) { m_bAddIconToToolbar = add; }
    BOOL GetAddIconToToolbar() const { return m_bAddIconToToolbar; }

    // Applies the current state to the dialog and its command bar; false while the
    // dialog has no window.
    virtual BOOL RefreshFullScreen();
    // The dialog's own command bar (a CCommandBar created inside it); null when none.
    CCommandBar* GetCommandBar() const;

    BOOL OnInitDialog() override;
    BOOL DestroyWindow() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    void OnFullScreenSwitch();
    LRESULT OnFullScreenRefresh(WPARAM wParam, LPARAM lParam);
    void LeaveFullScreen();

    DWORD m_dwFullScreenMode = STFS_DEFAULTMODE;
    BOOL m_bFullScreenState = FALSE;
    BOOL m_bAddIconToToolbar = FALSE;
};
