#pragma once
// The undo history of one buffer: a bounded array of records with a position (records
// that can be undone) and a top (records that can be redone up to).
#include <cstdint>
#include <string>
#include <vector>

namespace editor {

enum UndoType : int {
    kUndoNone = 0,
    kUndoInsertChar = 1,
    kUndoDeleteChar = 2,
    kUndoDeleteText = 3,
    kUndoInsertText = 4,
    kUndoSplitLine = 6,
    kUndoJoinLines = 7,
    kUndoOverwriteChar = 8,
    kUndoDeleteColumnBlock = 9,
    kUndoInsertColumnBlock = 10,
    kUndoInsertFile = 11,
};

struct UndoRecord {
    int type = kUndoNone;
    int line = 0;    // 1-based start line
    int column = 0;  // byte index on the start line
    int end_line = 0;
    int end_column = 0;
    unsigned char character = 0;
    unsigned char old_character = 0;
    uint32_t group = 0;  // stamp of the undo group, 0 outside a group
    std::string text;    // text types: the text; insert file: the file name
    // Insert file: the bytes inserted, so that redo does not depend on the file on disk.
    std::string file_text;
    // Join: the first line had no line end to drop (a piece of a cut long line).
    bool line_end_changed = false;
    // Overwrite: the byte was written past the end of the text and lengthened the line
    // (the old character alone cannot tell, as a line may hold that byte).
    bool lengthened = false;
    // Column blocks: the touched lines as they were before and after, from `line` on.
    std::vector<std::string> lines_before;
    std::vector<std::string> lines_after;
};

inline UndoRecord MakeUndoRecord(int type, int line, int column, int end_line = 0, int end_column = 0) {
    UndoRecord record;
    record.type = type;
    record.line = line;
    record.column = column;
    record.end_line = end_line;
    record.end_column = end_column;
    return record;
}

class UndoLog {
public:
    static constexpr int kCapacity = 2048;
    static constexpr int kTrimCount = 512;

    UndoLog();

    // Appends a record after the position, dropping the redo branch; when the log is
    // full the oldest kTrimCount records go first.
    void Add(UndoRecord record);
    void Reset();

    int position() const { return position_; }
    int top() const { return top_; }
    const UndoRecord& at(int index) const { return records_[static_cast<size_t>(index)]; }
    void set_position(int position) { position_ = position; }

    // The save marker: the position at which the text equals the file last written.
    void MarkSaved() { saved_position_ = position_; }
    void ForgetSaved() { saved_position_ = -1; }
    bool AtSaved() const { return saved_position_ == position_; }

private:
    std::vector<UndoRecord> records_;
    int position_ = 0;
    int top_ = 0;
    int saved_position_ = 0;
};

// A new group stamp, unique in the process and never 0.
uint32_t NextUndoGroupStamp();

}  // namespace editor
