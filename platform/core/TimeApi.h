// Time: FILETIME is 100 ns since 1601-01-01 UTC, as on the device.
#pragma once
#include "WinTypes.h"

void GetLocalTime(LPSYSTEMTIME time);
void GetSystemTime(LPSYSTEMTIME time);
BOOL FileTimeToSystemTime(const FILETIME* fileTime, LPSYSTEMTIME systemTime);
BOOL SystemTimeToFileTime(const SYSTEMTIME* systemTime, LPFILETIME fileTime);
BOOL FileTimeToLocalFileTime(const FILETIME* fileTime, LPFILETIME localFileTime);
BOOL LocalFileTimeToFileTime(const FILETIME* localFileTime, LPFILETIME fileTime);
DWORD GetTickCount();

// Conversions between FILETIME and Unix seconds/nanoseconds.
FILETIME FileTimeFromUnix(std::int64_t seconds, std::int64_t nanoseconds = 0);
std::int64_t FileTimeToUnixSeconds(const FILETIME& fileTime);
