#include "uikit/controls/tab_3d_control.h"

#include <algorithm>
#include <cstdlib>

#include "uikit/controls/list_font.h"

IMPLEMENT_DYNAMIC(SEC3DTabControl, SECTabControlBase)

BEGIN_MESSAGE_MAP(SEC3DTabControl, SECTabControlBase)
ON_WM_ERASEBKGND()
ON_WM_PAINT()
ON_WM_SIZE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

namespace {
const char kEllipsis[] = "...";

// Byte offsets of character starts, so that a cut never splits a double-byte character.
int previous_char(const CString& s, int end) {
    int at = 0, last = 0;
    while (at < end) {
        last = at;
        at += (afx_is_lead_byte(s[at]) && at + 1 < s.GetLength()) ? 2 : 1;
    }
    return last;
}
int next_char(const CString& s, int at) {
    if (at >= s.GetLength()) return s.GetLength();
    return std::min(s.GetLength(), at + ((afx_is_lead_byte(s[at]) && at + 1 < s.GetLength()) ? 2 : 1));
}
int chars_between(const CString& s, int from, int to) {
    int n = 0;
    for (int at = from; at < to; at = next_char(s, at)) ++n;
    return n;
}
}  // namespace

SEC3DTabControl::SEC3DTabControl() = default;
SEC3DTabControl::~SEC3DTabControl() {
    if (tips_.m_hWnd) tips_.DestroyWindow();
}

std::unique_ptr<SECTab> SEC3DTabControl::CreateTab() { return std::make_unique<SEC3DTab>(); }

void SEC3DTabControl::Initialize(DWORD style) {
    style_ = style;
    CreateFonts(style);
    if (tips_.Create(this)) tips_.Activate(TRUE);
}

void SEC3DTabControl::CreateFonts(DWORD style) {
    const int escapement = (style & kLeft) ? 900 : (style & kRotateDown) ? -900 : 0;
    CreateTabFont(normal_font_, 15, FW_NORMAL, escapement);
    CreateTabFont(bold_font_, 15, 600, escapement);
    CreateTabFont(measure_font_, 15, 600);
}

void SEC3DTabControl::DestroyGdiObjects() {
    normal_font_.DeleteObject();
    bold_font_.DeleteObject();
    measure_font_.DeleteObject();
}

SECTab* SEC3DTabControl::InsertTab(int index, const char* label, CWnd* wnd, DWORD user1, DWORD user2) {
    auto* tab = static_cast<SEC3DTab*>(SECTabControlBase::InsertTab(index, label, wnd, user1, user2));
    tab->m_csFullLabel = tab->m_csLabel;
    tab->m_nKept = tab->m_csFullLabel.GetLength();
    if (m_hWnd) SendMessage(WM_SIZE, SIZE_RESTORED, 0);
    InvalidateFrom(0);
    return tab;
}

SECTab* SEC3DTabControl::AddTab(const char* label, CWnd* wnd, DWORD user1, DWORD user2) {
    return InsertTab(GetTabCount(), label, wnd, user1, user2);
}

void SEC3DTabControl::SetTabIcon(int index, const char* resource, int, int) {
    SetTabIcon(index, ::LoadIcon(nullptr, resource));
}
void SEC3DTabControl::SetTabIcon(int index, UINT resource, int cx, int cy) {
    SetTabIcon(index, MAKEINTRESOURCE(resource), cx, cy);
}
void SEC3DTabControl::SetTabIcon(int index, HICON icon) {
    if (!valid(index)) return;
    Tab3D(index).m_hIcon = icon;
    RecalcLayout();
    InvalidateFrom(index);
}

void SEC3DTabControl::RenameTab(int index, const char* label) {
    if (!valid(index)) return;
    Tab3D(index).m_csFullLabel = label ? label : "";
    Tab3D(index).m_nKept = Tab3D(index).m_csFullLabel.GetLength();
    SECTabControlBase::RenameTab(index, label);
}

void SEC3DTabControl::EnableTab(int index, BOOL enable) {
    if (!valid(index) || Tab3D(index).m_bEnabled == enable) return;
    Tab3D(index).m_bEnabled = enable;
    InvalidateTab(index);
}

