#include "ScriptedModalRunner.h"

#include "CDialog.h"
#include "CFileDialog.h"
#include "CMenu.h"
#include "QtText.h"

#include <QAction>
#include <QMenu>
#include <gtest/gtest.h>

namespace {
std::string Utf8(const CString& text) {
    return ToUtf8(text.str());
}

bool AnswerFits(UINT type, int answer) {
    switch (type & MB_TYPEMASK) {
    case MB_OK: return answer == IDOK;
    case MB_OKCANCEL: return answer == IDOK || answer == IDCANCEL;
    case MB_ABORTRETRYIGNORE: return answer == IDABORT || answer == IDRETRY || answer == IDIGNORE;
    case MB_YESNOCANCEL: return answer == IDYES || answer == IDNO || answer == IDCANCEL;
    case MB_YESNO: return answer == IDYES || answer == IDNO;
    case MB_RETRYCANCEL: return answer == IDRETRY || answer == IDCANCEL;
    default: return false;
    }
}

}  // namespace

ScriptedModalRunner& ScriptedModalRunner::ExpectMessageBox(const CString& text, int answer,
                                                           std::function<void()> action) {
    m_expected.push_back({.kind = Kind::MessageBox, .text = text, .answer = answer, .action = std::move(action)});
    return *this;
}

ScriptedModalRunner& ScriptedModalRunner::ExpectMessageBoxStarting(const CString& start, int answer) {
    m_expected.push_back({.kind = Kind::MessageBox, .text = start, .textStarts = true, .answer = answer});
    return *this;
}

ScriptedModalRunner& ScriptedModalRunner::ExpectFileDialog(bool open, const CString& path) {
    m_expected.push_back({.kind = Kind::FileDialog, .text = path, .open = open});
    return *this;
}

ScriptedModalRunner& ScriptedModalRunner::ExpectDialog(UINT templateId, DialogScript script) {
    m_expected.push_back({.kind = Kind::Dialog, .id = templateId, .dialogScript = std::move(script)});
    return *this;
}

ScriptedModalRunner& ScriptedModalRunner::ExpectPopupMenu(UINT choice) {
    return ExpectPopupMenu([choice](CMenu&, const QPoint&) { return choice; });
}

ScriptedModalRunner& ScriptedModalRunner::ExpectPopupMenu(MenuScript script) {
    m_expected.push_back({.kind = Kind::PopupMenu, .menuScript = std::move(script)});
    return *this;
}

std::string ScriptedModalRunner::Describe(const Expectation& e) {
    switch (e.kind) {
    case Kind::MessageBox: return "message box \"" + Utf8(e.text) + "\"";
    case Kind::FileDialog: return std::string(e.open ? "open" : "save") + " file dialog";
    case Kind::Dialog: return "dialog " + std::to_string(e.id);
    case Kind::PopupMenu: return "pop-up menu";
    }
    return "prompt";
}

void ScriptedModalRunner::Verify() {
    for (const Expectation& e : m_expected)
        ADD_FAILURE() << "expected " << Describe(e) << " never came";
    m_expected.clear();
}

ScriptedModalRunner::Expectation* ScriptedModalRunner::Next(Kind kind, const std::string& what) {
    if (m_expected.empty()) {
        ADD_FAILURE() << "unexpected " << what;
        return nullptr;
    }
    if (m_expected.front().kind != kind) {
        ADD_FAILURE() << "unexpected " << what << " (expected " << Describe(m_expected.front()) << ")";
        return nullptr;
    }
    return &m_expected.front();
}

int ScriptedModalRunner::MessageBox(QWidget*, const CString& text, const CString&, UINT type) {
    m_messages.push_back(text);
    const std::string what = "message box \"" + Utf8(text) + "\"";
    Expectation* e = Next(Kind::MessageBox, what);
    if (!e)
        return CancellingAnswer(type);
    if (e->textStarts ? text.Find(e->text.GetString()) != 0 : !(e->text == text)) {
        ADD_FAILURE() << "unexpected " << what << " (expected " << Describe(*e) << ")";
        return CancellingAnswer(type);
    }
    const int answer = e->answer;
    const std::function<void()> action = std::move(e->action);
    m_expected.pop_front();
    if (!AnswerFits(type, answer)) {
        ADD_FAILURE() << "scripted answer " << answer << " is not a button of " << what;
        return CancellingAnswer(type);
    }
    // The box is up: what the action prompts comes next in the script.
    if (action)
        action();
    return answer;
}

INT_PTR ScriptedModalRunner::RunFileDialog(CFileDialog& dialog) {
    m_lastFilters = dialog.GetQtNameFilters();
    m_lastDefaultExtension = dialog.GetDefaultExtension();
    const std::string what = std::string(dialog.IsOpenDialog() ? "open" : "save") + " file dialog";
    Expectation* e = Next(Kind::FileDialog, what);
    if (!e)
        return IDCANCEL;
    if (e->open != (dialog.IsOpenDialog() != FALSE)) {
        ADD_FAILURE() << "unexpected " << what << " (expected " << Describe(*e) << ")";
        return IDCANCEL;
    }
    const CString path = e->text;
    m_expected.pop_front();
    if (path.IsEmpty())
        return IDCANCEL;
    dialog.SetChosenPath(path);
    return IDOK;
}

INT_PTR ScriptedModalRunner::RunDialog(CDialog& dialog) {
    const std::string what = "dialog " + std::to_string(dialog.GetTemplateId());
    Expectation* e = Next(Kind::Dialog, what);
    if (!e) {
        dialog.EndDialog(IDCANCEL);
        return IDCANCEL;
    }
    if (e->id != 0 && e->id != dialog.GetTemplateId()) {
        ADD_FAILURE() << "unexpected " << what << " (expected " << Describe(*e) << ")";
        dialog.EndDialog(IDCANCEL);
        return IDCANCEL;
    }
    // Take the script out first: it may raise prompts of its own.
    DialogScript script = std::move(e->dialogScript);
    m_expected.pop_front();
    if (QWidget* window = dialog.GetWidget())
        window->show();
    if (script)
        script(dialog);
    if (!dialog.IsEnded()) {
        ADD_FAILURE() << "the script of " << what << " pressed neither OK nor Cancel";
        dialog.EndDialog(IDCANCEL);
    }
    return dialog.GetEndCode();
}

UINT ScriptedModalRunner::TrackPopupMenu(CMenu& menu, const QPoint& screenPos, QWidget*) {
    Expectation* e = Next(Kind::PopupMenu, "pop-up menu");
    if (!e)
        return 0;
    MenuScript script = std::move(e->menuScript);
    m_expected.pop_front();
    const UINT choice = script ? script(menu, screenPos) : 0;
    if (choice == 0)
        return 0;
    QAction* action = menu.GetAction(choice, MF_BYCOMMAND);
    if (!action || !action->isEnabled()) {
        ADD_FAILURE() << "the pop-up menu has no enabled entry " << choice;
        return 0;
    }
    return choice;
}
