#include "e2e_support.hpp"

#include "test_vectors.hpp"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace skedmill::e2e {

ProgramUnderTest& program_under_test() {
    static ProgramUnderTest instance;
    return instance;
}

bool runs_through_runner() { return !program_under_test().runner.empty(); }

ScratchDirectory::ScratchDirectory() {
    std::string pattern = (std::filesystem::temp_directory_path() / "skedmill-e2e-XXXXXX").string();
    if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a scratch directory");
    path_ = pattern;
}

ScratchDirectory::~ScratchDirectory() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                                 ignored);
    std::filesystem::remove_all(path_, ignored);
}

RunResult ScratchDirectory::run(const std::vector<std::string>& arguments, std::uint64_t file_size_limit) const {
    const ProgramUnderTest& under_test = program_under_test();
    std::vector<std::string> words = under_test.runner;
    words.push_back(under_test.program);
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);

    int pipe_ends[2];
    if (pipe(pipe_ends) != 0) throw std::runtime_error("pipe failed");
    const pid_t child = fork();
    if (child == 0) {
        dup2(pipe_ends[1], STDOUT_FILENO);
        const int null_device = open("/dev/null", O_RDWR);
        dup2(null_device, STDIN_FILENO);
        // Standard error is not part of the program's output (the program
        // writes nothing there; a runner such as Wine may).
        if (!runs_through_runner()) dup2(pipe_ends[1], STDERR_FILENO);
        else dup2(null_device, STDERR_FILENO);
        close(pipe_ends[0]);
        close(pipe_ends[1]);
        if (chdir(path_.c_str()) != 0) _exit(126);
        if (file_size_limit != 0) {
            signal(SIGXFSZ, SIG_IGN);  // stays ignored across exec: the write fails with EFBIG instead
            const rlimit limit{file_size_limit, file_size_limit};
            if (setrlimit(RLIMIT_FSIZE, &limit) != 0) _exit(125);
        }
        execvp(argv[0], argv.data());
        _exit(127);
    }
    close(pipe_ends[1]);
    RunResult result;
    char buffer[4096];
    ssize_t got;
    while ((got = ::read(pipe_ends[0], buffer, sizeof buffer)) > 0) result.output.append(buffer, got);
    close(pipe_ends[0]);
    int status = 0;
    waitpid(child, &status, 0);
    result.exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return result;
}

void ScratchDirectory::write(const std::string& name, const std::string& contents) const {
    std::ofstream out(file(name), std::ios::binary | std::ios::trunc);
    out.write(contents.data(), static_cast<std::streamsize>(contents.size()));
    if (!out) throw std::runtime_error("cannot write " + name);
}

std::string ScratchDirectory::read(const std::string& name) const {
    std::ifstream in(file(name), std::ios::binary);
    if (!in) return "<missing>";
    return std::string(std::istreambuf_iterator<char>(in), {});
}

bool ScratchDirectory::exists(const std::string& name) const {
    std::error_code ignored;
    return std::filesystem::symlink_status(file(name), ignored).type() != std::filesystem::file_type::not_found;
}

std::vector<std::string> ScratchDirectory::names() const {
    std::vector<std::string> result;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) {
        result.push_back(entry.path().filename().string());
    }
    std::sort(result.begin(), result.end());
    return result;
}

std::string bytes(std::initializer_list<unsigned> values) {
    std::string result;
    for (unsigned value : values) result.push_back(static_cast<char>(value));
    return result;
}

std::string le16(unsigned value) { return bytes({value & 0xFF, (value >> 8) & 0xFF}); }

std::string le64(std::uint64_t value) {
    std::string out;
    for (int i = 0; i < 8; ++i) out.push_back(static_cast<char>(value >> (8 * i)));
    return out;
}

const std::string& one_entry_listing() {
    static const std::string listing{vectors::kOneEntryListing};
    return listing;
}

const std::string& one_entry_index() {
    static const std::string index(std::begin(vectors::kOneEntryIndex), std::end(vectors::kOneEntryIndex));
    return index;
}

const std::string& one_entry_program_data() {
    static const std::string program_data =
        std::string(vectors::kHeader) +
        std::string(std::begin(vectors::kOneEntryTitleRecord), std::end(vectors::kOneEntryTitleRecord));
    return program_data;
}

}  // namespace skedmill::e2e
