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
    first_line_ = AllocLine();
    line_count_ = 1;
    read_only_ = 0;
    unrecorded_changes_ = false;
    settings_section_.clear();
    LoadSettings();
}

void SECEdit::FreeAll() {
    FreeLines(first_line_);
    first_line_ = nullptr;
    line_count_ = 0;
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
    word_wrap_ = profile_.GetProfileInt(section, "Word wrap", 0);
    SetTabSize(profile_.GetProfileInt(section, "Tab size", 3));
    keep_tabs_ = profile_.GetProfileInt(section, "Keep tabs", 1);
    show_tabs_ = profile_.GetProfileInt(section, "Show tabs", 0);
    insert_mode_ = profile_.GetProfileInt(section, "Insert", 1);
    lock_files_ = profile_.GetProfileInt(section, "Lock files", 0);
    font_name_ = profile_.GetProfileString(section, "Font name", "Courier New");
    font_size_ = profile_.GetProfileInt(section, "Font size", 9);
    font_weight_ = profile_.GetProfileInt(section, "Font weight", 400);
    font_italic_ = profile_.GetProfileInt(section, "Font Italic", 0);
    char_set_ = profile_.GetProfileInt(section, "CharSet", 0);
    // The configured line end applies to an empty buffer only: the lines of a loaded
    // text already carry the line end they were read with.
    if (first_line_ && !first_line_->next && first_line_->text.empty())
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
    int line = first_changed ? first_changed->number : 1;
    comment_cache_lines_ = std::min(comment_cache_lines_, line);
}

EditLine* SECEdit::AllocLine(std::string text) {
    auto* line = new EditLine;
    line->text = std::move(text);
    return line;
}

void SECEdit::FreeLines(EditLine* first) {
    while (first) {
        EditLine* next = first->next;
        delete first;
        first = next;
    }
}

void SECEdit::InsertLineAfter(EditLine* anchor, EditLine* line) {
    line->prev = anchor;
    line->next = anchor->next;
    if (anchor->next) anchor->next->prev = line;
    anchor->next = line;
}

void SECEdit::InsertLineBefore(EditLine* anchor, EditLine* line) {
    line->next = anchor;
    line->prev = anchor->prev;
    if (anchor->prev)
        anchor->prev->next = line;
    else
        first_line_ = line;
    anchor->prev = line;
}

void SECEdit::UnlinkLine(EditLine* line) {
    if (line->prev)
        line->prev->next = line->next;
    else
        first_line_ = line->next;
    if (line->next) line->next->prev = line->prev;
    line->next = line->prev = nullptr;
}

void SECEdit::ReplaceAllLines(const std::vector<std::string>& lines) {
    FreeLines(first_line_);
    first_line_ = nullptr;
    if (lines.empty()) {
        first_line_ = AllocLine();
    } else {
        LinkLinesAfter(nullptr, lines);
    }
    RenumberLines();
    comment_cache_lines_ = 0;
}

EditLine* SECEdit::LinkLinesAfter(EditLine* anchor, const std::vector<std::string>& lines) {
    for (const std::string& text : lines) {
        EditLine* line = AllocLine(text);
        if (anchor)
            InsertLineAfter(anchor, line);
        else if (first_line_)
            InsertLineBefore(first_line_, line);
        else
            first_line_ = line;
        anchor = line;
    }
    return anchor;
}

int SECEdit::RenumberLines(EditLine* from) {
    EditLine* line = from ? from : first_line_;
    int number = line && line->prev ? line->prev->number + 1 : 1;
    for (; line; line = line->next) line->number = number++;
    line_count_ = number - 1;
    return line_count_;
}

EditLine* SECEdit::GetFirstLine(const EditLine* any, int* number) const {
    if (number) {
        int place = 1;
        for (const EditLine* line = any; line && line->prev; line = line->prev) ++place;
        *number = place;
    }
    return first_line_;
}

EditLine* SECEdit::GetLastLine() const {
    EditLine* line = first_line_;
    while (line && line->next) line = line->next;
    return line;
}

EditLine* SECEdit::GetLineByNumber(int number) const {
    EditLine* line = first_line_;
    while (line && line->next && line->number < number) line = line->next;
    return line;
}

void SECEdit::SetLineEndType(int type) {
    if (type >= kLineEndCrLf && type <= kLineEndCr)
        line_end_ = LineEndOfType(type);
    else
        line_end_.type = type;
}

bool SECEdit::HasLineEnd(const EditLine* line) const { return EndsWithLineEnd(line->text); }

std::string_view SECEdit::TextOf(const EditLine* line) const {
    std::string_view text = line->text;
    return HasLineEnd(line) ? text.substr(0, text.size() - line_end_.chars.size()) : text;
}

std::string SECEdit::GetAllText() const {
    std::string all;
    size_t total = 0;
    for (const EditLine* line = first_line_; line; line = line->next) total += line->text.size();
    all.reserve(total);
    for (const EditLine* line = first_line_; line; line = line->next) all += line->text;
    return all;
}

int SECEdit::ColumnToIndex(const EditLine* line, int column) const {
    return editor::ColumnToIndex(TextOf(line), column, tab_size_);
}

int SECEdit::IndexToColumn(const EditLine* line, int index) const {
    return editor::IndexToColumn(TextOf(line), index, tab_size_);
}

int SECEdit::TextWidth(const EditLine* line) const {
    std::string_view text = TextOf(line);
    return editor::IndexToColumn(text, static_cast<int>(text.size()), tab_size_);
}

bool SECEdit::IsBefore(const TextPosition& first, const TextPosition& second) {
    if (first.line == second.line) return first.index <= second.index;
    return first.line->number < second.line->number;
}

}  // namespace editor
