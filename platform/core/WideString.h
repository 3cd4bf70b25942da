// Wide (UTF-16) C-string helpers with the device's semantics. Case mapping covers
// ASCII, Latin-1, Latin Extended-A, Greek and Cyrillic, enough for item names.
#pragma once
#include "WinTypes.h"
#include <string>
#include <string_view>

WCHAR towlower16(WCHAR c);
WCHAR towupper16(WCHAR c);

std::size_t wcslen16(const WCHAR* s);
int _wcsicmp(const WCHAR* a, const WCHAR* b);
int _wcsnicmp(const WCHAR* a, const WCHAR* b, std::size_t n);
WCHAR* _wcslwr(WCHAR* s);
WCHAR* _wcsupr(WCHAR* s);

// TCHAR names used by the framework and the program.
std::size_t _tcslen(const TCHAR* s);
int _tcscmp(const TCHAR* a, const TCHAR* b);
int _tcsncmp(const TCHAR* a, const TCHAR* b, std::size_t n);
int _tcsicmp(const TCHAR* a, const TCHAR* b);
int _tcsnicmp(const TCHAR* a, const TCHAR* b, std::size_t n);
TCHAR* _tcscpy(TCHAR* dst, const TCHAR* src);
TCHAR* _tcsncpy(TCHAR* dst, const TCHAR* src, std::size_t n);
TCHAR* _tcscat(TCHAR* dst, const TCHAR* src);
const TCHAR* _tcschr(const TCHAR* s, TCHAR c);
const TCHAR* _tcsrchr(const TCHAR* s, TCHAR c);
const TCHAR* _tcsstr(const TCHAR* s, const TCHAR* what);

// Folded (lower-case) copy, used for case-insensitive keys.
std::u16string FoldCase(std::u16string_view s);
// The same into out, whose room is reused (no allocation once it is big enough).
void FoldCaseInto(std::u16string_view s, std::u16string& out);
bool EqualsNoCase(std::u16string_view a, std::u16string_view b);
int CompareNoCase(std::u16string_view a, std::u16string_view b);

// UTF-8 <-> UTF-16 for host paths and the store. Malformed input becomes U+FFFD / '?'.
std::string ToUtf8(std::u16string_view s);
std::u16string FromUtf8(std::string_view s);
