#include "uikit/controls/tab_wnd.h"

#include <algorithm>

#include "platform/user/modal_loop.h"

IMPLEMENT_DYNAMIC(SECTabWnd, SECTabWndBase)
IMPLEMENT_DYNAMIC(SEC2DTabWnd, SECTabWnd)

BEGIN_MESSAGE_MAP(SECTabWnd, SECTabWndBase)
ON_WM_SIZE()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_LBUTTONDOWN()
ON_WM_SETCURSOR()
ON_MESSAGE(WM_HSCROLL, OnScrollMessage)
ON_MESSAGE(WM_VSCROLL, OnScrollMessage)
END_MESSAGE_MAP()

SECTabWnd::TabScroll::TabScroll() {
    horz.cbSize = vert.cbSize = sizeof(SCROLLINFO);
    horz.fMask = vert.fMask = SIF_ALL;
}

SECTabWnd::SECTabWnd() = default;
SECTabWnd::~SECTabWnd() = default;

BOOL SECTabWnd::Create(CWnd* parent, DWORD style, UINT id) {
    const DWORD control_style = (style & 0x2) ? 2 : (style & 0x1) ? 1 : 0;
    style &= ~DWORD(0x3 | WS_HSCROLL | WS_VSCROLL);
    if (!CreateFrameWindow(parent, style, id, true)) return FALSE;
    if (!CreateTabCtrl(control_style, kTabCtrlId)) return FALSE;
    splitter_cursor_ = ::LoadCursor(nullptr, IDC_SIZEWE);
    const CRect one(0, 0, 1, 1);
    if (!hbar_.Create(WS_CHILD | SBS_HORZ, one, this, kHorzBarId) ||
        !vbar_.Create(WS_CHILD | SBS_VERT, one, this, kVertBarId))
        return FALSE;
    strip_height_ = hbar_height_ = ::GetSystemMetrics(SM_CYHSCROLL);
    vbar_width_ = ::GetSystemMetrics(SM_CXVSCROLL);
    return TRUE;
}

BOOL SECTabWnd::CreateTabCtrl(DWORD style, UINT id) {
    auto control = std::make_unique<SECTabControl>();
    if (!control->Create(style | WS_VISIBLE, CRect(0, 0, 0, 0), this, id)) return FALSE;
    tab_ctrl_ = std::move(control);
    return TRUE;
}

SECTab* SECTabWnd::InsertTab(CWnd* wnd, int index, const char* label) {
    index = std::clamp(index, 0, GetTabCount());
    SECTab* tab = SECTabWndBase::InsertTab(wnd, index, label);
    if (tab) scroll_.insert(scroll_.begin() + index, TabScroll());
    return tab;
}

void SECTabWnd::RemoveTab(int index) {
    if (index < 0 || index >= int(scroll_.size())) return;
    // The record goes first: the control may activate a neighbour by index at once.
    scroll_.erase(scroll_.begin() + index);
    SECTabWndBase::RemoveTab(index);
}

DWORD SECTabWnd::GetScrollStyle(int index) const {
    return index >= 0 && index < int(scroll_.size()) ? scroll_[size_t(index)].style : 0;
}

DWORD SECTabWnd::ActiveStyle() const {
    const int index = IndexOf(active_wnd_);
    return active_wnd_ ? GetScrollStyle(index) : 0;
}

void SECTabWnd::SetScrollStyle(int index, DWORD style) {
    if (index < 0 || index >= int(scroll_.size())) return;
    scroll_[size_t(index)].style = style & (WS_HSCROLL | WS_VSCROLL);
    if (active_wnd_ && IndexOf(active_wnd_) == index) {
        ShowBars(scroll_[size_t(index)].style);
        RecalcLayout();
    }
}

void SECTabWnd::ShowBars(DWORD style) {
    if (hbar_.m_hWnd) hbar_.ShowWindow((style & WS_HSCROLL) ? SW_SHOW : SW_HIDE);
    if (vbar_.m_hWnd) vbar_.ShowWindow((style & WS_VSCROLL) ? SW_SHOW : SW_HIDE);
}

