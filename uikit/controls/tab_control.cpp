#include "uikit/controls/tab_control.h"

#include <algorithm>

#include "platform/user/modal_loop.h"
#include "uikit/controls/list_font.h"

IMPLEMENT_DYNAMIC(SECTabControl, SECTabControlBase)

BEGIN_MESSAGE_MAP(SECTabControl, SECTabControlBase)
ON_WM_ERASEBKGND()
ON_WM_PAINT()
ON_WM_SIZE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

namespace {
constexpr int kNormal = 0, kSelected = 1, kActive = 2;
constexpr UINT kAllButtons = SECTabControl::kFirst | SECTabControl::kPrev | SECTabControl::kNext | SECTabControl::kLast;
constexpr UINT kButtonOrder[] = {SECTabControl::kFirst, SECTabControl::kPrev, SECTabControl::kNext,
                                 SECTabControl::kLast};
}  // namespace

SECTabControl::SECTabControl() = default;
SECTabControl::~SECTabControl() = default;

void SECTabControl::Initialize(DWORD style) {
    const int bar = ::GetSystemMetrics(SM_CYHSCROLL);
    CreateTabFont(fonts_[kNormal], bar - 1, FW_NORMAL);
    CreateTabFont(fonts_[kSelected], bar - 1, FW_NORMAL);
    CreateTabFont(fonts_[kActive], bar - 1, FW_BOLD);
    brushes_[kNormal].CreateSolidBrush(::GetSysColor(COLOR_BTNFACE));
    brushes_[kSelected].CreateSolidBrush(::GetSysColor(COLOR_WINDOW));
    brushes_[kActive].CreateSolidBrush(::GetSysColor(COLOR_WINDOW));
    for (CPen& pen : outline_pens_) pen.CreatePen(PS_SOLID, 1, RGB(0, 0, 0));
    shadow_pen_.CreatePen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
    button_cx_ = button_cy_ = bar + 1;
    buttons_ = (style & 0x1) ? (kPrev | kNext) : (style & 0x2) ? kAllButtons : 0;
    disabled_ = buttons_;
}

void SECTabControl::DestroyGdiObjects() {
    for (CFont& font : fonts_) font.DeleteObject();
    for (CPen& pen : outline_pens_) pen.DeleteObject();
    for (CBrush& brush : brushes_) brush.DeleteObject();
    shadow_pen_.DeleteObject();
}

void SECTabControl::RecalcLayout() {
    if (!m_hWnd) return;
    CClientDC dc(this);
    FontSelection font(&dc, &fonts_[kActive]);
    for (const auto& tab : tabs_) tab->m_nWidth = dc.GetTextExtent(tab->m_csLabel).cx + 20;
}

SECTab* SECTabControl::InsertTab(int index, const char* label, CWnd* wnd, DWORD user1, DWORD user2) {
    SECTab* tab = SECTabControlBase::InsertTab(index, label, wnd, user1, user2);
    RecalcLayout();
    InvalidateFrom(index);
    UpdateButtons();
    return tab;
}

CRect SECTabControl::ButtonRect(UINT button) const {
    int x = 0;
    for (UINT b : kButtonOrder) {
        if (!(buttons_ & b)) continue;
        if (b == button) return CRect(x, 0, x + button_cx_, button_cy_);
        x += button_cx_;
    }
    return CRect();
}

CRect SECTabControl::TabArea() const {
    CRect client;
    GetClientRect(&client);
    int left = 0;
    for (UINT b : kButtonOrder) left += (buttons_ & b) ? button_cx_ : 0;
    client.left = std::min(int(client.right), left);
    return client;
}

int SECTabControl::TabLeft(int index) const {
    int x = TabArea().left + offset_;
    for (int i = 0; i < std::min(index, GetTabCount()); ++i) x += GetTab(i)->m_nWidth - kOverlap;
    return x;
}

int SECTabControl::HitTab(CPoint point) const {
    const CRect area = TabArea();
    if (!area.PtInRect(point)) return -1;
    const int height = std::max(1, int(area.Height()));
    const int slope = 6 * (point.y - area.top) / height;  // how far the sides have come in at this row
    int x = area.left + offset_;
    for (int i = 0; i < GetTabCount(); ++i) {
        const int width = GetTab(i)->m_nWidth;
        if (point.x >= x + slope && point.x < x + width - slope) return i;
        x += width - kOverlap;
    }
    return -1;
}

