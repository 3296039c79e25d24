#include "text_listing.hpp"

#include <charconv>
#include <cstring>

namespace skedmill {
namespace {

constexpr std::uint8_t kCtrlZ = 0x1A;

bool is_white_space(int c) { return c == ' ' || (c >= 0x09 && c <= 0x0D); }
bool is_digit(int c) { return c >= '0' && c <= '9'; }

// Decodes raw bytes in place: CR LF becomes LF, a Ctrl-Z ends everything, a CR
// at the end of the chunk waits for the next chunk. Returns the decoded size.
std::size_t decode_chunk(ListingReader& reader, std::size_t size) {
    std::uint8_t* bytes = reader.buffer.get();
    std::size_t out = 0;
    for (std::size_t i = 0; i < size; ++i) {
        const std::uint8_t b = bytes[i];
        if (b == kCtrlZ) {
            reader.finished = true;
            break;
        }
        if (b == '\r') {
            if (i + 1 == size) {
                reader.carried_cr = true;
                break;
            }
            if (bytes[i + 1] == '\n') continue;  // the LF is kept on the next pass
        }
        bytes[out++] = b;
    }
    return out;
}

// Makes at least one decoded byte available; false at the end or on failure.
bool refill(ListingReader& reader) {
    while (!reader.finished) {
        std::size_t kept = 0;
        if (reader.carried_cr) {
            reader.buffer[0] = '\r';
            kept = 1;
        }
        const std::int64_t got = reader.source(reader.context, reader.buffer.get() + kept, reader.buffer_size - kept);
        reader.position = 0;
        reader.end = 0;
        if (got < 0) {
            reader.failed = true;
            reader.finished = true;
            return false;
        }
        reader.carried_cr = false;
        if (got == 0) {
            reader.finished = true;
            reader.end = kept;  // a CR as the very last byte is an ordinary byte
            return kept != 0;
        }
        reader.end = decode_chunk(reader, kept + static_cast<std::size_t>(got));
        if (reader.end != 0) return true;
    }
    return false;
}

int peek(ListingReader& reader) {
    if (reader.position == reader.end && !refill(reader)) return -1;
    return reader.buffer[reader.position];
}

void skip_white_space(ListingReader& reader) {
    while (is_white_space(peek(reader))) ++reader.position;
}

bool read_integer(ListingReader& reader, std::uint16_t& out) {
    skip_white_space(reader);
    int c = peek(reader);
    const bool negative = c == '-';
    if (c == '+' || c == '-') {
        ++reader.position;
        c = peek(reader);
    }
    if (!is_digit(c)) return false;
    std::uint32_t value = 0;
    do {
        value = (value * 10 + static_cast<std::uint32_t>(c - '0')) & 0xFFFF;
        ++reader.position;
        c = peek(reader);
    } while (is_digit(c));
    out = static_cast<std::uint16_t>(negative ? 0u - value : value);
    return true;
}

ListingRead over(const ListingReader& reader) {
    return reader.failed ? ListingRead::read_error : ListingRead::end;
}

}  // namespace

void start_listing(ListingReader& reader, ListingSource source, void* context, std::size_t buffer_size) {
    reader = ListingReader{};
    reader.source = source;
    reader.context = context;
    reader.buffer_size = buffer_size < 2 ? 2 : buffer_size;
    reader.buffer = std::make_unique_for_overwrite<std::uint8_t[]>(reader.buffer_size);
}

ListingRead read_entry(ListingReader& reader, ListingEntry& entry) {
    std::uint16_t* const numbers[] = {&entry.day,  &entry.month,  &entry.year,
                                      &entry.hour, &entry.minute, &entry.weekday};
    for (std::uint16_t* number : numbers) {
        if (!read_integer(reader, *number)) return over(reader);
    }
    skip_white_space(reader);
    if (peek(reader) < 0) return over(reader);

    // The title: the bytes up to the next LF, cut at the first NUL.
    entry.title.clear();
    bool cut_at_nul = false;
    for (;;) {
        const std::uint8_t* start = reader.buffer.get() + reader.position;
        const std::size_t available = reader.end - reader.position;
        const void* lf = std::memchr(start, '\n', available);
        const std::size_t line_part = lf ? static_cast<const std::uint8_t*>(lf) - start : available;
        if (!cut_at_nul) {
            const void* nul = std::memchr(start, 0, line_part);
            const std::size_t title_part = nul ? static_cast<const std::uint8_t*>(nul) - start : line_part;
            cut_at_nul = nul != nullptr;
            if (entry.title.size() + title_part > kMaxTitleLength) return ListingRead::title_too_long;
            entry.title.append(reinterpret_cast<const char*>(start), title_part);
        }
        reader.position += line_part;
        if (lf || !refill(reader)) break;
    }
    return reader.failed ? ListingRead::read_error : ListingRead::entry;
}

void append_listing_entry(std::string& out, const ListingEntry& entry) {
    char digits[8];
    const std::uint16_t numbers[] = {entry.day, entry.month, entry.year, entry.hour, entry.minute, entry.weekday};
    for (std::size_t i = 0; i < 6; ++i) {
        if (i != 0) out.push_back(' ');
        const auto result = std::to_chars(digits, digits + sizeof digits, numbers[i]);
        out.append(digits, result.ptr);
    }
    out.append("\r\n");
    const char* title = entry.title.c_str();
    const std::size_t length = std::strlen(title);  // up to the first NUL
    for (std::size_t i = 0; i < length;) {
        const void* lf = std::memchr(title + i, '\n', length - i);
        const std::size_t run = lf ? static_cast<const char*>(lf) - (title + i) : length - i;
        out.append(title + i, run);
        i += run;
        if (lf) {
            out.append("\r\n");
            ++i;
        }
    }
    out.append("\r\n");
}

}  // namespace skedmill
