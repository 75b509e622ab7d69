#include "uikit/frames/dock_context.h"

#include <cstdlib>

#include "platform/user/modal_loop.h"
#include "uikit/frames/control_bar.h"
#include "uikit/frames/dock_bar.h"
#include "uikit/frames/dock_site.h"

namespace {

SECControlBar* as_sec(CControlBar* bar) {
    return bar && bar->IsKindOf(RUNTIME_CLASS(SECControlBar)) ? static_cast<SECControlBar*>(bar) : nullptr;
}

SECDockBar* as_sec_dock(CDockBar* dock_bar) {
    return dock_bar && dock_bar->IsKindOf(RUNTIME_CLASS(SECDockBar)) ? static_cast<SECDockBar*>(dock_bar) : nullptr;
}

bool is_frame_dock_bar(UINT id) { return id >= AFX_IDW_DOCKBAR_TOP && id <= AFX_IDW_DOCKBAR_BOTTOM; }

// The floating frame's border around a bar, as left, top, right and bottom widths.
CRect floating_frame_border() {
    CRect r(0, 0, 0, 0);
    ::AdjustWindowRectEx(&r, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, FALSE, WS_EX_TOOLWINDOW);
    return CRect(-r.left, -r.top, r.right, r.bottom);
}

// Moves the rectangle so that the point lies inside it: by the difference when
// the point is left of or above it, to `border` inside its far edge otherwise.
void bring_under(CRect& r, CPoint point, CSize border) {
    if (point.x < r.left) r.OffsetRect(point.x - r.left, 0);
    if (point.x >= r.right) r.OffsetRect(point.x - r.right + border.cx, 0);
    if (point.y < r.top) r.OffsetRect(0, point.y - r.top);
    if (point.y >= r.bottom) r.OffsetRect(0, point.y - r.bottom + border.cy);
}

constexpr int kSecEmptyDockReach = 4;

bool is_vertical_side(DWORD align) { return (align & CBRS_ORIENT_VERT) != 0; }

}  // namespace

SECDockContext::SECDockContext(CControlBar* bar) : CDockContext(bar), frame_border_(floating_frame_border()) {
    m_cxMinFloat =
        ::GetSystemMetrics(SM_CXMENUSIZE) + 2 * (::GetSystemMetrics(SM_CXFRAME) + ::GetSystemMetrics(SM_CXBORDER));
    m_cyMinFloat =
        ::GetSystemMetrics(SM_CYSMCAPTION) + 2 * (::GetSystemMetrics(SM_CYFRAME) + ::GetSystemMetrics(SM_CYBORDER));
    m_cxMaxFloat = ::GetSystemMetrics(SM_CXFULLSCREEN);
    m_cyMaxFloat = ::GetSystemMetrics(SM_CYFULLSCREEN);
    m_ptMRUFloatPos = CPoint(-1, -1);
}

SECDockContext::~SECDockContext() = default;

// ---- the loop ---------------------------------------------------------------------------

BOOL SECDockContext::Track() {
    if (!m_pBar->m_hWnd) return FALSE;
    const HWND bar = m_pBar->m_hWnd;
    const kit::user::LoopStep step = kit::user::run_capture_loop(bar, [&](const MSG& msg) {
        switch (msg.message) {
            case WM_MOUSEMOVE:
            case WM_LBUTTONUP: {
                CPoint at = AfxPointOf(msg.lParam);
                ::ClientToScreen(msg.hwnd, &at);
                m_bDragging ? Move(at) : Stretch(at);
                return msg.message == WM_LBUTTONUP ? kit::user::LoopStep::finished : kit::user::LoopStep::keep_going;
            }
            case WM_KEYDOWN:
            case WM_KEYUP:
                if (msg.wParam == WPARAM(VK_ESCAPE)) return kit::user::LoopStep::cancelled;
                if (m_bDragging) {
                    OnKey(int(msg.wParam), msg.message == WM_KEYDOWN);
                    Move(m_ptLast);
                }
                return kit::user::LoopStep::keep_going;
            case WM_RBUTTONDOWN: return kit::user::LoopStep::cancelled;
            default: return kit::user::LoopStep::keep_going;
        }
    });
    if (step == kit::user::LoopStep::finished) return TRUE;
    CancelLoop();
    return FALSE;
}

