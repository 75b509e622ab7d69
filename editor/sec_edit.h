#pragma once
// SECEdit: the editor's document. Over the lines and their index (LineBuffer) it holds
// the file reader and writer, the edit primitives with their undo history, searching,
// and the language settings used for colouring; the settings of how it is shown
// (EditViewSettings) come from the same profile section. It knows nothing of windows.
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "editor/edit_line.h"
#include "editor/line_buffer.h"
#include "editor/line_text.h"
#include "editor/profile_access.h"
#include "editor/result_codes.h"
#include "editor/undo_log.h"
#include "editor/view_settings.h"
#include "platform/os/file.h"
#include "platform/profile/ini.h"

namespace editor {

using COLORREF = uint32_t;
constexpr COLORREF RGB(int r, int g, int b) {
    return static_cast<COLORREF>(r & 0xFF) | static_cast<COLORREF>(g & 0xFF) << 8 |
           static_cast<COLORREF>(b & 0xFF) << 16;
}

struct OEExtraCommentType {
    std::string start;
    std::string end;
};

// Comment types: 1 and 2 for the two delimiter pairs, 3 + index for an extra type.
enum : int { kCommentPair1 = 1, kCommentPair2 = 2, kCommentExtraBase = 3 };

// A search of the buffer: flags, the match length found, and the texts.
struct SearchRequest {
    static constexpr uint32_t kMatchCase = 4;
    static constexpr uint32_t kForward = 8;
    static constexpr uint32_t kRegularExpression = 64;
    uint32_t flags = kForward;
    int match_length = 0;
    std::string find_text;
    std::string replace_text;  // the replace template; left as given
    std::string replacement;   // after a regular-expression match: the template expanded
    int error = 0;             // after a failed search: why it could not run (FindError)
};

enum FindError : int { kFindNoError = 0, kFindBadPattern = 1, kFindTooComplex = 2 };

class SECEdit {
public:
    explicit SECEdit(ProfileAccess& profile = DefaultProfile());
    virtual ~SECEdit();
    SECEdit(const SECEdit&) = delete;
    SECEdit& operator=(const SECEdit&) = delete;

    // Buffer-wide properties.
    virtual int GetModified() const;
    virtual void SetModified(int modified);
    virtual void SetLockFiles(int lock);
    virtual int GetLockFiles() const { return lock_files_; }
    // The profile the buffer's settings come from.
    ProfileAccess& profile() const { return profile_; }
    virtual void SetReadOnly(int read_only) { read_only_ = read_only; }
    virtual int GetReadOnly() const { return read_only_; }
    virtual void SetWordWrap(int wrap) { view_.word_wrap = wrap; }
    virtual int GetWordWrap() const { return view_.word_wrap; }
    virtual void SetInsertMode(int insert) { view_.insert_mode = insert; }
    virtual int GetInsertMode() const { return view_.insert_mode; }
    virtual void SetTabSize(int size) { view_.SetTabSize(size); }
    virtual int GetTabSize() const { return view_.tab_size; }

    // Language settings and colouring.
    virtual int FindCommentStart(std::string_view text, int* comment_type);
    virtual int FindCommentEnd(std::string_view text, int comment_type);
    virtual int FindNextKeyword(std::string_view text, int* from, int* start, int* end);
    virtual int LoadKeywords();
    virtual int IsInsideComment(const EditLine* line, std::string_view start, std::string_view end,
                                std::string_view line_comment_start = {});
    virtual int GetCommentStateAtLine(const EditLine* line, int* comment_type);
    virtual void LoadLanguageSettings();

    void Init();
    void FreeAll();
    void SetSettingsSection(std::string_view section) { settings_section_ = section; }
    const std::string& GetSettingsSection() const { return settings_section_; }
    void LoadSettings();

