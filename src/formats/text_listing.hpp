// The text listing (.txt): two lines per broadcast,
//
//     24 4 2000 18 30 1      day month year hour minute weekday (1 = Monday .. 7 = Sunday)
//     News                   the title
//
// Reading follows the stream rules of the classic "%hd %hd %hd %hd %hd %hd %[^\n]"
// scan, done by our own code so that it holds to the byte on every platform:
// - CR LF reads as LF; every other CR (also a CR as the last byte) is an
//   ordinary byte; a Ctrl-Z byte (0x1A) ends the listing, unread beyond it;
// - white space is exactly 0x20 and 0x09..0x0D, and any run of it, line
//   breaks included, may stand before each number and before the title;
// - an integer is one optional sign directly followed by digits, any number
//   of them, kept modulo 65,536; it ends at the first non-digit ("10-5" is 10, -5);
// - the title is every byte up to the next LF or the end (at least one), so it
//   never begins with white space and keeps trailing blanks, tabs and lone CRs;
//   it ends at its first NUL, while the rest of its line is still consumed;
// - the first entry that does not match completely ends the listing.
// Writing gives the numbers as unsigned decimals and every LF as CR LF.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace skedmill {

// The longest title a guide may carry through a listing.
inline constexpr std::size_t kMaxTitleLength = 4'999;

struct ListingEntry {
    std::uint16_t day;
    std::uint16_t month;
    std::uint16_t year;
    std::uint16_t hour;
    std::uint16_t minute;
    std::uint16_t weekday;
    std::string title;  // up to its first NUL
};

// Supplies raw listing bytes: places up to `capacity` bytes at `buffer` and
// returns how many, 0 at the end of the data, or -1 when reading failed.
using ListingSource = std::int64_t (*)(void* context, std::uint8_t* buffer, std::size_t capacity);

enum class ListingRead {
    entry,           // one entry matched completely
    end,             // the end, Ctrl-Z, or the first entry that does not match
    title_too_long,  // the title runs past kMaxTitleLength bytes before its NUL or LF
    read_error,      // the source failed
};

// Reads a listing as a stream through a fixed buffer, so memory stays bounded
// whatever the line lengths.
struct ListingReader {
    ListingSource source = nullptr;
    void* context = nullptr;
    std::unique_ptr<std::uint8_t[]> buffer;  // decoded bytes: CR LF folded, cut at Ctrl-Z
    std::size_t buffer_size = 0;
    std::size_t position = 0;
    std::size_t end = 0;
    bool carried_cr = false;  // a raw CR at the end of a chunk, waiting to see its next byte
    bool finished = false;    // no more bytes will come from the source
    bool failed = false;      // the source reported an error
};

// A few dozen reads for the biggest listing a guide can come from (under a
// megabyte), and few fresh memory pages, whose first touch can cost more
// than a read.
inline constexpr std::size_t kListingBufferSize = 32 * 1024;

// Prepares a reader over `source` with a buffer of `buffer_size` bytes (at
// least 2); nothing is read yet.
void start_listing(ListingReader& reader, ListingSource source, void* context,
                   std::size_t buffer_size = kListingBufferSize);

// Reads the next entry into `entry`. Never holds more than its buffer plus
// kMaxTitleLength bytes. Once it returns anything but `entry`, the
// listing is over for this reader.
ListingRead read_entry(ListingReader& reader, ListingEntry& entry);

// Appends the entry's two lines: "%d %d %d %d %d %d" of the six numbers as
// unsigned 16-bit values, then the title up to its first NUL, each line ended
// by CR LF and every LF inside the title written as CR LF.
void append_listing_entry(std::string& out, const ListingEntry& entry);

}  // namespace skedmill
