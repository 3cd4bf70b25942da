#include "CTime.h"
#include "TimeApi.h"
#include "WinError.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <time.h>

namespace {

// Runs a test body in a fixed time zone and restores the previous one.
class TimeZone {
public:
    explicit TimeZone(const char* tz) {
        if (const char* old = std::getenv("TZ")) {
            m_had = true;
            m_old = old;
        }
        setenv("TZ", tz, 1);
        tzset();
    }
    ~TimeZone() {
        if (m_had)
            setenv("TZ", m_old.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    bool m_had = false;
    std::string m_old;
};

std::uint64_t Ticks(const FILETIME& ft) {
    return (std::uint64_t(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
}

TEST(TimeApi, FileTimeAndSystemTimeAgree) {
    SYSTEMTIME st{1970, 1, 0, 1, 0, 0, 0, 0};
    FILETIME ft{};
    ASSERT_TRUE(SystemTimeToFileTime(&st, &ft));
    EXPECT_EQ(116444736000000000ULL, Ticks(ft));
    EXPECT_EQ(0, FileTimeToUnixSeconds(ft));

    const SYSTEMTIME leap{2024, 2, 0, 29, 23, 59, 58, 123};
    ASSERT_TRUE(SystemTimeToFileTime(&leap, &ft));
    SYSTEMTIME back{};
    ASSERT_TRUE(FileTimeToSystemTime(&ft, &back));
    EXPECT_EQ(2024, back.wYear);
    EXPECT_EQ(2, back.wMonth);
    EXPECT_EQ(29, back.wDay);
    EXPECT_EQ(4, back.wDayOfWeek);  // a Thursday
    EXPECT_EQ(23, back.wHour);
    EXPECT_EQ(59, back.wMinute);
    EXPECT_EQ(58, back.wSecond);
    EXPECT_EQ(123, back.wMilliseconds);

    const FILETIME zero{0, 0};
    ASSERT_TRUE(FileTimeToSystemTime(&zero, &back));
    EXPECT_EQ(1601, back.wYear);
    EXPECT_EQ(1, back.wDayOfWeek);  // 1601-01-01 was a Monday

    const FILETIME fromUnix = FileTimeFromUnix(1700000000, 500);
    EXPECT_EQ(1700000000, FileTimeToUnixSeconds(fromUnix));
    EXPECT_EQ((1700000000ULL + 11644473600ULL) * 10000000ULL + 5, Ticks(fromUnix));
}

TEST(TimeApi, InvalidSystemTimesAreRefused) {
    FILETIME ft{};
    for (SYSTEMTIME st : {SYSTEMTIME{2023, 2, 0, 29, 0, 0, 0, 0}, SYSTEMTIME{2023, 13, 0, 1, 0, 0, 0, 0},
                          SYSTEMTIME{1600, 12, 0, 31, 0, 0, 0, 0}, SYSTEMTIME{2023, 1, 0, 1, 24, 0, 0, 0}}) {
        SetLastError(0);
        EXPECT_FALSE(SystemTimeToFileTime(&st, &ft));
        EXPECT_EQ(DWORD(ERROR_INVALID_PARAMETER), GetLastError());
    }
    const FILETIME huge{0, 0x80000000u};
    SYSTEMTIME st{};
    EXPECT_FALSE(FileTimeToSystemTime(&huge, &st));
}

TEST(TimeApi, LocalConversionsUseTheProcessTimeZone) {
    TimeZone zone("CET-1CEST,M3.5.0,M10.5.0/3");
    const SYSTEMTIME winter{2023, 1, 0, 15, 12, 0, 0, 0};
    const SYSTEMTIME summer{2023, 7, 0, 15, 12, 0, 0, 0};
    for (const auto& [st, hours] : {std::pair{winter, 1}, std::pair{summer, 2}}) {
        FILETIME utc{}, local{}, back{};
        ASSERT_TRUE(SystemTimeToFileTime(&st, &utc));
        ASSERT_TRUE(FileTimeToLocalFileTime(&utc, &local));
        EXPECT_EQ(std::uint64_t(hours) * 3600 * 10000000, Ticks(local) - Ticks(utc));
        ASSERT_TRUE(LocalFileTimeToFileTime(&local, &back));
        EXPECT_EQ(Ticks(utc), Ticks(back));
    }

    const CTime t(2023, 7, 15, 14, 30, 5);  // local: 12:30:05 UTC
    EXPECT_EQ(1689424205, t.GetTime());
    EXPECT_EQ(2023, t.GetYear());
    EXPECT_EQ(7, t.GetMonth());
    EXPECT_EQ(15, t.GetDay());
    EXPECT_EQ(14, t.GetHour());
    EXPECT_EQ(30, t.GetMinute());
    EXPECT_EQ(5, t.GetSecond());
    EXPECT_EQ(7, t.GetDayOfWeek());  // Saturday
    EXPECT_EQ(t, CTime(SYSTEMTIME{2023, 7, 0, 15, 14, 30, 5, 0}));
    EXPECT_EQ(t, CTime(FileTimeFromUnix(1689424205)));
    EXPECT_EQ(CTime(2023, 8, 1, 0, 0, 0), CTime(2023, 7, 32, 0, 0, 0));  // normalised
}

TEST(TimeApi, ClocksMove) {
    SYSTEMTIME local{}, utc{};
    GetLocalTime(&local);
    GetSystemTime(&utc);
    EXPECT_GE(local.wYear, 2023);
    EXPECT_GE(utc.wYear, 2023);
    const DWORD t0 = GetTickCount();
    struct timespec pause{0, 20 * 1000 * 1000};
    nanosleep(&pause, nullptr);
    EXPECT_GE(GetTickCount() - t0, 15u);
    EXPECT_GE(CTime::GetCurrentTime().GetTime(), 1700000000);
}

}  // namespace
