// Conversions between ANSI text (the system code page, Windows-1252) and UTF-16.
// Results are new[] copies, terminated, that the caller frees with delete[]; on failure
// the output is null and nothing is left allocated.
#pragma once
#include "windows.h"

class UnicodeUtil {
public:
    UnicodeUtil() = delete;

    // Null input gives out = null and true.
    static bool AnsiToUnicode(const char* ansi, TCHAR** out);
    // Null input gives out = null and false. Characters without a byte in the code page
    // become '?'.
    static bool UnicodeToAnsi(const TCHAR* text, char** out);
};
