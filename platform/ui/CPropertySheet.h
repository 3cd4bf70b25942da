// A property sheet: a modal dialog holding pages as tabs, with OK and Cancel. The
// pages are the caller's (added with AddPage, not owned). OK asks the active page
// to let go (OnKillActive), then runs OnOK of every page that has been shown.
#pragma once
#include "CDialog.h"

#include <QPointer>
#include <QTabWidget>
#include <vector>

class CPropertyPage;

class CPropertySheet : public CDialog {
public:
    explicit CPropertySheet(LPCTSTR caption = nullptr, CWnd* parent = nullptr, UINT selectPage = 0);
    explicit CPropertySheet(UINT captionId, CWnd* parent = nullptr, UINT selectPage = 0);
    ~CPropertySheet() override;

    void AddPage(CPropertyPage* page);
    void RemovePage(int index);
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    CPropertyPage* GetPage(int index) const;
    CPropertyPage* GetActivePage() const;
    int GetActiveIndex() const;
    // False when the active page refuses to be left.
    BOOL SetActivePage(int index);
    BOOL SetActivePage(CPropertyPage* page);
    void SetTitle(LPCTSTR title);
    const CString& GetTitle() const { return m_title; }

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    QTabWidget* GetTabWidget() const { return m_tabs; }

protected:
    BOOL CreateDialogWindow() override;

private:
    CString m_title;
    std::vector<CPropertyPage*> m_pages;
    // Gone with the window.
    QPointer<QTabWidget> m_tabs;
    int m_active = -1;
    UINT m_startPage;
};
