// The two conversions: generate mode (text listing -> guide pair) and extract
// mode (guide pair -> text listing). Each runs over files and says what went
// wrong; printing and the exit status are the caller's.
#pragma once

#include <string>

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

}  // namespace skedmill
