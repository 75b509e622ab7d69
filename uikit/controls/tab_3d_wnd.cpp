#include "uikit/controls/tab_3d_wnd.h"

IMPLEMENT_DYNAMIC(SEC3DTabWnd, SECTabWndBase)

BEGIN_MESSAGE_MAP(SEC3DTabWnd, SECTabWndBase)
ON_WM_SIZE()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

BOOL SEC3DTabWnd::Create(CWnd* parent, DWORD style, UINT id) {
    style_ = ((style & 0x2) ? 2 : (style & 0x1) ? 1 : 0) | (style & 0xFF0);
    if (!CreateFrameWindow(parent, style & ~DWORD(0xFF3), id, false)) return FALSE;
    return CreateTabCtrl(style_, kTabCtrlId);
}

BOOL SEC3DTabWnd::CreateTabCtrl(DWORD style, UINT id) {
    auto control = std::make_unique<SEC3DTabControl>();
    if (!control->Create(style | WS_VISIBLE, CRect(0, 0, 0, 0), this, id)) return FALSE;
    tab_ctrl_ = std::move(control);
    return TRUE;
}

void SEC3DTabWnd::GetInsideRect(CRect* r) const {
    GetClientRect(r);
    const int s = kStripSize;
    if (style_ & SEC3DTabControl::kBelow)
        *r = CRect(r->left + 6, r->top + 4, r->right - 7, r->bottom - (s + 1));
    else if (style_ & SEC3DTabControl::kAbove)
        *r = CRect(r->left + 6, r->top + s + 1, r->right - 7, r->bottom - 4);
    else if (style_ & SEC3DTabControl::kLeft)
        *r = CRect(r->left + s + 1, r->top + 4, r->right - 7, r->bottom - 6);
    else
        *r = CRect(r->left + 6, r->top + 4, r->right - (s + 1), r->bottom - 6);
    if (r->right < r->left) r->right = r->left;
    if (r->bottom < r->top) r->bottom = r->top;
}

CRect SEC3DTabWnd::ControlRect(const CRect& i) const {
    CRect c;
    GetClientRect(&c);
    if (style_ & SEC3DTabControl::kBelow) return CRect(i.left, i.bottom + 1, i.right, c.bottom);
    if (style_ & SEC3DTabControl::kAbove) return CRect(i.left, c.top, i.right, i.top);
    if (style_ & SEC3DTabControl::kLeft) return CRect(c.left, i.top, i.left, i.bottom);
    return CRect(i.right, c.top, c.right, c.top + i.Height());
}

void SEC3DTabWnd::RecalcLayout() {
    if (!m_hWnd || !tab_ctrl_) return;
    CRect inside;
    GetInsideRect(&inside);
    HDWP batch = ::BeginDeferWindowPos(2);
    const auto place = [&](CWnd& wnd, const CRect& r) {
        CRect now;
        wnd.GetWindowRect(&now);
        ScreenToClient(&now);
        if (now != r)
            batch = ::DeferWindowPos(batch, wnd.m_hWnd, nullptr, r.left, r.top, r.Width(), r.Height(),
                                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    };
    place(*tab_ctrl_, ControlRect(inside));
    if (active_wnd_ && active_wnd_->m_hWnd)
        place(*active_wnd_, CRect(inside.left, inside.top, inside.right - 1, inside.bottom));
    ::EndDeferWindowPos(batch);
}

void SEC3DTabWnd::OnSize(UINT type, int cx, int cy) {
    CWnd::OnSize(type, cx, cy);
    if (type == SIZE_MINIMIZED || cx <= 0 || cy <= 0) return;
    RecalcLayout();
    if (tab_ctrl_) tab_ctrl_->Invalidate(TRUE);
    Invalidate(FALSE);
}

// The pane's frame: four one-pixel rings, white, face, shadow, black from the outside in.
void SEC3DTabWnd::OnPaint() {
    CPaintDC dc(this);
    if (tab_ctrl_ && tab_ctrl_->m_hWnd) tab_ctrl_->UpdateWindow();
    CRect i;
    GetInsideRect(&i);
    const COLORREF colours[4] = {::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNFACE),
                                 ::GetSysColor(COLOR_BTNSHADOW), RGB(0, 0, 0)};
    const int x = i.left - 4, w = i.Width() + 8;
    for (int k = 0; k < 4; ++k) {
        dc.FillSolidRect(x + k, i.top - 4, 1, i.Height() + 8, colours[k]);
        dc.FillSolidRect(i.right + k, i.top - 4, 1, i.Height() + 8, colours[k]);
    }
    const int top_from[4] = {0, 1, 2, 3}, top_less[4] = {1, 3, 6, 8};
    const int bottom_from[4] = {2, 1, 1, 0}, bottom_less[4] = {5, 3, 2, 0};
    for (int k = 0; k < 4; ++k) {
        dc.FillSolidRect(x + top_from[k], i.top - 4 + k, w - top_less[k], 1, colours[k]);
        dc.FillSolidRect(x + bottom_from[k], i.bottom + 1 + k, w - bottom_less[k], 1, colours[k]);
    }
}

BOOL SEC3DTabWnd::OnEraseBkgnd(CDC* dc) {
    CRect c, i;
    GetClientRect(&c);
    GetInsideRect(&i);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    dc->FillSolidRect(c.left, c.top, c.Width(), i.top - c.top, face);
    dc->FillSolidRect(c.left, i.bottom, c.Width(), c.bottom - i.bottom, face);
    dc->FillSolidRect(c.left, i.top, i.left - c.left, i.Height(), face);
    dc->FillSolidRect(i.right, i.top, c.right - i.right, i.Height(), face);
    return TRUE;
}
