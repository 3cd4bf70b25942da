// A CTime with the framework's own small format language:
// %S %M %H (two digits), %d (no leading zero), %m %y (two digits), %Y (full year),
// %b / %B (lower-case short / long month name), %% (a percent sign); "%" before any
// other character gives that character alone.
#pragma once
#include "windows.h"

class CExtTime : public CTime {
public:
    // Size in characters, terminator included, of the text Format produces at most;
    // longer expansions are cut.
    static constexpr int maxTimeBufferSize = 128;
    static const TCHAR* const SHORT_MOUNTS_NAMES[12];
    static const TCHAR* const LONG_MOUNTS_NAMES[12];

    CExtTime() = default;
    CExtTime(const CExtTime& other) = default;
    CExtTime& operator=(const CExtTime& other) = default;
    explicit CExtTime(const CTime& time) : CTime(time) {}
    explicit CExtTime(std::time_t seconds) : CTime(seconds) {}

    CString Format(const TCHAR* format) const;
    static CString Format(const CTime& time, const TCHAR* format);
};