BOOL SEC3DTabControl::IsTabEnabled(int index) const { return valid(index) && Tab3D(index).m_bEnabled; }

BOOL SEC3DTabControl::ModifyTabStyle(DWORD remove, DWORD add) {
    style_ = (style_ & ~remove) | add;
    if (add & 0xF0) CreateFonts(style_);
    RecalcLayout();
    Invalidate();
    return TRUE;
}

void SEC3DTabControl::GetTabRect(int index, CRect* rect) const {
    if (valid(index)) *rect = Tab3D(index).m_rect;
}

void SEC3DTabControl::InvalidateTab(int index) {
    if (!m_hWnd || !valid(index)) return;
    CRect r = Tab3D(index).m_rect;
    r.InflateRect(0, 0, 1, 1);
    InvalidateRect(&r, TRUE);
}

// ---- label fitting ----

int SEC3DTabControl::AvailableLength() const {
    CRect client;
    GetClientRect(&client);
    return std::max(0, int(Horizontal() ? client.Width() : client.Height()) - 14);
}

int SEC3DTabControl::Extent(const SEC3DTab& tab, const CString& label) const {
    int extent = tab.m_hIcon ? 25 : 6;
    if (m_hWnd) {
        CClientDC dc(const_cast<SEC3DTabControl*>(this));
        FontSelection font(&dc, const_cast<CFont*>(&measure_font_));
        extent += dc.GetTextExtent(label).cx + 6;
    }
    return extent;
}

int SEC3DTabControl::TotalLength(bool minimum) const {
    int total = 0;
    for (int i = 0; i < GetTabCount(); ++i)
        total += Extent(Tab3D(i), minimum ? CString(kEllipsis) : Tab3D(i).m_csLabel);
    return total;
}

void SEC3DTabControl::ShowKept(SEC3DTab& tab) const {
    const CString& full = tab.m_csFullLabel;
    // A label only one or two characters short is shown whole: with "..." it would be no shorter.
    if (chars_between(full, tab.m_nKept, full.GetLength()) <= 2) tab.m_nKept = full.GetLength();
    tab.m_csLabel = tab.m_nKept >= full.GetLength() ? full : full.Left(tab.m_nKept) + kEllipsis;
}

void SEC3DTabControl::Shorten(SEC3DTab& tab) {
    const CString& full = tab.m_csFullLabel;
    if (tab.m_nKept >= full.GetLength()) {
        int kept = full.GetLength();
        for (int i = 0; i < 3; ++i) kept = previous_char(full, kept);
        tab.m_nKept = kept;
    } else {
        tab.m_nKept = previous_char(full, tab.m_nKept);
    }
    tab.m_csLabel = full.Left(tab.m_nKept) + kEllipsis;
}

void SEC3DTabControl::Lengthen(SEC3DTab& tab) {
    tab.m_nKept = next_char(tab.m_csFullLabel, tab.m_nKept);
    ShowKept(tab);
}

void SEC3DTabControl::FitStep(int available) {
    const int length = TotalLength(false);
    if (available != 0 && available <= TotalLength(true) + 9) {
        for (int i = 0; i < GetTabCount(); ++i) {
            Tab3D(i).m_nKept = 0;
            Tab3D(i).m_csLabel = kEllipsis;
        }
        labels_shown_ = FALSE;
    } else {
        labels_shown_ = TRUE;
        const auto shortened = [&](int i) { return Tab3D(i).m_nKept < Tab3D(i).m_csFullLabel.GetLength(); };
        if (available <= last_length_ && available <= length + 9) {
            int longest = -1, widest = -1;
            for (int i = 0; i < GetTabCount(); ++i) {
                const int w = Extent(Tab3D(i), Tab3D(i).m_csLabel);
                if (Tab3D(i).m_nKept > 0 && w > widest) widest = w, longest = i;
            }
            if (longest >= 0) Shorten(Tab3D(longest));
        } else if (available > length + 15) {
            int shortest = -1, narrowest = 0;
            for (int i = 0; i < GetTabCount(); ++i) {
                const int w = Extent(Tab3D(i), Tab3D(i).m_csLabel);
                if (shortest < 0 || w < narrowest) narrowest = w, shortest = i;
            }
            if (shortest >= 0 && !shortened(shortest)) {
                shortest = -1;
                for (int i = 0; i < GetTabCount() && shortest < 0; ++i)
                    if (shortened(i)) shortest = i;
            }
            if (shortest >= 0) Lengthen(Tab3D(shortest));
        }
    }
    shortened_ = FALSE;
    for (int i = 0; i < GetTabCount(); ++i) shortened_ |= Tab3D(i).m_csLabel != Tab3D(i).m_csFullLabel;
}

