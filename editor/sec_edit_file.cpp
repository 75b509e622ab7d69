// SECEdit: reading, writing, inserting and renaming files.
#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "editor/file_access.h"
#include "editor/sec_edit.h"

namespace editor {
namespace {

constexpr char kEndOfFileMark = 0x1A;

int OpenLock(const std::filesystem::path& path) { return ::open(path.c_str(), O_RDONLY | O_CLOEXEC); }

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
    ReplaceAllLines(SplitIntoLines(bytes, line_end_, tab_size_, &cut));
    if (cut) read_warning_ = kLongLinesWrapped;
    return kOk;
}

int SECEdit::ReadFile(const std::filesystem::path& path) {
    if (lock_fd_ >= 0) ::close(lock_fd_);
    lock_fd_ = -1;
    std::string bytes;
    if (int error = ReadWholeFile(path, bytes)) return error;
    if (int code = LoadText(std::move(bytes))) return code;
    if (IsReadOnlyFile(path)) read_only_ = 1;
    if (lock_files_) lock_fd_ = OpenLock(path);
    return kOk;
}

int SECEdit::WriteFile(const std::filesystem::path& path) {
    if (IsReadOnlyFile(path)) return kReadOnly;
    if (lock_fd_ >= 0) ::close(lock_fd_);
    lock_fd_ = -1;
    if (int error = WriteFileSafely(path, GetAllText())) return error;
    if (lock_files_) {
        lock_fd_ = OpenLock(path);
        if (lock_fd_ < 0) return errno;
    }
    SetModified(0);
    return kOk;
}

int SECEdit::InsertFile(TextPosition& position, const std::filesystem::path& path, bool record) {
    if (read_only_) return kReadOnly;
    SECEdit source(profile_);
    source.SetTabSize(tab_size_);
    if (int code = source.ReadFile(path)) return code;
    std::string text = editor::ConvertLineEnds(source.GetAllText(), line_end_.type);
    if (text.empty()) return kOk;
    // The inserted lines end like every other line of the buffer.
    if (!EndsWithLineEnd(text)) text += line_end_.chars;
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
    // Names that differ only in case are different files here, so only equal names do nothing.
    if (old_name.lexically_normal() == new_name.lexically_normal()) return kOk;
    if (IsReadOnlyFile(new_name)) return kReadOnly;
    bool was_locked = lock_fd_ >= 0;
    if (was_locked) ::close(lock_fd_);
    lock_fd_ = -1;
    if (::rename(old_name.c_str(), new_name.c_str()) != 0) {
        int error = errno == ENOENT ? kCannotRead : errno == EACCES ? kReadOnly : errno;
        if (was_locked) lock_fd_ = OpenLock(old_name);
        return error;
    }
    if (was_locked) {
        lock_fd_ = OpenLock(new_name);
        if (lock_fd_ < 0) return errno;
    }
    return kOk;
}

}  // namespace editor
