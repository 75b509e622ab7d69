#include "uikit/controls/tab_wnd_base.h"

IMPLEMENT_DYNAMIC(SECTabWndBase, CWnd)

BEGIN_MESSAGE_MAP(SECTabWndBase, CWnd)
ON_MESSAGE(TCM_TABSEL, OnTabSelected)
ON_MESSAGE(TCM_TABREACTIVATE, OnTabReactivated)
ON_WM_DESTROY()
END_MESSAGE_MAP()

SECTabWndBase::SECTabWndBase() = default;
SECTabWndBase::~SECTabWndBase() {
    if (m_hWnd) DestroyWindow();
}

BOOL SECTabWndBase::CreateFrameWindow(CWnd* parent, DWORD style, UINT id, bool takes_client_edge) {
    if (!m_hWnd) {
        const char* cls = AfxRegisterWndClass(CS_DBLCLKS, nullptr, nullptr);
        if (!CWnd::Create(cls, nullptr, style | WS_CHILD, CRect(0, 0, 0, 0), parent, id)) return FALSE;
    }
    // The pane's sunken edge moves from the parent to the tab window (or goes, for a 3-D frame).
    if (parent && (parent->GetExStyle() & WS_EX_CLIENTEDGE)) {
        parent->ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
        if (takes_client_edge) ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_FRAMECHANGED);
    }
    return TRUE;
}

BOOL SECTabWndBase::Create(CWnd* parent, DWORD style, UINT id) {
    if (!CreateFrameWindow(parent, style, id, true)) return FALSE;
    return CreateTabCtrl(style, kTabCtrlId);
}

int SECTabWndBase::IndexOf(const CWnd* wnd) const {
    int index = -1;
    return tab_ctrl_ && wnd && tab_ctrl_->FindTab(wnd, index) ? index : -1;
}

SECTab* SECTabWndBase::InsertTab(CWnd* wnd, int index, const char* label) {
    if (!tab_ctrl_) return nullptr;
    if (wnd && wnd->m_hWnd && wnd != active_wnd_) wnd->ShowWindow(SW_HIDE);
    return tab_ctrl_->InsertTab(index, label, wnd);
}

SECTab* SECTabWndBase::AddTab(CWnd* wnd, const char* label) { return InsertTab(wnd, GetTabCount(), label); }

SECTab* SECTabWndBase::InsertTab(CRuntimeClass* pane_class, int index, const char* label, CCreateContext* context,
                                 UINT id) {
    if (!tab_ctrl_ || !m_hWnd || !pane_class) return nullptr;
    CObject* made = pane_class->CreateObject();
    if (!made || !made->IsKindOf(RUNTIME_CLASS(CWnd))) {
        delete made;
        return nullptr;
    }
    auto* pane = static_cast<CWnd*>(made);
    std::unique_ptr<CWnd> owned(pane->IsKindOf(RUNTIME_CLASS(CView)) ? nullptr : pane);
    if (id == kNextPaneId) id = kFirstPaneId + UINT(GetTabCount());
    // A view that fails to be made has deleted itself already.
    if (!pane->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 0, 0), this, id, context)) return nullptr;
    if (owned) made_panes_.push_back(std::move(owned));
    return InsertTab(pane, index, label);
}

SECTab* SECTabWndBase::AddTab(CRuntimeClass* pane_class, const char* label, CCreateContext* context, UINT id) {
    return InsertTab(pane_class, GetTabCount(), label, context, id);
}

void SECTabWndBase::SetTabIcon(int index, const char* resource, int cx, int cy) {
    if (tab_ctrl_) tab_ctrl_->SetTabIcon(index, resource, cx, cy);
}
void SECTabWndBase::SetTabIcon(int index, UINT resource, int cx, int cy) {
    if (tab_ctrl_) tab_ctrl_->SetTabIcon(index, resource, cx, cy);
}
void SECTabWndBase::SetTabIcon(int index, HICON icon) {
    if (tab_ctrl_) tab_ctrl_->SetTabIcon(index, icon);
}

void SECTabWndBase::RemoveTab(int index) {
    SECTab* tab = tab_ctrl_ ? tab_ctrl_->GetTab(index) : nullptr;
    if (!tab) return;
    CWnd* wnd = tab->m_pClient;
    if (wnd && wnd == active_wnd_) {
        // Its pane goes with it; the control then activates a neighbour.
        if (wnd->m_hWnd) wnd->ShowWindow(SW_HIDE);
        active_wnd_ = nullptr;
    }
    const HWND own = m_hWnd;
    tab_ctrl_->DeleteTab(index);  // may activate a neighbour, with the owner's notice
    if (::IsWindow(own) && !active_wnd_) RecalcLayout();
}

void SECTabWndBase::RemoveTab(CWnd* wnd) { RemoveTab(IndexOf(wnd)); }