void SECDockContext::CancelLoop() {
    DrawFocusRect(TRUE);
    delete m_pDC;
    m_pDC = nullptr;
    if (locked_) ::LockWindowUpdate(nullptr);
    locked_ = false;
    const bool was_running = m_bDragging || m_nHitTest;
    CDockContext::CancelLoop();
    if (was_running && m_pDockSite && m_pDockSite->m_hWnd)
        m_pDockSite->SendMessage(WM_SETMESSAGESTRING, AFX_IDS_IDLEMESSAGE);
}

// ---- dragging ---------------------------------------------------------------------------

void SECDockContext::StartDrag(CPoint point) {
    m_nDropRowLast = -1;
    m_ptDragStart = point;
    if (!m_pDockSite || !InitLoop()) return;
    m_bDragging = TRUE;
    m_pDockSite->SendMessage(WM_SETMESSAGESTRING, IDS_SEC_DRAG_PROMPT);
    m_dwStyle = m_pBar->GetBarStyle();
    m_dwDockStyle = m_pBar->m_dwDockStyle;

    CRect rect;
    m_pBar->GetWindowRect(&rect);
    const CPoint at = rect.TopLeft();
    const bool horz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    CSize size_horz, size_vert, size_float_horz, size_float_vert;
    if (m_dwStyle & CBRS_SIZE_DYNAMIC) {
        size_horz = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_HORZDOCK);
        size_vert = m_pBar->CalcDynamicLayout(0, LM_VERTDOCK);
        size_float_horz = size_float_vert = m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH);
    } else if (m_dwStyle & CBRS_SIZE_FIXED) {
        size_float_horz = size_horz = m_pBar->CalcDynamicLayout(-1, LM_HORZ | LM_HORZDOCK);
        size_float_vert = size_vert = m_pBar->CalcDynamicLayout(-1, LM_VERTDOCK);
    } else {
        size_horz = horz ? rect.Size() : m_pBar->CalcDynamicLayout(-1, LM_HORZ | LM_HORZDOCK);
        size_vert = horz ? m_pBar->CalcDynamicLayout(-1, LM_VERTDOCK) : rect.Size();
        size_float_horz = size_horz, size_float_vert = size_vert;
    }
    m_rectDragHorz = CRect(at, size_horz);
    m_rectDragVert = CRect(at, size_vert);
    // The floating outlines are the floating frame's: the bar inside its border.
    const auto frame_around = [&](CSize size) {
        CRect r(at, size);
        r.InflateRect(frame_border_.left, frame_border_.top, frame_border_.right, frame_border_.bottom);
        if (m_pBar->IsFloating()) r.OffsetRect(frame_border_.left, frame_border_.top);
        return r;
    };
    m_rectFrameDragHorz = frame_around(size_float_horz);
    m_rectFrameDragVert = frame_around(size_float_vert);
    // A floating bar's outline is its own frame's.
    if (CWnd* floating = floating_frame()) {
        floating->GetWindowRect(&m_rectFrameDragHorz);
        m_rectFrameDragVert = m_rectFrameDragHorz;
    }
    const CSize border(::GetSystemMetrics(SM_CXBORDER), ::GetSystemMetrics(SM_CYBORDER));
    for (CRect* r : {&m_rectDragHorz, &m_rectDragVert, &m_rectFrameDragHorz, &m_rectFrameDragVert})
        bring_under(*r, point, border);

    m_ptLast = point;
    locked_ = ::LockWindowUpdate(m_pDockSite->m_hWnd) != FALSE;
    m_pDC = new CClientDC(m_pDockSite);
    m_dwOverDockStyle = CanDock();
    Move(point);
    if (Track()) EndDrag();
}

