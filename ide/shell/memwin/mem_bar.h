#pragma once
// CVyrMemBar: the docking "Memory" bar: a 2-D tab window holding two
// independent memory views, "MemoryWindow1" and "MemoryWindow2", each with
// both of the tab window's scroll bars.
#include <array>

#include "ide/shell/bars/tabbed_pane_bar.h"
#include "ide/shell/memwin/mem_wnd.h"
#include "uikit/controls/tab_wnd.h"

class CVyrMemBar : public TabbedPaneBar {
    DECLARE_DYNAMIC(CVyrMemBar)
public:
    static constexpr UINT kFirstViewId = 1095;
    static constexpr std::array<const char*, 2> kLabels{"MemoryWindow1", "MemoryWindow2"};

    CVyrMemBar() : TabbedPaneBar(kTabStyle2D) {}

    CMemWnd& View(int index) { return views_[std::size_t(index)]; }
    SECTabWnd& TabWnd() { return tabs_; }

    // The debug window services, for both views.
    void SetTargetMemory(const ide::TargetViews& views);
    void DropTargetMemory();
    void RefreshFromTarget();
    void SnapshotTarget();

protected:
    SECTabWndBase& Tabs() override { return tabs_; }
    bool CreatePanes(const CREATESTRUCT& cs) override;

private:
    SECTabWnd tabs_;
    std::array<CMemWnd, 2> views_;
};
