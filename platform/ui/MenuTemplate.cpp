#include "MenuTemplate.h"

#include <map>

namespace {
std::map<UINT, std::vector<MenuTemplateItem>>& Menus() {
    static std::map<UINT, std::vector<MenuTemplateItem>> menus;
    return menus;
}
}  // namespace

MenuTemplateItem MenuTemplateItem::Item(std::u16string text, UINT id, UINT flags) {
    return MenuTemplateItem{std::move(text), id, flags, {}};
}

MenuTemplateItem MenuTemplateItem::Separator() {
    return MenuTemplateItem{u"", 0, MF_SEPARATOR, {}};
}

MenuTemplateItem MenuTemplateItem::Popup(std::u16string text, std::vector<MenuTemplateItem> items) {
    return MenuTemplateItem{std::move(text), 0, MF_POPUP, std::move(items)};
}

void MenuTemplate::Register(UINT id, std::vector<MenuTemplateItem> items) {
    Menus()[id] = std::move(items);
}

const std::vector<MenuTemplateItem>* MenuTemplate::Find(UINT id) {
    auto it = Menus().find(id);
    return it == Menus().end() ? nullptr : &it->second;
}
