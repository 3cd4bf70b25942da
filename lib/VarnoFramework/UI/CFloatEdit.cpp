#include "CFloatEdit.h"

#include "QtText.h"
#include "System/Diagnostics/Trace.h"
#include "Text/Convert.h"

#include <QApplication>
#include <QLineEdit>
#include <algorithm>

using Diagnostics::Trace;

namespace {
// Backspace and carriage return are keys of the edit (and of the dialog's default
// button), as is delete, which the device never turns into a character.
bool IsNumberCharacter(UINT c) {
    return (c >= u'0' && c <= u'9') || c == u'.' || c == u'+' || c == u'-' || c == 0x08 || c == 0x0D || c == 0x7F;
}

// Digits, optionally "." and digits, two of each at the most: a width and a
// precision that can safely go into a format.
bool IsPrecision(std::u16string_view text) {
    const std::size_t dot = text.find(u'.');
    const std::u16string_view width = text.substr(0, dot);
    const std::u16string_view precision = dot == std::u16string_view::npos ? std::u16string_view() : text.substr(dot + 1);
    const auto digits = [](std::u16string_view part) {
        return part.size() <= 2 && std::all_of(part.begin(), part.end(), [](char16_t c) { return c >= u'0' && c <= u'9'; });
    };
    return !text.empty() && digits(width) && digits(precision) && (dot == std::u16string_view::npos || !precision.empty());
}
}  // namespace

CFloatEdit::CFloatEdit() = default;

QLineEdit* CFloatEdit::GetEdit() const {
    return qobject_cast<QLineEdit*>(GetWidget());
}

BOOL CFloatEdit::Subclass(UINT id, CWnd* parent) {
    if (!SubclassDlgItem(id, parent))
        return FALSE;
    RememberGoodState();
    return TRUE;
}

void CFloatEdit::SetBounds(float lower, float upper) {
    m_lower = lower;
    m_upper = upper;
    m_lowerSet = true;
    m_upperSet = true;
}

BOOL CFloatEdit::SetSilentMode(BOOL silent) {
    const BOOL previous = m_silent;
    m_silent = silent != FALSE;
    return previous;
}

BOOL CFloatEdit::SetValidateMode(BOOL validate) {
    const BOOL previous = m_validateMode;
    m_validateMode = validate != FALSE;
    return previous;
}

void CFloatEdit::SetPrecisionString(LPCTSTR precision) {
    if (precision && IsPrecision(precision))
        m_precision = precision;
}

CString CFloatEdit::RangeMessage(const TCHAR* text, float bound) const {
    // First the number's format ("%6.2f"), then the number in it.
    CString format;
    format.Format(text, m_precision.c_str());
    CString message;
    message.Format(format, static_cast<double>(bound));
    return message;
}

BOOL CFloatEdit::Validate(BOOL fullCheck) {
    if (!m_validateMode)
        return TRUE;
    const CString text = Text();
    float value = 0;
    const CONVERTION_ERRORS result = _ttof(text, value, true, true);
    if (result == CE_EMPTY)
        return FALSE;
    if (result != CE_OK) {
        Beep();
        return FALSE;
    }
    if (!fullCheck)
        return TRUE;
    if (m_upperSet && value > m_upper) {
        if (!m_silent)
            MessageBox(RangeMessage(u"The number must be smaller than %%%sf", m_upper));
        return FALSE;
    }
    if (m_lowerSet && value < m_lower) {
        if (!m_silent)
            MessageBox(RangeMessage(u"The number must be greater than %%%sf", m_lower));
        return FALSE;
    }
    return TRUE;
}

CString CFloatEdit::Text() const {
    QLineEdit* edit = GetEdit();
    return edit ? ToCString(edit->text()) : CString();
}

double CFloatEdit::GetValue() const {
    double value = 0;
    _ttod(Text(), value);
    return value;
}

BOOL CFloatEdit::SetValue(float value) {
    QLineEdit* edit = GetEdit();
    if (!edit || (m_lowerSet && value < m_lower) || (m_upperSet && value > m_upper))
        return FALSE;
    CString text;
    text.Format(u"%.2f", static_cast<double>(value));
    edit->setText(ToQString(text));
    return TRUE;
}

void CFloatEdit::RememberGoodState() {
    QLineEdit* edit = GetEdit();
    if (!edit)
        return;
    m_lastGoodText = ToU16String(edit->text());
    const int start = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
    const int end = edit->hasSelectedText() ? edit->selectionEnd() : edit->cursorPosition();
    m_lastSelStart = static_cast<short>(start);
    m_lastSelEnd = static_cast<short>(end);
}

void CFloatEdit::RestoreSelection() {
    QLineEdit* edit = GetEdit();
    if (!edit || m_lastSelStart < 0)
        return;
    const int length = static_cast<int>(edit->text().size());
    const int start = std::min<int>(m_lastSelStart, length);
    const int end = std::min<int>(m_lastSelEnd, length);
    // Setting the cursor also scrolls it into view.
    if (start == end)
        edit->setCursorPosition(start);
    else
        edit->setSelection(start, end - start);
}

void CFloatEdit::OnChar(UINT nChar, UINT repeat, UINT flags) {
    if (IsNumberCharacter(nChar))
        CWnd::OnChar(nChar, repeat, flags);
}

void CFloatEdit::OnKeyDown(UINT key, UINT repeat, UINT flags) {
    RememberGoodState();
    CWnd::OnKeyDown(key, repeat, flags);
}

void CFloatEdit::OnKeyUp(UINT key, UINT repeat, UINT flags) {
    CWnd::OnKeyUp(key, repeat, flags);
    const bool boundsSet = m_lowerSet && m_upperSet;
    if (Validate(!m_validateOnFocusLoss && boundsSet))
        RememberGoodState();
    else
        RestoreSelection();
}

void CFloatEdit::OnSetFocus(QWidget* oldFocus) {
    CWnd::OnSetFocus(oldFocus);
    RememberGoodState();
}

void CFloatEdit::OnKillFocus(QWidget* newFocus) {
    CWnd::OnKillFocus(newFocus);
    // Cancel must stay reachable whatever the text; a focus that leaves the window
    // (another program, or our own message box) is no move inside the dialog.
    QWidget* edit = GetWidget();
    if (!edit || !newFocus || newFocus->objectName() == QStringLiteral("2") || newFocus->window() != edit->window())
        return;
    if (m_reentry > 0 || !m_validateMode)
        return;
    ++m_reentry;
    const bool boundsSet = m_lowerSet && m_upperSet;
    if (!Validate(m_validateOnFocusLoss && boundsSet)) {
        const CString text = Text();
        Trace::WriteFormattedLine(u"Kill focus  not valid : %s", text.GetString());
        if (GetWidget())
            GetWidget()->setFocus(Qt::OtherFocusReason);
    }
    --m_reentry;
}

void CFloatEdit::Beep() {
    QApplication::beep();
}
