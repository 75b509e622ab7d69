#include "uikit/frames/bar_host.h"

CControlBar* SECBarHost::GetHostedBar() const {
    if (!m_wndDockBar.m_hWnd || m_wndDockBar.GetDockedCount() != 1) return nullptr;
    for (int i = 0; i < m_wndDockBar.GetSlotCount(); ++i)
        if (CControlBar* bar = m_wndDockBar.GetDockedControlBar(i)) return bar;
    return nullptr;
}

void SECBarHost::host_pre_create(CREATESTRUCT& cs) { cs.dwExStyle &= ~WS_EX_CLIENTEDGE; }

BOOL SECBarHost::host_create_client() {
    // The dock bar belongs to the main frame's docking, and sits in this child.
    CMDIChildWnd* child = GetHostFrame();
    CMDIFrameWnd* main = child->GetMDIFrame();
    m_wndDockBar.m_bAutoDelete = FALSE;  // a member, not a heap object
    if (!m_wndDockBar.Create(main ? static_cast<CFrameWnd*>(main) : child, CBRS_ALIGN_LEFT, AFX_IDW_DOCKBAR_FLOAT))
        return FALSE;
    if (main) main->RemoveControlBar(&m_wndDockBar);
    m_wndDockBar.SetParent(child);
    return TRUE;
}

void SECBarHost::host_size(UINT type, int cx, int cy) {
    // The hosted bar fills the child.
    CControlBar* bar = GetHostedBar();
    if (bar && bar->IsVisible() && type != SIZE_MINIMIZED) {
        bar->CalcDynamicLayout(cx, LM_COMMIT | LM_MRUWIDTH);
        bar->CalcDynamicLayout(cy, LM_COMMIT | LM_MRUWIDTH | LM_LENGTHY);
    }
}

BOOL SECBarHost::host_close() {
    CControlBar* bar = GetHostedBar();
    if (!bar) return FALSE;
    // Closing hides the bar, so that it can be shown again; the next child becomes active.
    if (CMDIFrameWnd* main = GetHostFrame()->GetMDIFrame()) {
        ::SendMessage(main->m_hWndMDIClient, WM_MDINEXT, 0, 0);
        main->ShowControlBar(bar, FALSE, FALSE);
    }
    return TRUE;
}

void SECBarHost::host_window_pos_changed(const WINDOWPOS* pos) {
    if (CControlBar* bar = GetHostedBar())
        if (bar->m_pDockContext && !(pos->flags & SWP_NOMOVE))
            bar->m_pDockContext->m_ptMRUFloatPos = CPoint(pos->x, pos->y);
}
