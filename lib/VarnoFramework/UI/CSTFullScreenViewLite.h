// A view that can take the whole screen. The state is applied when the view is
// created and whenever it is activated (through a posted message, so the window
// system has settled), and switched by the command ID_STFULLSCREEN_SWITCH. When the
// view goes away the screen returns to normal.
#pragma once
#include "CSTFullScreen.h"
#include "CView.h"

class CSTFullScreenViewLite : public CView {
public:
    CSTFullScreenViewLite();
    ~CSTFullScreenViewLite() override;

    void SwitchFullScreenState();
    void SetFullScreenState(BOOL state) { m_bFullScreenState = state; }
    BOOL GetFullScreenState() const { return m_bFullScreenState; }
    void SetFullScreenMode(DWORD mode) { m_dwFullScreenMode = mode; }
    DWORD GetFullScreenMode() const { return m_dwFullScreenMode; }

    // Applies the current state to the parent frame; false when there is none.
    virtual BOOL RefreshFullScreen();

    BOOL DestroyWindow() override;
    void OnActivateView(BOOL activate, CView* activateView, CView* deactiveView) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

protected:
    int OnCreate() override;
    void OnFullScreenSwitch();
    LRESULT OnFullScreenRefresh(WPARAM wParam, LPARAM lParam);
    // Puts the screen back to normal (state off) for a view that is going away.
    void LeaveFullScreen();

    DWORD m_dwFullScreenMode = STFS_DEFAULTMODE;
    BOOL m_bFullScreenState = FALSE;
};
