#include "DialogTemplate.h"

#include <map>

namespace {
std::map<UINT, DialogTemplate>& Dialogs() {
    static std::map<UINT, DialogTemplate> dialogs;
    return dialogs;
}
}  // namespace

void DialogTemplate::Register(UINT id, DialogTemplate dialog) {
    Dialogs()[id] = std::move(dialog);
}

const DialogTemplate* DialogTemplate::Find(UINT id) {
    auto it = Dialogs().find(id);
    return it == Dialogs().end() ? nullptr : &it->second;
}
