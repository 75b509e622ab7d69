#pragma once
// Helpers for buffer tests: a buffer filled from text without touching the disk.
#include <string>

#include "editor/sec_edit.h"

namespace editor::testing {

// Replaces the buffer's text; the history starts empty and the text counts as saved.
inline void Fill(SECEdit& edit, const std::string& text) { edit.LoadText(text); }

inline TextPosition At(const SECEdit& edit, int line, int index) { return {edit.GetLineByNumber(line), index}; }

// "[line][line]" with each line's bytes, to show the line structure.
inline std::string Lines(const SECEdit& edit) {
    std::string out;
    for (const EditLine* line = edit.GetFirstLine(); line; line = line->next) out += "[" + line->text + "]";
    return out;
}

// True when every line's number is its place in the list and the count agrees.
inline bool NumbersAreRight(const SECEdit& edit) {
    int expected = 1;
    for (const EditLine* line = edit.GetFirstLine(); line; line = line->next, ++expected)
        if (line->number != expected) return false;
    return edit.GetLineCount() == expected - 1;
}

}  // namespace editor::testing
