// Code page conversions. CP_ACP is Windows-1252, the handheld's Western code page;
// a character with no byte there becomes '?'.
#pragma once
#include "WinTypes.h"

#define CP_ACP 0
#define CP_UTF8 65001
#define MB_PRECOMPOSED 1

// Win32 contract: cchWideChar/cbMultiByte 0 asks for the needed size; a length of -1
// means "up to and including the terminator". Returns 0 and sets the last error on failure
// (ERROR_INSUFFICIENT_BUFFER, ERROR_INVALID_PARAMETER).
int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR mb, int cbMultiByte, LPWSTR wide,
                        int cchWideChar);
int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR wide, int cchWideChar, LPSTR mb,
                        int cbMultiByte, LPCSTR defaultChar, BOOL* usedDefaultChar);
