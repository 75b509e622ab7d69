#include "platform/afx/dock_context.h"

#include "platform/afx/frame.h"

CDockContext::CDockContext(CControlBar* bar) : m_pBar(bar), m_pDockSite(bar ? bar->m_pDockSite : nullptr) {}

void CDockContext::StartDrag(CPoint screen_point) {
    if (!InitLoop()) return;
    m_bDragging = TRUE;
    m_ptLast = screen_point;
    CRect bar_rect;
    m_pBar->GetWindowRect(&bar_rect);
    m_rectDragHorz = m_rectDragVert = bar_rect;
    m_rectFrameDragHorz = m_rectFrameDragVert = bar_rect;
    m_dwStyle = m_pBar->GetBarStyle();
    m_dwDockStyle = m_pBar->m_dwDockStyle;
}

void CDockContext::ToggleDocking() {
    if (!m_pBar->IsFloating() || !m_pDockSite) return;
    m_pDockSite->DockControlBar(m_pBar, m_uMRUDockID, m_rectMRUDockPos.IsRectEmpty() ? nullptr : &m_rectMRUDockPos);
    m_pDockSite->RecalcLayout();
}

BOOL CDockContext::InitLoop() {
    if (!m_pBar || !m_pBar->m_hWnd || ::GetCapture()) return FALSE;
    m_bFlip = FALSE;
    m_bForceFrame = FALSE;
    m_bDitherLast = FALSE;
    m_rectLast.SetRectEmpty();
    m_sizeLast = CSize(0, 0);
    m_dwOverDockStyle = 0;
    m_pBar->SetCapture();
    return TRUE;
}

void CDockContext::CancelLoop() {
    if (::GetCapture() == m_pBar->m_hWnd) ::ReleaseCapture();
    m_bDragging = FALSE;
    m_nHitTest = 0;
}

void CDockContext::OnKey(int key, BOOL down) {
    if (key == VK_CONTROL) m_bForceFrame = down;
    if (key == VK_SHIFT) m_bFlip = down;
    if (key == VK_ESCAPE && down) CancelLoop();
}