    // Files. Failures give a result code or a system error number.
    int ReadFile(const std::filesystem::path& path);
    // Replaces the text with the bytes of a file image, as ReadFile does after reading.
    int LoadText(std::string bytes);
    int WriteFile(const std::filesystem::path& path);
    int InsertFile(TextPosition& position, const std::filesystem::path& path, bool record);
    int RenameFile(const std::filesystem::path& old_name, const std::filesystem::path& new_name);
    // 22610 when the last read cut lines longer than the limit, else 0.
    int GetReadWarning() const { return read_warning_; }
    // The same, once: the first view to show the text tells the user.
    int TakeReadWarning() { return std::exchange(read_warning_, 0); }

    // Edit primitives; each returns 0 or a result code.
    int InsertChar(TextPosition position, char byte, bool insert, bool record);
    int InsertString(TextPosition position, std::string_view text, bool insert, bool record);
    int DeleteChar(TextPosition position, bool record);
    int DeleteChars(TextPosition position, int count, bool record);
    int SplitLine(TextPosition position, bool record);
    int JoinLines(TextPosition position, bool record);
    int PadToColumn(TextPosition& position, bool record);
    int DeleteBlock(TextPosition start, TextPosition end, bool record);
    int DeleteColumnBlock(TextPosition corner1, TextPosition corner2, bool record);
    // `end`, when given, receives the position just after the inserted text.
    int InsertText(TextPosition position, std::string_view text, bool record, int* converted_length = nullptr,
                   TextPosition* end = nullptr);
    int InsertColumnBlock(TextPosition position, std::string_view text, bool record);
    // The width rule every insertion keeps: kLineTooLong when `text`, put in place of
    // the text from `from` to `to` (in that order), would leave a line wider than a line
    // holds (its line end counted), else kOk. Text with line ends is laid out in lines
    // as InsertText lays it out; past the end of its text a line is padded out to
    // `from`. Nothing changes.
    int CheckReplaceWidth(TextPosition from, TextPosition to, std::string_view text) const;
    int CheckInsertWidth(TextPosition position, std::string_view text) const {
        return CheckReplaceWidth(position, position, text);
    }
    // The same for a column block's rows inserted at `position`.
    int CheckColumnBlockWidth(TextPosition position, std::string_view text) const;
    std::string GetBlockText(TextPosition start, TextPosition end) const;
    std::string GetColumnBlockText(TextPosition corner1, TextPosition corner2) const;

    // Columns and lines.
    std::string ExpandTabs(std::string_view text) const {
        return editor::ExpandTabs(text, view_.tab_size, LineEndLength());
    }
    int ColumnToIndex(const EditLine* line, int column) const;
    int IndexToColumn(const EditLine* line, int index) const;
    static bool IsBefore(const TextPosition& first, const TextPosition& second);
    EditLine* GetFirstLine(const EditLine* any = nullptr, int* number = nullptr) const;
    EditLine* GetLastLine() const;
    // In O(log n): lines are found through the line index.
    EditLine* GetLineByNumber(int number) const { return lines_.at(number); }
    int GetLineCount() const { return lines_.count(); }
    // Line numbers are always current (they are read from the index); gives the count.
    int RenumberLines(EditLine* from = nullptr);
    void SetLineEndType(int type);
    int GetLineEndType() const { return lines_.line_end().type; }
    const std::string& GetLineEndChars() const { return lines_.line_end().chars; }
    int LineEndLength() const { return lines_.line_end_length(); }
    // The widest text a line holds: its line end counts towards the column limit, as
    // when a file's long lines are split.
    int MaxTextColumns() const { return kMaxLineColumns - LineEndLength(); }
    // True when the line's bytes end with the buffer's line end.
    bool HasLineEnd(const EditLine* line) const { return lines_.HasLineEnd(line); }
    // The line's bytes without its line end.
    std::string_view TextOf(const EditLine* line) const { return lines_.TextOf(line); }
    const LineBuffer& lines() const { return lines_; }
    // Views that keep places by line number follow the lines through every edit.
    void AddLineObserver(LineObserver* observer) { lines_.AddObserver(observer); }
    void RemoveLineObserver(LineObserver* observer) { lines_.RemoveObserver(observer); }
    // All lines joined, as they would be written.
    std::string GetAllText() const;

