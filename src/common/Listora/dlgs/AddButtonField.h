// An edit with its Add button on a page of a sheet: the button is enabled exactly while
// the edit holds text, and Enter in the edit presses it instead of reaching the sheet's
// default button, which would close the sheet.
#pragma once
#include "CWnd.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QObject>

class AddButtonField : public QObject {
public:
    // Wires window's edit and button (by id); the field lives as long as the edit.
    static void Attach(CWnd& window, int editId, int buttonId) {
        auto* edit = window.GetDlgItemAs<QLineEdit>(editId);
        QWidget* button = window.GetDlgItem(buttonId);
        if (!edit || !button)
            return;
        button->setEnabled(!edit->text().isEmpty());
        QObject::connect(edit, &QLineEdit::textChanged, button,
                         [button](const QString& text) { button->setEnabled(!text.isEmpty()); });
        edit->installEventFilter(new AddButtonField(edit, window, buttonId));
    }

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        if (QWidget* button = m_window.GetDlgItem(m_buttonId); button && button->isEnabled())
            m_window.SendMessage(WM_COMMAND, static_cast<WPARAM>(m_buttonId));
        return true;
    }

private:
    AddButtonField(QObject* parent, CWnd& window, int buttonId)
        : QObject(parent), m_window(window), m_buttonId(buttonId) {}

    CWnd& m_window;
    int m_buttonId;
};
