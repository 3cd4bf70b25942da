#include "CComboBox.h"

#include "QtText.h"

#include <QComboBox>
#include <QLineEdit>

BOOL CComboBox::Attach(QWidget* combo) {
    m_combo = qobject_cast<QComboBox*>(combo);
    return m_combo ? TRUE : FALSE;
}

void CComboBox::Detach() {
    m_combo = nullptr;
}

int CComboBox::AddString(LPCTSTR text) {
    if (!m_combo)
        return CB_ERR;
    const QString value = ToQString(text);
    int index = m_combo->count();
    if (m_combo->property("sorted").toBool()) {
        // After equal entries, so that equal texts keep their order of arrival; the
        // entries are in order, so a binary search finds the place (long lists).
        int low = 0;
        int high = m_combo->count();
        while (low < high) {
            const int middle = low + (high - low) / 2;
            if (m_combo->itemText(middle).compare(value, Qt::CaseInsensitive) <= 0)
                low = middle + 1;
            else
                high = middle;
        }
        index = low;
    }
    // Inserting must not change what the edit field shows.
    const QString shown = m_combo->isEditable() ? m_combo->currentText() : QString();
    const bool keepText = m_combo->isEditable() && m_combo->currentIndex() < 0;
    m_combo->insertItem(index, value);
    if (keepText) {
        m_combo->setCurrentIndex(-1);
        m_combo->setEditText(shown);
    }
    return index;
}

int CComboBox::InsertString(int index, LPCTSTR text) {
    if (!m_combo)
        return CB_ERR;
    if (index < 0 || index > m_combo->count())
        index = m_combo->count();
    m_combo->insertItem(index, ToQString(text));
    return index;
}

int CComboBox::DeleteString(UINT index) {
    if (!m_combo || index >= static_cast<UINT>(m_combo->count()))
        return CB_ERR;
    m_combo->removeItem(static_cast<int>(index));
    return m_combo->count();
}

void CComboBox::ResetContent() {
    if (m_combo)
        m_combo->clear();
}

int CComboBox::GetCount() const {
    return m_combo ? m_combo->count() : CB_ERR;
}

int CComboBox::GetCurSel() const {
    return m_combo && m_combo->currentIndex() >= 0 ? m_combo->currentIndex() : CB_ERR;
}

int CComboBox::SetCurSel(int index) {
    if (!m_combo)
        return CB_ERR;
    if (index < 0 || index >= m_combo->count()) {
        m_combo->setCurrentIndex(-1);
        if (m_combo->isEditable())
            m_combo->setEditText(QString());
        return CB_ERR;
    }
    m_combo->setCurrentIndex(index);
    return index;
}

int CComboBox::GetLBText(int index, CString& text) const {
    if (!m_combo || index < 0 || index >= m_combo->count())
        return CB_ERR;
    text = ToCString(m_combo->itemText(index));
    return text.GetLength();
}

int CComboBox::GetLBTextLen(int index) const {
    if (!m_combo || index < 0 || index >= m_combo->count())
        return CB_ERR;
    return static_cast<int>(m_combo->itemText(index).size());
}

int CComboBox::Find(int startAfter, LPCTSTR text, bool exact) const {
    if (!m_combo || m_combo->count() == 0)
        return CB_ERR;
    const QString wanted = ToQString(text);
    const int count = m_combo->count();
    const int first = startAfter < 0 || startAfter >= count ? 0 : startAfter + 1;
    for (int n = 0; n < count; ++n) {
        const int i = (first + n) % count;
        const QString item = m_combo->itemText(i);
        const bool match = exact ? item.compare(wanted, Qt::CaseInsensitive) == 0
                                 : item.startsWith(wanted, Qt::CaseInsensitive);
        if (match)
            return i;
    }
    return CB_ERR;
}

int CComboBox::FindString(int startAfter, LPCTSTR prefix) const {
    return Find(startAfter, prefix, false);
}

int CComboBox::FindStringExact(int startAfter, LPCTSTR text) const {
    return Find(startAfter, text, true);
}

int CComboBox::SelectString(int startAfter, LPCTSTR prefix) {
    const int index = FindString(startAfter, prefix);
    if (index != CB_ERR)
        m_combo->setCurrentIndex(index);
    return index;
}

int CComboBox::SetItemData(int index, DWORD_PTR data) {
    if (!m_combo || index < 0 || index >= m_combo->count())
        return CB_ERR;
    m_combo->setItemData(index, QVariant::fromValue<qulonglong>(data));
    return 0;
}

DWORD_PTR CComboBox::GetItemData(int index) const {
    if (!m_combo || index < 0 || index >= m_combo->count())
        return static_cast<DWORD_PTR>(CB_ERR);
    return static_cast<DWORD_PTR>(m_combo->itemData(index).toULongLong());
}

void CComboBox::GetWindowText(CString& text) const {
    text = m_combo ? ToCString(m_combo->currentText()) : CString();
}

void CComboBox::SetWindowText(LPCTSTR text) {
    if (!m_combo)
        return;
    if (m_combo->isEditable())
        m_combo->setEditText(ToQString(text));
    else
        m_combo->setCurrentIndex(m_combo->findText(ToQString(text), Qt::MatchFixedString));
}

BOOL CComboBox::EnableWindow(BOOL enable) {
    if (!m_combo)
        return FALSE;
    const BOOL wasDisabled = !m_combo->isEnabled();
    m_combo->setEnabled(enable != FALSE);
    return wasDisabled;
}
