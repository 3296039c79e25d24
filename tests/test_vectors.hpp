// Known start times, computed apart from the code under test (date arithmetic
// over the proleptic Gregorian calendar: day ordinals plus 400-year cycles of
// 146,097 days). One table for every test and every platform.
#pragma once

#include <cstdint>
#include <string_view>

namespace skedmill::vectors {

struct KnownStartTime {
    // year, month, day of week (0 = Sunday), day, hour, minute, second, milliseconds
    std::uint16_t fields[8];
    std::uint64_t ticks;
};

inline constexpr KnownStartTime kKnownStartTimes[] = {
    {{1601, 1, 1, 1, 0, 0, 0, 0}, 0x0000000000000000ull},           // the first instant
    {{1601, 12, 1, 31, 23, 59, 59, 999}, 0x00011ED178C698F0ull},    // end of the first year
    {{1700, 3, 1, 1, 0, 0, 0, 0}, 0x006F2C3A75258000ull},           // 1700 is no leap year
    {{1900, 2, 3, 28, 12, 0, 0, 0}, 0x014F65342F0AA000ull},
    {{1900, 3, 4, 1, 0, 0, 0, 0}, 0x014F6598C43F8000ull},           // 1900 has no 29 February
    {{1970, 1, 4, 1, 0, 0, 0, 0}, 0x019DB1DED53E8000ull},           // the Unix epoch
    {{2000, 2, 2, 29, 6, 15, 0, 0}, 0x01BF827C4ED80A00ull},         // 2000 is a leap year
    {{2000, 4, 1, 24, 18, 30, 0, 0}, 0x01BFAE1B19364400ull},        // the classic one-entry guide
    {{2004, 2, 0, 29, 23, 59, 0, 0}, 0x01C3FF1FFFF7BA00ull},        // a Sunday leap day
    {{2024, 12, 2, 31, 0, 1, 0, 0}, 0x01DB5B171313C600ull},
    {{2100, 3, 1, 1, 0, 0, 0, 0}, 0x022F9FC03DC34000ull},
    {{9999, 12, 5, 31, 23, 59, 0, 0}, 0x24C85A5EADFCFA00ull},
    {{10000, 1, 6, 1, 0, 0, 0, 0}, 0x24C85A5ED1C04000ull},
    {{30827, 12, 5, 31, 23, 59, 0, 0}, 0x7FFF35F4CCA93A00ull},      // the last valid minute
    {{30827, 12, 5, 31, 23, 59, 59, 999}, 0x7FFF35F4F06C58F0ull},   // the last valid calendar time
};

// The largest start time that has a calendar time: 2^63 - 1 ticks is
// 30828-09-14 02:48:05.477, a Thursday.
inline constexpr KnownStartTime kLastRepresentable = {{30828, 9, 4, 14, 2, 48, 5, 477}, 0x7FFFFFFFFFFFFFFFull};

// The one-entry guide: 24 April 2000 18:30, "News".
inline constexpr std::string_view kOneEntryListing = "24 4 2000 18 30 1\r\nNews\r\n";
inline constexpr std::uint8_t kOneEntryIndex[] = {0x01, 0x00, 0x00, 0x00, 0x00, 0x44, 0x36,
                                                  0x19, 0x1B, 0xAE, 0xBF, 0x01, 0x1A, 0x00};
inline constexpr std::string_view kHeader{"JTV 3.x TV Program Data\n\n\n", 26};
inline constexpr std::uint8_t kOneEntryTitleRecord[] = {0x04, 0x00, 'N', 'e', 'w', 's'};

}  // namespace skedmill::vectors
