// Number parsing with explicit error codes. The sign is read but has no effect: the
// results are never negative (prices and quantities).
#pragma once
#include "windows.h"

enum CONVERTION_ERRORS {
    CE_OK = 0,
    CE_INVALID_CHARACHTER = 1,  // a character not allowed at its place
    CE_MAX_OVERFLOW = 2,        // the integer part grew too large
    CE_MIN_OVERPLOW = 3,        // too many digits after the decimal separator
    CE_EMPTY = 4,               // nothing but white space and a sign (_ttod only)
};

// Single precision. "." and, with acceptComma, "," separate the decimals. Empty text
// gives CE_OK and 0. On failure out is 0 and, unless quiet, a message box names the code.
CONVERTION_ERRORS _ttof(const TCHAR* text, float& out, bool quiet, bool acceptComma);
// Double precision, "." only, never shows a message; empty text gives CE_EMPTY and 0.
CONVERTION_ERRORS _ttod(const TCHAR* text, double& out);
// The number at the start of the text as the C runtime's atof reads it (always with "."
// as the decimal point, whatever the process locale); 0.0 when the text is null or
// cannot be converted to ANSI. Overloads the C library's atof(const char*).
double atof(const TCHAR* text);
