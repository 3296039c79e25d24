#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "command_line.hpp"

namespace skedmill {
namespace {

using Strings = std::vector<std::string>;

Strings texts(const std::vector<CommandLineArgument>& arguments) {
    Strings result;
    for (const auto& argument : arguments) result.push_back(argument.text);
    return result;
}

TEST(CommandLine, Splitting) {
    struct Case {
        const char* line;
        Strings expected;
    };
    const Case cases[] = {
        {"skedmill.exe", {"skedmill.exe"}},
        {"skedmill.exe tv", {"skedmill.exe", "tv"}},
        {"skedmill.exe  \t tv \t /extract  ", {"skedmill.exe", "tv", "/extract"}},
        {"\"C:\\Program Files\\skedmill.exe\" tv", {"C:\\Program Files\\skedmill.exe", "tv"}},
        {"C:\\tools\\skedmill.exe tv", {"C:\\tools\\skedmill.exe", "tv"}},
        {"p \"my guide\" /EXTRACT", {"p", "my guide", "/EXTRACT"}},
        {"p \"\"", {"p", ""}},
        {"p \"\" /extract", {"p", "", "/extract"}},
        {"p a\"b c\"d", {"p", "ab cd"}},
        {"p a\\\\b\\c", {"p", "a\\\\b\\c"}},           // backslashes not before a quote are literal
        {"p a\\\"b", {"p", "a\"b"}},                   // 1 backslash + quote: literal quote
        {"p a\\\\\"b c\"", {"p", "a\\b c"}},           // 2 backslashes + quote: one backslash, run opens
        {"p a\\\\\\\"b", {"p", "a\\\"b"}},             // 3 backslashes + quote: one backslash, literal quote
        {"p \"dir\\\\\" next", {"p", "dir\\", "next"}},  // 2 backslashes close the run
        {"p \"a\"\"b\" c", {"p", "a\"b c"}},            // a doubled quote inside a run ends it
        {"p \"a\"\"\"b", {"p", "a\"b"}},
        {"p \"unclosed run  with\tblanks", {"p", "unclosed run  with\tblanks"}},
        {"p \\\\server\\share\\tv", {"p", "\\\\server\\share\\tv"}},
        {"", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(c.expected, texts(split_command_line(c.line)));
    }
}

TEST(CommandLine, OnlyUnquotedWildcardArgumentsAreExpandable) {
    const auto arguments = split_command_line("tv*.exe tv* \"tv*\" t\"v*\" tv? plain \"a b*\"");
    const bool expected[] = {false, true, false, true, true, false, false};
    ASSERT_EQ(std::size(expected), arguments.size());
    for (std::size_t i = 0; i < arguments.size(); ++i) EXPECT_EQ(expected[i], arguments[i].expandable) << i;
}

TEST(CommandLine, WildcardMatching) {
    struct Case {
        const char* pattern;
        const char* name;
        bool matches;
    };
    const Case cases[] = {
        {"tv*", "tv.txt", true},    {"tv*", "tv", true},          {"TV*", "tv.txt", true},
        {"tv*", "TV.TXT", true},    {"tv?", "tv", false},         {"tv?", "tv1", true},
        {"*.txt", "a.b.txt", true}, {"*.txt", "a.txt.bak", false}, {"*a*b*", "xxaxxbxx", true},
        {"*a*b", "ab_ab_a", false}, {"?", "", false},             {"*", "", true},
        {"a*", "b", false},         {"*\xC4*", "\xC4", true},     {"\xE4*", "\xC4", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.matches, matches_wildcard(c.pattern, c.name)) << c.pattern << " ~ " << c.name;
    }
}

// A directory tree for the expansion tests, keyed by the directory prefix.
std::vector<std::string> fake_directory(const std::string& directory) {
    static const std::map<std::string, Strings> tree = {
        {"", {".", "..", "tv.txt", "Zeta.txt", "alpha.txt", "Beta.TXT", "_hidden.txt", "guides"}},
        {"guides\\", {".", "..", "tv.ndx", "tv.pdt"}},
        {"C:", {"tv.txt"}},
        {"one/", {"only.txt"}},
    };
    const auto found = tree.find(directory);
    return found == tree.end() ? Strings{} : found->second;
}

Strings expand(const char* line) { return expand_arguments(split_command_line(line), fake_directory); }

TEST(CommandLine, Expansion) {
    struct Case {
        const char* line;
        Strings expected;
    };
    const Case cases[] = {
        {"p tv*", {"p", "tv.txt"}},  // one match: the extension becomes part of the base name
        {"p guides\\tv* /extract", {"p", "guides\\tv.ndx", "guides\\tv.pdt", "/extract"}},  // two shift the option
        {"p \"tv*\"", {"p", "tv*"}},                  // quoted: never expanded
        {"p *.txt", {"p", "_hidden.txt", "alpha.txt", "Beta.TXT", "tv.txt", "Zeta.txt"}},  // folded: _ < a < B < t < Z
        {"p zz*", {"p", "zz*"}},                      // no match: stays as written
        {"p g?ides", {"p", "guides"}},                // directories match too
        {"p C:tv*", {"p", "C:tv.txt"}},               // a drive colon
        {"p one/*", {"p", "one/only.txt"}},
        {"p x:y:tv*", {"p", "x:y:tv*"}},              // a colon elsewhere: not expanded
        {"p d*\\tv", {"p", "d*\\tv"}},                // wildcards in a directory part never match
        {"p*", {"p*"}},                               // the program name is never expanded
        {"p \"\"", {"p", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(c.expected, expand(c.line));
    }
}

}  // namespace
}  // namespace skedmill
