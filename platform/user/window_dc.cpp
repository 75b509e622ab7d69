// DCs over windows: every top-level window owns a backing surface, and its
// children draw into it through their visible region.
#include "platform/user/window_dc.h"

#include "platform/gdi/gdi.h"
#include "platform/gdi/surface_dc.h"
#include "platform/user/backend.h"
#include "platform/user/internal.h"
#include "platform/user/styles.h"

namespace kit::user {

namespace {

void ensure_surface(Window& top) {
    int width = std::max(0, int(top.rect.right - top.rect.left));
    int height = std::max(0, int(top.rect.bottom - top.rect.top));
    if (!top.surface) {
        top.surface = std::make_shared<gdi::Surface>(width, height);
    } else if (top.surface->width() != width || top.surface->height() != height) {
        top.surface->resize(width, height);
    }
}

// Where a window's top-left corner lies on its top-level window's surface.
POINT origin_in_top(HWND hwnd, HWND top) {
    POINT a = window_origin_on_screen(hwnd);
    POINT b = window_origin_on_screen(top);
    return POINT{a.x - b.x, a.y - b.y};
}

RECT rect_in_top(HWND hwnd, HWND top, bool client) {
    Window* w = find_window(hwnd);
    POINT o = origin_in_top(hwnd, top);
    RECT r = client ? w->client : RECT{0, 0, w->rect.right - w->rect.left, w->rect.bottom - w->rect.top};
    return RECT{r.left + o.x, r.top + o.y, r.right + o.x, r.bottom + o.y};
}

void subtract_window(gdi::Region& region, HWND hwnd, HWND top) {
    region = region.combine(gdi::Region(rect_in_top(hwnd, top, false)), gdi::Region::Op::Diff);
}

// A child with WS_CLIPSIBLINGS keeps off the visible siblings above it.
void subtract_siblings_above(gdi::Region& region, const Window& w, HWND top) {
    if (!(w.style & WS_CHILD) || !(w.style & WS_CLIPSIBLINGS)) return;
    for (HWND sibling : find_window(w.parent)->children) {
        if (sibling == w.handle) break;  // only those above it
        Window* s = find_window(sibling);
        if (s && (s->style & WS_VISIBLE)) subtract_window(region, sibling, top);
    }
}

// What of the window may be drawn on: its area, within every ancestor's
// client area, less the children its clip style excludes and the siblings
// that the clip styles of the window and of each ancestor exclude (a view
// inside a lower MDI child keeps off the MDI children above its frame).
gdi::Region visible_region(HWND hwnd, HWND top, bool client) {
    Window* w = find_window(hwnd);
    gdi::Region region(rect_in_top(hwnd, top, client));
    subtract_siblings_above(region, *w, top);
    for (Window* a = find_window(w->parent); a && (w->style & WS_CHILD); a = find_window(a->parent)) {
        region = region.combine(gdi::Region(rect_in_top(a->handle, top, true)), gdi::Region::Op::And);
        if (!(a->style & WS_CHILD)) break;
        subtract_siblings_above(region, *a, top);
    }
    if (client && (w->style & WS_CLIPCHILDREN)) {
        for (HWND child : w->children) {
            Window* c = find_window(child);
            if (c && (c->style & WS_VISIBLE)) subtract_window(region, child, top);
        }
    }
    Window* t = find_window(top);
    if (t->region) region = region.combine(*t->region, gdi::Region::Op::And);
    return region;
}

}  // namespace

std::shared_ptr<const gdi::Surface> window_surface(HWND top_level) {
    Window* w = find_window(top_level);
    return w ? w->surface : nullptr;
}

HDC open_window_dc(HWND hwnd, DcArea area, const RECT* clip) {
    HWND top = top_level_of(hwnd);
    Window* t = find_window(top);
    if (!t) return nullptr;
    ensure_surface(*t);
    bool client = area != DcArea::window;
    RECT where = rect_in_top(hwnd, top, client);
    POINT origin{where.left, where.top};
    gdi::Region visible = visible_region(hwnd, top, client);
    if (clip) {
        RECT c{clip->left + origin.x, clip->top + origin.y, clip->right + origin.x, clip->bottom + origin.y};
        visible = visible.combine(gdi::Region(c), gdi::Region::Op::And);
    }
    HDC dc = gdi::create_surface_dc(t->surface, origin);
    gdi::set_system_clip(dc, &visible);
    return dc;
}

void close_window_dc(HWND hwnd, HDC dc) {
    if (!dc) return;
    DeleteDC(dc);
    if (HWND top = top_level_of(hwnd)) backend().present(top);
}

RECT scroll_window_pixels(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip) {
    Window* w = find_window(hwnd);
    if (!w) return RECT{0, 0, 0, 0};
    RECT area = scroll ? *scroll : RECT{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
    if (clip) IntersectRect(&area, &area, clip);
    int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return RECT{0, 0, 0, 0};
    HDC dc = open_window_dc(hwnd, DcArea::client, &area);
    if (!dc) return RECT{0, 0, 0, 0};
    // The surface moves its pixels in place, however the areas overlap.
    BitBlt(dc, area.left + dx, area.top + dy, width, height, dc, area.left, area.top, SRCCOPY);
    close_window_dc(hwnd, dc);
    // A visible pixel whose source was hidden, though inside the area, got another
    // window's pixels; sources outside the area are the strips the caller exposes.
    const HWND top = top_level_of(hwnd);
    const POINT origin = origin_in_top(hwnd, top);
    gdi::Region shown = visible_region(hwnd, top, true);
    shown.offset(-(origin.x + w->client.left), -(origin.y + w->client.top));
    shown = shown.combine(gdi::Region(area), gdi::Region::Op::And);
    gdi::Region hidden = gdi::Region(area).combine(shown, gdi::Region::Op::Diff);
    hidden.offset(dx, dy);
    return shown.combine(hidden, gdi::Region::Op::And).bounds();
}

}  // namespace kit::user
