#include "ide/shell/watchwin/watch_window.h"

#include <algorithm>

#include "ide/shell/bars/bar_layout.h"
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

IMPLEMENT_DYNAMIC(CWatchWindow, SECControlBar)

BEGIN_MESSAGE_MAP(CWatchWindow, SECControlBar)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_ERASEBKGND()
ON_COMMAND(CWatchWindow::kSetMemoryCommand, OnSetMemory)
END_MESSAGE_MAP()

CWatchWindow::CWatchWindow() { RegisterWatchWindowResources(); }

int CWatchWindow::OnCreate(CREATESTRUCT* cs) {
    if (SECControlBar::OnCreate(cs) == -1) return -1;
    if (!tabs_.Create(this, 0x50300012, kTabWndId)) return -1;
    if (!tree_.CreateTree(&tabs_, std::max(cs->cx, 200))) return -1;
    tabs_.AddTab(&tree_, "Watch");
    tabs_.SetScrollStyle(0, 0);
    tabs_.ActivateTab(0);
    tabs_.ScrollToTab(0);
    tree_.SetNotifyWnd(this);
    return 0;
}

void CWatchWindow::OnSize(UINT type, int cx, int cy) {
    SECControlBar::OnSize(type, cx, cy);
    FitToInside(*this, tabs_);
}

BOOL CWatchWindow::OnEraseBkgnd(CDC* dc) {
    CRect client;
    GetClientRect(&client);
    dc->FillSolidRect(&client, ::GetSysColor(COLOR_3DFACE));
    return SECControlBar::OnEraseBkgnd(dc);
}

void CWatchWindow::AddWatch(const std::string& expression) { tree_.AddWatch(expression); }

void CWatchWindow::OnExtendContextMenu(CMenu* menu) {
    CString text;
    text.LoadString(kSetMemoryCommand);
    menu->AppendMenu(MF_SEPARATOR);
    menu->AppendMenu(MF_STRING, kSetMemoryCommand, text);
}

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
