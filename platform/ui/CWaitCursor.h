// The wait cursor: an application-wide override cursor, counted so that nested and
// unbalanced ends never pop a cursor that someone else set.
#pragma once

class CWaitCursor {
public:
    CWaitCursor() { Begin(); }
    ~CWaitCursor() { End(); }
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;

    static void Begin();
    static void End();
    // Shows the wait cursor again after a modal prompt replaced it.
    static void Restore();
    // Number of open Begin calls.
    static int Depth();
};
