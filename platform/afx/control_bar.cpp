#include "platform/afx/control_bar.h"

#include "platform/afx/cmd_ui.h"
#include "platform/afx/dock_bar.h"
#include "platform/afx/dock_context.h"
#include "platform/afx/dock_state.h"
#include "platform/afx/frame.h"

IMPLEMENT_DYNAMIC(CControlBar, CWnd)

BEGIN_MESSAGE_MAP(CControlBar, CWnd)
ON_MESSAGE(WM_SIZEPARENT, OnSizeParent)
ON_MESSAGE(WM_IDLEUPDATECMDUI, OnIdleUpdateCmdUI)
ON_WM_WINDOWPOSCHANGING()
ON_WM_ERASEBKGND()
ON_WM_PAINT()
ON_WM_DESTROY()
END_MESSAGE_MAP()

UINT afx_dock_bar_id_of(DWORD style) {
    if (style & CBRS_ALIGN_TOP) return AFX_IDW_DOCKBAR_TOP;
    if (style & CBRS_ALIGN_BOTTOM) return AFX_IDW_DOCKBAR_BOTTOM;
    if (style & CBRS_ALIGN_LEFT) return AFX_IDW_DOCKBAR_LEFT;
    if (style & CBRS_ALIGN_RIGHT) return AFX_IDW_DOCKBAR_RIGHT;
    return 0;
}

DWORD afx_align_of_dock_bar(UINT dock_bar_id) {
    switch (dock_bar_id) {
        case AFX_IDW_DOCKBAR_TOP: return CBRS_ALIGN_TOP;
        case AFX_IDW_DOCKBAR_BOTTOM: return CBRS_ALIGN_BOTTOM;
        case AFX_IDW_DOCKBAR_LEFT: return CBRS_ALIGN_LEFT;
        case AFX_IDW_DOCKBAR_RIGHT: return CBRS_ALIGN_RIGHT;
        default: return 0;
    }
}

DWORD afx_borders_facing_in(DWORD align) {
    switch (align) {
        case CBRS_ALIGN_TOP: return CBRS_BORDER_BOTTOM;
        case CBRS_ALIGN_BOTTOM: return CBRS_BORDER_TOP;
        case CBRS_ALIGN_LEFT: return CBRS_BORDER_RIGHT;
        default: return CBRS_BORDER_LEFT;
    }
}

CControlBar::~CControlBar() {
    delete m_pDockContext;
    if (m_pDockSite) m_pDockSite->RemoveControlBar(this);
}

BOOL CControlBar::create_bar(const char* title, DWORD window_style, DWORD bar_style, CWnd* parent, UINT id) {
    m_dwStyle = bar_style & CBRS_ALL;
    const char* bar_class =
        AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW), ::GetSysColorBrush(COLOR_BTNFACE));
    if (!CWnd::CreateEx(0, bar_class, title, (window_style & ~CBRS_ALL) | WS_CHILD | WS_CLIPSIBLINGS, CRect(0, 0, 0, 0),
                        parent, id))
        return FALSE;
    CWnd* frame = parent;
    if (frame && frame->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
        m_pDockSite = static_cast<CFrameWnd*>(frame);
        m_pDockSite->AddControlBar(this);
    }
    return TRUE;
}

void CControlBar::SetBarStyle(DWORD style) {
    if (m_dwStyle == style) return;
    m_dwStyle = style;
    Invalidate();
}

BOOL CControlBar::IsVisible() const {
    if (m_nStateFlags & delayHide) return FALSE;
    return (m_nStateFlags & delayShow) || (GetStyle() & WS_VISIBLE);
}

CFrameWnd* CControlBar::GetDockingFrame() const { return m_pDockSite ? m_pDockSite : GetParentFrame(); }

void CControlBar::DelayShow(BOOL show) {
    m_nStateFlags &= ~(delayShow | delayHide);
    const bool visible = (GetStyle() & WS_VISIBLE) != 0;
    if (show && !visible) m_nStateFlags |= delayShow;
    if (!show && visible) m_nStateFlags |= delayHide;
}

