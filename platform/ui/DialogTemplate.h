// Dialog resources: the program registers each dialog's control table by its
// resource id. Positions are pixels on the 240-pixel-wide screen.
#pragma once
#include "UiTypes.h"

#include <string>
#include <vector>

#define IDC_STATIC (-1)

// Styles the control builder looks at.
#define WS_DISABLED 0x08000000u
#define ES_PASSWORD 0x0020u
#define ES_READONLY 0x0800u
#define ES_NUMBER 0x2000u
#define CBS_SORT 0x0100u
#define LBS_SORT 0x0002u
#define UDS_WRAP 0x0001u
#define UDS_SETBUDDYINT 0x0002u
#define UDS_ALIGNRIGHT 0x0004u
#define UDS_AUTOBUDDY 0x0010u
#define UDS_ARROWKEYS 0x0020u

enum class DlgItemKind {
    Static,
    Edit,
    MultiLineEdit,
    ComboEdit,   // drop-down combo box with an edit field
    ComboList,   // drop-down list
    CheckBox,
    PushButton,
    DefPushButton,
    ListBox,
    ListCtrl,    // report view: columns, optional check boxes
    IconListCtrl,  // icon view: large icons with their text, wrapped left to right
    UpDown,
    GroupBox,
    ProgressBar,  // a bar from 0 to its range's end
};

struct DlgItemTemplate {
    DlgItemKind kind;
    int id;
    std::u16string text;
    int x;
    int y;
    int cx;
    int cy;
    DWORD style = 0;
};

struct DialogTemplate {
    std::u16string caption;
    int cx = 240;
    int cy = 0;  // 0: tall enough for the lowest control
    std::vector<DlgItemTemplate> items;

    static void Register(UINT id, DialogTemplate dialog);
    // Null when no dialog has that id.
    static const DialogTemplate* Find(UINT id);
};
