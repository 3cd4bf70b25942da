// CProgressDlg: a small window with a title, a line of text, a progress bar and, when
// the work may be cancelled, a Cancel button. Long work reports to it with Step,
// SetText and IsCancelPressed.
//
// Widgets belong to the user-interface thread, so the dialog always lives there.
// StartProgress with work runs the work on a worker thread while the user-interface
// thread shows the dialog; without work the caller goes on with the work in steps on
// the user-interface thread and Step keeps the dialog painted. The position, the texts
// and the cancel flag are shared through atomics and a lock, and the dialog takes them
// up on a timer: a worker never touches a widget. Work that ends within the show delay
// never shows the dialog, so short work does not flash a window.
//
// Construct the dialog on the user-interface thread; one dialog serves one piece of
// work.
#pragma once
#include "CDialog.h"

#include <QElapsedTimer>
#include <atomic>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

class QEventLoop;

class CProgressDlg : public CDialog {
public:
    static constexpr UINT IDD = 3006;
    static constexpr int IDC_PROGRESS = 3001;
    static constexpr int IDC_TEXT = 3002;
    // Work that takes less than this (milliseconds) never shows the dialog.
    static constexpr int kShowDelayMs = 500;
    // How often the shown dialog takes up the position and the texts.
    static constexpr int kRefreshMs = 30;

    explicit CProgressDlg(CWnd* parent = nullptr);
    ~CProgressDlg() override;

    // These four may be called from any thread.
    void SetTitle(const CString& title);
    void SetTitle(LPCTSTR title);
    void SetText(const CString& text);
    void SetText(LPCTSTR text);
    // The number of steps the work takes (0: unknown, the bar just shows activity).
    void SetMaxOfInterval(DWORD steps);

    // Before the start: whether the Cancel button shows (off by default).
    void SetCancelAvailable(bool available) { m_cancelAvailable = available; }
    void SetShowDelay(int milliseconds) { m_showDelayMs = milliseconds; }

    // Runs work on a worker thread; this (the user-interface) thread shows the dialog
    // once the work has taken longer than the show delay and returns when the work
    // has ended, with the dialog closed (hidden until the object goes). Called on
    // another thread, or without an application, the work just runs.
    static void StartProgress(CProgressDlg* dialog, const std::function<void()>& work);
    // The caller does the work on the user-interface thread and reports with Step,
    // which shows the dialog after the delay and keeps it painted and tappable.
    static void StartProgress(CProgressDlg* dialog);

    // Unless cancelled: one step further. At the maximum the dialog ends.
    void Step();
    bool IsCancelPressed() const { return m_cancelPressed.load(); }

    DWORD GetPos() const { return m_pos.load(); }
    DWORD GetMax() const { return m_max.load(); }
    // Whether the window has been shown (the work outlasted the delay).
    bool WasShown() const { return m_shown; }

    BOOL OnInitDialog() override;
    // Enter does not end the work.
    void OnOK() override {}
    // Cancel (when available) sets the flag the work polls and ends the dialog.
    void OnCancel() override;

    // The control table of resource 3006.
    static void RegisterTemplate();

protected:
    BOOL CreateDialogWindow() override;

private:
    bool OnUiThread() const { return std::this_thread::get_id() == m_uiThread; }
    // Either text may be null (kept).
    void SetTexts(const CString* title, const CString* text);
    // User-interface thread: takes up the shared state and ends the dialog at the
    // maximum.
    void Refresh();
    void Show();
    // Runs the dialog until the work is done or the dialog has ended.
    void RunUntilDone();
    // On the user-interface thread during stepped work: shows and repaints the dialog
    // now and then.
    void Pump(bool now);

    std::atomic<DWORD> m_max{0};
    std::atomic<DWORD> m_pos{0};
    std::atomic<bool> m_cancelPressed{false};
    std::atomic<bool> m_workDone{false};
    std::mutex m_mutex;
    std::condition_variable m_workEnded;
    // Under m_mutex.
    CString m_title;
    CString m_text;
    bool m_textsChanged = false;

    // Set on the user-interface thread before any worker starts.
    const std::thread::id m_uiThread;
    bool m_cancelAvailable = false;
    int m_showDelayMs = kShowDelayMs;
    bool m_stepping = false;

    // User-interface thread only.
    QElapsedTimer m_started;
    QElapsedTimer m_lastPump;
    bool m_shown = false;
    QEventLoop* m_loop = nullptr;
};
