#include "Listora.h"

#include "AfxMessageBox.h"
#include "AppAboutDlg.h"
#include "COBResource.h"
#include "CFileDialog.h"
#include "ModalRunner.h"
#include "CListoraChoiceView.h"
#include "CListoraView.h"
#include "CSingleDocTemplate.h"
#include "InstanceWindows.h"
#include "Listora/dlgs/CAddItemDialog.h"
#include "Listora/dlgs/COptionsDlg.h"
#include "Listora/dlgs/CTaxRatesDlg.h"
#include "Listora/dlgs/CSelectTileDlg.h"
#include "dlgs/CDeleteListsDlg.h"
#include "MainFrm.h"
#include "QtText.h"
#include "ShellApi.h"
#include "ListoraStrings.h"
#include "listoradoc.h"

#include "DevicePath.h"
#include "FileApi.h"
#include "ListFile.h"
#include "LRRegistry.h"
#include "Options.h"
#include "ProcessApi.h"
#include "RegistryApi.h"
#include "Resources.h"
#include "WideString.h"

#include "System/Diagnostics/TextWriterTraceListener.h"
#include "System/Diagnostics/Trace.h"
#include "Text/CExtTime.h"
#include "Text/Path.h"

#include <QApplication>
#include <QMetaObject>
#include <QImage>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>
#include <algorithm>
#include <array>

using Diagnostics::Trace;
using namespace ListoraApp;

namespace {
constexpr const TCHAR* kSourceFile = u"Listora.cpp";
constexpr const TCHAR* kVersion = u"Version 1.6.1";
constexpr const TCHAR* kSemaphoreName = u"ListoraSemaphore";
constexpr const TCHAR* kMainWindowTitle = u"Listora";
constexpr const TCHAR* kLogFolder = u"\\";
constexpr const TCHAR* kLogBaseName = u"Listora";
constexpr const TCHAR* kLogExtension = u"txt";
constexpr const TCHAR* kHelpFile = u"Listora.htm";
// The desktop's handler for documents and web pages.
constexpr const TCHAR* kHelpViewer = u"xdg-open";
constexpr const TCHAR* kDocumentsFolder = u"\\My Documents";

// Window search of a second copy: stops at the first copy's main window.
BOOL FindListoraWindow(HWND hwnd, LPARAM found) {
    TCHAR text[200] = {};
    if (GetWindowTextW(hwnd, text, 200) == 0 || _wcsicmp(text, kMainWindowTitle) != 0)
        return TRUE;
    Trace::WriteLine(u"Found");
    BringWindowToTop(hwnd);
    ShowWindow(hwnd, SW_SHOWNORMAL);
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
}

// The write end of the pipe that turns a termination signal into an event.
int g_signalPipe[2] = {-1, -1};

void OnTerminationSignal(int) {
    const char byte = 1;
    // Nothing else is safe in a signal handler; a full pipe already has a request.
    [[maybe_unused]] const ssize_t written = write(g_signalPipe[1], &byte, 1);
}

// A path named on the command line: a relative one is taken from the current folder,
// as the shell means it (the program's own relative paths would be device paths).
std::u16string CommandLinePath(const std::u16string& path) {
    if (path.empty() || path[0] == u'/' || path[0] == u'\\')
        return path;
    std::array<char, 4096> folder{};
    if (!getcwd(folder.data(), folder.size()))
        return path;
    return FromUtf8(folder.data()) + u"/" + path;
}

// Sets the default value of key (created below parent) to text; false on any failure.
bool SetDefaultValue(HKEY parent, const TCHAR* subKey, const std::u16string& text, HKEY* keep = nullptr) {
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (RegCreateKeyExW(parent, subKey, 0, nullptr, 0, 0, nullptr, &key, &disposition) != ERROR_SUCCESS)
        return false;
    const bool set = text.empty() ||
                     RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                                    static_cast<DWORD>((text.size() + 1) * sizeof(TCHAR))) == ERROR_SUCCESS;
    if (keep && set)
        *keep = key;
    else
        RegCloseKey(key);
    return set;
}
}  // namespace

