#include "ide/shell/bars/output_bar.h"

#include "platform/res/resources.h"

const kit::res::Module& bars_resources();

void RegisterBarResources() {
    static const bool registered = (kit::res::register_module(&bars_resources()), true);
    (void)registered;
}

IMPLEMENT_DYNAMIC(COutputBar, TabbedPaneBar)

BEGIN_MESSAGE_MAP(COutputBar, TabbedPaneBar)
ON_COMMAND(COutputBar::kClearCommand, OnClear)
END_MESSAGE_MAP()

COutputBar::COutputBar() : TabbedPaneBar(kTabStyle2D) { RegisterBarResources(); }

bool COutputBar::CreatePanes(const CREATESTRUCT&) {
    for (std::size_t i = 0; i < panes_.size(); ++i) {
        if (!panes_[i].Create(0, 0, CRect(0, 0, 0, 0), &tabs_, kFirstPaneId + UINT(i))) return false;
        AddPane(panes_[i], kLabels[i]);
    }
    ShowTab(0);
    return true;
}

void COutputBar::SetNavigateCallback(const NavigateCallback& callback) {
    for (CInfoWnd& pane : panes_) pane.SetNavigateCallback(callback);
}

CInfoWnd* COutputBar::PaneByName(std::string_view label) {
    for (std::size_t i = 0; i < kLabels.size(); ++i)
        if (label == kLabels[i]) return &panes_[i];
    return nullptr;
}

void COutputBar::OnClear() {
    if (CInfoWnd* pane = ActiveOutputPane()) pane->Clear();
}
