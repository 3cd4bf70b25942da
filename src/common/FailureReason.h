// Why a file or the store could not be written, in plain words for the line under a
// failure message: "The disk is full.", "Permission denied.", "There is a folder of
// that name, not a file." ... The Win32 error alone can blame the wrong thing (a
// folder in a file's place reads as access denied), so the path is looked at too.
#pragma once
#include "windows.h"

#include <string>

class FailureReason {
public:
    FailureReason() = delete;

    // The reason for error on path (path may be null); "" for ERROR_SUCCESS.
    static std::u16string Of(DWORD error, const TCHAR* path = nullptr);
    // text, and the reason on the line under it when there is one.
    static std::u16string Append(const std::u16string& text, DWORD error, const TCHAR* path = nullptr);
};
