// Invalid areas and WM_PAINT. A window's invalid area is kept as one bounding
// rectangle; WM_PAINT is made from it when the thread's queue is otherwise empty.
#include "platform/gdi/gdi.h"
#include "platform/user/backend.h"
#include "platform/user/internal.h"
#include "platform/user/message_api.h"
#include "platform/user/paint_api.h"
#include "platform/user/rects.h"
#include "platform/user/window_api.h"
#include "platform/user/window_dc.h"

using namespace kit::user;

namespace {

bool needs_paint(const Window& w) { return !rect_empty(w.update) || w.internal_paint || w.frame_pending; }

void update_paint_count(Window& w) {
    bool needed = needs_paint(w);
    if (needed == w.counted_for_paint) return;
    w.counted_for_paint = needed;
    w.queue->windows_needing_paint += needed ? 1 : -1;
}

RECT client_bounds(const Window& w) {
    return RECT{0, 0, w.client.right - w.client.left, w.client.bottom - w.client.top};
}

HWND find_paint_target(HWND hwnd, const MessageQueue& queue) {
    Window* w = find_window(hwnd);
    if (!w || !(w->style & WS_VISIBLE) || w->queue.get() != &queue) return nullptr;
    if (needs_paint(*w)) return hwnd;
    for (HWND child : w->children) {
        if (HWND found = find_paint_target(child, queue)) return found;
    }
    return nullptr;
}

}  // namespace

namespace kit::user {

void invalidate_client(HWND hwnd, const RECT* client_rect, bool erase, bool with_children) {
    Window* w = find_window(hwnd);
    if (!w || !w->redraw_enabled) return;
    RECT area = client_rect ? rect_intersection(*client_rect, client_bounds(*w)) : client_bounds(*w);
    if (rect_empty(area)) return;
    w->update = rect_union(w->update, area);
    w->erase_pending |= erase;
    update_paint_count(*w);
    if (!with_children) return;
    for (HWND child : w->children) {
        Window* c = find_window(child);
        if (!c || !(c->style & WS_VISIBLE)) continue;
        RECT in_child = rect_offset(area, -(c->rect.left + c->client.left), -(c->rect.top + c->client.top));
        if (!rect_empty(rect_intersection(area, c->rect))) invalidate_frame(child);
        invalidate_client(child, &in_child, erase, true);
    }
}

void invalidate_frame(HWND hwnd) {
    Window* w = find_window(hwnd);
    if (!w || !w->redraw_enabled) return;
    bool has_frame = !rect_equal(w->client, RECT{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top});
    if (!has_frame) return;
    w->frame_pending = true;
    update_paint_count(*w);
}

void validate_client(HWND hwnd, const RECT* client_rect) {
    Window* w = find_window(hwnd);
    if (!w) return;
    // The invalid area is one rectangle, so validating part of it validates
    // it only when the part covers it all.
    if (!client_rect || rect_equal(rect_union(*client_rect, w->update), *client_rect)) {
        w->update = RECT{0, 0, 0, 0};
        w->erase_pending = false;
        w->internal_paint = false;
    }
    update_paint_count(*w);
}

void forget_paint(Window& w) {
    w.update = RECT{0, 0, 0, 0};
    w.internal_paint = w.frame_pending = w.erase_pending = false;
    update_paint_count(w);
}

bool take_paint_message(MSG& out, HWND filter) {
    MessageQueue& queue = current_queue();
    if (queue.windows_needing_paint <= 0) return false;
    HWND target = nullptr;
    if (filter) {
        target = find_paint_target(filter, queue);
    } else {
        for (HWND top : top_level_windows()) {
            if ((target = find_paint_target(top, queue))) break;
        }
    }
    if (!target) return false;
    out = MSG{target, WM_PAINT, 0, 0, DWORD(backend().now_ms()), {0, 0}};
    return true;
}

}  // namespace kit::user

