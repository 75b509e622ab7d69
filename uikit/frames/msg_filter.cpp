#include "uikit/frames/msg_filter.h"

IMPLEMENT_DYNCREATE(SECMsgFilter, CObject)
IMPLEMENT_DYNCREATE(SECNcMsgFilter, SECMsgFilter)
IMPLEMENT_DYNCREATE(SECCaptionMsgFilter, SECNcMsgFilter)
IMPLEMENT_DYNCREATE(SECCaptionControlMsgFilter, SECCaptionMsgFilter)
IMPLEMENT_DYNCREATE(SECCaptionControlListMsgFilter, SECCaptionMsgFilter)
IMPLEMENT_DYNCREATE(SECCapConLstMDIMaxChildMsgFilter, SECCaptionControlListMsgFilter)

UINT sec_syscommandex_message() {
    static const UINT id = ::RegisterWindowMessage("Skarloe::WM_SYSCOMMANDEX");
    return id;
}

// ---- the tree ------------------------------------------------------------------------

SECMsgFilter::~SECMsgFilter() {
    if (m_bOwnsChildren)
        for (SECMsgFilter* child : children_) delete child;
}

SECMsgFilter* SECMsgFilter::Clone() const {
    CObject* made = GetRuntimeClass()->CreateObject();
    auto* copy = static_cast<SECMsgFilter*>(made);
    if (!copy) return nullptr;
    copy->m_nID = m_nID;
    copy->m_bEnabled = m_bEnabled;
    copy->m_pWnd = m_pWnd;
    copy->m_bOwnsChildren = TRUE;
    for (SECMsgFilter* copied : copy->children_) delete copied;  // what a constructor made
    copy->children_.clear();
    for (const SECMsgFilter* child : children_)
        if (SECMsgFilter* cloned = child->Clone()) copy->children_.push_back(cloned);
    return copy;
}

void SECMsgFilter::SetWindow(CWnd* wnd, BOOL recursive) {
    m_pWnd = wnd;
    if (recursive)
        for (SECMsgFilter* child : children_) child->SetWindow(wnd, TRUE);
}

UINT SECMsgFilter::ProcessMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    return m_bEnabled ? OnMessage(message, wParam, lParam, result) : 0;
}

UINT SECMsgFilter::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    return DispatchToChildren(message, wParam, lParam, result);
}

UINT SECMsgFilter::DispatchToChildren(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (!m_bEnabled) return 0;
    UINT total = 0;
    // A child's handler may change the tree; walk a copy.
    const std::vector<SECMsgFilter*> children = children_;
    for (SECMsgFilter* child : children) {
        if (!child->IsEnabled()) continue;
        total |= child->ProcessMessage(message, wParam, lParam, result);
        if (total & SEC_FILTER_STOP) break;
    }
    return total;
}

SECMsgFilter* SECMsgFilter::FindFilter(int id, CRuntimeClass* cls, int depth) {
    for (SECMsgFilter* child : children_)
        if (child->m_nID == id) return child;
    if (depth != 0)
        for (SECMsgFilter* child : children_)
            if (SECMsgFilter* found = child->FindFilter(id, nullptr, depth < 0 ? -1 : depth - 1)) return found;
    if (!cls) return nullptr;
    CObject* made = cls->CreateObject();
    if (!made) return nullptr;
    if (!made->IsKindOf(RUNTIME_CLASS(SECMsgFilter))) {
        delete made;
        return nullptr;
    }
    auto* filter = static_cast<SECMsgFilter*>(made);
    filter->SetWindow(m_pWnd, TRUE);
    filter->m_nID = id;
    children_.push_back(filter);
    return filter;
}

