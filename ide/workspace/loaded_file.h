#pragma once
// A workspace or project file as it was loaded. A file that the reader could
// not take in whole (a line skipped, a value cut, a setting guessed), or that
// the writer would not give back byte for byte, is left as it is while the
// workspace is as loaded: nothing the reader missed is lost without the user
// changing something. The first write over a damaged one keeps the original
// beside it as "<file>.orig".
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace ide {

// The first thing a reader skipped, cut or guessed in a file.
struct ReadProblem {
    std::size_t line = 0;  // counted from 1
    std::string reason;
    std::string text;  // the line as read (empty where the file ended too soon)
};

// Keeps the first problem only: a file is reported once.
void NoteProblem(std::optional<ReadProblem>& first, std::size_t line, std::string_view reason, std::string_view text);

class LoadedFile {
public:
    LoadedFile() = default;
    // `on_disk`: the bytes read; `as_written`: the writer's text (LF line
    // ends) for the workspace just loaded from them.
    LoadedFile(std::string path, std::string_view on_disk, std::string as_written, std::optional<ReadProblem> problem);

    bool Damaged() const { return problem_.has_value(); }
    // "<path>, line 5: unknown code mode: "#CODEMODE = BXN"", or empty.
    std::string ProblemText() const;
    // True while writing `text` to `path` would only undo what the reader missed.
    bool Unchanged(std::string_view path, std::string_view text) const;
    // Whether a write to `path` must first keep the file as it was read.
    bool KeepOriginalBefore(std::string_view path) const { return Damaged() && SameFile(path); }

private:
    bool SameFile(std::string_view path) const;

    std::string path_;
    std::string as_written_;
    bool held_ = false;
    std::optional<ReadProblem> problem_;
};

}  // namespace ide
