// SECEditCore: caret movement and the column arithmetic under it. Columns are display
// columns; the caret never rests inside a tab or a double-byte character.
#include <algorithm>
#include <cctype>

#include "editor/code_page.h"
#include "editor/sec_edit_core.h"

namespace editor {

int SECEditCore::ClampColumn(int column) const {
    // A column block may reach past the line ends; otherwise the caret stops at the
    // end of the text, whatever the file's line ends.
    return ClampColumnOn(caret_.line, column, selecting_ && selection_mode_ == kColumnSelection);
}

int SECEditCore::ClampColumnOn(int number, int column, bool past_end) const {
    EditLine* line = LineAt(number);
    std::string_view text = edit_->TextOf(line);
    column = std::max(0, column);
    int index = edit_->ColumnToIndex(line, column);
    if (index < static_cast<int>(text.size()))
        column = edit_->IndexToColumn(line, CharStart(text, index, edit_->code_page()));
    return past_end ? column : std::min(column, TextColumns(line));
}

int SECEditCore::NextColumn(int column) const {
    EditLine* line = CaretLine();
    std::string_view text = edit_->TextOf(line);
    int index = edit_->ColumnToIndex(line, column);
    if (index < static_cast<int>(text.size()))
        return ClampColumn(edit_->IndexToColumn(line, index + CharSize(text, index, edit_->code_page())));
    return ClampColumn(column + 1);
}

int SECEditCore::PrevColumn(int column) const {
    if (column <= 0) return 0;
    EditLine* line = CaretLine();
    std::string_view text = edit_->TextOf(line);
    int index = edit_->ColumnToIndex(line, column - 1);
    if (index >= static_cast<int>(text.size())) return column - 1;
    return edit_->IndexToColumn(line, CharStart(text, index, edit_->code_page()));
}

int SECEditCore::CaretLeft(bool redraw) {
    if (caret_.column == 0) {
        if (caret_.line == 1) return kTopOfFile;
        CaretUp(redraw);
        CaretEnd(redraw);
    } else {
        caret_.column = PrevColumn(caret_.column);
    }
    if (redraw) EnsureCaretVisible();
    Notify(kHintCaretMoved);
    return 0;
}

int SECEditCore::CaretRight(bool redraw) {
    if (caret_.column >= kMaxLineColumns) return kLineTooLong;
    int next = NextColumn(caret_.column);
    if (next == caret_.column) {
        // At the end of the text: the start of the next line, when there is one.
        if (CaretDown(redraw) != kEndOfFile) CaretHome(false);
    } else {
        caret_.column = next;
    }
    if (redraw) EnsureCaretVisible();
    Notify(kHintCaretMoved);
    return 0;
}

int SECEditCore::CaretUp(bool redraw) {
    if (redraw) EnsureCaretVisible();
    if (caret_.line <= 1) return kTopOfFile;
    if (caret_.line == top_) {
        --top_;
        if (redraw) window_.ScrollRows(1);
    }
    --caret_.line;
    caret_.column = ClampColumn(caret_.column);
    if (redraw) EnsureCaretVisible();
    Notify(kHintCaretMoved);
    return 0;
}

int SECEditCore::CaretDown(bool redraw) {
    if (redraw) EnsureCaretVisible();
    if (caret_.line >= LineCount()) return kEndOfFile;
    if (caret_.line == top_ + rows() - 1) {
        ++top_;
        if (redraw) window_.ScrollRows(-1);
    }
    ++caret_.line;
    caret_.column = ClampColumn(caret_.column);
    if (redraw) EnsureCaretVisible();
    Notify(kHintCaretMoved);
    return 0;
}

int SECEditCore::CaretHome(bool redraw) {
    caret_.column = 0;
    if (redraw) EnsureCaretVisible();
    return 0;
}

int SECEditCore::CaretEnd(bool redraw) {
    caret_.column = TextColumns(CaretLine());
    if (redraw) EnsureCaretVisible();
    return 0;
}

int SECEditCore::CaretPageUp(bool redraw) {
    if (redraw) EnsureCaretVisible();
    if (caret_.line <= 1) return kTopOfFile;
    bool scrolled = false;
    for (int row = 0; row < rows(); ++row) {
        if (top_ > 1) {
            --top_;
            --caret_.line;
            scrolled = true;
        } else if (caret_.line > 1) {
            --caret_.line;
        }
    }
    caret_.column = ClampColumn(caret_.column);
    if (redraw && scrolled) window_.InvalidateAll();
    if (redraw) EnsureCaretVisible();
    Notify(kHintCaretMoved);
    return 0;
}

int SECEditCore::CaretPageDown(bool redraw) {
    int count = LineCount();
    if (caret_.line >= count) return kEndOfFile;
    for (int row = 0; row < rows() && caret_.line < count; ++row) {
        ++caret_.line;
        ++top_;
    }
    caret_.column = ClampColumn(caret_.column);
    if (redraw) {
        window_.InvalidateAll();
        EnsureCaretVisible();
    }
    Notify(kHintCaretMoved);
    return 0;
}

int SECEditCore::SetTopLine(int line, bool redraw) {
    top_ = std::clamp(line, 1, LineCount());
    if (redraw) window_.InvalidateAll();
    SetCaretPosition();
    return 0;
}

int SECEditCore::SetLeftColumn(int column, bool redraw) {
    left_column_ = std::clamp(column, 0, kMaxLineColumns);
    if (redraw) window_.InvalidateAll();
    SetCaretPosition();
    return 0;
}

int SECEditCore::ScrollLineUp(bool redraw) {
    if (top_ <= 1) return kTopOfFile;
    --top_;
    if (redraw) {
        window_.ScrollRows(1);
        SetupScrollBars();
    }
    SetCaretPosition();
    return 0;
}

int SECEditCore::ScrollLineDown(bool redraw) {
    if (top_ >= LineCount()) return kEndOfFile;
    ++top_;
    if (redraw) {
        window_.ScrollRows(-1);
        SetupScrollBars();
    }
    SetCaretPosition();
    return 0;
}

int SECEditCore::ScrollPageUp(bool redraw) {
    if (top_ <= 1) return kTopOfFile;
    top_ = std::max(1, top_ - rows());
    if (redraw) window_.InvalidateAll();
    Notify(kHintCaretMoved);
    SetCaretPosition();
    return 0;
}

int SECEditCore::ScrollPageDown(bool redraw) {
    if (top_ >= LineCount()) return kEndOfFile;
    top_ = std::min(LineCount(), top_ + rows());
    if (redraw) window_.InvalidateAll();
    SetCaretPosition();
    return 0;
}

int SECEditCore::CaretFromPoint(int x, int y) {
    if (!edit_ || line_height_ == 0 || char_width_ == 0) return kNoText;
    if (x < gutter_width_) {
        x = gutter_width_;
        if (left_column_ > 0) {
            --left_column_;
            window_.InvalidateAll();
        }
    }
    const CaretPlace place = PlaceFromPoint(x, y);
    caret_.line = place.line;
    caret_.column = ClampColumn(place.column);
    EnsureCaretVisible();
    return 0;
}

CaretPlace SECEditCore::PlaceFromPoint(int x, int y) const {
    if (!edit_ || line_height_ == 0 || char_width_ == 0) return caret_;
    int row = std::max(0, y / line_height_);
    // The partly shown last row counts as the row above it.
    if (row > 0 && (row + 1) * line_height_ > client_height_) --row;
    const int column = (std::max(x, gutter_width_) - gutter_width_ + char_width_ / 2) / char_width_ + left_column_;
    return {std::min(top_ + row, LineCount()), std::min(column, kMaxLineColumns)};
}

int SECEditCore::CaretTopOfFile(bool redraw) {
    if (caret_ == CaretPlace{}) return kTopOfFile;
    caret_ = {};
    top_ = 1;
    left_column_ = 0;
    if (redraw) {
        window_.InvalidateAll();
        EnsureCaretVisible();
    }
    return 0;
}

int SECEditCore::CaretBottomOfFile(bool redraw) {
    int count = LineCount();
    caret_ = {count, 0};
    top_ = std::max(1, count - std::max(0, rows() - 1));
    left_column_ = 0;
    CaretEnd(false);
    if (redraw) {
        window_.InvalidateAll();
        EnsureCaretVisible();
    }
    return 0;
}

// Word characters: letters, digits, "_" and "."; bytes of double-byte characters count
// as letters, so a run of them is a word.
bool SECEditCore::IsWordByte(std::string_view text, int index) const {
    unsigned char byte = static_cast<unsigned char>(text[static_cast<size_t>(index)]);
    return std::isalnum(byte) || byte == '_' || byte == '.' || byte >= 0x80;
}

int SECEditCore::CaretWordLeft(bool redraw) {
    if (caret_.column == 0) {
        if (caret_.line == 1) return kTopOfFile;
        CaretLeft(redraw);
    }
    EditLine* line = CaretLine();
    std::string_view text = edit_->TextOf(line);
    if (text.empty()) return CaretHome(redraw);
    int code_page = edit_->code_page();
    int index = std::min(CaretIndex(), static_cast<int>(text.size()));
    auto previous = [&](int at) { return CharStart(text, at - 1, code_page); };
    int at = index;
    while (at > 0 && !IsWordByte(text, previous(at))) at = previous(at);
    bool found_word = at > 0;
    while (at > 0 && IsWordByte(text, previous(at))) at = previous(at);
    // Only white space before the caret: the word left is on the line above.
    if (!found_word && std::all_of(text.begin(), text.begin() + index,
                                   [](char c) { return std::isspace(static_cast<unsigned char>(c)); })) {
        if (caret_.line == 1) return kTopOfFile;
        CaretUp(redraw);
        return CaretEnd(redraw);
    }
    caret_.column = edit_->IndexToColumn(line, at);
    if (caret_.column < left_column_) {
        left_column_ = caret_.column;
        if (redraw) window_.InvalidateAll();
    }
    if (redraw) EnsureCaretVisible();
    return 0;
}

int SECEditCore::CaretWordRight(bool redraw) {
    EditLine* line = CaretLine();
    std::string_view text = edit_->TextOf(line);
    int size = static_cast<int>(text.size());
    int index = CaretIndex();
    auto to_next_line = [&] {
        if (caret_.line >= LineCount()) return CaretEnd(redraw);
        CaretDown(redraw);
        return CaretHome(redraw);
    };
    if (index >= size) return to_next_line();
    int code_page = edit_->code_page();
    int at = index;
    auto next = [&](int from) { return from + CharSize(text, from, code_page); };
    if (IsWordByte(text, at))
        while (at < size && IsWordByte(text, at)) at = next(at);
    while (at < size && !IsWordByte(text, at)) at = next(at);
    if (at >= size) return to_next_line();
    caret_.column = edit_->IndexToColumn(line, at);
    if (redraw) EnsureCaretVisible();
    return 0;
}

}  // namespace editor
