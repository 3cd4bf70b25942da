// Full-screen support: a view or dialog can take the whole screen by hiding the
// command bar, the task bar, the input-panel button and the start icon. The mode
// word says which of them a window hides; the state says whether it is full screen
// now. CSTFullScreen holds the operations that do not depend on the window kind.
#pragma once
#include "CRect.h"
#include "CSize.h"
#include "UiTypes.h"

class CWnd;
class CCommandBar;

// Bits of the full-screen mode word.
#define STFS_HIDECOMMANDBAR 0x0001u
#define STFS_HIDETASKBAR 0x0002u
#define STFS_HIDESIPBUTTON 0x0004u
#define STFS_HIDESTARTICON 0x0008u
// The mode views start with (bit 32 is kept for compatibility and does nothing).
#define STFS_DEFAULTMODE 39u

// The command that switches the state (sent by the floating icon).
#define ID_STFULLSCREEN_SWITCH 24545u
// Posted to a window to re-apply its state once the window system has settled.
#define WM_STFULLSCREEN_REFRESH (WM_USER + 1u)

class CSTFullScreen {
public:
    // Height of the task bar and of the command bar.
    static constexpr int kBarHeight = 26;

    // The size of the screen that shows the main window; 240 x 262 when there is no
    // main window.
    static CSize GetScreenSize();
    // Where a window of the given mode and state lies on the screen.
    static CRect GetFullScreenWindowRect(DWORD mode, BOOL state);
    static CRect GetFullScreenWindowRect(DWORD mode, BOOL state, CSize screen);
    // Applies a state: brings window's top-level window to the front, shows or hides
    // the command bar (may be null) and makes the shell's full-screen calls.
    static BOOL RefreshFullScreen(CWnd* window, CCommandBar* commandBar, DWORD mode, BOOL state);
    // The command bar that hides in full screen: the first one of the window's frame
    // (or of the window itself when it is a frame); null when there is none.
    static CCommandBar* FindCommandBar(CWnd* window);
};
