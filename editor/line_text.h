#pragma once
// Line ends, tab columns and line splitting over plain byte texts.
#include <string>
#include <string_view>
#include <vector>

namespace editor {

enum LineEndType : int { kLineEndCrLf = 0, kLineEndLfCr = 1, kLineEndLf = 2, kLineEndCr = 3 };

struct LineEnd {
    int type = kLineEndCrLf;
    std::string chars = "\r\n";
};

// The characters of a line-end type 0-3.
LineEnd LineEndOfType(int type);

// Type of the first line end in the text, or -1 when it holds no CR or LF.
int DetectLineEndType(std::string_view text);

// Bytes taken by the line end that starts at `at` (a CR or LF): a CR LF pair is one line
// end in every text, an LF CR pair in a text of that type; any other CR or LF stands alone.
int LineEndSizeAt(std::string_view text, size_t at, int type);

// Replaces every line end of the text (read with the text's own type) by the target's.
std::string ConvertLineEnds(std::string_view text, int target_type);

// Display width of the byte at `column`: a tab reaches the next tab stop.
inline int ByteWidth(char byte, int column, int tab_size) { return byte == '\t' ? tab_size - column % tab_size : 1; }

// Display column of a byte index; bytes past the text count one column each.
int IndexToColumn(std::string_view text, int index, int tab_size);

// The number of bytes whose end column is not past `column`.
int ColumnToIndex(std::string_view text, int column, int tab_size);

// Tabs replaced by spaces; a line end is copied as it stands and restarts the column.
std::string ExpandTabs(std::string_view text, int tab_size, int line_end_length);

// The number of leading bytes whose display width fits `max_columns`.
int MaxCharsInWidth(std::string_view text, int tab_size, int max_columns);

// Splits text into lines ending with `line_end`; a last line without a line end keeps
// none. With a two-byte line end a lone CR or LF as the very last byte stays in the last
// line's text. A line wider than the limit is cut into pieces that carry no line end, so that
// writing the pieces back gives the original line. Sets `cut_long_line` when it cut.
// kOwnLineEndOnly splits only at `line_end`'s own characters, leaving any other CR or LF
// in the text: bytes taken from the buffer go back into it as they were.
enum class SplitRule { kAnyLineEnd, kOwnLineEndOnly };
std::vector<std::string> SplitIntoLines(std::string_view text, const LineEnd& line_end, int tab_size,
                                        bool* cut_long_line = nullptr, SplitRule rule = SplitRule::kAnyLineEnd);

}  // namespace editor
