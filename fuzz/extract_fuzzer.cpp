// Extract over an in-memory pair. Input layout:
//   byte 0      flags: bit 0 index read fails after its bytes, bit 1 the same
//               for the program data, bit 2 the listing cannot be written
//   bytes 1..3  length of the index part (little-endian, cut to what is there)
//   then        the index file, then the program data file
// The run must never crash, and end in success or one of the defined failures.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "fuzz_check.hpp"
#include "guide_pair.hpp"
#include "modes.hpp"

namespace {

struct Listing {
    std::string bytes;
    bool fail;
};

bool collect(void* context, const std::string& bytes) {
    auto& listing = *static_cast<Listing*>(context);
    if (listing.fail) return false;
    listing.bytes += bytes;
    return true;
}

// True for "<before>N!" with N a record number from 1 to `count`.
bool is_numbered(const std::string& message, const std::string& before, std::uint32_t count) {
    if (message.size() < before.size() + 2 || message.compare(0, before.size(), before) != 0) return false;
    if (message.back() != '!' || message[before.size()] == '0') return false;
    std::uint64_t number = 0;
    for (std::size_t i = before.size(); i + 1 < message.size(); ++i) {
        if (message[i] < '0' || message[i] > '9' || number > count) return false;
        number = number * 10 + static_cast<std::uint64_t>(message[i] - '0');
    }
    return number >= 1 && number <= count;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace skedmill;
    if (size < 4) return 0;
    const std::uint8_t flags = data[0];
    std::size_t index_size = data[1] | data[2] << 8 | data[3] << 16;
    data += 4;
    size -= 4;
    if (index_size > size) index_size = size;

    PairBytes pair{};
    pair.record_count = load_le16_at_end(data, index_size);
    const std::size_t count_bytes = index_size < kRecordCountSize ? index_size : kRecordCountSize;
    pair.index_records = data + count_bytes;
    pair.index_records_size = index_size - count_bytes;
    pair.index_failed = flags & 1;
    pair.program_data = data + index_size;
    pair.program_data_size = size - index_size;
    pair.program_data_failed = flags & 2;

    Listing listing{{}, (flags & 4) != 0};
    const ModeOutcome outcome = extract_records(pair, collect, &listing);
    if (outcome.success) {
        FUZZ_CHECK(outcome.message.empty());
        FUZZ_CHECK(listing.bytes.empty() == (pair.record_count == 0));
        FUZZ_CHECK(listing.bytes.size() >= pair.record_count * 4u);  // "1 1 1601 0 0 1\r\n\r\n" at the least
        return 0;
    }
    const std::string& message = outcome.message;
    const bool defined = message == "Read error!" || message == "Write error!" ||
                         is_numbered(message, "Unexpected end of .ndx file at record ", pair.record_count) ||
                         is_numbered(message, "Invalid start time at record ", pair.record_count) ||
                         is_numbered(message, "Unexpected end of .pdt file at record ", pair.record_count);
    if (!defined) std::fprintf(stderr, "undefined failure: %s\n", message.c_str());
    FUZZ_CHECK(defined);
    return 0;
}
