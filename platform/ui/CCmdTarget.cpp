#include "CCmdTarget.h"

#include "CCmdUI.h"
#include "CWaitCursor.h"

CCmdTarget::~CCmdTarget() = default;

void CCmdTarget::MapCommand(UINT id, std::function<void()> handler) {
    m_commands.push_back({id, id, [h = std::move(handler)](UINT) { h(); }});
}

void CCmdTarget::MapCommandRange(UINT first, UINT last, std::function<void(UINT)> handler) {
    m_commands.push_back({first, last, std::move(handler)});
}

void CCmdTarget::MapUpdateCommand(UINT id, std::function<void(CCmdUI*)> handler) {
    m_updates.push_back({id, id, std::move(handler)});
}

void CCmdTarget::MapUpdateCommandRange(UINT first, UINT last, std::function<void(CCmdUI*)> handler) {
    m_updates.push_back({first, last, std::move(handler)});
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    // Single ids win over ranges, and a later registration (a derived class's)
    // over an earlier one (its base's).
    auto find = [nID](auto& entries) -> decltype(&entries.front()) {
        for (auto it = entries.rbegin(); it != entries.rend(); ++it)
            if (it->first == it->last && it->first == nID)
                return &*it;
        for (auto it = entries.rbegin(); it != entries.rend(); ++it)
            if (nID >= it->first && nID <= it->last)
                return &*it;
        return nullptr;
    };
    if (nCode == CN_COMMAND) {
        auto* entry = find(m_commands);
        if (!entry)
            return FALSE;
        if (pHandlerInfo) {
            pHandlerInfo->pTarget = this;
            return TRUE;
        }
        // Copy first: the handler may destroy this object.
        auto run = entry->run;
        run(nID);
        return TRUE;
    }
    if (nCode == CN_UPDATE_COMMAND_UI) {
        auto* entry = find(m_updates);
        if (!entry)
            return FALSE;
        if (pHandlerInfo) {
            pHandlerInfo->pTarget = this;
            return TRUE;
        }
        auto* ui = static_cast<CCmdUI*>(pExtra);
        if (ui)
            ui->m_bUpdateHandled = true;
        auto update = entry->update;
        update(ui);
        return TRUE;
    }
    return FALSE;
}

void CCmdTarget::BeginWaitCursor() {
    CWaitCursor::Begin();
}

void CCmdTarget::EndWaitCursor() {
    CWaitCursor::End();
}

void CCmdTarget::RestoreWaitCursor() {
    CWaitCursor::Restore();
}
