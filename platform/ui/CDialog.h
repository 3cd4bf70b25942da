// A dialog: a QDialog whose controls are built from the registered control table of
// its resource id (each control's objectName is its decimal id). Push buttons and
// check boxes send their id as a command to the dialog; IDOK runs OnOK and
// IDCANCEL OnCancel. DoModal goes through the modal runner. Without an OK button in
// its table the dialog gets one (the handheld has it in the title bar).
#pragma once
#include "CWnd.h"

class QDialog;
class CDataExchange;
struct DlgItemTemplate;

class CDialog : public CWnd {
public:
    explicit CDialog(UINT templateId = 0, CWnd* parent = nullptr);
    ~CDialog() override;

    // Creates the window, runs OnInitDialog and lets the modal runner run it.
    // Returns the EndDialog code, or -1 when the window cannot be created.
    virtual INT_PTR DoModal();
    // A modeless dialog: the window and OnInitDialog only.
    using CWnd::Create;
    virtual BOOL Create(UINT templateId = 0, CWnd* parent = nullptr);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    void EndDialog(int result);

    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    virtual void DoDataExchange(CDataExchange* pDX);

    void GotoDlgCtrl(QWidget* control);

    UINT GetTemplateId() const { return m_templateId; }
    QDialog* GetDialog() const;
    bool IsEnded() const { return m_ended; }
    int GetEndCode() const { return m_endCode; }
    CWnd* GetParentWnd() const { return m_pParentWnd; }

    // A Qt widget for one control of a table.
    static QWidget* CreateControl(const DlgItemTemplate& item, QWidget* parent);

protected:
    // Builds the window and the controls; property sheets build theirs.
    virtual BOOL CreateDialogWindow();
    // Builds the controls of the template into parent and returns the content.
    QWidget* BuildContent(QWidget* parent, bool* hasOkButton);
    // Connects buttons so that clicks arrive as commands.
    void ConnectControls(QWidget* content);

    UINT m_templateId;
    CWnd* m_pParentWnd;

private:
    class DialogWidget;
    bool m_ended = false;
    int m_endCode = -1;
};

// Data exchange between controls and members (UpdateData). Fail marks the
// exchange failed and puts the focus on the control last prepared; the exchanges
// that follow in the same pass do nothing.
class CDataExchange {
public:
    CDataExchange(CDialog* dialog, BOOL saveAndValidate) : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

    QWidget* PrepareCtrl(int id);
    void Fail();
    bool Failed() const { return m_failed; }

    BOOL m_bSaveAndValidate;
    CDialog* m_pDlgWnd;

private:
    QWidget* m_lastControl = nullptr;
    bool m_failed = false;
};

void DDX_Text(CDataExchange* pDX, int id, CString& value);
void DDX_Text(CDataExchange* pDX, int id, int& value);
void DDX_Text(CDataExchange* pDX, int id, UINT& value);
// Saving reads a decimal number ("Please enter a number." otherwise); loading shows it
// with up to 7 significant digits.
void DDX_Text(CDataExchange* pDX, int id, float& value);
void DDX_Check(CDataExchange* pDX, int id, int& value);
// The combo box's text (its edit or its selected entry).
void DDX_CBString(CDataExchange* pDX, int id, CString& value);
void DDX_CBIndex(CDataExchange* pDX, int id, int& index);
void DDX_LBIndex(CDataExchange* pDX, int id, int& index);
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minValue, int maxValue);
void DDV_MinMaxFloat(CDataExchange* pDX, float value, float minValue, float maxValue);
void DDV_MaxChars(CDataExchange* pDX, const CString& value, int maxChars);

// Attaches a control wrapper (CComboBox, CListBox, CListCtrl) to the dialog's control.
template <class Wrapper>
void DDX_Control(CDataExchange* pDX, int id, Wrapper& wrapper) {
    if (!wrapper.GetWidget())
        wrapper.Attach(pDX->m_pDlgWnd->GetDlgItem(id));
}