void CControlBar::CalcInsideRect(CRect& rect, BOOL horz) const {
    const DWORD style = m_dwStyle;
    if (style & CBRS_BORDER_LEFT) rect.left += 1;
    if (style & CBRS_BORDER_TOP) rect.top += 1;
    if (style & CBRS_BORDER_RIGHT) rect.right -= 1;
    if (style & CBRS_BORDER_BOTTOM) rect.bottom -= 1;
    if (horz) {
        rect.left += m_cxLeftBorder + ((style & CBRS_GRIPPER) ? 6 : 0);
        rect.right -= m_cxRightBorder;
        rect.top += m_cyTopBorder;
        rect.bottom -= m_cyBottomBorder;
    } else {
        rect.left += m_cyTopBorder;
        rect.right -= m_cyBottomBorder;
        rect.top += m_cxLeftBorder + ((style & CBRS_GRIPPER) ? 6 : 0);
        rect.bottom -= m_cxRightBorder;
    }
}

CSize CControlBar::CalcFixedLayout(BOOL stretch, BOOL horz) {
    // The borders alone; bars with contents add theirs. A stretched bar spans its side.
    CRect inside(0, 0, 0, 0);
    CalcInsideRect(inside, horz);
    const CSize borders(-inside.Width(), -inside.Height());
    if (!stretch) return borders;
    return horz ? CSize(32767, borders.cy) : CSize(borders.cx, 32767);
}

CSize CControlBar::CalcDynamicLayout(int, DWORD mode) {
    return CalcFixedLayout((mode & LM_STRETCH) != 0, (mode & LM_HORZ) != 0);
}

LRESULT CControlBar::OnSizeParent(WPARAM, LPARAM lParam) {
    auto* layout = reinterpret_cast<AFX_SIZEPARENTPARAMS*>(lParam);
    const DWORD style = m_dwStyle;
    // A hidden or floating bar takes no room.
    if (!(GetStyle() & WS_VISIBLE) || (style & CBRS_FLOATING) || !(style & CBRS_ALIGN_ANY)) return 0;
    const BOOL horz = (style & CBRS_ORIENT_HORZ) != 0;
    CRect free(layout->rect);
    CSize available(free.Width(), free.Height());
    CSize size =
        (style & CBRS_SIZE_DYNAMIC)
            ? CalcDynamicLayout(horz ? available.cx : available.cy,
                                (layout->bStretch ? LM_STRETCH : 0) | (horz ? LM_HORZ | LM_HORZDOCK : LM_VERTDOCK))
            : CalcFixedLayout(layout->bStretch, horz);
    size.cx = std::min<LONG>(size.cx, available.cx);
    size.cy = std::min<LONG>(size.cy, available.cy);
    CRect place = free;
    if (style & CBRS_ALIGN_TOP) {
        place.bottom = place.top + size.cy;
        layout->rect.top += size.cy;
    } else if (style & CBRS_ALIGN_BOTTOM) {
        place.top = place.bottom - size.cy;
        layout->rect.bottom -= size.cy;
    } else if (style & CBRS_ALIGN_LEFT) {
        place.right = place.left + size.cx;
        layout->rect.left += size.cx;
    } else {
        place.left = place.right - size.cx;
        layout->rect.right -= size.cx;
    }
    if (horz) place.right = place.left + size.cx;
    if (!horz) place.bottom = place.top + size.cy;
    if (layout->hDWP) {
        layout->hDWP = ::DeferWindowPos(layout->hDWP, m_hWnd, nullptr, place.left, place.top, place.Width(),
                                        place.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return 0;
}

LRESULT CControlBar::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM) {
    if (!(GetStyle() & WS_VISIBLE)) return 0;
    // The owner frame's routing decides: its active child, view and document come first.
    CWnd* owner = GetOwner();
    CFrameWnd* target =
        owner && owner->IsKindOf(RUNTIME_CLASS(CFrameWnd)) ? static_cast<CFrameWnd*>(owner) : GetParentFrame();
    if (target) OnUpdateCmdUI(target, BOOL(wParam));
    return 0;
}

void CControlBar::OnWindowPosChanging(WINDOWPOS* pos) {
    Default();
    // Moving a bar repaints it whole, since its borders depend on its size.
    if (!(pos->flags & SWP_NOSIZE)) Invalidate();
}

BOOL CControlBar::OnEraseBkgnd(CDC* dc) {
    CRect area;
    GetClientRect(&area);
    dc->FillSolidRect(&area, ::GetSysColor(COLOR_BTNFACE));
    return TRUE;
}

void CControlBar::OnPaint() {
    CPaintDC dc(this);
    DoPaint(&dc);
}

void CControlBar::DoPaint(CDC* dc) {
    CRect area;
    GetClientRect(&area);
    DrawBorders(dc, area);
}

void CControlBar::DrawBorders(CDC* dc, CRect& rect) {
    const COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW), light = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    if (m_dwStyle & CBRS_BORDER_TOP) dc->FillSolidRect(rect.left, rect.top, rect.Width(), 1, light);
    if (m_dwStyle & CBRS_BORDER_BOTTOM) dc->FillSolidRect(rect.left, rect.bottom - 1, rect.Width(), 1, shadow);
    if (m_dwStyle & CBRS_BORDER_LEFT) dc->FillSolidRect(rect.left, rect.top, 1, rect.Height(), light);
    if (m_dwStyle & CBRS_BORDER_RIGHT) dc->FillSolidRect(rect.right - 1, rect.top, 1, rect.Height(), shadow);
    if (m_dwStyle & CBRS_GRIPPER) {
        const bool horz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
        const CRect grip = horz ? CRect(rect.left + 3, rect.top + 3, rect.left + 6, rect.bottom - 3)
                                : CRect(rect.left + 3, rect.top + 3, rect.right - 3, rect.top + 6);
        dc->Draw3dRect(&grip, light, shadow);
    }
    CalcInsideRect(rect, (m_dwStyle & CBRS_ORIENT_HORZ) != 0);
}

