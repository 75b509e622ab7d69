#pragma once
// SECTabControl: the flat tab strip of the 2-D tab window. Trapezoid tabs
// hang from the top edge and overlap by 5 pixels; optional scroll buttons
// (first, previous, next, last) at the left end scroll the strip when the
// tabs do not fit. Previous and next repeat while held, on the clock.
#include "uikit/controls/tab_control_base.h"

class SECTabControl : public SECTabControlBase {
    DECLARE_DYNAMIC(SECTabControl)
public:
    enum Button : UINT { kFirst = 1, kPrev = 2, kNext = 4, kLast = 8 };
    static constexpr int kOverlap = 5;
    static constexpr int kScrollStep = 10;
    static constexpr UINT kRepeatDelayMs = 300;
    static constexpr UINT kRepeatEveryMs = 20;

    SECTabControl();
    ~SECTabControl() override;

    void Initialize(DWORD style) override;
    void RecalcLayout() override;
    SECTab* InsertTab(int index, const char* label, CWnd* wnd, DWORD user1 = 0, DWORD user2 = 0) override;
    void ScrollToTab(int index) override;
    void InvalidateTab(int index) override;
    virtual void DrawTab(CDC* dc, int index);
    // which: 0 normal, 1 selected, 2 active. FALSE (the old font kept) when no font can be made.
    virtual BOOL SetFontTemplate(CFont* font, int which, BOOL redraw = TRUE);

    int GetScrollOffset() const { return offset_; }
    UINT GetButtons() const { return buttons_; }
    UINT GetDisabledButtons() const { return disabled_; }
    // The tab's left end on the strip (scroll offset applied) and its area.
    int TabLeft(int index) const;
    CRect TabArea() const;
    // The first tab (in index order) whose trapezoid holds the point, or -1.
    int HitTab(CPoint point) const;
    // The button under the point, or 0.
    UINT HitButton(CPoint point) const;
    CRect ButtonRect(UINT button) const;

protected:
    void DestroyGdiObjects() override;
    // Sets the offset, keeps the buttons' states in step and scrolls what shows.
    void ApplyOffset(int offset);
    void UpdateButtons();
    void StepButton(UINT button);
    void TrackButton(UINT button);
    void DrawButton(CDC* dc, UINT button);
    void OnTabClick(int index, UINT flags);

    afx_msg BOOL OnEraseBkgnd(CDC* dc);
    afx_msg void OnPaint();
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT flags, CPoint point);
    DECLARE_MESSAGE_MAP()

    int offset_ = 0;
    BOOL multiple_selection_ = TRUE;
    CFont fonts_[3];  // normal, selected, active
    CPen outline_pens_[3];
    CPen shadow_pen_;
    CBrush brushes_[3];
    COLORREF text_colors_[3] = {0, 0, 0};
    UINT buttons_ = 0, disabled_ = 0, pressed_ = 0;
    int button_cx_ = 0, button_cy_ = 0;
};
