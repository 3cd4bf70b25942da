#include "ModalRunner.h"

#include "CWinApp.h"
#include "CWnd.h"
#include "DefaultModalRunner.h"

namespace {
ModalRunner* g_current = nullptr;

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
    return g_current ? *g_current : TheDefault();
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
