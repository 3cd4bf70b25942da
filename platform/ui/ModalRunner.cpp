#include "ModalRunner.h"

#include "CWinApp.h"
#include "CWnd.h"
#include "DefaultModalRunner.h"

#include <QApplication>
#include <QDialog>
#include <QMenu>

namespace {
ModalRunner* g_current = nullptr;
bool g_promptsEnded = false;

// Answers every prompt as if the user cancelled it.
class CancellingRunner : public ModalRunner {
public:
    int MessageBox(QWidget*, const CString&, const CString&, UINT type) override { return CancellingAnswer(type); }
    INT_PTR RunFileDialog(CFileDialog&) override { return IDCANCEL; }
    INT_PTR RunDialog(CDialog&) override { return IDCANCEL; }
    UINT TrackPopupMenu(CMenu&, const QPoint&, QWidget*) override { return 0; }
};

DefaultModalRunner& TheDefault() {
    static DefaultModalRunner runner;
    return runner;
}

int CoreMessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
    CWnd* wnd = CWnd::FromHandle(owner);
    return ModalRunner::Current().MessageBox(wnd ? wnd->GetWidget() : nullptr, CString(text),
                                             caption ? CString(caption) : ModalRunner::DefaultCaption(), type);
}
}  // namespace

ModalRunner& ModalRunner::Current() {
    if (g_promptsEnded) {
        static CancellingRunner cancelling;
        return cancelling;
    }
    return g_current ? *g_current : TheDefault();
}

void ModalRunner::EndAllPrompts(bool end) {
    g_promptsEnded = end;
    if (!end || !qApp)
        return;
    // Each open prompt runs its own event loop; closing it lets that loop return.
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (!widget->isVisible())
            continue;
        if (auto* dialog = qobject_cast<QDialog*>(widget); dialog && dialog->isModal())
            dialog->reject();
        else if (auto* menu = qobject_cast<QMenu*>(widget))
            menu->close();
    }
}

bool ModalRunner::PromptsEnded() {
    return g_promptsEnded;
}

int ModalRunner::CancellingAnswer(UINT type) {
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
    case MB_YESNOCANCEL:
    case MB_RETRYCANCEL: return IDCANCEL;
    case MB_ABORTRETRYIGNORE: return IDABORT;
    case MB_YESNO: return IDNO;
    default: return IDOK;
    }
}

ModalRunner* ModalRunner::Install(ModalRunner* runner) {
    ModalRunner* previous = g_current;
    g_current = runner;
    AttachToCore();
    return previous;
}

void ModalRunner::AttachToCore() {
    SetMessageBoxHandler(&CoreMessageBox);
}

CString ModalRunner::DefaultCaption() {
    if (CWinApp* app = AfxGetApp())
        return app->m_pszAppName;
    return CString(u"");
}
