#include "uikit/frames/status_bar.h"

#include <algorithm>
#include <cstring>

#include "platform/user/status_bar.h"
#include "uikit/frames/sys_colors.h"

IMPLEMENT_DYNAMIC(SECStatusBar, SECControlBar)

BEGIN_MESSAGE_MAP(SECStatusBar, SECControlBar)
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_SIZE()
ON_WM_NCHITTEST()
ON_WM_NCCALCSIZE()
ON_WM_WINDOWPOSCHANGING()
ON_MESSAGE(WM_SETTEXT, OnSetText)
ON_MESSAGE(WM_GETTEXT, OnGetText)
ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
ON_MESSAGE(SB_SETMINHEIGHT, OnSetMinHeight)
END_MESSAGE_MAP()

namespace {

// Room around a pane's text inside its box.
constexpr int kPanePadding = 6;
// The text a pane shows when its string is missing.
constexpr const char* kMissingText = "  ";

struct Borders {
    int horz = 0, vert = 0, spacing = 0;
};

Borders control_borders(HWND hwnd) {
    int words[3] = {0, 0, 0};
    ::SendMessage(hwnd, SB_GETBORDERS, 0, reinterpret_cast<LPARAM>(words));
    return Borders{words[0], words[1], words[2]};
}

}  // namespace

SECStatusBar::SECStatusBar() {
    // Flat borders on the new-style shell; the older shell draws a frame around the bar.
    if (sec_sys_colors().new_shell) {
        m_cxLeftBorder = m_cxRightBorder = 0, m_cyTopBorder = 2, m_cyBottomBorder = 0;
    } else {
        m_cxLeftBorder = m_cxRightBorder = 2, m_cyTopBorder = 2, m_cyBottomBorder = 1;
    }
}

SECStatusBar::~SECStatusBar() { panes_.clear(); }

BOOL SECStatusBar::Create(CWnd* parent, DWORD style, UINT id) {
    m_dwStyle = style & CBRS_ALL;
    DWORD window_style = (style & ~CBRS_ALL) | CCS_NODIVIDER | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NOMOVEY;
    if (parent && (parent->GetStyle() & WS_THICKFRAME)) window_style |= SBARS_SIZEGRIP;
    if (!CWnd::CreateEx(0, STATUSCLASSNAME, nullptr, window_style | WS_CHILD, CRect(0, 0, 0, 0), parent, id))
        return FALSE;
    if (parent && parent->IsKindOf(RUNTIME_CLASS(CFrameWnd))) {
        m_pDockSite = static_cast<CFrameWnd*>(parent);
        m_pDockSite->AddControlBar(this);
    }
    return TRUE;
}

BOOL SECStatusBar::PreCreateWindow(CREATESTRUCT& cs) {
    // A bottom bar with only its top border draws none on the flat shell.
    if (sec_sys_colors().new_shell && (m_dwStyle & (CBRS_ALIGN_ANY | CBRS_BORDER_ANY)) == 0x8200)
        m_dwStyle &= ~(CBRS_BORDER_ANY | 0x0080);
    return SECControlBar::PreCreateWindow(cs);
}

