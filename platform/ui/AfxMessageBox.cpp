#include "AfxMessageBox.h"

#include "CWinApp.h"
#include "CWnd.h"
#include "ModalRunner.h"
#include "StringTable.h"

#include <QWidget>

int AfxMessageBox(LPCTSTR text, UINT type, UINT) {
    CWnd* main = AfxGetMainWnd();
    QWidget* owner = main && main->GetWidget() ? main->GetWidget()->window() : nullptr;
    return ModalRunner::Current().MessageBox(owner, CString(text), ModalRunner::DefaultCaption(), type);
}

int AfxMessageBox(UINT promptId, UINT type, UINT helpId) {
    return AfxMessageBox(LoadString(promptId), type, helpId);
}
