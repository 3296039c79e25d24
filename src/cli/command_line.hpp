// The Windows command line, split and wildcard-expanded by the program itself
// as the classic console runtime does, so that every build behaves the same.
// Pure functions: the directory listing is passed in.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace skedmill {

struct CommandLineArgument {
    std::string text;
    bool expandable;  // holds * or ? and did not start with a double quote on the line
};

// Splits a raw command line. The first argument, the program name, runs to
// the next blank or tab, or from an opening quote to the closing one, with
// backslashes literal. The rest are separated by blanks and tabs; double
// quotes group; 2N backslashes before a quote give N backslashes and the
// quote opens or closes a quoted run; 2N+1 give N backslashes and a literal
// quote; other backslashes are literal; inside a quoted run a doubled quote
// gives one literal quote and ends the run; an unclosed quote runs to the end.
std::vector<CommandLineArgument> split_command_line(std::string_view line);

// Lists the names in a directory, given as the prefix to put before them
// ("" for the current directory, "guides\\", "C:"), hidden and system
// entries and subdirectories included.
using DirectoryLister = std::vector<std::string> (*)(const std::string& directory);

// True when `name` matches `pattern`: * any run of bytes, ? exactly one,
// A..Z and a..z alike, as Windows file names match.
bool matches_wildcard(std::string_view pattern, std::string_view name);

// Replaces each expandable argument (the program name is never one) by the
// names it matches, in place: the directory part (up to the last \ / or drive
// colon before the first wildcard) put before each, "." and ".." left out,
// sorted by bytes with A..Z folded to lower case. An argument that matches
// nothing, or whose nearest separator is a colon other than a drive's, stays
// as written.
std::vector<std::string> expand_arguments(const std::vector<CommandLineArgument>& arguments,
                                          DirectoryLister list_directory);

}  // namespace skedmill
