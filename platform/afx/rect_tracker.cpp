#include "platform/afx/rect_tracker.h"

#include "platform/afx/wnd.h"
#include "platform/user/modal_loop.h"

void CRectTracker::handle_rect(int handle, RECT* out) const {
    CRect r = m_rect;
    r.NormalizeRect();
    const int size = m_nHandleSize;
    const int x[] = {r.left,
                     r.right - size,
                     r.right - size,
                     r.left,
                     (r.left + r.right - size) / 2,
                     r.right - size,
                     (r.left + r.right - size) / 2,
                     r.left};
    const int y[] = {r.top,           r.top,
                     r.bottom - size, r.bottom - size,
                     r.top,           (r.top + r.bottom - size) / 2,
                     r.bottom - size, (r.top + r.bottom - size) / 2};
    *out = CRect(x[handle], y[handle], x[handle] + size, y[handle] + size);
}

void CRectTracker::GetTrueRect(RECT* out) const {
    CRect r = m_rect;
    r.NormalizeRect();
    if (m_nStyle & (resizeOutside | hatchedBorder)) r.InflateRect(m_nHandleSize - 1, m_nHandleSize - 1);
    *out = r;
}

int CRectTracker::HitTest(CPoint point) const {
    if (m_nStyle & (resizeInside | resizeOutside)) {
        for (int handle = hitTopLeft; handle <= hitLeft; ++handle) {
            CRect area;
            handle_rect(handle, &area);
            if (area.PtInRect(point)) return handle;
        }
    }
    CRect whole;
    GetTrueRect(&whole);
    return whole.PtInRect(point) ? hitMiddle : hitNothing;
}

void CRectTracker::Draw(CDC* dc) const {
    CRect r = m_rect;
    r.NormalizeRect();
    if (m_nStyle & (solidLine | dottedLine)) dc->DrawFocusRect(&r);
    if (m_nStyle & hatchedBorder) {
        CRect outer = r;
        outer.InflateRect(m_nHandleSize - 1, m_nHandleSize - 1);
        dc->DrawDragRect(&outer, CSize(m_nHandleSize - 1, m_nHandleSize - 1), nullptr, CSize(0, 0));
    }
    if (m_nStyle & (resizeInside | resizeOutside)) {
        for (int handle = hitTopLeft; handle <= hitLeft; ++handle) {
            CRect area;
            handle_rect(handle, &area);
            dc->FillSolidRect(&area, RGB(0, 0, 0));
        }
    }
}

void CRectTracker::DrawTrackerRect(const RECT* rect, CWnd* clip_wnd, CDC* dc, CWnd* wnd) {
    CRect r(rect);
    r.NormalizeRect();
    if (clip_wnd && wnd) wnd->MapWindowPoints(clip_wnd, &r);
    const CSize thickness = m_bFinalErase ? CSize(0, 0) : CSize(1, 1);
    if (!m_bErase || m_bFinalErase)
        dc->DrawDragRect(&r, thickness, m_rectLast.IsRectEmpty() ? nullptr : &m_rectLast, m_sizeLast);
    m_rectLast = r;
    m_sizeLast = thickness;
}

BOOL CRectTracker::Track(CWnd* wnd, CPoint point, BOOL, CWnd* clip_wnd) {
    const int handle = HitTest(point);
    return handle == hitNothing ? FALSE : TrackHandle(handle, wnd, point, clip_wnd);
}

BOOL CRectTracker::TrackHandle(int handle, CWnd* wnd, CPoint point, CWnd* clip_wnd) {
    if (!wnd || !wnd->m_hWnd || ::GetCapture()) return FALSE;
    const CRect original = m_rect;
    const HWND hwnd = wnd->m_hWnd;
    CWnd* draw_on = clip_wnd ? clip_wnd : wnd;
    CClientDC dc(draw_on);
    m_rectLast.SetRectEmpty();
    m_sizeLast = CSize(0, 0);
    m_bErase = m_bFinalErase = FALSE;
    DrawTrackerRect(&m_rect, clip_wnd, &dc, wnd);
    BOOL moved = FALSE;
    // The shared capture loop: a close request for the window waits until the
    // loop has ended, so the window and the DC outlive it.
    const kit::user::LoopStep step = kit::user::run_capture_loop(hwnd, [&](const MSG& msg) {
        using kit::user::LoopStep;
        if (msg.message == WM_MOUSEMOVE || msg.message == WM_LBUTTONUP) {
            CPoint now = AfxPointOf(msg.lParam);
            if (msg.hwnd != hwnd) ::MapWindowPoints(msg.hwnd, hwnd, &now, 1);
            const CSize delta = now - point;
            CRect next = original;
            if (handle == hitMiddle) {
                next.OffsetRect(delta);
            } else {
                if (handle == hitTopLeft || handle == hitBottomLeft || handle == hitLeft) next.left += delta.cx;
                if (handle == hitTopRight || handle == hitBottomRight || handle == hitRight) next.right += delta.cx;
                if (handle == hitTopLeft || handle == hitTopRight || handle == hitTop) next.top += delta.cy;
                if (handle == hitBottomLeft || handle == hitBottomRight || handle == hitBottom) next.bottom += delta.cy;
                if (next.Width() < m_sizeMin.cx) next.right = next.left + m_sizeMin.cx;
                if (next.Height() < m_sizeMin.cy) next.bottom = next.top + m_sizeMin.cy;
            }
            AdjustRect(handle, &next);
            if (next != m_rect) {
                m_rect = next;
                moved = TRUE;
                DrawTrackerRect(&m_rect, clip_wnd, &dc, wnd);
            }
            return msg.message == WM_LBUTTONUP ? LoopStep::finished : LoopStep::keep_going;
        }
        if ((msg.message == WM_KEYDOWN && msg.wParam == WPARAM(VK_ESCAPE)) || msg.message == WM_RBUTTONDOWN)
            return LoopStep::cancelled;
        return LoopStep::keep_going;
    });
    // Escape, a right click, a lost capture or WM_QUIT put the rectangle back.
    if (step != kit::user::LoopStep::finished) {
        m_rect = original;
        moved = FALSE;
    }
    m_bFinalErase = TRUE;
    DrawTrackerRect(&m_rect, clip_wnd, &dc, wnd);
    m_bFinalErase = FALSE;
    if (moved) OnChangedRect(original);
    return moved;
}