CListoraApp* GetListoraApp() {
    return dynamic_cast<CListoraApp*>(AfxGetApp());
}

CListoraApp::CListoraApp() : CWinApp(nullptr) {
    // The title comes from the string table, so the table must be there first.
    RegisterResources();
    LoadAppName();
    MapCommand(ID_HELP, &CListoraApp::OnHelp);
    MapCommand(ID_APP_ABOUT, &CListoraApp::OnAppAbout);
    // Delete Unused Lists: its dialog has no result.
    MapCommand(MainFrame::ID_FILE_DELETE_UNUSED, [] { CDeleteListsDlg(nullptr).DoModal(); });
}

CListoraApp::~CListoraApp() {
    InstanceWindows::SetOpenHandler(nullptr);
    // Windows and the document go first: they may still write trace lines.
    CloseAllDocuments();
    CloseTraceLog();
    // The lock would be released at process end anyway; releasing it here lets
    // another application object of the same process start (tests). The window
    // search answers only while the lock is held.
    InstanceWindows::StopServer();
    if (m_hSemaphore)
        CloseHandle(m_hSemaphore);
}

void CListoraApp::RegisterResources() {
    RegisterListoraStrings();
    CMainFrame::RegisterResources();
}

CMainFrame* CListoraApp::GetMainFrame() const {
    if (auto* frame = dynamic_cast<CMainFrame*>(m_pMainWnd))
        return frame;
    CSingleDocTemplate* docTemplate = GetFirstDocTemplate();
    return docTemplate ? dynamic_cast<CMainFrame*>(docTemplate->GetFrame()) : nullptr;
}

CListoraDoc* CListoraApp::GetDocument() const {
    CSingleDocTemplate* docTemplate = GetFirstDocTemplate();
    return docTemplate ? dynamic_cast<CListoraDoc*>(docTemplate->GetDocument()) : nullptr;
}

bool CListoraApp::OpenTraceLog() {
    DevicePath::EnsureRoot();
    TCHAR baseName[_MAX_PATH] = {};
    std::copy_n(kLogBaseName, std::char_traits<char16_t>::length(kLogBaseName), baseName);
    TCHAR path[_MAX_PATH] = {};
    _tmakepath(path, nullptr, kLogFolder, baseName, kLogExtension);
    // Another running copy holds the log without sharing: each retry puts the counter
    // in place of the name's last character. The retries are bounded so the name
    // stays short; without any log the program still starts.
    auto open = [&] { return m_logStream.Init(path, IO::FileMode::Create, IO::FileAccess::Write); };
    for (int counter = 1; open() != IO::OpenResult::Opened; ++counter) {
        if (counter > kMaxLogNameRetries)
            return false;
        const std::size_t length = std::char_traits<char16_t>::length(baseName);
        const std::string narrow = std::to_string(counter);
        const std::u16string digits(narrow.begin(), narrow.end());
        if (length == 0)
            return false;
        std::copy(digits.begin(), digits.end(), baseName + length - 1);
        baseName[length - 1 + digits.size()] = 0;
        _tmakepath(path, nullptr, kLogFolder, baseName, kLogExtension);
    }
    m_logPath = path;
    static const BYTE kByteOrderMark[2] = {0xFF, 0xFE};
    m_logStream.Write(kByteOrderMark, 0, 2);
    m_pLogListener = std::make_unique<Diagnostics::TextWriterTraceListener>(u"TextWriterTraceListener", m_logStream);
    Trace::getListeners().Add(m_pLogListener.get());
    Trace::WriteFormattedLineT(u"info", u"Tamra Listora %s dump file", kVersion);
    Trace::WriteLine(u"");
    Trace::WriteLine(u"");
    return true;
}

void CListoraApp::CloseTraceLog() {
    if (m_pLogListener) {
        // No trace line may reach the listener once it is gone.
        Trace::getListeners().Remove(m_pLogListener.get());
        m_pLogListener.reset();
    }
    m_logStream.Flush();
    m_logStream.Close();
}