CWnd* SECDockContext::floating_frame() const {
    CDockBar* dock_bar = m_pBar->m_pDockBar;
    return m_pBar->IsFloating() && dock_bar && dock_bar->m_bFloating ? dock_bar->GetParent() : nullptr;
}

bool SECDockContext::moved_too_little() const {
    if (!m_pBar->IsFloating()) return false;
    return std::abs(m_ptLast.x - m_ptDragStart.x) + std::abs(m_ptLast.y - m_ptDragStart.y) < kSecFloatDockThreshold;
}

bool SECDockContext::vertical_feedback() const {
    const bool vert = (m_dwStyle & CBRS_ORIENT_VERT) != 0 && !(m_dwStyle & CBRS_FLOATING);
    return vert != bool(m_bFlip);
}

// The dock bar of an allowed side that the rectangle reaches, the one under the
// mouse first; a side dock bar counts only when the mouse is over it.
CDockBar* SECDockContext::dock_bar_for(const CRect& rect, DWORD sides) const {
    CDockBar* reached = nullptr;
    for (UINT id : {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT}) {
        CControlBar* found = m_pDockSite->GetControlBar(id);
        if (!found || !(sides & afx_align_of_dock_bar(id)) || !found->IsKindOf(RUNTIME_CLASS(CDockBar))) continue;
        CRect area;
        found->GetWindowRect(&area);
        // An empty dock bar still catches what comes within a few pixels of its edge of the frame.
        if (area.Width() == 0) area.InflateRect(kSecEmptyDockReach, 0);
        if (area.Height() == 0) area.InflateRect(0, kSecEmptyDockReach);
        CRect overlap;
        if (!overlap.IntersectRect(&area, &rect)) continue;
        if (area.PtInRect(m_ptLast)) return static_cast<CDockBar*>(found);
        if (!reached && !is_vertical_side(afx_align_of_dock_bar(id))) reached = static_cast<CDockBar*>(found);
    }
    return reached;
}

DWORD SECDockContext::CanDock() {
    const bool horz_first = !vertical_feedback();
    const auto try_side = [&](bool horz) {
        return horz ? dock_bar_for(m_rectDragHorz, m_dwDockStyle & CBRS_ORIENT_HORZ)
                    : dock_bar_for(m_rectDragVert, m_dwDockStyle & CBRS_ORIENT_VERT);
    };
    CDockBar* found = try_side(horz_first);
    if (!found && !m_bFlip) found = try_side(!horz_first);
    target_ = found;
    return found ? found->GetBarStyle() & CBRS_ALIGN_ANY : 0;
}

void SECDockContext::Move(CPoint point) {
    const CSize delta = point - m_ptLast;
    for (CRect* r : {&m_rectDragHorz, &m_rectDragVert, &m_rectFrameDragHorz, &m_rectFrameDragVert})
        r->OffsetRect(delta);
    m_ptLast = point;
    if (::GetKeyState(VK_CONTROL) < 0) m_bForceFrame = TRUE;
    m_dwOverDockStyle = m_bForceFrame ? 0 : CanDock();
    if (!m_dwOverDockStyle) target_ = nullptr;
    DrawFocusRect();
}

