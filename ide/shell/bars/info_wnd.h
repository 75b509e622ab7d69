#pragma once
// CInfoWnd: the read-only output pane (Build, find results, disassembly). It
// keeps append-only text (OutputLines), draws it itself in a fixed-pitch font
// with its own caret and scroll bars, selects and copies whole lines, and
// turns a double click or Enter on a "file(line)..." line into a call of its
// navigation callback.
#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "ide/shell/bars/output_lines.h"
#include "ide/shell/bars/source_location.h"
#include "platform/afx/afx.h"

// Called with the file and line an output line names; opens that source as
// text and marks the line.
using NavigateCallback = std::function<void(const ide::SourceLocation&)>;

class CInfoWnd : public CWnd {
    DECLARE_DYNAMIC(CInfoWnd)
public:
    static constexpr DWORD kMarkedLines = 0x1;  // option: draw the three marks, never follow the end
    static constexpr DWORD kCaretPlaced = 0x2;  // state: a click placed the caret
    static constexpr int kTabWidth = 4;
    // Posted to the pane when text from another thread waits for it (PaneSink).
    static constexpr UINT kDeliverLines = WM_APP + 0x1A0;

    explicit CInfoWnd(ide::OutputLimits limits = {});
    ~CInfoWnd() override;

    // Creates the pane as a visible child with the option flags or-ed in.
    BOOL Create(DWORD options, DWORD style, const RECT& rect, CWnd* parent, UINT id, CCreateContext* context = nullptr);

    // Appends text (split at line separators); false when it was refused.
    BOOL AddLine(std::string_view text);
    void Clear();
    void SetMarkLines(int a, int b, int c);
    // Navigates to the next line after the current info line that names a location.
    void GotoNextInfoLine();
    // Calls the callback with the location line `index` names; false when it names none.
    BOOL NavigateToLine(int index);
    void SetNavigateCallback(NavigateCallback callback) { navigate_ = std::move(callback); }
    // What the pane runs on kDeliverLines (none: the notice is ignored).
    void SetDeliverHandler(std::function<void()> deliver) { deliver_ = std::move(deliver); }

    int GetLineCount() const { return int(lines_.Count()); }
    std::string_view GetLine(int index) const { return lines_.Line(std::size_t(index)); }
    DWORD GetFlags() const { return flags_; }
    int GetInfoLine() const { return info_line_; }
    int GetCaretLine() const { return caret_line_; }
    int GetCaretColumn() const { return caret_column_; }
    std::array<int, 3> GetMarkLines() const { return marks_; }
    // The first line drawn at the top.
    int GetTopLine() const { return line_height_ ? -scroll_y_ / line_height_ : 0; }
    int GetLineHeight() const { return line_height_; }
    int GetCharWidth() const { return char_width_; }

    // Lines from the selection anchor to the caret line, inclusive.
    void SelectLines(int anchor, int caret);
    void SelectAll() { SelectLines(0, GetLineCount() - 1); }
    std::string GetSelectedText() const;
    // Puts the selected lines (the caret's line when none) on the clipboard.
    BOOL Copy();
    // The copy command a focused pane gets from the frame's editing keys.
    static constexpr UINT kCopyCommand = 57634;

    CScrollBar* GetScrollBarCtrl(int bar) const override;

protected:
    afx_msg int OnCreate(CREATESTRUCT* cs);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnShowWindow(BOOL show, UINT status);
    afx_msg void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
    afx_msg void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
    afx_msg BOOL OnMouseWheel(UINT flags, short delta, CPoint point);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnLButtonUp(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags);
    afx_msg UINT OnGetDlgCode();
    afx_msg void OnSetFocus(CWnd* old);
    afx_msg void OnKillFocus(CWnd* next);
    afx_msg void OnCopyCommand() { Copy(); }
    afx_msg LRESULT OnDeliverLines(WPARAM, LPARAM);
    DECLARE_MESSAGE_MAP()

private:
    int PageLines() const;
    int PageColumns() const;
    // Pixel x of `column` in `line` (tabs expanded), and the column whose cell holds x.
    int ColumnX(std::string_view line, int column) const;
    int ColumnAt(std::string_view line, int x) const;
    int LineAt(int y) const;
    void MoveCaret(int line, int column, bool extend);
    void ScrollToShowCaret();
    void SetTopLine(int line);
    void SetLeftColumn(int column);
    void UpdateScrollBars(bool set_positions);
    void SetBar(int bar, SCROLLINFO& info);
    void PlaceCaret();
    void Navigate(int line);
    bool IsSelected(int line) const;

    ide::OutputLines lines_;
    DWORD flags_ = 0;
    DWORD own_bars_ = 0;  // WS_HSCROLL, WS_VSCROLL given at creation
    std::array<int, 3> marks_{0, 0, 0};
    int info_line_ = -1;
    int caret_line_ = 0;
    int caret_column_ = 0;
    int anchor_line_ = 0;
    bool has_selection_ = false;
    bool dragging_ = false;
    int scroll_x_ = 0;  // pixels, 0 or negative
    int scroll_y_ = 0;
    int char_width_ = 8;
    int line_height_ = 16;
    bool has_focus_ = false;
    NavigateCallback navigate_;
    std::function<void()> deliver_;
    LOGFONT font_desc_{};
    CFont font_;
};
