// printf-style formatting with the device's wide semantics: %s and %c take wide
// arguments, %S and %C narrow ones; "l" is 32 bits (LONG), "ll"/"I64" 64 bits.
// The buffer is always terminated; -1 means the text did not fit (it is cut).
#pragma once
#include "WinTypes.h"
#include <cstdarg>
#include <string>

int _vsnwprintf(WCHAR* buffer, std::size_t count, const WCHAR* format, va_list args);
int _snwprintf(WCHAR* buffer, std::size_t count, const WCHAR* format, ...);
// Unbounded variant for callers that own a growable string.
std::u16string FormatV(const WCHAR* format, va_list args);
std::u16string Format(const WCHAR* format, ...);
