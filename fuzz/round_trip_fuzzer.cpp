// Listing -> pair -> listing in memory: the entries that pass generate's
// checks come back from extract with the same numbers and titles (the
// weekday is recomputed from the start time, so it is left aside).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_check.hpp"
#include "guide_pair.hpp"
#include "memory_listing.hpp"
#include "modes.hpp"
#include "text_listing.hpp"

namespace {

bool collect(void* context, const std::string& bytes) {
    *static_cast<std::string*>(context) += bytes;
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace skedmill;
    fuzz::MemoryListing memory{data, size, 0};
    ListingReader reader;
    fuzz::start_memory_listing(reader, memory);
    GeneratedRecords records;
    generate_records(reader, records);

    // The accepted entries, read again.
    fuzz::start_memory_listing(reader, memory);
    std::vector<ListingEntry> entries(records.record_count);
    for (ListingEntry& entry : entries) FUZZ_CHECK(read_entry(reader, entry) == ListingRead::entry);

    std::string program_data(kProgramDataHeader);
    program_data += records.title_records;
    PairBytes pair{};
    pair.record_count = records.record_count;
    pair.index_records = reinterpret_cast<const std::uint8_t*>(records.index_records.data());
    pair.index_records_size = records.index_records.size();
    pair.program_data = reinterpret_cast<const std::uint8_t*>(program_data.data());
    pair.program_data_size = program_data.size();
    std::string listing;
    const ModeOutcome extracted = extract_records(pair, collect, &listing);
    FUZZ_CHECK(extracted.success);

    std::size_t position = 0;
    auto next_line = [&] {
        const std::size_t end = listing.find("\r\n", position);
        FUZZ_CHECK(end != std::string::npos);
        std::string line = listing.substr(position, end - position);
        position = end + 2;
        return line;
    };
    for (const ListingEntry& entry : entries) {
        const std::string numbers = std::to_string(entry.day) + " " + std::to_string(entry.month) + " " +
                                    std::to_string(entry.year) + " " + std::to_string(entry.hour) + " " +
                                    std::to_string(entry.minute) + " ";
        const std::string numbers_line = next_line();
        FUZZ_CHECK(numbers_line.size() == numbers.size() + 1 && numbers_line.compare(0, numbers.size(), numbers) == 0);
        FUZZ_CHECK(numbers_line.back() >= '1' && numbers_line.back() <= '7');
        FUZZ_CHECK(next_line() == entry.title);
    }
    FUZZ_CHECK(position == listing.size());
    return 0;
}
