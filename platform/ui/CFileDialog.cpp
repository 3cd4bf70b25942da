#include "CFileDialog.h"

#include "CWnd.h"
#include "ModalRunner.h"
#include "QtText.h"

CFileDialog::CFileDialog(BOOL openFileDialog, LPCTSTR defaultExtension, LPCTSTR fileName, DWORD flags,
                         LPCTSTR filter, CWnd* parent)
    : m_open(openFileDialog),
      m_defaultExtension(defaultExtension),
      m_initialFileName(fileName),
      m_flags(flags),
      m_filter(filter),
      m_parent(parent) {}

INT_PTR CFileDialog::DoModal() {
    m_path.Empty();
    const INT_PTR result = ModalRunner::Current().RunFileDialog(*this);
    if (result != IDOK || m_path.IsEmpty())
        return IDCANCEL;
    return IDOK;
}

QStringList CFileDialog::ParseFilter(const CString& filter) {
    // Pairs of description and patterns; an empty description ends the list. A
    // pair cut short (no patterns) is dropped.
    const QStringList parts = ToQString(filter).split(QLatin1Char('|'));
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        if (description.isEmpty() || description == QLatin1String(";"))
            break;
        QStringList patterns;
        for (const QString& p : parts[i + 1].split(QLatin1Char(';'), Qt::SkipEmptyParts))
            patterns << p.trimmed();
        if (patterns.isEmpty())
            continue;
        const QString joined = patterns.join(QLatin1Char(' '));
        // Qt reads the patterns from the parentheses of the name filter.
        QString name = description;
        const qsizetype open = name.lastIndexOf(QLatin1Char('('));
        if (open >= 0)
            name = name.left(open).trimmed();
        result << QStringLiteral("%1 (%2)").arg(name, joined);
    }
    return result;
}

bool CFileDialog::ConfirmReplace(const CString& path, CWnd* parent) {
    CFileDialog named(FALSE);
    named.m_path = path;
    const CString text = named.GetFileName() + CString(u" already exists.\nDo you want to replace it?");
    QWidget* owner = parent && parent->GetWidget() ? parent->GetWidget()->window() : nullptr;
    return ModalRunner::Current().MessageBox(owner, text, ModalRunner::DefaultCaption(),
                                             MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
}

QStringList CFileDialog::GetQtNameFilters() const {
    return ParseFilter(m_filter);
}

void CFileDialog::SetChosenPath(const CString& path) {
    m_path = path;
    if (m_path.IsEmpty() || m_defaultExtension.IsEmpty())
        return;
    const std::u16string& full = m_path.str();
    const std::size_t slash = full.find_last_of(u"\\/");
    const std::size_t dot = full.find_last_of(u'.');
    if (dot == std::u16string::npos || (slash != std::u16string::npos && dot < slash)) {
        m_path += u'.';
        m_path += m_defaultExtension;
    }
}

CString CFileDialog::GetFileName() const {
    const std::u16string& full = m_path.str();
    const std::size_t slash = full.find_last_of(u"\\/");
    return CString(slash == std::u16string::npos ? full : full.substr(slash + 1));
}

CString CFileDialog::GetFileTitle() const {
    const CString name = GetFileName();
    const int dot = name.ReverseFind(u'.');
    return dot < 0 ? name : name.Left(dot);
}

CString CFileDialog::GetFileExt() const {
    const CString name = GetFileName();
    const int dot = name.ReverseFind(u'.');
    return dot < 0 ? CString() : name.Mid(dot + 1);
}