SECMsgFilter* SECMsgFilter::ApplyDescriptor(const Descriptor& descriptor, BOOL enable) {
    SECMsgFilter* parent = this;
    if (descriptor.parent_id != SEC_FILTER_ROOT_PARENT) {
        parent = FindFilter(int(descriptor.parent_id), nullptr, -1);
        if (!parent) return nullptr;
    }
    SECMsgFilter* filter = parent->FindFilter(int(descriptor.id), enable ? descriptor.filter_class : nullptr, -1);
    if (filter && !(!enable && (descriptor.flags & 1))) filter->m_bEnabled = enable;
    return filter;
}

void SECMsgFilter::ApplyDescriptorTable(const DescriptorTable& table, const BOOL* enable) {
    for (std::size_t i = 0; i < table.items.size(); ++i) ApplyDescriptor(*table.items[i], enable[i]);
}

void SECMsgFilter::ApplyDescriptorList(const DescriptorList& list, BOOL enable) {
    for (const auto& descriptor : list) ApplyDescriptor(*descriptor, enable);
}

UINT SECMsgFilter::ProcessCurrentMessage(const MSG* msg, LRESULT* result) {
    if (!msg) msg = CWnd::GetCurrentMessage();
    if (!msg) return 0;
    return ProcessMessage(msg->message, msg->wParam, msg->lParam, result);
}

BOOL sec_route_to_filters(SECMsgFilter& root, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result,
                          const std::function<LRESULT()>& base) {
    switch (message) {
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
        case WM_NCRBUTTONUP:
        case WM_NCRBUTTONDBLCLK_MSG:
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP: {
            const UINT answer = root.ProcessMessage(message, wParam, lParam, nullptr);
            *result = (answer & SEC_FILTER_HANDLED) ? 0 : base();
            return TRUE;
        }
        case WM_NCPAINT:
        case WM_SETTEXT:
        case WM_NCACTIVATE:
            *result = base();
            root.ProcessMessage(message, wParam, lParam, nullptr);
            return TRUE;
        default: return FALSE;
    }
}

// ---- caption geometry -------------------------------------------------------------------

CRect SECCaptionMsgFilter::GetCaptionRect() const {
    CWnd* wnd = GetWindow();
    if (!wnd || !::IsWindow(wnd->m_hWnd)) return CRect(0, 0, 0, 0);
    const DWORD style = wnd->GetStyle();
    const DWORD ex_style = wnd->GetExStyle();
    int cx = ::GetSystemMetrics(SM_CXBORDER), cy = ::GetSystemMetrics(SM_CYBORDER);
    if (style & (WS_CAPTION | WS_THICKFRAME | WS_DLGFRAME)) {
        if ((style & WS_THICKFRAME) && !wnd->IsIconic()) {
            cx = ::GetSystemMetrics(SM_CXFRAME), cy = ::GetSystemMetrics(SM_CYFRAME);
        } else if (style & WS_DLGFRAME) {
            cx = ::GetSystemMetrics(SM_CXDLGFRAME), cy = ::GetSystemMetrics(SM_CYDLGFRAME);
        }
    }
    CRect window;
    wnd->GetWindowRect(&window);
    int height = 0;
    if ((style & WS_CAPTION) == WS_CAPTION)
        height = ::GetSystemMetrics((ex_style & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION) -
                 ::GetSystemMetrics(SM_CYBORDER);
    return CRect(cx, cy, window.Width() - cx, cy + height);
}

CSize SECCaptionMsgFilter::GetMetricButtonSize(int cx_metric, int cy_metric) const {
    return CSize(::GetSystemMetrics(cx_metric) - 2, ::GetSystemMetrics(cy_metric) - 4);
}

CSize SECCaptionMsgFilter::GetButtonSize() const {
    CWnd* wnd = GetWindow();
    const bool tool = wnd && (wnd->GetExStyle() & WS_EX_TOOLWINDOW);
    return tool ? GetMetricButtonSize(SM_CXSMSIZE, SM_CYSMSIZE) : GetMetricButtonSize(SM_CXSIZE, SM_CYSIZE);
}

CPoint SECCaptionMsgFilter::GetFirstButtonPos(const CRect& caption, CSize button) const {
    return CPoint(caption.right - button.cx - 2, caption.top + 2);
}

CSize SECCapConLstMDIMaxChildMsgFilter::GetButtonSize() const {
    return GetMetricButtonSize(SM_CXMENUSIZE, SM_CYMENUSIZE);
}

CPoint SECCapConLstMDIMaxChildMsgFilter::GetFirstButtonPos(const CRect& caption, CSize button) const {
    // The maximised child's buttons sit in the menu row below the frame's caption.
    const CPoint first = SECCaptionMsgFilter::GetFirstButtonPos(caption, button);
    return CPoint(first.x, first.y + ::GetSystemMetrics(SM_CYCAPTION));
}

// ---- the list of caption controls --------------------------------------------------------

SECCaptionControlListMsgFilter::SECCaptionControlListMsgFilter() {
    for (int id : {SEC_CAPTION_CLOSE, SEC_CAPTION_MAX, SEC_CAPTION_RESTORE, SEC_CAPTION_MIN, SEC_CAPTION_HELP})
        m_controls.Add(UINT(id), SEC_FILTER_ROOT_PARENT, RUNTIME_CLASS(SECCaptionControlMsgFilter), 0);
    ApplyDescriptorList(m_controls.items, TRUE);
}

UINT SECCaptionControlListMsgFilter::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    LayoutButtons();
    return DispatchToChildren(message, wParam, lParam, result);
}

