#pragma once
// One text line of the buffer and a position inside the text.
#include <cstdint>
#include <string>

namespace editor {

// Line flags kept by the window layer.
enum LineFlag : uint32_t {
    kLineBookmark = 4,
    kLineBreakpoint = 8,
    kLineExecutionPoint = 16,
    kLineNavigationMark = 32,
    kLineSelectionStarts = 0x4000,
    kLineSelectionEnds = 0x8000,
};

struct EditLine;

// A line's node in its buffer's line index (a tree ordered by place in the text, each
// node counting the lines below it). Read as an int it is the line's 1-based number,
// found by climbing the tree: no number is stored, so an edit renumbers nothing. A line
// outside any buffer is number 1.
class LineNumber {
public:
    LineNumber() = default;
    // The links belong to one line: a copy would be no line's number.
    LineNumber(const LineNumber&) = delete;
    LineNumber& operator=(const LineNumber&) = delete;
    operator int() const;

private:
    friend class LineBuffer;
    EditLine* left_ = nullptr;
    EditLine* right_ = nullptr;
    EditLine* parent_ = nullptr;
    int size_ = 1;           // lines in this subtree, this one included
    uint32_t priority_ = 0;  // the tree keeps higher priorities above lower ones
};

struct EditLine {
    EditLine() = default;
    explicit EditLine(std::string bytes) : text(std::move(bytes)) {}
    EditLine(const EditLine&) = delete;
    EditLine& operator=(const EditLine&) = delete;

    EditLine* next = nullptr;
    EditLine* prev = nullptr;
    std::string text;                // the line's bytes, line end included
    LineNumber number;               // 1-based place in the buffer
    uint32_t selection_columns = 0;  // low 16 bits start column, high 16 bits end column
    uint32_t flags = 0;

    int length() const { return static_cast<int>(text.size()); }
};

// A place in the text; the index may lie past the line's text (virtual space).
struct TextPosition {
    EditLine* line = nullptr;
    int index = 0;
};

}  // namespace editor
