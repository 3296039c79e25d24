// The two conversions: generate mode (text listing -> guide pair) and extract
// mode (guide pair -> text listing). Each runs over files and says what went
// wrong; printing and the exit status are the caller's.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "text_listing.hpp"

namespace skedmill {

// The three file names of one guide, each the base name plus its extension.
struct FileNameSet {
    std::string listing;       // ".txt"
    std::string index;         // ".ndx"
    std::string program_data;  // ".pdt"
};

// The names used verbatim: "tv.txt" gives "tv.txt.txt", "tv.txt.ndx", "tv.txt.pdt".
FileNameSet file_names_for(const std::string& base_name);

struct ModeOutcome {
    bool success;
    std::string message;  // the one line to print, without its line break
};

// Text listing -> guide pair. On failure the run stops at once and the index
// file keeps its placeholder count 0, so the pair reads as an empty guide.
ModeOutcome generate_guide(const FileNameSet& names);

// Guide pair -> text listing. On failure the listing holds every complete
// record before the failing one and nothing of that one.
ModeOutcome extract_guide(const FileNameSet& names);

// The in-memory cores of the two modes, shared by the modes above and the fuzzers.

// The index records and title records of a guide being generated.
struct GeneratedRecords {
    std::string index_records;  // what follows the 2-byte record count
    std::string title_records;  // what follows the 26-byte header
    std::uint32_t record_count = 0;
};

// Takes the records gathered so far (writes them out) and empties both
// strings, leaving the count; false when they could not be written.
using RecordsSink = bool (*)(void* context, GeneratedRecords& records);

// Reads entries until the listing ends and appends the records of each. An
// entry is checked before anything of it is added: a valid calendar time, a
// title of at most 4,999 bytes, a title record starting at 65,535 at the
// latest. The first failure stops the reading with its message; the records
// of exactly the entries before it have then been added. With a `sink`, the
// records are handed to it whenever a block of about 32 KiB has gathered
// (its failure stops the run with "Write error!"), so that memory stays
// small; without one, they all stay in `records`. Success has no message.
ModeOutcome generate_records(ListingReader& reader, GeneratedRecords& records, RecordsSink sink = nullptr,
                             void* context = nullptr);

// A guide pair's bytes as read from its files. A `*_failed` flag says a read
// error, not the end of the file, came right after the bytes held.
struct PairBytes {
    std::uint32_t record_count;
    const std::uint8_t* index_records;  // what follows the record count
    std::size_t index_records_size;
    bool index_failed;
    const std::uint8_t* program_data;  // from offset 0
    std::size_t program_data_size;
    bool program_data_failed;
};

// Receives the text listing's bytes in order; false when they could not be written.
using ListingSink = bool (*)(void* context, const std::string& bytes);

// Turns the pair's records into listing lines and hands them to `sink` in
// blocks of about 64 KiB, whatever the guide's size. Each record is
// checked whole before its two lines are added; the first faulty record stops
// the run with its message after the complete records before it have been
// handed over. Never reads outside the given bytes. Success has no message.
ModeOutcome extract_records(const PairBytes& pair, ListingSink sink, void* context);

}  // namespace skedmill
