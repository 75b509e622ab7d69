// Window geometry: rectangles, coordinate mapping, SetWindowPos with its
// notifications, deferred positioning, window regions and hit-testing by point.
#include <algorithm>
#include <memory>

#include "platform/gdi/gdi.h"
#include "platform/gdi/surface_dc.h"
#include "platform/user/backend.h"
#include "platform/user/input_api.h"
#include "platform/user/internal.h"
#include "platform/user/message_api.h"
#include "platform/user/system_api.h"
#include "platform/user/nonclient.h"
#include "platform/user/window_api.h"

using namespace kit::user;

// SetWindowPos flags that tell WM_WINDOWPOSCHANGED's default handling what changed.
constexpr UINT SWP_NOCLIENTSIZE = 0x0800;
constexpr UINT SWP_NOCLIENTMOVE = 0x1000;

namespace kit::user {

HWND top_level_of(HWND hwnd) {
    Window* w = find_window(hwnd);
    while (w && (w->style & WS_CHILD)) {
        hwnd = w->parent;
        w = find_window(hwnd);
    }
    return w ? hwnd : nullptr;
}

bool is_visible_on_screen(HWND hwnd) {
    for (Window* w = find_window(hwnd); w; w = find_window(w->parent)) {
        if (!(w->style & WS_VISIBLE)) return false;
        if (!(w->style & WS_CHILD)) return true;
    }
    return false;
}

POINT window_origin_on_screen(HWND hwnd) {
    Window* w = find_window(hwnd);
    if (!w) return POINT{0, 0};
    POINT p{w->rect.left, w->rect.top};
    if (w->style & WS_CHILD) {
        POINT parent = client_origin_on_screen(w->parent);
        p.x += parent.x;
        p.y += parent.y;
    }
    return p;
}

POINT client_origin_on_screen(HWND hwnd) {
    Window* w = find_window(hwnd);
    if (!w) return POINT{0, 0};
    POINT p = window_origin_on_screen(hwnd);
    return POINT{p.x + w->client.left, p.y + w->client.top};
}

RECT client_rect_in_parent(const Window& w) {
    return RECT{w.rect.left + w.client.left, w.rect.top + w.client.top, w.rect.left + w.client.right,
                w.rect.top + w.client.bottom};
}

void recalc_client(Window& w) {
    HWND hwnd = w.handle;
    NCCALCSIZE_PARAMS params{};
    params.rgrc[0] = w.rect;
    call_window(hwnd, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&params));
    Window* again = find_window(hwnd);
    if (!again) return;
    RECT c = params.rgrc[0];
    again->client = RECT{c.left - again->rect.left, c.top - again->rect.top, c.right - again->rect.left,
                         c.bottom - again->rect.top};
}

}  // namespace kit::user

BOOL GetClientRect(HWND hwnd, RECT* out) {
    Window* w = find_window(hwnd);
    if (!w || !out) return FALSE;
    *out = RECT{0, 0, w->client.right - w->client.left, w->client.bottom - w->client.top};
    return TRUE;
}

BOOL GetWindowRect(HWND hwnd, RECT* out) {
    Window* w = find_window(hwnd);
    if (!w || !out) return FALSE;
    POINT p = window_origin_on_screen(hwnd);
    *out = RECT{p.x, p.y, p.x + (w->rect.right - w->rect.left), p.y + (w->rect.bottom - w->rect.top)};
    return TRUE;
}

BOOL ClientToScreen(HWND hwnd, POINT* point) {
    if (!find_window(hwnd) || !point) return FALSE;
    POINT o = client_origin_on_screen(hwnd);
    point->x += o.x;
    point->y += o.y;
    return TRUE;
}

BOOL ScreenToClient(HWND hwnd, POINT* point) {
    if (!find_window(hwnd) || !point) return FALSE;
    POINT o = client_origin_on_screen(hwnd);
    point->x -= o.x;
    point->y -= o.y;
    return TRUE;
}

int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count) {
    POINT a = from ? client_origin_on_screen(from) : POINT{0, 0};
    POINT b = to ? client_origin_on_screen(to) : POINT{0, 0};
    int dx = a.x - b.x, dy = a.y - b.y;
    for (UINT i = 0; points && i < count; ++i) {
        points[i].x += dx;
        points[i].y += dy;
    }
    return MAKELONG(WORD(short(dx)), WORD(short(dy)));
}

