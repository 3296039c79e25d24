#include "front_end.hpp"

#include "modes.hpp"
#include "platform.hpp"

namespace skedmill {
namespace {

void print_line(const std::string& text) { write_standard_output(text + "\r\n"); }

bool equals_ignoring_ascii_case(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

}  // namespace

int run_front_end(const std::vector<std::string>& arguments) {
    print_line(kBanner);
    if (arguments.size() < 2) {
        print_line("Usage: skedmill.exe filename_without_extension [/extract]");
        return 1;
    }
    const FileNameSet names = file_names_for(arguments[1]);
    ModeOutcome outcome;
    if (arguments.size() == 2) {
        outcome = generate_guide(names);
    } else if (equals_ignoring_ascii_case(arguments[2], "/extract")) {
        outcome = extract_guide(names);
    } else {
        outcome = ModeOutcome{false, "Incorrect option!"};
    }
    print_line(outcome.message);
    return outcome.success ? 0 : 1;
}

}  // namespace skedmill
