// The modal seam: every message box, file dialog, modal dialog and tracked pop-up
// menu goes through the one process-wide runner. The default runner shows real Qt
// modals; tests install a scripted runner so that no test ever blocks on a modal.
#pragma once
#include "UiTypes.h"

#include <QPoint>

class QWidget;
class CDialog;
class CFileDialog;
class CMenu;

class ModalRunner {
public:
    virtual ~ModalRunner() = default;

    // Returns IDOK, IDCANCEL, IDYES, IDNO, ... for the buttons of type (MB_*).
    virtual int MessageBox(QWidget* owner, const CString& text, const CString& caption, UINT type) = 0;
    // Shows the file dialog; on OK stores the chosen path with SetChosenPath and
    // returns IDOK, otherwise IDCANCEL.
    virtual INT_PTR RunFileDialog(CFileDialog& dialog) = 0;
    // The dialog's window exists and OnInitDialog has run; runs it until EndDialog
    // and returns the dialog's end code.
    virtual INT_PTR RunDialog(CDialog& dialog) = 0;
    // Shows the menu at a screen point; returns the chosen command id, 0 for none.
    virtual UINT TrackPopupMenu(CMenu& menu, const QPoint& screenPos, QWidget* owner) = 0;

    static ModalRunner& Current();
    // Makes runner the current one (null: the default runner) and returns the
    // previous one (null when that was the default). The runner also becomes the
    // core's MessageBoxW handler, so message boxes of code without a user interface
    // take the same way.
    static ModalRunner* Install(ModalRunner* runner);
    // Routes the core's MessageBoxW to the current runner (done at application start).
    static void AttachToCore();
    // The caption used when a message box has none: the application title.
    static CString DefaultCaption();

    // The program is ending (a termination signal): nobody will answer. The prompts
    // that are open close as if cancelled, and every prompt raised from now on gets
    // its cancelling answer at once. False lets prompts through again (tests).
    static void EndAllPrompts(bool end = true);
    static bool PromptsEnded();
    // The answer of a message box closed without a button: Cancel where it has one,
    // else No, else OK.
    static int CancellingAnswer(UINT type);
};
