#pragma once
// CSplitterWnd: a window that shows up to two rows and two columns of panes
// with bars between them. A dynamic splitter starts with one pane and makes
// the others from that pane's runtime class when the user splits it (the
// Split command or dragging a bar); dragging a bar to an edge removes the
// panes it squeezes out. The panes of a row share one vertical scroll bar and
// those of a column one horizontal bar: a view's scroll calls reach its bar
// through GetScrollBarCtrl, and the bar's messages go to every pane beside it.
#include "platform/afx/controls.h"
#include "platform/afx/frame.h"
#include "platform/afx/wnd.h"

// The splitter makes panes itself as the user splits it.
constexpr DWORD SPLS_DYNAMIC_SPLIT = 0x0001;
constexpr UINT ID_WINDOW_SPLIT = 0xE135;
constexpr UINT AFX_IDW_HSCROLL_FIRST = 0xEA00;
constexpr UINT AFX_IDW_VSCROLL_FIRST = 0xEA10;

class CSplitterWnd : public CWnd {
    DECLARE_DYNAMIC(CSplitterWnd)
public:
    static constexpr int kMaxPanes = 2;  // per row and per column
    // The room between two panes, and the size of a scroll bar's end that
    // starts a split by mouse.
    static constexpr int kBarWidth = 6;

    CSplitterWnd() = default;
    ~CSplitterWnd() override = default;

    // A dynamic splitter over `parent`'s client area, its first pane made from
    // context->m_pNewViewClass. A pane split off smaller than `min_pane` is not
    // made. WS_HSCROLL and WS_VSCROLL in `style` give the panes shared bars.
    BOOL Create(CWnd* parent, int max_rows, int max_cols, SIZE min_pane, CCreateContext* context,
                DWORD style = WS_CHILD | WS_VISIBLE | WS_HSCROLL | WS_VSCROLL | SPLS_DYNAMIC_SPLIT,
                UINT id = AFX_IDW_PANE_FIRST);
    // Makes the pane at (row, col) from `view_class` for the document of
    // `context` (or that of the pane it is split from when null).
    virtual BOOL CreateView(int row, int col, CRuntimeClass* view_class, SIZE initial, CCreateContext* context);

    int GetRowCount() const { return rows_; }
    int GetColumnCount() const { return cols_; }
    int GetMaxRowCount() const { return max_rows_; }
    int GetMaxColumnCount() const { return max_cols_; }
    CWnd* GetPane(int row, int col) const;
    int IdFromRowCol(int row, int col) const { return int(AFX_IDW_PANE_FIRST) + row * 16 + col; }
    BOOL IsChildPane(CWnd* wnd, int* row, int* col) const;
    // The frame's active view when it is a pane here, else the pane holding the focus.
    CWnd* GetActivePane(int* row = nullptr, int* col = nullptr) const;
    void SetActivePane(int row, int col);
    // Moves the keyboard to the next pane (row by row, round to the first), or
    // the previous one; the panes take turns only when there is more than one.
    void ActivateNext(bool previous = false);
    BOOL CanActivateNext() const { return rows_ * cols_ > 1; }
    // The bar shared by `pane`'s row (SB_VERT) or column (SB_HORZ); null when there is none.
    CScrollBar* GetPaneScrollBar(const CWnd* pane, int bar) const;

    // Splits at a height (width) in client pixels from the top (left): the new
    // row (column) goes below (right of) it. FALSE when it cannot be split there.
    BOOL SplitRow(int top_height);
    BOOL SplitColumn(int left_width);
    // Destroys the panes of a row (column); the rest move up (left).
    void DeleteRow(int row);
    void DeleteColumn(int col);
    // The height of row 0 (width of column 0) while there are two.
    int GetFirstRowHeight() const { return first_row_; }
    int GetFirstColumnWidth() const { return first_col_; }
    virtual void RecalcLayout();

    // The Split command: both bars follow the mouse and the arrow keys from the
    // middle of the window until a click or Enter places them (Escape, a lost
    // capture, WM_QUIT or closing the frame cancels). FALSE when nothing split.
    BOOL DoKeyboardSplit();
    BOOL CanSplit() const;

    // Pixels of the splitter: rectangles of the bars and the scroll bar strips.
    CRect RowBarRect() const;
    CRect ColumnBarRect() const;

protected:
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* wnd, UINT hit, UINT message);
    afx_msg void OnHScroll(UINT code, UINT pos, CScrollBar* bar);
    afx_msg void OnVScroll(UINT code, UINT pos, CScrollBar* bar);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    enum Tracked : int { kNone = 0, kRowBar = 1, kColumnBar = 2 };
    // The drag of one or both bars from `start`; each bar is placed where it
    // ended, or taken away when dragged to an edge of the window.
    BOOL TrackBars(int tracked, CPoint start, bool from_keyboard);
    void ApplyRowBar(int y);
    void ApplyColumnBar(int x);
    int HitBars(CPoint point) const;
    // The panes' area: the client area less the shared scroll bars.
    CRect PaneArea() const;
    int ScrollWidth() const;
    int ScrollHeight() const;
    // A row's top and bottom (a column's left and right) in client pixels.
    void RowSpan(int row, int* top, int* bottom) const;
    void ColumnSpan(int col, int* left, int* right) const;
    void MakeScrollBar(int bar, int index);
    void DrawTracker(CDC& dc, int tracked, CPoint at) const;

    int max_rows_ = 1, max_cols_ = 1;
    int rows_ = 0, cols_ = 0;
    int first_row_ = 0, first_col_ = 0;
    CSize min_pane_{};
    bool shared_vertical_ = false, shared_horizontal_ = false;
    CRuntimeClass* view_class_ = nullptr;
    // Shared bars: one vertical per row, one horizontal per column.
    CScrollBar vertical_[kMaxPanes];
    CScrollBar horizontal_[kMaxPanes];
    bool tracking_ = false;
};

// The dynamic splitter a view sits in, or null.
CSplitterWnd* AfxGetParentSplitter(const CWnd* wnd);
