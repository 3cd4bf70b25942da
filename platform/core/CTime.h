// A point in time as a count of seconds since 1970-01-01 UTC, broken down in local time.
#pragma once
#include "WinTypes.h"
#include <ctime>

class CTime {
public:
    CTime() = default;
    explicit CTime(std::time_t seconds) : m_time(seconds) {}
    // Local date and time; out-of-range fields are normalised as mktime does.
    CTime(int year, int month, int day, int hour, int minute, int second);
    CTime(const SYSTEMTIME& localTime);
    CTime(const FILETIME& fileTime);

    static CTime GetCurrentTime();

    std::time_t GetTime() const { return m_time; }
    // Local break-down; false when the time cannot be represented.
    bool GetLocalTm(std::tm& out) const;
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;  // 1 = Sunday, as on the device

    friend bool operator==(const CTime& a, const CTime& b) { return a.m_time == b.m_time; }
    friend bool operator<(const CTime& a, const CTime& b) { return a.m_time < b.m_time; }

protected:
    std::time_t m_time = 0;
};
