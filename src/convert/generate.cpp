// Generate mode: text listing -> guide pair. The placeholder count and the
// header go out first, so that their failures are seen first; then the
// records are written in blocks of about 32 KiB as they gather, and the real
// count goes over the placeholder last.
#include <cstdint>
#include <string>

#include "guide_pair.hpp"
#include "mode_support.hpp"
#include "modes.hpp"
#include "platform.hpp"
#include "text_listing.hpp"

namespace skedmill {
namespace {

std::int64_t read_listing_file(void* context, std::uint8_t* buffer, std::size_t capacity) {
    return read_some(*static_cast<int*>(context), buffer, capacity);
}

struct PairFiles {
    int index_file;
    int program_data_file;
};

bool write_records(void* context, GeneratedRecords& records) {
    const auto& files = *static_cast<const PairFiles*>(context);
    const bool written = write_all(files.index_file, records.index_records.data(), records.index_records.size()) &&
                         write_all(files.program_data_file, records.title_records.data(), records.title_records.size());
    records.index_records.clear();
    records.title_records.clear();
    return written;
}

}  // namespace

ModeOutcome generate_records(ListingReader& reader, GeneratedRecords& records, RecordsSink sink, void* context) {
    if (sink) {
        // Room for a block and one more record, so the strings never grow.
        records.index_records.reserve(kRecordsBlockSize + kIndexRecordSize);
        records.title_records.reserve(kRecordsBlockSize + kTitleLengthSize + kMaxTitleLength);
    }
    ListingEntry entry;
    std::uint32_t title_offset = static_cast<std::uint32_t>(kProgramDataHeader.size());
    for (;;) {
        const ListingRead read = read_entry(reader, entry);
        if (read == ListingRead::end) return ModeOutcome{true, {}};
        if (read == ListingRead::read_error) return failure("Read error!");
        const std::uint32_t entry_number = records.record_count + 1;

        // The weekday goes into the day-of-week field, where it has no effect.
        const SYSTEMTIME calendar_time{entry.year, entry.month, entry.weekday, entry.day, entry.hour, entry.minute, 0,
                                       0};
        IndexRecord record{};
        if (!system_time_to_file_time(calendar_time, record.start_time)) {
            return numbered_failure("Invalid date or time in entry ", entry_number, "!");
        }
        if (read == ListingRead::title_too_long) return numbered_failure("Title too long in entry ", entry_number, "!");
        // The title offset field has 16 bits. (The count cannot overflow
        // first: every title record takes at least 2 bytes.)
        if (title_offset > kMaxTitleOffset) return numbered_failure("Guide too large at entry ", entry_number, "!");

        record.title_offset = static_cast<std::uint16_t>(title_offset);
        std::uint8_t index_record[kIndexRecordSize];
        encode_index_record(record, index_record);
        records.index_records.append(reinterpret_cast<const char*>(index_record), kIndexRecordSize);
        append_title_record(records.title_records, entry.title);
        title_offset += static_cast<std::uint32_t>(kTitleLengthSize + entry.title.size());
        ++records.record_count;

        const bool block_gathered =
            records.index_records.size() >= kRecordsBlockSize || records.title_records.size() >= kRecordsBlockSize;
        if (sink && block_gathered && !sink(context, records)) return failure("Write error!");
    }
}

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

    ListingReader reader;
    start_listing(reader, read_listing_file, &listing_file);
    PairFiles files{index_file, program_data_file};
    GeneratedRecords records;
    const ModeOutcome outcome = generate_records(reader, records, write_records, &files);
    const bool records_written = write_records(&files, records);
    // On a faulty entry the records before it stay behind the placeholder
    // count 0, so the pair reads as an empty guide.
    if (!outcome.success) return outcome;

    std::uint8_t final_count[kRecordCountSize];
    store_le16(final_count, static_cast<std::uint16_t>(records.record_count));
    if (!records_written || !seek_to_start(index_file) || !write_all(index_file, final_count, sizeof final_count)) {
        return failure("Write error!");
    }
    close_file(listing_file);  // read-only: nothing can be lost here
    const bool index_closed = close_file(index_file);
    const bool program_data_closed = close_file(program_data_file);
    if (!index_closed || !program_data_closed) return failure("Write error!");
    return ModeOutcome{true, ".ndx and .pdt files created success."};
}

}  // namespace skedmill
