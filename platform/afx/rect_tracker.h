#pragma once
// CRectTracker: a rectangle with handles that the user moves or resizes by
// dragging. Track runs its own loop with the mouse captured and draws the
// outline as it goes (XOR, so drawing it again erases it).
#include "platform/afx/geometry.h"

class CDC;
class CWnd;

class CRectTracker {
public:
    enum StyleFlags {
        solidLine = 1,
        dottedLine = 2,
        hatchedBorder = 4,
        resizeInside = 8,
        resizeOutside = 16,
        hatchInside = 32
    };
    enum TrackerHit {
        hitNothing = -1,
        hitTopLeft = 0,
        hitTopRight = 1,
        hitBottomRight = 2,
        hitBottomLeft = 3,
        hitTop = 4,
        hitRight = 5,
        hitBottom = 6,
        hitLeft = 7,
        hitMiddle = 8
    };

    CRectTracker() = default;
    CRectTracker(const RECT* rect, UINT style) : m_rect(rect), m_nStyle(style) {}
    virtual ~CRectTracker() = default;

    CRect m_rect;
    CSize m_sizeMin{4, 4};
    UINT m_nStyle = 0;
    int m_nHandleSize = 7;
    // The outline drawn last, so that the next draw erases it.
    CRect m_rectLast;
    CSize m_sizeLast;
    BOOL m_bErase = FALSE;
    BOOL m_bFinalErase = FALSE;

    void Draw(CDC* dc) const;
    // The part of the tracker under the point (client coordinates of its window).
    int HitTest(CPoint point) const;
    // Drags the part under `point` until the button is released (TRUE, m_rect
    // changed) or the drag is cancelled by Escape, the right button or a lost
    // capture (FALSE, m_rect as before).
    BOOL Track(CWnd* wnd, CPoint point, BOOL allow_invert = FALSE, CWnd* clip_wnd = nullptr);
    void GetTrueRect(RECT* out) const;

    virtual void DrawTrackerRect(const RECT* rect, CWnd* clip_wnd, CDC* dc, CWnd* wnd);
    virtual void AdjustRect(int handle, RECT* rect) {}
    virtual void OnChangedRect(const CRect& old_rect) {}

protected:
    BOOL TrackHandle(int handle, CWnd* wnd, CPoint point, CWnd* clip_wnd);
    void handle_rect(int handle, RECT* out) const;
};
