// One page of a property sheet: a dialog whose controls sit on a tab. Its
// OnInitDialog runs when the page is first shown; leaving it runs OnKillActive
// (the page's data exchange), and the sheet's OK runs OnOK of every page that was
// shown.
#pragma once
#include "CDialog.h"

class CPropertySheet;

class CPropertyPage : public CDialog {
public:
    explicit CPropertyPage(UINT templateId = 0, UINT captionId = 0);

    void SetCaption(LPCTSTR caption) { m_caption = CString(caption); }
    const CString& GetCaption() const { return m_caption; }

    virtual BOOL OnSetActive();
    virtual BOOL OnKillActive();
    // OK of the sheet. The page does not end anything itself.
    void OnOK() override;
    void OnCancel() override;
    virtual BOOL OnApply();
    void SetModified(BOOL changed = TRUE) { m_modified = changed; }

    bool IsInitialized() const { return m_initialized; }
    CPropertySheet* GetSheet() const { return m_pSheet; }

private:
    friend class CPropertySheet;
    // Builds the page's controls on the sheet's tab widget.
    QWidget* CreatePage(QWidget* parent);
    void EnsureInitialized();

    CString m_caption;
    CPropertySheet* m_pSheet = nullptr;
    bool m_initialized = false;
    bool m_modified = false;
};
