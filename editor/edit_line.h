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

struct EditLine {
    EditLine* next = nullptr;
    EditLine* prev = nullptr;
    std::string text;                // the line's bytes, line end included
    int number = 1;                  // 1-based; kept current by every structural edit
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
