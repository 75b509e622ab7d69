#include <algorithm>
#include <utility>
#include <vector>

#include "platform/afx/cmd_ui.h"
#include "platform/afx/control_bar.h"
#include "platform/afx/frame.h"
#include "platform/res/resources.h"

IMPLEMENT_DYNAMIC(CToolBar, CControlBar)

BEGIN_MESSAGE_MAP(CToolBar, CControlBar)
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

namespace {

constexpr int kSeparatorWidth = 8;

// Updates one button's flags from the command handlers.
class ToolButtonCmdUI : public CCmdUI {
public:
    CToolBar* bar = nullptr;
    void Enable(BOOL on) override {
        m_bEnableChanged = TRUE;
        set_flag(CToolBar::TBBS_DISABLED, !on);
    }
    void SetCheck(int check) override {
        set_flag(CToolBar::TBBS_CHECKED, check == 1);
        set_flag(CToolBar::TBBS_INDETERMINATE, check == 2);
    }
    void SetText(const char*) override {}

private:
    void set_flag(UINT flag, bool on) {
        const int index = int(m_nIndex);
        const UINT style = bar->GetButtonStyle(index);
        bar->SetButtonStyle(index, on ? style | flag : style & ~flag);
    }
};

// Every other pixel of a disabled button's picture becomes button face: the
// halftone pattern's second colour is first cleared to black (AND), then
// filled with the face colour (OR), leaving the first colour's pixels alone.
void shade_disabled(CDC* dc, const CRect& area) {
    constexpr DWORD kDestAndPattern = 0x00A000C9;
    constexpr DWORD kDestOrPattern = 0x00FA0089;
    HGDIOBJ old_brush = dc->SelectObject(::GetHalftoneBrush());
    const COLORREF old_text = dc->SetTextColor(RGB(255, 255, 255));
    const COLORREF old_back = dc->SetBkColor(RGB(0, 0, 0));
    dc->PatBlt(area.left, area.top, area.Width(), area.Height(), kDestAndPattern);
    dc->SetTextColor(RGB(0, 0, 0));
    dc->SetBkColor(::GetSysColor(COLOR_BTNFACE));
    dc->PatBlt(area.left, area.top, area.Width(), area.Height(), kDestOrPattern);
    dc->SetTextColor(old_text);
    dc->SetBkColor(old_back);
    dc->SelectObject(old_brush);
}

}  // namespace

BOOL CToolBar::Create(CWnd* parent, DWORD style, UINT id) {
    m_cxLeftBorder = m_cxRightBorder = 4;
    m_cyTopBorder = m_cyBottomBorder = 2;
    return create_bar(nullptr, style, style, parent, id);
}

BOOL CToolBar::LoadToolBar(UINT id) {
    const kit::res::Toolbar* resource = kit::res::find_toolbar(id);
    if (!resource) return FALSE;
    image_ = CSize(resource->button_width, resource->button_height);
    button_ = CSize(image_.cx + 7, image_.cy + 7);
    if (!images_.LoadBitmap(id)) images_.DeleteObject();  // buttons without pictures still work
    std::vector<UINT> ids(resource->items.begin(), resource->items.end());
    return SetButtons(ids.data(), int(ids.size()));
}

BOOL CToolBar::SetButtons(const UINT* ids, int count) {
    ids_.RemoveAll();
    m_arrElementFlags.RemoveAll();
    if (count < 0 || (count && !ids)) return FALSE;
    for (int i = 0; i < count; ++i) {
        ids_.Add(ids[i]);
        m_arrElementFlags.Add(ids[i] == 0 ? TBBS_SEPARATOR : TBBS_BUTTON);
    }
    Invalidate();
    return TRUE;
}

int CToolBar::CommandToIndex(UINT id) const {
    for (int i = 0; i < ids_.GetSize(); ++i)
        if (ids_[i] == id && id != 0) return i;
    return -1;
}

UINT CToolBar::GetItemID(int index) const { return index >= 0 && index < ids_.GetSize() ? ids_[index] : 0; }

UINT CToolBar::GetButtonStyle(int index) const {
    return index >= 0 && index < m_arrElementFlags.GetSize() ? m_arrElementFlags[index] : 0;
}

void CToolBar::SetButtonStyle(int index, UINT style) {
    if (index < 0 || index >= m_arrElementFlags.GetSize() || m_arrElementFlags[index] == style) return;
    m_arrElementFlags[index] = style;
    CRect area;
    GetItemRect(index, &area);
    InvalidateRect(&area);
}

