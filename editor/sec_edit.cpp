// SECEdit: construction, settings, and the line list.
#include "editor/sec_edit.h"

#include <algorithm>

namespace editor {

SECEdit::SECEdit(ProfileAccess& profile) : profile_(profile) {
    Init();
    pad_with_spaces_ = false;
}

SECEdit::~SECEdit() { FreeAll(); }

void SECEdit::Init() {
    FreeAll();
    lines_.Assign({});
    read_only_ = 0;
    unrecorded_changes_ = false;
    settings_section_.clear();
    LoadSettings();
}

void SECEdit::FreeAll() {
    lines_.Clear();
    lock_.reset();
    ResetUndo();
    unrecorded_changes_ = false;
    keyword_table_.clear();
    comment_cache_.clear();
    comment_cache_lines_ = 0;
}

void SECEdit::LoadSettings() {
    LoadLanguageSettings();
    const std::string& section = settings_section_;
    view_.Load(profile_, section);
    lock_files_ = profile_.GetProfileInt(section, "Lock files", 0);
    // The configured line end applies to an empty buffer only: the lines of a loaded
    // text already carry the line end they were read with.
    EditLine* first = lines_.first();
    if (first && !first->next && first->text.empty())
        SetLineEndType(profile_.GetProfileInt(section, "Line end type", 0));
}

int SECEdit::GetModified() const { return unrecorded_changes_ || !undo_.AtSaved() ? 1 : 0; }

void SECEdit::SetModified(int modified) {
    unrecorded_changes_ = modified != 0;
    if (!modified) undo_.MarkSaved();
}

void SECEdit::SetLockFiles(int lock) {
    lock_files_ = lock;
    if (!lock) lock_.reset();
}

void SECEdit::NoteEdit(const EditLine* first_changed, bool recorded) {
    if (!recorded && !replaying_) unrecorded_changes_ = true;
    int line = first_changed ? static_cast<int>(first_changed->number) : 1;
    comment_cache_lines_ = std::min(comment_cache_lines_, line);
    lines_.TellTextChanged();
}

void SECEdit::ReplaceAllLines(const std::vector<std::string>& lines) {
    lines_.Assign(lines);
    comment_cache_lines_ = 0;
    lines_.TellTextChanged();
}

int SECEdit::RenumberLines(EditLine*) { return lines_.count(); }

EditLine* SECEdit::GetFirstLine(const EditLine* any, int* number) const {
    if (number) *number = any ? static_cast<int>(any->number) : 1;
    return lines_.first();
}

EditLine* SECEdit::GetLastLine() const { return lines_.last(); }

void SECEdit::SetLineEndType(int type) {
    if (type >= kLineEndCrLf && type <= kLineEndCr)
        lines_.set_line_end(LineEndOfType(type));
    else
        lines_.set_line_end_type(type);
}

std::string SECEdit::GetAllText() const {
    std::string all;
    size_t total = 0;
    for (const EditLine* line = lines_.first(); line; line = line->next) total += line->text.size();
    all.reserve(total);
    for (const EditLine* line = lines_.first(); line; line = line->next) all += line->text;
    return all;
}

int SECEdit::ColumnToIndex(const EditLine* line, int column) const {
    return editor::ColumnToIndex(TextOf(line), column, view_.tab_size);
}

int SECEdit::IndexToColumn(const EditLine* line, int index) const {
    return editor::IndexToColumn(TextOf(line), index, view_.tab_size);
}

int SECEdit::TextWidth(const EditLine* line) const {
    std::string_view text = TextOf(line);
    return editor::IndexToColumn(text, static_cast<int>(text.size()), view_.tab_size);
}

bool SECEdit::IsBefore(const TextPosition& first, const TextPosition& second) {
    if (first.line == second.line) return first.index <= second.index;
    return static_cast<int>(first.line->number) < static_cast<int>(second.line->number);
}

}  // namespace editor
