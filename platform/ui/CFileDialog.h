// Open and save file dialogs, run through the modal runner. The filter has the
// device form "Text (*.txt)|*.txt|All (*.*)|*.*||": pairs of a description and
// patterns separated by ';'.
#pragma once
#include "UiTypes.h"

#include <QStringList>

class CWnd;

class CFileDialog {
public:
    CFileDialog(BOOL openFileDialog, LPCTSTR defaultExtension = nullptr, LPCTSTR fileName = nullptr,
                DWORD flags = OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LPCTSTR filter = nullptr,
                CWnd* parent = nullptr);
    virtual ~CFileDialog() = default;

    // IDOK when a file was chosen, IDCANCEL otherwise.
    virtual INT_PTR DoModal();

    CString GetPathName() const { return m_path; }
    // The file name with its extension.
    CString GetFileName() const;
    // The file name without its extension.
    CString GetFileTitle() const;
    CString GetFileExt() const;

    BOOL IsOpenDialog() const { return m_open; }
    DWORD GetFlags() const { return m_flags; }
    const CString& GetDefaultExtension() const { return m_defaultExtension; }
    const CString& GetInitialFileName() const { return m_initialFileName; }
    const CString& GetFilter() const { return m_filter; }
    CWnd* GetParentWnd() const { return m_parent; }
    // The filter as Qt name filters: "Listora files (*.lsr)".
    QStringList GetQtNameFilters() const;
    // Used by the modal runner: the chosen path, with the default extension added
    // when the name has none.
    void SetChosenPath(const CString& path);

    static QStringList ParseFilter(const CString& filter);
    // The question a save asks before it writes over an existing file: true for Yes.
    static bool ConfirmReplace(const CString& path, CWnd* parent = nullptr);

private:
    BOOL m_open;
    CString m_defaultExtension;
    CString m_initialFileName;
    DWORD m_flags;
    CString m_filter;
    CWnd* m_parent;
    CString m_path;
};
