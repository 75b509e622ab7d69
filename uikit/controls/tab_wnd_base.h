#pragma once
// SECTabWndBase: a child window that shows one of several client windows at
// a time, with a tab control to switch between them. It creates the tab
// control, activates tabs and relays what the control reports; the concrete
// windows place the strip and the panes.
#include <memory>
#include <vector>

#include "uikit/controls/tab_control_base.h"

class SECTabWndBase : public CWnd {
    DECLARE_DYNAMIC(SECTabWndBase)
public:
    static constexpr UINT kTabCtrlId = 0xEA30;
    static constexpr UINT kFirstPaneId = 0xEB00;  // panes made by class: this plus the tab count
    static constexpr UINT kNextPaneId = UINT(-1);

    SECTabWndBase();
    ~SECTabWndBase() override;

    virtual BOOL Create(CWnd* parent, DWORD style, UINT id);
    virtual BOOL CreateTabCtrl(DWORD style, UINT id) { return FALSE; }
    // Makes a pane of the class (a CWnd kind) and inserts it; null when it cannot be made.
    virtual SECTab* InsertTab(CRuntimeClass* pane_class, int index, const char* label,
                              CCreateContext* context = nullptr, UINT id = kNextPaneId);
    virtual SECTab* InsertTab(CWnd* wnd, int index, const char* label);
    virtual SECTab* AddTab(CRuntimeClass* pane_class, const char* label, CCreateContext* context = nullptr,
                           UINT id = kNextPaneId);
    virtual SECTab* AddTab(CWnd* wnd, const char* label);
    virtual void SetTabIcon(int index, const char* resource, int cx, int cy);
    virtual void SetTabIcon(int index, UINT resource, int cx, int cy);
    virtual void SetTabIcon(int index, HICON icon);
    virtual void SetScrollStyle(int index, DWORD style) {}
    virtual void RemoveTab(int index);
    virtual void RemoveTab(CWnd* wnd);
    virtual void RenameTab(int index, const char* label);
    virtual void RenameTab(CWnd* wnd, const char* label);
    virtual void ActivateTab(int index);
    virtual void ActivateTab(CWnd* wnd);
    virtual void ActivateTab(CWnd* wnd, int index);
    virtual void ClearSelection();
    virtual void ScrollToTab(int index);
    virtual void ScrollToTab(CWnd* wnd);
    virtual void RefocusActiveTab();
    virtual void SetNotifyWnd(CWnd* wnd) { notify_ = wnd; }
    virtual CWnd* GetNotifyWnd() const { return notify_ ? notify_ : GetParent(); }
    virtual void GetInsideRect(CRect* rect) const { GetClientRect(rect); }
    virtual void RecalcLayout() {}

    // Stores the active tab's window through `wnd` when a tab is active; otherwise leaves it.
    void GetActiveTab(CWnd** wnd) const;
    SECTabControlBase* GetTabControl() const { return tab_ctrl_.get(); }
    int GetTabCount() const { return tab_ctrl_ ? tab_ctrl_->GetTabCount() : 0; }

protected:
    // Creates the window itself; `takes_client_edge` moves WS_EX_CLIENTEDGE from the parent to it.
    BOOL CreateFrameWindow(CWnd* parent, DWORD style, UINT id, bool takes_client_edge);
    // Called before the panes change hands: the 2-D window swaps its scroll bars here.
    virtual void OnSwitchingTab(int old_index, int new_index) {}
    int IndexOf(const CWnd* wnd) const;
    void GiveFocus(CWnd* wnd);

    afx_msg LRESULT OnTabSelected(WPARAM index, LPARAM);
    afx_msg LRESULT OnTabReactivated(WPARAM index, LPARAM);
    afx_msg void OnDestroy();
    void PostNcDestroy() override {}
    DECLARE_MESSAGE_MAP()

    std::unique_ptr<SECTabControlBase> tab_ctrl_;
    CWnd* active_wnd_ = nullptr;
    CWnd* notify_ = nullptr;
    // Panes made by class that are not views (views delete themselves): they go with this window.
    std::vector<std::unique_ptr<CWnd>> made_panes_;
};
