#include "uikit/frames/gradient_caption.h"

#include <algorithm>

namespace {

constexpr int kMaxGradientBands = 60;
constexpr int kTextIndent = 3;
constexpr UINT kCaptionText = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX;

}  // namespace

COLORREF sec_gradient_band(COLORREF from, COLORREF to, int index, int bands) {
    if (bands <= 1) return from;
    const auto channel = [&](int shift) {
        const int a = int((from >> shift) & 0xFF), b = int((to >> shift) & 0xFF);
        const int step = ((b - a) << 8) / (bands - 1);  // 8.8 fixed point
        return DWORD(std::clamp(((a << 8) + step * index) >> 8, 0, 255)) << shift;
    };
    return COLORREF(channel(0) | channel(8) | channel(16));
}

BOOL sec_paint_gradient_caption(CWnd& window, const CRect& caption, const SECCaptionLook& look) {
    if (caption.IsRectEmpty()) return TRUE;
    CWindowDC window_dc(&window);
    CDC dc;
    CBitmap picture;
    if (!dc.CreateCompatibleDC(&window_dc) ||
        !picture.CreateCompatibleBitmap(window_dc.GetSafeHdc(), caption.Width(), caption.Height()))
        return FALSE;
    CBitmap* old_bitmap = dc.SelectObject(&picture);
    const CRect area(0, 0, caption.Width(), caption.Height());
    // The background: a gradient from black when active, the inactive colour otherwise.
    if (look.active) {
        const int bands = std::min(kMaxGradientBands, std::max(area.Width(), 1));
        const int band_width = std::max(area.Width() / bands, 1);
        for (int i = 0; i < bands; ++i) {
            const int left = i * band_width, right = i + 1 == bands ? area.right : left + band_width;
            dc.FillSolidRect(left, 0, right - left, area.Height() + 1,
                             sec_gradient_band(RGB(0, 0, 0), ::GetSysColor(COLOR_ACTIVECAPTION), i, bands));
        }
    } else {
        dc.FillSolidRect(&area, ::GetSysColor(COLOR_INACTIVECAPTION));
    }
    CRect text_area = area;
    if (look.icon_box > 0) {
        const CRect icon_area(0, 0, look.icon_box, area.Height());
        dc.FillSolidRect(&icon_area, look.active ? RGB(0, 0, 0) : ::GetSysColor(COLOR_INACTIVECAPTION));
        if (look.icon) {
            CRect inner = icon_area;
            inner.DeflateRect(look.icon_inset.left, look.icon_inset.top, look.icon_inset.right, look.icon_inset.bottom);
            ::DrawIconEx(dc.GetSafeHdc(), inner.left, inner.top, look.icon, inner.Width(), inner.Height(), 0, nullptr,
                         DI_NORMAL);
        }
        text_area.left = icon_area.right;
    }
    const CString title = window.GetWindowText();
    const int dash = title.Find('-');
    const CString head = dash < 0 ? title : title.Left(dash);
    const CString tail = dash < 0 ? CString() : title.Mid(dash);
    dc.SetBkMode(TRANSPARENT);
    CFont* old_font = dc.SelectObject(look.head_font);
    const int head_width = dc.GetTextExtent(head).cx;
    dc.SelectObject(look.tail_font);
    const int tail_width = dc.GetTextExtent(tail).cx;
    int start = text_area.left + kTextIndent;
    const int free = text_area.right - start - head_width - tail_width;
    if (look.align == 1) {
        start += std::max(free / 2, 0);
    } else if (look.align != 0) {
        start += std::max(free, 0);
    }
    CRect head_rect(start, text_area.top, text_area.right, text_area.bottom);
    dc.SetTextColor(RGB(255, 255, 255));
    dc.SelectObject(look.head_font);
    dc.DrawText(head, &head_rect, kCaptionText);
    if (!tail.IsEmpty()) {
        CRect tail_rect(std::min<int>(start + head_width, text_area.right), text_area.top, text_area.right,
                        text_area.bottom);
        dc.SelectObject(look.tail_font);
        if (!look.active) dc.SetTextColor(::GetSysColor(COLOR_INACTIVECAPTIONTEXT));
        dc.DrawText(tail, &tail_rect, kCaptionText);
    }
    dc.SelectObject(old_font);
    window_dc.BitBlt(caption.left, caption.top, caption.Width(), caption.Height(), &dc, 0, 0, SRCCOPY);
    dc.SelectObject(old_bitmap);
    return TRUE;
}
