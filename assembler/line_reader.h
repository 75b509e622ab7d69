#pragma once
// Logical lines of a source text: continuation with a backslash before the
// line feed, and the 256-character limit.
#include <cstddef>
#include <string>
#include <string_view>

namespace dravlin {

inline constexpr size_t kMaxLineLength = 256;

// Where reading stands in one source text.
struct SourceCursor {
    std::string_view text;
    size_t position = 0;
    int line_number = 0;  // of the last line read; lines count from 1
};

enum class LineRead { Line, TooLong, EndOfText };

struct LogicalLine {
    // The line's characters; ends with its line feed, or without one when the
    // text ended first. Continuations are already joined.
    std::string text;
    size_t start_offset = 0;  // where the line began in the source text
};

// Reads the next logical line. A line longer than kMaxLineLength is skipped up
// to the end of its physical line and answered TooLong (the caller reports it).
LineRead read_logical_line(SourceCursor& cursor, LogicalLine& line);

// As above, without copying a line that needs no joining: `text` views the
// cursor's text itself, or line.text when continuations were joined.
LineRead read_logical_line(SourceCursor& cursor, LogicalLine& line, std::string_view& text);

}  // namespace dravlin
