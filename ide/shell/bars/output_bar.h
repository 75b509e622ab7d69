#pragma once
// COutputBar: the docking "Output Window": a 2-D tab window holding the three
// output panes "Build", "FindInFiles1" and "FindInFiles2". Its context menu
// adds "Clear", which empties the pane of the active tab.
#include <array>
#include <string_view>

#include "ide/shell/bars/info_wnd.h"
#include "ide/shell/bars/tabbed_pane_bar.h"
#include "uikit/controls/tab_wnd.h"

enum class OutputPane { build = 0, find_in_files1 = 1, find_in_files2 = 2 };

class COutputBar : public TabbedPaneBar {
    DECLARE_DYNAMIC(COutputBar)
public:
    static constexpr UINT kClearCommand = 32913;
    static constexpr UINT kFirstPaneId = 1094;

    COutputBar();

    // Every pane navigates through this callback; set it before or after creation.
    void SetNavigateCallback(const NavigateCallback& callback);

    CInfoWnd& Pane(OutputPane pane) { return panes_[std::size_t(pane)]; }
    // The pane with this tab label, or null.
    CInfoWnd* PaneByName(std::string_view label);
    SECTabWnd& TabWnd() { return tabs_; }
    void ActivatePane(OutputPane pane) { ShowTab(int(pane)); }
    // The pane of the active tab, or null.
    CInfoWnd* ActiveOutputPane() { return DYNAMIC_DOWNCAST(CInfoWnd, ActivePane()); }
    void OnExtendContextMenu(CMenu* menu) override { AppendCommand(*menu, kClearCommand); }

    static constexpr std::array<const char*, 3> kLabels{"Build", "FindInFiles1", "FindInFiles2"};

protected:
    SECTabWndBase& Tabs() override { return tabs_; }
    bool CreatePanes(const CREATESTRUCT& cs) override;
    afx_msg void OnClear();
    DECLARE_MESSAGE_MAP()

private:
    SECTabWnd tabs_;
    std::array<CInfoWnd, 3> panes_;
};

// Registers the bars' strings and pictures once.
void RegisterBarResources();
