// A text listing held in memory, as a source for ListingReader.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

#include "text_listing.hpp"

namespace skedmill::fuzz {

// A small reader buffer: cheap to set up for every input, and it puts
// refills (and CR LF pairs split across them) everywhere.
inline constexpr std::size_t kSmallBuffer = 1024;

struct MemoryListing {
    const std::uint8_t* bytes;
    std::size_t size;
    std::size_t position;
};

inline std::int64_t read_memory_listing(void* context, std::uint8_t* buffer, std::size_t capacity) {
    auto& listing = *static_cast<MemoryListing*>(context);
    const std::size_t left = listing.size - listing.position;
    const std::size_t n = left < capacity ? left : capacity;
    if (n != 0) std::memcpy(buffer, listing.bytes + listing.position, n);
    listing.position += n;
    return static_cast<std::int64_t>(n);
}

// Starts `reader` over `listing` from its first byte, with the small buffer.
inline void start_memory_listing(ListingReader& reader, MemoryListing& listing) {
    listing.position = 0;
    start_listing(reader, read_memory_listing, &listing, kSmallBuffer);
}

}  // namespace skedmill::fuzz
