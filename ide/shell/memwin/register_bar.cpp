#include "ide/shell/memwin/register_bar.h"

#include <algorithm>
#include <cstring>

#include "ide/debugger/register_model.h"
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

int CVyrRegWndBar::MinDockedLength(bool horizontal) const {
    const CRegisterWnd& pane = panes_[0];
    if (!horizontal || !m_hWnd || !pane.m_hWnd) return 0;
    std::size_t longest = 0;
    for (const char* line : ide::RegisterModel::kTemplates) longest = std::max(longest, std::strlen(line));
    // Round the pane the bar keeps its gripper and borders, and the tab window its scroll bar.
    CRect bar, inside;
    GetWindowRect(&bar);
    GetInsideRect(inside);
    return int(longest) * pane.CharWidth() + bar.Width() - inside.Width() + ::GetSystemMetrics(SM_CXVSCROLL);
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
