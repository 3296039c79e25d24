// Extract mode: guide pair -> text listing. The index file is read in two
// gulps (its count, then exactly the records it declares) and the reachable
// part of the program data file in one, so a run costs a handful of system
// calls; the listing goes out in blocks of about 64 KiB.
#include <cstdint>
#include <memory>
#include <string>

#include "guide_pair.hpp"
#include "mode_support.hpp"
#include "modes.hpp"
#include "platform.hpp"
#include "text_listing.hpp"

namespace skedmill {
namespace {

struct PendingListing {
    ListingSink sink;
    void* context;
    std::string bytes;
};

bool hand_over(PendingListing& listing) {
    const bool written = listing.bytes.empty() || listing.sink(listing.context, listing.bytes);
    listing.bytes.clear();
    return written;
}

// Stops the run at a faulty record: the complete records before it are handed over.
ModeOutcome stop_at(PendingListing& listing, ModeOutcome outcome) {
    hand_over(listing);
    return outcome;
}

bool write_listing_file(void* context, const std::string& bytes) {
    return write_all(*static_cast<int*>(context), bytes.data(), bytes.size());
}

}  // namespace

ModeOutcome extract_records(const PairBytes& pair, ListingSink sink, void* context) {
    PendingListing listing{sink, context, {}};
    // Room for a block and one more record of an ordinary title, so the
    // buffer does not grow by copies (only a longer title makes it grow).
    listing.bytes.reserve(kListingBlockSize + 2 * (kMaxTitleLength + 64));
    ListingEntry entry;
    for (std::uint32_t number = 1; number <= pair.record_count; ++number) {
        const std::size_t record_start = kIndexRecordSize * (number - 1);
        if (pair.index_records_size < record_start + kIndexRecordSize) {
            if (pair.index_failed) return stop_at(listing, failure("Read error!"));
            return stop_at(listing, numbered_failure("Unexpected end of .ndx file at record ", number, "!"));
        }
        const IndexRecord record = decode_index_record(pair.index_records + record_start);

        SYSTEMTIME calendar_time;
        if (!file_time_to_system_time(record.start_time, calendar_time)) {
            return stop_at(listing, numbered_failure("Invalid start time at record ", number, "!"));
        }

        std::string_view title;
        const TitleRecordStatus status =
            read_title_record(pair.program_data, pair.program_data_size, record.title_offset, title);
        // Past the bytes that a failed read delivered, the record is unknown, not missing.
        const bool beyond_read_error = pair.program_data_failed && (status == TitleRecordStatus::cut_short ||
                                                                    record.title_offset >= pair.program_data_size);
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
        append_listing_entry(listing.bytes, entry);
        if (listing.bytes.size() >= kListingBlockSize && !hand_over(listing)) return failure("Write error!");
    }
    if (!hand_over(listing)) return failure("Write error!");
    return ModeOutcome{true, {}};
}

ModeOutcome extract_guide(const FileNameSet& names) {
    int listing_file = create_or_truncate(names.listing, false);
    if (listing_file < 0) return failure("Can't open file .txt!");
    // Both inputs are opened before either result is looked at.
    const int index_file = open_existing_for_reading(names.index);
    const int program_data_file = open_existing_for_reading(names.program_data);
    if (index_file < 0 || program_data_file < 0) return failure("Can't open file .ndx or .pdt!");

    std::uint8_t count_field[kRecordCountSize];
    bool count_failed = false;
    const std::size_t count_bytes = read_up_to(index_file, count_field, sizeof count_field, count_failed);
    if (count_failed) return failure("Read error!");

    PairBytes pair{};
    pair.record_count = load_le16_at_end(count_field, count_bytes);
    const std::size_t index_records_wanted = kIndexRecordSize * pair.record_count;
    const auto index_records = std::make_unique_for_overwrite<std::uint8_t[]>(index_records_wanted);
    pair.index_records = index_records.get();
    pair.index_records_size = read_up_to(index_file, index_records.get(), index_records_wanted, pair.index_failed);

    // No index record can reach past kMaxReachableProgramData.
    std::unique_ptr<std::uint8_t[]> program_data;
    if (pair.record_count > 0) {
        program_data = std::make_unique_for_overwrite<std::uint8_t[]>(kMaxReachableProgramData);
        pair.program_data = program_data.get();
        pair.program_data_size =
            read_up_to(program_data_file, program_data.get(), kMaxReachableProgramData, pair.program_data_failed);
    }

    const ModeOutcome outcome = extract_records(pair, write_listing_file, &listing_file);
    if (!outcome.success) return outcome;
    if (!close_file(listing_file)) return failure("Write error!");
    close_file(index_file);
    close_file(program_data_file);
    return ModeOutcome{true, ".txt file created success."};
}

}  // namespace skedmill
