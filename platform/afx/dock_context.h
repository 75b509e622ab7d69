#pragma once
// CDockContext: the state of one bar's drag and resize loops: where the
// mouse was, the outlines for docking either way and for floating, the
// keyboard flags (Shift flips the orientation, Ctrl forces a float) and the
// most recent docked and floating places. The toolkit's contexts run the
// loops; the base offers the state and the steps they share.
#include "platform/afx/control_bar.h"

class CDockContext {
public:
    explicit CDockContext(CControlBar* bar);
    virtual ~CDockContext() = default;
    CDockContext(const CDockContext&) = delete;
    CDockContext& operator=(const CDockContext&) = delete;

    CControlBar* m_pBar;
    CFrameWnd* m_pDockSite;
    CPoint m_ptLast;
    CRect m_rectLast;
    CSize m_sizeLast;
    BOOL m_bDitherLast = FALSE;
    CRect m_rectDragHorz, m_rectDragVert;
    CRect m_rectFrameDragHorz, m_rectFrameDragVert;
    DWORD m_dwOverDockStyle = 0;
    DWORD m_dwDockStyle = 0;
    DWORD m_dwStyle = 0;
    BOOL m_bFlip = FALSE;
    BOOL m_bForceFrame = FALSE;
    CDC* m_pDC = nullptr;
    BOOL m_bDragging = FALSE;
    int m_nHitTest = 0;
    UINT m_uMRUDockID = 0;
    CRect m_rectMRUDockPos;
    DWORD m_dwMRUFloatStyle = 0;
    CPoint m_ptMRUFloatPos;

    // Starts a drag at the screen point: the outlines are the bar's rectangle in both orientations.
    virtual void StartDrag(CPoint screen_point);
    // Docks a floating bar at its most recent dock bar, or floats a docked one (to be overridden:
    // the base has no floating frames and keeps a docked bar where it is).
    virtual void ToggleDocking();
    // Begins a loop: the capture, the flags reset; FALSE when another window holds the capture.
    virtual BOOL InitLoop();
    virtual void CancelLoop();
    // Shift and Ctrl change the flip and force-frame flags while dragging; Escape cancels.
    virtual void OnKey(int key, BOOL down);
};
