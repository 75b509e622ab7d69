#pragma once
// SECEditCore: the editor window's state and logic without the window. It holds the view
// (top line, left column, client size, font cells), the caret, the selection, and runs
// the movement, selection, typing and edit commands over an SECEdit. It reaches the
// window only through EditCoreWindow.
//
// Places are kept as line numbers, not line records, so a line that an edit frees can
// never be left behind in the view: a number is looked up when it is used.
#include <string>
#include <vector>

#include "editor/edit_core_window.h"
#include "editor/find_history.h"
#include "editor/sec_edit.h"

namespace editor {

enum SelectionMode : int { kStreamSelection = 1, kColumnSelection = 2 };

// A place in the view: 1-based line number and display column (tabs expanded).
struct CaretPlace {
    int line = 1;
    int column = 0;
    bool operator==(const CaretPlace&) const = default;
};

// Command ids of the editor's keys and menus.
enum EditCommand : int {
    kCmdDown = 45000,
    kCmdUp = 45001,
    kCmdLeft = 45002,
    kCmdRight = 45003,
    kCmdPageUp = 45004,
    kCmdPageDown = 45005,
    kCmdHome = 45006,
    kCmdEnd = 45007,
    kCmdTopOfFile = 45008,
    kCmdBottomOfFile = 45009,
    kCmdWordLeft = 45010,
    kCmdWordRight = 45011,
    kCmdSelectUp = 45013,
    kCmdSelectLeft = 45014,
    kCmdSelectDown = 45015,
    kCmdSelectEnd = 45016,
    kCmdSelectHome = 45017,
    kCmdSelectPageDown = 45018,
    kCmdSelectWordLeft = 45019,
    kCmdSelectPageUp = 45020,
    kCmdSelectRight = 45021,
    kCmdSelectWordRight = 45022,
    kCmdBackspace = 45023,
    kCmdTab = 45024,
    kCmdBackTab = 45025,
    kCmdFindNext = 45026,
    kCmdBookmarkToggle = 45027,
    kCmdBookmarkNext = 45028,
    kCmdBookmarkPrev = 45029,
    kCmdBookmarkClear = 45030,
    kCmdPageSetup = 45031,
    kCmdSelectBottomOfFile = 45032,
    kCmdSelectTopOfFile = 45033,
    kCmdSelectAll = 45034,
    kCmdBreakpointToggle = 45040,
    kCmdBreakpointClear = 45041,
    kCmdDelete = 57632,
    kCmdCopy = 57634,
    kCmdCut = 57635,
    kCmdFind = 57636,
    kCmdPaste = 57637,
    kCmdReplace = 57641,
    kCmdUndo = 57643,
    kCmdRedo = 57644,
    kCmdToggleInsert = 59140,
};

// One entry of the editor's key table.
struct EditKey {
    int key;  // virtual-key code
    bool shift;
    bool ctrl;
    bool alt;
    int command;
};

// The editor's keys (49 entries), in the order of its accelerator table.
const std::vector<EditKey>& EditorKeyTable();
// The command of a key, or 0.
int CommandForKey(int key, bool shift, bool ctrl, bool alt);

// Flags of the line marks ClearLineMarks removes.
enum LineMarkMask : int { kMarkBreakpoints = 1, kMarkBookmarks = 2, kMarkNavigation = 4, kMarkExecution = 8 };

class SECEditCore : private LineObserver {
public:
    // Without a profile of its own the core keeps its find settings in its buffer's.
    explicit SECEditCore(EditCoreWindow& window) : window_(window) {}
    SECEditCore(EditCoreWindow& window, ProfileAccess& profile) : window_(window), profile_(&profile) {}
    ~SECEditCore() override { Attach(nullptr); }
    SECEditCore(const SECEditCore&) = delete;
    SECEditCore& operator=(const SECEditCore&) = delete;

    // The buffer shown; null while there is none.
    virtual SECEdit* GetBuffer() { return edit_; }
    // Shows a buffer (or none); the view follows its lines through edits made anywhere.
    void Attach(SECEdit* edit);
    // The start state once a buffer is attached: caret and top on line 1, no selection.
    virtual int InitView();

    // Geometry: client size in pixels and the font's cells.
    void SetClientSize(int width, int height);
    void SetCellSize(int character_width, int line_height);
    int rows() const { return line_height_ > 0 ? client_height_ / line_height_ : 0; }
    int visible_columns() const;

    // State.
    CaretPlace caret() const { return caret_; }
    int top_line() const { return top_; }
    int left_column() const { return left_column_; }
    bool has_selection() const { return selecting_; }
    int selection_mode() const { return selection_mode_; }
    void set_selection_mode(int mode) { selection_mode_ = mode; }
    // The selection's ends in text order (stream) or its corners (column block).
    CaretPlace selection_start() const { return selection_start_; }
    CaretPlace selection_end() const { return selection_end_; }
    int redraw() const { return redraw_; }

