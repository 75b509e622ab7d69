// SECEditCore: the editor's keys and commands, typed characters, undo and redo,
// bookmarks and breakpoints, and which commands are enabled.
#include <algorithm>

#include "editor/code_page.h"
#include "editor/find_history.h"
#include "editor/sec_edit_core.h"
#include "platform/user/keys.h"

namespace editor {

const std::vector<EditKey>& EditorKeyTable() {
    static const std::vector<EditKey> table = {
        {VK_DOWN, false, false, false, kCmdDown},
        {VK_UP, false, false, false, kCmdUp},
        {VK_LEFT, false, false, false, kCmdLeft},
        {VK_RIGHT, false, false, false, kCmdRight},
        {VK_PRIOR, false, false, false, kCmdPageUp},
        {VK_NEXT, false, false, false, kCmdPageDown},
        {VK_HOME, false, false, false, kCmdHome},
        {VK_END, false, false, false, kCmdEnd},
        {VK_HOME, false, true, false, kCmdTopOfFile},
        {VK_END, false, true, false, kCmdBottomOfFile},
        {VK_LEFT, false, true, false, kCmdWordLeft},
        {VK_RIGHT, false, true, false, kCmdWordRight},
        {VK_UP, true, false, false, kCmdSelectUp},
        {VK_LEFT, true, false, false, kCmdSelectLeft},
        {VK_DOWN, true, false, false, kCmdSelectDown},
        {VK_END, true, false, false, kCmdSelectEnd},
        {VK_HOME, true, false, false, kCmdSelectHome},
        {VK_NEXT, true, false, false, kCmdSelectPageDown},
        {VK_LEFT, true, true, false, kCmdSelectWordLeft},
        {VK_PRIOR, true, false, false, kCmdSelectPageUp},
        {VK_RIGHT, true, false, false, kCmdSelectRight},
        {VK_RIGHT, true, true, false, kCmdSelectWordRight},
        {VK_BACK, false, false, false, kCmdBackspace},
        {VK_BACK, true, false, false, kCmdBackspace},
        {VK_TAB, false, false, false, kCmdTab},
        {VK_TAB, true, false, false, kCmdBackTab},
        {VK_F3, false, false, false, kCmdFindNext},
        {VK_F2, false, true, false, kCmdBookmarkToggle},
        {VK_F2, false, false, false, kCmdBookmarkNext},
        {VK_F2, true, false, false, kCmdBookmarkPrev},
        {VK_F2, true, true, false, kCmdBookmarkClear},
        {VK_END, true, true, false, kCmdSelectBottomOfFile},
        {VK_HOME, true, true, false, kCmdSelectTopOfFile},
        {'A', false, true, false, kCmdSelectAll},
        {VK_F9, false, false, false, kCmdBreakpointToggle},
        {VK_F9, true, true, false, kCmdBreakpointClear},
        {VK_DELETE, false, false, false, kCmdDelete},
        {'C', false, true, false, kCmdCopy},
        {VK_INSERT, false, true, false, kCmdCopy},
        {'X', false, true, false, kCmdCut},
        {VK_DELETE, true, false, false, kCmdCut},
        {'F', false, true, false, kCmdFind},
        {'V', false, true, false, kCmdPaste},
        {VK_INSERT, true, false, false, kCmdPaste},
        {'H', false, true, false, kCmdReplace},
        {'Z', false, true, false, kCmdUndo},
        {VK_BACK, false, false, true, kCmdUndo},
        {'Z', true, true, false, kCmdRedo},
        {VK_INSERT, false, false, false, kCmdToggleInsert},
        // The Edit menu shows Redo on Ctrl+Y.
        {'Y', false, true, false, kCmdRedo},
    };
    return table;
}

int CommandForKey(int key, bool shift, bool ctrl, bool alt) {
    for (const EditKey& entry : EditorKeyTable())
        if (entry.key == key && entry.shift == shift && entry.ctrl == ctrl && entry.alt == alt) return entry.command;
    return 0;
}

int SECEditCore::OnKeyDown(int key, bool shift, bool ctrl, bool alt) {
    int command = CommandForKey(key, shift, ctrl, alt);
    return command ? OnCommand(command) : 0;
}

int SECEditCore::MoveCaret(int command, bool redraw) {
    switch (command) {
        case kCmdDown:
        case kCmdSelectDown: return CaretDown(redraw);
        case kCmdUp:
        case kCmdSelectUp: return CaretUp(redraw);
        case kCmdLeft:
        case kCmdSelectLeft: return CaretLeft(redraw);
        case kCmdRight:
        case kCmdSelectRight: return CaretRight(redraw);
        case kCmdPageUp:
        case kCmdSelectPageUp: return CaretPageUp(redraw);
        case kCmdPageDown:
        case kCmdSelectPageDown: return CaretPageDown(redraw);
        case kCmdHome:
        case kCmdSelectHome: return CaretHome(redraw);
        case kCmdEnd:
        case kCmdSelectEnd: return CaretEnd(redraw);
        case kCmdTopOfFile:
        case kCmdSelectTopOfFile: return CaretTopOfFile(redraw);
        case kCmdBottomOfFile:
        case kCmdSelectBottomOfFile: return CaretBottomOfFile(redraw);
        case kCmdWordLeft:
        case kCmdSelectWordLeft: return CaretWordLeft(redraw);
        case kCmdWordRight:
        case kCmdSelectWordRight: return CaretWordRight(redraw);
        default: return 0;
    }
}

int SECEditCore::OnCommand(int command) {
    if (!edit_) return 0;
    bool read_only = edit_->GetReadOnly();
    int code = 0;
    switch (command) {
        case kCmdDown:
        case kCmdUp:
        case kCmdLeft:
        case kCmdRight:
        case kCmdPageUp:
        case kCmdPageDown:
        case kCmdHome:
        case kCmdEnd:
        case kCmdTopOfFile:
        case kCmdBottomOfFile:
        case kCmdWordLeft:
        case kCmdWordRight:
            // Movement starts from the caret, not from an edge of the selection.
            if (selecting_) ClearSelection(redraw_);
            code = MoveCaret(command, redraw_);
            break;
        case kCmdSelectUp:
        case kCmdSelectLeft:
        case kCmdSelectDown:
        case kCmdSelectEnd:
        case kCmdSelectHome:
        case kCmdSelectPageDown:
        case kCmdSelectWordLeft:
        case kCmdSelectPageUp:
        case kCmdSelectRight:
        case kCmdSelectWordRight:
        case kCmdSelectBottomOfFile:
        case kCmdSelectTopOfFile: code = ExtendSelection(command, redraw_); break;
        case kCmdSelectAll: SelectAll(redraw_); break;
        case kCmdBackspace:
            if (!read_only) code = Backspace(redraw_, true);
            break;
        case kCmdTab:
            if (!read_only) code = Tab(redraw_, true);
            break;
        case kCmdBackTab: code = BackTab(redraw_, true); break;
        case kCmdDelete:
            if (!read_only) code = DeleteChar(redraw_, true);
            break;
        case kCmdCopy:
            if (selecting_) code = Copy();
            break;
        case kCmdCut:
            if (selecting_) code = Cut(redraw_, true);
            break;
        case kCmdPaste:
            if (!read_only) code = Paste(redraw_, true);
            break;
        case kCmdUndo: code = Undo(); break;
        case kCmdRedo: code = Redo(); break;
        case kCmdToggleInsert: edit_->SetInsertMode(!edit_->GetInsertMode()); break;
        case kCmdBookmarkToggle: code = ToggleLineFlag(kLineBookmark, edit_->bookmark_count); break;
        case kCmdBookmarkNext: code = StepBookmark(true); break;
        case kCmdBookmarkPrev: code = StepBookmark(false); break;
        case kCmdBookmarkClear: ClearLineMarks(kMarkBookmarks); break;
        case kCmdBreakpointToggle: code = ToggleLineFlag(kLineBreakpoint, edit_->breakpoint_count); break;
        case kCmdBreakpointClear: ClearLineMarks(kMarkBreakpoints); break;
        case kCmdFindNext: return FindNext();  // reports with the find text itself
        case kCmdFind:
        case kCmdReplace:
        case kCmdPageSetup: window_.OpenDialog(command); break;
        default: return 0;
    }
    return DoError(code, redraw_);
}

int SECEditCore::ProcessChar(unsigned char character) {
    if (!edit_ || window_.IsPrimaryButtonDown() || edit_->GetReadOnly()) return 0;
    if (character == '\r') {
        UndoGroup group(*edit_);
        // Enter over a selection: the selected text goes to the clipboard first.
        if (selecting_) Cut(false, true);
        return DoError(NewLine(redraw_, true), redraw_);
    }
    if (character == 27) {
        if (selecting_) ClearSelection(redraw_);
        return 0;
    }
    if (character < 0x20 || character == 0x7F) return 0;
    // A double-byte character arrives as two characters and goes in whole.
    if (pending_lead_ >= 0) {
        std::string both{static_cast<char>(pending_lead_), static_cast<char>(character)};
        pending_lead_ = -1;
        return DoError(InsertString(both, redraw_, true), redraw_);
    }
    if (IsLeadByte(edit_->code_page(), character)) {
        pending_lead_ = character;
        return 0;
    }
    return DoError(InsertChar(character, redraw_, true), redraw_);
}

int SECEditCore::ToggleLineFlag(uint32_t flag, int& count) {
    EditLine* line = CaretLine();
    line->flags ^= flag;
    count += line->flags & flag ? 1 : -1;
    RepaintCaretRow();
    Notify(kHintRepaint);
    return 0;
}

int SECEditCore::StepBookmark(bool forward) {
    if (edit_->bookmark_count <= 0) return 0;
    EditLine* start = CaretLine();
    EditLine* line = start;
    // From the line after (before) the caret line round to the caret line itself.
    do {
        line = forward ? (line->next ? line->next : edit_->GetFirstLine())
                       : (line->prev ? line->prev : edit_->GetLastLine());
    } while (line != start && !(line->flags & kLineBookmark));
    if (!(line->flags & kLineBookmark)) return 0;
    caret_ = {line->number, 0};
    int height = rows();
    if (caret_.line < top_ || caret_.line >= top_ + height) {
        // The line comes into the upper half of the window.
        top_ = std::max(1, caret_.line - height / 2);
        window_.InvalidateAll();
    }
    EnsureCaretVisible();
    return 0;
}

bool SECEditCore::IsCommandEnabled(int command) {
    if (!edit_) return false;
    bool read_only = edit_->GetReadOnly();
    const UndoLog& log = edit_->GetUndoLog();
    switch (command) {
        case kCmdCopy: return selecting_;
        case kCmdCut: return selecting_ && !read_only;
        case kCmdPaste: {
            std::string text;
            return !read_only && window_.GetClipboardText(text);
        }
        case kCmdUndo: return log.position() > 0;
        case kCmdRedo: return log.top() > log.position();
        case kCmdBookmarkNext:
        case kCmdBookmarkPrev:
        case kCmdBookmarkClear: return edit_->bookmark_count > 0;
        case kCmdBreakpointClear: return edit_->breakpoint_count > 0;
        case kCmdFindNext: {
            std::vector<std::string> history = LoadFindHistory(profile(), FindHistory::kFind);
            return !history.empty() && !history.front().empty();
        }
        default: return true;
    }
}

}  // namespace editor
