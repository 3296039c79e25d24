#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "text_listing.hpp"

namespace skedmill {
namespace {

using namespace std::string_literals;

// An in-memory listing handed out in chunks of a set size, failing once
// `fail_after` bytes have gone out (when set).
struct MemorySource {
    std::string bytes;
    std::size_t chunk;
    std::size_t position = 0;
    std::size_t fail_after = std::string::npos;
};

std::int64_t read_memory(void* context, std::uint8_t* buffer, std::size_t capacity) {
    auto& source = *static_cast<MemorySource*>(context);
    if (source.position >= source.fail_after) return -1;
    std::size_t n = std::min({capacity, source.chunk, source.bytes.size() - source.position});
    n = std::min(n, source.fail_after - source.position);
    std::memcpy(buffer, source.bytes.data() + source.position, n);
    source.position += n;
    return static_cast<std::int64_t>(n);
}

// Reads everything and describes it: one "d m y h mi wd [title]" line per
// entry, then how the listing ended.
std::string read_all(MemorySource source, std::size_t buffer_size = kListingBufferSize) {
    ListingReader reader;
    start_listing(reader, read_memory, &source, buffer_size);
    ListingEntry entry;
    std::string result;
    for (;;) {
        const ListingRead read = read_entry(reader, entry);
        if (read != ListingRead::entry) {
            result += read == ListingRead::end              ? "end"
                      : read == ListingRead::title_too_long ? "title too long"
                                                            : "read error";
            return result;
        }
        EXPECT_LE(entry.title.size(), kMaxTitleLength);
        EXPECT_EQ(std::string::npos, entry.title.find('\0'));
        result += std::to_string(entry.day) + " " + std::to_string(entry.month) + " " + std::to_string(entry.year) +
                  " " + std::to_string(entry.hour) + " " + std::to_string(entry.minute) + " " +
                  std::to_string(entry.weekday) + " [" + entry.title + "]\n";
    }
}

struct ReadCase {
    const char* what;
    std::string input;
    std::string expected;
};

const ReadCase kReadCases[] = {
    {"as extract writes it", "24 4 2000 18 30 1\r\nNews\r\n", "24 4 2000 18 30 1 [News]\nend"},
    {"bare LF line ends", "24 4 2000 18 30 1\nNews\n25 4 2000 6 0 2\nFilm\n",
     "24 4 2000 18 30 1 [News]\n25 4 2000 6 0 2 [Film]\nend"},
    {"title on the numbers line", "24 4 2000 18 30 1News\r\n", "24 4 2000 18 30 1 [News]\nend"},
    {"weekday runs into the title", "24 4 2000 18 30 12:00 News\n", "24 4 2000 18 30 12 [:00 News]\nend"},
    {"missing weekday stops the reading", "1 1 2000 0 0 1\nA\n24 4 2000 18 30 News\n2 1 2000 0 0 1\nB\n",
     "1 1 2000 0 0 1 [A]\nend"},
    {"numbers spread over lines", "\r\n\r\n24\r\n\r\n4 2000\n18\t30 \t 1\n\n\nNews", "24 4 2000 18 30 1 [News]\nend"},
    {"all white space bytes", "1\v1\f2000\r0 0\t1\n T", "1 1 2000 0 0 1 [T]\nend"},
    {"final title without line break", "1 1 2000 0 0 1\nNews", "1 1 2000 0 0 1 [News]\nend"},
    {"signs, zeros and wrap-around", "+24 -1 70000 65536 007 -65535\nT", "24 65535 4464 0 7 1 [T]\nend"},
    {"unbounded digit run", "1 1 123456789012345678901234567890 0 0 1\nT", "1 1 2770 0 0 1 [T]\nend"},
    {"integer ends at the next sign", "1 1 2000 10-5 1\nT", "1 1 2000 10 65531 1 [T]\nend"},
    {"sign followed by a blank", "- 5 1 2000 0 0 1\nT\n", "end"},
    {"lone sign", "1 1 2000 0 0 +\nT\n", "end"},
    {"byte-order mark", "\xEF\xBB\xBF" "1 1 2000 0 0 1\nT\n", "end"},
    {"empty file", "", "end"},
    {"only white space", " \r\n\t\r\n\v\f", "end"},
    {"numbers without a title", "1 1 2000 0 0 1   \r\n\r\n", "end"},
    {"leading white space leaves the title", "1 1 2000 0 0 1\n \t News", "1 1 2000 0 0 1 [News]\nend"},
    {"trailing blanks, tabs and lone CRs stay", "1 1 2000 0 0 1\nNews \t\r \r\n", "1 1 2000 0 0 1 [News \t\r ]\nend"},
    {"lone CR inside a title", "1 1 2000 0 0 1\nA\rB\r\n", "1 1 2000 0 0 1 [A\rB]\nend"},
    {"CR CR LF", "1 1 2000 0 0 1\nT\r\r\n", "1 1 2000 0 0 1 [T\r]\nend"},
    {"CR as the last byte", "1 1 2000 0 0 1\nNews\r", "1 1 2000 0 0 1 [News\r]\nend"},
    {"NUL ends the title, the line is consumed", "1 1 2000 0 0 1\nAB\0CD\n2 1 2000 0 0 1\nE\n"s,
     "1 1 2000 0 0 1 [AB]\n2 1 2000 0 0 1 [E]\nend"},
    {"NUL as the first title byte", "1 1 2000 0 0 1\n\0rest\n2 1 2000 0 0 1\nE"s,
     "1 1 2000 0 0 1 []\n2 1 2000 0 0 1 [E]\nend"},
    {"Ctrl-Z inside a title", "1 1 2000 0 0 1\nNe\x1Aws\n2 1 2000 0 0 1\nX\n", "1 1 2000 0 0 1 [Ne]\nend"},
    {"Ctrl-Z before the title", "1 1 2000 0 0 1\n\x1A" "News\n", "end"},
    {"Ctrl-Z inside a number", "1 1 20\x1A" "00 0 0 1\nT\n", "end"},
    {"CR before Ctrl-Z is an ordinary byte", "1 1 2000 0 0 1\nT\r\x1A\n", "1 1 2000 0 0 1 [T\r]\nend"},
    {"empty title takes the next line", "1 1 2000 0 0 1\r\n\r\n2 1 2000 0 0 1\r\nB\r\n",
     "1 1 2000 0 0 1 [2 1 2000 0 0 1]\nend"},
    {"empty title, then a line of numbers", "1 1 2000 0 0 1\n \n2 1 2000 0 0 1\n3 1 2000 0 0 1\nC\n",
     "1 1 2000 0 0 1 [2 1 2000 0 0 1]\n3 1 2000 0 0 1 [C]\nend"},
    {"bytes 0x80..0xFF are ordinary", "1 1 2000 0 0 1\n\xD0\x9D\xFF\x80\n", "1 1 2000 0 0 1 [\xD0\x9D\xFF\x80]\nend"},
};

TEST(TextListing, ReadingRulesAtEveryChunkAndBufferSize) {
    for (const ReadCase& c : kReadCases) {
        for (std::size_t chunk : {std::size_t{1}, std::size_t{2}, std::size_t{3}, std::size_t{1} << 20}) {
            for (std::size_t buffer : {std::size_t{2}, std::size_t{5}, kListingBufferSize}) {
                SCOPED_TRACE(testing::Message() << c.what << ", chunks of " << chunk << ", buffer of " << buffer);
                EXPECT_EQ(c.expected, read_all(MemorySource{c.input, chunk}, buffer));
            }
        }
    }
}

TEST(TextListing, TitleLengthLimit) {
    const std::string numbers = "1 1 2000 0 0 1\n";
    const std::string longest(kMaxTitleLength, 'x');
    EXPECT_EQ("1 1 2000 0 0 1 [" + longest + "]\nend", read_all({numbers + longest + "\r\n", 4096}));
    EXPECT_EQ("title too long", read_all({numbers + longest + "y\n", 4096}));
    // Only the bytes before the first NUL count, however long the line.
    const std::string after_nul(3 * kListingBufferSize + 5, 'z');
    EXPECT_EQ("1 1 2000 0 0 1 [" + longest + "]\n2 1 2000 0 0 1 [B]\nend",
              read_all({numbers + longest + '\0' + after_nul + "\n2 1 2000 0 0 1\nB", 1u << 20}));
}

TEST(TextListing, CrLfSplitAcrossBufferRefills) {
    // The CR is the last byte of the first full buffer, its LF the first of the next.
    const std::string entry = "1 1 2000 0 0 1\nTxy";
    std::string listing(kListingBufferSize - 1 - entry.size(), '\n');
    listing += entry + "\r\n2 1 2000 0 0 1\nB";
    ASSERT_EQ('\r', listing[kListingBufferSize - 1]);
    EXPECT_EQ("1 1 2000 0 0 1 [Txy]\n2 1 2000 0 0 1 [B]\nend", read_all({listing, 1u << 20}));
}

TEST(TextListing, ReadErrorsAreReportedNotTakenAsTheEnd) {
    const std::string listing = "1 1 2000 0 0 1\nA\n2 1 2000 0 0 1\nBBBB\n";
    MemorySource failing{listing, 7, 0, 20};
    EXPECT_EQ("1 1 2000 0 0 1 [A]\nread error", read_all(failing));
    failing.fail_after = listing.size() - 2;  // inside the last title
    EXPECT_EQ("1 1 2000 0 0 1 [A]\nread error", read_all(failing));
    failing.fail_after = 0;
    EXPECT_EQ("read error", read_all(failing));
}

TEST(TextListing, WritingGivesUnsignedNumbersAndCrLf) {
    struct Case {
        std::uint16_t numbers[6];
        std::string title;
        std::string expected;
    };
    const Case cases[] = {
        {{24, 4, 2000, 18, 30, 1}, "News", "24 4 2000 18 30 1\r\nNews\r\n"},
        {{0, 65535, 30827, 0, 59, 7}, "", "0 65535 30827 0 59 7\r\n\r\n"},
        {{1, 2, 3, 4, 5, 6}, "two\nlines\n", "1 2 3 4 5 6\r\ntwo\r\nlines\r\n\r\n"},
        {{1, 2, 3, 4, 5, 6}, "cut\0here"s, "1 2 3 4 5 6\r\ncut\r\n"},
        {{1, 2, 3, 4, 5, 6}, "keeps\r\tCR \xFF", "1 2 3 4 5 6\r\nkeeps\r\tCR \xFF\r\n"},
    };
    for (const Case& c : cases) {
        const auto& n = c.numbers;
        const ListingEntry entry{n[0], n[1], n[2], n[3], n[4], n[5], c.title};
        std::string out = "before|";
        append_listing_entry(out, entry);
        EXPECT_EQ("before|" + c.expected, out);
    }
}

}  // namespace
}  // namespace skedmill
