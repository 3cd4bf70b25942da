#include "CDocument.h"

#include "CFrameWnd.h"
#include "CSingleDocTemplate.h"
#include "CView.h"

#include <algorithm>

CDocument::CDocument() = default;

CDocument::~CDocument() {
    // Views outlive a document only while their frame is being torn down.
    for (CView* view : m_views)
        view->m_pDocument = nullptr;
}

void CDocument::SetTitle(LPCTSTR title) {
    m_strTitle = CString(title);
    UpdateFrameTitles();
}

void CDocument::SetPathName(LPCTSTR path, BOOL) {
    m_strPathName = CString(path);
    // The title is the last path component; both separators occur in device paths.
    const std::u16string& full = m_strPathName.str();
    const std::size_t slash = full.find_last_of(u"\\/");
    const std::u16string name = slash == std::u16string::npos ? full : full.substr(slash + 1);
    SetTitle(name.c_str());
}

BOOL CDocument::IsModified() {
    return m_bModified;
}

void CDocument::SetModifiedFlag(BOOL modified) {
    m_bModified = modified;
}

void CDocument::DeleteContents() {}

BOOL CDocument::OnNewDocument() {
    DeleteContents();
    m_strPathName.Empty();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::OnOpenDocument(LPCTSTR) {
    DeleteContents();
    SetModifiedFlag(FALSE);
    return TRUE;
}

BOOL CDocument::SaveModified() {
    return TRUE;
}

void CDocument::OnCloseDocument() {
    if (m_pDocTemplate)
        m_pDocTemplate->CloseDocument(this);
}

void CDocument::AddView(CView* view) {
    if (!view || std::find(m_views.begin(), m_views.end(), view) != m_views.end())
        return;
    if (view->m_pDocument && view->m_pDocument != this)
        view->m_pDocument->RemoveView(view);
    m_views.push_back(view);
    view->m_pDocument = this;
}

void CDocument::RemoveView(CView* view) {
    auto it = std::find(m_views.begin(), m_views.end(), view);
    if (it == m_views.end())
        return;
    m_views.erase(it);
    view->m_pDocument = nullptr;
}

POSITION CDocument::GetFirstViewPosition() const {
    // A position is the index of the next view plus one; null ends the walk.
    return m_views.empty() ? nullptr : reinterpret_cast<POSITION>(std::uintptr_t{1});
}

CView* CDocument::GetNextView(POSITION& position) const {
    const auto index = reinterpret_cast<std::uintptr_t>(position);
    if (index == 0 || index > m_views.size()) {
        position = nullptr;
        return nullptr;
    }
    CView* view = m_views[index - 1];
    position = index < m_views.size() ? reinterpret_cast<POSITION>(index + 1) : nullptr;
    return view;
}

void CDocument::UpdateAllViews(CView* sender, LPARAM hint, void* hintObject) {
    // A view may go away during an update (a view switch); work on a copy and skip
    // views that left the document meanwhile.
    const std::vector<CView*> views = m_views;
    for (CView* view : views) {
        if (view == sender || std::find(m_views.begin(), m_views.end(), view) == m_views.end())
            continue;
        view->OnUpdate(sender, hint, hintObject);
    }
}

BOOL CDocument::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) {
    return CCmdTarget::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

void CDocument::UpdateFrameTitles() {
    for (CView* view : m_views)
        if (CFrameWnd* frame = view->GetParentFrame())
            frame->OnUpdateFrameTitle(TRUE);
}
