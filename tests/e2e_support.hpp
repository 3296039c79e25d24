// Running the real program in a scratch directory for end-to-end tests. The
// program's path and an optional runner prefix (such as "wine") come from the
// command line of the test executable, so the same cases run on every build.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace skedmill::e2e {

struct ProgramUnderTest {
    std::string program;              // absolute path of the program
    std::vector<std::string> runner;  // words put before it, empty when run directly
};

ProgramUnderTest& program_under_test();

// True when the program runs through a runner (the Windows build under Wine).
bool runs_through_runner();

struct RunResult {
    std::string output;  // everything written to standard output, byte for byte
    int exit_status = -1;
};

// A fresh directory under the system's temporary directory, removed with
// everything in it when the object goes.
class ScratchDirectory {
public:
    ScratchDirectory();
    ~ScratchDirectory();
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }

    // Runs the program with its working directory here. A nonzero
    // `file_size_limit` caps the size of files it writes (POSIX only): a
    // write past it fails as on a full disk.
    RunResult run(const std::vector<std::string>& arguments, std::uint64_t file_size_limit = 0) const;

    void write(const std::string& name, const std::string& bytes) const;
    std::string read(const std::string& name) const;
    bool exists(const std::string& name) const;
    // Every name in the directory, sorted.
    std::vector<std::string> names() const;

private:
    std::string path_;
};

// The banner line, as every run prints it first.
inline const std::string kBannerLine =
    "JTV 3.0 Quenmark generator v3 by Skedmill contributors <skedmill@example.org>\r\n";

// The complete standard output of a run that prints `message`.
inline std::string output_with(const std::string& message) { return kBannerLine + message + "\r\n"; }

std::string bytes(std::initializer_list<unsigned> values);

// Little-endian fields, composed by the tests themselves.
std::string le16(unsigned value);
std::string le64(std::uint64_t value);

// The one-entry guide (24 April 2000 18:30, "News") as its three files hold it.
const std::string& one_entry_listing();
const std::string& one_entry_index();
const std::string& one_entry_program_data();

}  // namespace skedmill::e2e
