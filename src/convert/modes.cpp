#include "modes.hpp"

#include "mode_support.hpp"

namespace skedmill {

FileNameSet file_names_for(const std::string& base_name) {
    return FileNameSet{base_name + ".txt", base_name + ".ndx", base_name + ".pdt"};
}

ModeOutcome failure(std::string message) { return ModeOutcome{false, std::move(message)}; }

ModeOutcome numbered_failure(const char* before_number, std::uint32_t number, const char* after_number) {
    return failure(before_number + std::to_string(number) + after_number);
}

}  // namespace skedmill
