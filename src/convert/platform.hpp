// Everything that differs between Linux and Windows, in one place: opening
// files (binary mode, directories refused), raw reads and writes, standard
// output, and the Windows command line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace skedmill {

// Opens an existing file read-only in binary mode. Returns -1 when it cannot
// be opened or is a directory (POSIX would let a directory be opened).
int open_existing_for_reading(const std::string& path);

// Creates or truncates a file in binary mode, for writing (and reading when
// `also_read`); a new file is an ordinary readable and writable file.
int create_or_truncate(const std::string& path, bool also_read);

// Reads up to `capacity` bytes; returns the count (0 at the end) or -1 on error.
std::int64_t read_some(int file, std::uint8_t* buffer, std::size_t capacity);

// Reads until `capacity` bytes or the end. Returns the count read; sets
// `failed` when a read error stopped it.
std::size_t read_up_to(int file, std::uint8_t* buffer, std::size_t capacity, bool& failed);

// Writes every byte, continuing partial writes; false on any failure.
bool write_all(int file, const void* bytes, std::size_t size);

bool seek_to_start(int file);
bool close_file(int file);

// Writes to standard output unchanged (no line-end translation on any host)
// and at once.
void write_standard_output(std::string_view text);

#ifdef _WIN32
// The process's command line as the system handed it over, unsplit.
std::string raw_command_line();

// The names in `directory` (as a prefix: "" for the current one, "dir\\",
// "C:"), hidden and system entries and subdirectories included.
std::vector<std::string> list_directory(const std::string& directory);
#endif

}  // namespace skedmill