    // Undo and redo.
    int AddUndoRecord(UndoRecord record);
    int Undo();
    int Redo();
    void BeginUndoGroup(int begin);
    void ResetUndo();
    const UndoLog& GetUndoLog() const { return undo_; }

    // Search.
    int FindText(TextPosition& start, TextPosition end, SearchRequest& request);
    // Replaces every match from the start of the text, all of them one undo step;
    // returns how many were replaced.
    int ReplaceAll(SearchRequest& request);

    // Language details.
    int AddExtraCommentType(std::string_view start, std::string_view end);
    bool IsWordChar(unsigned char byte) const;
    // The language's "Terminator chars" (a word ends after one) and "Start chars" (a
    // word ends before one).
    bool IsTerminatorChar(unsigned char byte) const { return terminator_chars_[byte]; }
    bool IsStartChar(unsigned char byte) const { return start_chars_[byte]; }
    static bool IsInQuotes(std::string_view text, int position);
    COLORREF GetColourByName(std::string_view keyword);
    static COLORREF ParseColour(std::string_view text);
    int GetCommentContinues() const { return comment_continues_; }

    // Settings the window layer reads.
    const EditViewSettings& view_settings() const { return view_; }
    int keep_tabs() const { return view_.keep_tabs; }
    void set_keep_tabs(int keep) { view_.keep_tabs = keep; }
    bool pad_with_spaces() const { return pad_with_spaces_; }
    void set_pad_with_spaces(bool pad) { pad_with_spaces_ = pad; }
    int show_tabs() const { return view_.show_tabs; }
    int colouring_on() const { return colouring_on_; }
    int case_sensitive() const { return case_sensitive_; }
    int auto_indent() const { return auto_indent_; }
    const std::string& font_name() const { return view_.font_name; }
    int font_size() const { return view_.font_size; }
    int font_weight() const { return view_.font_weight; }
    int font_italic() const { return view_.font_italic; }
    int char_set() const { return view_.char_set; }
    // The code page whose double-byte characters searches never split (default GBK).
    int code_page() const { return code_page_; }
    void set_code_page(int code_page) { code_page_ = code_page; }
    COLORREF comment_colour() const { return comment_colour_; }
    COLORREF keyword_colour() const { return keyword_colour_; }
    COLORREF quote_colour() const { return quote_colour_; }
    COLORREF single_quote_colour() const { return single_quote_colour_; }
    COLORREF text_colour() const { return text_colour_; }
    COLORREF background_colour() const { return background_colour_; }
    const std::string& comment_start(int pair) const { return pair == 1 ? comment_start1_ : comment_start2_; }
    const std::string& comment_end(int pair) const { return pair == 1 ? comment_end1_ : comment_end2_; }
    const std::vector<OEExtraCommentType>& extra_comment_types() const { return extra_comment_types_; }
    const std::filesystem::path& keywords_file() const { return keywords_file_; }

    // Bookmark and breakpoint counts, kept by the window layer.
    int bookmark_count = 0;
    int breakpoint_count = 0;

private:
    friend class ReplayScope;

    // Replaces the whole text with new lines (at least one).
    void ReplaceAllLines(const std::vector<std::string>& lines);
    // Replaces `count` lines from number `first` with the given ones (column-block undo).
    void ReplaceLines(int first, int count, const std::vector<std::string>& lines);
    std::vector<std::string> CopyLines(int first, int count) const;

