// The command-line front end: banner, argument rules, mode dispatch, the one
// message line of a run and its exit status.
#pragma once

#include <string>
#include <vector>

namespace skedmill {

inline constexpr const char* kBanner = "JTV 3.0 Quenmark generator v3 by Skedmill contributors <skedmill@example.org>";

// Runs the program over `arguments` (the program name first, as in argv) and
// returns the exit status: 0 after a completed conversion, 1 otherwise. Every
// line goes to standard output ending in CR LF; the banner comes first, on
// every run. Arguments after the second are never looked at.
int run_front_end(const std::vector<std::string>& arguments);

}  // namespace skedmill
