// Any bytes through the listing reader: it must stop, never overflow, and
// every entry it yields must carry a title that generate could store.
#include <cstddef>
#include <cstdint>

#include "fuzz_check.hpp"
#include "memory_listing.hpp"
#include "text_listing.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace skedmill;
    fuzz::MemoryListing listing{data, size, 0};
    ListingReader reader;
    fuzz::start_memory_listing(reader, listing);
    ListingEntry entry;
    std::size_t entries = 0;
    ListingRead read;
    while ((read = read_entry(reader, entry)) == ListingRead::entry) {
        // An empty title comes only from a NUL as the title's first byte.
        FUZZ_CHECK(entry.title.size() <= kMaxTitleLength);
        FUZZ_CHECK(entry.title.find('\0') == std::string::npos);
        FUZZ_CHECK(entry.title.find('\n') == std::string::npos);
        if (!entry.title.empty()) {
            const unsigned char first = static_cast<unsigned char>(entry.title[0]);
            FUZZ_CHECK(first != ' ' && (first < 0x09 || first > 0x0D));
        }
        // Every entry takes at least its six digits and one title byte.
        FUZZ_CHECK(++entries <= size / 7);
    }
    FUZZ_CHECK(read != ListingRead::read_error);  // memory never fails
    return 0;
}
