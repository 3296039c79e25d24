// Helpers shared by the two modes.
#pragma once

#include <cstdint>
#include <string>

#include "modes.hpp"

namespace skedmill {

// Buffered output is flushed once it reaches this size, so a run makes a
// handful of system calls whatever the number of entries.
inline constexpr std::size_t kOutputFlushSize = 1024 * 1024;

ModeOutcome failure(std::string message);

// A message naming a 1-based entry or record: "Title too long in entry 3!".
ModeOutcome numbered_failure(const char* before_number, std::uint32_t number, const char* after_number);

}  // namespace skedmill
