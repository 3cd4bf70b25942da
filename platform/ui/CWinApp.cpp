#include "CWinApp.h"

#include "CDocument.h"
#include "CFileDialog.h"
#include "CFrameWnd.h"
#include "CSingleDocTemplate.h"
#include "InstanceWindows.h"
#include "ModalRunner.h"
#include "QtText.h"
#include "StringTable.h"

#include <QAbstractEventDispatcher>
#include <QApplication>

namespace {
CWinApp* g_app = nullptr;
}

CWinApp::CWinApp(LPCTSTR appName) {
    g_app = this;
    m_explicitName = appName != nullptr;
    if (appName)
        m_appName = CString(appName);
    LoadAppName();
    ModalRunner::AttachToCore();
    MapCommand(ID_FILE_NEW, [this] { OnFileNew(); });
    MapCommand(ID_FILE_OPEN, [this] { OnFileOpen(); });
    MapCommand(ID_APP_EXIT, [this] { OnAppExit(); });
}

CWinApp::~CWinApp() {
    CloseAllDocuments();
    if (g_app == this)
        g_app = nullptr;
}

void CWinApp::LoadAppName() {
    if (!m_explicitName && !StringTable::Find(AFX_IDS_APP_TITLE, m_appName))
        m_appName = CString(u"Application");
    m_pszAppName = m_appName.GetString();
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

int CWinApp::ExitInstance() {
    return 0;
}

int CWinApp::Run() {
    // Idle handling as the device does it: once the queue is empty, refresh the
    // tool buttons' states.
    QMetaObject::Connection idle;
    if (auto* dispatcher = QAbstractEventDispatcher::instance())
        idle = QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, [this] { OnIdle(0); });
    QApplication::exec();
    QObject::disconnect(idle);
    return ExitInstance();
}

BOOL CWinApp::OnIdle(LONG) {
    if (auto* frame = dynamic_cast<CFrameWnd*>(m_pMainWnd); frame && frame->GetWidget())
        frame->OnUpdateCmdUI();
    return FALSE;
}

void CWinApp::AddDocTemplate(CSingleDocTemplate* docTemplate) {
    if (docTemplate)
        m_templates.emplace_back(docTemplate);
}

CSingleDocTemplate* CWinApp::GetFirstDocTemplate() const {
    return m_templates.empty() ? nullptr : m_templates.front().get();
}

void CWinApp::SetCommandLineArguments(std::vector<std::u16string> arguments) {
    m_arguments = std::move(arguments);
}

void CWinApp::ParseCommandLine(CCommandLineInfo& info) {
    for (std::size_t i = 0; i < m_arguments.size(); ++i) {
        const std::u16string& arg = m_arguments[i];
        // "-x" and "/x" (one letter, as device switches are) are flags; a host
        // path such as "/home/me/list.lsr" is not.
        const bool isFlag = arg.size() >= 2 && (arg[0] == u'-' || (arg[0] == u'/' && arg.find(u'/', 1) ==
                                                                                            std::u16string::npos &&
                                                                     arg.size() <= 3));
        const std::u16string param = isFlag ? arg.substr(1) : arg;
        info.ParseParam(param.c_str(), isFlag, i + 1 == m_arguments.size());
    }
}

BOOL CWinApp::ProcessShellCommand(CCommandLineInfo& info) {
    switch (info.m_nShellCommand) {
    case CCommandLineInfo::FileNew:
        OnCmdMsg(ID_FILE_NEW, CN_COMMAND, nullptr, nullptr);
        return m_pMainWnd != nullptr;
    case CCommandLineInfo::FileOpen:
        return OpenDocumentFile(info.m_strFileName) != nullptr;
    case CCommandLineInfo::FileNothing:
        return TRUE;
    default:
        return FALSE;
    }
}

CDocument* CWinApp::OpenDocumentFile(LPCTSTR path) {
    CSingleDocTemplate* docTemplate = GetFirstDocTemplate();
    return docTemplate ? docTemplate->OpenDocumentFile(path) : nullptr;
}

void CWinApp::CloseAllDocuments(BOOL) {
    for (auto& docTemplate : m_templates)
        docTemplate->CloseAllDocuments();
}

void CWinApp::SetRegistryKey(LPCTSTR key) {
    m_registryKey = CString(key);
}

void CWinApp::OnFileNew() {
    if (CSingleDocTemplate* docTemplate = GetFirstDocTemplate())
        docTemplate->OpenDocumentFile(nullptr);
}

void CWinApp::OnFileOpen() {
    CSingleDocTemplate* docTemplate = GetFirstDocTemplate();
    const CString filter = docTemplate && !docTemplate->GetFilter().IsEmpty() ? docTemplate->GetFilter()
                                                                              : CString(u"All Files (*.*)|*.*||");
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, filter, m_pMainWnd);
    if (dialog.DoModal() == IDOK)
        OpenDocumentFile(dialog.GetPathName());
}

void CWinApp::OnAppExit() {
    if (m_pMainWnd)
        m_pMainWnd->SendMessage(WM_CLOSE);
    else
        QCoreApplication::quit();
}

CWinApp* AfxGetApp() {
    return g_app;
}

CWnd* AfxGetMainWnd() {
    return g_app ? g_app->m_pMainWnd : nullptr;
}

HINSTANCE AfxGetInstanceHandle() {
    // Resources live in the Qt resource system; any non-null handle names them.
    static int instance = 0;
    return &instance;
}

HINSTANCE AfxGetResourceHandle() {
    return AfxGetInstanceHandle();
}

int AfxWinMain(int argc, char** argv) {
    QApplication qtApp(argc, argv);
    CWinApp* app = AfxGetApp();
    if (!app)
        return 1;
    std::vector<std::u16string> arguments;
    const QStringList args = QCoreApplication::arguments();
    for (qsizetype i = 1; i < args.size(); ++i)
        arguments.push_back(ToU16String(args[i]));
    app->SetCommandLineArguments(std::move(arguments));
    // The program has registered its string table by now.
    app->LoadAppName();
    ModalRunner::AttachToCore();
    int code = 0;
    if (!app->InitInstance()) {
        code = app->ExitInstance();
    } else {
        code = app->Run();
    }
    // Windows must go before the Qt application does.
    app->CloseAllDocuments();
    InstanceWindows::StopServer();
    return code;
}
