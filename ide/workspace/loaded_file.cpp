#include "ide/workspace/loaded_file.h"

#include "platform/os/file.h"
#include "platform/os/text.h"

namespace ide {

namespace {

// Enough of a line to find it in the file; a damaged line may be megabytes
// long or hold control bytes.
std::string Excerpt(std::string_view line) {
    constexpr std::size_t kShown = 60;
    std::string shown;
    for (const char c : line.substr(0, kShown)) shown += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
    if (line.size() > kShown) shown += "...";
    return shown;
}

}  // namespace

void NoteProblem(std::optional<ReadProblem>& first, std::size_t line, std::string_view reason, std::string_view text) {
    if (!first) first = ReadProblem{line, std::string(reason), Excerpt(text)};
}

LoadedFile::LoadedFile(std::string path, std::string_view on_disk, std::string as_written,
                       std::optional<ReadProblem> problem)
    : path_(std::move(path)), as_written_(std::move(as_written)), problem_(std::move(problem)) {
    held_ = problem_.has_value() || os::to_crlf(as_written_) != on_disk;
}

std::string LoadedFile::ProblemText() const {
    if (!problem_) return {};
    std::string text = path_ + ", line " + std::to_string(problem_->line) + ": " + problem_->reason;
    if (!problem_->text.empty()) text += ": \"" + problem_->text + "\"";
    return text;
}

// Paths are the programs' spellings, which name files without regard to case.
bool LoadedFile::SameFile(std::string_view path) const { return os::equals_ignore_case(path, path_); }

bool LoadedFile::Unchanged(std::string_view path, std::string_view text) const {
    return held_ && SameFile(path) && text == as_written_;
}

}  // namespace ide
