// Scroll-bar state, layout, painting and click tracking, shared by window
// frame bars and SCROLLBAR controls.
#include <algorithm>

#include "platform/gdi/gdi.h"
#include "platform/user/input_api.h"
#include "platform/user/internal.h"
#include "platform/user/message_api.h"
#include "platform/user/modal_loop.h"
#include "platform/user/nonclient.h"
#include "platform/user/paint_api.h"
#include "platform/user/rects.h"
#include "platform/user/scroll_api.h"
#include "platform/user/system_api.h"
#include "platform/user/window_api.h"

using namespace kit::user;

namespace {

ScrollBarState* state_of(HWND hwnd, int bar) {
    Window* w = find_window(hwnd);
    if (!w) return nullptr;
    if (bar == SB_CTL) return (w->style & SBS_VERT) ? &w->vscroll : &w->hscroll;
    if (bar == SB_VERT) return &w->vscroll;
    if (bar == SB_HORZ) return &w->hscroll;
    return nullptr;
}

int max_pos(const ScrollBarState& s) { return s.max - std::max(int(s.page) - 1, 0); }

void clamp(ScrollBarState& s) {
    UINT span = UINT(std::max(s.max - s.min + 1, 0));
    s.page = std::min(s.page, span);
    s.pos = std::clamp(s.pos, s.min, std::max(s.min, max_pos(s)));
}

void redraw_bar(HWND hwnd, int bar) {
    if (bar == SB_CTL) {
        InvalidateRect(hwnd, nullptr, TRUE);
    } else {
        invalidate_frame(hwnd);
    }
}

// A frame bar shows while its range scrolls anything, as on the platform.
void show_frame_bar_for_range(HWND hwnd, int bar, const ScrollBarState& s, bool keep_disabled) {
    bool scrolls = s.max > s.min && int(s.page) <= s.max - s.min;
    if (keep_disabled) {
        EnableScrollBar(hwnd, bar, scrolls ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH);
        ShowScrollBar(hwnd, bar, TRUE);
    } else {
        ShowScrollBar(hwnd, bar, scrolls);
    }
}

}  // namespace

int SetScrollInfo(HWND hwnd, int bar, const SCROLLINFO* info, BOOL redraw) {
    ScrollBarState* s = state_of(hwnd, bar);
    if (!s || !info) return 0;
    if (info->fMask & SIF_RANGE) {
        s->min = info->nMin;
        s->max = std::max(info->nMin, info->nMax);
    }
    if (info->fMask & SIF_PAGE) s->page = info->nPage;
    if (info->fMask & SIF_POS) s->pos = info->nPos;
    clamp(*s);
    int pos = s->pos;
    ScrollBarState copy = *s;
    if (bar != SB_CTL && (info->fMask & (SIF_RANGE | SIF_PAGE))) {
        show_frame_bar_for_range(hwnd, bar, copy, (info->fMask & SIF_DISABLENOSCROLL) != 0);
    }
    if (redraw) redraw_bar(hwnd, bar);
    return pos;
}

BOOL GetScrollInfo(HWND hwnd, int bar, SCROLLINFO* info) {
    ScrollBarState* s = state_of(hwnd, bar);
    if (!s || !info) return FALSE;
    if (info->fMask & SIF_RANGE) {
        info->nMin = s->min;
        info->nMax = s->max;
    }
    if (info->fMask & SIF_PAGE) info->nPage = s->page;
    if (info->fMask & SIF_POS) info->nPos = s->pos;
    if (info->fMask & SIF_TRACKPOS) info->nTrackPos = s->track_pos;
    return TRUE;
}

int SetScrollPos(HWND hwnd, int bar, int pos, BOOL redraw) {
    ScrollBarState* s = state_of(hwnd, bar);
    if (!s) return 0;
    int old = s->pos;
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_POS, 0, 0, 0, pos, 0};
    SetScrollInfo(hwnd, bar, &info, redraw);
    return old;
}

int GetScrollPos(HWND hwnd, int bar) {
    ScrollBarState* s = state_of(hwnd, bar);
    return s ? s->pos : 0;
}

BOOL SetScrollRange(HWND hwnd, int bar, int min, int max, BOOL redraw) {
    SCROLLINFO info{sizeof(SCROLLINFO), SIF_RANGE, min, max, 0, 0, 0};
    return state_of(hwnd, bar) && (SetScrollInfo(hwnd, bar, &info, redraw), true) ? TRUE : FALSE;
}

BOOL GetScrollRange(HWND hwnd, int bar, int* min, int* max) {
    ScrollBarState* s = state_of(hwnd, bar);
    if (!s) return FALSE;
    if (min) *min = s->min;
    if (max) *max = s->max;
    return TRUE;
}