bool CListoraApp::FindRunningCopy() {
    for (int attempt = 0; attempt < m_findWindowAttempts; ++attempt) {
        bool found = false;
        if (!EnumWindows(FindListoraWindow, reinterpret_cast<LPARAM>(&found)) && found)
            return true;
        // The first copy may still be starting: its window comes later.
        QThread::msleep(static_cast<unsigned long>(std::max(0, m_findWindowPauseMs)));
    }
    return false;
}

void CListoraApp::CreateFirstList() {
    const TCHAR* path = LRRegistry::kNewListPath;
    if (GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES)
        return;
    rep::vector<Purchase*> empty;
    ListFile file;
    if (!file.Write(path, empty))
        Trace::WriteFormattedLineT(u"error", u"%s(%d) - Cannot create the first list", kSourceFile, __LINE__);
}

bool CListoraApp::OpenStore() {
    bool createdDefaults = false;
    if (!TheRegistry().Open(&createdDefaults))
        return false;
    // A new store names "\My Documents\New.lsr" as the last list: it must exist, so
    // that the first start opens an empty list instead of an error.
    if (createdDefaults)
        CreateFirstList();
    TheOptions().Load(TheRegistry());
    return true;
}

bool CListoraApp::ConfirmStore() {
    if (RegistryStore::ConfirmCheck())
        return true;
    TheRegistry().FinishSavingItems();
    TheRegistry().close();
    RegistryStore::Shutdown();
    if (!OpenStore())
        return false;
    RegisterFileType();
    // The window was made with the settings of the damaged store.
    if (CMainFrame* frame = GetMainFrame())
        if (CDocument* doc = frame->GetActiveDocument())
            doc->UpdateAllViews(nullptr, CListoraDoc::kHintOptions);
    return true;
}

void CListoraApp::RegisterFileType() {
    std::array<TCHAR, 1024> module{};
    if (!GetModuleHandleW(nullptr) || GetModuleFileNameW(GetModuleHandleW(nullptr), module.data(), 1024) == 0)
        return;
    const std::u16string program(module.data());
    if (!SetDefaultValue(HKEY_CLASSES_ROOT, u".lsr", u"Tamra File"))
        return;
    HKEY type = nullptr;
    if (!SetDefaultValue(HKEY_CLASSES_ROOT, u"Tamra File", u"", &type))
        return;
    const bool icon = SetDefaultValue(type, u"DefaultIcon", program + u",0");
    if (icon)
        SetDefaultValue(type, u"Shell\\Open\\Command", u"\"" + program + u"\" \"%1\"");
    RegCloseKey(type);
}