void SEC3DTabControl::RecalcLayout() {
    if (!m_hWnd || tabs_.empty()) return;
    const int available = AvailableLength();
    if (last_length_ == 0) last_length_ = available;
    const int length = TotalLength(false);
    if (!auto_fit_) {
        labels_shown_ = available > length;
    } else if (length != 0) {
        const bool far_off = available < length - 15 || (available > length + 35 && shortened_);
        const int steps = far_off ? GetTabCount() : 1;
        for (int i = 0; i < steps; ++i) FitStep(available);
    }
    last_length_ = available;
    PlaceTabs();
    UpdateToolTips();
}

void SEC3DTabControl::PlaceTabs() {
    CRect client;
    GetClientRect(&client);
    const bool enlarge = !(style_ & kNoEnlarge);
    int along = Horizontal() ? client.left + 7 : client.top + 7;
    for (int i = 0; i < GetTabCount(); ++i) {
        SEC3DTab& tab = Tab3D(i);
        tab.m_nWidth = labels_shown_ ? Extent(tab, tab.m_csLabel) : (tab.m_hIcon ? 25 : 6);
        tab.m_nHeight = kThickness;
        CRect r;
        if (style_ & kBelow)
            r = CRect(along, client.top + 2, along + tab.m_nWidth, client.top + 2 + kThickness);
        else if (style_ & kAbove)
            r = CRect(along, client.bottom - 25, along + tab.m_nWidth, client.bottom - 25 + kThickness);
        else if (style_ & kLeft)
            r = CRect(client.right - 25, along, client.right - 25 + kThickness, along + tab.m_nWidth);
        else
            r = CRect(client.left + 2, along, client.left + 2 + kThickness, along + tab.m_nWidth);
        along += tab.m_nWidth;
        if (enlarge && has_active_ && i == active_) {
            if (Horizontal())
                r.InflateRect(kEnlarge, 0);
            else
                r.InflateRect(0, kEnlarge);
            if (style_ & kBelow)
                r.top -= kEnlarge;
            else if (style_ & kAbove)
                r.bottom += kEnlarge;
            else if (style_ & kLeft)
                r.right += kEnlarge;
            else
                r.left -= kEnlarge;
        }
        tab.m_rect = r;
    }
}

void SEC3DTabControl::UpdateToolTips() {
    if (!tips_.m_hWnd) return;
    while (tips_.GetToolCount() > 0) tips_.DelTool(this, UINT_PTR(tips_.GetToolCount()));
    if (labels_shown_ && !shortened_) return;
    for (int i = 0; i < GetTabCount(); ++i)
        tips_.AddTool(this, Tab3D(i).m_csFullLabel, &Tab3D(i).m_rect, UINT_PTR(i + 1));
}

void SEC3DTabControl::OnSize(UINT type, int cx, int cy) {
    CWnd::OnSize(type, cx, cy);
    if (tabs_.empty() || type == SIZE_MINIMIZED) return;
    RecalcLayout();
    const int length = AvailableLength();
    if (std::abs(length - last_size_length_) > 10)
        for (int i = 0; i < 3 * GetTabCount(); ++i) RecalcLayout();
    last_size_length_ = length;
    Invalidate();
}

// ---- mouse ----

int SEC3DTabControl::HitTab(CPoint point) const {
    if (has_active_ && valid(active_) && Tab3D(active_).m_rect.PtInRect(point)) return active_;
    for (int i = 0; i < GetTabCount(); ++i)
        if (Tab3D(i).m_rect.PtInRect(point)) return i;
    return -1;
}

