#include "platform/afx/mini_frame.h"

IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)
IMPLEMENT_DYNCREATE(CMiniDockFrameWnd, CMiniFrameWnd)

BOOL CMiniFrameWnd::Create(const char* class_name, const char* title, DWORD style, const RECT& rect, CWnd* parent,
                           UINT) {
    m_strTitle = title;
    return CreateEx(WS_EX_TOOLWINDOW, class_name, title, style, rect.left, rect.top, rect.right - rect.left,
                    rect.bottom - rect.top, parent ? parent->GetTopLevelParent()->m_hWnd : nullptr, nullptr);
}

BEGIN_MESSAGE_MAP(CMiniDockFrameWnd, CMiniFrameWnd)
ON_WM_CLOSE()
ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
ON_WM_NCACTIVATE()
ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

BOOL CMiniDockFrameWnd::frame_active() const {
    HWND active = ::GetActiveWindow();
    return active && (active == m_hWnd || active == ::GetWindow(m_hWnd, GW_OWNER));
}

LRESULT CMiniDockFrameWnd::OnFloatStatus(WPARAM flags, LPARAM) {
    if (flags & (FS_ACTIVATE | FS_DEACTIVATE))
        DefWindowProc(WM_NCACTIVATE, (flags & FS_ACTIVATE) || ::GetActiveWindow() == m_hWnd, 0);
    return TRUE;
}

BOOL CMiniDockFrameWnd::OnNcActivate(BOOL active) {
    // The frame shows the pair's state: active with either of them, inactive once both lost it.
    HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
    if (owner && ::GetActiveWindow() != owner) ::SendMessage(owner, WM_NCACTIVATE, active, 0);
    return BOOL(DefWindowProc(WM_NCACTIVATE, active || frame_active(), 0));
}

void CMiniDockFrameWnd::OnShowWindow(BOOL show, UINT) {
    Default();
    if (show) DefWindowProc(WM_NCACTIVATE, frame_active(), 0);
}

BOOL CMiniDockFrameWnd::Create(CWnd* parent, DWORD style) {
    if (!CMiniFrameWnd::Create(nullptr, nullptr, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME,
                               CRect(0, 0, 100, 60), parent))
        return FALSE;
    const DWORD align = (style & CBRS_ALIGN_ANY) ? (style & CBRS_ALIGN_ANY) : CBRS_ALIGN_TOP;
    if (!m_wndDockBar.Create(this, align, AFX_IDW_DOCKBAR_FLOAT)) return FALSE;
    m_wndDockBar.m_bFloating = TRUE;
    m_wndDockBar.m_bAutoDelete = FALSE;  // a member, not a heap object
    // Bars floating here still belong to the main frame's bar list.
    m_wndDockBar.m_pDockSite = static_cast<CFrameWnd*>(CWnd::FromHandlePermanent(parent ? parent->m_hWnd : nullptr));
    RemoveControlBar(&m_wndDockBar);
    return TRUE;
}

void CMiniDockFrameWnd::RecalcLayout(BOOL) {
    if (!m_wndDockBar.m_hWnd) return;
    // Bars shown or hidden with delay take their state before the frame sizes to them.
    for (int i = 0; i < m_wndDockBar.GetSlotCount(); ++i)
        if (CControlBar* bar = m_wndDockBar.GetDockedControlBar(i)) ApplyDelayShow(bar);
    const BOOL horz = (m_wndDockBar.GetBarStyle() & CBRS_ORIENT_HORZ) != 0;
    const CSize inside = m_wndDockBar.CalcFixedLayout(FALSE, horz);
    if (m_wndDockBar.GetDockedCount() == 0) {
        ShowWindow(SW_HIDE);
        return;
    }
    CRect frame(0, 0, inside.cx, inside.cy);
    CalcWindowRect(&frame);
    SetWindowPos(nullptr, 0, 0, frame.Width(), frame.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_wndDockBar.SetWindowPos(nullptr, 0, 0, inside.cx, inside.cy, SWP_NOZORDER | SWP_NOACTIVATE);
    AFX_SIZEPARENTPARAMS layout{};
    layout.rect = CRect(0, 0, inside.cx, inside.cy);
    layout.hDWP = ::BeginDeferWindowPos(1);
    m_wndDockBar.SendMessage(WM_SIZEPARENT, 0, reinterpret_cast<LPARAM>(&layout));
    if (layout.hDWP) ::EndDeferWindowPos(layout.hDWP);
}

void CMiniDockFrameWnd::OnClose() {
    // Closing a floating frame hides its bars; the frame stays for when they come back.
    for (int i = 0; i < m_wndDockBar.GetSlotCount(); ++i)
        if (CControlBar* bar = m_wndDockBar.GetDockedControlBar(i)) bar->ShowWindow(SW_HIDE);
    ShowWindow(SW_HIDE);
}
