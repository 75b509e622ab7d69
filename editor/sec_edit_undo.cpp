// SECEdit: the undo history, its groups, and replaying records.
#include <algorithm>

#include "editor/sec_edit.h"

namespace editor {

// Marks the primitives called while a record is replayed, so they neither record nor
// count as changes that the history does not know about.
class ReplayScope {
public:
    explicit ReplayScope(SECEdit& edit) : edit_(edit) { edit_.replaying_ = true; }
    ~ReplayScope() { edit_.replaying_ = false; }
    ReplayScope(const ReplayScope&) = delete;
    ReplayScope& operator=(const ReplayScope&) = delete;

private:
    SECEdit& edit_;
};

void SECEdit::BeginUndoGroup(int begin) {
    if (begin) {
        if (group_nesting_++ == 0) group_stamp_ = NextUndoGroupStamp();
    } else if (group_nesting_ > 0 && --group_nesting_ == 0) {
        group_stamp_ = 0;
    }
}

int SECEdit::AddUndoRecord(UndoRecord record) {
    record.group = group_stamp_;
    bool text_type = record.type == kUndoDeleteText || record.type == kUndoInsertText || record.type == kUndoInsertFile;
    if (text_type) {
        if (record.line == record.end_line && record.column == record.end_column) record.text.clear();
        if (record.line > record.end_line) {
            std::swap(record.line, record.end_line);
            std::swap(record.column, record.end_column);
        }
    }
    undo_.Add(std::move(record));
    return 1;
}

void SECEdit::ResetUndo() {
    if (!undo_.AtSaved()) unrecorded_changes_ = true;
    undo_.Reset();
}

bool SECEdit::ChainsWith(const UndoRecord& done, const UndoRecord& neighbour) {
    if (done.group != 0 && done.group == neighbour.group) return true;
    bool typing = done.type == kUndoInsertChar || done.type == kUndoDeleteChar || done.type == kUndoOverwriteChar;
    return typing && neighbour.type == done.type && neighbour.line == done.line;
}

void SECEdit::ReplayBackwards(const UndoRecord& record) {
    TextPosition start{GetLineByNumber(record.line), record.column};
    TextPosition end{GetLineByNumber(record.end_line), record.end_column};
    switch (record.type) {
        case kUndoInsertChar: DeleteChar(start, false); break;
        case kUndoDeleteChar: InsertChar(start, static_cast<char>(record.character), true, false); break;
        case kUndoDeleteText: {
            // The deleted bytes go back as they were, a CR or LF inside a line included.
            start.index = std::clamp(start.index, 0, static_cast<int>(TextOf(start.line).size()));
            TextPosition restored_end;
            InsertTextAt(start, record.text, &restored_end, SplitRule::kOwnLineEndOnly);
            NoteEdit(start.line, false);
            break;
        }
        case kUndoInsertText:
        case kUndoInsertFile: DeleteBlock(start, end, false); break;
        case kUndoSplitLine: JoinLines(start, false); break;
        case kUndoJoinLines:
            SplitLine(start, false);
            // The first line was a piece of a cut long line: it had no line end.
            if (record.line_end_changed) DropLineEnd(start.line);
            return;
        case kUndoOverwriteChar:
            if (record.lengthened)
                DeleteChar(start, false);
            else
                InsertChar(start, static_cast<char>(record.old_character), false, false);
            break;
        case kUndoDeleteColumnBlock:
        case kUndoInsertColumnBlock:
            ReplaceLines(record.line, static_cast<int>(record.lines_after.size()), record.lines_before);
            return;
        default: return;
    }
}

void SECEdit::ReplayForwards(const UndoRecord& record) {
    TextPosition start{GetLineByNumber(record.line), record.column};
    TextPosition end{GetLineByNumber(record.end_line), record.end_column};
    switch (record.type) {
        case kUndoInsertChar: InsertChar(start, static_cast<char>(record.character), true, false); break;
        case kUndoDeleteChar: DeleteChar(start, false); break;
        case kUndoDeleteText: DeleteBlock(start, end, false); break;
        case kUndoInsertText: InsertText(start, record.text, false); break;
        case kUndoInsertFile: InsertText(start, record.file_text, false); break;
        case kUndoSplitLine: SplitLine(start, false); break;
        case kUndoJoinLines: JoinLines(start, false); return;
        case kUndoOverwriteChar: InsertChar(start, static_cast<char>(record.character), false, false); break;
        case kUndoDeleteColumnBlock:
        case kUndoInsertColumnBlock:
            ReplaceLines(record.line, static_cast<int>(record.lines_before.size()), record.lines_after);
            return;
        default: return;
    }
}

int SECEdit::Undo() {
    if (read_only_ || undo_.position() == 0) return 0;
    ReplayScope replay(*this);
    for (;;) {
        const UndoRecord& done = undo_.at(undo_.position() - 1);
        ReplayBackwards(done);
        undo_.set_position(undo_.position() - 1);
        if (undo_.position() == 0 || !ChainsWith(done, undo_.at(undo_.position() - 1))) break;
    }
    return 1;
}

int SECEdit::Redo() {
    if (read_only_ || undo_.top() == 0 || undo_.position() + 1 > undo_.top()) return 0;
    ReplayScope replay(*this);
    for (;;) {
        const UndoRecord& done = undo_.at(undo_.position());
        ReplayForwards(done);
        undo_.set_position(undo_.position() + 1);
        if (undo_.position() >= undo_.top() || !ChainsWith(done, undo_.at(undo_.position()))) break;
    }
    return 1;
}

}  // namespace editor
