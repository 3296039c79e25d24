// Start times of the guide pair: conversion between a calendar time and the
// 64-bit count of 100-ns ticks since 1601-01-01 00:00:00, proleptic Gregorian,
// with no time zone. Our own arithmetic, so every host gives the same answer.
#pragma once

#include <cstdint>

namespace skedmill {

// A wall-clock calendar time, the fields in the order of the platform record.
// day_of_week: 0 = Sunday .. 6 = Saturday.
struct SYSTEMTIME {
    std::uint16_t year;
    std::uint16_t month;
    std::uint16_t day_of_week;
    std::uint16_t day;
    std::uint16_t hour;
    std::uint16_t minute;
    std::uint16_t second;
    std::uint16_t milliseconds;
};

// 100-ns ticks since 1601-01-01 00:00:00.
using FILETIME = std::uint64_t;

inline constexpr FILETIME kTicksPerSecond = 10'000'000;
inline constexpr FILETIME kTicksPerDay = 86'400 * kTicksPerSecond;
// Start times at or above this have no calendar time (the platform's limit too).
inline constexpr FILETIME kFirstUnrepresentableStartTime = FILETIME{1} << 63;

// True when the fields name a real instant: year 1601..30827, month 1..12,
// day within that month (Gregorian leap years), hour <= 23, minute <= 59,
// second <= 59, milliseconds <= 999. day_of_week is never looked at.
bool is_valid_calendar_time(const SYSTEMTIME& time);

// Converts a calendar time to its start time. Returns false, leaving `out`
// untouched, when the calendar time is not valid; day_of_week has no effect.
bool system_time_to_file_time(const SYSTEMTIME& time, FILETIME& out);

// Converts a start time to its calendar time, day of the week included.
// Returns false, leaving `out` untouched, for start times at or above 2^63.
bool file_time_to_system_time(FILETIME start_time, SYSTEMTIME& out);

}  // namespace skedmill
