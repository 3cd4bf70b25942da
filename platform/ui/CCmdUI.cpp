#include "CCmdUI.h"

#include "CCmdTarget.h"
#include "QtText.h"

#include <QAction>

CCmdUI::CCmdUI(UINT id, QAction* action, CMenu* menu, UINT index)
    : m_nID(id), m_nIndex(index), m_pMenu(menu), m_action(action) {}

void CCmdUI::Enable(BOOL on) {
    m_bEnableChanged = true;
    if (m_action)
        m_action->setEnabled(on != FALSE);
}

void CCmdUI::SetCheck(int check) {
    if (!m_action)
        return;
    if (check && !m_action->isCheckable())
        m_action->setCheckable(true);
    m_action->setChecked(check != 0);
}

void CCmdUI::SetText(LPCTSTR text) {
    if (m_action)
        m_action->setText(ToQString(text));
}

bool CCmdUI::DoUpdate(CCmdTarget* target, bool disableIfNoHandler) {
    m_bEnableChanged = false;
    m_bUpdateHandled = false;
    if (!target)
        return false;
    target->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this, nullptr);
    if (m_bUpdateHandled) {
        // A handler that only checks leaves the entry enabled when a command
        // handler exists, as it would be without an update handler at all.
        if (!m_bEnableChanged && disableIfNoHandler) {
            AFX_CMDHANDLERINFO info;
            Enable(target->OnCmdMsg(m_nID, CN_COMMAND, nullptr, &info));
        }
        return true;
    }
    if (disableIfNoHandler) {
        AFX_CMDHANDLERINFO info;
        Enable(target->OnCmdMsg(m_nID, CN_COMMAND, nullptr, &info));
    }
    return false;
}
