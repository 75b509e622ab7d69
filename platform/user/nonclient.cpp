#include "platform/user/nonclient.h"

#include "platform/user/internal.h"
#include "platform/user/messages.h"
#include "platform/user/rects.h"
#include "platform/user/styles.h"
#include "platform/user/system_api.h"
#include "platform/user/window_api.h"

namespace kit::user {

static bool has_caption(DWORD style) { return (style & WS_CAPTION) == WS_CAPTION; }

// Square boxes at the caption's right end: close, then a gap, then maximize and minimize side
// by side. A window with either sizing box shows both, the one its style lacks disabled.
static void place_caption_boxes(const Window& w, NonClientLayout& l) {
    if (!(w.style & WS_SYSMENU)) return;
    const int size = GetSystemMetrics(SM_CYCAPTION) - 5;
    const int top = l.caption.top + 2;
    auto box_ending_at = [&](int right) { return RECT{right - size, top, right, top + size}; };
    l.close_box = box_ending_at(l.caption.right - 2);
    if ((w.ex_style & WS_EX_TOOLWINDOW) || !(w.style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX))) return;
    l.maximize_box = box_ending_at(l.close_box.left - 2);
    l.minimize_box = box_ending_at(l.maximize_box.left);
}

Insets frame_insets(DWORD style, DWORD ex_style) {
    int border = 0;
    if (style & WS_THICKFRAME) {
        border = GetSystemMetrics(SM_CXFRAME);
    } else if ((style & WS_DLGFRAME) || (ex_style & WS_EX_DLGMODALFRAME)) {
        border = GetSystemMetrics(SM_CXDLGFRAME);
    } else if (style & WS_BORDER) {
        border = GetSystemMetrics(SM_CXBORDER);
    }
    if (ex_style & WS_EX_CLIENTEDGE) border += GetSystemMetrics(SM_CXEDGE);
    if (ex_style & WS_EX_STATICEDGE) border += GetSystemMetrics(SM_CXBORDER);
    Insets in{border, border, border, border};
    if (has_caption(style)) {
        in.top += GetSystemMetrics((ex_style & WS_EX_TOOLWINDOW) ? SM_CYSMCAPTION : SM_CYCAPTION);
    }
    return in;
}