UINT SECTabControl::HitButton(CPoint point) const {
    for (UINT b : kButtonOrder)
        if ((buttons_ & b) && ButtonRect(b).PtInRect(point)) return b;
    return 0;
}

void SECTabControl::InvalidateTab(int index) {
    if (!m_hWnd || !valid(index)) return;
    const CRect area = TabArea();
    const int x = TabLeft(index);
    CRect r(x, area.top, x + GetTab(index)->m_nWidth + 1, area.bottom);
    InvalidateRect(&r);
}

void SECTabControl::UpdateButtons() {
    if (!m_hWnd) return;
    UINT disabled = 0;
    if (tabs_.empty()) {
        disabled = kAllButtons;
        offset_ = 0;
    } else {
        const int right = TabArea().right;
        const int last = GetTabCount() - 1;
        const int end = TabLeft(last) + GetTab(last)->m_nWidth;
        if (end <= right) {
            offset_ = std::min(0, offset_ + right - end);
            disabled |= kNext | kLast;
        }
        if (offset_ >= 0) {
            offset_ = 0;
            disabled |= kFirst | kPrev;
        }
    }
    disabled &= buttons_;
    const UINT changed = disabled ^ disabled_;
    disabled_ = disabled;
    for (UINT b : kButtonOrder) {
        if (!(changed & b)) continue;
        CRect r = ButtonRect(b);
        InvalidateRect(&r);
    }
}

void SECTabControl::ApplyOffset(int offset) {
    const int old = offset_;
    offset_ = offset;
    UpdateButtons();
    if (offset_ == old) return;
    CRect area = TabArea();
    ScrollWindow(offset_ - old, 0, &area, &area);
    UpdateWindow();
}

void SECTabControl::ScrollToTab(int index) {
    if (!m_hWnd || !valid(index)) return;
    const CRect area = TabArea();
    if (area.IsRectEmpty()) return;
    const int width = GetTab(index)->m_nWidth;
    const int margin = width > area.Width() - 20 ? 0 : 20;
    int offset = offset_;
    const int left = TabLeft(index);
    if (left + width > area.right) offset -= left + width - (area.right - margin);
    const int moved_left = left + (offset - offset_);
    if (moved_left < area.left) offset += area.left + margin - moved_left;
    ApplyOffset(offset);
}

void SECTabControl::StepButton(UINT button) {
    switch (button) {
        case kFirst: ApplyOffset(0); break;
        case kPrev: ApplyOffset(offset_ + kScrollStep); break;
        case kNext: ApplyOffset(offset_ - kScrollStep); break;
        case kLast: {
            const int last = GetTabCount() - 1;
            if (last < 0) return;
            ApplyOffset(offset_ + TabArea().right - (TabLeft(last) + GetTab(last)->m_nWidth));
            break;
        }
        default: break;
    }
}

// Scrolls once, then, for previous and next, again while the button is held:
// first after 300 ms, then every 20 ms. Release, Escape, a lost capture or
// WM_QUIT end it.
void SECTabControl::TrackButton(UINT button) {
    if (!button || (disabled_ & button) || ::GetCapture()) return;
    pressed_ = button;
    CRect r = ButtonRect(button);
    InvalidateRect(&r);
    StepButton(button);
    UpdateWindow();
    const bool repeats = button == kPrev || button == kNext;
    if (repeats) SetTimer(kit::user::kLoopTimerId, kRepeatDelayMs);
    kit::user::run_capture_loop(m_hWnd, [&](const MSG& msg) {
        switch (msg.message) {
            case WM_LBUTTONUP: return kit::user::LoopStep::finished;
            case WM_KEYDOWN:
                return msg.wParam == WPARAM(VK_ESCAPE) ? kit::user::LoopStep::cancelled
                                                       : kit::user::LoopStep::keep_going;
            case WM_TIMER:
                if (msg.hwnd == m_hWnd && msg.wParam == kit::user::kLoopTimerId) {
                    StepButton(button);
                    SetTimer(kit::user::kLoopTimerId, kRepeatEveryMs);
                }
                return kit::user::LoopStep::keep_going;
            default: return kit::user::LoopStep::keep_going;
        }
    });
    if (!m_hWnd) return;
    if (repeats) KillTimer(kit::user::kLoopTimerId);
    if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    pressed_ = 0;
    InvalidateRect(&r);
}

