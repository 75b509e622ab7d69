// SECEditCore: stream and column selections.
#include <algorithm>

#include "editor/sec_edit_core.h"

namespace editor {
namespace {

bool Before(CaretPlace a, CaretPlace b) { return a.line < b.line || (a.line == b.line && a.column <= b.column); }

}  // namespace

void SECEditCore::BeginSelection(int mode) {
    selection_mode_ = mode;
    selecting_ = true;
    anchor_ = selection_start_ = selection_end_ = caret_;
}

void SECEditCore::UpdateSelection() {
    if (selection_mode_ == kColumnSelection) {
        // Corners as the mouse or keys left them; the block operations order them.
        selection_start_ = anchor_;
        selection_end_ = caret_;
    } else if (Before(anchor_, caret_)) {
        selection_start_ = anchor_;
        selection_end_ = caret_;
    } else {
        selection_start_ = caret_;
        selection_end_ = anchor_;
    }
    if (redraw_) window_.InvalidateAll();
}

int SECEditCore::ClearSelection(bool redraw) {
    if (!selecting_) return kNoText;
    selecting_ = false;
    if (redraw) window_.InvalidateAll();
    selection_start_ = selection_end_ = anchor_ = caret_;
    selection_mode_ = kStreamSelection;
    return 0;
}

int SECEditCore::ExtendSelection(int command, bool redraw) {
    if (!selecting_) BeginSelection(selection_mode_);
    int code = MoveCaret(command, redraw);
    UpdateSelection();
    return code;
}

void SECEditCore::SelectAll(bool redraw) {
    ClearSelection(false);
    CaretTopOfFile(false);
    BeginSelection(kStreamSelection);
    CaretBottomOfFile(false);
    UpdateSelection();
    if (redraw) {
        window_.InvalidateAll();
        EnsureCaretVisible();
    }
}

void SECEditCore::SelectLine(bool redraw) {
    ClearSelection(false);
    caret_.column = 0;
    BeginSelection(kStreamSelection);
    if (CaretDown(redraw) != 0) CaretEnd(redraw);
    UpdateSelection();
}

void SECEditCore::SelectRange(TextPosition position, int length, bool redraw) {
    ClearSelection(false);
    SetCaretFromPosition(position);
    BeginSelection(kStreamSelection);
    caret_.column = edit_->IndexToColumn(position.line, position.index + length);
    UpdateSelection();
    // The match is brought into view from the left where it fits.
    int width = visible_columns();
    int start = selection_start_.column;
    int end = selection_end_.column;
    if (end + 3 < width)
        left_column_ = 0;
    else if (start < left_column_)
        left_column_ = std::max(0, start - 10);
    else if (end >= left_column_ + width)
        left_column_ = std::max(0, end - width + 10);
    if (redraw) {
        window_.InvalidateAll();
        EnsureCaretVisible();
    }
}

}  // namespace editor