void SECCaptionControlListMsgFilter::LayoutButtons() {
    CWnd* wnd = GetWindow();
    if (!m_bEnabled || !wnd || !::IsWindow(wnd->m_hWnd)) return;
    const CSize button = GetButtonSize();
    CPoint at = GetFirstButtonPos(GetCaptionRect(), button);
    for (SECMsgFilter* child : children_) {
        if (!child->IsKindOf(RUNTIME_CLASS(SECCaptionControlMsgFilter)) || !child->IsEnabled()) continue;
        auto* control = static_cast<SECCaptionControlMsgFilter*>(child);
        BOOL disabled = FALSE;
        if (!control->IsShown(&disabled)) {
            control->m_rect.SetRectEmpty();
            continue;
        }
        control->m_rect = CRect(at.x, at.y, at.x + button.cx, at.y + button.cy);
        control->m_nState = disabled ? (control->m_nState | DFCS_INACTIVE) : (control->m_nState & ~DFCS_INACTIVE);
        at.x -= button.cx;
        if (control->m_nID == SEC_CAPTION_CLOSE || (control->m_nID == SEC_CAPTION_RESTORE && wnd->IsIconic()))
            at.x -= 2;
    }
}

// ---- one caption control -----------------------------------------------------------------

BEGIN_MESSAGE_MAP(SECCaptionControlMsgFilterTimer, CWnd)
ON_WM_CREATE()
ON_WM_TIMER()
ON_WM_DESTROY()
END_MESSAGE_MAP()

int SECCaptionControlMsgFilterTimer::OnCreate(CREATESTRUCT*) {
    m_bTimerSet = ::SetTimer(m_hWnd, 1, UINT(m_nDelay), nullptr) != 0;
    return m_bTimerSet ? 0 : -1;
}

void SECCaptionControlMsgFilterTimer::OnTimer(UINT_PTR) {
    if (m_bFired) return;
    m_bFired = TRUE;
    if (m_pFilter && m_pFilter->m_bTracking) m_pFilter->OnHoldElapsed(m_point.x, m_point.y);
}

void SECCaptionControlMsgFilterTimer::OnDestroy() {
    if (m_bTimerSet) ::KillTimer(m_hWnd, 1);
    m_bTimerSet = FALSE;
    Default();
}

SECCaptionControlMsgFilter::~SECCaptionControlMsgFilter() { StopHoldTimer(); }

UINT SECCaptionControlMsgFilter::GetDrawState() const {
    return m_nState | (m_nID < SEC_CAPTION_FIRST_CUSTOM ? UINT(m_nID) : 0);
}

