// Helpers shared by the two modes.
#pragma once

#include <cstdint>
#include <string>

#include "modes.hpp"

namespace skedmill {

// Buffered output is written out in blocks of these sizes: few system calls
// for any guide, and few fresh memory pages, whose first touch can cost more
// than a system call. Generate's blocks stay under the largest guide's size
// (about 460 KB); extract's listing can grow to megabytes.
inline constexpr std::size_t kRecordsBlockSize = 32 * 1024;
inline constexpr std::size_t kListingBlockSize = 64 * 1024;

ModeOutcome failure(std::string message);

// A message naming a 1-based entry or record: "Title too long in entry 3!".
ModeOutcome numbered_failure(const char* before_number, std::uint32_t number, const char* after_number);

}  // namespace skedmill
