#pragma once
// CWatchWindow: the docking "Watch" bar: a 2-D tab window whose one tab,
// "Watch", is the tree of watched expressions. Its context menu adds
// "Set Memory", which shows the memory window at the selected value.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "ide/shell/bars/tabbed_pane_bar.h"
#include "ide/shell/watchwin/watch_tree.h"
#include "uikit/controls/tab_wnd.h"

// Shows the memory window at an address (the main frame's service).
using ShowMemoryAt = std::function<void(std::uint32_t address)>;

// The address "Set Memory" reads from a value text: "0x" and up to eight hex
// digits (a character that is none gives 0xFFFFFFFF), or a decimal number;
// nothing when the text names no address (zero, in either form).
std::optional<std::uint32_t> WatchValueAddress(std::string_view text);

class CWatchWindow : public TabbedPaneBar {
    DECLARE_DYNAMIC(CWatchWindow)
public:
    static constexpr UINT kSetMemoryCommand = 42913;

    CWatchWindow();

    CWatchTreeView& Tree() { return tree_; }
    SECTabWnd& TabWnd() { return tabs_; }
    void SetScopeSource(StopScopeSource source) { tree_.SetScopeSource(std::move(source)); }
    void SetShowMemoryAt(ShowMemoryAt show) { show_memory_ = std::move(show); }

    // Adds an expression as the first line, evaluated in hexadecimal.
    void AddWatch(const std::string& expression);
    // Re-evaluates every expression after the target stopped.
    void RefreshWatches() { tree_.RefreshWatches(); }
    // The run ended: no line keeps a way into the target's memory.
    void DropTargetMemory() { tree_.DropFormulars(); }

    void OnExtendContextMenu(CMenu* menu) override { AppendCommand(*menu, kSetMemoryCommand); }

protected:
    SECTabWndBase& Tabs() override { return tabs_; }
    bool CreatePanes(const CREATESTRUCT& cs) override;
    afx_msg void OnSetMemory();
    DECLARE_MESSAGE_MAP()

private:
    SECTabWnd tabs_;
    CWatchTreeView tree_;
    ShowMemoryAt show_memory_;
};

// Registers the windows' dialogs and strings once.
void RegisterWatchWindowResources();
