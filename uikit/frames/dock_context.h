#pragma once
// SECDockContext: the mouse interaction that moves a control bar between its
// docked and floating states. A drag shows the drop rectangle the toolkit dock
// bar under the mouse offers (or the floating frame's outline), docks on any
// side the bar allows, floats it elsewhere, and never docks while Ctrl is
// held; a floating bar must move 5 pixels before it can dock. A floating bar
// resizes by its frame within the system's minimum and full-screen sizes.
// Floating and docking again keep the bar's relative width in its row.
#include "platform/afx/afx.h"

class SECDockBar;

// Status prompts shown while a drag runs and after it.
constexpr UINT IDS_SEC_DRAG_PROMPT = 20535;   // "Press the Ctrl key to prevent docking."
constexpr UINT IDS_SEC_IDLE_PROMPT = 0xE001;  // "For Help, press F1"

// A floating bar docks only once it has moved this far (horizontal plus vertical distance).
constexpr int kSecFloatDockThreshold = 5;

class SECDockContext : public CDockContext {
public:
    explicit SECDockContext(CControlBar* bar);
    ~SECDockContext() override;

    void StartDrag(CPoint point) override;
    // Resizes the floating bar by its frame edge `hit_test` (HTLEFT..HTBOTTOMRIGHT) from the screen point.
    virtual void StartResize(int hit_test, CPoint point);
    void ToggleDocking() override;
    // Floats the bar as an MDI child of the main window, or puts it back where it was.
    virtual void ToggleMDIFloat();
    void CancelLoop() override;

    CRect m_rectDropLast;
    CPoint m_ptDragStart;
    CPoint m_ptDropLast;
    int m_nDropRowLast = -1;
    BOOL m_bWasFloating = FALSE;
    int m_cxMinFloat = 0, m_cyMinFloat = 0;
    int m_cxMaxFloat = 0, m_cyMaxFloat = 0;

    // The dock bar under the mouse at the last move, or null when the bar would float.
    CDockBar* GetTargetDockBar() const { return target_; }

protected:
    void Move(CPoint point);
    void EndDrag();
    void Stretch(CPoint point);
    void EndResize();
    DWORD CanDock();
    void DrawFocusRect(BOOL remove = FALSE);
    // Runs the loop of a drag or resize; TRUE when it ended with the button released.
    BOOL Track();

private:
    bool moved_too_little() const;
    CDockBar* dock_bar_for(const CRect& rect, DWORD sides) const;
    // The floating frame the bar is in, or null.
    CWnd* floating_frame() const;
    bool vertical_feedback() const;
    // Docks at the drop place (through the toolkit frame when the site is one) or floats at `point`.
    void dock_at(CDockBar* dock_bar, CPoint point);
    void float_at(CPoint point, DWORD style);
    void commit_float_size(const CRect& bar_rect);
    CDockBar* target_ = nullptr;
    CRect frame_border_;  // the floating frame's border around the bar: left, top, right, bottom
    CRect resize_bar_rect_;
    bool locked_ = false;
    bool brush_halftone_last_ = false;
};

// The floating frame of a toolkit bar: its caption drags the bar (unless it
// holds several bars), double-clicking it docks the bar again, and its edges
// resize the bar through the bar's dock context.
class SECMiniDockFrameWnd : public CMiniDockFrameWnd {
    DECLARE_DYNCREATE(SECMiniDockFrameWnd)
public:
    // The one bar it holds, or null.
    CControlBar* GetSingleBar() const;
    // Sizes the frame around its bars; its caption shows the title of the bar it holds.
    void RecalcLayout(BOOL notify = TRUE) override;
    afx_msg void OnNcLButtonDown(UINT hit, CPoint point);
    afx_msg void OnNcLButtonDblClk(UINT hit, CPoint point);

protected:
    DECLARE_MESSAGE_MAP()
};
