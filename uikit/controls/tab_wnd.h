#pragma once
// SECTabWnd: the 2-D tab window. The tab strip lies along the bottom edge and
// shares it with a horizontal scroll bar behind a draggable splitter; a
// vertical scroll bar runs along the right edge. Both bars belong to the tab
// window, show for the tabs whose scroll style asks for them, keep their
// state per tab, and pass their messages on unchanged to the active pane.
#include <vector>

#include "uikit/controls/tab_control.h"
#include "uikit/controls/tab_wnd_base.h"

class SECTabWnd : public SECTabWndBase {
    DECLARE_DYNAMIC(SECTabWnd)
public:
    static constexpr UINT kHorzBarId = 0xEC00;
    static constexpr UINT kVertBarId = 0xECFF;
    static constexpr int kSplitterWidth = 5;
    static constexpr int kMinBarWidth = 60;  // the horizontal bar keeps at least this much

    SECTabWnd();
    ~SECTabWnd() override;

    BOOL Create(CWnd* parent, DWORD style, UINT id) override;
    BOOL CreateTabCtrl(DWORD style, UINT id) override;
    SECTab* InsertTab(CWnd* wnd, int index, const char* label) override;
    using SECTabWndBase::InsertTab;
    void SetScrollStyle(int index, DWORD style) override;
    void RemoveTab(int index) override;
    using SECTabWndBase::RemoveTab;
    void GetInsideRect(CRect* rect) const override;
    void RecalcLayout() override;
    // The bar (0 horizontal, 1 vertical) of the tab showing `wnd` (the active
    // pane for none) when that tab's scroll style has it; else none.
    virtual CScrollBar* GetTabScrollBar(int bar, CWnd* wnd = nullptr);

    DWORD GetScrollStyle(int index) const;
    int GetSplitterPos() const { return splitter_; }
    CRect SplitterRect() const;

protected:
    struct TabScroll {
        DWORD style = 0;
        SCROLLINFO horz{}, vert{};
        TabScroll();
    };
    void OnSwitchingTab(int old_index, int new_index) override;
    DWORD ActiveStyle() const;
    void ShowBars(DWORD style);
    void TrackSplitter(CPoint point);

    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg BOOL OnSetCursor(CWnd* wnd, UINT hit, UINT message);
    afx_msg LRESULT OnScrollMessage(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    CScrollBar hbar_, vbar_;
    std::vector<TabScroll> scroll_;  // one per tab, in tab order
    int splitter_ = 0;
    // Where the first size or the user's drag put the splitter: a narrower window pulls the
    // splitter back from it, and a wider one gives the strip that room again.
    int wanted_splitter_ = 0;
    int strip_height_ = 0, hbar_height_ = 0, vbar_width_ = 0;
    bool first_size_ = true;
    bool dragging_ = false;
    HCURSOR splitter_cursor_ = nullptr;
};

class SEC2DTabWnd : public SECTabWnd {
    DECLARE_DYNAMIC(SEC2DTabWnd)
};
