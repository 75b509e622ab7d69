#include "ide/shell/memwin/mem_bar.h"

#include <cstdio>

#include "ide/shell/bars/bar_layout.h"

IMPLEMENT_DYNAMIC(CVyrMemBar, SECControlBar)

BEGIN_MESSAGE_MAP(CVyrMemBar, SECControlBar)
ON_WM_CREATE()
ON_WM_SIZE()
END_MESSAGE_MAP()

int CVyrMemBar::OnCreate(CREATESTRUCT* cs) {
    if (SECControlBar::OnCreate(cs) == -1) return -1;
    if (!tabs_.Create(this, 0x50300012, kTabWndId)) {
        std::fputs("Tab window creation failed!\n", stderr);
        return -1;
    }
    for (std::size_t i = 0; i < views_.size(); ++i) {
        if (!views_[i].Create(0, CRect(0, 0, 0, 0), &tabs_, kFirstViewId + UINT(i))) return -1;
        tabs_.AddTab(&views_[i], kLabels[i]);
        tabs_.SetScrollStyle(int(i), WS_HSCROLL | WS_VSCROLL);
    }
    tabs_.ActivateTab(0);
    return 0;
}

void CVyrMemBar::OnSize(UINT type, int cx, int cy) {
    SECControlBar::OnSize(type, cx, cy);
    FitToInside(*this, tabs_);
}

void CVyrMemBar::SetTargetMemory(const ide::TargetViews& views) {
    for (CMemWnd& view : views_) view.SetTargetMemory(views);
}

void CVyrMemBar::DropTargetMemory() {
    for (CMemWnd& view : views_) view.DropTargetMemory();
}

void CVyrMemBar::RefreshFromTarget() {
    for (CMemWnd& view : views_) view.RefreshFromTarget();
}

void CVyrMemBar::SnapshotTarget() {
    for (CMemWnd& view : views_) view.SnapshotTarget();
}
