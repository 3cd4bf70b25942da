#include "CWaitCursor.h"

#include <QCursor>
#include <QGuiApplication>

namespace {
int g_depth = 0;
}

void CWaitCursor::Begin() {
    ++g_depth;
    if (qGuiApp)
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

void CWaitCursor::End() {
    if (g_depth <= 0)
        return;
    --g_depth;
    if (qGuiApp)
        QGuiApplication::restoreOverrideCursor();
}

void CWaitCursor::Restore() {
    if (g_depth > 0 && qGuiApp)
        QGuiApplication::changeOverrideCursor(QCursor(Qt::WaitCursor));
}

int CWaitCursor::Depth() {
    return g_depth;
}
