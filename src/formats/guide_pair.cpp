#include "guide_pair.hpp"

#include <cstring>

namespace skedmill {

void encode_index_record(const IndexRecord& record, std::uint8_t* out) {
    store_le16(out, 0);
    store_le64(out + 2, record.start_time);
    store_le16(out + 10, record.title_offset);
}

IndexRecord decode_index_record(const std::uint8_t* in) {
    return IndexRecord{load_le64(in + 2), load_le16(in + 10)};
}

void append_title_record(std::string& out, std::string_view title) {
    std::uint8_t length[kTitleLengthSize];
    store_le16(length, static_cast<std::uint16_t>(title.size()));
    out.append(reinterpret_cast<const char*>(length), kTitleLengthSize);
    out.append(title);
}

TitleRecordStatus read_title_record(const std::uint8_t* data, std::size_t size, std::uint32_t offset,
                                    std::string_view& title) {
    title = {};
    if (offset >= size) return TitleRecordStatus::ok;
    const std::size_t available = size - offset;
    const std::size_t length = load_le16_at_end(data + offset, available);
    if (length == 0) return TitleRecordStatus::ok;
    if (available < kTitleLengthSize || available - kTitleLengthSize < length) return TitleRecordStatus::cut_short;
    const char* bytes = reinterpret_cast<const char*>(data + offset + kTitleLengthSize);
    const void* nul = std::memchr(bytes, 0, length);
    title = std::string_view(bytes, nul ? static_cast<const char*>(nul) - bytes : length);
    return TitleRecordStatus::ok;
}

}  // namespace skedmill