BOOL CListoraApp::InitInstance() {
    // A request to end that comes during start-up is served once the event loop runs.
    if (m_exitOnTerminationSignals)
        ExitOnTerminationSignals();

    Resources::PrepareInBackground(CListoraBaseView::IDI_COUPON);
    // The trace log and its banner.
    OpenTraceLog();
    Trace::WriteLine(u"");
    Trace::WriteLine(u"");
    const CString now = CExtTime::Format(CTime::GetCurrentTime(), u"%d %b %Y %H:%M:%S");
    Trace::WriteFormattedLineT(u"info", u"Tamra Listora started at %s", now.GetString());
    Trace::WriteLine(u"");
    Trace::WriteLine(u"");

    SetRegistryKey(u"Local AppWizard-Generated Applications");

    // One copy at a time: a second one brings the first to the front and ends.
    m_hSemaphore = CreateSemaphoreW(nullptr, 1, 1, kSemaphoreName);
    if (m_hSemaphore && GetLastError() == ERROR_ALREADY_EXISTS) {
        m_secondInstance = true;
        // A list named on the command line (a double click) goes to the running copy.
        CCommandLineInfo named;
        ParseCommandLine(named);
        if (named.m_nShellCommand == CCommandLineInfo::FileOpen)
            InstanceWindows::OpenRemote(ToQString(CommandLinePath(named.m_strFileName.str())));
        FindRunningCopy();
        return FALSE;
    }
    // Only the copy that holds the lock answers the window search of later copies.
    InstanceWindows::StartServer();

    // The catalogue store and the options. Lists live in "My Documents".
    CreateDirectoryW(kDocumentsFolder, nullptr);
    // The store's check runs beside the making of the window (ConfirmStore).
    RegistryStore::CheckInBackground();
    if (!OpenStore())
        return FALSE;

    AddDocTemplate(new CSingleDocTemplate(IDR_MAINFRAME, RUNTIME_CLASS(CListoraDoc), RUNTIME_CLASS(CMainFrame),
                                          RUNTIME_CLASS(CListoraView), u"All Files|*.*||", u"All Folders"));
    RegisterFileType();

    // A list named on the command line (as the desktop names a list opened from its
    // file manager) is opened; a start without one reopens the last list.
    CCommandLineInfo cmdInfo;
    ParseCommandLine(cmdInfo);
    if (cmdInfo.m_nShellCommand == CCommandLineInfo::FileOpen) {
        cmdInfo.m_strFileName = CString(CommandLinePath(cmdInfo.m_strFileName.str()));
    } else {
        const TCHAR* lastFile = TheOptions().GetLastFile();
        cmdInfo.m_strFileName = CString(lastFile ? lastFile : u"");
        cmdInfo.m_nShellCommand =
            cmdInfo.m_strFileName.IsEmpty() ? CCommandLineInfo::FileNew : CCommandLineInfo::FileOpen;
    }

    // The command bar stays hidden until a list is open.
    if (CMainFrame* frame = GetMainFrame())
        frame->ShowCommandBar(FALSE);
    Trace::WriteFormattedLineT(u"info", u"%s", u"ListoraApp::ProcessShellCommand()");
    // The list is painted before the catalogue is read (the list view asks for it
    // after its first paint; a timer at the end covers a window that is not painted).
    CListoraDoc::DeferNextCatalogue();
    while (!ProcessShellCommand(cmdInfo)) {
        if (CMainFrame* frame = GetMainFrame())
            frame->ShowCommandBar(FALSE);
        if (cmdInfo.m_nShellCommand != CCommandLineInfo::FileOpen)
            return FALSE;
        if (AfxMessageBox(IDS_CREATE_OR_OPEN_FILE, MB_YESNO, static_cast<UINT>(-1)) == IDYES) {
            cmdInfo.m_nShellCommand = CCommandLineInfo::FileNew;
            cmdInfo.m_strFileName = CString(u"");
            m_pMainWnd = GetMainFrame();
        } else {
            CFileDialog dialog(TRUE, u"lsr", nullptr, OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY, CListoraDoc::kListFilter);
            if (dialog.DoModal() != IDOK)
                return FALSE;
            cmdInfo.m_nShellCommand = CCommandLineInfo::FileOpen;
            cmdInfo.m_strFileName = dialog.GetPathName();
        }
    }

    Trace::WriteFormattedLineT(u"info", u"%s", u"ListoraApp::after () ProcessShellCommand");
    CListoraDoc::DeferNextCatalogue(false);  // later opens read it at once
    CMainFrame* frame = GetMainFrame();
    if (!frame || !ConfirmStore())
        return FALSE;
    m_pMainWnd = frame;
    SHFullScreen(frame->GetSafeHwnd(), SHFS_HIDESIPBUTTON);
    frame->ShowCommandBar(TRUE);

    if (cmdInfo.m_nShellCommand == CCommandLineInfo::FileOpen)
        TitleFromPath(cmdInfo.m_strFileName.GetString());
    // Lists double-clicked while this copy runs come here.
    InstanceWindows::SetOpenHandler([this](const QString& path) { return OpenFromAnotherCopy(path); });

    frame->ShowWindow(SW_SHOW);
    frame->UpdateWindow();

    Trace::WriteFormattedLineT(u"info", u"%s", u"ListoraApp::after () CreateChoiseView");
    CreateChoiseView();
    if (QWidget* window = frame->GetWidget())
        QTimer::singleShot(250, window, [this] {
            if (CListoraDoc* doc = GetDocument())
                doc->EnsureCatalogue();
        });
    return TRUE;
}

