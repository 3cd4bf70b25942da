#include "CProgressDlg.h"

#include "CWaitCursor.h"
#include "DialogTemplate.h"
#include "QtText.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <climits>

void CProgressDlg::RegisterTemplate() {
    using K = DlgItemKind;
    DialogTemplate::Register(IDD, DialogTemplate{u"",
                                                 240,
                                                 0,
                                                 {{K::Static, IDC_TEXT, u"", 8, 8, 224, 36},
                                                  {K::ProgressBar, IDC_PROGRESS, u"", 8, 48, 224, 20},
                                                  {K::PushButton, IDCANCEL, u"Cancel", 86, 76, 68, 24}}});
}

CProgressDlg::CProgressDlg(CWnd* parent) : CDialog(IDD, parent), m_uiThread(std::this_thread::get_id()) {
    static const bool registered = (RegisterTemplate(), true);
    (void)registered;
}

CProgressDlg::~CProgressDlg() {
    DestroyWindow();
}

void CProgressDlg::SetTexts(const CString* title, const CString* text) {
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (title)
            m_title = *title;
        if (text)
            m_text = *text;
        m_textsChanged = true;
    }
    if (OnUiThread() && GetWidget())
        Refresh();
}

void CProgressDlg::SetTitle(const CString& title) {
    SetTexts(&title, nullptr);
}

void CProgressDlg::SetTitle(LPCTSTR title) {
    SetTitle(CString(title));
}

void CProgressDlg::SetText(const CString& text) {
    SetTexts(nullptr, &text);
}

void CProgressDlg::SetText(LPCTSTR text) {
    SetText(CString(text));
}

void CProgressDlg::SetMaxOfInterval(DWORD steps) {
    m_max.store(steps);
}

BOOL CProgressDlg::CreateDialogWindow() {
    if (!CDialog::CreateDialogWindow())
        return FALSE;
    // The work ends the dialog, not an OK button.
    delete GetDlgItem(IDOK);
    if (auto* text = GetDlgItemAs<QLabel>(IDC_TEXT))
        text->setWordWrap(true);
    return TRUE;
}

BOOL CProgressDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    if (QWidget* cancel = GetDlgItem(IDCANCEL))
        cancel->setVisible(m_cancelAvailable);
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_textsChanged = true;
    }
    Refresh();
    return TRUE;
}

void CProgressDlg::OnCancel() {
    if (!m_cancelAvailable)
        return;
    m_cancelPressed.store(true);
    EndDialog(IDCANCEL);
    if (m_loop)
        m_loop->quit();
}

void CProgressDlg::Step() {
    if (m_cancelPressed.load())
        return;
    const DWORD pos = m_pos.fetch_add(1) + 1;
    if (m_stepping && OnUiThread()) {
        const DWORD max = m_max.load();
        Pump(max > 0 && pos >= max);
    }
}

void CProgressDlg::Refresh() {
    QDialog* dialog = GetDialog();
    if (!dialog)
        return;
    const DWORD max = m_max.load();
    const DWORD pos = m_pos.load();
    if (auto* bar = GetDlgItemAs<QProgressBar>(IDC_PROGRESS)) {
        const int range = static_cast<int>(std::min<DWORD>(max, INT_MAX));
        bar->setRange(0, range);
        bar->setValue(static_cast<int>(std::min<DWORD>(pos, static_cast<DWORD>(range))));
    }
    CString title;
    CString text;
    bool changed = false;
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        std::swap(changed, m_textsChanged);
        if (changed) {
            title = m_title;
            text = m_text;
        }
    }
    if (changed) {
        dialog->setWindowTitle(ToQString(title));
        SetDlgItemText(IDC_TEXT, text);
    }
    if (max > 0 && pos >= max && !IsEnded())
        EndDialog(IDOK);
}

void CProgressDlg::Show() {
    if (!GetWidget()) {
        CWaitCursor wait;
        if (!Create())
            return;
    }
    if (IsEnded())
        return;
    QDialog* dialog = GetDialog();
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->show();
    m_shown = true;
}

void CProgressDlg::RunUntilDone() {
    Show();
    if (!m_shown)
        return;
    QEventLoop loop;
    m_loop = &loop;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, &loop, [this, &loop] {
        Refresh();
        if (m_workDone.load() || IsEnded())
            loop.quit();
    });
    timer.start(kRefreshMs);
    if (!m_workDone.load() && !IsEnded())
        loop.exec();
    m_loop = nullptr;
}

void CProgressDlg::Pump(bool now) {
    if (!now && m_lastPump.isValid() && m_lastPump.elapsed() < kRefreshMs)
        return;
    m_lastPump.restart();
    if (!m_shown && m_started.elapsed() >= m_showDelayMs)
        Show();
    if (!m_shown)
        return;
    Refresh();
    // Paints the dialog and lets Cancel be tapped; the window is modal, so nothing
    // else takes input meanwhile.
    QCoreApplication::processEvents();
}

void CProgressDlg::StartProgress(CProgressDlg* dialog, const std::function<void()>& work) {
    if (!work) {
        StartProgress(dialog);
        return;
    }
    QCoreApplication* application = QCoreApplication::instance();
    if (!dialog || !application || QThread::currentThread() != application->thread() || !dialog->OnUiThread()) {
        work();
        return;
    }
    dialog->m_workDone.store(false);
    std::thread worker([dialog, &work] {
        work();
        {
            std::lock_guard<std::mutex> lock(dialog->m_mutex);
            dialog->m_workDone.store(true);
        }
        dialog->m_workEnded.notify_all();
    });
    bool done = false;
    {
        std::unique_lock<std::mutex> lock(dialog->m_mutex);
        done = dialog->m_workEnded.wait_for(lock, std::chrono::milliseconds(dialog->m_showDelayMs),
                                            [dialog] { return dialog->m_workDone.load(); });
    }
    if (!done)
        dialog->RunUntilDone();
    // After Cancel or at the maximum the work ends by itself soon.
    worker.join();
    // The window shows the work's last state until the dialog goes.
    if (dialog->GetWidget()) {
        dialog->Refresh();
        if (!dialog->IsEnded())
            dialog->EndDialog(IDOK);
    }
}

void CProgressDlg::StartProgress(CProgressDlg* dialog) {
    if (!dialog || !QCoreApplication::instance() || !dialog->OnUiThread())
        return;
    dialog->m_stepping = true;
    dialog->m_started.start();
    dialog->m_lastPump.invalidate();
    if (dialog->m_showDelayMs <= 0)
        dialog->Show();
}
