#pragma once
// Where an output line points: the tools write "file(line)..." and find in
// files writes "file(line): text". The file part ends at the "(digits)" group
// that carries the line, so folders with parentheses in their names work.
#include <optional>
#include <string>
#include <string_view>

namespace ide {

struct SourceLocation {
    std::string path;
    int line = 0;
};

// The location a pane line names, or nothing. The line group is the first
// "(digits)" followed by ':' or the end of the line; failing that, the first
// '(' that a digit follows and a ')' closes later (its leading digits are the
// line: "x(12abc)" is line 12). The file part must not be empty.
std::optional<SourceLocation> ParseSourceLocation(std::string_view text);

}  // namespace ide