void SEC3DTabControl::OnLButtonDown(UINT, CPoint point) {
    const int index = HitTab(point);
    if (index < 0 || !Tab3D(index).m_bEnabled) return;
    if (has_active_ && active_ == index)
        NotifyReclick();
    else
        ActivateTab(index);
}

void SEC3DTabControl::OnLButtonDblClk(UINT, CPoint point) {
    const int index = HitTab(point);
    if (index >= 0 && Tab3D(index).m_bEnabled) Notify(TCM_TABDBLCLK, index);
}

void SEC3DTabControl::OnMouseMove(UINT flags, CPoint point) {
    if (tips_.m_hWnd) {
        MSG msg{};
        msg.hwnd = m_hWnd;
        msg.message = WM_MOUSEMOVE;
        msg.wParam = WPARAM(flags);
        msg.lParam = MAKELPARAM(point.x, point.y);
        tips_.RelayEvent(&msg);
    }
}

// ---- painting ----

void SEC3DTabControl::DrawContents(CDC* dc, const SEC3DTab& tab, const CRect& r, bool active) {
    const int saved = dc->SaveDC();
    dc->IntersectClipRect(&r);
    dc->SetBkMode(TRANSPARENT);
    FontSelection font(dc, active ? &bold_font_ : &normal_font_);
    const int text_height = 15;
    if (Horizontal()) {
        int x = r.left + 6;
        if (tab.m_hIcon) {
            ::DrawIconEx(dc->m_hDC, x, r.top + (r.Height() - 16) / 2, tab.m_hIcon, 16, 16, 0, nullptr, DI_NORMAL);
            x += 19;
        }
        if (labels_shown_) dc->TextOut(x, r.top + (r.Height() - text_height) / 2, tab.m_csLabel);
    } else if (style_ & kLeft) {
        int y = r.bottom - 6;
        if (tab.m_hIcon) {
            y -= 16;
            ::DrawIconEx(dc->m_hDC, r.left + (r.Width() - 16) / 2, y, tab.m_hIcon, 16, 16, 0, nullptr, DI_NORMAL);
            y -= 3;
        }
        if (labels_shown_) dc->TextOut(r.left + (r.Width() - text_height) / 2, y, tab.m_csLabel);
    } else {
        int y = r.top + 6;
        if (tab.m_hIcon) {
            ::DrawIconEx(dc->m_hDC, r.left + (r.Width() - 16) / 2, y, tab.m_hIcon, 16, 16, 0, nullptr, DI_NORMAL);
            y += 19;
        }
        const int x = (style_ & kRotateDown) ? r.right - (r.Width() - text_height) / 2 : r.left + 3;
        if (labels_shown_) dc->TextOut(x, y, tab.m_csLabel);
    }
    dc->RestoreDC(saved);
}

// Draws the tab's contents embossed: in the highlight colour one pixel down
// and right, then in the shadow colour in place.
void SEC3DTabControl::DrawDisabledImage(CDC* dc, const SEC3DTab& tab, const CRect& r, bool active) {
    CDC mem;
    mem.CreateCompatibleDC(dc);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(dc->m_hDC, r.Width(), r.Height());
    CBitmap* old = mem.SelectObject(&bitmap);
    const CRect local(0, 0, r.Width(), r.Height());
    mem.FillSolidRect(&local, RGB(255, 255, 255));
    mem.SetTextColor(RGB(0, 0, 0));
    mem.SetWindowOrg(r.left, r.top);
    DrawContents(&mem, tab, r, active);
    mem.SetWindowOrg(0, 0);
    const COLORREF colours[2] = {::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNSHADOW)};
    for (int pass = 0; pass < 2; ++pass)
        for (int y = 0; y < r.Height(); ++y)
            for (int x = 0; x < r.Width(); ++x)
                if (mem.GetPixel(x, y) != RGB(255, 255, 255))
                    dc->SetPixel(r.left + x + 1 - pass, r.top + y + 1 - pass, colours[pass]);
    mem.SelectObject(old);
}

