#pragma once
// SECStatusBar: the toolkit's status bar, a control bar over the common
// status-bar control. It shows a row of panes, each bound to a command or
// string id: texts come from the string table and from the frame's update
// handlers (SECStatusCmdUI), which can also disable a pane (its text is then
// hidden, not lost) and pop it out. Pane 0 with id 0 is the message pane,
// which takes the room the fixed panes leave.
#include <vector>

#include "platform/afx/afx.h"
#include "uikit/frames/control_bar.h"

// Pane styles; the low word goes to the control with the text.
constexpr UINT SBPS_NORMAL = 0x0000;
constexpr UINT SBPS_NOBORDERS = 0x0100;
constexpr UINT SBPS_POPOUT = 0x0200;
constexpr UINT SBPS_DISABLED = 0x04000000;
constexpr UINT SBPS_STRETCH = 0x08000000;

// One pane, in display order.
struct SECStatusPane {
    UINT id = 0;     // 0: the message pane (no string)
    int cxText = 0;  // pixels
    UINT style = 0;  // SBPS_
    UINT flags = 0;  // kNeedsText while the control still lacks the text
    CString text;
    static constexpr UINT kNeedsText = 0x1;
};

class SECStatusBar : public SECControlBar {
    DECLARE_DYNAMIC(SECStatusBar)
public:
    SECStatusBar();
    ~SECStatusBar() override;

    using SECControlBar::Create;
    BOOL Create(CWnd* parent, DWORD style = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT id = AFX_IDW_STATUS_BAR);
    // One pane per id; a string that cannot be loaded shows as two spaces.
    // With a null list every pane is laid out again. FALSE when a text cannot be stored.
    BOOL SetIndicators(const UINT* ids, int count);
    int CommandToIndex(UINT id) const;
    int GetPaneCount() const { return int(panes_.size()); }
    UINT GetItemID(int index) const;
    UINT GetPaneStyle(int index) const;
    void SetPaneStyle(int index, UINT style);
    BOOL SetPaneText(int index, const char* text, BOOL update = TRUE);
    CString GetPaneText(int index) const;
    // The right edges last handed to the control.
    const std::vector<int>& GetPaneEdges() const { return edges_; }
    // Sizes from the bar's width, and the texts still pending.
    void UpdateAllPanes(BOOL sizes, BOOL texts);

    CSize CalcFixedLayout(BOOL stretch, BOOL horz) override;
    void OnUpdateCmdUI(CFrameWnd* target, BOOL disable_if_no_handler) override;
    virtual void OnBarStyleChange(DWORD old_style, DWORD new_style);
    void SetBarStyle(DWORD style) override;
    // Owner-drawn panes: the bar draws nothing itself.
    virtual void DrawItem(DRAWITEMSTRUCT*) {}

    int m_nMinHeight = 0;

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnNcCalcSize(BOOL calc_valid, NCCALCSIZE_PARAMS* params);
    afx_msg void OnWindowPosChanging(WINDOWPOS* pos);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetMinHeight(WPARAM wParam, LPARAM lParam);

protected:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void DoPaint(CDC*) override {}
    DECLARE_MESSAGE_MAP()

private:
    std::vector<SECStatusPane> panes_;
    std::vector<int> edges_;
    SECStatusPane* pane(int index);
    const SECStatusPane* pane(int index) const;
    HFONT bar_font() const;
    // The bar's rectangle less its insets and, while the grip shows, the grip.
    CRect inside_rect() const;
};

// The update object of one pane: enable shows or hides the text, a check pops the pane out.
class SECStatusCmdUI : public CCmdUI {
public:
    void Enable(BOOL on = TRUE) override;
    void SetCheck(int check = 1) override;
    void SetText(const char* text) override;

private:
    SECStatusBar* bar() const { return static_cast<SECStatusBar*>(m_pOther); }
};
