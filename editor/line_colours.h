#pragma once
// The colours of one line as the window paints it: the line's text with tabs expanded
// and its line end cut off, split into runs of keyword, string, comment and plain
// text. Comments outrank strings, strings outrank keywords.
#include <cstdint>
#include <string>
#include <vector>

#include "editor/sec_edit.h"

namespace editor {

enum ColourClass : uint8_t { kClassPlain = 2, kClassKeyword = 4, kClassString = 8, kClassComment = 0x10 };

struct ColourRun {
    int start = 0;  // display columns of the expanded text, end excluded
    int end = 0;
    ColourClass colour_class = kClassPlain;
    COLORREF colour = 0;
};

struct ColouredLine {
    std::string text;  // tabs expanded, no line end
    std::vector<ColourRun> runs;
};

// With colouring off the whole line is one plain run.
ColouredLine ColourLine(SECEdit& edit, const EditLine* line);

}  // namespace editor