void SECTabControl::OnTabClick(int index, UINT flags) {
    if (multiple_selection_ && (flags & MK_CONTROL)) {
        SECTab& tab = *GetTab(index);
        tab.m_bSelected = !tab.m_bSelected;
        if (has_active_ && active_ == index) has_active_ = FALSE;
        InvalidateTab(index);
    } else if (multiple_selection_ && (flags & MK_SHIFT)) {
        const int anchor = has_active_ ? active_ : index;
        const HWND own = m_hWnd;
        ActivateTab(index);
        if (!::IsWindow(own)) return;  // the owner's notice destroyed the window
        const int lo = std::min(anchor, index), hi = std::max(anchor, index);
        for (int i = 0; i < GetTabCount(); ++i) {
            const BOOL selected = i >= lo && i <= hi;
            if (GetTab(i)->m_bSelected == selected) continue;
            GetTab(i)->m_bSelected = selected;
            InvalidateTab(i);
        }
    } else if (has_active_ && active_ == index) {
        NotifyReclick();
    } else {
        for (int i = 0; i < GetTabCount(); ++i) {
            if (!GetTab(i)->m_bSelected) continue;
            GetTab(i)->m_bSelected = FALSE;
            InvalidateTab(i);
        }
        ActivateTab(index);
    }
}

void SECTabControl::OnLButtonDown(UINT flags, CPoint point) {
    if (UINT button = HitButton(point)) {
        TrackButton(button);
        return;
    }
    const int index = HitTab(point);
    if (index >= 0) OnTabClick(index, flags);
}

void SECTabControl::OnLButtonDblClk(UINT flags, CPoint point) {
    if (UINT button = HitButton(point)) {
        TrackButton(button);
        return;
    }
    Default();
    const int index = HitTab(point);
    if (index >= 0) Notify(TCM_TABDBLCLK, index);
}

void SECTabControl::OnSize(UINT type, int cx, int cy) {
    CWnd::OnSize(type, cx, cy);
    ApplyOffset(offset_);
}

BOOL SECTabControl::OnEraseBkgnd(CDC* dc) {
    CRect client;
    GetClientRect(&client);
    dc->FillRect(&client, &brushes_[kNormal]);
    return TRUE;
}

void SECTabControl::DrawButton(CDC* dc, UINT button) {
    CRect r = ButtonRect(button);
    if (!dc->RectVisible(&r)) return;
    dc->FillSolidRect(&r, ::GetSysColor(COLOR_WINDOWFRAME));
    r.DeflateRect(1, 1);
    dc->FillSolidRect(&r, ::GetSysColor(COLOR_BTNFACE));
    const COLORREF light = ::GetSysColor(COLOR_BTNHIGHLIGHT), dark = ::GetSysColor(COLOR_BTNSHADOW);
    const bool pressed = pressed_ == button;
    dc->Draw3dRect(&r, pressed ? dark : light, pressed ? light : dark);
    const int cx = r.Width(), cy = r.Height();
    const int w = std::max(2, int(cx * 0.3)), h = std::max(3, int(cy * 0.55)) | 1;
    const int mid_x = r.left + cx / 2 + (pressed ? 1 : 0), mid_y = r.top + cy / 2 + (pressed ? 1 : 0);
    const bool left = button == kFirst || button == kPrev;
    const int tip = left ? mid_x - w / 2 : mid_x + w / 2;
    const int base = left ? tip + w : tip - w;
    const POINT shape[3] = {{tip, mid_y}, {base, mid_y - h / 2}, {base, mid_y + h / 2}};
    const COLORREF color = (disabled_ & button) ? dark : RGB(0, 0, 0);
    CPen pen(PS_SOLID, 1, color);
    CBrush brush(color);
    CPen* old_pen = dc->SelectObject(&pen);
    CBrush* old_brush = dc->SelectObject(&brush);
    dc->Polygon(shape, 3);
    if (button == kFirst || button == kLast) {
        const int bar = left ? tip - 2 : tip + 1;
        dc->FillSolidRect(bar, mid_y - h / 2, 2, h, color);
    }
    dc->SelectObject(old_pen);
    dc->SelectObject(old_brush);
}