    // Edits without checks or records, shared by the primitives and their callers.
    // Fills virtual space up to the position's index; returns the bytes added.
    std::string PadLine(TextPosition& position);
    // Gives the last line a line end; true when it had none.
    bool EnsureLastLineEnd(EditLine* line);
    void JoinWithNext(EditLine* line);
    // Inserts text at an index within the line's text; `end` gets the end of the insertion.
    void InsertTextAt(TextPosition position, std::string_view text, TextPosition* end,
                      SplitRule rule = SplitRule::kAnyLineEnd);
    // The buffer's bytes from start to end as they stand, indexes clipped to the text.
    std::string RawBlockText(TextPosition start, TextPosition end) const;
    bool EndsWithLineEnd(std::string_view text) const { return lines_.EndsWithLineEnd(text); }
    // Removes the line end of a line (undo of an edit that added it).
    void DropLineEnd(EditLine* line);
    // After an edit: invalidates the comment cache from the line and tracks "modified".
    void NoteEdit(const EditLine* first_changed, bool recorded);
    // Display width of the line's text, line end excluded.
    int TextWidth(const EditLine* line) const;
    // The one measure of the width rule: whether a line that reaches `column`, then
    // holds `bytes` and then `tail`, fits a line with its line end.
    bool LineFits(int column, std::string_view bytes, std::string_view tail = {}) const;
    // The text with its line ends made the buffer's.
    std::string OwnLineEnds(std::string_view text) const;
    // The line's text after the position; empty past the text.
    std::string_view TailAfter(TextPosition position) const;
    // A column block's rows, line ends removed (empty when the text holds none).
    std::vector<std::string> ColumnBlockRows(std::string_view text) const;

    // Undo replay.
    void ReplayBackwards(const UndoRecord& record);
    void ReplayForwards(const UndoRecord& record);
    static bool ChainsWith(const UndoRecord& done, const UndoRecord& neighbour);

    // Comments.
    // Computes the comment state of every line up to line number `wanted`.
    void FillCommentCache(int wanted);
    std::vector<std::string> LineCommentStarts() const;

    ProfileAccess& profile_;
    LineBuffer lines_;
    EditViewSettings view_;
    std::optional<os::File> lock_;  // the file held open while "Lock files" is on
    int read_warning_ = 0;

    int read_only_ = 0;
    int lock_files_ = 0;
    bool pad_with_spaces_ = false;
    int code_page_ = 936;
    std::string settings_section_;

    UndoLog undo_;
    uint32_t group_stamp_ = 0;
    int group_nesting_ = 0;
    bool replaying_ = false;
    bool unrecorded_changes_ = false;

    int colouring_on_ = 0;
    int case_sensitive_ = 0;
    int auto_indent_ = 1;
    COLORREF comment_colour_ = RGB(0, 128, 0);
    COLORREF keyword_colour_ = RGB(0, 0, 255);
    COLORREF quote_colour_ = RGB(255, 0, 0);
    COLORREF single_quote_colour_ = RGB(0, 0, 0);
    COLORREF text_colour_ = RGB(0, 0, 0);
    COLORREF background_colour_ = RGB(255, 255, 255);
    std::string comment_start1_, comment_end1_, comment_start2_, comment_end2_;
    std::vector<OEExtraCommentType> extra_comment_types_;
    int comment_continues_ = 0;
    bool word_chars_[256] = {};
    bool terminator_chars_[256] = {};
    bool start_chars_[256] = {};
    std::filesystem::path keywords_file_;
    profile::IniFile keywords_ini_;
    struct KeywordEntry {
        std::string text;  // empty marks a free slot
        COLORREF colour = 0xFFFFFFFF;
    };
    std::vector<KeywordEntry> keyword_table_;

    // Comment state at the start of each line, per comment type; valid for lines
    // 1..comment_cache_lines_.
    std::vector<std::vector<uint8_t>> comment_cache_;
    int comment_cache_lines_ = 0;
};

// Brackets a compound edit so that it undoes and redoes as one step.
class UndoGroup {
public:
    explicit UndoGroup(SECEdit& edit) : edit_(edit) { edit_.BeginUndoGroup(1); }
    ~UndoGroup() { edit_.BeginUndoGroup(0); }
    UndoGroup(const UndoGroup&) = delete;
    UndoGroup& operator=(const UndoGroup&) = delete;

private:
    SECEdit& edit_;
};

}  // namespace editor
