#include "CListBox.h"

#include "QtText.h"

#include <QListWidget>

BOOL CListBox::Attach(QWidget* list) {
    m_list = qobject_cast<QListWidget*>(list);
    return m_list ? TRUE : FALSE;
}

void CListBox::Detach() {
    m_list = nullptr;
}

int CListBox::AddString(LPCTSTR text) {
    if (!m_list)
        return LB_ERR;
    const QString value = ToQString(text);
    int index = m_list->count();
    if (m_list->property("sorted").toBool()) {
        index = 0;
        while (index < m_list->count() && m_list->item(index)->text().compare(value, Qt::CaseInsensitive) <= 0)
            ++index;
    }
    m_list->insertItem(index, value);
    return index;
}

int CListBox::InsertString(int index, LPCTSTR text) {
    if (!m_list)
        return LB_ERR;
    if (index < 0 || index > m_list->count())
        index = m_list->count();
    m_list->insertItem(index, ToQString(text));
    return index;
}

int CListBox::DeleteString(UINT index) {
    if (!m_list || index >= static_cast<UINT>(m_list->count()))
        return LB_ERR;
    delete m_list->takeItem(static_cast<int>(index));
    return m_list->count();
}

void CListBox::ResetContent() {
    if (m_list)
        m_list->clear();
}

int CListBox::GetCount() const {
    return m_list ? m_list->count() : LB_ERR;
}

int CListBox::GetCurSel() const {
    return m_list && m_list->currentRow() >= 0 ? m_list->currentRow() : LB_ERR;
}

int CListBox::SetCurSel(int index) {
    if (!m_list)
        return LB_ERR;
    if (index < 0 || index >= m_list->count()) {
        m_list->setCurrentRow(-1);
        return LB_ERR;
    }
    m_list->setCurrentRow(index);
    return index;
}

int CListBox::GetText(int index, CString& text) const {
    if (!m_list || index < 0 || index >= m_list->count())
        return LB_ERR;
    text = ToCString(m_list->item(index)->text());
    return text.GetLength();
}

int CListBox::GetTextLen(int index) const {
    if (!m_list || index < 0 || index >= m_list->count())
        return LB_ERR;
    return static_cast<int>(m_list->item(index)->text().size());
}

int CListBox::Find(int startAfter, LPCTSTR text, bool exact) const {
    if (!m_list || m_list->count() == 0)
        return LB_ERR;
    const QString wanted = ToQString(text);
    const int count = m_list->count();
    const int first = startAfter < 0 || startAfter >= count ? 0 : startAfter + 1;
    for (int n = 0; n < count; ++n) {
        const int i = (first + n) % count;
        const QString item = m_list->item(i)->text();
        if (exact ? item.compare(wanted, Qt::CaseInsensitive) == 0 : item.startsWith(wanted, Qt::CaseInsensitive))
            return i;
    }
    return LB_ERR;
}

int CListBox::FindString(int startAfter, LPCTSTR prefix) const {
    return Find(startAfter, prefix, false);
}

int CListBox::FindStringExact(int startAfter, LPCTSTR text) const {
    return Find(startAfter, text, true);
}

int CListBox::SelectString(int startAfter, LPCTSTR prefix) {
    const int index = FindString(startAfter, prefix);
    if (index != LB_ERR)
        m_list->setCurrentRow(index);
    return index;
}

int CListBox::SetItemData(int index, DWORD_PTR data) {
    if (!m_list || index < 0 || index >= m_list->count())
        return LB_ERR;
    m_list->item(index)->setData(Qt::UserRole, QVariant::fromValue<qulonglong>(data));
    return 0;
}

DWORD_PTR CListBox::GetItemData(int index) const {
    if (!m_list || index < 0 || index >= m_list->count())
        return static_cast<DWORD_PTR>(LB_ERR);
    return static_cast<DWORD_PTR>(m_list->item(index)->data(Qt::UserRole).toULongLong());
}
