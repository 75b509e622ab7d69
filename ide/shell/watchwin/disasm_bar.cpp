#include "ide/shell/watchwin/disasm_bar.h"

#include "ide/shell/watchwin/watch_window.h"

int DisasmLineAddress(std::string_view line) {
    if (line.size() < 5 || line[4] != ':') return -1;
    int address = 0;
    for (char c : line.substr(0, 4)) {
        const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
        if (digit < 0) return -1;
        address = address * 16 + digit;
    }
    return address;
}

// ---- the pane ----

IMPLEMENT_DYNAMIC(CDisasmPane, CInfoWnd)

BEGIN_MESSAGE_MAP(CDisasmPane, CInfoWnd)
ON_WM_PAINT()
END_MESSAGE_MAP()

void CDisasmPane::SetBreakAddresses(std::set<std::uint16_t> addresses) {
    if (addresses == breaks_) return;
    breaks_ = std::move(addresses);
    if (m_hWnd) Invalidate(FALSE);
}

bool CDisasmPane::HasBreakAt(int line) const {
    if (line < 0 || line >= GetLineCount()) return false;
    const int address = DisasmLineAddress(GetLine(line));
    return address >= 0 && breaks_.count(std::uint16_t(address));
}

void CDisasmPane::OnPaint() {
    CRect area;
    ::GetUpdateRect(m_hWnd, &area, FALSE);
    CInfoWnd::OnPaint();
    if (breaks_.empty() || area.IsRectEmpty()) return;
    CClientDC dc(this);
    dc.IntersectClipRect(&area);
    CRect client;
    GetClientRect(&client);
    CBrush frame(kBreakpointColor);
    const int height = GetLineHeight();
    const int top = GetTopLine();
    for (int line = top; line < GetLineCount() && (line - top) * height < client.bottom; ++line) {
        if (!HasBreakAt(line)) continue;
        CRect row(client.left, (line - top) * height, client.right, (line - top + 1) * height);
        dc.FrameRect(&row, &frame);
    }
}

// ---- the bar ----

IMPLEMENT_DYNAMIC(CVyrDisasmBar, TabbedPaneBar)

CVyrDisasmBar::CVyrDisasmBar() : TabbedPaneBar(kTabStyle2D) { RegisterWatchWindowResources(); }

bool CVyrDisasmBar::CreatePanes(const CREATESTRUCT&) {
    if (!pane_.Create(CInfoWnd::kMarkedLines, 0, CRect(0, 0, 0, 0), &tabs_, kPaneId)) return false;
    AddPane(pane_, "Disassembly");
    ShowTab(0);
    return true;
}
