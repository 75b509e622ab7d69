#include "ide/shell/watchwin/watch_window.h"

#include <algorithm>

#include "platform/res/resources.h"

const kit::res::Module& watchwin_resources();

void RegisterWatchWindowResources() {
    static const bool registered = (kit::res::register_module(&watchwin_resources()), true);
    (void)registered;
}

std::optional<std::uint32_t> WatchValueAddress(std::string_view text) {
    std::uint32_t address = 0;
    if (text.starts_with("0x")) {
        for (char c : text.substr(2, 8)) {
            const int digit = c >= '0' && c <= '9'   ? c - '0'
                              : c >= 'a' && c <= 'f' ? c - 'a' + 10
                              : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                     : -1;
            if (digit < 0) return 0xFFFFFFFFu;
            address = address << 4 | std::uint32_t(digit);
        }
    } else {
        for (char c : text) {
            if (c < '0' || c > '9') break;
            address = address * 10 + std::uint32_t(c - '0');
            if (address > 0xFFFFFF) break;  // far past any address: stop before the number wraps
        }
    }
    // Zero names no address, written in hexadecimal ("0x0", a bare "0x") or not.
    if (address == 0) return std::nullopt;
    return address;
}

IMPLEMENT_DYNAMIC(CWatchWindow, TabbedPaneBar)

BEGIN_MESSAGE_MAP(CWatchWindow, TabbedPaneBar)
ON_COMMAND(CWatchWindow::kSetMemoryCommand, OnSetMemory)
END_MESSAGE_MAP()

CWatchWindow::CWatchWindow() : TabbedPaneBar(kTabStyle2D, Backdrop::whole_client) { RegisterWatchWindowResources(); }

// The tree scrolls itself: the tab window's scroll bars stay off for it.
bool CWatchWindow::CreatePanes(const CREATESTRUCT& cs) {
    if (!tree_.CreateTree(&tabs_, std::max(cs.cx, 200))) return false;
    AddPane(tree_, "Watch", 0);
    ShowTab(0);
    tree_.SetNotifyWnd(this);
    return true;
}

void CWatchWindow::AddWatch(const std::string& expression) { tree_.AddWatch(expression); }

void CWatchWindow::OnSetMemory() {
    HTREEITEM item = tree_.GetSelectedItem();
    if (!item) return;
    const auto address = WatchValueAddress(tree_.GetItemText(item, 1).str());
    if (!address) {
        AfxMessageBox("Not a valid Address!");
        return;
    }
    if (show_memory_) show_memory_(*address);
}
