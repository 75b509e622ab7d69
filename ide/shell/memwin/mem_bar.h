#pragma once
// CVyrMemBar: the docking "Memory" bar: a 2-D tab window holding two
// independent memory views, "MemoryWindow1" and "MemoryWindow2", each with
// both of the tab window's scroll bars.
#include <array>

#include "ide/shell/memwin/mem_wnd.h"
#include "uikit/controls/tab_wnd.h"
#include "uikit/frames/control_bar.h"

class CVyrMemBar : public SECControlBar {
    DECLARE_DYNAMIC(CVyrMemBar)
public:
    static constexpr UINT kTabWndId = 0xE900;
    static constexpr UINT kFirstViewId = 1095;
    static constexpr std::array<const char*, 2> kLabels{"MemoryWindow1", "MemoryWindow2"};

    CMemWnd& View(int index) { return views_[std::size_t(index)]; }
    SECTabWnd& TabWnd() { return tabs_; }

    // The debug window services, for both views.
    void SetTargetMemory(const ide::TargetViews& views);
    void DropTargetMemory();
    void RefreshFromTarget();
    void SnapshotTarget();

protected:
    afx_msg int OnCreate(CREATESTRUCT* cs);
    afx_msg void OnSize(UINT type, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    SECTabWnd tabs_;
    std::array<CMemWnd, 2> views_;
};
