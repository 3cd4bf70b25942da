// A small value string over std::u16string with the operations the program uses.
#pragma once
#include "WinTypes.h"
#include <string>
#include <string_view>
#include <cstdarg>

class CString {
public:
    CString() = default;
    CString(const WCHAR* text);  // null gives the empty string
    CString(const WCHAR* text, int length);
    CString(WCHAR c, int repeat = 1);
    CString(std::u16string text) : m_text(std::move(text)) {}
    CString(std::u16string_view text) : m_text(text) {}

    int GetLength() const { return static_cast<int>(m_text.size()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    const WCHAR* GetString() const { return m_text.c_str(); }
    operator const WCHAR*() const { return m_text.c_str(); }
    const std::u16string& str() const { return m_text; }
    std::u16string& str() { return m_text; }

    WCHAR GetAt(int index) const { return m_text.at(static_cast<std::size_t>(index)); }
    void SetAt(int index, WCHAR c) { m_text.at(static_cast<std::size_t>(index)) = c; }
    WCHAR operator[](int index) const { return GetAt(index); }

    // Format strings are program constants, never data.
    void Format(const WCHAR* format, ...);
    void FormatV(const WCHAR* format, va_list args);

    int Compare(const WCHAR* other) const;
    int CompareNoCase(const WCHAR* other) const;

    CString Left(int count) const;
    CString Right(int count) const;
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    int Find(WCHAR c, int start = 0) const;
    int Find(const WCHAR* text, int start = 0) const;
    int ReverseFind(WCHAR c) const;
    CString& MakeLower();
    CString& MakeUpper();
    CString& TrimLeft();
    CString& TrimRight();
    CString& Trim();
    int Replace(const WCHAR* oldText, const WCHAR* newText);
    int Delete(int index, int count = 1);
    int Insert(int index, const WCHAR* text);

    // Buffer access as the device's string offers it: GetBuffer gives room for at
    // least minLength characters plus a terminator; ReleaseBuffer(-1) takes the text
    // up to the first NUL.
    WCHAR* GetBuffer(int minLength);
    void ReleaseBuffer(int newLength = -1);

    CString& operator=(const WCHAR* text);
    CString& operator+=(const CString& other) { m_text += other.m_text; return *this; }
    CString& operator+=(const WCHAR* text);
    CString& operator+=(WCHAR c) { m_text += c; return *this; }

    friend CString operator+(const CString& a, const CString& b) { return CString(a.m_text + b.m_text); }
    friend CString operator+(const CString& a, const WCHAR* b) { CString r(a); r += b; return r; }
    friend CString operator+(const WCHAR* a, const CString& b) { CString r(a); r += b; return r; }
    friend CString operator+(const CString& a, WCHAR b) { CString r(a); r += b; return r; }
    friend bool operator==(const CString& a, const CString& b) { return a.m_text == b.m_text; }
    friend bool operator==(const CString& a, const WCHAR* b) { return a.Compare(b) == 0; }
    friend bool operator<(const CString& a, const CString& b) { return a.m_text < b.m_text; }

private:
    std::u16string m_text;
};
