// CFloatEdit: an edit control for a decimal number. Only digits, ".", "+", "-" and
// backspace reach the text. With validate mode on, a text that is no number (a second
// decimal point, say) beeps and puts the selection back as it was before the key;
// with bounds set, a number outside them is refused with a message, either on each key
// or when the focus leaves (the default), except when the focus goes to Cancel.
#pragma once
#include "CWnd.h"

#include <string>

class QLineEdit;

class CFloatEdit : public CWnd {
public:
    CFloatEdit();

    // Attaches this object to the edit control id of parent.
    BOOL Subclass(UINT id, CWnd* parent);

    void SetBounds(float lower, float upper);
    // Each returns the previous value.
    BOOL SetSilentMode(BOOL silent);
    BOOL SetValidateMode(BOOL validate);
    // True: range checks when the focus leaves; false: on each key.
    void SetValidateTime(BOOL onFocusLoss) { m_validateOnFocusLoss = onFocusLoss != FALSE; }
    // printf width and precision of the numbers in the range messages ("6.2"). Only
    // digits around at most one "." are taken; anything else keeps the current one.
    void SetPrecisionString(LPCTSTR precision);
    void SetAcceptNegative(BOOL accept) { m_acceptNegative = accept != FALSE; }
    BOOL GetAcceptNegative() const { return m_acceptNegative; }

    // True when validate mode is off or the text is a number (and, with fullCheck and
    // bounds, within them); a range failure shows its message unless silent.
    BOOL Validate(BOOL fullCheck);
    // The text as a number (0 when it is none).
    double GetValue() const;
    // Shows value with two decimals when it lies within the bounds (a bound that was
    // never set does not limit); otherwise changes nothing and returns false.
    BOOL SetValue(float value);

    QLineEdit* GetEdit() const;

protected:
    void OnChar(UINT nChar, UINT repeat, UINT flags) override;
    void OnKeyDown(UINT key, UINT repeat, UINT flags) override;
    void OnKeyUp(UINT key, UINT repeat, UINT flags) override;
    void OnSetFocus(QWidget* oldFocus) override;
    void OnKillFocus(QWidget* newFocus) override;
    // The device's beep.
    virtual void Beep();

private:
    CString Text() const;
    void RememberGoodState();
    void RestoreSelection();
    CString RangeMessage(const TCHAR* text, float bound) const;

    float m_upper = 0;
    float m_lower = 0;
    bool m_upperSet = false;
    bool m_lowerSet = false;
    bool m_silent = false;
    bool m_validateOnFocusLoss = true;
    bool m_acceptNegative = false;
    std::u16string m_precision = u"6.2";
    std::u16string m_lastGoodText;
    short m_lastSelStart = -1;
    short m_lastSelEnd = -1;
    bool m_validateMode = false;
    int m_reentry = 0;
};
