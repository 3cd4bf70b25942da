// The handheld shell's calls that the program makes: the full-screen call and the
// full-screen dialog initialisation. On a desktop, hiding the task bar shows the
// window full screen and showing it returns the window to normal; the input-panel
// button and the start icon do not exist, so those bits change nothing.
#pragma once
#include "UiTypes.h"

BOOL SHFullScreen(HWND hwnd, DWORD state);

struct SHINITDLGINFO {
    DWORD dwMask;
    HWND hDlg;
    DWORD dwFlags;
};
using PSHINITDLGINFO = SHINITDLGINFO*;

// Dialogs keep the size of their control table here; the call only checks its
// arguments.
BOOL SHInitDialog(PSHINITDLGINFO info);
