// The application object: one per process, constructed before AfxWinMain runs.
// It owns the document templates; New, Open and Exit are mapped to the standard
// handlers below and a derived class may map its own instead.
#pragma once
#include "CCmdTarget.h"
#include "CCommandLineInfo.h"
#include "UiTypes.h"

#include <memory>
#include <string>
#include <vector>

class CDocument;
class CSingleDocTemplate;
class CWnd;

class CWinApp : public CCmdTarget {
public:
    // Without a name the title is string AFX_IDS_APP_TITLE of the string table
    // (looked up again when AfxWinMain starts), else "Application".
    explicit CWinApp(LPCTSTR appName = nullptr);
    ~CWinApp() override;

    virtual BOOL InitInstance();
    virtual int ExitInstance();
    // Runs the event loop until the main window closes, then ExitInstance.
    virtual int Run();
    // Idle time: refreshes the main frame's tool buttons. More work: return TRUE.
    virtual BOOL OnIdle(LONG count);

    // Takes ownership.
    void AddDocTemplate(CSingleDocTemplate* docTemplate);
    CSingleDocTemplate* GetFirstDocTemplate() const;
    void ParseCommandLine(CCommandLineInfo& info);
    BOOL ProcessShellCommand(CCommandLineInfo& info);
    virtual CDocument* OpenDocumentFile(LPCTSTR path);
    // Destroys every frame and document (before the Qt application ends).
    void CloseAllDocuments(BOOL endSession = FALSE);

    void SetRegistryKey(LPCTSTR key);
    const CString& GetRegistryKey() const { return m_registryKey; }
    // The arguments after the program name, as AfxWinMain received them.
    void SetCommandLineArguments(std::vector<std::u16string> arguments);

    // Standard commands.
    virtual void OnFileNew();
    virtual void OnFileOpen();
    virtual void OnAppExit();

    // Takes the title from the string table unless one was given.
    void LoadAppName();

    CWnd* m_pMainWnd = nullptr;
    const WCHAR* m_pszAppName = nullptr;

private:
    bool m_explicitName = false;
    CString m_appName;
    CString m_registryKey;
    std::vector<std::u16string> m_arguments;
    std::vector<std::unique_ptr<CSingleDocTemplate>> m_templates;
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
// Starts the Qt application, runs the application object's InitInstance and event
// loop and returns the exit code. The main function of the program calls it.
int AfxWinMain(int argc, char** argv);
