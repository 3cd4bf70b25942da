// The windows of other running copies of the program on the same device root,
// reached over a local socket, and the device calls that search and raise windows
// across copies. The first copy answers on a socket in the device root; a second
// copy lists its top-level windows (id and title) and may ask it to raise or show
// one, or to open a file. Handles of another copy's windows are valid until the next
// EnumWindows.
#pragma once
#include "UiTypes.h"

#include <QString>
#include <functional>
#include <vector>

class InstanceWindows {
public:
    struct RemoteWindow {
        quint64 id;
        QString title;
    };

    // Starts answering other copies; false when another live copy answers already
    // (or the socket cannot be made). Only the copy that holds the program's
    // single-instance lock calls it, so copies started together never take the
    // socket from each other.
    static bool StartServer();
    static void StopServer();
    static bool OwnsServer();
    // The socket of the current device root.
    static QString ServerName();

    // The top-level windows of the copy that answers, waiting at most timeoutMs
    // for each step; empty when none answers. Usable from any thread.
    static std::vector<RemoteWindow> ListRemote(int timeoutMs = 1000);
    // Asks the answering copy to raise (nCmdShow < 0) or show a window.
    static bool RaiseRemote(quint64 id, int nCmdShow, int timeoutMs = 1000);

    // What this copy does when another asks it to open a file; its answer (true: it
    // takes the file) goes back. Without a handler the request is refused.
    static void SetOpenHandler(std::function<bool(const QString& path)> handler);
    // Asks the answering copy to open a file; true when it took it.
    static bool OpenRemote(const QString& path, int timeoutMs = 1000);
};

using WNDENUMPROC = BOOL (*)(HWND, LPARAM);

// Calls proc for every top-level window of this process, then for those of the copy
// that answers on the device root's socket (unless that is this process). Returns
// FALSE when proc stopped the enumeration by returning FALSE.
BOOL EnumWindows(WNDENUMPROC proc, LPARAM lParam);
// Copies at most maxCount - 1 characters of the window's title and a terminator;
// returns the number copied, 0 for an unknown window.
int GetWindowTextW(HWND hwnd, LPWSTR text, int maxCount);
BOOL BringWindowToTop(HWND hwnd);
BOOL ShowWindow(HWND hwnd, int nCmdShow);