void CListoraApp::ExitOnTerminationSignals() {
    if (g_signalPipe[0] >= 0 || pipe2(g_signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_signalNotifier = std::make_unique<QSocketNotifier>(g_signalPipe[0], QSocketNotifier::Read);
    QObject::connect(m_signalNotifier.get(), &QSocketNotifier::activated, m_signalNotifier.get(), [this] {
        char buffer[16];
        while (read(g_signalPipe[0], buffer, sizeof buffer) > 0) {
        }
        OnTerminationRequested();
    });
    struct sigaction action = {};
    action.sa_handler = OnTerminationSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(signal, &action, nullptr);
}

void CListoraApp::OnTerminationRequested() {
    Trace::WriteFormattedLineT(u"info", u"%s", u"Termination requested");
    // Nobody will answer a prompt now: open ones close as cancelled, so the code that
    // waits on them goes on, and later ones are answered the same way. The usual exit
    // (which saves the list) follows once that code has come back to the event loop.
    ModalRunner::EndAllPrompts();
    // The context goes with this object: an exit posted to an application that is gone
    // is dropped.
    if (!m_exitContext)
        m_exitContext = std::make_unique<QObject>();
    QMetaObject::invokeMethod(m_exitContext.get(), [this] { OnAppExit(); }, Qt::QueuedConnection);
}

void CListoraApp::TitleFromPath(const TCHAR* path) {
    // The list's title is its file name without folder and extension.
    std::array<TCHAR, _MAX_PATH_PART> name{};
    _tsplitpath(path, nullptr, nullptr, name.data(), nullptr);
    if (CListoraDoc* doc = GetDocument())
        doc->SetTitle(name.data());
}

bool CListoraApp::OpenFromAnotherCopy(const QString& path) {
    // Never under an open prompt: the list it works on could go.
    if (QApplication::activeModalWidget())
        return false;
    if (!m_exitContext)
        m_exitContext = std::make_unique<QObject>();
    const std::u16string list = ToU16String(path);
    QMetaObject::invokeMethod(
        m_exitContext.get(),
        [this, list] {
            if (OpenDocumentFile(list.c_str()))
                TitleFromPath(list.c_str());
            if (CWnd* frame = GetMainFrame())
                frame->BringWindowToTop();
        },
        Qt::QueuedConnection);
    return true;
}

int CListoraApp::ExitInstance() {
    InstanceWindows::SetOpenHandler(nullptr);
    // Qt objects must go while the Qt application is still there.
    m_signalNotifier.reset();
    // New items of a big list may still be on their way to the store.
    TheRegistry().FinishSavingItems();
    // A list opened and left unchanged is not saved, yet it is the list the next
    // start must reopen: its name reaches the store here.
    Options& options = TheOptions();
    if (options.IsChanged() && TheRegistry().init() && !options.Save(TheRegistry()))
        Trace::WriteFormattedLineT(u"error", u"%s(%d) - Cannot save options", kSourceFile, __LINE__);
    // A clean exit keeps a copy of the store to come back to if it is ever damaged.
    if (!m_secondInstance)
        RegistryStore::KeepBackup();
    CloseTraceLog();
    return CWinApp::ExitInstance();
}

void CListoraApp::CreateChoiseView() {
    CMainFrame* frame = GetMainFrame();
    if (!frame)
        return;
    m_nCurrentView = 0;
    m_pListView = dynamic_cast<CListoraView*>(frame->GetActiveView());
    CCreateContext context;
    context.m_pCurrentDoc = frame->GetActiveDocument();
    auto* view = new CListoraChoiceView;
    // Hidden, but already of the size it will be shown at, so that its header and
    // buttons are laid out for the real client area.
    CRect area(0, 0, 0, 0);
    if (QWidget* viewArea = frame->GetViewArea())
        area = CRect(0, 0, viewArea->width(), viewArea->height());
    // Once created in the frame the view belongs to it, even when its creation fails.
    if (!view->Create(nullptr, nullptr, WS_CHILD | WS_BORDER, area, frame, kChoiceViewId, &context)) {
        Trace::WriteFormattedLineT(u"error", u"%s(%d) : Cannot create the choice view!", kSourceFile, __LINE__);
        return;
    }
    m_pChoiceView = view;
    m_pChoiceView->OnInitialUpdate();
}

bool CListoraApp::RunAddItemDialog(CListoraDoc& doc, Purchase* purchase, Purchase*& result, bool& isNew) {
    CAddItemDialog dialog(&doc, purchase, GetMainFrame());
    if (dialog.DoModal() != IDOK || !dialog.GetResult())
        return false;
    isNew = dialog.IsResultNew();
    result = isNew ? dialog.TakeNewPurchase().release() : dialog.GetResult();
    return true;
}

CView* CListoraApp::SwitchView() {
    CMainFrame* frame = GetMainFrame();
    if (!frame)
        return nullptr;
    CView* target = m_nCurrentView == 0 ? static_cast<CView*>(m_pChoiceView) : static_cast<CView*>(m_pListView);
    CView* active = frame->GetActiveView();
    if (!active)
        return nullptr;
    if (!target || target == active)
        return active;
    m_nCurrentView = 1 - m_nCurrentView;
    const int activeId = active->GetDlgCtrlID();
    active->SetDlgCtrlID(target->GetDlgCtrlID());
    target->SetDlgCtrlID(activeId);
    active->ShowWindow(SW_HIDE);
    target->ShowWindow(SW_SHOW);
    frame->SetActiveView(target);
    frame->RecalcLayout();
    target->Invalidate(TRUE);
    return active;
}

void CListoraApp::OnFileOpen() {
    const CString filter = LoadString(IDS_ALL_SUPPORTED_FILTER);
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY, filter, m_pMainWnd);
    if (dialog.DoModal() == IDOK)
        OpenDocumentFile(dialog.GetPathName());
}

void CListoraApp::OnAppExit() {
    // Closing never asks: the list goes to its own file first.
    if (m_pMainWnd)
        if (auto* frame = dynamic_cast<CFrameWnd*>(m_pMainWnd))
            if (CDocument* doc = frame->GetActiveDocument())
                doc->SaveModified();
    CWinApp::OnAppExit();
}

void CListoraApp::OnHelp() {
    std::array<TCHAR, _MAX_PATH> module{};
    if (GetModuleFileNameW(nullptr, module.data(), _MAX_PATH) == 0) {
        Trace::WriteFormattedLineT(u"error", u"%s(%d) - Failed to get program folder ", kSourceFile, __LINE__);
        return;
    }
    // The help page is installed beside the program.
    std::u16string page(module.data());
    const std::size_t slash = page.find_last_of(u'/');
    page = (slash == std::u16string::npos ? std::u16string() : page.substr(0, slash + 1)) + kHelpFile;
    std::u16string commandLine = u"\"" + page + u"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (CreateProcessW(kHelpViewer, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                       &process)) {
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
}

void CListoraApp::OnAppAbout() {
    // The picture is decoded for a screen-like bitmap and kept only while the box
    // is shown.
    const QImage screen(1, 1, QImage::Format_RGB32);
    if (!m_aboutImage.SetBitmap(&screen, MAKEINTRESOURCE(IDR_ABOUT_IMAGE), u"JPG", AfxGetInstanceHandle()))
        Trace::WriteFormattedLineT(u"error", u"%s(%d) - Cannot load the About picture", kSourceFile, __LINE__);
    AppAboutDlg about(m_aboutImage.GetBitmap(), kAboutLink, u"Version\n1.6.1", u"Listora", m_pMainWnd);
    about.DoModal();
    m_aboutImage = COBImage();
}

bool CListoraApp::SelectTile(DWORD& tile) {
    CSelectTileDlg dialog(m_pMainWnd);
    dialog.SetTileNumber(tile);
    if (dialog.DoModal() != IDOK)
        return false;
    tile = dialog.GetTileNumber();
    return true;
}

bool CListoraApp::RunOptionsDialog() {
    COptionsDlg dialog(m_pMainWnd);
    return dialog.DoModal() == IDOK;
}

bool CListoraApp::RunTaxRatesDialog() {
    CTaxRatesDlg dialog(m_pMainWnd);
    return dialog.DoModal() == IDOK;
}