    // Keys and commands; each returns 0 or a result code (already reported to the user).
    int OnKeyDown(int key, bool shift, bool ctrl, bool alt);
    int OnCommand(int command);
    // A typed character (WM_CHAR).
    virtual int ProcessChar(unsigned char character);
    // Whether a command can run now (the menus' and toolbars' enabled state).
    bool IsCommandEnabled(int command);

    // Error report: with `show`, the code's message goes to the window; returns the code.
    virtual int DoError(int code, bool show);
    virtual int DoError(int code, const std::string& argument, bool show);

    // Caret movement; with redraw the view follows and repaints.
    int CaretLeft(bool redraw);
    int CaretRight(bool redraw);
    int CaretUp(bool redraw);
    int CaretDown(bool redraw);
    int CaretHome(bool redraw);
    int CaretEnd(bool redraw);
    int CaretPageUp(bool redraw);
    int CaretPageDown(bool redraw);
    int CaretTopOfFile(bool redraw);
    int CaretBottomOfFile(bool redraw);
    int CaretWordLeft(bool redraw);
    int CaretWordRight(bool redraw);
    // The view alone; the caret stays.
    int SetTopLine(int line, bool redraw);
    int SetLeftColumn(int column, bool redraw);
    int ScrollLineUp(bool redraw);
    int ScrollLineDown(bool redraw);
    int ScrollPageUp(bool redraw);
    int ScrollPageDown(bool redraw);
    // The caret to a client point (a click or a drag); left of the text the view
    // scrolls one column left per call.
    int CaretFromPoint(int x, int y);
    // The line and display column under a client point, the column rounded to the
    // nearest cell boundary (not clamped to the line's text); the caret stays.
    CaretPlace PlaceFromPoint(int x, int y) const;
    void GoToLineColumn(int line, int index);
    void GoToLine(int line) { GoToLineColumn(line, 0); }
    // Keeps the caret on a character and the view around the caret; updates scroll bars.
    virtual void EnsureCaretVisible();
    // Column arithmetic on the caret line (tabs and double-byte characters are whole).
    int ClampColumn(int column) const;
    // The same on any line; `past_end` lets the column go beyond the line's text.
    int ClampColumnOn(int line, int column, bool past_end) const;
    int NextColumn(int column) const;
    int PrevColumn(int column) const;

    // Selection.
    void BeginSelection(int mode);
    void UpdateSelection();
    virtual int ClearSelection(bool redraw);
    void SelectAll(bool redraw);
    void SelectLine(bool redraw);
    void SelectRange(TextPosition position, int length, bool redraw);
    // The word around the caret: letters, digits and "_", as the language's word tables cut it.
    void SelectWord(bool redraw);
    // The text of a one-line selection, else the word at the caret; false when none.
    bool GetWordAtCaret(std::string& text);
    // Where the find settings and histories are kept.
    ProfileAccess& profile() const { return profile_ ? *profile_ : edit_ ? edit_->profile() : DefaultProfile(); }
    // The columns of a line that the selection covers (a column block's reach past the
    // line's end); false when it covers none.
    bool SelectedSpan(int line, int* from, int* to) const;
    // The selected text (a column block's rows separated by CR LF); empty when none.
    std::string GetSelectionText(bool* column_block = nullptr);
    // The selection as the clipboard and drags carry it: a column block behind its tag
    // and this buffer's line end. Empty when nothing is selected.
    std::string GetTransferText();
    // Whether a place lies on selected text (within the span SelectedSpan gives).
    bool IsPlaceInSelection(CaretPlace place) const;
    // Whether a drop of the selection at `target` lands on the selection itself and so
    // does nothing: a copy onto selected text, a move anywhere from its start to its end.
    bool IsDropOnSelection(CaretPlace target, bool copy) const;
    // Whether a client point lies on selected text; below the text or past the last
    // whole row nothing is selected.
    bool IsPointInSelection(int x, int y) const;
    // A mouse selection on one line that holds nothing (no columns, an empty line, or
    // beginning past the line's text) is no selection.
    void ClearEmptySelection();

    // Edits; each is one undo step.
    int InsertChar(unsigned char character, bool redraw, bool undo);
    int InsertString(std::string_view text, bool redraw, bool undo);
    virtual int NewLine(bool redraw, bool undo);
    int Tab(bool redraw, bool undo);
    int BackTab(bool redraw, bool undo);
    int DeleteSelection(bool redraw, bool undo);
    int DeleteChar(bool redraw, bool undo);
    int Backspace(bool redraw, bool undo);
    int Copy();
    int Cut(bool redraw, bool undo);
    int Paste(bool redraw, bool undo);
    // Drag and drop inside the view: the selection moves (or, with `copy`, is copied)
    // to `target`, as one undo step; a move onto the selection itself does nothing.
    int MoveSelection(CaretPlace target, bool copy, bool redraw);
    // Text dropped at `target` from another window, as one undo step of this buffer.
    // A move from an editor `source` (null when the text came from elsewhere) takes
    // the text away there too: within the same undo step when the two show one
    // buffer, as the source buffer's own step otherwise.
    int DropText(const std::string& text, CaretPlace target, SECEditCore* source, bool move, bool redraw);
    int Undo();
    int Redo();
    void ClearLineMarks(int mask);

