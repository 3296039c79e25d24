// Entry of the end-to-end suite:
//   skedmill_e2e_tests --program PATH [--runner WORD]... [gtest flags]
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <iostream>

#include "e2e_support.hpp"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    auto& under_test = skedmill::e2e::program_under_test();
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--program") == 0) {
            under_test.program = std::filesystem::absolute(argv[i + 1]).string();
        } else if (std::strcmp(argv[i], "--runner") == 0) {
            under_test.runner.push_back(argv[i + 1]);
        } else {
            std::cerr << "unknown argument " << argv[i] << "\n";
            return 2;
        }
    }
    if (under_test.program.empty()) {
        std::cerr << "usage: " << argv[0] << " --program PATH [--runner WORD]...\n";
        return 2;
    }
    return RUN_ALL_TESTS();
}
