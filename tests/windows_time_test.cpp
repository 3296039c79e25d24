// On Windows (and under Wine): our start-time arithmetic must agree with the
// platform's SystemTimeToFileTime and FileTimeToSystemTime on every valid value.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <cstring>
#include <random>

#include "start_time.hpp"
#include "test_vectors.hpp"

namespace {

std::uint64_t platform_ticks(const skedmill::SYSTEMTIME& ours, bool& ok) {
    const ::SYSTEMTIME theirs{ours.year, ours.month, ours.day_of_week, ours.day,
                              ours.hour, ours.minute, ours.second, ours.milliseconds};
    ::FILETIME file_time{};
    ok = ::SystemTimeToFileTime(&theirs, &file_time) != 0;
    return static_cast<std::uint64_t>(file_time.dwHighDateTime) << 32 | file_time.dwLowDateTime;
}

bool platform_calendar_time(std::uint64_t ticks, skedmill::SYSTEMTIME& out) {
    ::FILETIME file_time{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    ::SYSTEMTIME theirs{};
    if (!::FileTimeToSystemTime(&file_time, &theirs)) return false;
    out = skedmill::SYSTEMTIME{theirs.wYear,   theirs.wMonth,  theirs.wDayOfWeek, theirs.wDay,
                               theirs.wHour,   theirs.wMinute, theirs.wSecond,    theirs.wMilliseconds};
    return true;
}

void expect_agreement(std::uint64_t ticks) {
    skedmill::SYSTEMTIME ours{}, theirs{};
    const bool we_convert = skedmill::file_time_to_system_time(ticks, ours);
    const bool they_convert = platform_calendar_time(ticks, theirs);
    ASSERT_EQ(they_convert, we_convert) << ticks;
    if (!we_convert) return;
    ASSERT_EQ(0, std::memcmp(&ours, &theirs, sizeof ours)) << ticks;

    // Back again where a calendar time is valid (30828 is past the last valid year).
    if (ours.year > 30827) return;
    bool ok = false;
    skedmill::FILETIME back = 0;
    ASSERT_TRUE(skedmill::system_time_to_file_time(ours, back));
    ASSERT_EQ(platform_ticks(ours, ok), back) << ticks;
    ASSERT_TRUE(ok);
}

TEST(WindowsTime, EveryDayOfLeapAndCommonYears) {
    for (std::uint16_t year : {1601, 1604, 1700, 1900, 1999, 2000, 2023, 2024, 2100, 9999, 10000, 30827}) {
        skedmill::FILETIME first = 0;
        ASSERT_TRUE(skedmill::system_time_to_file_time({year, 1, 0, 1, 0, 0, 0, 0}, first));
        bool ok = false;
        ASSERT_EQ(platform_ticks({year, 1, 0, 1, 0, 0, 0, 0}, ok), first);
        const int days = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0 ? 366 : 365;
        for (int day = 0; day < days; ++day) {
            const std::uint64_t midnight = first + day * skedmill::kTicksPerDay;
            expect_agreement(midnight);
            expect_agreement(midnight + (12 * 3600 + 34 * 60 + 56) * skedmill::kTicksPerSecond + 789 * 10'000);
            expect_agreement(midnight + skedmill::kTicksPerDay - 10'000);
        }
    }
}

TEST(WindowsTime, KnownValuesAndRangeEnds) {
    for (const auto& known : skedmill::vectors::kKnownStartTimes) expect_agreement(known.ticks);
    expect_agreement(skedmill::vectors::kLastRepresentable.ticks);
    expect_agreement(0x7FFF35F4F06C58F0ull + 1);  // the first instant of 30828
    expect_agreement(1ull << 63);
    expect_agreement(~0ull);
}

TEST(WindowsTime, RandomInstantsBelowTwoToTheSixtyThird) {
    std::mt19937_64 random(20261211);
    for (int i = 0; i < 200'000; ++i) expect_agreement(random() >> 1);
}

}  // namespace