void SECTabControl::DrawTab(CDC* dc, int index) {
    if (!valid(index)) return;
    const SECTab& tab = *GetTab(index);
    const CRect area = TabArea();
    const int x = TabLeft(index), w = tab.m_nWidth;
    const int top = area.top, bottom = area.bottom - 1;
    const int kind = (has_active_ && index == active_) ? kActive : tab.m_bSelected ? kSelected : kNormal;
    const POINT body[4] = {{x, top}, {x + 6, bottom}, {x + w - 7, bottom}, {x + w - 2, top}};
    CPen* old_pen = dc->SelectObject(&outline_pens_[kind]);
    CBrush* old_brush = dc->SelectObject(&brushes_[kind]);
    dc->SelectObject(::GetStockObject(NULL_PEN));
    dc->Polygon(body, 4);
    dc->SelectObject(&outline_pens_[kind]);
    dc->MoveTo(x, top);
    dc->LineTo(x + 6, bottom + 1);
    dc->MoveTo(x + w - 6, bottom);
    dc->LineTo(x + w - 1, top - 1);
    dc->SelectObject(&shadow_pen_);
    dc->MoveTo(x + 6, bottom);
    dc->LineTo(x + w - 6, bottom);
    dc->MoveTo(x + w - 7, bottom);
    dc->LineTo(x + w - 2, top - 1);
    FontSelection font(dc, &fonts_[kind]);
    dc->SetTextColor(text_colors_[kind]);
    dc->SetBkMode(TRANSPARENT);
    CRect label(x + 6, top, x + w - 7, bottom);
    dc->DrawText(tab.m_csLabel, &label, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_BOTTOM);
    dc->SelectObject(old_pen);
    dc->SelectObject(old_brush);
}

void SECTabControl::OnPaint() {
    CPaintDC dc(this);
    for (UINT b : kButtonOrder)
        if (buttons_ & b) DrawButton(&dc, b);
    const CRect area = TabArea();
    const int saved = dc.SaveDC();
    dc.IntersectClipRect(&area);
    const auto draw_if_shown = [&](int i) {
        CRect r(TabLeft(i), area.top, TabLeft(i) + GetTab(i)->m_nWidth + 1, area.bottom);
        if (dc.RectVisible(&r)) DrawTab(&dc, i);
    };
    const auto is_active = [&](int i) { return has_active_ && i == active_; };
    for (int i = 0; i < GetTabCount(); ++i)
        if (!GetTab(i)->m_bSelected && !is_active(i)) draw_if_shown(i);
    for (int i = 0; i < GetTabCount(); ++i)
        if (GetTab(i)->m_bSelected && !is_active(i)) draw_if_shown(i);
    if (has_active_ && valid(active_)) draw_if_shown(active_);
    // The top line stays open above the active tab, towards the pane.
    CPen* old_pen = dc.SelectObject(&outline_pens_[kNormal]);
    if (has_active_ && valid(active_)) {
        const int left = TabLeft(active_), right = left + GetTab(active_)->m_nWidth;
        dc.MoveTo(area.left, area.top);
        dc.LineTo(std::max(left, int(area.left)), area.top);
        dc.MoveTo(right - 1, area.top);
        dc.LineTo(area.right, area.top);
    } else {
        dc.MoveTo(area.left, area.top);
        dc.LineTo(area.right, area.top);
    }
    dc.SelectObject(old_pen);
    dc.RestoreDC(saved);
}

BOOL SECTabControl::SetFontTemplate(CFont* font, int which, BOOL redraw) {
    if (!font || which < 0 || which > 2) return FALSE;
    LOGFONT lf{};
    if (!font->GetObject(sizeof lf, &lf)) return FALSE;
    CFont made;
    if (!made.CreateFontIndirect(&lf)) return FALSE;
    fonts_[which].DeleteObject();
    fonts_[which].Attach(made.Detach());
    RecalcLayout();
    UpdateButtons();
    if (redraw) {
        if (which == kActive)
            InvalidateTab(active_);
        else
            InvalidateFrom(0);
    }
    return TRUE;
}
