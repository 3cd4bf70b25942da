#include "ToolBarTemplate.h"

#include <map>

namespace {
std::map<UINT, ToolBarTemplate>& ToolBars() {
    static std::map<UINT, ToolBarTemplate> toolBars;
    return toolBars;
}
}  // namespace

void ToolBarTemplate::Register(UINT id, ToolBarTemplate toolBar) {
    ToolBars()[id] = std::move(toolBar);
}

const ToolBarTemplate* ToolBarTemplate::Find(UINT id) {
    auto it = ToolBars().find(id);
    return it == ToolBars().end() ? nullptr : &it->second;
}
