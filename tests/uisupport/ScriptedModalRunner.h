// The modal runner of the tests. Each expected prompt is queued with its answer, in
// the order the code under test raises them: message boxes by their exact text,
// file dialogs with the chosen path, dialogs with a script that sets controls and
// presses OK or Cancel, pop-up menus with the entry to choose. A prompt that was not
// expected fails the test at once and gets the cancelling answer; Verify fails the
// test for every expected prompt that never came.
#pragma once
#include "ModalRunner.h"

#include <QStringList>

#include <deque>
#include <functional>
#include <string>
#include <vector>

class ScriptedModalRunner : public ModalRunner {
public:
    using DialogScript = std::function<void(CDialog&)>;
    using MenuScript = std::function<UINT(CMenu&, const QPoint&)>;

    // A message box; action, when given, runs while the box is up (before the answer).
    ScriptedModalRunner& ExpectMessageBox(const CString& text, int answer, std::function<void()> action = {});
    // A message box whose text begins with start (the rest names a file made meanwhile).
    ScriptedModalRunner& ExpectMessageBoxStarting(const CString& start, int answer);
    // An open (true) or save dialog; an empty path cancels it.
    ScriptedModalRunner& ExpectFileDialog(bool open, const CString& path);
    // A dialog of the given resource id (0: any, e.g. a property sheet).
    ScriptedModalRunner& ExpectDialog(UINT templateId, DialogScript script);
    // Chooses the entry with this command id (0: dismisses the menu).
    ScriptedModalRunner& ExpectPopupMenu(UINT choice);
    ScriptedModalRunner& ExpectPopupMenu(MenuScript script);

    // Fails the test for every expectation left, then forgets them.
    void Verify();
    // The texts of the message boxes raised so far.
    const std::vector<CString>& Messages() const { return m_messages; }
    // The path of the last file dialog, its filters and default extension.
    const QStringList& LastFileFilters() const { return m_lastFilters; }
    const CString& LastDefaultExtension() const { return m_lastDefaultExtension; }

    int MessageBox(QWidget* owner, const CString& text, const CString& caption, UINT type) override;
    INT_PTR RunFileDialog(CFileDialog& dialog) override;
    INT_PTR RunDialog(CDialog& dialog) override;
    UINT TrackPopupMenu(CMenu& menu, const QPoint& screenPos, QWidget* owner) override;

private:
    enum class Kind { MessageBox, FileDialog, Dialog, PopupMenu };
    struct Expectation {
        Kind kind = Kind::MessageBox;
        CString text{};  // message text or file path
        bool textStarts = false;  // text is only the message's beginning
        int answer = 0;
        bool open = false;
        UINT id = 0;
        DialogScript dialogScript{};
        MenuScript menuScript{};
        std::function<void()> action{};
    };
    static std::string Describe(const Expectation& e);
    // The next expectation when it is of this kind; null (and a failure) otherwise.
    Expectation* Next(Kind kind, const std::string& what);

    std::deque<Expectation> m_expected;
    std::vector<CString> m_messages;
    QStringList m_lastFilters;
    CString m_lastDefaultExtension;
};

// Installs a modal runner while it lives (null: the default one that shows real
// modals) and puts the previous runner back when it goes.
class ScopedModalRunner {
public:
    explicit ScopedModalRunner(ModalRunner* runner) : m_previous(ModalRunner::Install(runner)) {}
    ~ScopedModalRunner() { ModalRunner::Install(m_previous); }
    ScopedModalRunner(const ScopedModalRunner&) = delete;
    ScopedModalRunner& operator=(const ScopedModalRunner&) = delete;

private:
    ModalRunner* m_previous;
};