namespace {

// Marks for repainting what a child covered in its parent (before or after a change).
void expose_in_parent(const Window& w) {
    if (!(w.style & WS_CHILD)) return;
    Window* parent = find_window(w.parent);
    if (!parent) return;
    RECT r = w.rect;
    invalidate_client(w.parent, &r, true, true);
}

// No screen is this large; within it, a window's edges and its parents' offsets add up without overflow.
constexpr int kMaxCoordinate = 1 << 24;

void bound(WINDOWPOS& pos) {
    pos.x = std::clamp(pos.x, -kMaxCoordinate, kMaxCoordinate);
    pos.y = std::clamp(pos.y, -kMaxCoordinate, kMaxCoordinate);
    pos.cx = std::clamp(pos.cx, 0, kMaxCoordinate);
    pos.cy = std::clamp(pos.cy, 0, kMaxCoordinate);
}

}  // namespace

BOOL SetWindowPos(HWND hwnd, HWND insert_after, int x, int y, int cx, int cy, UINT flags) {
    Window* w = find_window(hwnd);
    if (!w) return FALSE;
    WINDOWPOS pos{hwnd, insert_after, x, y, cx, cy, flags};
    if (flags & SWP_NOMOVE) {
        pos.x = w->rect.left;
        pos.y = w->rect.top;
    }
    if (flags & SWP_NOSIZE) {
        pos.cx = w->rect.right - w->rect.left;
        pos.cy = w->rect.bottom - w->rect.top;
    }
    bound(pos);
    call_window(hwnd, WM_WINDOWPOSCHANGING, 0, reinterpret_cast<LPARAM>(&pos));
    w = find_window(hwnd);
    if (!w) return FALSE;
    flags = pos.flags;
    bound(pos);

    RECT old_rect = w->rect;
    RECT old_client = client_rect_in_parent(*w);
    RECT new_rect{pos.x, pos.y, pos.x + pos.cx, pos.y + pos.cy};
    bool moved = new_rect.left != old_rect.left || new_rect.top != old_rect.top;
    bool sized = (new_rect.right - new_rect.left) != (old_rect.right - old_rect.left) ||
                 (new_rect.bottom - new_rect.top) != (old_rect.bottom - old_rect.top);
    bool was_visible = (w->style & WS_VISIBLE) != 0;
    bool redraw = !(flags & SWP_NOREDRAW);

    if (redraw && was_visible && (moved || sized || (flags & SWP_HIDEWINDOW))) expose_in_parent(*w);
    w->rect = new_rect;
    if (sized || (flags & SWP_FRAMECHANGED)) {
        NCCALCSIZE_PARAMS params{};
        params.rgrc[0] = new_rect;
        params.rgrc[1] = old_rect;
        params.rgrc[2] = old_client;
        params.lppos = &pos;
        call_window(hwnd, WM_NCCALCSIZE, TRUE, reinterpret_cast<LPARAM>(&params));
        w = find_window(hwnd);
        if (!w) return FALSE;
        RECT c = params.rgrc[0];
        w->client =
            RECT{c.left - new_rect.left, c.top - new_rect.top, c.right - new_rect.left, c.bottom - new_rect.top};
    }
    if (!(flags & SWP_NOZORDER)) {
        if (Window* parent = (w->style & WS_CHILD) ? find_window(w->parent) : nullptr) {
            restack(parent->children, hwnd, insert_after);
        } else if (!(w->style & WS_CHILD)) {
            restack_top_level(hwnd, insert_after);
        }
    }
    if (flags & SWP_SHOWWINDOW) w->style |= WS_VISIBLE;
    if (flags & SWP_HIDEWINDOW) w->style &= ~WS_VISIBLE;
    bool visible = (w->style & WS_VISIBLE) != 0;
    bool client_moved = moved || (flags & SWP_FRAMECHANGED);
    RECT new_client = client_rect_in_parent(*w);
    bool client_sized = (new_client.right - new_client.left) != (old_client.right - old_client.left) ||
                        (new_client.bottom - new_client.top) != (old_client.bottom - old_client.top);

    if (visible && redraw && (moved || sized || !was_visible || (flags & SWP_FRAMECHANGED))) {
        invalidate_frame(hwnd);
        invalidate_client(hwnd, nullptr, true, true);
        expose_in_parent(*w);
    }
    if (!(w->style & WS_CHILD) && visible != was_visible) backend().top_level_shown(hwnd, visible);

    pos.flags = flags | (client_moved ? 0 : SWP_NOCLIENTMOVE) | (client_sized ? 0 : SWP_NOCLIENTSIZE);
    pos.x = new_rect.left;
    pos.y = new_rect.top;
    call_window(hwnd, WM_WINDOWPOSCHANGED, 0, reinterpret_cast<LPARAM>(&pos));
    if (!IsWindow(hwnd)) return TRUE;

    if (flags & SWP_HIDEWINDOW) {
        if (GetFocus() == hwnd || IsChild(hwnd, GetFocus())) SetFocus(GetParent(hwnd));
        // The parent's focus handlers may have destroyed the window (with its parent, say).
        if (!IsWindow(hwnd)) return TRUE;
        if (GetCapture() == hwnd) ReleaseCapture();
    }
    bool top_level = !(find_window(hwnd)->style & WS_CHILD);
    if (top_level && visible && !(flags & SWP_NOACTIVATE)) SetActiveWindow(hwnd);
    return TRUE;
}

