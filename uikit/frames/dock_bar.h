#pragma once
// SECDockBar: the strip along one side of a frame (or the body of a floating
// frame or a bar-hosting MDI child) whose bars stand in rows. The bars of a
// row share its length by their relative sizes; 6-pixel splitters between the
// bars of a row and between a row and the frame's client area resize them;
// 2-pixel etched edges part the rows from the frame's border.
#include <vector>

#include "platform/afx/afx.h"
#include "uikit/frames/control_bar.h"
#include "uikit/frames/dock_site.h"

// The near edge of a dragged splitter strip: the mouse less the grab offset,
// kept at least `min`, and the strip's far edge kept inside `max`. Limits that
// cross count as `min`.
int sec_track_splitter_edge(int mouse, int grab, int min, int max);

class SECDockBar : public CDockBar {
    DECLARE_DYNCREATE(SECDockBar)
public:
    struct Splitter {
        int m_nType = 0;  // 0: horizontal strip, moved up and down; 1: vertical, moved left and right
        BOOL m_bInRow = FALSE;
        CRect m_rect;
        int m_nBarIndex = 0;  // slot of the bar before it, or of the row start
        BOOL m_bUsed = FALSE;
        int m_nMin = 0, m_nMax = 0;
        void Draw(CDC* dc) const;
    };
    struct ClientEdge {
        int m_nType = 0;
        CRect m_rect;
        BOOL m_bUsed = FALSE;
        void Draw(CDC* dc) const;
    };

    explicit SECDockBar(BOOL floating = FALSE, BOOL mdi_child = FALSE);

    virtual BOOL IsBarExpanded(CControlBar* bar) const;
    virtual BOOL IsBarAloneInRow(CControlBar* bar) const;
    virtual void DockControlBarEx(CControlBar* bar, const SECDockPos& position);
    virtual void DockControlBar(CControlBar* bar, int column, int row) {
        DockControlBarEx(bar, SECDockPos{row, column, 0});
    }
    using CDockBar::DockControlBar;
    // The docked bars of the bar's row: those before it nearest first, the bar, those after it.
    virtual BOOL GetRowBars(CPtrList& list, CControlBar* bar) const;
    static constexpr int kExpand = 1, kContract = 2;
    virtual void ExpandBar(CControlBar* bar, int mode);
    virtual void SetActiveBar(SECControlBar* bar);
    virtual void RedrawBars();
    virtual void CalcSplitterLimits(Splitter& splitter);
    virtual void NormalizeRow(int row_start, SECControlBar* kept, int* flexible = nullptr, int* fixed = nullptr);
    virtual void CalcMinPct(int length);
    virtual float AddPctWithMin(float carry, SECControlBar* bar);
    virtual int InsertBar(CControlBar* bar, const SECDockPos& position);
    virtual void InsertNewFirstRow(CControlBar* bar);
    virtual void ApplySplitterMove(const Splitter& splitter, int delta);
    // Where a bar dragged to the screen point would go: a place in the row
    // under the point, or a new first or last row. `rect` gets the drop
    // rectangle (screen coordinates) for the bar's drag rectangle `drag`, `row`
    // the row's index.
    virtual void CalcDropRect(CControlBar* bar, CPoint point, const CRect& drag, CRect& rect, int& row) const;
    // The place a bar dropped at the screen point takes.
    SECDockPos DropPosition(CControlBar* bar, CPoint point) const;
    // A bar was shown or hidden: a shown bar keeps its relative size in its row.
    void OnBarShown(CControlBar* bar, BOOL shown);
    // Takes every entry of the bar out (its window is going).
    void ForgetBar(CControlBar* bar);

    CSize CalcFixedLayout(BOOL stretch, BOOL horz) override;
    int GetDockedVisibleCount() const;

    // Runs the splitter drag from a press at `point` (client coordinates) on the
    // splitter; TRUE when the splitter moved.
    BOOL TrackSplitter(const Splitter& splitter, CPoint point);
    BOOL IsTracking() const { return m_bTracking; }

    std::vector<ClientEdge> m_arrClientEdges;
    std::vector<Splitter> m_arrSplitters;
    CPtrArray m_arrRedraw;
    BOOL m_bMDIChild = FALSE;
    AFX_SIZEPARENTPARAMS* m_pLayoutParams = nullptr;
    BOOL m_bRepainting = FALSE;
    BOOL m_bRowsChanged = FALSE;
    SECControlBar* m_pActiveBar = nullptr;
    float m_fMinPct = 0.05f;

    afx_msg LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    afx_msg void OnMouseMove(UINT flags, CPoint point);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* wnd, UINT hit, UINT message);
    afx_msg void OnDestroy();

protected:
    void DoPaint(CDC* dc) override;
    DECLARE_MESSAGE_MAP()

private:
    struct Row {
        int start = 0;  // slot of the row's first entry
        int end = 0;    // slot of the break that ends it
    };
    std::vector<Row> rows() const;
    struct DropPlace {
        SECDockPos position;
        bool new_row = false;
        bool at_start = false;  // a new row before the others
        CRect band;             // the row's extent on the screen, for a place in a row
    };
    DropPlace drop_place(CControlBar* bar, CPoint point) const;
    Row row_of(int slot) const;
    std::vector<CControlBar*> visible_bars(const Row& row) const;
    std::vector<SECControlBar*> flexible_bars(const Row& row) const;
    void give_even_share(const Row& row, SECControlBar* shown);
    void collapse_breaks();
    bool horizontal() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }
    DWORD side() const { return m_dwStyle & CBRS_ALIGN_ANY; }
    int client_border() const;  // the frame's border, for top and left dock bars
    CSize available_extent() const;
    int splitter_at(CPoint point) const;
    void add_splitter(BOOL in_row, int type, const CRect& rect, int bar_index);
    void add_client_edge(int type, const CRect& rect);
    void mark_redraw(CControlBar* bar);
    void request_layout();
    int layout_row(const Row& row, int across, int extent, HDWP* dwp);
    int row_thickness(const Row& row) const;
    int row_length(const Row& row) const;
    int committed_length(const SECControlBar* bar) const;
    BOOL m_bTracking = FALSE;
};

// The toolkit dock bar a bar sits in, or null.
SECDockBar* sec_dock_bar_of(const CControlBar* bar);
