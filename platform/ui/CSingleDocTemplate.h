// The single-document template: one document and one frame, created on the first
// New or Open and reused afterwards. The template owns both.
#pragma once
#include "CCreateContext.h"
#include "UiTypes.h"

#include <functional>
#include <memory>

class CDocument;
class CFrameWnd;
class CView;

class CSingleDocTemplate {
public:
    CSingleDocTemplate(UINT resourceId, std::function<CDocument*()> documentClass,
                       std::function<CFrameWnd*()> frameClass, std::function<CView*()> viewClass,
                       LPCTSTR filter = nullptr, LPCTSTR folders = nullptr);
    virtual ~CSingleDocTemplate();
    CSingleDocTemplate(const CSingleDocTemplate&) = delete;
    CSingleDocTemplate& operator=(const CSingleDocTemplate&) = delete;

    // Null path: a new document (OnNewDocument); otherwise OnOpenDocument(path).
    // The current document is asked SaveModified first. On failure a frame made for
    // this call is destroyed again and null is returned.
    virtual CDocument* OpenDocumentFile(LPCTSTR path, BOOL makeVisible = TRUE);
    virtual void SetDefaultTitle(CDocument* doc);

    POSITION GetFirstDocPosition() const;
    CDocument* GetNextDoc(POSITION& position) const;
    CDocument* GetDocument() const { return m_document.get(); }
    CFrameWnd* GetFrame() const { return m_frame.get(); }

    // Destroys the frame (and its views), then the document.
    void CloseDocument(CDocument* doc);
    void CloseAllDocuments();

    UINT GetResourceId() const { return m_resourceId; }
    const CString& GetFilter() const { return m_filter; }
    const CString& GetFolders() const { return m_folders; }

private:
    CFrameWnd* CreateNewFrame(CDocument* doc);

    UINT m_resourceId;
    std::function<CDocument*()> m_documentClass;
    std::function<CFrameWnd*()> m_frameClass;
    std::function<CView*()> m_viewClass;
    CString m_filter;
    CString m_folders;
    std::unique_ptr<CFrameWnd> m_frame;
    std::unique_ptr<CDocument> m_document;
};
