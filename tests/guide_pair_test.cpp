#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "guide_pair.hpp"
#include "test_vectors.hpp"

namespace skedmill {
namespace {

TEST(GuidePair, FieldCodecsAreLittleEndian) {
    std::uint8_t two[2];
    store_le16(two, 0xBEEF);
    EXPECT_EQ(0xEF, two[0]);
    EXPECT_EQ(0xBE, two[1]);
    EXPECT_EQ(0xBEEF, load_le16(two));

    std::uint8_t eight[8];
    store_le64(eight, 0x0102030405060708ull);
    const std::uint8_t expected[8] = {8, 7, 6, 5, 4, 3, 2, 1};
    EXPECT_EQ(0, std::memcmp(expected, eight, 8));
    EXPECT_EQ(0x0102030405060708ull, load_le64(eight));

    const std::uint8_t high[8] = {0xFF, 0, 0, 0, 0, 0, 0, 0x80};
    EXPECT_EQ(0x80000000000000FFull, load_le64(high));

    // A field that the end of the file cuts short: the missing bytes read as 0.
    const std::uint8_t field[3] = {0x34, 0x12, 0x99};
    EXPECT_EQ(0, load_le16_at_end(field, 0));
    EXPECT_EQ(0x34, load_le16_at_end(field, 1));
    EXPECT_EQ(0x1234, load_le16_at_end(field, 2));
    EXPECT_EQ(0x1234, load_le16_at_end(field, 3));
}

TEST(GuidePair, HeaderIsTwentySixBytesWithoutNul) {
    EXPECT_EQ(26u, kProgramDataHeader.size());
    EXPECT_EQ(vectors::kHeader, kProgramDataHeader);
}

TEST(GuidePair, IndexRecordOfTheOneEntryGuide) {
    std::uint8_t record[kIndexRecordSize];
    std::memset(record, 0xCC, sizeof record);
    encode_index_record(IndexRecord{0x01BFAE1B19364400ull, 26}, record);
    EXPECT_EQ(0, std::memcmp(vectors::kOneEntryIndex + 2, record, kIndexRecordSize));

    std::uint8_t with_reserved[kIndexRecordSize];
    std::memcpy(with_reserved, record, sizeof record);
    with_reserved[0] = 0x55;  // the reserved field is ignored on reading
    with_reserved[1] = 0xAA;
    const IndexRecord decoded = decode_index_record(with_reserved);
    EXPECT_EQ(0x01BFAE1B19364400ull, decoded.start_time);
    EXPECT_EQ(26, decoded.title_offset);
}

TEST(GuidePair, TitleRecordsAreLengthThenBytes) {
    std::string out;
    append_title_record(out, "News");
    append_title_record(out, "");
    append_title_record(out, std::string_view("a\0b", 3));
    EXPECT_EQ(std::string("\x04\x00News\x00\x00\x03\x00" "a\0b", 13), out);
}

TEST(GuidePair, ReadingTitleRecords) {
    using Bytes = std::vector<std::uint8_t>;
    struct Case {
        const char* what;
        Bytes data;
        std::uint32_t offset;
        TitleRecordStatus status;
        std::string title;
    };
    const Case cases[] = {
        {"whole record", {4, 0, 'N', 'e', 'w', 's', 'X'}, 0, TitleRecordStatus::ok, "News"},
        {"empty title", {0, 0}, 0, TitleRecordStatus::ok, ""},
        {"offset at the end", {4, 0}, 2, TitleRecordStatus::ok, ""},
        {"offset far past the end", {4, 0}, 60000, TitleRecordStatus::ok, ""},
        {"title ends at its first NUL", {5, 0, 'a', 'b', 0, 'c', 'd'}, 0, TitleRecordStatus::ok, "ab"},
        {"record inside others", {9, 9, 2, 0, 'h', 'i'}, 2, TitleRecordStatus::ok, "hi"},
        {"bytes cut short", {4, 0, 'N', 'e', 'w'}, 0, TitleRecordStatus::cut_short, ""},
        {"no bytes after the length", {1, 0}, 0, TitleRecordStatus::cut_short, ""},
        {"half a length field, nonzero", {'x', 7}, 1, TitleRecordStatus::cut_short, ""},
        {"half a length field, zero", {'x', 0}, 1, TitleRecordStatus::ok, ""},
        {"length 65535 present", {}, 0, TitleRecordStatus::ok, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Bytes data = c.data;
        std::string expected = c.title;
        if (data.empty()) {  // the longest title a record can hold
            data.assign(2 + 65535, 'z');
            data[0] = data[1] = 0xFF;
            expected.assign(65535, 'z');
        }
        std::string_view title = "stale";
        EXPECT_EQ(c.status, read_title_record(data.data(), data.size(), c.offset, title));
        EXPECT_EQ(expected, std::string(title));
    }
}

}  // namespace
}  // namespace skedmill
