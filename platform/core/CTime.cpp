#include "CTime.h"

#include "TimeApi.h"

#include <time.h>

CTime::CTime(int year, int month, int day, int hour, int minute, int second) {
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = -1;
    m_time = mktime(&tm);
}

CTime::CTime(const SYSTEMTIME& localTime)
    : CTime(localTime.wYear, localTime.wMonth, localTime.wDay, localTime.wHour, localTime.wMinute,
            localTime.wSecond) {}

CTime::CTime(const FILETIME& fileTime) : m_time(static_cast<std::time_t>(FileTimeToUnixSeconds(fileTime))) {}

CTime CTime::GetCurrentTime() {
    return CTime(std::time(nullptr));
}

bool CTime::GetLocalTm(std::tm& out) const {
    return localtime_r(&m_time, &out) != nullptr;
}

namespace {
template <typename F>
int Field(const CTime& t, F f) {
    std::tm tm{};
    return t.GetLocalTm(tm) ? f(tm) : 0;
}
}  // namespace

int CTime::GetYear() const { return Field(*this, [](const std::tm& tm) { return tm.tm_year + 1900; }); }
int CTime::GetMonth() const { return Field(*this, [](const std::tm& tm) { return tm.tm_mon + 1; }); }
int CTime::GetDay() const { return Field(*this, [](const std::tm& tm) { return tm.tm_mday; }); }
int CTime::GetHour() const { return Field(*this, [](const std::tm& tm) { return tm.tm_hour; }); }
int CTime::GetMinute() const { return Field(*this, [](const std::tm& tm) { return tm.tm_min; }); }
int CTime::GetSecond() const { return Field(*this, [](const std::tm& tm) { return tm.tm_sec; }); }
int CTime::GetDayOfWeek() const { return Field(*this, [](const std::tm& tm) { return tm.tm_wday + 1; }); }
