#include "platform.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>

#include <cerrno>
#include <climits>
#include <cstdio>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace skedmill {

#ifdef _WIN32
namespace {
constexpr int kBinary = _O_BINARY;
// The C runtime counts bytes in an unsigned int and a signed return value.
constexpr std::size_t kLargestTransfer = INT_MAX;
int sys_open(const char* path, int flags, int mode) { return _open(path, flags, mode); }
int sys_read(int file, void* buffer, std::size_t size) { return _read(file, buffer, static_cast<unsigned>(size)); }
int sys_write(int file, const void* bytes, std::size_t size) {
    return _write(file, bytes, static_cast<unsigned>(size));
}
bool sys_seek_to_start(int file) { return _lseeki64(file, 0, SEEK_SET) == 0; }
int sys_close(int file) { return _close(file); }
bool is_directory(int file) {
    struct _stat64 status;
    return _fstat64(file, &status) != 0 || (status.st_mode & _S_IFMT) == _S_IFDIR;
}
constexpr int kNewFileMode = _S_IREAD | _S_IWRITE;
}  // namespace
#else
namespace {
constexpr int kBinary = 0;
constexpr std::size_t kLargestTransfer = SSIZE_MAX;
int sys_open(const char* path, int flags, int mode) {
    int file;
    do file = ::open(path, flags | O_CLOEXEC, mode);
    while (file < 0 && errno == EINTR);
    return file;
}
ssize_t sys_read(int file, void* buffer, std::size_t size) {
    ssize_t got;
    do got = ::read(file, buffer, size);
    while (got < 0 && errno == EINTR);
    return got;
}
ssize_t sys_write(int file, const void* bytes, std::size_t size) {
    ssize_t put;
    do put = ::write(file, bytes, size);
    while (put < 0 && errno == EINTR);
    return put;
}
bool sys_seek_to_start(int file) { return ::lseek(file, 0, SEEK_SET) == 0; }
int sys_close(int file) { return ::close(file); }
bool is_directory(int file) {
    struct stat status;
    return ::fstat(file, &status) != 0 || S_ISDIR(status.st_mode);
}
constexpr int kNewFileMode = 0666;  // less the umask, as for any new file
}  // namespace
#endif

int open_existing_for_reading(const std::string& path) {
    const int file = sys_open(path.c_str(), O_RDONLY | kBinary, 0);
    if (file < 0) return -1;
    if (is_directory(file)) {
        sys_close(file);
        return -1;
    }
    return file;
}

int create_or_truncate(const std::string& path, bool also_read) {
    const int access = also_read ? O_RDWR : O_WRONLY;
    return sys_open(path.c_str(), access | O_CREAT | O_TRUNC | kBinary, kNewFileMode);
}

std::int64_t read_some(int file, std::uint8_t* buffer, std::size_t capacity) {
    const auto got = sys_read(file, buffer, capacity < kLargestTransfer ? capacity : kLargestTransfer);
    return got < 0 ? -1 : static_cast<std::int64_t>(got);
}

std::size_t read_up_to(int file, std::uint8_t* buffer, std::size_t capacity, bool& failed) {
    failed = false;
    std::size_t total = 0;
    while (total < capacity) {
        const std::int64_t got = read_some(file, buffer + total, capacity - total);
        if (got < 0) failed = true;
        if (got <= 0) break;
        total += static_cast<std::size_t>(got);
    }
    return total;
}

bool write_all(int file, const void* bytes, std::size_t size) {
    const auto* next = static_cast<const std::uint8_t*>(bytes);
    while (size > 0) {
        const auto put = sys_write(file, next, size < kLargestTransfer ? size : kLargestTransfer);
        if (put <= 0) return false;
        next += put;
        size -= static_cast<std::size_t>(put);
    }
    return true;
}

bool seek_to_start(int file) { return sys_seek_to_start(file); }

bool close_file(int file) { return sys_close(file) == 0; }

void write_standard_output(std::string_view text) {
    // Output that cannot be printed has nowhere else to go: nothing is ever
    // written to standard error, and the exit status still tells the outcome.
#ifdef _WIN32
    static const bool binary = (_setmode(_fileno(stdout), _O_BINARY), true);
    (void)binary;
#endif
    std::fwrite(text.data(), 1, text.size(), stdout);
    std::fflush(stdout);
}

#ifdef _WIN32
std::string raw_command_line() { return GetCommandLineA(); }

std::vector<std::string> list_directory(const std::string& directory) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((directory + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do names.emplace_back(found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}
#endif

}  // namespace skedmill
