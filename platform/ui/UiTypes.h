// Window-system types, messages and constants of the user-interface layer. The layer
// keeps the device's names and values so that program code reads like device code.
#pragma once
#include "windows.h"

#include <cstdint>

using WPARAM = std::uintptr_t;
using LPARAM = std::intptr_t;
using LRESULT = std::intptr_t;
using INT_PTR = std::intptr_t;
using UINT_PTR = std::uintptr_t;
using LONG_PTR = std::intptr_t;
using DWORD_PTR = std::uintptr_t;

struct POSITION__;
using POSITION = POSITION__*;

struct RECT {
    LONG left;
    LONG top;
    LONG right;
    LONG bottom;
};
using LPRECT = RECT*;
using LPCRECT = const RECT*;

struct POINT {
    LONG x;
    LONG y;
};
using LPPOINT = POINT*;

struct SIZE {
    LONG cx;
    LONG cy;
};

// ShowWindow
#define SW_HIDE 0
#define SW_SHOWNORMAL 1
#define SW_SHOWMINIMIZED 2
#define SW_SHOWMAXIMIZED 3
#define SW_SHOWNOACTIVATE 4
#define SW_SHOW 5
#define SW_MINIMIZE 6
#define SW_SHOWNA 8
#define SW_RESTORE 9

// Messages understood by CWnd::SendMessage / PostMessage.
#define WM_CLOSE 0x0010u
#define WM_COMMAND 0x0111u
#define WM_USER 0x0400u

// OnSize types
#define SIZE_RESTORED 0
#define SIZE_MINIMIZED 1
#define SIZE_MAXIMIZED 2

// Window styles the layer looks at (others are accepted and ignored).
#define WS_CHILD 0x40000000u
#define WS_VISIBLE 0x10000000u
#define WS_BORDER 0x00800000u

// Menus
#define MF_BYCOMMAND 0x0000u
#define MF_BYPOSITION 0x0400u
#define MF_STRING 0x0000u
#define MF_SEPARATOR 0x0800u
#define MF_ENABLED 0x0000u
#define MF_GRAYED 0x0001u
#define MF_DISABLED 0x0002u
#define MF_UNCHECKED 0x0000u
#define MF_CHECKED 0x0008u
#define MF_POPUP 0x0010u

#define TPM_LEFTALIGN 0x0000u
#define TPM_CENTERALIGN 0x0004u
#define TPM_RIGHTALIGN 0x0008u
#define TPM_TOPALIGN 0x0000u
#define TPM_VCENTERALIGN 0x0010u
#define TPM_BOTTOMALIGN 0x0020u
#define TPM_RETURNCMD 0x0100u

// Tool buttons
#define TBBS_BUTTON 0x0000u
#define TBBS_CHECKBOX 0x0002u
#define CBRS_TOOLTIPS 0x0010u
#define CBRS_FLYBY 0x0020u
#define CBRS_SIZE_FIXED 0x0200u

// File dialogs
#define OFN_READONLY 0x00000001u
#define OFN_OVERWRITEPROMPT 0x00000002u
#define OFN_HIDEREADONLY 0x00000004u
#define OFN_PATHMUSTEXIST 0x00000800u
#define OFN_FILEMUSTEXIST 0x00001000u

// Check boxes
#define BST_UNCHECKED 0
#define BST_CHECKED 1
#define BST_INDETERMINATE 2

// Combo and list boxes
#define CB_ERR (-1)
#define CB_ERRSPACE (-2)
#define LB_ERR (-1)
#define LB_ERRSPACE (-2)

// List control
#define LVS_EX_CHECKBOXES 0x00000004u
#define LVS_EX_FULLROWSELECT 0x00000020u
#define LVCFMT_LEFT 0x0000
#define LVCFMT_RIGHT 0x0001
#define LVCFMT_CENTER 0x0002
#define LVNI_ALL 0x0000
#define LVNI_SELECTED 0x0002

// The shell's full-screen call
#define SHFS_SHOWTASKBAR 0x0001u
#define SHFS_HIDETASKBAR 0x0002u
#define SHFS_SHOWSIPBUTTON 0x0004u
#define SHFS_HIDESIPBUTTON 0x0008u
#define SHFS_SHOWSTARTICON 0x0010u
#define SHFS_HIDESTARTICON 0x0020u

// Shell dialog initialisation
#define SHIDIM_FLAGS 0x0001u
#define SHIDIF_DONEBUTTON 0x0001u
#define SHIDIF_SIZEDLG 0x0002u
#define SHIDIF_SIZEDLGFULLSCREEN 0x0004u
#define SHIDIF_SIPDOWN 0x0008u
#define SHIDIF_FULLSCREENNOMENUBAR 0x0010u

// Standard command and window ids
#define ID_FILE_NEW 0xE100u
#define ID_FILE_OPEN 0xE101u
#define ID_FILE_SAVE 0xE103u
#define ID_FILE_SAVE_AS 0xE104u
#define ID_APP_ABOUT 0xE140u
#define ID_APP_EXIT 0xE141u
#define ID_HELP 0xE146u
#define AFX_IDW_TOOLBAR 0xE800u
#define AFX_IDW_PANE_FIRST 0xE900u
#define AFX_IDS_APP_TITLE 0xE000u

// Command routing codes of CCmdTarget::OnCmdMsg
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI (-1)
