// A document: the data behind the views, with its modified flag and title. It knows
// its views and tells them about changes with UpdateAllViews.
#pragma once
#include "CCmdTarget.h"
#include "UiTypes.h"

#include <vector>

class CView;
class CSingleDocTemplate;

class CDocument : public CCmdTarget {
public:
    CDocument();
    ~CDocument() override;

    virtual void SetTitle(LPCTSTR title);
    const CString& GetTitle() const { return m_strTitle; }
    // Sets the path and makes the file's title (name without folder) the title.
    virtual void SetPathName(LPCTSTR path, BOOL addToRecentFiles = TRUE);
    const CString& GetPathName() const { return m_strPathName; }

    virtual BOOL IsModified();
    virtual void SetModifiedFlag(BOOL modified = TRUE);

    // Empties the document's data. The base has none.
    virtual void DeleteContents();
    // New: DeleteContents, no path, not modified.
    virtual BOOL OnNewDocument();
    // Open: DeleteContents and not modified; reading the file is the derived class's.
    virtual BOOL OnOpenDocument(LPCTSTR path);
    // Called before the document is replaced or closed; false keeps it. The base
    // has nothing to save and agrees.
    virtual BOOL SaveModified();
    // Closes the frames that show this document (which ends the document).
    virtual void OnCloseDocument();

    void AddView(CView* view);
    void RemoveView(CView* view);
    const std::vector<CView*>& GetViews() const { return m_views; }
    POSITION GetFirstViewPosition() const;
    CView* GetNextView(POSITION& position) const;

    // Calls OnUpdate(sender, hint, hintObject) on every view but the sender.
    void UpdateAllViews(CView* sender, LPARAM hint = 0, void* hintObject = nullptr);

    CSingleDocTemplate* GetDocTemplate() const { return m_pDocTemplate; }

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

protected:
    CString m_strTitle;
    CString m_strPathName;
    BOOL m_bModified = FALSE;

private:
    friend class CSingleDocTemplate;
    void UpdateFrameTitles();

    std::vector<CView*> m_views;
    CSingleDocTemplate* m_pDocTemplate = nullptr;
};
