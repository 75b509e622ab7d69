#include "ide/shell/memwin/register_bar.h"

#include "ide/shell/bars/bar_layout.h"
#include "ide/shell/bars/output_bar.h"

IMPLEMENT_DYNAMIC(CVyrRegWndBar, SECControlBar)

BEGIN_MESSAGE_MAP(CVyrRegWndBar, SECControlBar)
ON_WM_CREATE()
ON_WM_SIZE()
END_MESSAGE_MAP()

CVyrRegWndBar::CVyrRegWndBar() { RegisterBarResources(); }  // the "Clear" text

int CVyrRegWndBar::OnCreate(CREATESTRUCT* cs) {
    if (SECControlBar::OnCreate(cs) == -1) return -1;
    if (!tabs_.Create(this, 0x50300012, kTabWndId)) return -1;
    for (std::size_t i = 0; i < panes_.size(); ++i) {
        if (!panes_[i].Create(kPaneStyle, CRect(0, 0, 0, 0), &tabs_, kFirstPaneId + UINT(i))) return -1;
        tabs_.AddTab(&panes_[i], kLabels[i]);
        tabs_.SetScrollStyle(int(i), WS_HSCROLL | WS_VSCROLL);
    }
    tabs_.ActivateTab(0);
    tabs_.ScrollToTab(0);
    return 0;
}

void CVyrRegWndBar::OnSize(UINT type, int cx, int cy) {
    SECControlBar::OnSize(type, cx, cy);
    FitToInside(*this, tabs_);
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

void CVyrRegWndBar::OnExtendContextMenu(CMenu* menu) {
    CString text;
    text.LoadString(kClearCommand);
    menu->AppendMenu(MF_SEPARATOR);
    menu->AppendMenu(MF_STRING, kClearCommand, text);
}