void SECCaptionControlMsgFilter::Draw() {
    CWnd* wnd = GetWindow();
    if (m_nID >= SEC_CAPTION_FIRST_CUSTOM || m_rect.IsRectEmpty() || !wnd || !::IsWindow(wnd->m_hWnd)) return;
    HDC dc = ::GetWindowDC(wnd->m_hWnd);
    if (!dc) return;
    CRect r = m_rect;
    ::DrawFrameControl(dc, &r, m_nFrameControlType, GetDrawState());
    ::ReleaseDC(wnd->m_hWnd, dc);
}

BOOL SECCaptionControlMsgFilter::HitTest(int x, int y) const {
    CWnd* wnd = GetWindow();
    if (!wnd || m_rect.IsRectEmpty()) return FALSE;
    CRect window;
    wnd->GetWindowRect(&window);
    return m_rect.PtInRect(CPoint(x - window.left, y - window.top));
}

UINT SECCaptionControlMsgFilter::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    switch (message) {
        case WM_SETTEXT:
        case WM_SETCURSOR:
        case WM_NCPAINT:
        case WM_NCACTIVATE: Draw(); return SEC_FILTER_HANDLED;
        case WM_MOUSEMOVE:
        case WM_LBUTTONUP: {
            if (!m_bTracking) break;
            CPoint at = AfxPointOf(lParam);
            if (CWnd* wnd = GetWindow()) wnd->ClientToScreen(&at);
            message == WM_LBUTTONUP ? OnRelease(at.x, at.y) : OnTrackMove(at.x, at.y);
            return SEC_FILTER_CONSUMED;
        }
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN: {
            const CPoint at = AfxPointOf(lParam);
            if (wParam != WPARAM(HTCAPTION) || !HitTest(at.x, at.y)) break;
            if (m_nState & DFCS_INACTIVE) return SEC_FILTER_CONSUMED;  // a disabled button swallows the press
            message == WM_NCLBUTTONDOWN ? OnPress(at.x, at.y) : Fire(kRightPress, at.x, at.y);
            return SEC_FILTER_CONSUMED;
        }
        default: break;
    }
    return SECMsgFilter::OnMessage(message, wParam, lParam, result);
}

void SECCaptionControlMsgFilter::BeginTracking(BOOL push, BOOL redraw) {
    m_bTracking = TRUE;
    if (push) m_nState |= DFCS_PUSHED;
    if (CWnd* wnd = GetWindow()) ::SetCapture(wnd->m_hWnd);
    if (redraw) Draw();
}

void SECCaptionControlMsgFilter::EndTracking(BOOL unpush, BOOL redraw) {
    m_bTracking = FALSE;
    StopHoldTimer();
    if (unpush) m_nState &= ~DFCS_PUSHED;
    CWnd* wnd = GetWindow();
    if (wnd && ::GetCapture() == wnd->m_hWnd) ::ReleaseCapture();
    if (redraw) Draw();
}

void SECCaptionControlMsgFilter::OnPress(int x, int y) {
    BeginTracking(TRUE, TRUE);
    if (m_nHoldDelay == 0) {
        OnHoldElapsed(x, y);
    } else {
        StartHoldTimer(x, y);
    }
}

void SECCaptionControlMsgFilter::StopHoldTimer() {
    if (!m_pHoldTimer) return;
    SECCaptionControlMsgFilterTimer* timer = m_pHoldTimer;
    m_pHoldTimer = nullptr;
    timer->m_pFilter = nullptr;
    timer->DestroyWindow();
    delete timer;
}

void SECCaptionControlMsgFilter::StartHoldTimer(int x, int y) {
    StopHoldTimer();
    CWnd* wnd = GetWindow();
    if (m_nHoldDelay < 1 || !wnd) return;
    auto* timer = new SECCaptionControlMsgFilterTimer(this, m_nHoldDelay, CPoint(x, y));
    if (!timer->CreateEx(0, AfxRegisterWndClass(0), nullptr, WS_CHILD, CRect(0, 0, 0, 0), wnd, 0)) {
        delete timer;  // no hold happens
        return;
    }
    m_pHoldTimer = timer;
}

