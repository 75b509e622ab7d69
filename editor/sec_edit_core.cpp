// SECEditCore: start state, geometry, keeping the caret in view, errors and the
// selection text.
#include "editor/sec_edit_core.h"

#include <algorithm>

#include "editor/code_page.h"

namespace editor {
namespace {

// Messages go into a box of a few hundred characters: a long argument is cut.
constexpr size_t kLongestArgument = 256;

}  // namespace

void SECEditCore::Attach(SECEdit* edit) {
    if (edit_) edit_->RemoveLineObserver(this);
    edit_ = edit;
    if (edit_) edit_->AddLineObserver(this);
}

void SECEditCore::OnLinesChanged(int first, int removed, int inserted) {
    // A place on a line that went keeps its number: it comes to the line that now has
    // it (the last line when the text got shorter). A selection whose end went is gone.
    auto follow = [&](int& line) {
        if (line < first) return false;
        if (line < first + removed) {
            line = std::clamp(line, 1, std::max(1, LineCount()));
            return true;
        }
        line += inserted - removed;
        return false;
    };
    follow(caret_.line);
    follow(top_);
    bool selection_went = false;
    for (CaretPlace* place : {&anchor_, &selection_start_, &selection_end_})
        selection_went = follow(place->line) || selection_went;
    if (selection_went) selecting_ = false;
}

void SECEditCore::OnTextChanged() { KeepPlacesInText(); }

int SECEditCore::InitView() {
    caret_ = {};
    top_ = 1;
    left_column_ = 0;
    selecting_ = false;
    selection_mode_ = kStreamSelection;
    selection_start_ = selection_end_ = anchor_ = {};
    redraw_ = true;
    if (!edit_) return 0;
    SetupScrollBars();
    EnsureCaretVisible();
    // Lines too long for the editor were split when the text was read: say so.
    DoError(edit_->TakeReadWarning(), redraw_);
    return 0;
}

void SECEditCore::SetClientSize(int width, int height) {
    client_width_ = std::max(0, width);
    client_height_ = std::max(0, height);
    if (edit_) SetupScrollBars();
}

void SECEditCore::SetCellSize(int character_width, int line_height) {
    char_width_ = std::max(0, character_width);
    line_height_ = std::max(0, line_height);
    gutter_width_ = line_height_;
}

int SECEditCore::visible_columns() const {
    return char_width_ > 0 ? std::max(0, client_width_ - gutter_width_) / char_width_ : 0;
}

int SECEditCore::DoError(int code, bool show) { return DoError(code, std::string{}, show); }

int SECEditCore::DoError(int code, const std::string& argument, bool show) {
    if (code == 0 || !show) return code;
    std::string text = ResultMessage(code);
    if (text.empty()) return code;
    for (const char* marker : {"%s", "%d"}) {
        size_t at = text.find(marker);
        if (at == std::string::npos) continue;
        std::string value = code == kLongLinesWrapped ? std::to_string(kMaxLineColumns) : argument;
        if (value.size() > kLongestArgument) value = value.substr(0, kLongestArgument) + "...";
        text.replace(at, 2, value);
        break;
    }
    window_.ShowMessage(code, text);
    return code;
}

int SECEditCore::TextColumns(const EditLine* line) const {
    return edit_->IndexToColumn(line, static_cast<int>(edit_->TextOf(line).size()));
}

int SECEditCore::CaretIndex() const { return edit_->ColumnToIndex(CaretLine(), caret_.column); }

TextPosition SECEditCore::PositionOf(CaretPlace place) const {
    EditLine* line = LineAt(place.line);
    return {line, edit_->ColumnToIndex(line, place.column)};
}

void SECEditCore::SetCaretFromPosition(TextPosition position) {
    caret_ = {position.line->number, edit_->IndexToColumn(position.line, position.index)};
}

void SECEditCore::SetCaretPosition() {
    int x = (caret_.column - left_column_) * char_width_ + gutter_width_;
    if (x < gutter_width_) x = -10;  // off the window: the caret is hidden
    window_.PlaceCaret(x, (caret_.line - top_) * line_height_);
}

void SECEditCore::SetupScrollBars() {
    if (line_height_ == 0) return;
    int count = LineCount();
    int page = rows();
    if (page > 0 && count <= page && top_ > 1) {
        // The whole text fits: the view goes back to its first line.
        top_ = 1;
        window_.InvalidateAll();
    }
    // Scroll positions are 16-bit: long files count in steps of several lines.
    int scale = (count - 1) / 65535 + 1;
    window_.SetScrollRange(kVerticalBar, 0, std::max(1, count - 1) / scale, std::max(1, page) / scale);
    window_.SetScrollRange(kHorizontalBar, 0, kMaxLineColumns, 32);
    window_.SetScrollPosition(kVerticalBar, (top_ - 1) / scale);
    window_.SetScrollPosition(kHorizontalBar, left_column_);
}

void SECEditCore::RepaintCaretRow() {
    int row = caret_.line - top_;
    window_.InvalidateRows(row, row);
}

void SECEditCore::Notify(ViewHint hint) { window_.NotifyOtherViews(hint); }

void SECEditCore::KeepPlacesInText() {
    if (!edit_) return;
    int count = LineCount();
    for (CaretPlace* place : {&caret_, &anchor_, &selection_start_, &selection_end_})
        place->line = std::clamp(place->line, 1, count);
    top_ = std::clamp(top_, 1, count);
    // Columns stay where they were, so an edit in a line can leave them inside a tab or
    // a double-byte character, or a stream selection past the text: they come back to
    // the character's start and the text's end. Without a stream selection the caret
    // may wait past the end (after an auto-indent, beside a column block); a column
    // block's corners are display columns on any line and stay.
    const bool stream = selection_mode_ == kStreamSelection;
    caret_.column = ClampColumnOn(caret_.line, caret_.column, !(selecting_ && stream));
    if (stream)
        for (CaretPlace* place : {&anchor_, &selection_start_, &selection_end_})
            place->column = ClampColumnOn(place->line, place->column, false);
}

void SECEditCore::ValidatePlaces() {
    KeepPlacesInText();
    top_ = std::min(top_, caret_.line);
}

void SECEditCore::EnsureCaretVisible() {
    if (!edit_ || char_width_ == 0 || line_height_ == 0) return;
    ValidatePlaces();
    // The caret sits on the start of a character (a tab, a double-byte character).
    caret_.column = std::max(0, caret_.column);
    EditLine* line = CaretLine();
    int index = edit_->ColumnToIndex(line, caret_.column);
    if (index < static_cast<int>(edit_->TextOf(line).size()))
        index = CharStart(edit_->TextOf(line), index, edit_->code_page());
    caret_.column = edit_->IndexToColumn(line, index);

    int width = visible_columns();
    int height = rows();
    if (width == 0 || height == 0) return;
    int old_top = top_;
    int old_left = left_column_;
    int tab = edit_->GetTabSize();
    while (caret_.column < left_column_) left_column_ = std::max(0, left_column_ - tab);
    while (caret_.column >= left_column_ + width - 1 && left_column_ < kMaxLineColumns) left_column_ += tab;
    if (caret_.line < top_ || caret_.line >= top_ + height) top_ = caret_.line;
    if (redraw_ && (top_ != old_top || left_column_ != old_left)) window_.InvalidateAll();
    SetupScrollBars();
    SetCaretPosition();
}

void SECEditCore::GoToLineColumn(int line, int index) {
    EditLine* record = LineAt(line);
    caret_ = {record->number, edit_->IndexToColumn(record, index)};
    int height = rows();
    if (caret_.line < top_)
        top_ = caret_.line;
    else if (height > 0 && caret_.line >= top_ + height)
        top_ = std::max(1, caret_.line - height + 1);
    window_.InvalidateAll();
    EnsureCaretVisible();
}

std::string SECEditCore::GetSelectionText(bool* column_block) {
    if (column_block) *column_block = false;
    if (!edit_ || !selecting_ || selection_start_ == selection_end_) return {};
    if (selection_mode_ == kColumnSelection) {
        if (column_block) *column_block = true;
        return edit_->GetColumnBlockText(PositionOf(selection_start_), PositionOf(selection_end_));
    }
    return edit_->GetBlockText(PositionOf(selection_start_), PositionOf(selection_end_));
}

}  // namespace editor