BOOL ShowScrollBar(HWND hwnd, int bar, BOOL show) {
    Window* w = find_window(hwnd);
    if (!w) return FALSE;
    if (bar == SB_CTL) return ShowWindow(hwnd, show ? SW_SHOW : SW_HIDE), TRUE;
    DWORD bits = bar == SB_VERT ? WS_VSCROLL : bar == SB_HORZ ? WS_HSCROLL : (WS_VSCROLL | WS_HSCROLL);
    DWORD style = show ? (w->style | bits) : (w->style & ~bits);
    if (style == w->style) return TRUE;
    w->style = style;
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return TRUE;
}

BOOL EnableScrollBar(HWND hwnd, int bar, UINT arrows) {
    ScrollBarState* s = state_of(hwnd, bar);
    if (!s) return FALSE;
    s->disabled = arrows == ESB_DISABLE_BOTH;
    if (bar == SB_BOTH) state_of(hwnd, SB_HORZ)->disabled = s->disabled;
    redraw_bar(hwnd, bar);
    return TRUE;
}

namespace kit::user {

ScrollGeometry scroll_geometry(const RECT& bar, bool vertical, int min, int max, UINT page, int pos) {
    ScrollGeometry g;
    g.vertical = vertical;
    int length = vertical ? bar.bottom - bar.top : bar.right - bar.left;
    int thickness = vertical ? bar.right - bar.left : bar.bottom - bar.top;
    int arrow = std::min(thickness, length / 2);
    int track = length - 2 * arrow;
    auto span = [&](int from, int to) {
        return vertical ? RECT{bar.left, bar.top + from, bar.right, bar.top + to}
                        : RECT{bar.left + from, bar.top, bar.left + to, bar.bottom};
    };
    g.up_arrow = span(0, arrow);
    g.down_arrow = span(length - arrow, length);
    g.track = span(arrow, length - arrow);
    long long range = (long long)max - min + 1;
    int scrollable = max - std::max(int(page) - 1, 0) - min;
    if (range <= 0 || scrollable <= 0 || track < 8) return g;  // no thumb
    int thumb = page ? int(std::max<long long>(8, (long long)track * page / range)) : std::min(thickness, track);
    thumb = std::min(thumb, track);
    int offset = int((long long)(track - thumb) * (pos - min) / scrollable);
    g.thumb = span(arrow + offset, arrow + offset + thumb);
    return g;
}

ScrollPart scroll_part_at(const ScrollGeometry& g, POINT p) {
    if (rect_contains(g.up_arrow, p)) return ScrollPart::line_up;
    if (rect_contains(g.down_arrow, p)) return ScrollPart::line_down;
    if (rect_contains(g.thumb, p)) return ScrollPart::thumb;
    if (!rect_contains(g.track, p)) return ScrollPart::none;
    if (rect_empty(g.thumb)) return ScrollPart::none;
    bool before = g.vertical ? p.y < g.thumb.top : p.x < g.thumb.left;
    return before ? ScrollPart::page_up : ScrollPart::page_down;
}

int scroll_pos_from_thumb(const ScrollGeometry& g, int min, int max, UINT page, int offset) {
    int track = g.vertical ? g.track.bottom - g.track.top : g.track.right - g.track.left;
    int thumb = g.vertical ? g.thumb.bottom - g.thumb.top : g.thumb.right - g.thumb.left;
    int scrollable = max - std::max(int(page) - 1, 0) - min;
    if (track - thumb <= 0 || scrollable <= 0) return min;
    offset = std::clamp(offset, 0, track - thumb);
    return min + int(((long long)offset * scrollable + (track - thumb) / 2) / (track - thumb));
}

void paint_scroll_bar(HDC dc, const RECT& bar, bool vertical, int min, int max, UINT page, int pos, bool enabled,
                      ScrollPart pressed) {
    ScrollGeometry g = scroll_geometry(bar, vertical, min, max, page, pos);
    UINT inactive = enabled && !rect_empty(g.thumb) ? 0 : DFCS_INACTIVE;
    RECT up = g.up_arrow, down = g.down_arrow;
    DrawFrameControl(
        dc, &up, DFC_SCROLL,
        (vertical ? DFCS_SCROLLUP : DFCS_SCROLLLEFT) | inactive | (pressed == ScrollPart::line_up ? DFCS_PUSHED : 0));
    DrawFrameControl(dc, &down, DFC_SCROLL,
                     (vertical ? DFCS_SCROLLDOWN : DFCS_SCROLLRIGHT) | inactive |
                         (pressed == ScrollPart::line_down ? DFCS_PUSHED : 0));
    // The track is the half-tone of face and highlight, as the classic bar draws it.
    COLORREF old_text = SetTextColor(dc, GetSysColor(COLOR_3DHILIGHT));
    COLORREF old_back = SetBkColor(dc, GetSysColor(COLOR_3DFACE));
    HGDIOBJ old_brush = SelectObject(dc, GetHalftoneBrush());
    PatBlt(dc, g.track.left, g.track.top, g.track.right - g.track.left, g.track.bottom - g.track.top, PATCOPY);
    SelectObject(dc, old_brush);
    SetTextColor(dc, old_text);
    SetBkColor(dc, old_back);
    if (!inactive) {
        RECT thumb = g.thumb;
        FillRect(dc, &thumb, GetSysColorBrush(COLOR_3DFACE));
        DrawEdge(dc, &thumb, EDGE_RAISED, BF_RECT);
    }
}

namespace {

WORD command_of(ScrollPart part) {
    switch (part) {
        case ScrollPart::line_up: return SB_LINEUP;
        case ScrollPart::line_down: return SB_LINEDOWN;
        case ScrollPart::page_up: return SB_PAGEUP;
        case ScrollPart::page_down: return SB_PAGEDOWN;
        default: return SB_ENDSCROLL;
    }
}

// The tracking shared by frame bars and controls. `bar_rect` is in the
// coordinates of `capture`'s client area, where captured mouse messages arrive.
void track(HWND capture, HWND notify, LPARAM bar_handle, UINT message, int bar, RECT bar_rect, bool vertical,
           POINT start) {
    ScrollBarState* s = state_of(bar == SB_CTL ? reinterpret_cast<HWND>(bar_handle) : capture, bar);
    if (!s || s->disabled) return;
    HWND owner = bar == SB_CTL ? reinterpret_cast<HWND>(bar_handle) : capture;
    ScrollGeometry g = scroll_geometry(bar_rect, vertical, s->min, s->max, s->page, s->pos);
    ScrollPart part = scroll_part_at(g, start);
    if (part == ScrollPart::none) return;
    int grab = vertical ? start.y - g.thumb.top : start.x - g.thumb.left;
    auto send = [&](WORD code, int pos) { SendMessage(notify, message, MAKEWPARAM(code, pos), bar_handle); };
    // Arrows and the track repeat while held: first after 400 ms, then every 50 ms.
    if (part != ScrollPart::thumb) {
        send(command_of(part), 0);
        SetTimer(capture, kLoopTimerId, 400, nullptr);
    }
    bool over = true;
    run_capture_loop(capture, [&](const MSG& msg) {
        ScrollBarState* now = state_of(owner, bar);
        if (!now) return LoopStep::cancelled;
        if (msg.message == WM_KEYDOWN && msg.wParam == WPARAM(VK_ESCAPE)) return LoopStep::cancelled;
        if (msg.message == WM_TIMER) {
            if (over) send(command_of(part), 0);
            SetTimer(capture, kLoopTimerId, 50, nullptr);
            return LoopStep::keep_going;
        }
        POINT p{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
        if (msg.message == WM_MOUSEMOVE) {
            if (part == ScrollPart::thumb) {
                int offset = (vertical ? p.y - g.track.top : p.x - g.track.left) - grab;
                now->track_pos = scroll_pos_from_thumb(g, now->min, now->max, now->page, offset);
                send(SB_THUMBTRACK, now->track_pos);
            } else {
                over = scroll_part_at(scroll_geometry(bar_rect, vertical, now->min, now->max, now->page, now->pos),
                                      p) == part;
            }
        } else if (msg.message == WM_LBUTTONUP) {
            if (part == ScrollPart::thumb) send(SB_THUMBPOSITION, now->track_pos);
            return LoopStep::finished;
        }
        return LoopStep::keep_going;
    });
    send(SB_ENDSCROLL, 0);
}

}  // namespace

void track_window_scroll_bar(HWND hwnd, int bar, POINT screen) {
    NonClientLayout l = nonclient_layout(hwnd);
    RECT rect = bar == SB_VERT ? l.vscroll : l.hscroll;
    // The loop works in client coordinates, which is how captured mouse messages arrive.
    RECT client = l.client;
    RECT in_client = rect_offset(rect, -client.left, -client.top);
    POINT p = screen;
    ScreenToClient(hwnd, &p);
    track(hwnd, hwnd, 0, bar == SB_VERT ? WM_VSCROLL : WM_HSCROLL, bar, in_client, bar == SB_VERT, p);
    invalidate_frame(hwnd);
}

void track_scroll_control(HWND control, POINT client) {
    Window* w = find_window(control);
    if (!w) return;
    bool vertical = (w->style & SBS_VERT) != 0;
    RECT rect;
    GetClientRect(control, &rect);
    track(control, GetParent(control), reinterpret_cast<LPARAM>(control), vertical ? WM_VSCROLL : WM_HSCROLL, SB_CTL,
          rect, vertical, client);
    InvalidateRect(control, nullptr, TRUE);
}

}  // namespace kit::user