void CToolBar::GetItemRect(int index, RECT* out) const {
    CRect inside(0, 0, 32767, button_.cy + 32);
    CalcInsideRect(inside, TRUE);
    int x = inside.left;
    for (int i = 0; i < ids_.GetSize(); ++i) {
        const int width = ids_[i] == 0 ? kSeparatorWidth : button_.cx;
        if (i == index) {
            *out = CRect(x, inside.top, x + width, inside.top + button_.cy);
            return;
        }
        x += width;
    }
    *out = CRect();
}

CSize CToolBar::CalcFixedLayout(BOOL stretch, BOOL horz) {
    CSize size = CControlBar::CalcFixedLayout(stretch, horz);
    size.cy += button_.cy;
    if (!stretch) {
        CRect last;
        GetItemRect(ids_.GetSize() - 1, &last);
        size.cx += last.right;
    }
    return size;
}

void CToolBar::OnUpdateCmdUI(CFrameWnd* target, BOOL disable_if_no_handler) {
    ToolButtonCmdUI state;
    state.bar = this;
    state.m_pOther = this;
    state.m_nIndexMax = UINT(ids_.GetSize());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        state.m_nID = ids_[int(state.m_nIndex)];
        if (state.m_nID != 0) state.DoUpdate(target, disable_if_no_handler);
    }
}

int CToolBar::hit_button(CPoint point) const {
    for (int i = 0; i < ids_.GetSize(); ++i) {
        CRect area;
        GetItemRect(i, &area);
        if (ids_[i] != 0 && area.PtInRect(point)) return i;
    }
    return -1;
}

int CToolBar::OnToolHitTest(CPoint point, ToolHit* hit) const {
    const int index = hit_button(point);
    if (index < 0) return -1;
    if (hit) {
        hit->id = ids_[index];
        GetItemRect(index, &hit->rect);
        CString prompt;
        prompt.LoadString(hit->id);
        const int newline = prompt.Find('\n');
        hit->text = newline >= 0 ? prompt.Mid(newline + 1) : CString();
    }
    return int(ids_[index]);
}

void CToolBar::OnLButtonDown(UINT, CPoint point) {
    const int index = hit_button(point);
    if (index < 0 || (GetButtonStyle(index) & TBBS_DISABLED)) return;
    pressed_ = index;
    SetButtonStyle(index, GetButtonStyle(index) | TBBS_PRESSED);
    SetCapture();
    if (CFrameWnd* frame = GetDockingFrame()) frame->SetMessageText(ids_[index]);
}

void CToolBar::OnLButtonUp(UINT, CPoint point) {
    if (pressed_ < 0) return;
    const int index = std::exchange(pressed_, -1);
    ::ReleaseCapture();
    SetButtonStyle(index, GetButtonStyle(index) & ~TBBS_PRESSED);
    if (CFrameWnd* frame = GetDockingFrame()) frame->SetMessageText(AFX_IDS_IDLEMESSAGE);
    // The command goes to the owner frame only when released over the same button.
    if (hit_button(point) != index) return;
    CWnd* owner = GetOwner();
    if (owner) owner->PostMessage(WM_COMMAND, ids_[index]);
}

void CToolBar::DoPaint(CDC* dc) {
    CControlBar::DoPaint(dc);
    CDC images;
    images.CreateCompatibleDC(dc);
    CBitmap* old = images_.m_hObject ? images.SelectObject(&images_) : nullptr;
    int image = 0;
    for (int i = 0; i < ids_.GetSize(); ++i) {
        if (ids_[i] == 0) continue;
        CRect area;
        GetItemRect(i, &area);
        const UINT style = GetButtonStyle(i);
        const bool down = (style & (TBBS_PRESSED | TBBS_CHECKED)) != 0;
        dc->FillSolidRect(&area, ::GetSysColor(COLOR_BTNFACE));
        UINT edge = down ? EDGE_SUNKEN : EDGE_RAISED;
        dc->DrawEdge(&area, edge, BF_RECT);
        const int x = area.left + (area.Width() - image_.cx) / 2 + (down ? 1 : 0);
        const int y = area.top + (area.Height() - image_.cy) / 2 + (down ? 1 : 0);
        if (images_.m_hObject) {
            dc->BitBlt(x, y, image_.cx, image_.cy, &images, image * image_.cx, 0, SRCCOPY);
            if (style & TBBS_DISABLED) shade_disabled(dc, CRect(CPoint(x, y), image_));
        }
        ++image;
    }
    if (old) images.SelectObject(old);
}
