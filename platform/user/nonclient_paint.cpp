#include "platform/user/nonclient_paint.h"

#include "platform/gdi/gdi.h"
#include "platform/user/internal.h"
#include "platform/user/menu_bar.h"
#include "platform/user/messages.h"
#include "platform/user/nonclient.h"
#include "platform/user/rects.h"
#include "platform/user/scroll_api.h"
#include "platform/user/styles.h"
#include "platform/user/system_api.h"
#include "platform/user/window_dc.h"

namespace kit::user {

namespace {

void paint_frame(HDC dc, const Window& w, const NonClientLayout& l) {
    RECT r = l.window;
    if (w.style & (WS_THICKFRAME | WS_DLGFRAME)) {
        DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
        // What is left of the frame inside the raised edge.
        int rest = l.border - 2;
        for (int i = 0; i < rest; ++i) {
            FrameRect(dc, &r, GetSysColorBrush((w.style & WS_THICKFRAME) ? COLOR_ACTIVEBORDER : COLOR_3DFACE));
            InflateRect(&r, -1, -1);
        }
    } else if (w.style & WS_BORDER) {
        FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&r, -1, -1);
    }
    if (w.ex_style & WS_EX_CLIENTEDGE) {
        RECT inner = l.client;
        InflateRect(&inner, GetSystemMetrics(SM_CXEDGE), GetSystemMetrics(SM_CYEDGE));
        if (!rect_empty(l.vscroll)) inner.right = l.vscroll.right + GetSystemMetrics(SM_CXEDGE);
        if (!rect_empty(l.hscroll)) inner.bottom = l.hscroll.bottom + GetSystemMetrics(SM_CYEDGE);
        DrawEdge(dc, &inner, EDGE_SUNKEN, BF_RECT);
    } else if (w.ex_style & WS_EX_STATICEDGE) {
        RECT inner = l.client;
        InflateRect(&inner, 1, 1);
        DrawEdge(dc, &inner, BDR_SUNKENOUTER, BF_RECT);
    }
}

// Each box shows its glyph (restore in place of the state the window is in), sunken while
// held down and greyed where the style leaves it without effect.
void paint_caption_boxes(HDC dc, HWND hwnd, const Window& w, const NonClientLayout& l) {
    for (LRESULT hit : {HTCLOSE, HTMAXBUTTON, HTMINBUTTON}) {
        CaptionBox box = caption_box(hwnd, l, hit);
        if (rect_empty(box.rect)) continue;
        UINT glyph = box.command == SC_CLOSE      ? DFCS_CAPTIONCLOSE
                     : box.command == SC_MAXIMIZE ? DFCS_CAPTIONMAX
                     : box.command == SC_MINIMIZE ? DFCS_CAPTIONMIN
                                                  : DFCS_CAPTIONRESTORE;
        if (!box.enabled) glyph |= DFCS_INACTIVE;
        if (w.nc_pressed == hit) glyph |= DFCS_PUSHED;
        DrawFrameControl(dc, &box.rect, DFC_CAPTION, glyph);
    }
}

void paint_caption(HDC dc, HWND hwnd, const Window& w, const NonClientLayout& l) {
    if (rect_empty(l.caption)) return;
    RECT bar = l.caption;
    bar.bottom -= 1;  // the line under the caption is the frame's
    FillRect(dc, &bar, GetSysColorBrush(w.nc_active ? COLOR_ACTIVECAPTION : COLOR_INACTIVECAPTION));
    RECT under{bar.left, bar.bottom, bar.right, bar.bottom + 1};
    FillRect(dc, &under, GetSysColorBrush(COLOR_3DFACE));
    RECT text = bar;
    text.left += 4;
    paint_caption_boxes(dc, hwnd, w, l);
    for (const RECT* box : {&l.minimize_box, &l.maximize_box, &l.close_box}) {
        if (!rect_empty(*box)) {
            text.right = box->left - 2;
            break;
        }
    }
    HGDIOBJ old_font = SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(w.nc_active ? COLOR_CAPTIONTEXT : COLOR_INACTIVECAPTIONTEXT));
    DrawText(dc, w.text.c_str(), int(w.text.size()), &text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    SelectObject(dc, old_font);
}

void paint_frame_scroll_bars(HDC dc, const Window& w, const NonClientLayout& l) {
    if (!rect_empty(l.vscroll)) {
        const auto& s = w.vscroll;
        paint_scroll_bar(dc, l.vscroll, true, s.min, s.max, s.page, s.pos, !s.disabled, ScrollPart::none);
    }
    if (!rect_empty(l.hscroll)) {
        const auto& s = w.hscroll;
        paint_scroll_bar(dc, l.hscroll, false, s.min, s.max, s.page, s.pos, !s.disabled, ScrollPart::none);
    }
    if (!rect_empty(l.vscroll) && !rect_empty(l.hscroll)) {
        RECT corner{l.vscroll.left, l.hscroll.top, l.vscroll.right, l.hscroll.bottom};
        FillRect(dc, &corner, GetSysColorBrush(COLOR_3DFACE));
    }
}

}  // namespace

void paint_nonclient(HWND hwnd) {
    Window* w = find_window(hwnd);
    if (!w) return;
    NonClientLayout l = nonclient_layout(hwnd);
    if (rect_equal(l.client, l.window)) return;
    HDC dc = open_window_dc(hwnd, DcArea::window, nullptr);
    if (!dc) return;
    ExcludeClipRect(dc, l.client.left, l.client.top, l.client.right, l.client.bottom);
    paint_frame(dc, *w, l);
    paint_caption(dc, hwnd, *w, l);
    if (!rect_empty(l.menu_bar)) paint_menu_bar(hwnd, dc, l.menu_bar);
    paint_frame_scroll_bars(dc, *w, l);
    close_window_dc(hwnd, dc);
}

HBRUSH resolve_brush(HBRUSH brush) {
    auto value = reinterpret_cast<std::uintptr_t>(brush);
    if (value > 0 && value <= std::uintptr_t(COLOR_COUNT)) return GetSysColorBrush(int(value) - 1);
    return brush;
}

bool erase_background(HWND hwnd, HDC dc) {
    Window* w = find_window(hwnd);
    if (!w || !dc) return false;
    HBRUSH brush = resolve_brush(w->cls->background);
    if (!brush) return false;
    RECT box;
    GetClipBox(dc, &box);
    FillRect(dc, &box, brush);
    return true;
}

}  // namespace kit::user