void SECDockContext::DrawFocusRect(BOOL remove) {
    if (!m_pDC) return;
    CRect rect(0, 0, 0, 0);
    CSize size(0, 0);
    bool halftone = false;
    if (!remove) {
        if (target_ && !moved_too_little()) {
            if (SECDockBar* dock_bar = as_sec_dock(target_)) {
                dock_bar->CalcDropRect(m_pBar, m_ptLast,
                                       is_vertical_side(m_dwOverDockStyle) ? m_rectDragVert : m_rectDragHorz,
                                       m_rectDropLast, m_nDropRowLast);
                m_ptDropLast = m_ptLast;
                rect = m_rectDropLast;
            } else {
                rect = is_vertical_side(m_dwOverDockStyle) ? m_rectDragVert : m_rectDragHorz;
            }
            rect.DeflateRect(1, 1);
            size = CSize(1, 1);
        } else {
            rect = vertical_feedback() ? m_rectFrameDragVert : m_rectFrameDragHorz;
            size = CSize(::GetSystemMetrics(SM_CXFRAME) - 1, ::GetSystemMetrics(SM_CYFRAME) - 1);
            halftone = true;
            m_nDropRowLast = -1;
        }
        m_pDockSite->ScreenToClient(&rect);
    }
    const bool drawn = m_sizeLast.cx || m_sizeLast.cy;
    if (!drawn && remove) return;
    HBRUSH white = static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH));
    ::DrawDragRect(m_pDC->m_hDC, &rect, size, drawn ? &m_rectLast : nullptr, m_sizeLast, halftone ? nullptr : white,
                   brush_halftone_last_ ? nullptr : white);
    m_rectLast = rect;
    m_sizeLast = size;
    brush_halftone_last_ = halftone;
}

void SECDockContext::EndDrag() {
    CDockBar* target = target_;
    const bool docks = target && m_dwOverDockStyle && !moved_too_little();
    const DWORD style = m_dwStyle;
    const CRect frame_rect = vertical_feedback() ? m_rectFrameDragVert : m_rectFrameDragHorz;
    const DWORD float_align = !(style & CBRS_SIZE_DYNAMIC) && vertical_feedback() ? CBRS_ALIGN_LEFT : CBRS_ALIGN_TOP;
    const bool moved = m_ptLast != m_ptDragStart;
    CancelLoop();
    // A click without a move leaves the bar where it is.
    if (!moved) return;
    if (docks) {
        dock_at(target, m_ptLast);
    } else {
        float_at(frame_rect.TopLeft(), float_align | (m_dwDockStyle & CBRS_FLOAT_MULTI));
    }
}

void SECDockContext::dock_at(CDockBar* dock_bar, CPoint point) {
    SECControlBar* sec = as_sec(m_pBar);
    const bool was_floating = m_pBar->IsFloating();
    const DWORD side = dock_bar->GetBarStyle() & CBRS_ALIGN_ANY;
    CRect rect = is_vertical_side(side) ? m_rectDragVert : m_rectDragHorz;
    const UINT id = UINT(dock_bar->GetDlgCtrlID());
    if (is_frame_dock_bar(id)) {
        m_uMRUDockID = id;
        m_rectMRUDockPos = rect;
        dock_bar->ScreenToClient(&m_rectMRUDockPos);
    }
    SECDockBar* sec_dock = as_sec_dock(dock_bar);
    SECDockSite* frame = sec_dock_site(m_pDockSite);
    if (sec_dock && frame && sec) {
        const SECDockPos position = sec_dock->DropPosition(m_pBar, point);
        const float pct = was_floating ? sec->m_fSavedPctWidth : sec->m_fPctWidth;
        // The bar keeps its own sizes: the thickness given is what it has for the state it is in.
        const int height = was_floating             ? sec->m_szFloat.cy
                           : is_vertical_side(side) ? sec->m_szVertDock.cx
                                                    : sec->m_szHorzDock.cy;
        frame->DockControlBarEx(m_pBar, position, id, SECDockSize{pct, height, 0});
        // A bar coming in from floating keeps its size when its row is shared out again.
        sec_dock->SetActiveBar(sec);
    } else {
        m_pDockSite->DockControlBar(m_pBar, id, &rect);
    }
    m_pDockSite->RecalcLayout();
}

