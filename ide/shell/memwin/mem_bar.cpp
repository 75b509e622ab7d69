#include "ide/shell/memwin/mem_bar.h"

IMPLEMENT_DYNAMIC(CVyrMemBar, TabbedPaneBar)

bool CVyrMemBar::CreatePanes(const CREATESTRUCT&) {
    for (std::size_t i = 0; i < views_.size(); ++i) {
        if (!views_[i].Create(0, CRect(0, 0, 0, 0), &tabs_, kFirstViewId + UINT(i))) return false;
        AddPane(views_[i], kLabels[i]);
    }
    ShowTab(0);
    return true;
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