    // Searching: the next match of the newest find text with the profile's options
    // (wrapping round when they say so), selected.
    int FindNext();
    // Bookmarks every line holding a match; the number of lines newly marked.
    int MarkAllMatches(SearchRequest request);
    // Replaces every match as one undo step; the number replaced.
    int ReplaceAll(SearchRequest request);

    // A request from the find or replace dialog.
    struct FindDialogRequest {
        enum Action { kFindNext, kReplace, kReplaceAll, kMarkAll, kClose };
        Action action = kFindNext;
        bool replace_dialog = false;
        std::string find_text;
        std::string replace_text;
        FindSettings settings;
    };
    // What the dialogs do next: kFound keeps the Replace dialog (the Find dialog
    // closes), kNotFound leaves them open with Replace disabled, kFinished and kDone close them.
    enum class FindReply { kFound, kNotFound, kFinished, kDone };
    // Runs a dialog's request: stores its options and histories, then finds, replaces
    // the current match and finds the next, replaces all (one undo step) or marks all.
    FindReply OnFindReplace(const FindDialogRequest& request);

private:
    // Lines came or went (by this view, another view of the buffer, or undo): the
    // places move with their lines; a place on a line that went keeps its number.
    void OnLinesChanged(int first, int removed, int inserted) override;
    // The text changed (here or in another view): caret and selection come back onto it.
    void OnTextChanged() override;
    void KeepPlacesInText();
    EditLine* LineAt(int number) const { return edit_->GetLineByNumber(number); }
    EditLine* CaretLine() const { return LineAt(caret_.line); }
    int LineCount() const { return edit_->GetLineCount(); }
    int TextColumns(const EditLine* line) const;
    // Whether the caret line can grow by `columns` at the caret and stay within the limit.
    bool CaretLineHasRoom(int columns) const;
    int CaretIndex() const;
    TextPosition CaretPosition() const { return {CaretLine(), CaretIndex()}; }
    TextPosition PositionOf(CaretPlace place) const;
    void SetCaretFromPosition(TextPosition position);
    void SetCaretPosition();
    void SetupScrollBars();
    void RepaintCaretRow();
    // After an edit on the caret row: the row (or the whole window, when colours may
    // change below it) repaints, the view follows the caret, the other views are told.
    void RowEdited(bool redraw, bool whole_window);
    // After an edit that may change lines: places checked against the text, scroll bars,
    // the whole window, the view around the caret, and the other views told.
    void TextEdited(bool redraw, ViewHint hint);
    void Notify(ViewHint hint);
    // After an edit that may have removed lines: caret, top and selection lie in the text.
    void ValidatePlaces();
    bool IsColouringCharacter(unsigned char character) const;
    bool IsWordByte(std::string_view text, int index) const;
    int AutoIndent();
    int IndentLines(bool outdent, bool redraw, bool undo);
    int ExtendSelection(int command, bool redraw);
    int MoveCaret(int command, bool redraw);
    int StepBookmark(bool forward);
    int ToggleLineFlag(uint32_t flag, int& count);
    void PlaceCaretAfterReplay(bool redo);
    // Clipboard or dropped text at the caret: a tagged column block, lines, or a string.
    int InsertTransferText(const std::string& text, bool undo);
    // The width rule for such a text put in place of the text from `from` to `to`.
    int CheckTransferWidth(std::string_view text, TextPosition from, TextPosition to) const;
    // Searches from the caret, or past the selection, and selects the match; round
    // from the other end of the text when `wrap` says so.
    bool SearchAndSelect(SearchRequest& request, bool wrap);
    FindReply FindFromDialog(SearchRequest& request, bool wrap);

    EditCoreWindow& window_;
    ProfileAccess* profile_ = nullptr;
    SECEdit* edit_ = nullptr;
    CaretPlace caret_;
    int top_ = 1;
    int left_column_ = 0;
    int client_width_ = 0;
    int client_height_ = 0;
    int char_width_ = 0;
    int line_height_ = 15;
    int gutter_width_ = 0;
    bool redraw_ = false;

    int selection_mode_ = kStreamSelection;
    bool selecting_ = false;
    CaretPlace anchor_;
    CaretPlace selection_start_;
    CaretPlace selection_end_;
    // The first byte of a double-byte character typed, waiting for its second.
    int pending_lead_ = -1;

    // A dialog's search pass: where its first match was, and the text and
    // replacement of the match last selected.
    bool search_pass_ = false;
    CaretPlace pass_start_;
    std::string match_text_;
    std::string match_replacement_;
};

}  // namespace editor
