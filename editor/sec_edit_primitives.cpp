// SECEdit: the edit primitives on characters, strings and lines.
#include <algorithm>
#include <optional>

#include "editor/sec_edit.h"

namespace editor {

std::string SECEdit::PadLine(TextPosition& position) {
    EditLine* line = position.line;
    int length = static_cast<int>(TextOf(line).size());
    if (position.index <= length) return {};
    int shortfall = position.index - length;
    std::string padding;
    if (!view_.keep_tabs || pad_with_spaces_) {
        padding.assign(static_cast<size_t>(shortfall), ' ');
    } else {
        int target = TextWidth(line) + shortfall;
        padding.assign(static_cast<size_t>(shortfall / view_.tab_size), '\t');
        int column = TextWidth(line);
        for (char tab : padding) column += ByteWidth(tab, column, view_.tab_size);
        padding.append(static_cast<size_t>(std::max(0, target - column)), ' ');
    }
    line->text.insert(static_cast<size_t>(length), padding);
    position.index = length + static_cast<int>(padding.size());
    return padding;
}

bool SECEdit::EnsureLastLineEnd(EditLine* line) {
    if (line->next || HasLineEnd(line)) return false;
    line->text += lines_.line_end().chars;
    return true;
}

void SECEdit::DropLineEnd(EditLine* line) {
    if (HasLineEnd(line)) line->text.resize(line->text.size() - lines_.line_end().chars.size());
}

int SECEdit::PadToColumn(TextPosition& position, bool record) {
    if (read_only_) return kReadOnly;
    position.index = std::max(position.index, 0);
    if (int code = CheckInsertWidth(position, {})) return code;
    int start = static_cast<int>(TextOf(position.line).size());
    std::string padding = PadLine(position);
    if (padding.empty()) return kOk;
    NoteEdit(position.line, record);
    if (record) {
        UndoRecord entry =
            MakeUndoRecord(kUndoInsertText, position.line->number, start, position.line->number, position.index);
        entry.text = padding;
        AddUndoRecord(std::move(entry));
    }
    return kOk;
}

int SECEdit::InsertChar(TextPosition position, char byte, bool insert, bool record) {
    if (read_only_) return kReadOnly;
    if (!LineFits(IndexToColumn(position.line, std::max(position.index, 0)), std::string_view(&byte, 1),
                  TailAfter({position.line, position.index + (insert ? 0 : 1)})))
        return kLineTooLong;
    std::optional<UndoGroup> group;
    if (record && position.index > static_cast<int>(TextOf(position.line).size())) group.emplace(*this);
    if (int code = PadToColumn(position, record)) return code;
    EditLine* line = position.line;
    size_t at = static_cast<size_t>(position.index);
    UndoRecord entry = MakeUndoRecord(insert ? kUndoInsertChar : kUndoOverwriteChar, line->number, position.index);
    entry.character = static_cast<unsigned char>(byte);
    if (insert) {
        line->text.insert(at, 1, byte);
    } else if (at < TextOf(line).size()) {
        entry.old_character = static_cast<unsigned char>(line->text[at]);
        line->text[at] = byte;
    } else {
        // Overwriting at the end of the text lengthens the line.
        entry.old_character = static_cast<unsigned char>(lines_.line_end().chars[0]);
        entry.lengthened = true;
        line->text.insert(at, 1, byte);
    }
    NoteEdit(line, record);
    if (record) AddUndoRecord(std::move(entry));
    return kOk;
}

int SECEdit::InsertString(TextPosition position, std::string_view text, bool insert, bool record) {
    if (read_only_) return kReadOnly;
    if (text.empty()) return kOk;
    // The bytes go into the line as they are, whatever they hold.
    if (!LineFits(IndexToColumn(position.line, std::max(position.index, 0)), text,
                  TailAfter({position.line, position.index + (insert ? 0 : static_cast<int>(text.size()))})))
        return kLineTooLong;
    std::optional<UndoGroup> group;
    if (record) group.emplace(*this);
    if (int code = PadToColumn(position, record)) return code;
    EditLine* line = position.line;
    if (!insert) {
        // Overwriting is a delete of what is covered and an insert, so undo restores it.
        int covered =
            std::min<int>(static_cast<int>(text.size()), static_cast<int>(TextOf(line).size()) - position.index);
        if (covered > 0) DeleteChars(position, covered, record);
    }
    line->text.insert(static_cast<size_t>(position.index), text);
    UndoRecord entry = MakeUndoRecord(kUndoInsertText, line->number, position.index, line->number,
                                      position.index + static_cast<int>(text.size()));
    entry.text = text;
    NoteEdit(line, record);
    if (record) AddUndoRecord(std::move(entry));
    return kOk;
}

int SECEdit::DeleteChar(TextPosition position, bool record) {
    if (read_only_) return kReadOnly;
    EditLine* line = position.line;
    if (line->text.empty()) return kOk;
    if (position.index < 0 || position.index >= static_cast<int>(TextOf(line).size())) return kJoinLine;
    UndoRecord entry = MakeUndoRecord(kUndoDeleteChar, line->number, position.index);
    entry.character = static_cast<unsigned char>(line->text[static_cast<size_t>(position.index)]);
    line->text.erase(static_cast<size_t>(position.index), 1);
    NoteEdit(line, record);
    if (record) AddUndoRecord(std::move(entry));
    return kOk;
}

int SECEdit::DeleteChars(TextPosition position, int count, bool record) {
    if (count == 1) return DeleteChar(position, record);
    if (read_only_) return kReadOnly;
    EditLine* line = position.line;
    int length = static_cast<int>(TextOf(line).size());
    if (count <= 0 || position.index < 0 || position.index >= length) return kOk;
    int removed = std::min(count, length - position.index);
    UndoRecord entry =
        MakeUndoRecord(kUndoDeleteText, line->number, position.index, line->number, position.index + removed);
    entry.text = line->text.substr(static_cast<size_t>(position.index), static_cast<size_t>(removed));
    line->text.erase(static_cast<size_t>(position.index), static_cast<size_t>(removed));
    NoteEdit(line, record);
    if (record) AddUndoRecord(std::move(entry));
    return kOk;
}

int SECEdit::SplitLine(TextPosition position, bool record) {
    if (read_only_) return kReadOnly;
    EditLine* line = position.line;
    // Past the text the split happens at its end: nothing is padded.
    int at = std::clamp(position.index, 0, static_cast<int>(TextOf(line).size()));
    lines_.InsertAfter(line, line->text.substr(static_cast<size_t>(at)));
    line->text.resize(static_cast<size_t>(at));
    line->text += lines_.line_end().chars;
    NoteEdit(line, record);
    if (record) AddUndoRecord(MakeUndoRecord(kUndoSplitLine, line->number, at));
    return kOk;
}

void SECEdit::JoinWithNext(EditLine* line) {
    EditLine* next = line->next;
    DropLineEnd(line);
    line->text += next->text;
    lines_.Erase(next, next);
}

int SECEdit::JoinLines(TextPosition position, bool record) {
    if (read_only_) return kReadOnly;
    EditLine* line = position.line;
    EditLine* next = line->next;
    if (!next) return kEndOfFile;
    // The next line's text goes after this line's, padded out to the position.
    if (!LineFits(std::max(TextWidth(line), IndexToColumn(line, position.index)), TextOf(next))) return kLineTooLong;

    UndoGroup group(*this);
    PadToColumn(position, record);
    // An empty line takes over the bookmark of the line it absorbs.
    if ((next->flags & kLineBookmark) && line->text == lines_.line_end().chars) line->flags |= kLineBookmark;
    int join_at = static_cast<int>(TextOf(line).size());
    bool had_line_end = HasLineEnd(line);
    JoinWithNext(line);
    NoteEdit(line, record);
    if (record) {
        UndoRecord entry = MakeUndoRecord(kUndoJoinLines, line->number, join_at);
        entry.line_end_changed = !had_line_end;
        AddUndoRecord(std::move(entry));
    }
    return kOk;
}

}  // namespace editor
