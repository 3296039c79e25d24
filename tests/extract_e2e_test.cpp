// Extract mode end to end: the listing's bytes for hand-made pairs, and every
// failure with what the listing holds afterwards.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "e2e_support.hpp"
#include "test_vectors.hpp"

namespace skedmill::e2e {
namespace {

using namespace std::string_literals;

constexpr std::uint64_t kNewsTime = 0x01BFAE1B19364400ull;  // Monday 24 April 2000 18:30
constexpr std::uint64_t kLeapSunday = 0x01C3FF1FFFF7BA00ull;  // Sunday 29 February 2004 23:59
constexpr std::uint64_t kTicksPerSecond = 10'000'000;

std::string index_record(std::uint64_t start_time, unsigned title_offset, unsigned reserved = 0) {
    return le16(reserved) + le64(start_time) + le16(title_offset);
}
const std::string kHeader{vectors::kHeader};

RunResult extract(const ScratchDirectory& dir, const std::string& index, const std::string& program_data) {
    dir.write("tv.ndx", index);
    dir.write("tv.pdt", program_data);
    dir.write("tv.txt", "old listing, to be replaced\r\n");
    return dir.run({"tv", "/extract"});
}

const std::string kSuccess = output_with(".txt file created success.");

TEST(Extract, OneEntryGuide) {
    ScratchDirectory dir;
    const RunResult result = extract(dir, one_entry_index(), one_entry_program_data());
    EXPECT_EQ(kSuccess, result.output);
    EXPECT_EQ(0, result.exit_status);
    EXPECT_EQ("24 4 2000 18 30 1\r\nNews\r\n", dir.read("tv.txt"));
}

TEST(Extract, EmptyGuides) {
    for (const std::string& index : {""s, "\0\0"s, "\0"s, "\0\0garbage after the records"s}) {
        ScratchDirectory dir;
        const RunResult result = extract(dir, index, "");
        EXPECT_EQ(kSuccess, result.output);
        EXPECT_EQ(0, result.exit_status);
        EXPECT_EQ("", dir.read("tv.txt"));
    }
}

TEST(Extract, TitlesAreFollowedByTheirOwnOffsets) {
    // Records sharing one title record, running backwards, pointing into the
    // header, past the end, at an empty title and at one with a NUL inside.
    const std::string program_data = kHeader + le16(4) + "News" + le16(4) + "Film" + le16(0) + le16(5) +
                                     "ab\0cd"s + std::string(2600, 'A');
    const std::string index = le16(8) + index_record(kNewsTime, 32) + index_record(kNewsTime, 26) +
                              index_record(kNewsTime, 26, 0xFFFF) + index_record(kLeapSunday, 38) +
                              index_record(kNewsTime, 40) + index_record(kNewsTime, 23) +
                              index_record(kNewsTime, static_cast<unsigned>(program_data.size())) +
                              index_record(kNewsTime, 65535);
    ScratchDirectory dir;
    const RunResult result = extract(dir, index, program_data);
    EXPECT_EQ(kSuccess, result.output);
    EXPECT_EQ(0, result.exit_status);
    EXPECT_EQ("24 4 2000 18 30 1\r\nFilm\r\n"
              "24 4 2000 18 30 1\r\nNews\r\n"
              "24 4 2000 18 30 1\r\nNews\r\n"
              "29 2 2004 23 59 7\r\n\r\n"
              "24 4 2000 18 30 1\r\nab\r\n"
              // Offset 23 reads the header's "\n\n" as the length 2570 and the
              // title from its last LF up to the NUL of the first length field.
              "24 4 2000 18 30 1\r\n\r\n\x04\r\n"
              "24 4 2000 18 30 1\r\n\r\n"
              "24 4 2000 18 30 1\r\n\r\n",
              dir.read("tv.txt"));
}

TEST(Extract, WeekdaysAndDroppedSeconds) {
    struct Case {
        std::uint64_t start_time;
        const char* line;
    };
    const Case cases[] = {
        {kNewsTime, "24 4 2000 18 30 1"},                                  // Monday
        {kLeapSunday, "29 2 2004 23 59 7"},                                // Sunday
        {kNewsTime + 59 * kTicksPerSecond + 9'999'999, "24 4 2000 18 30 1"},
        {0, "1 1 1601 0 0 1"},
        {0x7FFFFFFFFFFFFFFFull, "14 9 30828 2 48 4"},                      // the last start time
    };
    for (const Case& c : cases) {
        ScratchDirectory dir;
        const RunResult result = extract(dir, le16(1) + index_record(c.start_time, 26), kHeader + "\x01\x00T"s);
        EXPECT_EQ(kSuccess, result.output);
        EXPECT_EQ(std::string(c.line) + "\r\nT\r\n", dir.read("tv.txt"));
    }
}

TEST(Extract, LongTitlesAreWrittenWhole) {
    for (unsigned length : {4999u, 5000u, 65535u}) {
        std::string title(length, 'x');
        title[length - 1] = 'y';
        ScratchDirectory dir;
        const RunResult result = extract(dir, le16(1) + index_record(kNewsTime, 65535),
                                         std::string(65535, 'p') + le16(length) + title + "trailing bytes");
        EXPECT_EQ(kSuccess, result.output);
        EXPECT_EQ("24 4 2000 18 30 1\r\n" + title + "\r\n", dir.read("tv.txt"));
    }
}

struct FaultCase {
    const char* what;
    std::string index;
    std::string program_data;
    std::string message;
};

TEST(Extract, FaultyRecordsStopTheRunAfterTheCompleteOnes) {
    const std::string first = index_record(kNewsTime, 26);
    const std::string program_data = kHeader + le16(4) + "News";
    const FaultCase cases[] = {
        {"index ends inside record 2", le16(3) + first + index_record(kNewsTime, 26).substr(0, 11), program_data,
         "Unexpected end of .ndx file at record 2!"},
        {"index ends before record 2", le16(2) + first, program_data, "Unexpected end of .ndx file at record 2!"},
        {"start time at 2^63", le16(2) + first + index_record(1ull << 63, 26), program_data,
         "Invalid start time at record 2!"},
        {"start time all ones", le16(2) + first + index_record(~0ull, 26), program_data,
         "Invalid start time at record 2!"},
        {"title bytes cut short", le16(2) + first + index_record(kNewsTime, 32), program_data + le16(5) + "abcd",
         "Unexpected end of .pdt file at record 2!"},
        {"half a nonzero length field", le16(2) + first + index_record(kNewsTime, 32), program_data + "\x01",
         "Unexpected end of .pdt file at record 2!"},
        {"invalid start time before a cut title", le16(2) + first + index_record(~0ull, 32),
         program_data + le16(5), "Invalid start time at record 2!"},
    };
    for (const FaultCase& c : cases) {
        SCOPED_TRACE(c.what);
        ScratchDirectory dir;
        const RunResult result = extract(dir, c.index, c.program_data);
        EXPECT_EQ(output_with(c.message), result.output);
        EXPECT_EQ(1, result.exit_status);
        EXPECT_EQ("24 4 2000 18 30 1\r\nNews\r\n", dir.read("tv.txt"));
    }
}

TEST(Extract, EdgesOfTheFilesThatAreNoFault) {
    // Half a length field that is 0 is an empty title; a one-byte index file
    // counts that byte.
    ScratchDirectory dir;
    RunResult result = extract(dir, le16(1) + index_record(kNewsTime, 26), kHeader + "\x00"s);
    EXPECT_EQ(kSuccess, result.output);
    EXPECT_EQ("24 4 2000 18 30 1\r\n\r\n", dir.read("tv.txt"));

    result = extract(dir, "\x01", kHeader);
    EXPECT_EQ(output_with("Unexpected end of .ndx file at record 1!"), result.output);
    EXPECT_EQ(1, result.exit_status);
    EXPECT_EQ("", dir.read("tv.txt"));
}

TEST(Extract, PairThatCannotBeOpened) {
    for (const char* missing : {"tv.ndx", "tv.pdt"}) {
        SCOPED_TRACE(missing);
        ScratchDirectory dir;
        extract(dir, one_entry_index(), one_entry_program_data());
        std::filesystem::remove(dir.file(missing));
        const RunResult result = dir.run({"tv", "/extract"});
        EXPECT_EQ(output_with("Can't open file .ndx or .pdt!"), result.output);
        EXPECT_EQ(1, result.exit_status);
        EXPECT_EQ("", dir.read("tv.txt")) << "the listing is emptied before the pair is opened";
        EXPECT_FALSE(dir.exists(missing)) << "a failed open creates nothing";
    }
}

TEST(Extract, ListingThatCannotBeCreated) {
    ScratchDirectory dir;
    dir.write("tv.ndx", one_entry_index());
    dir.write("tv.pdt", one_entry_program_data());
    std::filesystem::create_directory(dir.file("tv.txt"));
    const RunResult result = dir.run({"tv", "/extract"});
    EXPECT_EQ(output_with("Can't open file .txt!"), result.output);
    EXPECT_EQ(1, result.exit_status);
}

class ExtractOnPosix : public testing::Test {
protected:
    void SetUp() override {
        if (runs_through_runner()) GTEST_SKIP() << "staged with POSIX device files";
    }
};

TEST_F(ExtractOnPosix, WriteErrorOnTheListing) {
    ScratchDirectory dir;
    dir.write("tv.ndx", one_entry_index());
    dir.write("tv.pdt", one_entry_program_data());
    std::filesystem::create_symlink("/dev/full", dir.file("tv.txt"));
    const RunResult result = dir.run({"tv", "/extract"});
    EXPECT_EQ(output_with("Write error!"), result.output);
    EXPECT_EQ(1, result.exit_status);
}

TEST_F(ExtractOnPosix, WriteErrorPartWayThroughTheListing) {
    std::string index = le16(40);
    for (int i = 0; i < 40; ++i) index += index_record(kNewsTime, 26);
    ScratchDirectory dir;
    dir.write("tv.ndx", index);
    dir.write("tv.pdt", one_entry_program_data());
    const RunResult result = dir.run({"tv", "/extract"}, 100);
    EXPECT_EQ(output_with("Write error!"), result.output);
    EXPECT_EQ(1, result.exit_status);
}

TEST_F(ExtractOnPosix, ReadErrors) {
    // Reading a process's memory at offset 0 fails with an I/O error.
    for (const char* failing : {"tv.ndx", "tv.pdt"}) {
        SCOPED_TRACE(failing);
        ScratchDirectory dir;
        dir.write("tv.ndx", one_entry_index());
        dir.write("tv.pdt", one_entry_program_data());
        std::filesystem::remove(dir.file(failing));
        std::filesystem::create_symlink("/proc/self/mem", dir.file(failing));
        const RunResult result = dir.run({"tv", "/extract"});
        EXPECT_EQ(output_with("Read error!"), result.output);
        EXPECT_EQ(1, result.exit_status);
        EXPECT_EQ("", dir.read("tv.txt"));
    }
}

}  // namespace
}  // namespace skedmill::e2e