void CControlBar::GetBarInfo(CControlBarInfo* info) {
    info->m_nBarID = UINT(GetDlgCtrlID());
    info->m_pBar = this;
    info->m_bVisible = IsVisible();
    info->m_bFloating = IsFloating();
    info->m_bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    CRect place;
    GetWindowRect(&place);
    CWnd* relative_to = m_pDockBar ? static_cast<CWnd*>(m_pDockBar) : GetParent();
    if (relative_to) relative_to->ScreenToClient(&place);
    info->m_pointPos = place.TopLeft();
    info->m_bDocking = !info->m_bFloating;
    info->m_uMRUDockID = afx_dock_bar_id_of(m_dwStyle);
    info->m_rectMRUDockPos = place;
    info->m_nMRUWidth = UINT(m_sizeMRU.cx > 0 ? m_sizeMRU.cx : 32767);
}

void CControlBar::SetBarInfo(CControlBarInfo* info, CFrameWnd*) {
    // A bar in a dock bar's rows is placed by them; a bar of its own takes its saved side.
    if (!m_pDockBar) {
        if (const DWORD align = afx_align_of_dock_bar(info->m_uMRUDockID))
            SetBarStyle((m_dwStyle & ~(CBRS_ALIGN_ANY | CBRS_BORDER_ANY)) | align | afx_borders_facing_in(align));
    }
    m_nStateFlags &= ~(delayShow | delayHide);
    SetWindowPos(
        nullptr, 0, 0, 0, 0,
        SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | (info->m_bVisible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
}

void CControlBar::OnDestroy() {
    leave_tools();
    if (m_pDockSite) m_pDockSite->RemoveControlBar(this);
    m_pDockSite = nullptr;
    Default();
}

void CControlBar::PostNcDestroy() {
    if (m_bAutoDelete) delete this;
}
