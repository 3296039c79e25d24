// Generate mode: reads the text listing entry by entry and writes the guide
// pair. The placeholder count and the header go out at once, so that their
// failures are seen first; index and title records are collected in memory
// (a guide tops out near 400 KB of index and 70 KB of titles) and written in
// large blocks; the real count goes over the placeholder last.
#include <cstdint>
#include <string>

#include "guide_pair.hpp"
#include "mode_support.hpp"
#include "modes.hpp"
#include "os_specific.hpp"
#include "text_listing.hpp"

namespace skedmill {
namespace {

std::int64_t read_listing_file(void* context, std::uint8_t* buffer, std::size_t capacity) {
    return read_some(*static_cast<int*>(context), buffer, capacity);
}

struct PendingPair {
    int index_file;
    int program_data_file;
    std::string index_records;
    std::string title_records;
};

bool flush_pending(PendingPair& pair) {
    const bool written = write_all(pair.index_file, pair.index_records.data(), pair.index_records.size()) &&
                         write_all(pair.program_data_file, pair.title_records.data(), pair.title_records.size());
    pair.index_records.clear();
    pair.title_records.clear();
    return written;
}

// Stops the run at a faulty entry: the records before it are written out, and
// the placeholder count 0 stays, so the pair reads as an empty guide.
ModeOutcome stop_at(PendingPair& pair, ModeOutcome outcome) {
    flush_pending(pair);
    return outcome;
}

}  // namespace

ModeOutcome generate_guide(const FileNameSet& names) {
    int listing_file = open_existing_for_reading(names.listing);
    if (listing_file < 0) return failure("Can't open file .txt!");
    // Both outputs are opened before either result is looked at.
    const int index_file = create_or_truncate(names.index, true);
    const int program_data_file = create_or_truncate(names.program_data, true);
    if (index_file < 0 || program_data_file < 0) return failure("Can't open file .ndx or .pdt!");

    const std::uint8_t placeholder_count[kRecordCountSize] = {0, 0};
    if (!write_all(index_file, placeholder_count, sizeof placeholder_count)) return failure("Write error!");
    if (!write_all(program_data_file, kProgramDataHeader.data(), kProgramDataHeader.size())) {
        return failure("Write error!");
    }

    PendingPair pair{index_file, program_data_file, {}, {}};
    ListingReader reader;
    start_listing(reader, read_listing_file, &listing_file);
    ListingEntry entry;
    std::uint32_t title_offset = static_cast<std::uint32_t>(kProgramDataHeader.size());
    std::uint32_t record_count = 0;
    for (;;) {
        const ListingRead read = read_entry(reader, entry);
        if (read == ListingRead::end) break;
        if (read == ListingRead::read_error) return stop_at(pair, failure("Read error!"));
        const std::uint32_t entry_number = record_count + 1;

        // The weekday goes into the day-of-week field, where it has no effect.
        const SYSTEMTIME calendar_time{entry.year, entry.month, entry.weekday, entry.day, entry.hour, entry.minute, 0,
                                       0};
        IndexRecord record{};
        if (!system_time_to_file_time(calendar_time, record.start_time)) {
            return stop_at(pair, numbered_failure("Invalid date or time in entry ", entry_number, "!"));
        }
        if (read == ListingRead::title_too_long) {
            return stop_at(pair, numbered_failure("Title too long in entry ", entry_number, "!"));
        }
        // A title record may start at 65,535 at the latest: the offset field has 16 bits.
        if (title_offset > kMaxTitleOffset) {
            return stop_at(pair, numbered_failure("Guide too large at entry ", entry_number, "!"));
        }

        record.title_offset = static_cast<std::uint16_t>(title_offset);
        std::uint8_t index_record[kIndexRecordSize];
        encode_index_record(record, index_record);
        pair.index_records.append(reinterpret_cast<const char*>(index_record), kIndexRecordSize);
        append_title_record(pair.title_records, entry.title);
        title_offset += static_cast<std::uint32_t>(kTitleLengthSize + entry.title.size());
        ++record_count;

        if (pair.index_records.size() + pair.title_records.size() >= kOutputFlushSize && !flush_pending(pair)) {
            return failure("Write error!");
        }
    }

    std::uint8_t final_count[kRecordCountSize];
    store_le16(final_count, static_cast<std::uint16_t>(record_count));
    if (!flush_pending(pair) || !seek_to_start(index_file) ||
        !write_all(index_file, final_count, sizeof final_count)) {
        return failure("Write error!");
    }
    close_file(listing_file);  // read-only: nothing can be lost here
    const bool index_closed = close_file(index_file);
    const bool program_data_closed = close_file(program_data_file);
    if (!index_closed || !program_data_closed) return failure("Write error!");
    return ModeOutcome{true, ".ndx and .pdt files created success."};
}

}  // namespace skedmill
