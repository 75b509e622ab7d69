#pragma once
// The file operations of the linker and the library maker, over the
// platform's: paths as the IDE spells them ("DEBUG\MAIN.OBJ") are resolved
// case-insensitively, and outputs go to a temporary file that is renamed into
// place only when complete. Errors come back as the system's text alone,
// which the tools print after the file name.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/os/file.h"

namespace linker {

struct ReadResult {
    std::vector<std::uint8_t> bytes;
    std::string error;  // the system's text when the read failed
    bool ok = false;
};
// A regular file of at most `max_size` bytes (os::read_file).
ReadResult read_whole_file(std::string_view path, std::uint64_t max_size);

// The first of `inputs` that is the file `output` names (by device and inode:
// another spelling, a link or a hard link counts), or nullptr. An output
// that does not exist yet names none.
const std::string* input_named_by(std::string_view output, const std::vector<std::string>& inputs);

// The text that says why an output is refused for naming `input`.
std::string replaces_input_text(std::string_view input);

// An output in progress. Destroyed without a commit, it removes its temporary
// file and leaves the target as it was.
class PendingOutput {
public:
    explicit PendingOutput(std::string_view path) : path_(path) {}

    // Each step returns false with error() set on failure: creating the
    // temporary file, writing the contents, renaming it into place.
    bool create();
    bool write(std::span<const std::uint8_t> bytes);
    bool commit();
    const std::string& error() const { return error_; }

private:
    std::string path_;
    std::optional<os::AtomicFile> file_;
    std::string error_;
};

}  // namespace linker
