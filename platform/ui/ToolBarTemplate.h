// Tool bar resources: the command ids of the buttons, left to right (0 for a gap),
// and the bitmap that holds their images side by side.
#pragma once
#include "UiTypes.h"

#include <vector>

struct ToolBarTemplate {
    UINT bitmapId = 0;
    int buttonWidth = 16;
    int buttonHeight = 15;
    std::vector<UINT> buttons;

    static void Register(UINT id, ToolBarTemplate toolBar);
    // Null when no tool bar has that id.
    static const ToolBarTemplate* Find(UINT id);
};
