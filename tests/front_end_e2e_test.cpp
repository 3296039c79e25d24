// The front end end to end: banner, argument rules, file names, every message.
#include <gtest/gtest.h>

#include <filesystem>

#include "e2e_support.hpp"

namespace skedmill::e2e {
namespace {

const std::string& kOneEntryListing = one_entry_listing();
const std::string& kOneEntryIndex = one_entry_index();
const std::string& kOneEntryProgramData = one_entry_program_data();

TEST(FrontEnd, NoArgumentsPrintsUsage) {
    ScratchDirectory dir;
    const RunResult result = dir.run({});
    EXPECT_EQ(output_with("Usage: skedmill.exe filename_without_extension [/extract]"), result.output);
    EXPECT_EQ(1, result.exit_status);
    EXPECT_TRUE(dir.names().empty());
}

TEST(FrontEnd, ExtractOptionInAnyLetterCase) {
    for (const char* option : {"/extract", "/EXTRACT", "/Extract", "/eXtRaCt"}) {
        SCOPED_TRACE(option);
        ScratchDirectory dir;
        dir.write("tv.ndx", kOneEntryIndex);
        dir.write("tv.pdt", kOneEntryProgramData);
        const RunResult result = dir.run({"tv", option});
        EXPECT_EQ(output_with(".txt file created success."), result.output);
        EXPECT_EQ(0, result.exit_status);
        EXPECT_EQ(kOneEntryListing, dir.read("tv.txt"));
    }
}

TEST(FrontEnd, AnyOtherOptionIsRefusedBeforeAnyFileIsTouched) {
    for (const char* option : {"-extract", "extract", "/x", "/extract ", "/extracts", "", "/ＥＸＴＲＡＣＴ"}) {
        SCOPED_TRACE(option);
        // Windows hands the program its command line in the ANSI code page,
        // where the full-width letters are mapped to their ASCII look-alikes.
        if (runs_through_runner() && option[1] == '\xEF') continue;
        ScratchDirectory dir;
        dir.write("tv.txt", kOneEntryListing);
        const RunResult result = dir.run({"tv", option});
        EXPECT_EQ(output_with("Incorrect option!"), result.output);
        EXPECT_EQ(1, result.exit_status);
        EXPECT_EQ((std::vector<std::string>{"tv.txt"}), dir.names());
        EXPECT_EQ(kOneEntryListing, dir.read("tv.txt"));
    }
}

TEST(FrontEnd, ArgumentsAfterTheOptionAreIgnored) {
    ScratchDirectory dir;
    dir.write("tv.ndx", kOneEntryIndex);
    dir.write("tv.pdt", kOneEntryProgramData);
    const RunResult result = dir.run({"tv", "/extract", "anything", "/x"});
    EXPECT_EQ(output_with(".txt file created success."), result.output);
    EXPECT_EQ(0, result.exit_status);
    EXPECT_EQ(kOneEntryListing, dir.read("tv.txt"));
}

TEST(FrontEnd, BaseNameIsUsedVerbatim) {
    ScratchDirectory dir;
    dir.write("tv.txt.txt", kOneEntryListing);
    const RunResult result = dir.run({"tv.txt"});
    EXPECT_EQ(output_with(".ndx and .pdt files created success."), result.output);
    EXPECT_EQ(0, result.exit_status);
    EXPECT_EQ((std::vector<std::string>{"tv.txt.ndx", "tv.txt.pdt", "tv.txt.txt"}), dir.names());
    EXPECT_EQ(kOneEntryIndex, dir.read("tv.txt.ndx"));
}

TEST(FrontEnd, EmptyBaseNameGivesBareExtensions) {
    ScratchDirectory dir;
    dir.write(".txt", kOneEntryListing);
    const RunResult result = dir.run({""});
    EXPECT_EQ(output_with(".ndx and .pdt files created success."), result.output);
    EXPECT_EQ(0, result.exit_status);
    EXPECT_EQ(kOneEntryIndex, dir.read(".ndx"));
    EXPECT_EQ(kOneEntryProgramData, dir.read(".pdt"));
}

TEST(FrontEnd, BaseNameWithDirectoryPartAndNoLengthLimit) {
    ScratchDirectory dir;
    const std::string long_name(200, 'n');
    std::filesystem::create_directory(dir.file("guides"));
    dir.write("guides/" + long_name + ".txt", kOneEntryListing);
    const RunResult result = dir.run({"guides/" + long_name});
    EXPECT_EQ(output_with(".ndx and .pdt files created success."), result.output);
    EXPECT_EQ(0, result.exit_status);
    EXPECT_EQ(kOneEntryIndex, dir.read("guides/" + long_name + ".ndx"));
}

TEST(FrontEnd, MissingListing) {
    ScratchDirectory dir;
    const RunResult result = dir.run({"tv"});
    EXPECT_EQ(output_with("Can't open file .txt!"), result.output);
    EXPECT_EQ(1, result.exit_status);
    EXPECT_TRUE(dir.names().empty()) << "neither output file is touched";
}

TEST(FrontEnd, DirectoryWhereAFileIsExpected) {
    {
        ScratchDirectory dir;
        std::filesystem::create_directory(dir.file("tv.txt"));
        const RunResult result = dir.run({"tv"});
        EXPECT_EQ(output_with("Can't open file .txt!"), result.output);
        EXPECT_EQ(1, result.exit_status);
        EXPECT_EQ((std::vector<std::string>{"tv.txt"}), dir.names());
    }
    {
        ScratchDirectory dir;
        std::filesystem::create_directory(dir.file("tv.ndx"));
        dir.write("tv.pdt", kOneEntryProgramData);
        const RunResult result = dir.run({"tv", "/extract"});
        EXPECT_EQ(output_with("Can't open file .ndx or .pdt!"), result.output);
        EXPECT_EQ(1, result.exit_status);
        EXPECT_EQ("", dir.read("tv.txt"));
    }
}

TEST(FrontEnd, PathThroughARegularFile) {
    ScratchDirectory dir;
    dir.write("plain", one_entry_listing());
    RunResult result = dir.run({"plain/tv"});
    EXPECT_EQ(output_with("Can't open file .txt!"), result.output);
    EXPECT_EQ(1, result.exit_status);
    result = dir.run({"plain/tv", "/extract"});
    EXPECT_EQ(output_with("Can't open file .txt!"), result.output);
    EXPECT_EQ(1, result.exit_status);
    EXPECT_EQ((std::vector<std::string>{"plain"}), dir.names());
}

}  // namespace
}  // namespace skedmill::e2e
