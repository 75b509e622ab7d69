#include <algorithm>
#include <cstring>

#include "platform/afx/cmd_ui.h"
#include "platform/afx/control_bar.h"
#include "platform/afx/frame.h"

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
ON_MESSAGE(WM_SETTEXT, OnSetText)
ON_MESSAGE(WM_GETTEXT, OnGetText)
ON_MESSAGE(WM_GETTEXTLENGTH, OnGetTextLength)
END_MESSAGE_MAP()

namespace {

constexpr int kPaneGap = 2;
constexpr int kPanePadding = 6;

// Updates a pane from the command handlers: text and enabled state.
class StatusPaneCmdUI : public CCmdUI {
public:
    CStatusBar* bar = nullptr;
    void Enable(BOOL on) override {
        m_bEnableChanged = TRUE;
        enabled = on;
    }
    void SetCheck(int) override {}
    void SetText(const char* text) override { bar->SetPaneText(int(m_nIndex), text); }
    BOOL enabled = TRUE;
};

}  // namespace

BOOL CStatusBar::Create(CWnd* parent, DWORD style, UINT id) {
    m_cxLeftBorder = m_cxRightBorder = 0;
    m_cyTopBorder = 2;
    m_cyBottomBorder = 0;
    return create_bar(nullptr, style, style, parent, id);
}

int CStatusBar::pane_height() const {
    CClientDC dc(const_cast<CStatusBar*>(this));
    CFont* font = GetFont();
    HGDIOBJ old = font ? dc.SelectObject(font->m_hObject) : nullptr;
    TEXTMETRIC metrics{};
    dc.GetTextMetrics(&metrics);
    if (old) dc.SelectObject(old);
    return std::max<int>(metrics.tmHeight, 8) + 4;
}

BOOL CStatusBar::SetIndicators(const UINT* ids, int count) {
    panes_.RemoveAll();
    if (count < 0 || (count && !ids)) return FALSE;
    CClientDC dc(this);
    BOOL all_found = TRUE;
    for (int i = 0; i < count; ++i) {
        Pane pane;
        pane.id = ids[i];
        if (pane.id != 0) {
            if (!pane.text.LoadString(pane.id)) all_found = FALSE;
            pane.width = dc.GetTextExtent(pane.text).cx + kPanePadding;
        }
        panes_.Add(pane);
    }
    m_arrElementFlags.SetSize(count);
    Invalidate();
    return all_found;
}

UINT CStatusBar::GetItemID(int index) const { return index >= 0 && index < panes_.GetSize() ? panes_[index].id : 0; }

int CStatusBar::CommandToIndex(UINT id) const {
    for (int i = 0; i < panes_.GetSize(); ++i)
        if (panes_[i].id == id) return i;
    return -1;
}

BOOL CStatusBar::SetPaneText(int index, const char* text, BOOL update) {
    if (index < 0 || index >= panes_.GetSize()) return FALSE;
    Pane& pane = panes_.ElementAt(index);
    if (pane.text == CString(text)) return TRUE;
    pane.text = text;
    if (update && m_hWnd) {
        CRect area;
        GetItemRect(index, &area);
        InvalidateRect(&area);
    }
    return TRUE;
}

CString CStatusBar::GetPaneText(int index) const {
    return index >= 0 && index < panes_.GetSize() ? panes_[index].text : CString();
}

void CStatusBar::GetItemRect(int index, RECT* out) const {
    CRect inside;
    GetClientRect(&inside);
    const_cast<CStatusBar*>(this)->CalcInsideRect(inside, TRUE);
    // Fixed panes sit at the right; the message pane (width 0) takes what is left.
    int fixed = 0;
    for (int i = 0; i < panes_.GetSize(); ++i) fixed += panes_[i].width ? panes_[i].width + kPaneGap : 0;
    const int stretch = std::max<int>(0, inside.Width() - fixed - kPaneGap);
    int x = inside.left;
    for (int i = 0; i < panes_.GetSize(); ++i) {
        const int width = panes_[i].width ? panes_[i].width : stretch;
        if (i == index) {
            *out = CRect(x, inside.top, x + width, inside.bottom);
            return;
        }
        x += width + kPaneGap;
    }
    *out = CRect();
}

CSize CStatusBar::CalcFixedLayout(BOOL stretch, BOOL horz) {
    CSize size = CControlBar::CalcFixedLayout(stretch, horz);
    size.cy += pane_height();
    return size;
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* target, BOOL disable_if_no_handler) {
    StatusPaneCmdUI state;
    state.bar = this;
    state.m_pOther = this;
    state.m_nIndexMax = UINT(panes_.GetSize());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        state.m_nID = panes_[int(state.m_nIndex)].id;
        if (state.m_nID == 0) continue;
        state.enabled = TRUE;
        state.DoUpdate(target, FALSE);
        Pane& pane = panes_.ElementAt(int(state.m_nIndex));
        if (pane.disabled == !state.enabled) continue;
        pane.disabled = !state.enabled;
        CRect area;
        GetItemRect(int(state.m_nIndex), &area);
        InvalidateRect(&area);
    }
}

void CStatusBar::DoPaint(CDC* dc) {
    CControlBar::DoPaint(dc);
    CFont* font = GetFont();
    HGDIOBJ old_font = font ? dc->SelectObject(font->m_hObject) : nullptr;
    dc->SetBkMode(TRANSPARENT);
    for (int i = 0; i < panes_.GetSize(); ++i) {
        CRect area;
        GetItemRect(i, &area);
        dc->Draw3dRect(&area, ::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNHIGHLIGHT));
        area.DeflateRect(2, 1);
        // A disabled pane shows nothing, as an indicator that is off.
        if (panes_[i].disabled) continue;
        dc->SetTextColor(::GetSysColor(COLOR_BTNTEXT));
        dc->DrawText(panes_[i].text, &area, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    if (old_font) dc->SelectObject(old_font);
}

// The window text is the message pane's, so the frame's prompts land there.
LRESULT CStatusBar::OnSetText(WPARAM, LPARAM lParam) {
    const int index = CommandToIndex(0);
    if (index >= 0) SetPaneText(index, reinterpret_cast<const char*>(lParam));
    return TRUE;
}

LRESULT CStatusBar::OnGetText(WPARAM wParam, LPARAM lParam) {
    const CString text = GetPaneText(CommandToIndex(0));
    auto* buffer = reinterpret_cast<char*>(lParam);
    if (!buffer || wParam == 0) return 0;
    const int length = std::min<int>(text.GetLength(), int(wParam) - 1);
    std::memcpy(buffer, text.str().data(), size_t(length));
    buffer[length] = '\0';
    return length;
}

LRESULT CStatusBar::OnGetTextLength(WPARAM, LPARAM) { return GetPaneText(CommandToIndex(0)).GetLength(); }
