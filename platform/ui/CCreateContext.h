// What a frame needs to create its views: the view factory and the document the new
// view shows.
#pragma once
#include <functional>

class CView;
class CDocument;
class CFrameWnd;
class CSingleDocTemplate;

struct CCreateContext {
    std::function<CView*()> m_pNewViewClass;
    CDocument* m_pCurrentDoc = nullptr;
    CSingleDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
};

// A factory for the class T, given where the device code names a runtime class.
#define RUNTIME_CLASS(T) ([]() { return new T; })
