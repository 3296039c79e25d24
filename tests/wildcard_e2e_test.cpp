// The Windows program splits and expands its own command line. Under Wine
// the runner turns these arguments into a command line, quoting those with
// blanks, as any Windows shell would. On POSIX the shell expands wildcards
// before the program starts, so these cases run on the Windows build only.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "e2e_support.hpp"

namespace skedmill::e2e {
namespace {

class Wildcards : public testing::Test {
protected:
    void SetUp() override {
        if (!runs_through_runner()) GTEST_SKIP() << "the shell expands wildcards on POSIX";
    }
};

TEST_F(Wildcards, OneMatchBecomesTheBaseName) {
    ScratchDirectory dir;
    dir.write("x", "");
    dir.write("x.txt", one_entry_listing());
    const RunResult result = dir.run({"?"});
    EXPECT_EQ(output_with(".ndx and .pdt files created success."), result.output);
    EXPECT_EQ(0, result.exit_status);
    EXPECT_EQ(one_entry_index(), dir.read("x.ndx"));
}

TEST_F(Wildcards, MatchedExtensionStaysInTheNames) {
    ScratchDirectory dir;
    dir.write("tv.txt", one_entry_listing());
    const RunResult result = dir.run({"tv*", "/extract"});
    EXPECT_EQ(output_with("Can't open file .ndx or .pdt!"), result.output);
    EXPECT_EQ(1, result.exit_status);
    EXPECT_EQ((std::vector<std::string>{"tv.txt", "tv.txt.txt"}), dir.names());
}

TEST_F(Wildcards, TwoMatchesShiftTheOption) {
    ScratchDirectory dir;
    dir.write("tv.ndx", one_entry_index());
    dir.write("tv.pdt", one_entry_program_data());
    const RunResult result = dir.run({"tv*", "/extract"});
    EXPECT_EQ(output_with("Incorrect option!"), result.output);
    EXPECT_EQ(1, result.exit_status);
    EXPECT_EQ((std::vector<std::string>{"tv.ndx", "tv.pdt"}), dir.names());
}

TEST_F(Wildcards, QuotedWildcardIsNotExpanded) {
    ScratchDirectory dir;
    dir.write("tv 1", "");
    dir.write("tv 1.txt", one_entry_listing());
    const RunResult result = dir.run({"tv ?"});  // reaches the program as "tv ?", quotes and all
    EXPECT_EQ(output_with("Can't open file .txt!"), result.output);
    EXPECT_EQ(1, result.exit_status);
    EXPECT_EQ((std::vector<std::string>{"tv 1", "tv 1.txt"}), dir.names());
}

TEST_F(Wildcards, NoMatchLeavesTheArgumentAsWritten) {
    ScratchDirectory dir;
    dir.write("tv.txt", one_entry_listing());
    const RunResult result = dir.run({"zz*"});
    EXPECT_EQ(output_with("Can't open file .txt!"), result.output);
    EXPECT_EQ(1, result.exit_status);
    EXPECT_EQ((std::vector<std::string>{"tv.txt"}), dir.names());
}

TEST_F(Wildcards, DirectoryPartIsKept) {
    ScratchDirectory dir;
    std::filesystem::create_directory(dir.file("guides"));
    dir.write("guides/week", "");
    dir.write("guides/week.txt", one_entry_listing());
    const RunResult result = dir.run({"guides\\w??k"});
    EXPECT_EQ(output_with(".ndx and .pdt files created success."), result.output);
    EXPECT_EQ(one_entry_index(), dir.read("guides/week.ndx"));
}

}  // namespace
}  // namespace skedmill::e2e
