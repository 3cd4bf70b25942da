// Small text and path helpers shared by the framework and the program.
#pragma once
#include "windows.h"

#include <cstddef>

class Util {
public:
    Util() = delete;

    // A new[] copy of the text, or null for null; the caller frees it with delete[].
    static TCHAR* tcsdup(const TCHAR* text);

    // Appends a path component: exactly one "\" goes between a non-empty path and the
    // name unless the path ends with "\" or the name begins with one. An empty path
    // takes the name as it is.
    static void AppendPath(CString& path, const CString& name);
    static void AppendPath(CString& path, const TCHAR* name);
    // The buffer holds size characters, terminator included. When the result would not
    // fit, the buffer is left unchanged and false is returned.
    static bool AppendPath(TCHAR* path, std::size_t size, const TCHAR* name);

    // "Error code =<hex>" for the code, or for GetLastError() when code is -1, as a
    // new[] text that the caller frees with delete[].
    static TCHAR* GetErrorMessage(long code);
    // Shows the system's text for the code (the last error when code is -1) in a
    // message box captioned "Error".
    static void DisplayErrorMessage(long code);
    // The system's text for an error code, as the message box shows it: a short English
    // text for the common codes, else "Error code =<hex>".
    static CString GetSystemErrorText(DWORD code);
};
