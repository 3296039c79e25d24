#include "text_listing.hpp"

#include <charconv>
#include <cstring>

namespace skedmill {
namespace {

constexpr std::uint8_t kCtrlZ = 0x1A;

bool is_white_space(int c) { return c == ' ' || (c >= 0x09 && c <= 0x0D); }
bool is_digit(int c) { return c >= '0' && c <= '9'; }

// Decodes raw bytes in place: everything from a Ctrl-Z on is dropped, CR LF
// becomes LF, and a CR that ends the chunk waits for the next chunk (unless
// nothing can follow it). Returns the decoded size.
std::size_t decode_chunk(ListingReader& reader, std::size_t size) {
    std::uint8_t* bytes = reader.buffer.get();
    if (const void* ctrl_z = std::memchr(bytes, kCtrlZ, size)) {
        size = static_cast<std::size_t>(static_cast<const std::uint8_t*>(ctrl_z) - bytes);
        reader.finished = true;
    }
    std::size_t out = 0;
    std::size_t i = 0;
    while (i < size) {
        const void* cr = std::memchr(bytes + i, '\r', size - i);
        const std::size_t run_end = cr ? static_cast<std::size_t>(static_cast<const std::uint8_t*>(cr) - bytes) : size;
        if (out != i) std::memmove(bytes + out, bytes + i, run_end - i);
        out += run_end - i;
        i = run_end;
        if (!cr) break;
        if (i + 1 == size && !reader.finished) {
            reader.carried_cr = true;
            break;
        }
        if (i + 1 < size && bytes[i + 1] == '\n') {
            ++i;  // the LF opens the next run
            continue;
        }
        bytes[out++] = '\r';  // a lone CR is an ordinary byte
        ++i;
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

// The loops below scan the buffer directly and refill only at its end.
void skip_white_space(ListingReader& reader) {
    do {
        const std::uint8_t* bytes = reader.buffer.get();
        std::size_t position = reader.position;
        while (position < reader.end && is_white_space(bytes[position])) ++position;
        reader.position = position;
        if (position < reader.end) return;
    } while (refill(reader));
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
        const std::uint8_t* bytes = reader.buffer.get();
        std::size_t position = reader.position;
        while (position < reader.end && is_digit(bytes[position])) {
            value = (value * 10 + static_cast<std::uint32_t>(bytes[position] - '0')) & 0xFFFF;
            ++position;
        }
        reader.position = position;
        if (position < reader.end) break;
    } while (refill(reader));
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
    // The numbers line is composed on the stack and appended once: six numbers
    // of at most five digits, five blanks, CR LF.
    char line[6 * 5 + 5 + 2];
    char* next = line;
    const std::uint16_t numbers[] = {entry.day, entry.month, entry.year, entry.hour, entry.minute, entry.weekday};
    for (std::uint16_t number : numbers) {
        next = std::to_chars(next, line + sizeof line, number).ptr;
        *next++ = ' ';
    }
    next[-1] = '\r';
    *next++ = '\n';
    out.append(line, next);

    const char* title = entry.title.c_str();
    std::size_t length = std::strlen(title);  // up to the first NUL
    for (const char* lf; (lf = static_cast<const char*>(std::memchr(title, '\n', length))) != nullptr;) {
        out.append(title, lf).append("\r\n");
        length -= static_cast<std::size_t>(lf + 1 - title);
        title = lf + 1;
    }
    out.append(title, length).append("\r\n");
}

}  // namespace skedmill