void SEC3DTabControl::DrawTab(CDC* dc, int index) {
    if (!valid(index)) return;
    const SEC3DTab& tab = Tab3D(index);
    const bool active = has_active_ && index == active_;
    const CRect r = tab.m_rect;
    dc->FillSolidRect(&r, ::GetSysColor(COLOR_BTNFACE));
    const COLORREF white = ::GetSysColor(COLOR_BTNHIGHLIGHT), shadow = ::GetSysColor(COLOR_BTNSHADOW),
                   black = RGB(0, 0, 0);
    // The side towards the pane stays open; the two corners away from it are cut by 2 pixels.
    const bool open_top = style_ & kBelow, open_bottom = style_ & kAbove, open_right = style_ & kLeft,
               open_left = !(style_ & (kBelow | kAbove | kLeft));
    const int cut_top = open_top ? 0 : 2, cut_bottom = open_bottom ? 0 : 2;
    const int cut_left = open_left ? 0 : 2, cut_right = open_right ? 0 : 2;
    if (!open_left) dc->FillSolidRect(r.left, r.top + cut_top, 1, r.Height() - cut_top - cut_bottom, white);
    if (!open_top) dc->FillSolidRect(r.left + cut_left, r.top, r.Width() - cut_left - cut_right, 1, white);
    if (!open_right) {
        dc->FillSolidRect(r.right - 1, r.top + cut_top, 1, r.Height() - cut_top - cut_bottom, black);
        dc->FillSolidRect(r.right - 2, r.top + 1, 1, r.Height() - 2, shadow);
    }
    if (!open_bottom) {
        dc->FillSolidRect(r.left + cut_left, r.bottom - 1, r.Width() - cut_left - cut_right, 1, black);
        dc->FillSolidRect(r.left + 1, r.bottom - 2, r.Width() - 2, 1, shadow);
    }
    // The cut corners' diagonal pixels.
    if (!open_left && !open_top) dc->SetPixel(r.left + 1, r.top + 1, white);
    if (!open_right && !open_top) dc->SetPixel(r.right - 2, r.top + 1, black);
    if (!open_left && !open_bottom) dc->SetPixel(r.left + 1, r.bottom - 2, white);
    if (!open_right && !open_bottom) dc->SetPixel(r.right - 2, r.bottom - 2, black);
    if (tab.m_bEnabled) {
        dc->SetTextColor(black);
        DrawContents(dc, tab, r, active);
    } else {
        DrawDisabledImage(dc, tab, r, active);
    }
}

void SEC3DTabControl::OnPaint() {
    CPaintDC paint(this);
    CRect client;
    GetClientRect(&client);
    if (client.IsRectEmpty()) return;
    CDC dc;
    dc.CreateCompatibleDC(&paint);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(paint.m_hDC, client.Width(), client.Height());
    CBitmap* old = dc.SelectObject(&bitmap);
    dc.FillSolidRect(&client, ::GetSysColor(COLOR_BTNFACE));
    for (int i = 0; i < GetTabCount(); ++i)
        if (!(has_active_ && i == active_)) DrawTab(&dc, i);
    const COLORREF edge[4] = {::GetSysColor(COLOR_BTNHIGHLIGHT), ::GetSysColor(COLOR_BTNFACE),
                              ::GetSysColor(COLOR_BTNSHADOW), RGB(0, 0, 0)};
    for (int i = 0; i < 4; ++i) {
        if (style_ & kBelow)
            dc.FillSolidRect(client.left, client.top + i, client.Width(), 1, edge[i]);
        else if (style_ & kAbove)
            dc.FillSolidRect(client.left, client.bottom - 4 + i, client.Width(), 1, edge[i]);
        else if (style_ & kLeft)
            dc.FillSolidRect(client.right - 4 + i, client.top, 1, client.Height(), edge[i]);
        else if (style_ & kRotateDown)
            dc.FillSolidRect(client.left + i, client.top, 1, client.Height(), edge[i]);
    }
    if (has_active_ && valid(active_)) DrawTab(&dc, active_);
    paint.BitBlt(0, 0, client.Width(), client.Height(), &dc, 0, 0, SRCCOPY);
    dc.SelectObject(old);
}
