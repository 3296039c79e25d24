// Generate mode end to end: the pair's bytes, and every failure with what the
// pair holds afterwards.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "e2e_support.hpp"
#include "test_vectors.hpp"

namespace skedmill::e2e {
namespace {

using namespace std::string_literals;

// 24 April 2000 18:30, and minutes after it, by plain tick arithmetic.
constexpr std::uint64_t kNewsTime = 0x01BFAE1B19364400ull;
constexpr std::uint64_t kTicksPerMinute = 60ull * 10'000'000;


// The pair expected for (start time, title) records laid back to back, with
// the count written as `count_field`.
std::pair<std::string, std::string> expected_pair(const std::vector<std::pair<std::uint64_t, std::string>>& records,
                                                  unsigned count_field) {
    std::string index = le16(count_field);
    std::string program_data(vectors::kHeader);
    for (const auto& [start_time, title] : records) {
        index += le16(0) + le64(start_time) + le16(static_cast<unsigned>(program_data.size()));
        program_data += le16(static_cast<unsigned>(title.size())) + title;
    }
    return {index, program_data};
}

void expect_pair(const ScratchDirectory& dir, const std::pair<std::string, std::string>& expected) {
    EXPECT_EQ(expected.first, dir.read("tv.ndx")) << "index file";
    EXPECT_EQ(expected.second, dir.read("tv.pdt")) << "program data file";
}

RunResult generate(const ScratchDirectory& dir, const std::string& listing) {
    dir.write("tv.txt", listing);
    return dir.run({"tv"});
}

const std::string kSuccess = output_with(".ndx and .pdt files created success.");

TEST(Generate, OneEntryGuide) {
    ScratchDirectory dir;
    const RunResult result = generate(dir, one_entry_listing());
    EXPECT_EQ(kSuccess, result.output);
    EXPECT_EQ(0, result.exit_status);
    EXPECT_EQ(one_entry_index(), dir.read("tv.ndx"));
    EXPECT_EQ(one_entry_program_data(), dir.read("tv.pdt"));
    EXPECT_EQ(32u, dir.read("tv.pdt").size());
}

TEST(Generate, EmptyListing) {
    for (const char* listing : {"", "\r\n \t\r\n", "\x1A" "24 4 2000 18 30 1\r\nNews\r\n"}) {
        ScratchDirectory dir;
        const RunResult result = generate(dir, listing);
        EXPECT_EQ(kSuccess, result.output);
        EXPECT_EQ(0, result.exit_status);
        expect_pair(dir, expected_pair({}, 0));
    }
}

TEST(Generate, TitlesFollowBackToBackWithoutSharing) {
    ScratchDirectory dir;
    const RunResult result = generate(dir,
                                      "24 4 2000 18 30 1\r\nNews\r\n24 4 2000 19 0 1\r\nFilm\r\n"
                                      "24 4 2000 19 5 1\r\nNews\r\n24 4 2000 18 0 1\r\n\0\r\n"
                                      "24 4 2000 20 0 1\r\nZ\r\n"s);
    EXPECT_EQ(kSuccess, result.output);
    EXPECT_EQ(0, result.exit_status);
    expect_pair(dir, expected_pair({{kNewsTime, "News"},
                                    {kNewsTime + 30 * kTicksPerMinute, "Film"},
                                    {kNewsTime + 35 * kTicksPerMinute, "News"},
                                    {kNewsTime - 30 * kTicksPerMinute, ""},
                                    {kNewsTime + 90 * kTicksPerMinute, "Z"}},
                                   5));
    EXPECT_EQ(26, static_cast<unsigned char>(dir.read("tv.ndx")[12]));
    EXPECT_EQ(32, static_cast<unsigned char>(dir.read("tv.ndx")[24]));
}

TEST(Generate, WeekdayHasNoEffect) {
    for (const char* weekday : {"1", "5", "0", "99999", "-7"}) {
        ScratchDirectory dir;
        const RunResult result = generate(dir, std::string("24 4 2000 18 30 ") + weekday + "\r\nNews\r\n");
        EXPECT_EQ(kSuccess, result.output);
        EXPECT_EQ(one_entry_index(), dir.read("tv.ndx")) << weekday;
    }
}

TEST(Generate, ReplacesALongerExistingPair) {
    ScratchDirectory dir;
    dir.write("tv.ndx", std::string(5000, 'i'));
    dir.write("tv.pdt", std::string(5000, 'p'));
    const RunResult result = generate(dir, one_entry_listing());
    EXPECT_EQ(kSuccess, result.output);
    EXPECT_EQ(one_entry_index(), dir.read("tv.ndx"));
    EXPECT_EQ(one_entry_program_data(), dir.read("tv.pdt"));
}

TEST(Generate, MalformedThirdEntryEndsTheListingWithSuccess) {
    ScratchDirectory dir;
    const RunResult result = generate(dir,
                                      "24 4 2000 18 30 1\r\nNews\r\n24 4 2000 19 0 1\r\nFilm\r\n"
                                      "24 4 2000 19 x 1\r\nLost\r\n24 4 2000 20 0 1\r\nLost too\r\n");
    EXPECT_EQ(kSuccess, result.output);
    EXPECT_EQ(0, result.exit_status);
    expect_pair(dir, expected_pair({{kNewsTime, "News"}, {kNewsTime + 30 * kTicksPerMinute, "Film"}}, 2));
}

TEST(Generate, InvalidDateOrTimeStopsTheRun) {
    const char* bad_numbers[] = {
        "24 4 00 18 30 1",    // a two-digit year is year 0
        "31 4 2000 18 30 1",  // 31 April
        "29 2 1900 18 30 1",  // 1900 is no leap year
        "1 13 2000 18 30 1",  "0 4 2000 18 30 1", "-1 4 2000 18 30 1",   "24 4 2000 24 0 1",
        "24 4 2000 23 60 1",  "24 4 1600 0 0 1",  "24 4 30828 0 0 1",    "24 4 -1 0 0 1",
    };
    for (const char* numbers : bad_numbers) {
        SCOPED_TRACE(numbers);
        ScratchDirectory dir;
        const RunResult result =
            generate(dir, std::string("24 4 2000 18 30 1\r\nNews\r\n") + numbers + "\r\nBad\r\n1 1 2000 0 0 1\r\nX\r\n");
        EXPECT_EQ(output_with("Invalid date or time in entry 2!"), result.output);
        EXPECT_EQ(1, result.exit_status);
        // The placeholder count stays, so the pair reads as an empty guide.
        expect_pair(dir, expected_pair({{kNewsTime, "News"}}, 0));
    }
}

TEST(Generate, ExtremeValidDates) {
    struct Case {
        const char* numbers;
        std::uint64_t start_time;
    };
    const Case cases[] = {
        {"29 2 2000 0 0 1", 0x01BF827C4ED80A00ull - (6 * 60 + 15) * kTicksPerMinute},
        {"1 1 1601 0 0 1", 0},
        {"31 12 30827 23 59 7", 0x7FFF35F4CCA93A00ull},
        {"0031 +12 30827 00023 59 7", 0x7FFF35F4CCA93A00ull},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.numbers);
        ScratchDirectory dir;
        const RunResult result = generate(dir, std::string(c.numbers) + "\nT\n");
        EXPECT_EQ(kSuccess, result.output);
        expect_pair(dir, expected_pair({{c.start_time, "T"}}, 1));
    }
}

TEST(Generate, TitleLengthLimit) {
    const std::string longest(4999, 'L');
    {
        ScratchDirectory dir;
        const RunResult result = generate(dir, "24 4 2000 18 30 1\r\n" + longest + "\r\n");
        EXPECT_EQ(kSuccess, result.output);
        expect_pair(dir, expected_pair({{kNewsTime, longest}}, 1));
    }
    {
        ScratchDirectory dir;
        const RunResult result =
            generate(dir, "24 4 2000 18 30 1\r\nNews\r\n24 4 2000 19 0 1\r\n" + longest + "M\r\n");
        EXPECT_EQ(output_with("Title too long in entry 2!"), result.output);
        EXPECT_EQ(1, result.exit_status);
        expect_pair(dir, expected_pair({{kNewsTime, "News"}}, 0));
    }
    {
        // The date is checked before the title.
        ScratchDirectory dir;
        const RunResult result = generate(dir, "31 4 2000 18 30 1\r\n" + longest + "M\r\n");
        EXPECT_EQ(output_with("Invalid date or time in entry 1!"), result.output);
    }
}

TEST(Generate, LinesOfTensOfMegabytes) {
    const std::string huge(40u << 20, 'h');
    {
        ScratchDirectory dir;
        const RunResult result = generate(dir, "24 4 2000 18 30 1\r\n" + huge + "\r\n");
        EXPECT_EQ(output_with("Title too long in entry 1!"), result.output);
        EXPECT_EQ(1, result.exit_status);
        expect_pair(dir, expected_pair({}, 0));
    }
    {
        // Only the bytes before the first NUL make the title.
        ScratchDirectory dir;
        const RunResult result =
            generate(dir, "24 4 2000 18 30 1\r\nNews" + std::string(1, '\0') + huge + "\r\n24 4 2000 19 0 1\nFilm");
        EXPECT_EQ(kSuccess, result.output);
        expect_pair(dir, expected_pair({{kNewsTime, "News"}, {kNewsTime + 30 * kTicksPerMinute, "Film"}}, 2));
    }
}

// Thirteen titles of 4,999 bytes bring the next title offset to 65,039.
std::string listing_near_the_offset_limit(std::size_t fourteenth_title_length) {
    std::string listing;
    for (int i = 0; i < 13; ++i) listing += "24 4 2000 18 30 1\n" + std::string(4999, static_cast<char>('a' + i)) + "\n";
    listing += "24 4 2000 19 0 1\n" + std::string(fourteenth_title_length, 'n') + "\n";
    listing += "24 4 2000 20 0 1\nLast\n";
    return listing;
}

TEST(Generate, TitleRecordStartingExactlyAt65535IsAccepted) {
    ScratchDirectory dir;
    const RunResult result = generate(dir, listing_near_the_offset_limit(65535 - 65039 - 2));
    EXPECT_EQ(kSuccess, result.output);
    EXPECT_EQ(0, result.exit_status);
    const std::string index = dir.read("tv.ndx");
    ASSERT_EQ(2u + 15 * 12, index.size());
    EXPECT_EQ(le16(15), index.substr(0, 2));
    EXPECT_EQ(le16(65535), index.substr(2 + 14 * 12 + 10, 2));
    EXPECT_EQ(65535u + 2 + 4, dir.read("tv.pdt").size());
}

TEST(Generate, TitleRecordPast65535NamesTheEntry) {
    ScratchDirectory dir;
    const RunResult result = generate(dir, listing_near_the_offset_limit(65535 - 65039 - 1));
    EXPECT_EQ(output_with("Guide too large at entry 15!"), result.output);
    EXPECT_EQ(1, result.exit_status);
    const std::string index = dir.read("tv.ndx");
    EXPECT_EQ(le16(0), index.substr(0, 2));
    EXPECT_EQ(2u + 14 * 12, index.size());
    EXPECT_EQ(65536u, dir.read("tv.pdt").size());
}

TEST(Generate, MostEntriesTheOffsetsAllow) {
    // Titles that are empty (a NUL as the only byte) take 2 bytes each.
    std::string listing;
    for (int i = 0; i < 32755; ++i) listing += "1 1 2000 0 0 1\n" + std::string(1, '\0') + "\n";
    {
        ScratchDirectory dir;
        const RunResult result = generate(dir, listing);
        EXPECT_EQ(kSuccess, result.output);
        EXPECT_EQ(le16(32755), dir.read("tv.ndx").substr(0, 2));
        EXPECT_EQ(26u + 2 * 32755, dir.read("tv.pdt").size());
    }
    {
        ScratchDirectory dir;
        const RunResult result = generate(dir, listing + "2 1 2000 0 0 1\nX\n");
        EXPECT_EQ(output_with("Guide too large at entry 32756!"), result.output);
        EXPECT_EQ(1, result.exit_status);
    }
}

TEST(Generate, OutputThatCannotBeOpened) {
    ScratchDirectory dir;
    dir.write("tv.txt", one_entry_listing());
    dir.write("tv.ndx", "old");
    std::filesystem::create_directory(dir.file("tv.pdt"));
    const RunResult result = dir.run({"tv"});
    EXPECT_EQ(output_with("Can't open file .ndx or .pdt!"), result.output);
    EXPECT_EQ(1, result.exit_status);
    EXPECT_EQ("", dir.read("tv.ndx")) << "the output that did open is created or truncated and left empty";
}

// Faults that only a POSIX host can stage: /dev/full and /proc.
class GenerateOnPosix : public testing::Test {
protected:
    void SetUp() override {
        if (runs_through_runner()) GTEST_SKIP() << "staged with POSIX device files";
    }
};

TEST_F(GenerateOnPosix, WriteErrors) {
    for (const char* full : {"tv.ndx", "tv.pdt"}) {
        SCOPED_TRACE(full);
        ScratchDirectory dir;
        std::filesystem::create_symlink("/dev/full", dir.file(full));
        const RunResult result = generate(dir, one_entry_listing());
        EXPECT_EQ(output_with("Write error!"), result.output);
        EXPECT_EQ(1, result.exit_status);
    }
}

TEST_F(GenerateOnPosix, WriteErrorAfterTheHeader) {
    // The placeholder and the header fit under the limit; the records do not.
    std::string listing;
    for (int i = 0; i < 40; ++i) listing += "24 4 2000 18 30 1\r\nNews\r\n";
    ScratchDirectory dir;
    dir.write("tv.txt", listing);
    const RunResult result = dir.run({"tv"}, 200);
    EXPECT_EQ(output_with("Write error!"), result.output);
    EXPECT_EQ(1, result.exit_status);
    EXPECT_EQ(le16(0), dir.read("tv.ndx").substr(0, 2)) << "the pair still reads as an empty guide";
}

TEST_F(GenerateOnPosix, ReadErrorOnTheListing) {
    ScratchDirectory dir;
    // Reading a process's memory at offset 0 fails with an I/O error.
    std::filesystem::create_symlink("/proc/self/mem", dir.file("tv.txt"));
    const RunResult result = dir.run({"tv"});
    EXPECT_EQ(output_with("Read error!"), result.output);
    EXPECT_EQ(1, result.exit_status);
    expect_pair(dir, expected_pair({}, 0));
}

}  // namespace
}  // namespace skedmill::e2e