BOOL InvalidateRect(HWND hwnd, const RECT* rect, BOOL erase) {
    if (!hwnd) {
        for (HWND top : top_level_windows()) InvalidateRect(top, nullptr, erase);
        return TRUE;
    }
    Window* w = find_window(hwnd);
    if (!w) return FALSE;
    // Children are repainted with their parent unless it clips them out.
    invalidate_client(hwnd, rect, erase != FALSE, !(w->style & WS_CLIPCHILDREN));
    return TRUE;
}

// The invalid area is kept as a rectangle: a region invalidates its bounds.
BOOL InvalidateRgn(HWND hwnd, HRGN region, BOOL erase) {
    if (!region) return InvalidateRect(hwnd, nullptr, erase);
    RECT bounds{0, 0, 0, 0};
    GetRgnBox(region, &bounds);
    return InvalidateRect(hwnd, &bounds, erase);
}

BOOL ValidateRect(HWND hwnd, const RECT* rect) {
    if (!find_window(hwnd)) return FALSE;
    validate_client(hwnd, rect);
    return TRUE;
}

BOOL GetUpdateRect(HWND hwnd, RECT* out, BOOL erase) {
    Window* w = find_window(hwnd);
    if (!w) return FALSE;
    if (out) *out = w->update;
    bool invalid = !rect_empty(w->update);
    if (invalid && erase && w->erase_pending) {
        HDC dc = GetDC(hwnd);
        w->erase_pending = call_window(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0) == 0;
        ReleaseDC(hwnd, dc);
    }
    return invalid ? TRUE : FALSE;
}

BOOL UpdateWindow(HWND hwnd) {
    Window* w = find_window(hwnd);
    if (!w) return FALSE;
    // A hidden window's children are hidden with it, whatever their own style says.
    if (!(w->style & WS_VISIBLE)) return TRUE;
    if (needs_paint(*w)) call_window(hwnd, WM_PAINT, 0, 0);
    w = find_window(hwnd);
    if (!w) return TRUE;
    for (HWND child : std::vector<HWND>(w->children)) UpdateWindow(child);
    return TRUE;
}

BOOL RedrawWindow(HWND hwnd, const RECT* rect, HRGN region, UINT flags) {
    Window* w = find_window(hwnd);
    if (!w) return FALSE;
    RECT bounds{0, 0, 0, 0};
    if (region && !rect) {
        GetRgnBox(region, &bounds);
        rect = &bounds;
    }
    bool children = (flags & RDW_ALLCHILDREN) || (!(flags & RDW_NOCHILDREN) && !(w->style & WS_CLIPCHILDREN));
    if (flags & RDW_INVALIDATE) invalidate_client(hwnd, rect, (flags & RDW_ERASE) != 0, children);
    if (flags & RDW_FRAME) invalidate_frame(hwnd);
    if (flags & RDW_INTERNALPAINT) {
        w->internal_paint = true;
        update_paint_count(*w);
    }
    if (flags & RDW_VALIDATE) validate_client(hwnd, rect);
    if (flags & RDW_UPDATENOW) UpdateWindow(hwnd);
    return TRUE;
}

BOOL LockWindowUpdate(HWND hwnd) {
    static HWND locked = nullptr;
    if (hwnd && locked) return FALSE;
    if (Window* w = find_window(hwnd ? hwnd : locked)) {
        w->redraw_enabled = hwnd != nullptr ? false : true;
        if (!hwnd) invalidate_client(locked, nullptr, true, true);
    }
    locked = hwnd;
    return TRUE;
}

