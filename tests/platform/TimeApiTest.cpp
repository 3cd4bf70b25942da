#include "CTime.h"
#include "PlatformTestSupport.h"
#include "TimeApi.h"

#include <gtest/gtest.h>

#include <time.h>
#include <tuple>

namespace {

// A fixed time zone while it lives; the previous one comes back afterwards.
struct TimeZone {
    struct Reload {
        ~Reload() { tzset(); }  // destroyed last, once TZ is back
    } reload;
    EnvGuard saved{"TZ"};
    explicit TimeZone(const char* tz) { setenv("TZ", tz, 1), tzset(); }
};

std::uint64_t Ticks(const FILETIME& ft) {
    return (std::uint64_t(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

TEST(TimeApi, FileTimeAndSystemTimeAgree) {
    SYSTEMTIME st{1970, 1, 0, 1, 0, 0, 0, 0};
    FILETIME ft{};
    ASSERT_TRUE(SystemTimeToFileTime(&st, &ft));
    EXPECT_EQ(116444736000000000ULL, Ticks(ft));

    const SYSTEMTIME leap{2024, 2, 0, 29, 23, 59, 58, 123};
    ASSERT_TRUE(SystemTimeToFileTime(&leap, &ft));
    EXPECT_EQ(1709251198, FileTimeToUnixSeconds(ft));
    EXPECT_EQ(1230000u, Ticks(ft) % 10000000);  // the milliseconds

    const FILETIME fromUnix = FileTimeFromUnix(1700000000, 500);
    EXPECT_EQ((1700000000ULL + 11644473600ULL) * 10000000ULL + 5, Ticks(fromUnix));
}

TEST(TimeApi, LocalTimesUseTheProcessTimeZone) {
    TimeZone zone("CET-1CEST,M3.5.0,M10.5.0/3");
    const CTime t(2023, 7, 15, 14, 30, 5);  // local: 12:30:05 UTC
    EXPECT_EQ(1689424205, t.GetTime());
    EXPECT_EQ(std::tuple(2023, 7, 15, 14, 30, 5, 7),  // a Saturday
              std::tuple(t.GetYear(), t.GetMonth(), t.GetDay(), t.GetHour(), t.GetMinute(), t.GetSecond(),
                         t.GetDayOfWeek()));
    EXPECT_EQ(t, CTime(FileTimeFromUnix(1689424205)));

    // The clocks move on.
    SYSTEMTIME utc{};
    GetSystemTime(&utc);
    EXPECT_GE(utc.wYear, 2023);
    EXPECT_GE(CTime::GetCurrentTime().GetTime(), 1700000000);
}

}  // namespace
