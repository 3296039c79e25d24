#include "command_line.hpp"

#include <algorithm>

namespace skedmill {
namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }

unsigned char fold(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte >= 'A' && byte <= 'Z' ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

// Byte order with A..Z folded to lower case; names equal under folding keep
// plain byte order, so the result never depends on the listing's order.
bool sorts_before(const std::string& a, const std::string& b) {
    const auto folded_less = [](char x, char y) { return fold(x) < fold(y); };
    if (std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), folded_less)) return true;
    if (std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(), folded_less)) return false;
    return a < b;
}

}  // namespace

std::vector<CommandLineArgument> split_command_line(std::string_view line) {
    std::vector<CommandLineArgument> arguments;
    std::size_t i = 0;

    // The program name: no escapes, a quoted run ends at the next quote.
    if (i < line.size() && !is_blank(line[i])) {
        std::string name;
        bool in_quotes = false;
        for (; i < line.size() && (in_quotes || !is_blank(line[i])); ++i) {
            if (line[i] == '"') {
                in_quotes = !in_quotes;
            } else {
                name.push_back(line[i]);
            }
        }
        arguments.push_back({name, false});
    }

    for (;;) {
        while (i < line.size() && is_blank(line[i])) ++i;
        if (i == line.size()) break;
        const bool starts_with_quote = line[i] == '"';
        std::string text;
        bool in_quotes = false;
        while (i < line.size() && (in_quotes || !is_blank(line[i]))) {
            const char c = line[i];
            if (c == '\\') {
                std::size_t end = i;
                while (end < line.size() && line[end] == '\\') ++end;
                const std::size_t backslashes = end - i;
                if (end < line.size() && line[end] == '"') {
                    text.append(backslashes / 2, '\\');
                    if (backslashes % 2 == 1) {
                        text.push_back('"');  // an escaped quote
                        ++end;
                    }
                } else {
                    text.append(backslashes, '\\');
                }
                i = end;
            } else if (c == '"') {
                if (in_quotes && i + 1 < line.size() && line[i + 1] == '"') {
                    text.push_back('"');  // a doubled quote inside a run also ends the run
                    ++i;
                    in_quotes = false;
                } else {
                    in_quotes = !in_quotes;
                }
                ++i;
            } else {
                text.push_back(c);
                ++i;
            }
        }
        const bool has_wildcard = text.find_first_of("*?") != std::string::npos;
        arguments.push_back({std::move(text), has_wildcard && !starts_with_quote});
    }
    return arguments;
}

bool matches_wildcard(std::string_view pattern, std::string_view name) {
    // Greedy matching that backtracks to the last star only: linear in practice.
    std::size_t p = 0, n = 0;
    std::size_t star = std::string_view::npos, resume = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == '*') {
            star = p++;
            resume = n;
        } else if (p < pattern.size() && (pattern[p] == '?' || fold(pattern[p]) == fold(name[n]))) {
            ++p;
            ++n;
        } else if (star != std::string_view::npos) {
            p = star + 1;
            n = ++resume;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == '*') ++p;
    return p == pattern.size();
}

std::vector<std::string> expand_arguments(const std::vector<CommandLineArgument>& arguments,
                                          DirectoryLister list_directory) {
    std::vector<std::string> expanded;
    for (const CommandLineArgument& argument : arguments) {
        const std::string& text = argument.text;
        if (!argument.expandable) {
            expanded.push_back(text);
            continue;
        }
        const std::size_t first_wildcard = text.find_first_of("*?");
        const std::size_t separator =
            first_wildcard == 0 ? std::string::npos : text.find_last_of("\\/:", first_wildcard - 1);
        if (separator != std::string::npos && text[separator] == ':' && separator != 1) {
            expanded.push_back(text);  // a colon that is no drive letter's
            continue;
        }
        const std::string directory = separator == std::string::npos ? "" : text.substr(0, separator + 1);
        const std::string_view pattern = std::string_view(text).substr(directory.size());

        std::vector<std::string> matches;
        for (std::string& name : list_directory(directory)) {
            if (name != "." && name != ".." && matches_wildcard(pattern, name)) matches.push_back(std::move(name));
        }
        if (matches.empty()) {
            expanded.push_back(text);
            continue;
        }
        std::sort(matches.begin(), matches.end(), sorts_before);
        for (const std::string& name : matches) expanded.push_back(directory + name);
    }
    return expanded;
}

}  // namespace skedmill