void SECCaptionControlMsgFilter::OnTrackMove(int x, int y) {
    const bool on = HitTest(x, y) != 0;
    const bool pushed = (m_nState & DFCS_PUSHED) != 0;
    if (on == pushed) return;
    if (on) {
        m_nState |= DFCS_PUSHED;
        StartHoldTimer(x, y);
    } else {
        m_nState &= ~DFCS_PUSHED;
        StopHoldTimer();
    }
    Draw();
}

void SECCaptionControlMsgFilter::OnRelease(int x, int y) {
    EndTracking(TRUE, TRUE);
    if (HitTest(x, y)) Fire(kClick, x, y);
}

void SECCaptionControlMsgFilter::OnHoldElapsed(int x, int y) {
    EndTracking(TRUE, FALSE);
    Fire(kHold, x, y);
}

void SECCaptionControlMsgFilter::Fire(int kind, int x, int y) {
    HWND window = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    if (!GetCommandMessage(kind, x, y, &window, &message, &wParam, &lParam)) return;
    if (m_bSendCommand)
        ::SendMessage(window, message, wParam, lParam);
    else
        ::PostMessage(window, message, wParam, lParam);
}

BOOL SECCaptionControlMsgFilter::GetCommandMessage(int kind, int x, int y, HWND* window, UINT* message, WPARAM* wParam,
                                                   LPARAM* lParam) {
    static constexpr WPARAM kCommands[] = {SC_CLOSE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE, SC_CONTEXTHELP_CMD};
    CWnd* wnd = GetWindow();
    if (kind != kClick || m_nID < 0 || m_nID > SEC_CAPTION_HELP || !wnd) return FALSE;
    *window = wnd->m_hWnd;
    *message = WM_SYSCOMMAND;
    *wParam = kCommands[m_nID];
    *lParam = MAKELONG(x, y);
    return TRUE;
}

BOOL SECCaptionControlMsgFilter::IsShown(BOOL* disabled) const {
    *disabled = FALSE;
    CWnd* wnd = GetWindow();
    if (m_nID >= SEC_CAPTION_FIRST_CUSTOM || !wnd) return FALSE;
    const DWORD style = wnd->GetStyle(), ex_style = wnd->GetExStyle();
    if (!(style & WS_SYSMENU)) return FALSE;
    const bool boxes = (style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) != 0;
    switch (m_nID) {
        case SEC_CAPTION_CLOSE: {
            const UINT state = ::GetMenuState(::GetSystemMenu(wnd->m_hWnd, FALSE), UINT(SC_CLOSE), MF_BYCOMMAND);
            *disabled = state != UINT(-1) && (state & (MF_GRAYED | MF_DISABLED));
            return TRUE;
        }
        default: break;
    }
    if (ex_style & WS_EX_TOOLWINDOW) return FALSE;
    switch (m_nID) {
        case SEC_CAPTION_MAX:
            if (!boxes || wnd->IsZoomed()) return FALSE;
            *disabled = !(style & WS_MAXIMIZEBOX);
            return TRUE;
        case SEC_CAPTION_MIN:
            if (!boxes || wnd->IsIconic()) return FALSE;
            *disabled = !(style & WS_MINIMIZEBOX);
            return TRUE;
        case SEC_CAPTION_RESTORE:
            if (!boxes || (!wnd->IsZoomed() && !wnd->IsIconic())) return FALSE;
            *disabled = wnd->IsZoomed() ? !(style & WS_MAXIMIZEBOX) : !(style & WS_MINIMIZEBOX);
            return TRUE;
        default: return !boxes && (ex_style & WS_EX_CONTEXTHELP_STYLE);
    }
}