void SECTabWndBase::RenameTab(int index, const char* label) {
    if (tab_ctrl_) tab_ctrl_->RenameTab(index, label);
}
void SECTabWndBase::RenameTab(CWnd* wnd, const char* label) { RenameTab(IndexOf(wnd), label); }

void SECTabWndBase::ActivateTab(int index) {
    if (SECTab* tab = tab_ctrl_ ? tab_ctrl_->GetTab(index) : nullptr) ActivateTab(tab->m_pClient, index);
}
void SECTabWndBase::ActivateTab(CWnd* wnd) {
    const int index = IndexOf(wnd);
    if (index >= 0) ActivateTab(wnd, index);
}

void SECTabWndBase::GiveFocus(CWnd* wnd) {
    if (!wnd || !wnd->m_hWnd) return;
    if (wnd->IsKindOf(RUNTIME_CLASS(CView))) {
        if (CFrameWnd* frame = GetParentFrame()) frame->SetActiveView(static_cast<CView*>(wnd));
        if (CFrameWnd* top = GetTopLevelFrame())
            ::SetWindowPos(top->m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    } else {
        // The window that loses the focus may tell its owner, who may remove this tab (and
        // delete its pane) or destroy this window before the pane gets the focus.
        const HWND own = m_hWnd;
        SetFocus();
        if (::IsWindow(own) && active_wnd_ == wnd && wnd->m_hWnd) wnd->SetFocus();
    }
}

void SECTabWndBase::ActivateTab(CWnd* wnd, int index) {
    if (!tab_ctrl_ || !wnd || wnd == active_wnd_ || index < 0 || index >= GetTabCount()) return;
    int control_active = -1;
    if (!tab_ctrl_->GetActiveTab(control_active) || control_active != index) {
        // The control reports the activation back, which lands here again and does the work.
        // The owner's notice that follows may remove the tab, delete its pane or destroy this
        // window: nothing read before it is used after it.
        tab_ctrl_->ActivateTab(index);
        return;
    }
    OnSwitchingTab(IndexOf(active_wnd_), index);
    CWnd* old = active_wnd_;
    active_wnd_ = wnd;
    // Hiding a pane and moving the focus reach other windows, whose owners may change the tabs
    // or destroy this window: each step goes on only while this pane is still the active one.
    const HWND own = m_hWnd;
    const auto still_active = [&] { return ::IsWindow(own) && active_wnd_ == wnd; };
    if (old && old->m_hWnd) old->ShowWindow(SW_HIDE);
    if (!still_active()) return;
    RecalcLayout();
    if (wnd->m_hWnd) wnd->ShowWindow(SW_SHOW);
    if (!still_active()) return;
    GiveFocus(wnd);
    if (still_active()) Invalidate();
}

void SECTabWndBase::ClearSelection() {
    if (tab_ctrl_) tab_ctrl_->ClearSelection();
}
void SECTabWndBase::ScrollToTab(int index) {
    if (tab_ctrl_) tab_ctrl_->ScrollToTab(index);
}
void SECTabWndBase::ScrollToTab(CWnd* wnd) { ScrollToTab(IndexOf(wnd)); }

void SECTabWndBase::RefocusActiveTab() { GiveFocus(active_wnd_); }

void SECTabWndBase::GetActiveTab(CWnd** wnd) const {
    if (active_wnd_ && wnd) *wnd = active_wnd_;
}

LRESULT SECTabWndBase::OnTabSelected(WPARAM index, LPARAM) {
    SECTab* tab = tab_ctrl_ ? tab_ctrl_->GetTab(int(index)) : nullptr;
    if (!tab) return 0;
    CWnd* wnd = tab->m_pClient;
    const HWND own = m_hWnd;
    ActivateTab(wnd, int(index));
    // Told only while the tab is still the active one: a call made meanwhile by an owner (from
    // a focus notice, say) may have removed it or activated another, which told of itself.
    int active = -1;
    if (!::IsWindow(own) || !tab_ctrl_ || !tab_ctrl_->GetActiveTab(active) || active != int(index) ||
        tab_ctrl_->GetTab(active)->m_pClient != wnd)
        return 0;
    if (CWnd* notify = GetNotifyWnd()) notify->SendMessage(TCM_TABSEL, index);
    return 0;
}

LRESULT SECTabWndBase::OnTabReactivated(WPARAM, LPARAM) {
    RefocusActiveTab();
    return 0;
}

void SECTabWndBase::OnDestroy() {
    if (tab_ctrl_ && tab_ctrl_->m_hWnd) tab_ctrl_->DestroyWindow();
    tab_ctrl_.reset();
    active_wnd_ = nullptr;
    made_panes_.clear();
    CWnd::OnDestroy();
}
