// SECEdit: text and column blocks.
#include <algorithm>

#include "editor/sec_edit.h"

namespace editor {
namespace {

struct OrderedBlock {
    TextPosition start;
    TextPosition end;
};

OrderedBlock Order(TextPosition a, TextPosition b) {
    return SECEdit::IsBefore(a, b) ? OrderedBlock{a, b} : OrderedBlock{b, a};
}

// The lines and display columns a column block spans, each corner's column taken on
// its own line.
struct ColumnSpan {
    int top = 0;
    int bottom = 0;
    int left = 0;
    int right = 0;
};

ColumnSpan SpanOf(const SECEdit& edit, TextPosition a, TextPosition b) {
    int column_a = edit.IndexToColumn(a.line, a.index);
    int column_b = edit.IndexToColumn(b.line, b.index);
    int line_a = a.line->number;
    int line_b = b.line->number;
    return {std::min(line_a, line_b), std::max(line_a, line_b), std::min(column_a, column_b),
            std::max(column_a, column_b)};
}

// A column block's row as it goes in: cut or padded with spaces to the block's width.
std::string BlockPiece(const std::string& row, size_t width) {
    std::string piece = row.substr(0, width);
    piece.resize(width, ' ');
    return piece;
}

}  // namespace

std::string SECEdit::RawBlockText(TextPosition start, TextPosition end) const {
    size_t from = std::min<size_t>(static_cast<size_t>(std::max(start.index, 0)), TextOf(start.line).size());
    size_t to = std::min<size_t>(static_cast<size_t>(std::max(end.index, 0)), TextOf(end.line).size());
    if (start.line == end.line) return to > from ? start.line->text.substr(from, to - from) : std::string{};
    std::string text = start.line->text.substr(from);
    for (const EditLine* line = start.line->next; line && line != end.line; line = line->next) text += line->text;
    text.append(end.line->text, 0, to);
    return text;
}

std::vector<std::string> SECEdit::CopyLines(int first, int count) const {
    std::vector<std::string> lines;
    for (EditLine* line = GetLineByNumber(first); line && count > 0; line = line->next, --count)
        lines.push_back(line->text);
    return lines;
}

void SECEdit::ReplaceLines(int first, int count, const std::vector<std::string>& lines) {
    // Lines that stay keep their records (and so their marks); only a difference in
    // number adds or removes lines.
    EditLine* line = GetLineByNumber(first);
    EditLine* before = line ? line->prev : nullptr;
    size_t kept = 0;
    for (; line && kept < lines.size() && static_cast<int>(kept) < count; ++kept, line = line->next) {
        line->text = lines[kept];
        before = line;
    }
    int surplus = count - static_cast<int>(kept);
    if (line && surplus > 0) lines_.Erase(line, GetLineByNumber(static_cast<int>(line->number) + surplus - 1));
    lines_.InsertAfter(before, std::vector<std::string>(lines.begin() + static_cast<long>(kept), lines.end()));
    if (!lines_.first()) lines_.Assign({});
    comment_cache_lines_ = std::min(comment_cache_lines_, first);
    lines_.TellTextChanged();
}

int SECEdit::DeleteBlock(TextPosition start, TextPosition end, bool record) {
    if (read_only_) return kReadOnly;
    if (!start.line || !end.line || (start.line == end.line && start.index == end.index)) return kNoSelection;
    auto [first, last] = Order(start, end);
    first.index = std::clamp(first.index, 0, static_cast<int>(TextOf(first.line).size()));
    last.index = std::clamp(last.index, 0, static_cast<int>(TextOf(last.line).size()));
    if (first.line == last.line && first.index >= last.index) return kOk;

    UndoRecord entry = MakeUndoRecord(kUndoDeleteText, first.line->number, first.index, last.line->number, last.index);
    if (record) entry.text = RawBlockText(first, last);
    if (first.line == last.line) {
        first.line->text.erase(static_cast<size_t>(first.index), static_cast<size_t>(last.index - first.index));
    } else {
        first.line->text.resize(static_cast<size_t>(first.index));
        first.line->text.append(last.line->text, static_cast<size_t>(last.index));
        lines_.Erase(first.line->next, last.line);
    }
    NoteEdit(first.line, record);
    if (record) AddUndoRecord(std::move(entry));
    return kOk;
}

void SECEdit::InsertTextAt(TextPosition position, std::string_view text, TextPosition* end, SplitRule rule) {
    EditLine* line = position.line;
    size_t at = static_cast<size_t>(position.index);
    std::vector<std::string> lines = SplitIntoLines(text, lines_.line_end(), view_.tab_size, nullptr, rule);
    if (lines.empty()) {
        *end = position;
        return;
    }
    std::string tail = line->text.substr(at);
    line->text.resize(at);
    line->text += lines[0];
    bool ends_with_line_end = EndsWithLineEnd(lines.back());
    // The rest of the split line becomes a line of its own, even when empty, so that
    // deleting up to its start restores the line exactly.
    if (ends_with_line_end) lines.push_back(std::move(tail));
    lines.erase(lines.begin());
    EditLine* last = lines_.InsertAfter(line, lines);
    if (ends_with_line_end) {
        *end = {last, 0};
    } else {
        *end = {last, static_cast<int>(last->text.size())};
        last->text += tail;
    }
}

std::string SECEdit::OwnLineEnds(std::string_view text) const {
    int own_type = DetectLineEndType(text);
    return own_type >= 0 && own_type != lines_.line_end().type ? editor::ConvertLineEnds(text, lines_.line_end().type)
                                                               : std::string(text);
}

bool SECEdit::LineFits(int column, std::string_view bytes, std::string_view tail) const {
    const int limit = MaxTextColumns();
    for (std::string_view part : {bytes, tail}) {
        for (char byte : part) {
            column += ByteWidth(byte, column, view_.tab_size);
            if (column > limit) return false;
        }
    }
    return column <= limit;
}

std::string_view SECEdit::TailAfter(TextPosition position) const {
    std::string_view text = TextOf(position.line);
    return text.substr(std::min(text.size(), static_cast<size_t>(std::max(position.index, 0))));
}

int SECEdit::CheckReplaceWidth(TextPosition from, TextPosition to, std::string_view text) const {
    const int column = IndexToColumn(from.line, std::max(from.index, 0));
    std::string_view tail = TailAfter(to);
    std::vector<std::string> pieces = SplitIntoLines(OwnLineEnds(text), lines_.line_end(), view_.tab_size);
    if (pieces.empty()) return LineFits(column, {}, tail) ? kOk : kLineTooLong;
    const auto body = [this](std::string_view piece) {
        if (EndsWithLineEnd(piece)) piece.remove_suffix(lines_.line_end().chars.size());
        return piece;
    };
    // The first piece continues the line; the line's rest follows the last piece, or
    // stands on a line of its own after a text that ends with a line end. Pieces
    // between are never wider than a line.
    const bool ends_with_line_end = EndsWithLineEnd(pieces.back());
    if (pieces.size() == 1 && !ends_with_line_end) return LineFits(column, pieces[0], tail) ? kOk : kLineTooLong;
    const bool fits = LineFits(column, body(pieces.front())) &&
                      (ends_with_line_end ? LineFits(0, tail) : LineFits(0, pieces.back(), tail));
    return fits ? kOk : kLineTooLong;
}

int SECEdit::InsertText(TextPosition position, std::string_view text, bool record, int* converted_length,
                        TextPosition* end_out) {
    if (read_only_) return kReadOnly;
    std::string converted = OwnLineEnds(text);
    if (converted_length) *converted_length = static_cast<int>(converted.size());
    position.index = std::clamp(position.index, 0, static_cast<int>(TextOf(position.line).size()));
    if (end_out) *end_out = position;
    if (converted.empty()) return kOk;
    if (int code = CheckInsertWidth(position, converted)) return code;
    TextPosition end;
    InsertTextAt(position, converted, &end);
    if (end_out) *end_out = end;
    NoteEdit(position.line, record);
    if (record) {
        UndoRecord entry =
            MakeUndoRecord(kUndoInsertText, position.line->number, position.index, end.line->number, end.index);
        entry.text = std::move(converted);
        AddUndoRecord(std::move(entry));
    }
    return kOk;
}

std::string SECEdit::GetBlockText(TextPosition start, TextPosition end) const {
    if (!start.line || !end.line) return {};
    auto [first, last] = Order(start, end);
    std::string text = RawBlockText(first, last);
    return lines_.line_end().type == kLineEndCrLf ? text : editor::ConvertLineEnds(text, kLineEndCrLf);
}

std::string SECEdit::GetColumnBlockText(TextPosition corner1, TextPosition corner2) const {
    if (!corner1.line || !corner2.line) return {};
    ColumnSpan span = SpanOf(*this, corner1, corner2);
    size_t width = static_cast<size_t>(span.right - span.left);
    std::string text;
    EditLine* line = GetLineByNumber(span.top);
    for (int number = span.top; line && number <= span.bottom; ++number, line = line->next) {
        if (number > span.top) text += lines_.line_end().chars;
        std::string expanded = editor::ExpandTabs(TextOf(line), view_.tab_size, LineEndLength());
        std::string piece = static_cast<size_t>(span.left) < expanded.size()
                                ? expanded.substr(static_cast<size_t>(span.left), width)
                                : std::string{};
        piece.resize(width, ' ');
        text += piece;
    }
    return lines_.line_end().type == kLineEndCrLf ? text : editor::ConvertLineEnds(text, kLineEndCrLf);
}

int SECEdit::DeleteColumnBlock(TextPosition corner1, TextPosition corner2, bool record) {
    if (read_only_) return kReadOnly;
    if (!corner1.line || !corner2.line) return kNoSelection;
    ColumnSpan span = SpanOf(*this, corner1, corner2);
    int count = span.bottom - span.top + 1;
    UndoRecord entry = MakeUndoRecord(kUndoDeleteColumnBlock, span.top, span.left, span.bottom, span.right);
    if (record) entry.lines_before = CopyLines(span.top, count);
    EditLine* line = GetLineByNumber(span.top);
    for (int number = span.top; line && number <= span.bottom; ++number, line = line->next) {
        // Each line is cut at its own byte indexes for the block's display columns.
        int from = ColumnToIndex(line, span.left);
        int to = ColumnToIndex(line, span.right);
        int length = static_cast<int>(TextOf(line).size());
        from = std::min(from, length);
        to = std::min(to, length);
        if (to > from) line->text.erase(static_cast<size_t>(from), static_cast<size_t>(to - from));
    }
    NoteEdit(GetLineByNumber(span.top), record);
    if (record) {
        entry.lines_after = CopyLines(span.top, count);
        AddUndoRecord(std::move(entry));
    }
    return kOk;
}

std::vector<std::string> SECEdit::ColumnBlockRows(std::string_view text) const {
    std::vector<std::string> rows = SplitIntoLines(text, lines_.line_end(), view_.tab_size);
    for (std::string& row : rows)
        if (EndsWithLineEnd(row)) row.resize(row.size() - lines_.line_end().chars.size());
    return rows;
}

int SECEdit::CheckColumnBlockWidth(TextPosition position, std::string_view text) const {
    std::vector<std::string> rows = ColumnBlockRows(OwnLineEnds(text));
    if (rows.empty()) return kOk;
    const size_t width = rows[0].size();
    const int column = IndexToColumn(position.line, std::max(position.index, 0));
    EditLine* line = position.line;
    for (const std::string& row : rows) {
        // Rows past the last line start new lines at the block's column.
        if (!line) return LineFits(column, BlockPiece(row, width)) ? kOk : kLineTooLong;
        const TextPosition at{line, ColumnToIndex(line, column)};
        if (!LineFits(IndexToColumn(line, at.index), BlockPiece(row, width), TailAfter(at))) return kLineTooLong;
        line = line->next;
    }
    return kOk;
}

int SECEdit::InsertColumnBlock(TextPosition position, std::string_view text, bool record) {
    if (read_only_) return kReadOnly;
    std::string converted = OwnLineEnds(text);
    std::vector<std::string> block = ColumnBlockRows(converted);
    if (block.empty()) return kOk;
    if (int code = CheckColumnBlockWidth(position, converted)) return code;
    size_t width = block[0].size();
    int column = IndexToColumn(position.line, std::max(position.index, 0));
    int top = position.line->number;
    int existing = std::min<int>(static_cast<int>(block.size()), lines_.count() - top + 1);

    UndoRecord entry = MakeUndoRecord(kUndoInsertColumnBlock, top, position.index);
    if (record) entry.lines_before = CopyLines(top, existing);
    EditLine* line = position.line;
    for (const std::string& row : block) {
        if (!line) {
            EditLine* last = GetLastLine();
            EnsureLastLineEnd(last);
            line = lines_.InsertAfter(last, std::string{});
        }
        TextPosition at{line, ColumnToIndex(line, column)};
        PadLine(at);
        line->text.insert(static_cast<size_t>(at.index), BlockPiece(row, width));
        line = line->next;
    }
    NoteEdit(position.line, record);
    if (record) {
        entry.lines_after = CopyLines(top, static_cast<int>(block.size()));
        entry.end_line = top + static_cast<int>(block.size()) - 1;
        entry.text = converted;
        AddUndoRecord(std::move(entry));
    }
    return kOk;
}

}  // namespace editor