void SECTabWnd::OnSwitchingTab(int old_index, int new_index) {
    if (old_index >= 0 && old_index < int(scroll_.size())) {
        TabScroll& old = scroll_[size_t(old_index)];
        if (old.style & WS_HSCROLL) hbar_.GetScrollInfo(&old.horz, SIF_ALL);
        if (old.style & WS_VSCROLL) vbar_.GetScrollInfo(&old.vert, SIF_ALL);
    }
    if (new_index < 0 || new_index >= int(scroll_.size())) return;
    TabScroll& next = scroll_[size_t(new_index)];
    next.horz.fMask = next.vert.fMask = SIF_ALL;
    if (next.style & WS_HSCROLL) hbar_.SetScrollInfo(&next.horz, TRUE);
    if (next.style & WS_VSCROLL) vbar_.SetScrollInfo(&next.vert, TRUE);
    ShowBars(next.style);
}

CScrollBar* SECTabWnd::GetTabScrollBar(int bar, CWnd* wnd) {
    if (!wnd) wnd = active_wnd_;
    const int index = IndexOf(wnd);
    if (index < 0) return nullptr;
    const DWORD style = GetScrollStyle(index);
    if (bar == SB_HORZ && (style & WS_HSCROLL)) return &hbar_;
    if (bar == SB_VERT && (style & WS_VSCROLL)) return &vbar_;
    return nullptr;
}

void SECTabWnd::GetInsideRect(CRect* rect) const {
    GetClientRect(rect);
    rect->bottom = std::max(rect->top, rect->bottom - strip_height_);
    if (ActiveStyle() & WS_VSCROLL) rect->right = std::max(rect->left, rect->right - vbar_width_);
}

CRect SECTabWnd::SplitterRect() const {
    if (!(ActiveStyle() & WS_HSCROLL)) return CRect();
    CRect inside;
    GetInsideRect(&inside);
    const int x = inside.left + splitter_;
    return CRect(x, inside.bottom, x + kSplitterWidth, inside.bottom + strip_height_);
}

namespace {
// Moves a window only when its rectangle changes; thin scroll bars get a border.
void place(HDWP& batch, CWnd& wnd, const CRect& r) {
    if (!wnd.m_hWnd) return;
    CRect now;
    wnd.GetWindowRect(&now);
    if (CWnd* parent = wnd.GetParent()) parent->ScreenToClient(&now);
    if (now == r) return;
    batch = ::DeferWindowPos(batch, wnd.m_hWnd, nullptr, r.left, r.top, r.Width(), r.Height(),
                             SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
}
void border_if_thin(CScrollBar& bar, const CRect& r) {
    if (!bar.m_hWnd) return;
    const bool thin = r.Width() < 2 || r.Height() < 2;
    bar.ModifyStyle(thin ? 0 : WS_BORDER, thin ? WS_BORDER : 0);
}
}  // namespace

void SECTabWnd::RecalcLayout() {
    if (!m_hWnd || !tab_ctrl_) return;
    CRect inside;
    GetInsideRect(&inside);
    const DWORD style = ActiveStyle();
    HDWP batch = ::BeginDeferWindowPos(4);
    CRect strip(inside.left, inside.bottom, inside.right, inside.bottom + strip_height_);
    if (style & WS_HSCROLL) {
        splitter_ = std::clamp(splitter_, 0, std::max(0, int(inside.right) - kMinBarWidth));
        const int split = inside.left + splitter_;
        const CRect bar(split + kSplitterWidth, inside.bottom, inside.right + 1, inside.bottom + hbar_height_);
        border_if_thin(hbar_, bar);
        place(batch, hbar_, bar);
        strip.right = split;
    }
    place(batch, *tab_ctrl_, strip);
    if (!dragging_) {
        if (style & WS_VSCROLL) {
            const CRect bar(inside.right, inside.top, inside.right + vbar_width_, inside.bottom);
            border_if_thin(vbar_, bar);
            place(batch, vbar_, bar);
        }
        if (active_wnd_) place(batch, *active_wnd_, inside);
    }
    ::EndDeferWindowPos(batch);
}

void SECTabWnd::OnSize(UINT type, int cx, int cy) {
    CWnd::OnSize(type, cx, cy);
    if (type == SIZE_MINIMIZED || cx <= 0 || cy <= 0) return;
    const bool horz = ActiveStyle() & WS_HSCROLL;
    if (horz) {
        const int most = std::max(0, cx - kMinBarWidth);
        if (first_size_) wanted_splitter_ = most;
        splitter_ = std::min(wanted_splitter_, most);
    } else if (first_size_) {
        CRect inside;
        GetInsideRect(&inside);
        splitter_ = wanted_splitter_ = inside.Width();
    }
    first_size_ = false;
    RecalcLayout();
    if (tab_ctrl_ && tab_ctrl_->m_hWnd) tab_ctrl_->Invalidate();
    if (horz) {
        CRect split = SplitterRect();
        InvalidateRect(&split);
    }
}

void SECTabWnd::OnPaint() {
    CPaintDC dc(this);
    if (tab_ctrl_ && tab_ctrl_->m_hWnd) tab_ctrl_->UpdateWindow();
    const CRect split = SplitterRect();
    if (split.IsRectEmpty()) return;
    const COLORREF lines[kSplitterWidth] = {RGB(0, 0, 0), ::GetSysColor(COLOR_BTNHIGHLIGHT),
                                            ::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_BTNSHADOW), RGB(0, 0, 0)};
    for (int i = 0; i < kSplitterWidth; ++i) dc.FillSolidRect(split.left + i, split.top, 1, split.Height(), lines[i]);
}

