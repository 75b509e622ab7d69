// SECEditCore: stream and column selections.
#include <algorithm>
#include <cctype>

#include "editor/sec_edit_core.h"

namespace editor {
namespace {

bool Before(CaretPlace a, CaretPlace b) { return a.line < b.line || (a.line == b.line && a.column <= b.column); }

}  // namespace

void SECEditCore::BeginSelection(int mode) {
    selection_mode_ = mode;
    selecting_ = true;
    // A stream selection starts on the text, even from a caret waiting past its end.
    if (mode == kStreamSelection) caret_.column = ClampColumn(caret_.column);
    anchor_ = selection_start_ = selection_end_ = caret_;
}

void SECEditCore::UpdateSelection() {
    if (selection_mode_ == kColumnSelection) {
        // The block's top-left and bottom-right corners, whichever way it was dragged:
        // moving it decides by them which side of the block a drop lies on.
        selection_start_ = {std::min(anchor_.line, caret_.line), std::min(anchor_.column, caret_.column)};
        selection_end_ = {std::max(anchor_.line, caret_.line), std::max(anchor_.column, caret_.column)};
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

namespace editor {
namespace {

bool IsIdentifierByte(unsigned char byte) { return std::isalnum(byte) || byte == '_'; }

}  // namespace

void SECEditCore::SelectWord(bool redraw) {
    EditLine* line = CaretLine();
    std::string_view text = edit_->TextOf(line);
    int index = CaretIndex();
    auto byte_at = [&](int at) { return static_cast<unsigned char>(text[static_cast<size_t>(at)]); };
    if (index >= static_cast<int>(text.size()) || !IsIdentifierByte(byte_at(index))) return;
    int start = index;
    while (start > 0 && IsIdentifierByte(byte_at(start - 1)) && !edit_->IsTerminatorChar(byte_at(start - 1))) --start;
    int end = index + 1;
    while (end < static_cast<int>(text.size()) && IsIdentifierByte(byte_at(end)) && !edit_->IsStartChar(byte_at(end)))
        ++end;
    SelectRange({line, start}, end - start, redraw);
}

bool SECEditCore::GetWordAtCaret(std::string& text) {
    if (selecting_ && selection_mode_ == kStreamSelection && selection_start_.line == selection_end_.line) {
        text = GetSelectionText();
        return !text.empty();
    }
    EditLine* line = CaretLine();
    std::string_view line_text = edit_->TextOf(line);
    int index = CaretIndex();
    auto identifier = [&](int at) {
        return IsIdentifierByte(static_cast<unsigned char>(line_text[static_cast<size_t>(at)]));
    };
    if (index >= static_cast<int>(line_text.size()) || !identifier(index)) return false;
    int start = index;
    while (start > 0 && identifier(start - 1)) --start;
    int end = index;
    while (end < static_cast<int>(line_text.size()) && identifier(end)) ++end;
    text = std::string(line_text.substr(static_cast<size_t>(start), static_cast<size_t>(end - start)));
    return true;
}

bool SECEditCore::SelectedSpan(int line, int* from, int* to) const {
    if (!selecting_) return false;
    CaretPlace start = selection_start_;
    CaretPlace end = selection_end_;
    if (selection_mode_ == kColumnSelection) {
        if (line < std::min(start.line, end.line) || line > std::max(start.line, end.line)) return false;
        *from = std::min(start.column, end.column);
        *to = std::max(start.column, end.column);
        return *to > *from;
    }
    if (line < start.line || line > end.line) return false;
    int length = TextColumns(LineAt(line));
    *from = line == start.line ? std::min(start.column, length) : 0;
    *to = line == end.line ? std::min(end.column, length) : length;
    return *to > *from;
}

bool SECEditCore::IsPlaceInSelection(CaretPlace place) const {
    int from = 0, to = 0;
    return edit_ && place.line >= 1 && place.line <= LineCount() && SelectedSpan(place.line, &from, &to) &&
           place.column >= from && place.column < to;
}

bool SECEditCore::IsPointInSelection(int x, int y) const {
    if (!edit_ || line_height_ == 0 || y < 0) return false;
    const int row = y / line_height_;
    if (row >= rows() || top_ + row > LineCount()) return false;
    return IsPlaceInSelection(PlaceFromPoint(x, y));
}

void SECEditCore::ClearEmptySelection() {
    if (!selecting_ || selection_start_.line != selection_end_.line) return;
    const int line = selection_start_.line;
    const int from = std::min(selection_start_.column, selection_end_.column);
    const int to = std::max(selection_start_.column, selection_end_.column);
    if (from == to || from >= TextColumns(LineAt(line))) ClearSelection(redraw_);
}

}  // namespace editor
