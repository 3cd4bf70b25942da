// The application object: start-up (trace log, single instance, catalogue store,
// options, document template, file-type registration, reopening the last list), the
// switch between the list view and the choice view, the application commands New,
// Open, Exit, Help and About, and the device dialogs the document runs.
#pragma once
#include "COBImage.h"
#include "CWinApp.h"
#include "UiTypes.h"
#include "listoradoc.h"

#include "System/IO/FileStream.h"

#include <memory>
#include <string>

class CView;
class QObject;
class QString;
class QSocketNotifier;
class CListoraView;
class CListoraChoiceView;
class CMainFrame;

namespace Diagnostics {
class TextWriterTraceListener;
}

// Resource and command ids owned by the application.
namespace ListoraApp {
constexpr UINT IDR_MAINFRAME = 178;          // menu bar, tool bar and document template
constexpr UINT IDI_PROGRAM = 128;            // the program's icon
constexpr UINT IDR_ABOUT_IMAGE = 204;        // the About box's picture, of type "JPG"
// The address the About box shows and opens.
constexpr const char16_t* kAboutLink = u"https://listora.example.org/";
constexpr UINT kChoiceViewId = 0xE901;       // AFX_IDW_PANE_FIRST + 1
constexpr int kMaxLogNameRetries = 20;
}  // namespace ListoraApp

class CListoraApp : public CWinApp, public IListoraViewSwitcher, public IListoraDialogs {
public:
    CListoraApp();
    ~CListoraApp() override;

    // Start-up, in order; false ends the program without a window.
    BOOL InitInstance() override;
    // Closes the trace log (its listener is unregistered first).
    int ExitInstance() override;

    // Creates the second view of the frame (hidden); called once at the end of
    // start-up.
    void CreateChoiseView();
    // Toggles the frame between the list view and the choice view; returns the view
    // that was active (null when there is none).
    CView* SwitchView() override;
    // The add-item dialog over the main frame.
    bool RunAddItemDialog(CListoraDoc& doc, Purchase* purchase, Purchase*& result, bool& isNew) override;

    CListoraView* GetListView() const { return m_pListView; }
    CListoraChoiceView* GetChoiceView() const { return m_pChoiceView; }
    // 0 while the list view is shown, 1 while the choice view is.
    UINT GetCurrentView() const { return m_nCurrentView; }
    CMainFrame* GetMainFrame() const;
    CListoraDoc* GetDocument() const;

    // Commands.
    void OnFileOpen() override;
    void OnAppExit() override;
    void OnHelp();
    // A termination signal: ends open prompts (as Cancel) and exits the usual way.
    void OnTerminationRequested();

    // The About box with the program's picture, the address and the version.
    void OnAppAbout();

    // Device dialogs of the document.
    bool SelectTile(DWORD& tile) override;
    bool RunOptionsDialog() override;
    bool RunTaxRatesDialog() override;

    // Writes the ".lsr" file type under HKEY_CLASSES_ROOT with the program's current
    // path. Any failing call ends it silently.
    static void RegisterFileType();
    // Registers the string table, the menus, the tool bar and the art; harmless to
    // call again.
    static void RegisterResources();

    // The name the trace log was opened under ("\Listora.txt", "\Listor1.txt", ...);
    // empty when no log could be opened.
    const std::u16string& GetLogPath() const { return m_logPath; }
    bool IsSecondInstance() const { return m_secondInstance; }

    // How the second copy looks for the first copy's window: attempts and the pause
    // between them (tests shorten them).
    int m_findWindowAttempts = 40;
    int m_findWindowPauseMs = 250;
    // The program (not the tests) ends on SIGTERM, SIGINT and SIGHUP as on Exit: the
    // list is saved first, as when the session ends.
    bool m_exitOnTerminationSignals = false;

private:
    // Opens a list another copy was asked to open (later, from the event loop); false
    // while a prompt is open.
    bool OpenFromAnotherCopy(const QString& path);
    void TitleFromPath(const TCHAR* path);
    bool OpenTraceLog();
    void CloseTraceLog();
    bool FindRunningCopy();
    // The empty list the first start opens.
    static void CreateFirstList();
    // Opens the store (with the defaults on a first start) and reads the settings.
    static bool OpenStore();
    // Waits for the store's check; a store it found damaged is opened again (set
    // aside and restored, the user told) and the settings read afresh. False when it
    // cannot be opened again.
    bool ConfirmStore();
    void ExitOnTerminationSignals();

    CListoraView* m_pListView = nullptr;
    CListoraChoiceView* m_pChoiceView = nullptr;
    UINT m_nCurrentView = 0;
    HANDLE m_hSemaphore = nullptr;
    // The About box's picture, decoded while the box is made.
    COBImage m_aboutImage;
    IO::FileStream m_logStream;
    std::unique_ptr<Diagnostics::TextWriterTraceListener> m_pLogListener;
    std::u16string m_logPath;
    bool m_secondInstance = false;
    std::unique_ptr<QObject> m_exitContext;
    std::unique_ptr<QSocketNotifier> m_signalNotifier;
};

// The running application object (null when there is none or it is another class).
CListoraApp* GetListoraApp();
