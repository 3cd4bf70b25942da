// Menu resources: the program registers each menu (a menu bar or a pop-up) by its
// resource id as a description of texts, command ids, separators and submenus.
#pragma once
#include "UiTypes.h"

#include <string>
#include <vector>

struct MenuTemplateItem {
    std::u16string text;
    UINT id = 0;
    UINT flags = MF_STRING;  // MF_SEPARATOR, MF_POPUP, MF_CHECKED, MF_GRAYED
    std::vector<MenuTemplateItem> popup;

    static MenuTemplateItem Item(std::u16string text, UINT id, UINT flags = MF_STRING);
    static MenuTemplateItem Separator();
    static MenuTemplateItem Popup(std::u16string text, std::vector<MenuTemplateItem> items);
};

class MenuTemplate {
public:
    static void Register(UINT id, std::vector<MenuTemplateItem> items);
    // Null when no menu has that id.
    static const std::vector<MenuTemplateItem>* Find(UINT id);
};
