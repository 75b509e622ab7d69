#include "ide/shell/bars/output_bar.h"

#include "ide/shell/bars/bar_layout.h"
#include "platform/res/resources.h"

const kit::res::Module& bars_resources();

void RegisterBarResources() {
    static const bool registered = (kit::res::register_module(&bars_resources()), true);
    (void)registered;
}

IMPLEMENT_DYNAMIC(COutputBar, SECControlBar)

BEGIN_MESSAGE_MAP(COutputBar, SECControlBar)
ON_WM_CREATE()
ON_WM_SIZE()
ON_COMMAND(COutputBar::kClearCommand, OnClear)
END_MESSAGE_MAP()

COutputBar::COutputBar() { RegisterBarResources(); }

int COutputBar::OnCreate(CREATESTRUCT* cs) {
    if (SECControlBar::OnCreate(cs) == -1) return -1;
    if (!tabs_.Create(this, 0x50300012, kTabWndId)) return -1;
    for (std::size_t i = 0; i < panes_.size(); ++i) {
        if (!panes_[i].Create(0, 0, CRect(0, 0, 0, 0), &tabs_, kFirstPaneId + UINT(i))) return -1;
        tabs_.AddTab(&panes_[i], kLabels[i]);
        tabs_.SetScrollStyle(int(i), WS_HSCROLL | WS_VSCROLL);
    }
    tabs_.ActivateTab(0);
    tabs_.ScrollToTab(0);
    return 0;
}

void COutputBar::OnSize(UINT type, int cx, int cy) {
    SECControlBar::OnSize(type, cx, cy);
    FitToInside(*this, tabs_);
}

void COutputBar::SetNavigateCallback(const NavigateCallback& callback) {
    for (CInfoWnd& pane : panes_) pane.SetNavigateCallback(callback);
}

CInfoWnd* COutputBar::PaneByName(std::string_view label) {
    for (std::size_t i = 0; i < kLabels.size(); ++i)
        if (label == kLabels[i]) return &panes_[i];
    return nullptr;
}

void COutputBar::ActivatePane(OutputPane pane) {
    tabs_.ActivateTab(int(pane));
    tabs_.ScrollToTab(int(pane));
}

CInfoWnd* COutputBar::ActivePane() {
    CWnd* active = nullptr;
    tabs_.GetActiveTab(&active);
    return DYNAMIC_DOWNCAST(CInfoWnd, active);
}

void COutputBar::OnExtendContextMenu(CMenu* menu) {
    CString text;
    text.LoadString(kClearCommand);
    menu->AppendMenu(MF_SEPARATOR);
    menu->AppendMenu(MF_STRING, kClearCommand, text);
}

void COutputBar::OnClear() {
    if (CInfoWnd* pane = ActivePane()) pane->Clear();
}
