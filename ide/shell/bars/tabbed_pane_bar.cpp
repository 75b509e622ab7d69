#include "ide/shell/bars/tabbed_pane_bar.h"

IMPLEMENT_DYNAMIC(TabbedPaneBar, SECControlBar)

BEGIN_MESSAGE_MAP(TabbedPaneBar, SECControlBar)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CWnd* TabbedPaneBar::ActivePane() {
    CWnd* pane = nullptr;
    Tabs().GetActiveTab(&pane);
    return pane;
}

int TabbedPaneBar::OnCreate(CREATESTRUCT* cs) {
    if (SECControlBar::OnCreate(cs) == -1) return -1;
    if (!Tabs().Create(this, tab_style_, kTabWndId)) return -1;
    return CreatePanes(*cs) ? 0 : -1;
}

void TabbedPaneBar::OnSize(UINT type, int cx, int cy) {
    SECControlBar::OnSize(type, cx, cy);
    SECTabWndBase& tabs = Tabs();
    if (!tabs.m_hWnd) return;
    CRect inside;
    GetInsideRect(inside);
    // No change of z-order or activation: the bar may be resized while another window is active.
    tabs.SetWindowPos(nullptr, inside.left, inside.top, inside.Width(), inside.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL TabbedPaneBar::OnEraseBkgnd(CDC* dc) {
    if (backdrop_ == Backdrop::whole_client) {
        CRect client;
        GetClientRect(&client);
        dc->FillSolidRect(&client, ::GetSysColor(COLOR_3DFACE));
    }
    return SECControlBar::OnEraseBkgnd(dc);
}

void TabbedPaneBar::AddPane(CWnd& pane, const char* label, DWORD scroll_style) {
    SECTabWndBase& tabs = Tabs();
    tabs.AddTab(&pane, label);
    tabs.SetScrollStyle(tabs.GetTabCount() - 1, scroll_style);
}

void TabbedPaneBar::ShowTab(int index) {
    Tabs().ActivateTab(index);
    Tabs().ScrollToTab(index);
}

void TabbedPaneBar::AppendCommand(CMenu& menu, UINT id) {
    CString text;
    text.LoadString(id);
    menu.AppendMenu(MF_SEPARATOR);
    menu.AppendMenu(MF_STRING, id, text);
}
