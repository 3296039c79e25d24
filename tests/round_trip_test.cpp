// Round trips through both modes, in process, over random guides made with
// fixed seeds so that a failure reproduces: canonical listings survive
// listing -> pair -> listing, and well-formed pairs survive pair -> listing -> pair.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

#include "modes.hpp"

namespace skedmill {
namespace {

// Days from 1601-01-01 to a date, by the era arithmetic of the proleptic
// Gregorian calendar (kept apart from the code under test).
std::int64_t days_since_1601(std::int64_t year, unsigned month, unsigned day) {
    year -= month <= 2;
    const std::int64_t era = year / 400;
    const unsigned year_of_era = static_cast<unsigned>(year - era * 400);
    const unsigned day_of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const unsigned day_of_era = year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
    const std::int64_t days_since_0000_03_01 = era * 146097 + day_of_era;
    return days_since_0000_03_01 - 584694;  // 1601-01-01 is day 584,694 of that count
}

unsigned days_in_month(unsigned year, unsigned month) {
    static const unsigned kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

class Random {
public:
    explicit Random(std::uint64_t seed) : engine_(seed) {}
    // Uniform enough for tests, and the same on every standard library.
    std::uint64_t below(std::uint64_t bound) { return engine_() % bound; }
    std::uint64_t between(std::uint64_t low, std::uint64_t high) { return low + below(high - low + 1); }

private:
    std::mt19937_64 engine_;
};

// A title that the listing reads back unchanged: bytes 0x21..0xFF except
// Ctrl-Z, with single blanks inside.
std::string random_title(Random& random) {
    std::string title;
    const std::size_t length = random.between(1, 40);
    while (title.size() < length) {
        if (!title.empty() && title.back() != ' ' && title.size() + 1 < length && random.below(5) == 0) {
            title.push_back(' ');
            continue;
        }
        char c;
        do c = static_cast<char>(random.between(0x21, 0xFF));
        while (c == 0x1A);
        title.push_back(c);
    }
    return title;
}

std::string read_file(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void write_file(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

class RoundTrip : public testing::Test {
protected:
    void SetUp() override {
        directory_ = std::filesystem::temp_directory_path() /
                     ("skedmill-round-trip-" + std::to_string(std::random_device{}()));
        std::filesystem::create_directories(directory_);
        names_ = file_names_for((directory_ / "guide").string());
    }
    void TearDown() override { std::filesystem::remove_all(directory_); }

    std::filesystem::path directory_;
    FileNameSet names_;
};

TEST_F(RoundTrip, CanonicalListingsSurviveGenerateAndExtract) {
    for (std::uint64_t seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        Random random(seed);
        std::string listing;
        const std::size_t entries = random.below(60);
        for (std::size_t i = 0; i < entries; ++i) {
            const unsigned year = static_cast<unsigned>(random.between(1601, 30827));
            const unsigned month = static_cast<unsigned>(random.between(1, 12));
            const unsigned day = static_cast<unsigned>(random.between(1, days_in_month(year, month)));
            const std::int64_t days = days_since_1601(year, month, day);
            const unsigned weekday = static_cast<unsigned>((days + 1) % 7);  // 1601-01-01 was a Monday
            listing += std::to_string(day) + " " + std::to_string(month) + " " + std::to_string(year) + " " +
                       std::to_string(random.below(24)) + " " + std::to_string(random.below(60)) + " " +
                       std::to_string(weekday == 0 ? 7 : weekday) + "\r\n" + random_title(random) + "\r\n";
        }
        write_file(names_.listing, listing);
        ASSERT_TRUE(generate_guide(names_).success);
        std::filesystem::remove(names_.listing);
        const ModeOutcome extracted = extract_guide(names_);
        ASSERT_TRUE(extracted.success) << extracted.message;
        ASSERT_EQ(listing, read_file(names_.listing));
    }
}

TEST_F(RoundTrip, WellFormedPairsSurviveExtractAndGenerate) {
    // Whole minutes up to 30827-12-31 23:59, the last one a listing can name.
    const std::uint64_t kTicksPerMinute = 600'000'000;
    const std::uint64_t last_minute = 0x7FFF35F4CCA93A00ull / kTicksPerMinute;
    for (std::uint64_t seed = 1; seed <= 300; ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        Random random(seed * 7919);
        const std::size_t records = random.below(60);
        std::string index;
        std::string program_data("JTV 3.x TV Program Data\n\n\n");
        auto put = [](std::string& out, std::uint64_t value, int size) {
            for (int i = 0; i < size; ++i) out.push_back(static_cast<char>(value >> (8 * i)));
        };
        put(index, records, 2);
        for (std::size_t i = 0; i < records; ++i) {
            const std::uint64_t minute = random.below(8) == 0 ? last_minute * random.below(2) : random.below(last_minute + 1);
            put(index, 0, 2);
            put(index, minute * kTicksPerMinute, 8);
            put(index, program_data.size(), 2);
            const std::string title = random_title(random);
            put(program_data, title.size(), 2);
            program_data += title;
        }
        write_file(names_.index, index);
        write_file(names_.program_data, program_data);
        const ModeOutcome extracted = extract_guide(names_);
        ASSERT_TRUE(extracted.success) << extracted.message;
        std::filesystem::remove(names_.index);
        std::filesystem::remove(names_.program_data);
        ASSERT_TRUE(generate_guide(names_).success);
        ASSERT_EQ(index, read_file(names_.index));
        ASSERT_EQ(program_data, read_file(names_.program_data));
    }
}

}  // namespace
}  // namespace skedmill
