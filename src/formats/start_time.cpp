#include "start_time.hpp"

namespace skedmill {
namespace {

// The count starts on 1601-01-01, the first day of a 400-year Gregorian cycle,
// so whole cycles of 400, 100, 4 and 1 years can be counted from there.
constexpr std::uint32_t kDaysPer400Years = 146'097;
constexpr std::uint32_t kDaysPer100Years = 36'524;
constexpr std::uint32_t kDaysPer4Years = 1'461;
constexpr std::uint32_t kDaysPerYear = 365;

constexpr std::uint16_t kFirstYear = 1601;
constexpr std::uint16_t kLastValidYear = 30827;

// Days before the first of each month in a common year.
constexpr std::uint16_t kDaysBeforeMonth[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};

bool is_leap_year(std::uint32_t year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

std::uint32_t days_in_month(std::uint32_t year, std::uint32_t month) {
    static constexpr std::uint8_t kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && is_leap_year(year) ? 29u : kDays[month - 1];
}

}  // namespace

bool is_valid_calendar_time(const SYSTEMTIME& time) {
    return time.year >= kFirstYear && time.year <= kLastValidYear && time.month >= 1 && time.month <= 12 &&
           time.day >= 1 && time.day <= days_in_month(time.year, time.month) && time.hour <= 23 &&
           time.minute <= 59 && time.second <= 59 && time.milliseconds <= 999;
}

bool system_time_to_file_time(const SYSTEMTIME& time, FILETIME& out) {
    if (!is_valid_calendar_time(time)) return false;
    const std::uint64_t years = time.year - kFirstYear;
    std::uint64_t days = years * kDaysPerYear + years / 4 - years / 100 + years / 400;
    days += kDaysBeforeMonth[time.month - 1] + (time.month > 2 && is_leap_year(time.year) ? 1 : 0);
    days += time.day - 1u;
    const std::uint64_t seconds = time.hour * 3600u + time.minute * 60u + time.second;
    out = days * kTicksPerDay + seconds * kTicksPerSecond + time.milliseconds * FILETIME{10'000};
    return true;
}

bool file_time_to_system_time(FILETIME start_time, SYSTEMTIME& out) {
    if (start_time >= kFirstUnrepresentableStartTime) return false;
    const std::uint64_t total_days = start_time / kTicksPerDay;
    const std::uint64_t ticks_of_day = start_time % kTicksPerDay;

    // 1601-01-01 was a Monday.
    const auto day_of_week = static_cast<std::uint16_t>((total_days + 1) % 7);

    std::uint64_t days = total_days;
    const std::uint64_t cycles400 = days / kDaysPer400Years;
    days %= kDaysPer400Years;
    // The last century of a cycle and the last year of a 4-year run are one day
    // longer; the clamps keep their final day (a 31 December) in place.
    std::uint64_t centuries = days / kDaysPer100Years;
    if (centuries == 4) centuries = 3;
    days -= centuries * kDaysPer100Years;
    const std::uint64_t quads = days / kDaysPer4Years;
    days -= quads * kDaysPer4Years;
    std::uint64_t years = days / kDaysPerYear;
    if (years == 4) years = 3;
    days -= years * kDaysPerYear;

    const std::uint64_t year = kFirstYear + cycles400 * 400 + centuries * 100 + quads * 4 + years;
    const bool leap = is_leap_year(static_cast<std::uint32_t>(year));
    std::uint32_t month = 12;
    while (month > 1 && days < kDaysBeforeMonth[month - 1] + (month > 2 && leap ? 1u : 0u)) --month;
    const std::uint64_t day = days - kDaysBeforeMonth[month - 1] - (month > 2 && leap ? 1u : 0u) + 1;

    const std::uint64_t seconds_of_day = ticks_of_day / kTicksPerSecond;
    out.year = static_cast<std::uint16_t>(year);
    out.month = static_cast<std::uint16_t>(month);
    out.day_of_week = day_of_week;
    out.day = static_cast<std::uint16_t>(day);
    out.hour = static_cast<std::uint16_t>(seconds_of_day / 3600);
    out.minute = static_cast<std::uint16_t>(seconds_of_day / 60 % 60);
    out.second = static_cast<std::uint16_t>(seconds_of_day % 60);
    out.milliseconds = static_cast<std::uint16_t>(ticks_of_day % kTicksPerSecond / 10'000);
    return true;
}

}  // namespace skedmill
