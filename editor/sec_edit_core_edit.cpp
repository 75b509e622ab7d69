// SECEditCore: typing, new lines with auto-indent, tabs and block indents, deleting,
// and the clipboard. Each edit is one undo group of the buffer.
#include <algorithm>
#include <cctype>

#include "editor/code_page.h"
#include "editor/sec_edit_core.h"

namespace editor {
namespace {

// Marks clipboard text as a column block; the sender's line end follows it.
constexpr std::string_view kColumnBlockTag = "*SECEdit Column Block*";

bool HasLineBreak(std::string_view text) { return text.find_first_of("\r\n") != std::string_view::npos; }

// Display column of a line's first byte that is not white space, or -1 when it has none.
int IndentOf(const SECEdit& edit, const EditLine* line) {
    std::string_view text = edit.TextOf(line);
    for (size_t at = 0; at < text.size(); ++at)
        if (!std::isspace(static_cast<unsigned char>(text[at]))) return edit.IndexToColumn(line, static_cast<int>(at));
    return -1;
}

// White space reaching a display column from column 0: tabs first when keeping tabs.
std::string IndentText(const SECEdit& edit, int columns) {
    if (!edit.keep_tabs()) return std::string(static_cast<size_t>(columns), ' ');
    int tab = edit.GetTabSize();
    return std::string(static_cast<size_t>(columns / tab), '\t') + std::string(static_cast<size_t>(columns % tab), ' ');
}

}  // namespace

bool SECEditCore::IsColouringCharacter(unsigned char character) const {
    if (character == '"' || character == '\'') return true;
    auto last_of = [&](const std::string& text) {
        return !text.empty() && text.back() == static_cast<char>(character);
    };
    auto first_of = [&](const std::string& text) {
        return !text.empty() && text.front() == static_cast<char>(character);
    };
    for (int pair : {1, 2})
        if (last_of(edit_->comment_start(pair)) || last_of(edit_->comment_end(pair))) return true;
    for (const OEExtraCommentType& type : edit_->extra_comment_types())
        if (first_of(type.start) || last_of(type.start) || first_of(type.end) || last_of(type.end)) return true;
    return false;
}

void SECEditCore::TextEdited(bool redraw, ViewHint hint) {
    ValidatePlaces();
    if (redraw) {
        SetupScrollBars();
        window_.InvalidateAll();
        EnsureCaretVisible();
    }
    Notify(hint);
}

void SECEditCore::RowEdited(bool redraw, bool whole_window) {
    if (redraw) {
        if (whole_window)
            window_.InvalidateAll();
        else
            RepaintCaretRow();
        EnsureCaretVisible();
    }
    Notify(kHintRepaint);
}

bool SECEditCore::CaretLineHasRoom(int columns) const {
    return std::max(TextColumns(CaretLine()), caret_.column) + columns <= edit_->MaxTextColumns();
}

int SECEditCore::InsertChar(unsigned char character, bool redraw, bool undo) {
    if (!CaretLineHasRoom(1)) return kLineTooLong;
    UndoGroup group(*edit_);
    if (selecting_) DeleteSelection(false, undo);
    TextPosition at = CaretPosition();
    if (int code = edit_->InsertChar(at, static_cast<char>(character), edit_->GetInsertMode(), undo)) return code;
    // The padding before a character in virtual space keeps its display column.
    int index = edit_->ColumnToIndex(at.line, caret_.column);
    caret_.column = edit_->IndexToColumn(at.line, index + 1);
    RowEdited(redraw, edit_->colouring_on() && IsColouringCharacter(character));
    return 0;
}

int SECEditCore::InsertString(std::string_view text, bool redraw, bool undo) {
    if (!CaretLineHasRoom(static_cast<int>(text.size()))) return kLineTooLong;
    UndoGroup group(*edit_);
    if (selecting_) DeleteSelection(false, undo);
    TextPosition at = CaretPosition();
    if (int code = edit_->InsertString(at, text, edit_->GetInsertMode(), undo)) return code;
    int index = edit_->ColumnToIndex(at.line, caret_.column);
    caret_.column = edit_->IndexToColumn(at.line, index + static_cast<int>(text.size()));
    RowEdited(redraw, false);
    return 0;
}

int SECEditCore::NewLine(bool redraw, bool undo) {
    if (edit_->GetReadOnly()) return kReadOnly;
    UndoGroup group(*edit_);
    if (int code = edit_->SplitLine(CaretPosition(), undo)) return code;
    if (caret_.line == top_ + rows() - 1) ++top_;
    caret_ = {caret_.line + 1, 0};
    if (edit_->auto_indent()) AutoIndent();
    if (redraw) {
        window_.InvalidateRows(std::max(0, caret_.line - top_ - 1), -1);
        SetupScrollBars();
        EnsureCaretVisible();
    }
    Notify(kHintRepaint);
    return 0;
}

int SECEditCore::AutoIndent() {
    EditLine* line = CaretLine();
    int reference = -1;
    for (const EditLine* above = line->prev; above && reference < 0; above = above->prev)
        reference = IndentOf(*edit_, above);
    if (reference < 0) return 0;
    // The new line's own leading white space gives way to the reference indent, so the
    // indent comes out the same whether the line begins with tabs or spaces.
    if (IndentOf(*edit_, line) >= 0) {
        std::string_view text = edit_->TextOf(line);
        int blank = static_cast<int>(std::find_if(text.begin(), text.end(),
                                                  [](char c) { return !std::isspace(static_cast<unsigned char>(c)); }) -
                                     text.begin());
        if (edit_->IndexToColumn(line, blank) != reference) {
            if (blank > 0) edit_->DeleteChars({line, 0}, blank, true);
            if (reference > 0) edit_->InsertString({line, 0}, IndentText(*edit_, reference), true, true);
        }
    }
    // An empty new line is not padded: the caret waits in virtual space.
    caret_.column = reference;
    return 0;
}

int SECEditCore::Tab(bool redraw, bool undo) {
    if (selecting_) return IndentLines(false, redraw, undo);
    int tab = edit_->GetTabSize();
    if (!edit_->keep_tabs()) {
        int index = CaretIndex();
        return InsertString(std::string(static_cast<size_t>(tab - index % tab), ' '), redraw, undo);
    }
    if (!CaretLineHasRoom(tab - caret_.column % tab)) return kLineTooLong;
    if (int code = edit_->InsertChar(CaretPosition(), '\t', true, undo)) return code;
    caret_.column = (caret_.column / tab + 1) * tab;
    RowEdited(redraw, false);
    return 0;
}

int SECEditCore::BackTab(bool redraw, bool undo) {
    if (selecting_) return IndentLines(true, redraw, undo);
    int tab = edit_->GetTabSize();
    int step = caret_.column % tab == 0 ? tab : caret_.column % tab;
    caret_.column = std::max(0, caret_.column - step);
    if (redraw) EnsureCaretVisible();
    return 0;
}

int SECEditCore::IndentLines(bool outdent, bool redraw, bool undo) {
    if (selection_mode_ == kColumnSelection) return kStreamOnly;
    CaretPlace start = selection_start_;
    CaretPlace end = selection_end_;
    // A selection that ends at column 0 does not touch its last line.
    int last = end.column > 0 ? end.line : std::max(start.line, end.line - 1);
    {
        UndoGroup group(*edit_);
        selecting_ = false;
        for (int number = start.line; number <= last; ++number) {
            EditLine* line = LineAt(number);
            if (!outdent) {
                caret_ = {number, 0};
                Tab(false, undo);
                continue;
            }
            for (int count = 0; count < edit_->GetTabSize(); ++count) {
                std::string_view text = edit_->TextOf(line);
                if (text.empty() || (text[0] != ' ' && text[0] != '\t')) break;
                bool was_tab = text[0] == '\t';
                edit_->DeleteChar({line, 0}, undo);
                if (was_tab) break;
            }
        }
    }
    selection_start_ = {start.line, 0};
    if (end.column > 0)
        selection_end_ =
            end.line < LineCount() ? CaretPlace{end.line + 1, 0} : CaretPlace{end.line, TextColumns(LineAt(end.line))};
    else
        selection_end_ = end;
    selecting_ = true;
    anchor_ = selection_end_;
    caret_ = selection_start_;
    if (redraw) {
        window_.InvalidateAll();
        EnsureCaretVisible();
    }
    Notify(kHintRepaint);
    return 0;
}

int SECEditCore::DeleteSelection(bool redraw, bool undo) {
    if (!selecting_ || selection_start_ == selection_end_) return kNoText;
    UndoGroup group(*edit_);
    int code = 0;
    if (selection_mode_ == kColumnSelection) {
        code = edit_->DeleteColumnBlock(PositionOf(selection_start_), PositionOf(selection_end_), undo);
        caret_ = {std::min(selection_start_.line, selection_end_.line),
                  std::min(selection_start_.column, selection_end_.column)};
    } else {
        code = edit_->DeleteBlock(PositionOf(selection_start_), PositionOf(selection_end_), undo);
        caret_ = selection_start_;
    }
    if (code) return code;
    ClearSelection(false);
    TextEdited(redraw, kHintLineDeleted);
    return 0;
}

int SECEditCore::DeleteChar(bool redraw, bool undo) {
    if (selecting_) return DeleteSelection(redraw, undo);
    TextPosition at = CaretPosition();
    std::string_view text = edit_->TextOf(at.line);
    unsigned char deleted = at.index < static_cast<int>(text.size()) ? text[static_cast<size_t>(at.index)] : 0;
    // At the end of the text the next line comes up; a double-byte character goes whole.
    int code = at.index >= static_cast<int>(text.size())
                   ? edit_->JoinLines(at, undo)
                   : edit_->DeleteChars(at, CharSize(text, at.index, edit_->code_page()), undo);
    if (code == kEndOfFile) code = 0;
    if (code) return code;
    ValidatePlaces();
    if (redraw) {
        if (at.line->next == nullptr || (edit_->colouring_on() && IsColouringCharacter(deleted)))
            window_.InvalidateAll();
        else
            window_.InvalidateRows(caret_.line - top_, -1);
        SetupScrollBars();
        EnsureCaretVisible();
    }
    Notify(kHintLineDeleted);
    return 0;
}

int SECEditCore::Backspace(bool redraw, bool undo) {
    if (selecting_) return DeleteSelection(redraw, undo);
    if (caret_.column == 0) {
        if (caret_.line == 1) return 0;
        int previous_number = caret_.line - 1;
        EditLine* previous = LineAt(previous_number);
        TextPosition join{previous, static_cast<int>(edit_->TextOf(previous).size())};
        if (int code = edit_->JoinLines(join, undo)) return code;
        caret_ = {previous_number, edit_->IndexToColumn(previous, join.index)};
        if (redraw) {
            SetupScrollBars();
            window_.InvalidateAll();
        }
    } else {
        EditLine* line = CaretLine();
        std::string_view text = edit_->TextOf(line);
        int index = CaretIndex();
        if (index > static_cast<int>(text.size())) {
            // In virtual space there is nothing to delete: the caret only moves left.
            --caret_.column;
        } else {
            int start = CharStart(text, index - 1, edit_->code_page());
            unsigned char deleted = text[static_cast<size_t>(start)];
            if (int code = edit_->DeleteChars({line, start}, index - start, undo)) return code;
            caret_.column = edit_->IndexToColumn(line, start);
            if (redraw) {
                if (edit_->colouring_on() && IsColouringCharacter(deleted))
                    window_.InvalidateAll();
                else
                    RepaintCaretRow();
            }
        }
    }
    if (redraw) EnsureCaretVisible();
    Notify(kHintRepaint);
    return 0;
}

std::string SECEditCore::GetTransferText() {
    bool column_block = false;
    std::string text = GetSelectionText(&column_block);
    if (column_block && !text.empty()) text = std::string(kColumnBlockTag) + edit_->GetLineEndChars() + text;
    return text;
}

int SECEditCore::Copy() {
    std::string text = GetTransferText();
    if (text.empty()) return kOutOfMemory;
    return window_.SetClipboardText(text) ? 0 : kOutOfMemory;
}

int SECEditCore::Cut(bool redraw, bool undo) {
    if (int code = Copy()) return code;
    if (edit_->GetReadOnly()) return 0;
    return DeleteSelection(redraw, undo);
}

int SECEditCore::Paste(bool redraw, bool undo) {
    std::string text;
    if (!window_.GetClipboardText(text)) return kClipboardEmpty;
    // A text too wide for its line is refused before the selection goes; a stream
    // selection is the text it replaces.
    const TextPosition from = selecting_ ? PositionOf(selection_start_) : CaretPosition();
    const TextPosition to = selecting_ && selection_mode_ != kColumnSelection ? PositionOf(selection_end_) : from;
    if (int code = CheckTransferWidth(text, from, to)) return code;
    UndoGroup group(*edit_);
    if (selecting_) DeleteSelection(false, undo);
    if (int code = InsertTransferText(text, undo)) return code;
    TextEdited(redraw, kHintRepaint);
    return 0;
}

namespace {

// Clipboard or dragged text as it goes in: a column block's rows, or lines or a string.
struct TransferText {
    std::string_view body;
    bool column_block = false;
};

TransferText SplitTransferText(std::string_view text) {
    if (text.size() <= kColumnBlockTag.size() || !text.starts_with(kColumnBlockTag)) return {text, false};
    // The block follows the tag and the sender's line end, whatever its kind; without
    // a line break it is a string.
    std::string_view block = text.substr(kColumnBlockTag.size());
    if (block.starts_with("\r\n") || block.starts_with("\n\r"))
        block.remove_prefix(2);
    else if (block.starts_with("\r") || block.starts_with("\n"))
        block.remove_prefix(1);
    return {block, HasLineBreak(block)};
}

}  // namespace

int SECEditCore::CheckTransferWidth(std::string_view text, TextPosition from, TextPosition to) const {
    const TransferText transfer = SplitTransferText(text);
    return transfer.column_block ? edit_->CheckColumnBlockWidth(from, transfer.body)
                                 : edit_->CheckReplaceWidth(from, to, transfer.body);
}

int SECEditCore::InsertTransferText(const std::string& text, bool undo) {
    if (int code = CheckTransferWidth(text, CaretPosition(), CaretPosition())) return code;
    const TransferText transfer = SplitTransferText(text);
    if (transfer.column_block) return edit_->InsertColumnBlock(CaretPosition(), transfer.body, undo);
    if (!HasLineBreak(transfer.body)) return InsertString(transfer.body, false, undo);
    // Lines start where the caret shows, as a string or a typed character does:
    // past the end of the text the line is padded out to it.
    TextPosition at = CaretPosition();
    TextPosition end;
    int code = edit_->PadToColumn(at, undo);
    if (!code) code = edit_->InsertText(at, transfer.body, undo, nullptr, &end);
    if (code) return code;
    SetCaretFromPosition(end);
    int height = rows();
    if (height > 0 && caret_.line >= top_ + height) top_ = caret_.line - height + 1;
    return 0;
}

namespace {

bool Before(CaretPlace a, CaretPlace b) { return a.line < b.line || (a.line == b.line && a.column < b.column); }

}  // namespace

bool SECEditCore::IsDropOnSelection(CaretPlace target, bool copy) const {
    if (!selecting_) return false;
    if (copy) return IsPlaceInSelection(target);
    // A move to either end of its text, or anywhere between, leaves the text where it
    // is. A column block's start and end are its top-left and bottom-right corners.
    const CaretPlace start = selection_start_, end = selection_end_;
    if (selection_mode_ == kColumnSelection)
        return target.line >= start.line && target.line <= end.line && target.column >= start.column &&
               target.column <= end.column;
    return !Before(target, start) && !Before(end, target);
}

int SECEditCore::MoveSelection(CaretPlace target, bool copy, bool redraw) {
    if (!selecting_ || IsDropOnSelection(target, copy)) return 0;
    const CaretPlace start = selection_start_, end = selection_end_;
    const int mode = selection_mode_;
    const std::string text = GetTransferText();
    // Refused before anything moves: a move to a line the selection touches counts
    // the selected text there as well.
    const TextPosition at = PositionOf(target);
    if (int code = CheckTransferWidth(text, at, at)) return code;
    UndoGroup group(*edit_);
    // The later place in the text changes first, so the earlier one stays where it is.
    // A block's rows beside the drop keep their text left of it, so a drop right of the
    // block goes in first.
    const bool later =
        mode == kColumnSelection ? target.line > end.line || target.column > end.column : Before(end, target);
    if (copy || later) {
        ClearSelection(false);
        caret_ = target;
        if (int code = InsertTransferText(text, true)) return code;
        if (!copy) {
            // The dropped text's end, kept through the source's removal: on the source's
            // last line (which a stream removal joins away) it moves onto the first.
            TextPosition dropped = CaretPosition();
            const CaretPlace dropped_place = caret_;
            TextPosition source_start = PositionOf(start), source_end = PositionOf(end);
            const bool on_end_line = dropped.line == source_end.line;
            const int removed_width = std::abs(end.column - start.column);
            selection_mode_ = mode;
            selection_start_ = anchor_ = start;
            selection_end_ = end;
            selecting_ = true;
            DeleteSelection(false, true);
            if (mode == kColumnSelection) {
                // Rows keep their lines; on the block's rows the text left of the drop narrows.
                caret_ = dropped_place;
                if (target.line >= start.line && target.line <= end.line) caret_.column -= removed_width;
            } else if (on_end_line) {
                SetCaretFromPosition({source_start.line, source_start.index + dropped.index - source_end.index});
            } else {
                SetCaretFromPosition(dropped);
            }
        }
    } else {
        DeleteSelection(false, true);
        caret_ = target;
        if (int code = InsertTransferText(text, true)) return code;
    }
    TextEdited(redraw, kHintRepaint);
    return 0;
}

int SECEditCore::DropText(const std::string& text, CaretPlace target, SECEditCore* source, bool move, bool redraw) {
    if (!edit_) return kNoText;
    if (edit_->GetReadOnly()) return kReadOnly;
    if (source == this) return MoveSelection(target, !move, redraw);
    const bool take_from_source = move && source && source->edit_ && source->selecting_;
    if (take_from_source && source->edit_ == edit_) {
        if (source->IsDropOnSelection(target, false)) return 0;
        // Views of one buffer share their places: the move runs here on the source's
        // selection, which so stays one undo step with the drop.
        selection_mode_ = source->selection_mode_;
        selection_start_ = anchor_ = source->selection_start_;
        selection_end_ = source->selection_end_;
        selecting_ = true;
        source->ClearSelection(true);
        return MoveSelection(target, false, redraw);
    }
    {
        UndoGroup group(*edit_);
        ClearSelection(false);
        // Past the end of a line the text goes where the drop caret showed, as within a view.
        caret_ = {std::clamp(target.line, 1, LineCount()), 0};
        caret_.column = ClampColumnOn(caret_.line, target.column, true);
        if (int code = InsertTransferText(text, true)) return code;
    }
    // Only once the text has arrived does it leave the source, in the source's history.
    if (take_from_source) source->DeleteSelection(true, true);
    TextEdited(redraw, kHintRepaint);
    return 0;
}

void SECEditCore::PlaceCaretAfterReplay(bool redo) {
    const UndoLog& log = edit_->GetUndoLog();
    const UndoRecord& record = log.at(redo ? log.position() - 1 : log.position());
    EditLine* line = LineAt(record.line);
    int index = record.column + (redo && record.type == kUndoInsertChar ? 1 : 0);
    caret_ = {line->number, edit_->IndexToColumn(line, index)};
    TextEdited(true, kHintRepaint);
}

int SECEditCore::Undo() {
    ClearSelection(redraw_);
    if (!edit_->Undo()) return 0;
    PlaceCaretAfterReplay(false);
    return 0;
}

int SECEditCore::Redo() {
    ClearSelection(redraw_);
    if (!edit_->Redo()) return 0;
    PlaceCaretAfterReplay(true);
    return 0;
}

void SECEditCore::ClearLineMarks(int mask) {
    auto bit = [mask](int mark, uint32_t flag) { return (mask & mark) != 0 ? flag : 0u; };
    uint32_t flags = bit(kMarkBreakpoints, kLineBreakpoint) | bit(kMarkBookmarks, kLineBookmark) |
                     bit(kMarkNavigation, kLineNavigationMark) | bit(kMarkExecution, kLineExecutionPoint);
    for (EditLine* line = edit_->GetFirstLine(); line; line = line->next) line->flags &= ~flags;
    if (mask & kMarkBookmarks) edit_->bookmark_count = 0;
    if (mask & kMarkBreakpoints) edit_->breakpoint_count = 0;
    window_.InvalidateAll();
    Notify(kHintRepaint);
}

}  // namespace editor
