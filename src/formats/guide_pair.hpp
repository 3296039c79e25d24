// The JTV guide pair: the index file (.ndx) and the program data file (.pdt).
// Bytes only: nothing here opens a file or prints a message.
//
// All integers are little-endian and unsigned, packed with no gaps.
//
// Index file                            Index record (12 bytes)
//   offset      size  field               offset  size  field
//   0           2     record count        0       2     reserved, written 0, ignored on reading
//   2 + 12*i    12    index record i      2       8     start time (FILETIME ticks)
//                                         10      2     title offset into the program data file
//
// Program data file                     Title record
//   offset  size  field                   offset  size  field
//   0       26    header                  0       2     title length n
//   26      rest  title records           2       n     title bytes, no terminator, no conversion
//
// The header is "JTV 3.x TV Program Data" and three LF bytes, with no NUL.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "start_time.hpp"

namespace skedmill {

inline constexpr std::string_view kProgramDataHeader{"JTV 3.x TV Program Data\n\n\n", 26};
inline constexpr std::size_t kRecordCountSize = 2;
inline constexpr std::size_t kIndexRecordSize = 12;
inline constexpr std::size_t kTitleLengthSize = 2;
// The title offset is a 16-bit field.
inline constexpr std::uint32_t kMaxTitleOffset = 65'535;
// The most of a program data file that any index record can reach: a title
// record at the highest offset with the longest length.
inline constexpr std::size_t kMaxReachableProgramData = kMaxTitleOffset + kTitleLengthSize + 65'535;

// Field codecs, composed byte by byte so they are right on any host.
inline void store_le16(std::uint8_t* out, std::uint16_t value) {
    out[0] = static_cast<std::uint8_t>(value);
    out[1] = static_cast<std::uint8_t>(value >> 8);
}

inline std::uint16_t load_le16(const std::uint8_t* in) {
    return static_cast<std::uint16_t>(in[0] | in[1] << 8);
}

// A 16-bit field with only `available` of its bytes before the end of the
// file: the missing bytes read as 0, so one byte gives its own value and none
// gives 0 (the record count of an empty index file, for one).
inline std::uint16_t load_le16_at_end(const std::uint8_t* in, std::size_t available) {
    return available >= 2 ? load_le16(in) : available == 1 ? in[0] : 0;
}

inline void store_le64(std::uint8_t* out, std::uint64_t value) {
    for (int i = 0; i < 8; ++i) out[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

inline std::uint64_t load_le64(const std::uint8_t* in) {
    std::uint64_t value = 0;
    for (int i = 7; i >= 0; --i) value = value << 8 | in[i];
    return value;
}

struct IndexRecord {
    FILETIME start_time;
    std::uint16_t title_offset;
};

// Encodes one record into exactly kIndexRecordSize bytes, reserved field 0.
void encode_index_record(const IndexRecord& record, std::uint8_t* out);

// Decodes kIndexRecordSize bytes; the reserved field is ignored.
IndexRecord decode_index_record(const std::uint8_t* in);

// Appends a title record (length, then the bytes) to `out`. The title must be
// at most 65,535 bytes long.
void append_title_record(std::string& out, std::string_view title);

enum class TitleRecordStatus {
    ok,         // the whole record is there (or the offset is past the end: empty title)
    cut_short,  // the length field says more bytes than the data holds
};

// Finds the title record at `offset` in the first `size` bytes of a program
// data file and sets `title` to its bytes up to the first NUL. Never reads
// past `size`: an offset at or past the end gives an empty title; a length
// field cut in half counts as a length of its one byte; a record cut short is
// reported, never padded.
TitleRecordStatus read_title_record(const std::uint8_t* data, std::size_t size, std::uint32_t offset,
                                    std::string_view& title);

}  // namespace skedmill
