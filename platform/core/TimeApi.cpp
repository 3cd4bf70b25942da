#include "TimeApi.h"

#include "WinError.h"

#include <ctime>
#include <time.h>

namespace {

constexpr std::int64_t kTicksPerSecond = 10000000;
// Seconds from 1601-01-01 to 1970-01-01.
constexpr std::int64_t kEpochDelta = 11644473600LL;

std::uint64_t Ticks(const FILETIME& ft) {
    return (static_cast<std::uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

FILETIME FromTicks(std::uint64_t ticks) {
    FILETIME ft;
    ft.dwLowDateTime = static_cast<DWORD>(ticks & 0xFFFFFFFFu);
    ft.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    return ft;
}

// Days since 1970-01-01 of a proleptic Gregorian date, and back.
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

void CivilFromDays(std::int64_t z, std::int64_t& y, unsigned& m, unsigned& d) {
    z += 719468;
    const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    y = static_cast<std::int64_t>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y += m <= 2;
}

bool IsLeap(int y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m) {
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && IsLeap(y) ? 29 : days[m - 1];
}

void FillFromTm(const std::tm& tm, long nanoseconds, SYSTEMTIME* st) {
    st->wYear = static_cast<WORD>(tm.tm_year + 1900);
    st->wMonth = static_cast<WORD>(tm.tm_mon + 1);
    st->wDayOfWeek = static_cast<WORD>(tm.tm_wday);
    st->wDay = static_cast<WORD>(tm.tm_mday);
    st->wHour = static_cast<WORD>(tm.tm_hour);
    st->wMinute = static_cast<WORD>(tm.tm_min);
    st->wSecond = static_cast<WORD>(tm.tm_sec > 59 ? 59 : tm.tm_sec);
    st->wMilliseconds = static_cast<WORD>(nanoseconds / 1000000);
}

}  // namespace

void GetLocalTime(LPSYSTEMTIME time) {
    if (!time)
        return;
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    std::tm tm{};
    localtime_r(&ts.tv_sec, &tm);
    FillFromTm(tm, ts.tv_nsec, time);
}

void GetSystemTime(LPSYSTEMTIME time) {
    if (!time)
        return;
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    std::tm tm{};
    gmtime_r(&ts.tv_sec, &tm);
    FillFromTm(tm, ts.tv_nsec, time);
}

BOOL FileTimeToSystemTime(const FILETIME* fileTime, LPSYSTEMTIME systemTime) {
    if (!fileTime || !systemTime) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::uint64_t ticks = Ticks(*fileTime);
    if (ticks >= 0x8000000000000000ULL) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const auto totalSeconds = static_cast<std::int64_t>(ticks / kTicksPerSecond);
    const auto subTicks = static_cast<std::int64_t>(ticks % kTicksPerSecond);
    const std::int64_t unixSeconds = totalSeconds - kEpochDelta;
    std::int64_t days = unixSeconds / 86400;
    std::int64_t secondOfDay = unixSeconds % 86400;
    if (secondOfDay < 0) {
        secondOfDay += 86400;
        --days;
    }
    std::int64_t y;
    unsigned m, d;
    CivilFromDays(days, y, m, d);
    systemTime->wYear = static_cast<WORD>(y);
    systemTime->wMonth = static_cast<WORD>(m);
    systemTime->wDay = static_cast<WORD>(d);
    // 1970-01-01 was a Thursday (4).
    std::int64_t wday = (days + 4) % 7;
    if (wday < 0)
        wday += 7;
    systemTime->wDayOfWeek = static_cast<WORD>(wday);
    systemTime->wHour = static_cast<WORD>(secondOfDay / 3600);
    systemTime->wMinute = static_cast<WORD>(secondOfDay / 60 % 60);
    systemTime->wSecond = static_cast<WORD>(secondOfDay % 60);
    systemTime->wMilliseconds = static_cast<WORD>(subTicks / 10000);
    return TRUE;
}

BOOL SystemTimeToFileTime(const SYSTEMTIME* st, LPFILETIME fileTime) {
    if (!st || !fileTime || st->wYear < 1601 || st->wYear > 30827 || st->wMonth < 1 ||
        st->wMonth > 12 || st->wDay < 1 || st->wDay > DaysInMonth(st->wYear, st->wMonth) ||
        st->wHour > 23 || st->wMinute > 59 || st->wSecond > 59 || st->wMilliseconds > 999) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::int64_t days = DaysFromCivil(st->wYear, st->wMonth, st->wDay);
    const std::int64_t seconds =
        days * 86400 + st->wHour * 3600 + st->wMinute * 60 + st->wSecond + kEpochDelta;
    *fileTime = FromTicks(static_cast<std::uint64_t>(seconds) * kTicksPerSecond +
                          static_cast<std::uint64_t>(st->wMilliseconds) * 10000);
    return TRUE;
}

// The offset used is the one in force at that moment in the process's time zone.
BOOL FileTimeToLocalFileTime(const FILETIME* fileTime, LPFILETIME localFileTime) {
    if (!fileTime || !localFileTime) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::uint64_t ticks = Ticks(*fileTime);
    const std::time_t seconds =
        static_cast<std::time_t>(ticks / kTicksPerSecond) - static_cast<std::time_t>(kEpochDelta);
    std::tm tm{};
    if (!localtime_r(&seconds, &tm)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::int64_t shifted =
        static_cast<std::int64_t>(ticks) + static_cast<std::int64_t>(tm.tm_gmtoff) * kTicksPerSecond;
    if (shifted < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *localFileTime = FromTicks(static_cast<std::uint64_t>(shifted));
    return TRUE;
}

BOOL LocalFileTimeToFileTime(const FILETIME* localFileTime, LPFILETIME fileTime) {
    if (!localFileTime || !fileTime) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    const std::uint64_t ticks = Ticks(*localFileTime);
    const auto sub = static_cast<std::int64_t>(ticks % kTicksPerSecond);
    // Break the local value down as if it were UTC, then let mktime find the offset.
    const std::time_t asUtc =
        static_cast<std::time_t>(ticks / kTicksPerSecond) - static_cast<std::time_t>(kEpochDelta);
    std::tm tm{};
    if (!gmtime_r(&asUtc, &tm)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    tm.tm_isdst = -1;
    const std::time_t utc = mktime(&tm);
    const std::int64_t result =
        (static_cast<std::int64_t>(utc) + kEpochDelta) * kTicksPerSecond + sub;
    if (result < 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *fileTime = FromTicks(static_cast<std::uint64_t>(result));
    return TRUE;
}

DWORD GetTickCount() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    const std::uint64_t ms = static_cast<std::uint64_t>(ts.tv_sec) * 1000u +
                             static_cast<std::uint64_t>(ts.tv_nsec) / 1000000u;
    return static_cast<DWORD>(ms);
}

FILETIME FileTimeFromUnix(std::int64_t seconds, std::int64_t nanoseconds) {
    // Before 1601 cannot be expressed; clamp to the epoch of FILETIME.
    if (seconds < -kEpochDelta)
        return FromTicks(0);
    const std::int64_t ticks = (seconds + kEpochDelta) * kTicksPerSecond + nanoseconds / 100;
    return FromTicks(ticks < 0 ? 0 : static_cast<std::uint64_t>(ticks));
}

std::int64_t FileTimeToUnixSeconds(const FILETIME& fileTime) {
    return static_cast<std::int64_t>(Ticks(fileTime) / kTicksPerSecond) - kEpochDelta;
}
