#include "ide/shell/memwin/register_bar.h"

#include "ide/shell/bars/output_bar.h"

IMPLEMENT_DYNAMIC(CVyrRegWndBar, TabbedPaneBar)

CVyrRegWndBar::CVyrRegWndBar() : TabbedPaneBar(kTabStyle2D) { RegisterBarResources(); }  // the "Clear" text

bool CVyrRegWndBar::CreatePanes(const CREATESTRUCT&) {
    for (std::size_t i = 0; i < panes_.size(); ++i) {
        if (!panes_[i].Create(kPaneStyle, CRect(0, 0, 0, 0), &tabs_, kFirstPaneId + UINT(i))) return false;
        AddPane(panes_[i], kLabels[i]);
    }
    ShowTab(0);
    return true;
}

void CVyrRegWndBar::SetRegisterBlock(std::uint8_t* block) {
    for (CRegisterWnd& pane : panes_) pane.SetRegisterBlock(block);
}

void CVyrRegWndBar::TakeSnapshot() {
    for (CRegisterWnd& pane : panes_) pane.TakeSnapshot();
}

void CVyrRegWndBar::ShowStopped() {
    for (CRegisterWnd& pane : panes_) pane.ShowStopped();
}
