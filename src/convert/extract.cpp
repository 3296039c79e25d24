// Extract mode: reads the guide pair and writes the text listing. The index
// file is read in two gulps (its count, then exactly the records it declares)
// and the reachable part of the program data file in one, so a run costs a
// handful of system calls; each record is then checked whole before its two
// lines are added to the listing.
#include <cstdint>
#include <memory>
#include <string>

#include "guide_pair.hpp"
#include "mode_support.hpp"
#include "modes.hpp"
#include "os_specific.hpp"
#include "text_listing.hpp"

namespace skedmill {
namespace {

// Bytes read from one of the pair's files: `size` good bytes, and whether a
// read error (not the end of the file) came right after them.
struct LoadedBytes {
    std::unique_ptr<std::uint8_t[]> bytes;
    std::size_t size = 0;
    bool failed = false;
};

struct ListingOutput {
    int file;
    std::string pending;
};

bool flush_listing(ListingOutput& listing) {
    const bool written = write_all(listing.file, listing.pending.data(), listing.pending.size());
    listing.pending.clear();
    return written;
}

// Stops the run at a faulty record: the complete records before it reach the listing.
ModeOutcome stop_at(ListingOutput& listing, ModeOutcome outcome) {
    flush_listing(listing);
    return outcome;
}

}  // namespace

ModeOutcome extract_guide(const FileNameSet& names) {
    ListingOutput listing{create_or_truncate(names.listing, false), {}};
    if (listing.file < 0) return failure("Can't open file .txt!");
    // Both inputs are opened before either result is looked at.
    const int index_file = open_existing_for_reading(names.index);
    const int program_data_file = open_existing_for_reading(names.program_data);
    if (index_file < 0 || program_data_file < 0) return failure("Can't open file .ndx or .pdt!");

    // An empty index file holds no records; a one-byte file counts that byte.
    std::uint8_t count_field[kRecordCountSize] = {0, 0};
    bool count_failed = false;
    read_up_to(index_file, count_field, sizeof count_field, count_failed);
    if (count_failed) return failure("Read error!");
    const std::uint32_t record_count = load_le16(count_field);

    LoadedBytes index;
    index.bytes = std::make_unique<std::uint8_t[]>(kIndexRecordSize * record_count);
    index.size = read_up_to(index_file, index.bytes.get(), kIndexRecordSize * record_count, index.failed);

    LoadedBytes program_data;  // read when the first record needs a title
    ListingEntry entry;
    for (std::uint32_t number = 1; number <= record_count; ++number) {
        const std::size_t record_start = kIndexRecordSize * (number - 1);
        if (index.size - record_start < kIndexRecordSize) {
            if (index.failed) return stop_at(listing, failure("Read error!"));
            return stop_at(listing, numbered_failure("Unexpected end of .ndx file at record ", number, "!"));
        }
        const IndexRecord record = decode_index_record(index.bytes.get() + record_start);

        SYSTEMTIME calendar_time;
        if (!file_time_to_system_time(record.start_time, calendar_time)) {
            return stop_at(listing, numbered_failure("Invalid start time at record ", number, "!"));
        }

        if (!program_data.bytes) {
            program_data.bytes = std::make_unique<std::uint8_t[]>(kMaxReachableProgramData);
            program_data.size = read_up_to(program_data_file, program_data.bytes.get(), kMaxReachableProgramData,
                                           program_data.failed);
        }
        std::string_view title;
        const TitleRecordStatus status =
            read_title_record(program_data.bytes.get(), program_data.size, record.title_offset, title);
        // Past the bytes a failed read delivered, the record is unknown, not missing.
        const bool beyond_read_error = program_data.failed && (status == TitleRecordStatus::cut_short ||
                                                               record.title_offset >= program_data.size);
        if (beyond_read_error) return stop_at(listing, failure("Read error!"));
        if (status == TitleRecordStatus::cut_short) {
            return stop_at(listing, numbered_failure("Unexpected end of .pdt file at record ", number, "!"));
        }

        entry.day = calendar_time.day;
        entry.month = calendar_time.month;
        entry.year = calendar_time.year;
        entry.hour = calendar_time.hour;
        entry.minute = calendar_time.minute;
        entry.weekday = calendar_time.day_of_week == 0 ? 7 : calendar_time.day_of_week;  // Sunday is 7
        entry.title.assign(title);
        append_listing_entry(listing.pending, entry);
        if (listing.pending.size() >= kOutputFlushSize && !flush_listing(listing)) return failure("Write error!");
    }

    const bool written = flush_listing(listing);
    if (!close_file(listing.file) || !written) return failure("Write error!");
    close_file(index_file);
    close_file(program_data_file);
    return ModeOutcome{true, ".txt file created success."};
}

}  // namespace skedmill