namespace kit::user {

// WM_WINDOWPOSCHANGED's default: tell the window its client area moved or changed size.
void default_window_pos_changed(HWND hwnd, const WINDOWPOS& pos) {
    Window* w = find_window(hwnd);
    if (!w) return;
    RECT client = client_rect_in_parent(*w);
    if (!(pos.flags & SWP_NOCLIENTMOVE)) call_window(hwnd, WM_MOVE, 0, MAKELPARAM(client.left, client.top));
    if (!(pos.flags & SWP_NOCLIENTSIZE) && IsWindow(hwnd)) {
        WPARAM kind = w->maximized ? SIZE_MAXIMIZED : w->minimized ? SIZE_MINIMIZED : SIZE_RESTORED;
        call_window(hwnd, WM_SIZE, kind, MAKELPARAM(client.right - client.left, client.bottom - client.top));
    }
}

}  // namespace kit::user

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
    return SetWindowPos(hwnd, nullptr, x, y, width, height,
                        SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL AdjustWindowRectEx(RECT* rect, DWORD style, BOOL has_menu, DWORD ex_style) {
    if (!rect) return FALSE;
    Insets in = frame_insets(style, ex_style);
    rect->left -= in.left;
    rect->top -= in.top;
    rect->right += in.right;
    rect->bottom += in.bottom;
    if (has_menu) rect->top -= GetSystemMetrics(SM_CYMENU);
    return TRUE;
}

struct HDWP__ {
    std::vector<WINDOWPOS> moves;
};

HDWP BeginDeferWindowPos(int count) {
    if (count < 0) return nullptr;
    auto* info = new HDWP__;
    info->moves.reserve(size_t(count));
    return info;
}

HDWP DeferWindowPos(HDWP info, HWND hwnd, HWND insert_after, int x, int y, int cx, int cy, UINT flags) {
    if (!info) return nullptr;
    if (!IsWindow(hwnd)) {
        // The platform abandons the whole batch on a bad window.
        delete info;
        return nullptr;
    }
    info->moves.push_back(WINDOWPOS{hwnd, insert_after, x, y, cx, cy, flags});
    return info;
}

BOOL EndDeferWindowPos(HDWP info) {
    if (!info) return FALSE;
    std::unique_ptr<HDWP__> owned(info);
    for (const auto& m : owned->moves) SetWindowPos(m.hwnd, m.hwndInsertAfter, m.x, m.y, m.cx, m.cy, m.flags);
    return TRUE;
}

int SetWindowRgn(HWND hwnd, HRGN region, BOOL redraw) {
    Window* w = find_window(hwnd);
    if (!w) return 0;
    if (region) {
        w->region = gdi::region_of(region);
        DeleteObject(region);  // the window owns it now
    } else {
        w->region.reset();
    }
    if (!(w->style & WS_CHILD)) backend().shape_changed(hwnd);
    if (redraw) {
        invalidate_frame(hwnd);
        invalidate_client(hwnd, nullptr, true, true);
    }
    return 1;
}

int GetWindowRgn(HWND hwnd, HRGN region) {
    Window* w = find_window(hwnd);
    if (!w || !w->region || !region) return 0;
    HRGN copy = CreateRectRgn(0, 0, 0, 0);
    // Rebuilt from the region's rectangles: the public calls are all there is to fill a handle.
    for (const RECT& r : w->region->rects()) {
        HRGN part = CreateRectRgnIndirect(&r);
        CombineRgn(copy, copy, part, RGN_OR);
        DeleteObject(part);
    }
    CombineRgn(region, copy, nullptr, RGN_COPY);
    DeleteObject(copy);
    return w->region->is_rect() ? SIMPLEREGION : COMPLEXREGION;
}

bool window_region_contains(HWND hwnd, POINT p) {
    Window* w = find_window(hwnd);
    return !w || !w->region || w->region->contains(p.x, p.y);
}

namespace {

bool contains_on_screen(HWND hwnd, POINT screen) {
    RECT r;
    GetWindowRect(hwnd, &r);
    if (screen.x < r.left || screen.x >= r.right || screen.y < r.top || screen.y >= r.bottom) return false;
    return window_region_contains(hwnd, POINT{screen.x - r.left, screen.y - r.top});
}

HWND deepest_child_at(HWND parent, POINT screen) {
    Window* w = find_window(parent);
    if (!w) return parent;
    POINT origin = client_origin_on_screen(parent);
    RECT c = w->client;
    POINT local{screen.x - origin.x, screen.y - origin.y};
    if (local.x < 0 || local.y < 0 || local.x >= c.right - c.left || local.y >= c.bottom - c.top) return parent;
    for (HWND child : w->children) {
        Window* cw = find_window(child);
        if (!cw || !(cw->style & WS_VISIBLE) || !contains_on_screen(child, screen)) continue;
        // A disabled child answers for its parent, as on the platform.
        if (cw->style & WS_DISABLED) return parent;
        return deepest_child_at(child, screen);
    }
    return parent;
}

}  // namespace

HWND window_beneath(HWND transparent, POINT screen) {
    Window* w = find_window(transparent);
    Window* parent = w && (w->style & WS_CHILD) ? find_window(w->parent) : nullptr;
    if (!parent) return nullptr;
    // The siblings after it lie below it.
    auto at = std::find(parent->children.begin(), parent->children.end(), transparent);
    for (auto it = at == parent->children.end() ? at : at + 1; it != parent->children.end(); ++it) {
        Window* sibling = find_window(*it);
        if (!sibling || !(sibling->style & WS_VISIBLE) || !contains_on_screen(*it, screen)) continue;
        if (sibling->style & WS_DISABLED) return w->parent;
        return deepest_child_at(*it, screen);
    }
    return w->parent;
}

HWND WindowFromPoint(POINT screen) {
    for (HWND top : top_level_windows()) {
        Window* w = find_window(top);
        if (!w || !(w->style & WS_VISIBLE) || w->minimized || !contains_on_screen(top, screen)) continue;
        return deepest_child_at(top, screen);
    }
    return nullptr;
}

HWND GetDesktopWindow() {
    static HWND desktop = nullptr;
    if (find_window(desktop)) return desktop;
    WNDCLASS wc{};
    wc.lpfnWndProc = DefWindowProc;
    wc.lpszClassName = "#32769";
    RegisterClass(&wc);  // a second registration is refused, which is fine
    desktop = CreateWindowEx(0, "#32769", "", WS_POPUP, 0, 0, GetSystemMetrics(SM_CXSCREEN),
                             GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr, nullptr, nullptr);
    return desktop;
}

HWND ChildWindowFromPoint(HWND parent, POINT client_point) {
    Window* w = find_window(parent);
    if (!w) return nullptr;
    POINT screen = client_point;
    ClientToScreen(parent, &screen);
    for (HWND child : w->children) {
        if (contains_on_screen(child, screen)) return child;
    }
    RECT c{0, 0, 0, 0};
    GetClientRect(parent, &c);
    bool inside = client_point.x >= 0 && client_point.y >= 0 && client_point.x < c.right && client_point.y < c.bottom;
    return inside ? parent : nullptr;
}