HFONT SECStatusBar::bar_font() const {
    auto font = reinterpret_cast<HFONT>(::SendMessage(m_hWnd, WM_GETFONT, 0, 0));
    return font ? font : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

SECStatusPane* SECStatusBar::pane(int index) {
    return index >= 0 && index < int(panes_.size()) ? &panes_[std::size_t(index)] : nullptr;
}

const SECStatusPane* SECStatusBar::pane(int index) const {
    return index >= 0 && index < int(panes_.size()) ? &panes_[std::size_t(index)] : nullptr;
}

BOOL SECStatusBar::SetIndicators(const UINT* ids, int count) {
    panes_.clear();
    panes_.resize(std::size_t(std::max(count, 0)));
    BOOL stored = TRUE;
    if (ids) {
        HDC screen = ::CreateCompatibleDC(nullptr);
        HGDIOBJ old_font = ::SelectObject(screen, bar_font());
        for (int i = 0; i < count && stored; ++i) {
            SECStatusPane& p = panes_[std::size_t(i)];
            p.flags |= SECStatusPane::kNeedsText;
            p.id = ids[i];
            if (p.id) {
                CString text;
                if (!text.LoadString(p.id)) text = kMissingText;
                SIZE extent{};
                ::GetTextExtentPoint32(screen, text, text.GetLength(), &extent);
                p.cxText = extent.cx;
                stored = SetPaneText(i, text, FALSE);
            } else {
                p.cxText = ::GetSystemMetrics(SM_CXSCREEN) / 4;
                if (i == 0) p.style |= SBPS_NOBORDERS | SBPS_STRETCH;
            }
        }
        ::SelectObject(screen, old_font);
        ::DeleteDC(screen);
    }
    UpdateAllPanes(TRUE, TRUE);
    return stored;
}

int SECStatusBar::CommandToIndex(UINT id) const {
    for (std::size_t i = 0; i < panes_.size(); ++i)
        if (panes_[i].id == id) return int(i);
    return -1;
}

UINT SECStatusBar::GetItemID(int index) const {
    const SECStatusPane* p = pane(index);
    return p ? p->id : 0;
}

UINT SECStatusBar::GetPaneStyle(int index) const {
    const SECStatusPane* p = pane(index);
    return p ? p->style : 0;
}

CString SECStatusBar::GetPaneText(int index) const {
    const SECStatusPane* p = pane(index);
    return p ? p->text : CString();
}

void SECStatusBar::SetPaneStyle(int index, UINT style) {
    SECStatusPane* p = pane(index);
    if (!p || p->style == style) return;
    const bool stretch_changed = ((p->style ^ style) & SBPS_STRETCH) != 0;
    p->style = style;
    if (stretch_changed) UpdateAllPanes(TRUE, FALSE);
    p->flags |= SECStatusPane::kNeedsText;
    SetPaneText(index, p->text, TRUE);
}

BOOL SECStatusBar::SetPaneText(int index, const char* text, BOOL update) {
    SECStatusPane* p = pane(index);
    if (!p) return FALSE;
    const char* wanted = text ? text : "";
    if (!(p->flags & SECStatusPane::kNeedsText) && p->text == wanted) return TRUE;
    p->text = wanted;
    if (!update) {
        p->flags |= SECStatusPane::kNeedsText;
        return TRUE;
    }
    p->flags &= ~SECStatusPane::kNeedsText;
    if (m_hWnd) {
        // A disabled pane keeps its text but shows none.
        const LPARAM shown =
            (p->style & SBPS_DISABLED) ? 0 : reinterpret_cast<LPARAM>(static_cast<const char*>(p->text));
        ::SendMessage(m_hWnd, SB_SETTEXT, WPARAM(UINT(index) | LOWORD(p->style)), shown);
    }
    return TRUE;
}

CRect SECStatusBar::inside_rect() const {
    CRect rect;
    GetWindowRect(&rect);
    rect.OffsetRect(-rect.left, -rect.top);
    CControlBar::CalcInsideRect(rect, TRUE);
    CWnd* parent = GetParent();
    if ((GetStyle() & SBARS_SIZEGRIP) && parent && !parent->IsZoomed())
        rect.right -=
            2 * ::GetSystemMetrics(SM_CXBORDER) + control_borders(m_hWnd).horz + ::GetSystemMetrics(SM_CXVSCROLL);
    return rect;
}

void SECStatusBar::UpdateAllPanes(BOOL sizes, BOOL texts) {
    if (!m_hWnd) return;
    if (sizes && !panes_.empty()) {
        const CRect inside = inside_rect();
        const Borders borders = control_borders(m_hWnd);
        int leftover = inside.Width() + borders.spacing;
        int stretching = 0;
        for (const SECStatusPane& p : panes_) {
            leftover -= p.cxText + kPanePadding + borders.spacing;
            if (p.style & SBPS_STRETCH) ++stretching;
        }
        edges_.assign(panes_.size(), 0);
        int x = borders.horz;
        for (std::size_t i = 0; i < panes_.size(); ++i) {
            x += panes_[i].cxText + kPanePadding;
            // Each stretching pane takes its part of what is left; the last one the remainder too.
            if ((panes_[i].style & SBPS_STRETCH) && leftover > 0) {
                const int share = leftover / stretching;
                x += share;
                leftover -= share;
            }
            if (panes_[i].style & SBPS_STRETCH) --stretching;
            edges_[i] = x;
            x += borders.spacing;
        }
        ::SendMessage(m_hWnd, SB_SETPARTS, WPARAM(edges_.size()), reinterpret_cast<LPARAM>(edges_.data()));
    }
    if (texts)
        for (std::size_t i = 0; i < panes_.size(); ++i)
            if (panes_[i].flags & SECStatusPane::kNeedsText) SetPaneText(int(i), panes_[i].text, TRUE);
}

CSize SECStatusBar::CalcFixedLayout(BOOL, BOOL horz) {
    if (!horz) return CSize(0, 0);
    HDC screen = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old_font = ::SelectObject(screen, bar_font());
    TEXTMETRIC tm{};
    ::GetTextMetrics(screen, &tm);
    ::SelectObject(screen, old_font);
    ::DeleteDC(screen);
    CRect insets(0, 0, 0, 0);
    CControlBar::CalcInsideRect(insets, TRUE);
    const int vert = m_hWnd ? control_borders(m_hWnd).vert : 0;
    const int height =
        tm.tmHeight - tm.tmInternalLeading - 1 + 2 * (::GetSystemMetrics(SM_CYBORDER) + vert) - insets.Height();
    return CSize(32767, std::max(height, m_nMinHeight));
}

void SECStatusBar::OnUpdateCmdUI(CFrameWnd* target, BOOL disable_if_no_handler) {
    SECStatusCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = UINT(panes_.size());
    for (std::size_t i = 0; i < panes_.size(); ++i) {
        state.m_nID = panes_[i].id;
        state.m_nIndex = UINT(i);
        state.DoUpdate(target, disable_if_no_handler);
    }
    UpdateDialogControls(target, disable_if_no_handler);
}

void SECStatusBar::SetBarStyle(DWORD style) {
    const DWORD old_style = m_dwStyle;
    SECControlBar::SetBarStyle(style);
    OnBarStyleChange(old_style, style);
}

void SECStatusBar::OnBarStyleChange(DWORD old_style, DWORD new_style) {
    if (m_hWnd && ((old_style ^ new_style) & CBRS_BORDER_ANY))
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

BOOL SECStatusBar::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    if (message != WM_DRAWITEM) return SECControlBar::OnChildNotify(message, wParam, lParam, result);
    DrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    if (result) *result = TRUE;
    return TRUE;
}

// ---- messages -------------------------------------------------------------------------------

void SECStatusBar::OnPaint() {
    UpdateAllPanes(FALSE, TRUE);
    Default();
}

BOOL SECStatusBar::OnEraseBkgnd(CDC*) { return BOOL(Default()); }

void SECStatusBar::OnSize(UINT type, int cx, int cy) {
    SECControlBar::OnSize(type, cx, cy);
    UpdateAllPanes(TRUE, FALSE);
}

LRESULT SECStatusBar::OnNcHitTest(CPoint) { return Default() == HTBOTTOMRIGHT ? HTBOTTOMRIGHT : HTCLIENT; }

void SECStatusBar::OnNcCalcSize(BOOL, NCCALCSIZE_PARAMS* params) {
    CRect insets(0, 0, 0, 0);
    CControlBar::CalcInsideRect(insets, TRUE);
    RECT& client = params->rgrc[0];
    client.left += insets.left;
    client.top += insets.top - 2;
    client.right += insets.right;
    client.bottom += insets.bottom;
}

void SECStatusBar::OnWindowPosChanging(WINDOWPOS* pos) {
    // The borders are drawn as the non-client edge here, not by the bar's own sizing.
    const DWORD saved = m_dwStyle;
    m_dwStyle &= ~CBRS_BORDER_ANY;
    SECControlBar::OnWindowPosChanging(pos);
    m_dwStyle = saved;
}

LRESULT SECStatusBar::OnSetText(WPARAM, LPARAM lParam) {
    const int index = CommandToIndex(0);
    if (index < 0) return -1;
    return SetPaneText(index, reinterpret_cast<const char*>(lParam)) ? 0 : -1;
}

LRESULT SECStatusBar::OnGetText(WPARAM wParam, LPARAM lParam) {
    auto* out = reinterpret_cast<char*>(lParam);
    if (wParam == 0 || !out) return 0;
    const int index = CommandToIndex(0);
    const CString text = index < 0 ? CString() : panes_[std::size_t(index)].text;
    const std::size_t copied = std::min<std::size_t>(std::size_t(text.GetLength()), std::size_t(wParam) - 1);
    std::memcpy(out, static_cast<const char*>(text), copied);
    out[copied] = '\0';
    return LRESULT(copied + 1);
}

LRESULT SECStatusBar::OnGetTextLength(WPARAM, LPARAM) {
    const int index = CommandToIndex(0);
    return index < 0 ? 0 : panes_[std::size_t(index)].text.GetLength();
}

LRESULT SECStatusBar::OnSetMinHeight(WPARAM wParam, LPARAM) {
    m_nMinHeight = int(wParam);
    return Default();
}

// ---- the update object ----------------------------------------------------------------------

void SECStatusCmdUI::Enable(BOOL on) {
    m_bEnableChanged = TRUE;
    const UINT style = bar()->GetPaneStyle(int(m_nIndex));
    bar()->SetPaneStyle(int(m_nIndex), on ? style & ~SBPS_DISABLED : style | SBPS_DISABLED);
}

void SECStatusCmdUI::SetCheck(int check) {
    const UINT style = bar()->GetPaneStyle(int(m_nIndex));
    bar()->SetPaneStyle(int(m_nIndex), check ? style | SBPS_POPOUT : style & ~SBPS_POPOUT);
}

void SECStatusCmdUI::SetText(const char* text) { bar()->SetPaneText(int(m_nIndex), text); }
