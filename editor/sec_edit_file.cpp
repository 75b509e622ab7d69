// SECEdit: reading, writing, inserting and renaming files.
#include <climits>
#include <cstdint>

#include "editor/sec_edit.h"
#include "platform/os/path.h"

namespace editor {
namespace {

// Line and column numbers are ints: no larger text can be edited.
constexpr std::uint64_t kLargestText = INT32_MAX;

constexpr char kEndOfFileMark = 0x1A;

// The system error of a failed file operation; failures that are not system errors
// read as "Can't read data."
int CodeOf(const os::Error& error) { return error.code != 0 ? error.code : kCannotRead; }

// Holds the file open for reading; 0 or the system error.
int HoldLock(std::optional<os::File>& lock, const std::filesystem::path& path) {
    auto file = os::File::open(path.string(), os::File::Mode::read);
    if (!file) return CodeOf(file.error());
    lock = std::move(file.value());
    return 0;
}

}  // namespace

int SECEdit::LoadText(std::string bytes) {
    read_warning_ = 0;
    // The history belongs to the text that is replaced.
    ResetUndo();
    unrecorded_changes_ = false;
    if (bytes.find('\0') != std::string::npos) {
        ReplaceAllLines({});
        return kNullsInFile;
    }
    // The end-of-file mark is dropped only as the text's very last byte.
    if (!bytes.empty() && bytes.back() == kEndOfFileMark) bytes.pop_back();
    if (!bytes.empty()) {
        int type = DetectLineEndType(bytes);
        SetLineEndType(type < 0 ? kLineEndCrLf : type);
    }
    bool cut = false;
    ReplaceAllLines(SplitIntoLines(bytes, lines_.line_end(), view_.tab_size, &cut));
    if (cut) read_warning_ = kLongLinesWrapped;
    return kOk;
}

int SECEdit::ReadFile(const std::filesystem::path& path) {
    lock_.reset();
    std::filesystem::path file = os::resolve_existing(path.string());
    auto bytes = os::read_text_file(file.string(), kLargestText);
    if (!bytes) return CodeOf(bytes.error());
    if (int code = LoadText(std::move(bytes.value()))) return code;
    if (os::file_info(file.string()).read_only) read_only_ = 1;
    if (lock_files_) HoldLock(lock_, file);
    return kOk;
}

int SECEdit::WriteFile(const std::filesystem::path& path) {
    std::filesystem::path file = os::resolve_for_create(path.string());
    os::FileInfo info = os::file_info(file.string());
    if (info.exists && info.read_only) return kReadOnly;
    lock_.reset();
    // The text goes to a temporary file renamed over the old one: a failed save
    // leaves the old file as it was.
    if (os::Status status = os::write_file(file.string(), GetAllText()); !status) return CodeOf(status.error());
    if (lock_files_) {
        if (int error = HoldLock(lock_, file)) return error;
    }
    SetModified(0);
    return kOk;
}

int SECEdit::InsertFile(TextPosition& position, const std::filesystem::path& path, bool record) {
    if (read_only_) return kReadOnly;
    SECEdit source(profile_);
    source.SetTabSize(view_.tab_size);
    if (int code = source.ReadFile(path)) return code;
    std::string text = editor::ConvertLineEnds(source.GetAllText(), lines_.line_end().type);
    if (text.empty()) return kOk;
    // The inserted lines end like every other line of the buffer.
    if (!EndsWithLineEnd(text)) text += lines_.line_end().chars;
    position.index = 0;
    TextPosition end;
    InsertTextAt(position, text, &end);
    NoteEdit(position.line, record);
    if (record) {
        UndoRecord entry = MakeUndoRecord(kUndoInsertFile, position.line->number, 0, end.line->number, 0);
        entry.text = path.string();
        entry.file_text = std::move(text);
        AddUndoRecord(std::move(entry));
    }
    return kOk;
}

int SECEdit::RenameFile(const std::filesystem::path& old_name, const std::filesystem::path& new_name) {
    if (old_name.lexically_normal() == new_name.lexically_normal()) return kOk;
    os::FileInfo target = os::file_info(new_name.string());
    if (target.exists && target.read_only) return kReadOnly;
    bool was_locked = lock_.has_value();
    lock_.reset();
    if (os::Status status = os::move_file(old_name.string(), new_name.string()); !status) {
        int code = status.error().code;
        if (was_locked) HoldLock(lock_, os::resolve_existing(old_name.string()));
        return code == ENOENT ? kCannotRead : code == EACCES ? kReadOnly : CodeOf(status.error());
    }
    if (was_locked) return HoldLock(lock_, os::resolve_existing(new_name.string()));
    return kOk;
}

}  // namespace editor
