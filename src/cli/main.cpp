#include <string>
#include <vector>

#include "front_end.hpp"

int main(int argc, char** argv) {
    // On POSIX the shell has already split and expanded the command line.
    std::vector<std::string> arguments(argv, argv + argc);
    return skedmill::run_front_end(arguments);
}
