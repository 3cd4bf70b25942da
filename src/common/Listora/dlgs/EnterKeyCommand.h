// Enter in a control of a page runs one of the page's commands (its Add button)
// instead of reaching the sheet's default button, which would close the sheet.
#pragma once
#include "CWnd.h"

#include <QEvent>
#include <QKeyEvent>
#include <QObject>

class EnterKeyCommand : public QObject {
public:
    // Watches control (it becomes the filter's parent) for window's command id.
    EnterKeyCommand(QWidget* control, CWnd& window, UINT id) : QObject(control), m_window(window), m_id(id) {
        control->installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        // A disabled button takes no Enter either.
        if (QWidget* button = m_window.GetDlgItem(static_cast<int>(m_id)); button && button->isEnabled())
            m_window.SendMessage(WM_COMMAND, m_id);
        return true;
    }

private:
    CWnd& m_window;
    UINT m_id;
};
