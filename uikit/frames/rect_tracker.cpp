#include "uikit/frames/rect_tracker.h"

#include <algorithm>

void SECToolBarRectTracker::DrawTrackerRect(const RECT* rect, CWnd* clip_wnd, CDC* dc, CWnd* wnd) {
    CRect r(rect);
    r.NormalizeRect();
    if (clip_wnd && wnd) wnd->MapWindowPoints(clip_wnd, &r);
    const int border = std::max(1, m_nHandleSize - 1);
    const CSize thickness = m_bFinalErase ? CSize(0, 0) : CSize(border, border);
    if (!m_bErase || m_bFinalErase)
        dc->DrawDragRect(&r, thickness, m_rectLast.IsRectEmpty() ? nullptr : &m_rectLast, m_sizeLast);
    m_rectLast = r;
    m_sizeLast = thickness;
    if (m_hCursor && !m_bFinalErase) ::SetCursor(m_hCursor);
}

BOOL SECToolBarRectTracker::TrackMove(CWnd* wnd, CPoint point, BOOL) {
    return TrackHandle(hitMiddle, wnd, point, CWnd::FromHandle(::GetDesktopWindow()));
}