NonClientLayout nonclient_layout(HWND hwnd) {
    NonClientLayout layout;
    Window* w = find_window(hwnd);
    if (!w) return layout;
    int width = w->rect.right - w->rect.left;
    int height = w->rect.bottom - w->rect.top;
    layout.window = RECT{0, 0, width, height};
    Insets in = frame_insets(w->style, w->ex_style & ~(WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
    layout.border = in.left;
    layout.sizable = (w->style & WS_THICKFRAME) && !w->minimized;  // a minimized window keeps its size
    int top = in.top;
    if (has_caption(w->style)) {
        layout.caption = RECT{in.left, in.left, width - in.right, in.top};
        place_caption_boxes(*w, layout);
    }
    if (!(w->style & WS_CHILD) && w->menu) {
        int bar = menu_bar_height(hwnd, width - in.left - in.right);
        layout.menu_bar = RECT{in.left, top, width - in.right, top + bar};
        top += bar;
    }
    Insets edge = frame_insets(0, w->ex_style & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE));
    RECT inner{in.left + edge.left, top + edge.top, width - in.right - edge.right, height - in.bottom - edge.bottom};
    if ((w->style & WS_VSCROLL)) {
        layout.vscroll = RECT{inner.right - GetSystemMetrics(SM_CXVSCROLL), inner.top, inner.right, inner.bottom};
        inner.right = layout.vscroll.left;
    }
    if ((w->style & WS_HSCROLL)) {
        layout.hscroll = RECT{inner.left, inner.bottom - GetSystemMetrics(SM_CYHSCROLL), inner.right, inner.bottom};
        inner.bottom = layout.hscroll.top;
        if (layout.vscroll.right > layout.vscroll.left) layout.vscroll.bottom = inner.bottom;
    }
    if (inner.right < inner.left) inner.right = inner.left;
    if (inner.bottom < inner.top) inner.bottom = inner.top;
    layout.client = inner;
    return layout;
}

static bool inside(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

static LRESULT sizing_code(const NonClientLayout& l, POINT p) {
    // Corners reach along the edges as far as a caption button is wide, as on the platform.
    int corner = GetSystemMetrics(SM_CYCAPTION) + l.border;
    bool left = p.x < l.border, right = p.x >= l.window.right - l.border;
    bool top = p.y < l.border, bottom = p.y >= l.window.bottom - l.border;
    bool near_left = p.x < corner, near_right = p.x >= l.window.right - corner;
    bool near_top = p.y < corner, near_bottom = p.y >= l.window.bottom - corner;
    if ((top && near_left) || (left && near_top)) return HTTOPLEFT;
    if ((top && near_right) || (right && near_top)) return HTTOPRIGHT;
    if ((bottom && near_left) || (left && near_bottom)) return HTBOTTOMLEFT;
    if ((bottom && near_right) || (right && near_bottom)) return HTBOTTOMRIGHT;
    if (top) return HTTOP;
    if (bottom) return HTBOTTOM;
    if (left) return HTLEFT;
    return HTRIGHT;
}

LRESULT nonclient_hit_test(HWND hwnd, POINT screen) {
    Window* w = find_window(hwnd);
    if (!w) return HTERROR;
    POINT origin = window_origin_on_screen(hwnd);
    POINT p{screen.x - origin.x, screen.y - origin.y};
    NonClientLayout l = nonclient_layout(hwnd);
    if (!inside(l.window, p)) return HTNOWHERE;
    if (!window_region_contains(hwnd, p)) return HTNOWHERE;
    if (inside(l.client, p)) return HTCLIENT;
    if (inside(l.caption, p)) {
        // Each box answers across the caption's height and up to the box on its right.
        if (!rect_empty(l.close_box) && p.x >= l.close_box.left) return HTCLOSE;
        if (!rect_empty(l.maximize_box) && p.x >= l.maximize_box.left) return HTMAXBUTTON;
        if (!rect_empty(l.minimize_box) && p.x >= l.minimize_box.left) return HTMINBUTTON;
        if ((w->style & WS_SYSMENU) && p.x < l.caption.left + GetSystemMetrics(SM_CXSIZE)) return HTSYSMENU;
        return HTCAPTION;
    }
    if (inside(l.menu_bar, p)) return HTMENU;
    if (inside(l.vscroll, p)) return HTVSCROLL;
    if (inside(l.hscroll, p)) return HTHSCROLL;
    bool in_frame =
        p.x < l.border || p.y < l.border || p.x >= l.window.right - l.border || p.y >= l.window.bottom - l.border;
    if (in_frame) return l.sizable ? sizing_code(l, p) : HTBORDER;
    return HTBORDER;  // client edge
}

CaptionBox caption_box(HWND hwnd, const NonClientLayout& l, LRESULT hit) {
    const DWORD style = DWORD(GetWindowLong(hwnd, GWL_STYLE));
    switch (hit) {
        case HTCLOSE: return {l.close_box, SC_CLOSE, !rect_empty(l.close_box)};
        case HTMAXBUTTON:
            return {l.maximize_box, IsZoomed(hwnd) ? SC_RESTORE : SC_MAXIMIZE,
                    !rect_empty(l.maximize_box) && (style & WS_MAXIMIZEBOX)};
        case HTMINBUTTON:
            return {l.minimize_box, IsIconic(hwnd) ? SC_RESTORE : SC_MINIMIZE,
                    !rect_empty(l.minimize_box) && (style & WS_MINIMIZEBOX)};
        default: return {};
    }
}

}  // namespace kit::user