BOOL SECTabWnd::OnEraseBkgnd(CDC* dc) {
    if (!active_wnd_) return FALSE;
    if (!(ActiveStyle() & (WS_HSCROLL | WS_VSCROLL))) return TRUE;
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(client.right - vbar_width_, client.top, vbar_width_, client.Height(),
                      ::GetSysColor(COLOR_BTNFACE));
    return TRUE;
}

BOOL SECTabWnd::OnSetCursor(CWnd* wnd, UINT hit, UINT message) {
    if (hit == HTCLIENT && wnd == this) {
        CPoint at;
        ::GetCursorPos(&at);
        ScreenToClient(&at);
        if (dragging_ || SplitterRect().PtInRect(at)) {
            ::SetCursor(splitter_cursor_);
            return TRUE;
        }
    }
    return CWnd::OnSetCursor(wnd, hit, message);
}

void SECTabWnd::OnLButtonDown(UINT flags, CPoint point) {
    if (SplitterRect().PtInRect(point))
        TrackSplitter(point);
    else
        CWnd::OnLButtonDown(flags, point);
}

// Drags the splitter until the button is released; Escape, a lost capture or
// WM_QUIT put it back where it was.
void SECTabWnd::TrackSplitter(CPoint point) {
    if (::GetCapture()) return;
    const int start = splitter_;
    const int grip = point.x - SplitterRect().left;
    const auto move_to = [&](int position) {
        splitter_ = position;
        RecalcLayout();
        if (tab_ctrl_) tab_ctrl_->Invalidate();
        CRect strip;
        GetClientRect(&strip);
        strip.top = strip.bottom - strip_height_;
        InvalidateRect(&strip);
        UpdateWindow();
    };
    dragging_ = true;
    const kit::user::LoopStep end = kit::user::run_capture_loop(m_hWnd, [&](const MSG& msg) {
        switch (msg.message) {
            case WM_MOUSEMOVE: {
                CPoint at = AfxPointOf(msg.lParam);
                if (msg.hwnd != m_hWnd) ::MapWindowPoints(msg.hwnd, m_hWnd, &at, 1);
                CRect inside;
                GetInsideRect(&inside);
                move_to(at.x - inside.left - grip - 1);
                return kit::user::LoopStep::keep_going;
            }
            case WM_LBUTTONUP: return kit::user::LoopStep::finished;
            case WM_KEYDOWN:
                return msg.wParam == WPARAM(VK_ESCAPE) ? kit::user::LoopStep::cancelled
                                                       : kit::user::LoopStep::keep_going;
            default: return kit::user::LoopStep::keep_going;
        }
    });
    if (!m_hWnd) return;
    dragging_ = false;
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    move_to(end == kit::user::LoopStep::finished ? splitter_ : start);
    if (end == kit::user::LoopStep::finished) wanted_splitter_ = splitter_;
}

LRESULT SECTabWnd::OnScrollMessage(WPARAM wParam, LPARAM lParam) {
    const MSG* msg = GetCurrentMessage();
    if (active_wnd_ && active_wnd_->m_hWnd && msg) active_wnd_->SendMessage(msg->message, wParam, lParam);
    return 0;
}
