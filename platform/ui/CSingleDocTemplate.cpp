#include "CSingleDocTemplate.h"

#include "CDocument.h"
#include "CFrameWnd.h"
#include "CView.h"
#include "CWaitCursor.h"
#include "CWinApp.h"
#include "StringTable.h"

CSingleDocTemplate::CSingleDocTemplate(UINT resourceId, std::function<CDocument*()> documentClass,
                                       std::function<CFrameWnd*()> frameClass, std::function<CView*()> viewClass,
                                       LPCTSTR filter, LPCTSTR folders)
    : m_resourceId(resourceId),
      m_documentClass(std::move(documentClass)),
      m_frameClass(std::move(frameClass)),
      m_viewClass(std::move(viewClass)),
      m_filter(filter),
      m_folders(folders) {}

CSingleDocTemplate::~CSingleDocTemplate() {
    CloseAllDocuments();
}

CFrameWnd* CSingleDocTemplate::CreateNewFrame(CDocument* doc) {
    std::unique_ptr<CFrameWnd> frame(m_frameClass ? m_frameClass() : nullptr);
    if (!frame)
        return nullptr;
    CCreateContext context;
    context.m_pNewViewClass = m_viewClass;
    context.m_pCurrentDoc = doc;
    context.m_pNewDocTemplate = this;
    context.m_pCurrentFrame = frame.get();
    if (!frame->LoadFrame(m_resourceId, 0, nullptr, &context))
        return nullptr;
    m_frame = std::move(frame);
    return m_frame.get();
}

CDocument* CSingleDocTemplate::OpenDocumentFile(LPCTSTR path, BOOL makeVisible) {
    bool createdDocument = false;
    bool createdFrame = false;
    if (m_document) {
        if (!m_document->SaveModified())
            return nullptr;
    } else {
        m_document.reset(m_documentClass ? m_documentClass() : nullptr);
        if (!m_document)
            return nullptr;
        m_document->m_pDocTemplate = this;
        createdDocument = true;
    }
    CDocument* doc = m_document.get();
    if (!m_frame) {
        if (!CreateNewFrame(doc)) {
            if (createdDocument)
                m_document.reset();
            return nullptr;
        }
        createdFrame = true;
    }
    CWinApp* app = AfxGetApp();
    auto undo = [&] {
        if (createdFrame) {
            if (app && app->m_pMainWnd == m_frame.get())
                app->m_pMainWnd = nullptr;
            m_frame.reset();
        }
        if (createdDocument)
            m_document.reset();
    };
    if (!path) {
        SetDefaultTitle(doc);
        if (!doc->OnNewDocument()) {
            undo();
            return nullptr;
        }
    } else {
        CWaitCursor wait;
        if (!doc->OnOpenDocument(path)) {
            undo();
            return nullptr;
        }
        doc->SetPathName(path);
    }
    if (createdFrame && app && !app->m_pMainWnd)
        app->m_pMainWnd = m_frame.get();
    m_frame->InitialUpdateFrame(doc, makeVisible);
    return doc;
}

void CSingleDocTemplate::SetDefaultTitle(CDocument* doc) {
    if (doc)
        doc->SetTitle(u"Untitled");
}

POSITION CSingleDocTemplate::GetFirstDocPosition() const {
    return m_document ? reinterpret_cast<POSITION>(std::uintptr_t{1}) : nullptr;
}

CDocument* CSingleDocTemplate::GetNextDoc(POSITION& position) const {
    CDocument* doc = position ? m_document.get() : nullptr;
    position = nullptr;
    return doc;
}

void CSingleDocTemplate::CloseDocument(CDocument* doc) {
    if (!doc || doc != m_document.get())
        return;
    CloseAllDocuments();
}

void CSingleDocTemplate::CloseAllDocuments() {
    if (CWinApp* app = AfxGetApp(); app && m_frame && app->m_pMainWnd == m_frame.get())
        app->m_pMainWnd = nullptr;
    m_frame.reset();
    if (m_document)
        m_document->DeleteContents();
    m_document.reset();
}
