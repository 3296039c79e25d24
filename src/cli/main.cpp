#include <string>
#include <vector>

#include "front_end.hpp"

#ifdef _WIN32
#include "command_line.hpp"
#include "platform.hpp"

// Keeps the C runtime from expanding wildcards itself: the program splits and
// expands its own command line, the same way under every runtime.
int _dowildcard = 0;
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
    (void)argc;
    (void)argv;
    const std::vector<std::string> arguments =
        skedmill::expand_arguments(skedmill::split_command_line(skedmill::raw_command_line()), skedmill::list_directory);
#else
    // The shell has already split and expanded the command line.
    const std::vector<std::string> arguments(argv, argv + argc);
#endif
    return skedmill::run_front_end(arguments);
}
