#include "CString.h"

#include "WideFormat.h"
#include "WideString.h"

namespace {

bool IsSpace(char16_t c) {
    return c == u' ' || (c >= 0x09 && c <= 0x0D);
}

std::size_t Clamp(int value, std::size_t max) {
    if (value < 0)
        return 0;
    return static_cast<std::size_t>(value) > max ? max : static_cast<std::size_t>(value);
}

}  // namespace

CString::CString(const WCHAR* text) {
    if (text)
        m_text = text;
}

CString::CString(const WCHAR* text, int length) {
    if (text && length > 0)
        m_text.assign(text, static_cast<std::size_t>(length));
}

CString::CString(WCHAR c, int repeat) {
    if (repeat > 0)
        m_text.assign(static_cast<std::size_t>(repeat), c);
}

void CString::Format(const WCHAR* format, ...) {
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::FormatV(const WCHAR* format, va_list args) {
    m_text = ::FormatV(format, args);
}

int CString::Compare(const WCHAR* other) const {
    return _tcscmp(m_text.c_str(), other ? other : u"");
}

int CString::CompareNoCase(const WCHAR* other) const {
    return _wcsicmp(m_text.c_str(), other ? other : u"");
}

CString CString::Left(int count) const {
    return CString(m_text.substr(0, Clamp(count, m_text.size())));
}

CString CString::Right(int count) const {
    const std::size_t n = Clamp(count, m_text.size());
    return CString(m_text.substr(m_text.size() - n));
}

CString CString::Mid(int first) const {
    return CString(m_text.substr(Clamp(first, m_text.size())));
}

CString CString::Mid(int first, int count) const {
    const std::size_t start = Clamp(first, m_text.size());
    return CString(m_text.substr(start, Clamp(count, m_text.size() - start)));
}

int CString::Find(WCHAR c, int start) const {
    if (start < 0)
        start = 0;
    if (static_cast<std::size_t>(start) >= m_text.size())
        return -1;
    const std::size_t at = m_text.find(c, static_cast<std::size_t>(start));
    return at == std::u16string::npos ? -1 : static_cast<int>(at);
}

int CString::Find(const WCHAR* text, int start) const {
    if (!text)
        return -1;
    if (start < 0)
        start = 0;
    if (static_cast<std::size_t>(start) > m_text.size())
        return -1;
    const std::size_t at = m_text.find(text, static_cast<std::size_t>(start));
    return at == std::u16string::npos ? -1 : static_cast<int>(at);
}

int CString::ReverseFind(WCHAR c) const {
    const std::size_t at = m_text.rfind(c);
    return at == std::u16string::npos ? -1 : static_cast<int>(at);
}

CString& CString::MakeLower() {
    for (char16_t& c : m_text)
        c = towlower16(c);
    return *this;
}

CString& CString::MakeUpper() {
    for (char16_t& c : m_text)
        c = towupper16(c);
    return *this;
}

CString& CString::TrimLeft() {
    std::size_t i = 0;
    while (i < m_text.size() && IsSpace(m_text[i]))
        ++i;
    m_text.erase(0, i);
    return *this;
}

CString& CString::TrimRight() {
    std::size_t n = m_text.size();
    while (n > 0 && IsSpace(m_text[n - 1]))
        --n;
    m_text.resize(n);
    return *this;
}

CString& CString::Trim() {
    TrimRight();
    return TrimLeft();
}

int CString::Replace(const WCHAR* oldText, const WCHAR* newText) {
    if (!oldText || !*oldText)
        return 0;
    const std::u16string from(oldText);
    const std::u16string to(newText ? newText : u"");
    int count = 0;
    std::size_t at = 0;
    while ((at = m_text.find(from, at)) != std::u16string::npos) {
        m_text.replace(at, from.size(), to);
        at += to.size();
        ++count;
    }
    return count;
}

int CString::Delete(int index, int count) {
    if (index >= 0 && count > 0 && static_cast<std::size_t>(index) < m_text.size())
        m_text.erase(static_cast<std::size_t>(index), static_cast<std::size_t>(count));
    return GetLength();
}

int CString::Insert(int index, const WCHAR* text) {
    if (text)
        m_text.insert(Clamp(index, m_text.size()), text);
    return GetLength();
}

WCHAR* CString::GetBuffer(int minLength) {
    if (minLength > 0 && static_cast<std::size_t>(minLength) > m_text.size())
        m_text.resize(static_cast<std::size_t>(minLength));
    return m_text.data();
}

void CString::ReleaseBuffer(int newLength) {
    if (newLength < 0) {
        const std::size_t end = m_text.find(u'\0');
        if (end != std::u16string::npos)
            m_text.resize(end);
    } else if (static_cast<std::size_t>(newLength) < m_text.size()) {
        m_text.resize(static_cast<std::size_t>(newLength));
    }
}

CString& CString::operator=(const WCHAR* text) {
    if (!text)
        m_text.clear();
    else
        m_text.assign(std::u16string(text));  // text may point into this string
    return *this;
}

CString& CString::operator+=(const WCHAR* text) {
    if (text)
        m_text.append(std::u16string(text));
    return *this;
}