void SECDockContext::float_at(CPoint point, DWORD style) {
    SECControlBar* sec = as_sec(m_pBar);
    if (!m_pBar->IsFloating()) {
        if (sec) sec->m_fSavedPctWidth = sec->m_fPctWidth;
        // Where it was docked, for docking again by a double click.
        if (CDockBar* dock_bar = m_pBar->m_pDockBar; dock_bar && is_frame_dock_bar(UINT(dock_bar->GetDlgCtrlID()))) {
            m_uMRUDockID = UINT(dock_bar->GetDlgCtrlID());
            m_pBar->GetWindowRect(&m_rectMRUDockPos);
            dock_bar->ScreenToClient(&m_rectMRUDockPos);
        }
    }
    m_dwMRUFloatStyle = style;
    m_ptMRUFloatPos = point;
    CWnd* floating = floating_frame();
    if (floating && m_pBar->m_pDockBar->GetDockedCount() == 1) {
        // Alone in its floating frame: the frame moves.
        floating->SetWindowPos(nullptr, point.x, point.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        static_cast<CFrameWnd*>(floating)->RecalcLayout();
        return;
    }
    if (SECDockSite* frame = sec_dock_site(m_pDockSite)) {
        frame->FloatControlBarEx(m_pBar, point.x, point.y, style);
    } else {
        m_pDockSite->FloatControlBar(m_pBar, point, style);
    }
}

// ---- resizing a floating bar ----------------------------------------------------------------

void SECDockContext::StartResize(int hit_test, CPoint point) {
    if (!m_pDockSite || hit_test < HTLEFT || hit_test > HTBOTTOMRIGHT || !InitLoop()) return;
    m_nHitTest = hit_test;
    m_bDragging = FALSE;
    m_dwStyle = m_pBar->GetBarStyle();
    m_dwDockStyle = m_pBar->m_dwDockStyle;
    CRect bar_rect;
    m_pBar->GetWindowRect(&bar_rect);
    resize_bar_rect_ = CRect(bar_rect.TopLeft(), m_pBar->CalcDynamicLayout(0, LM_HORZ | LM_MRUWIDTH));
    m_rectFrameDragHorz = resize_bar_rect_;
    m_rectFrameDragHorz.InflateRect(frame_border_.left, frame_border_.top, frame_border_.right, frame_border_.bottom);
    if (CWnd* floating = floating_frame()) {
        // The border is what the floating frame really has around the bar.
        floating->GetWindowRect(&m_rectFrameDragHorz);
        frame_border_ = CRect(bar_rect.left - m_rectFrameDragHorz.left, bar_rect.top - m_rectFrameDragHorz.top,
                              m_rectFrameDragHorz.right - bar_rect.right, m_rectFrameDragHorz.bottom - bar_rect.bottom);
        resize_bar_rect_ = bar_rect;
    }
    m_ptLast = point;
    locked_ = ::LockWindowUpdate(m_pDockSite->m_hWnd) != FALSE;
    m_pDC = new CClientDC(m_pDockSite);
    Stretch(point);
    if (Track()) EndResize();
}

void SECDockContext::Stretch(CPoint point) {
    const CSize delta = point - m_ptLast;
    m_ptLast = point;
    CRect r = m_rectFrameDragHorz;
    const int hit = m_nHitTest;
    const bool left = hit == HTLEFT || hit == HTTOPLEFT || hit == HTBOTTOMLEFT;
    const bool right = hit == HTRIGHT || hit == HTTOPRIGHT || hit == HTBOTTOMRIGHT;
    const bool top = hit == HTTOP || hit == HTTOPLEFT || hit == HTTOPRIGHT;
    const bool bottom = hit == HTBOTTOM || hit == HTBOTTOMLEFT || hit == HTBOTTOMRIGHT;
    SECControlBar* sec = as_sec(m_pBar);
    const bool bounded = sec && !(sec->m_dwExStyle & CBRS_EX_FIXEDSIZE);
    // A bar that is not a toolkit bar moves only the four sides.
    const bool corner = (left || right) && (top || bottom);
    if (!bounded && corner) return;
    if (left) r.left += delta.cx;
    if (right) r.right += delta.cx;
    if (top) r.top += delta.cy;
    if (bottom) r.bottom += delta.cy;
    if (bounded) {
        // An edge that would make the frame too small or too large stays where it was.
        if (r.Width() < m_cxMinFloat || r.Width() > m_cxMaxFloat)
            r.left = m_rectFrameDragHorz.left, r.right = m_rectFrameDragHorz.right;
        if (r.Height() < m_cyMinFloat || r.Height() > m_cyMaxFloat)
            r.top = m_rectFrameDragHorz.top, r.bottom = m_rectFrameDragHorz.bottom;
    }
    m_rectFrameDragHorz = r;
    resize_bar_rect_ = r;
    resize_bar_rect_.DeflateRect(frame_border_.left, frame_border_.top, frame_border_.right, frame_border_.bottom);
    // The feedback is the frame's outline.
    target_ = nullptr;
    DrawFocusRect();
}

void SECDockContext::commit_float_size(const CRect& bar_rect) {
    m_pBar->CalcDynamicLayout(bar_rect.Width(), LM_HORZ | LM_COMMIT);
    m_pBar->CalcDynamicLayout(bar_rect.Height(), LM_HORZ | LM_LENGTHY | LM_COMMIT);
}

void SECDockContext::EndResize() {
    const CRect bar_rect = resize_bar_rect_;
    const CPoint at = m_rectFrameDragHorz.TopLeft();
    CancelLoop();
    commit_float_size(bar_rect);
    float_at(at, CBRS_ALIGN_TOP | CBRS_SIZE_DYNAMIC | (m_dwDockStyle & CBRS_FLOAT_MULTI));
}

// ---- toggling -----------------------------------------------------------------------------

void SECDockContext::ToggleDocking() {
    if (!m_pDockSite) return;
    m_dwDockStyle = m_pBar->m_dwDockStyle;
    if (!m_pBar->IsFloating()) {
        CPoint at = m_ptMRUFloatPos;
        if (at.x < 0 || at.y < 0) {
            CRect docked;
            m_pBar->GetWindowRect(&docked);
            at = docked.TopLeft();
        }
        float_at(at, m_dwMRUFloatStyle ? m_dwMRUFloatStyle : CBRS_ALIGN_TOP | (m_dwDockStyle & CBRS_FLOAT_MULTI));
        return;
    }
    if (!(m_dwDockStyle & CBRS_ALIGN_ANY)) return;
    CControlBar* found = m_uMRUDockID ? m_pDockSite->GetControlBar(m_uMRUDockID) : nullptr;
    if (!found || !(m_dwDockStyle & afx_align_of_dock_bar(m_uMRUDockID))) {
        // Never docked by hand: the first side the bar allows.
        for (UINT id : {AFX_IDW_DOCKBAR_TOP, AFX_IDW_DOCKBAR_BOTTOM, AFX_IDW_DOCKBAR_LEFT, AFX_IDW_DOCKBAR_RIGHT}) {
            if ((m_dwDockStyle & afx_align_of_dock_bar(id)) && (found = m_pDockSite->GetControlBar(id))) {
                m_uMRUDockID = id;
                m_rectMRUDockPos.SetRectEmpty();
                break;
            }
        }
    }
    if (!found || !found->IsKindOf(RUNTIME_CLASS(CDockBar))) return;
    auto* dock_bar = static_cast<CDockBar*>(found);
    CRect docked = m_rectMRUDockPos;
    dock_bar->ClientToScreen(&docked);
    if (m_pBar->m_dwStyle & CBRS_BORDER_TOP) docked.right += 1;
    m_rectDragHorz = m_rectDragVert = docked;
    dock_at(dock_bar, docked.CenterPoint());
}

void SECDockContext::ToggleMDIFloat() {
    SECDockSite* site = sec_dock_site(m_pDockSite);
    SECControlBar* sec = as_sec(m_pBar);
    if (!site || !site->IsMDISite() || !sec) return;
    const DWORD style = m_dwMRUFloatStyle ? m_dwMRUFloatStyle : CBRS_ALIGN_TOP;
    if (!sec->IsMDIChild()) {
        m_bWasFloating = m_pBar->IsFloating();
        if (!m_bWasFloating) sec->m_fSavedPctWidth = sec->m_fPctWidth;
        if (CDockBar* dock_bar = m_pBar->m_pDockBar; dock_bar && is_frame_dock_bar(UINT(dock_bar->GetDlgCtrlID()))) {
            m_uMRUDockID = UINT(dock_bar->GetDlgCtrlID());
            m_pBar->GetWindowRect(&m_rectMRUDockPos);
            dock_bar->ScreenToClient(&m_rectMRUDockPos);
        }
        site->FloatControlBarAsMDIChild(m_pBar, m_ptMRUFloatPos.x, m_ptMRUFloatPos.y, style);
        return;
    }
    if (!m_bWasFloating && (m_pBar->m_dwDockStyle & CBRS_ALIGN_ANY) && m_uMRUDockID) {
        CControlBar* found = m_pDockSite->GetControlBar(m_uMRUDockID);
        if (!found || !found->IsKindOf(RUNTIME_CLASS(CDockBar))) return;
        CRect docked = m_rectMRUDockPos;
        found->ClientToScreen(&docked);
        m_rectDragHorz = m_rectDragVert = docked;
        sec->m_fPctWidth = sec->m_fSavedPctWidth;
        // dock_at takes the relative width the bar has while it is not floating.
        dock_at(static_cast<CDockBar*>(found), docked.CenterPoint());
        return;
    }
    sec->m_fPctWidth = sec->m_fSavedPctWidth;
    CPoint at = m_ptMRUFloatPos;
    if (at.x < 0 || at.y < 0) at = CPoint(100, 100);
    site->FloatControlBarEx(m_pBar, at.x, at.y, style);
}

// ---- the floating frame -------------------------------------------------------------------

IMPLEMENT_DYNCREATE(SECMiniDockFrameWnd, CMiniDockFrameWnd)

BEGIN_MESSAGE_MAP(SECMiniDockFrameWnd, CMiniDockFrameWnd)
ON_WM_NCLBUTTONDOWN()
ON_WM_NCLBUTTONDBLCLK()
END_MESSAGE_MAP()

CControlBar* SECMiniDockFrameWnd::GetSingleBar() const {
    if (m_wndDockBar.GetDockedCount() != 1) return nullptr;
    for (int i = 0; i < m_wndDockBar.GetSlotCount(); ++i)
        if (CControlBar* bar = m_wndDockBar.GetDockedControlBar(i)) return bar;
    return nullptr;
}

void SECMiniDockFrameWnd::RecalcLayout(BOOL notify) {
    if (m_bInRecalcLayout) return;
    m_bInRecalcLayout = TRUE;
    CMiniDockFrameWnd::RecalcLayout(notify);
    m_bInRecalcLayout = FALSE;
    const CControlBar* bar = GetSingleBar();
    const CString title = bar ? bar->GetWindowText() : CString();
    if (GetWindowText() != title) SetWindowText(title);
}

void SECMiniDockFrameWnd::OnNcLButtonDown(UINT hit, CPoint point) {
    CControlBar* bar = GetSingleBar();
    CDockContext* context = bar ? bar->m_pDockContext : nullptr;
    auto* sec_context = dynamic_cast<SECDockContext*>(context);
    if (sec_context && hit == UINT(HTCAPTION) && !(m_wndDockBar.GetBarStyle() & CBRS_FLOAT_MULTI)) {
        sec_context->StartDrag(point);
        return;
    }
    if (sec_context && hit >= UINT(HTLEFT) && hit <= UINT(HTBOTTOMRIGHT)) {
        sec_context->StartResize(int(hit), point);
        return;
    }
    Default();
}

void SECMiniDockFrameWnd::OnNcLButtonDblClk(UINT hit, CPoint point) {
    CControlBar* bar = GetSingleBar();
    if (hit == UINT(HTCAPTION) && bar && bar->m_pDockContext) {
        bar->m_pDockContext->ToggleDocking();
        return;
    }
    Default();
}
