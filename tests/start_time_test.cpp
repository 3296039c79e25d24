#include <gtest/gtest.h>

#include "start_time.hpp"
#include "test_vectors.hpp"

namespace skedmill {
namespace {

SYSTEMTIME from_fields(const std::uint16_t (&f)[8]) {
    return SYSTEMTIME{f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[7]};
}

void expect_same(const SYSTEMTIME& expected, const SYSTEMTIME& actual) {
    EXPECT_EQ(expected.year, actual.year);
    EXPECT_EQ(expected.month, actual.month);
    EXPECT_EQ(expected.day_of_week, actual.day_of_week);
    EXPECT_EQ(expected.day, actual.day);
    EXPECT_EQ(expected.hour, actual.hour);
    EXPECT_EQ(expected.minute, actual.minute);
    EXPECT_EQ(expected.second, actual.second);
    EXPECT_EQ(expected.milliseconds, actual.milliseconds);
}

TEST(StartTime, KnownCalendarTimesConvertBothWays) {
    for (const auto& known : vectors::kKnownStartTimes) {
        SCOPED_TRACE(known.fields[0]);
        FILETIME ticks = 0;
        ASSERT_TRUE(system_time_to_file_time(from_fields(known.fields), ticks));
        EXPECT_EQ(known.ticks, ticks);
        SYSTEMTIME back{};
        ASSERT_TRUE(file_time_to_system_time(known.ticks, back));
        expect_same(from_fields(known.fields), back);
    }
}

TEST(StartTime, DayOfWeekHasNoEffectOnTheStartTime) {
    SYSTEMTIME time{2000, 4, 5, 24, 18, 30, 0, 0};
    FILETIME with_friday = 0, with_nonsense = 0;
    ASSERT_TRUE(system_time_to_file_time(time, with_friday));
    time.day_of_week = 65535;
    ASSERT_TRUE(system_time_to_file_time(time, with_nonsense));
    EXPECT_EQ(0x01BFAE1B19364400ull, with_friday);
    EXPECT_EQ(with_friday, with_nonsense);
}

TEST(StartTime, ValidityLimits) {
    struct Case {
        SYSTEMTIME time;
        bool valid;
    };
    const Case cases[] = {
        {{1600, 12, 0, 31, 23, 59, 59, 999}, false},  // before the first year
        {{1601, 1, 0, 1, 0, 0, 0, 0}, true},
        {{30827, 12, 0, 31, 23, 59, 59, 999}, true},
        {{30828, 1, 0, 1, 0, 0, 0, 0}, false},        // past the last year
        {{0, 4, 0, 24, 18, 30, 0, 0}, false},         // a two-digit year read as written
        {{2000, 0, 0, 1, 0, 0, 0, 0}, false},
        {{2000, 13, 0, 1, 0, 0, 0, 0}, false},
        {{2000, 4, 0, 0, 0, 0, 0, 0}, false},
        {{2000, 4, 0, 30, 0, 0, 0, 0}, true},
        {{2000, 4, 0, 31, 0, 0, 0, 0}, false},        // 31 April
        {{2000, 2, 0, 29, 0, 0, 0, 0}, true},         // divisible by 400
        {{1900, 2, 0, 29, 0, 0, 0, 0}, false},        // divisible by 100 only
        {{2004, 2, 0, 29, 0, 0, 0, 0}, true},
        {{2001, 2, 0, 29, 0, 0, 0, 0}, false},
        {{2000, 1, 0, 65535, 0, 0, 0, 0}, false},     // day -1 as read from a listing
        {{2000, 1, 0, 1, 24, 0, 0, 0}, false},
        {{2000, 1, 0, 1, 23, 60, 0, 0}, false},
        {{2000, 1, 0, 1, 23, 59, 60, 0}, false},
        {{2000, 1, 0, 1, 23, 59, 59, 1000}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.time.year << "-" << c.time.month << "-" << c.time.day << " "
                                        << c.time.hour << ":" << c.time.minute << ":" << c.time.second << "."
                                        << c.time.milliseconds);
        EXPECT_EQ(c.valid, is_valid_calendar_time(c.time));
        FILETIME ticks = 12345;
        EXPECT_EQ(c.valid, system_time_to_file_time(c.time, ticks));
        if (!c.valid) {
            EXPECT_EQ(12345u, ticks) << "an invalid time must leave the output alone";
        }
    }
}

TEST(StartTime, EveryStartTimeBelowTwoToTheSixtyThirdConverts) {
    SYSTEMTIME last{};
    ASSERT_TRUE(file_time_to_system_time(vectors::kLastRepresentable.ticks, last));
    expect_same(from_fields(vectors::kLastRepresentable.fields), last);

    SYSTEMTIME untouched{1, 2, 3, 4, 5, 6, 7, 8};
    EXPECT_FALSE(file_time_to_system_time(FILETIME{1} << 63, untouched));
    EXPECT_FALSE(file_time_to_system_time(~FILETIME{0}, untouched));
    expect_same(SYSTEMTIME{1, 2, 3, 4, 5, 6, 7, 8}, untouched);
}

// Walks day by day over leap and common years, 400-year cycle edges
// included, checking the round trip and that the weekday advances by one.
TEST(StartTime, ConsecutiveDaysRoundTripWithAdvancingWeekday) {
    const std::uint16_t starts[] = {1601, 1696, 1896, 1996, 2096, 9996, 30823};
    for (std::uint16_t first_year : starts) {
        FILETIME ticks = 0;
        ASSERT_TRUE(system_time_to_file_time(SYSTEMTIME{first_year, 1, 0, 1, 0, 0, 0, 0}, ticks));
        SYSTEMTIME previous{};
        ASSERT_TRUE(file_time_to_system_time(ticks, previous));
        for (int day = 1; day < 4 * 366; ++day) {
            ticks += kTicksPerDay;
            SYSTEMTIME current{};
            ASSERT_TRUE(file_time_to_system_time(ticks + 567 * 10'000, current));
            ASSERT_EQ((previous.day_of_week + 1) % 7, current.day_of_week);
            ASSERT_EQ(567, current.milliseconds);
            const bool next_day_in_month = current.day == previous.day + 1 && current.month == previous.month;
            const bool first_of_month = current.day == 1 && (current.month == previous.month + 1 ||
                                                             (current.month == 1 && previous.month == 12));
            ASSERT_TRUE(next_day_in_month || first_of_month)
                << previous.year << "-" << previous.month << "-" << previous.day;
            FILETIME back = 0;
            current.milliseconds = 0;
            ASSERT_TRUE(system_time_to_file_time(current, back));
            ASSERT_EQ(ticks, back);
            previous = current;
        }
    }
}

}  // namespace
}  // namespace skedmill