HDC BeginPaint(HWND hwnd, PAINTSTRUCT* ps) {
    Window* w = find_window(hwnd);
    if (!w || !ps) return nullptr;
    *ps = PAINTSTRUCT{};
    if (w->frame_pending) {
        w->frame_pending = false;
        call_window(hwnd, WM_NCPAINT, 1, 0);
        w = find_window(hwnd);
        if (!w) return nullptr;
    }
    ps->rcPaint = w->update;
    bool erase = w->erase_pending;
    w->update = RECT{0, 0, 0, 0};
    w->erase_pending = false;
    w->internal_paint = false;
    update_paint_count(*w);
    ps->hdc = open_window_dc(hwnd, DcArea::paint, &ps->rcPaint);
    if (erase) erase = call_window(hwnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(ps->hdc), 0) == 0;
    ps->fErase = erase ? TRUE : FALSE;
    return ps->hdc;
}

BOOL EndPaint(HWND hwnd, const PAINTSTRUCT* ps) {
    if (!ps) return FALSE;
    close_window_dc(hwnd, ps->hdc);
    return TRUE;
}

HDC GetDC(HWND hwnd) { return open_window_dc(hwnd, DcArea::client, nullptr); }
HDC GetWindowDC(HWND hwnd) { return open_window_dc(hwnd, DcArea::window, nullptr); }

int ReleaseDC(HWND hwnd, HDC dc) {
    close_window_dc(hwnd, dc);
    return 1;
}

BOOL ScrollWindow(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip) {
    // Children move with the contents when the whole client area scrolls.
    const UINT flags = SW_INVALIDATE | SW_ERASE | (scroll ? 0 : SW_SCROLLCHILDREN);
    return ScrollWindowEx(hwnd, dx, dy, scroll, clip, nullptr, nullptr, flags) != ERROR;
}

int ScrollWindowEx(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip, HRGN update_region, RECT* update,
                   UINT flags) {
    Window* w = find_window(hwnd);
    if (!w) return ERROR;
    if (flags & SW_SCROLLCHILDREN) {
        for (HWND child : w->children) {
            if (Window* c = find_window(child)) {
                SetWindowPos(child, nullptr, c->rect.left + dx, c->rect.top + dy, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            }
        }
    }
    const RECT from_hidden = scroll_window_pixels(hwnd, dx, dy, scroll, clip);
    RECT area = scroll ? *scroll : client_bounds(*w);
    if (clip) area = rect_intersection(area, *clip);
    // What was waiting to be painted moved with the pixels and is painted where it
    // now shows; the caret moves with them too.
    const RECT waiting = rect_intersection(w->update, area);
    if (!rect_empty(waiting)) {
        const RECT moved = rect_intersection(rect_offset(waiting, dx, dy), area);
        invalidate_client(hwnd, &moved, w->erase_pending, false);
    }
    scroll_caret(hwnd, dx, dy, area);
    // What scrolled in from outside is for the owner to paint.
    const RECT strips[2] = {
        dx > 0 ? RECT{area.left, area.top, area.left + dx, area.bottom}
               : RECT{area.right + dx, area.top, area.right, area.bottom},
        dy > 0 ? RECT{area.left, area.top, area.right, area.top + dy}
               : RECT{area.left, area.bottom + dy, area.right, area.bottom},
    };
    RECT uncovered{0, 0, 0, 0};
    if (dx != 0) uncovered = rect_union(uncovered, rect_intersection(strips[0], area));
    if (dy != 0) uncovered = rect_union(uncovered, rect_intersection(strips[1], area));
    uncovered = rect_union(uncovered, from_hidden);
    if (flags & SW_INVALIDATE) {
        if (dx != 0) invalidate_client(hwnd, &strips[0], (flags & SW_ERASE) != 0, false);
        if (dy != 0) invalidate_client(hwnd, &strips[1], (flags & SW_ERASE) != 0, false);
        // What moved out from under another window was never this window's: it is
        // lost as in an exposure, and erased whatever the flags say.
        if (!rect_empty(from_hidden)) invalidate_client(hwnd, &from_hidden, true, false);
    }
    if (update) *update = uncovered;
    if (update_region) SetRectRgn(update_region, uncovered.left, uncovered.top, uncovered.right, uncovered.bottom);
    return rect_empty(uncovered) ? NULLREGION : SIMPLEREGION;
}
