#pragma once
// The few file operations the linker and the library maker need: paths as the
// IDE spells them ("DEBUG\MAIN.OBJ") resolved against the disk case-insensitively,
// whole-file reads, and outputs written to a temporary file that is renamed
// into place only when complete.
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace linker {

// Resolves a path for reading: `\` separators, a drive prefix, and any
// component whose case differs from the disk.
std::filesystem::path resolve_input_path(std::string_view path);
// Resolves a path for creating a file: existing folders are found in any
// case, new names keep the case given.
std::filesystem::path resolve_output_path(std::string_view path);

struct ReadResult {
    std::vector<std::uint8_t> bytes;
    std::string error;  // the system's text when the read failed
    bool ok = false;
};
ReadResult read_whole_file(std::string_view path);

// An output in progress: bytes go to a temporary file beside the target;
// commit() renames it over the target. Destroyed without a commit, it removes
// the temporary file and leaves the target as it was.
class PendingOutput {
public:
    explicit PendingOutput(std::string_view path);
    ~PendingOutput();
    PendingOutput(const PendingOutput&) = delete;
    PendingOutput& operator=(const PendingOutput&) = delete;

    // Each step returns false with error() set on failure: creating the
    // temporary file, writing the whole contents, renaming it into place.
    bool create();
    bool write(std::span<const std::uint8_t> bytes);
    bool commit();
    const std::string& error() const { return error_; }

private:
    std::filesystem::path target_;
    std::filesystem::path temporary_;
    std::string error_;
    int fd_ = -1;
    bool written_ = false;
};

}  // namespace linker
