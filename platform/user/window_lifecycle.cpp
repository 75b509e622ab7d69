// Creating and destroying windows, with the messages and their order that
// window procedures rely on.
#include <algorithm>

#include "platform/user/backend.h"
#include "platform/user/controls.h"
#include "platform/user/input_api.h"
#include "platform/user/internal.h"
#include "platform/user/ipc_bridge.h"
#include "platform/user/menu_api.h"
#include "platform/user/message_api.h"
#include "platform/user/system_api.h"
#include "platform/user/window_api.h"

using namespace kit::user;

namespace {

// Where a top-level window goes when its creator leaves the place to us: a
// cascade like the platform's, stepping by the caption height.
POINT next_default_position() {
    static int step = 0;
    int offset = (step++ % 10) * (GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME));
    return POINT{32 + offset, 32 + offset};
}

void place_initial(Window& w, int x, int y, int cx, int cy) {
    bool top_level = !(w.style & WS_CHILD);
    if (x == CW_USEDEFAULT) {
        if (top_level) {
            POINT p = next_default_position();
            x = p.x;
            y = p.y;
        } else {
            x = y = 0;
        }
    }
    if (cx == CW_USEDEFAULT) {
        cx = top_level ? GetSystemMetrics(SM_CXSCREEN) * 3 / 4 : 0;
        cy = top_level ? GetSystemMetrics(SM_CYSCREEN) * 3 / 4 : 0;
    }
    w.rect = RECT{x, y, x + std::max(cx, 0), y + std::max(cy, 0)};
}

void link_into_tree(Window& w) {
    // Children are added after their older siblings, so walking GW_HWNDNEXT
    // from GW_CHILD visits them in creation order (dialog tab order relies on it).
    if (Window* parent = find_window(w.parent)) parent->children.push_back(w.handle);
}

void unlink_from_tree(HWND hwnd, HWND parent) {
    if (Window* p = find_window(parent)) std::erase(p->children, hwnd);
}

// WM_DESTROY reaches a window before its children; WM_NCDESTROY after them.
void send_destroy(HWND hwnd) {
    Window* w = find_window(hwnd);
    if (!w) return;
    w->destroying = true;
    call_window(hwnd, WM_DESTROY, 0, 0);
    w = find_window(hwnd);
    if (!w) return;
    for (HWND child : std::vector<HWND>(w->children)) send_destroy(child);
}

void send_nc_destroy(HWND hwnd) {
    Window* w = find_window(hwnd);
    if (!w) return;
    for (HWND child : std::vector<HWND>(w->children)) send_nc_destroy(child);
    w = find_window(hwnd);
    if (!w) return;
    HWND parent = w->parent;
    bool top_level = !(w->style & WS_CHILD);
    w->queue->kill_timers_of(hwnd);
    input_window_destroyed(hwnd);
    call_window(hwnd, WM_NCDESTROY, 0, 0);
    w = find_window(hwnd);
    if (!w) return;
    forget_paint(*w);
    if (top_level && w->menu) DestroyMenu(w->menu);
    if (w->system_menu) DestroyMenu(w->system_menu);
    unlink_from_tree(hwnd, parent);
    remove_window(hwnd);
    if (top_level) backend().top_level_destroyed(hwnd);
}

}  // namespace

HWND CreateWindowEx(DWORD ex_style, const char* class_name, const char* title, DWORD style, int x, int y, int width,
                    int height, HWND parent, HMENU menu_or_id, HINSTANCE instance, void* param) {
    ensure_standard_classes();
    auto cls = class_name ? find_class(class_name) : nullptr;
    if (!cls) return nullptr;
    if ((style & WS_CHILD) && !find_window(parent)) return nullptr;
    if (parent && !(style & WS_CHILD) && !find_window(parent)) return nullptr;

    auto record = std::make_unique<Window>();
    record->queue = current_queue_shared();
    record->cls = cls;
    record->proc = cls->proc;
    record->style = style & ~WS_VISIBLE;  // shown below, after WM_CREATE
    record->ex_style = ex_style;
    record->text = title ? title : "";
    if (style & WS_CHILD) {
        record->parent = parent;
        record->id = reinterpret_cast<UINT_PTR>(menu_or_id);
    } else {
        // The owner of an owned window is always a top-level window.
        record->owner = parent ? top_level_of(parent) : nullptr;
        record->menu = menu_or_id;
    }
    record->extra.assign(size_t(cls->window_extra + int(sizeof(LONG_PTR)) - 1) / sizeof(LONG_PTR), 0);
    place_initial(*record, x, y, width, height);

    Window& w = add_window(std::move(record));
    HWND hwnd = w.handle;
    link_into_tree(w);

    CREATESTRUCT cs{param,
                    instance,
                    menu_or_id,
                    parent,
                    int(w.rect.bottom - w.rect.top),
                    int(w.rect.right - w.rect.left),
                    int(w.rect.top),
                    int(w.rect.left),
                    LONG(style),
                    title,
                    class_name,
                    ex_style};
    if (!call_window(hwnd, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&cs))) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    if (Window* again = find_window(hwnd)) recalc_client(*again);
    if (call_window(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&cs)) == -1) {
        DestroyWindow(hwnd);
        return nullptr;
    }
    Window* created = find_window(hwnd);
    if (!created) return nullptr;
    RECT client = created->client;
    RECT origin = client_rect_in_parent(*created);
    call_window(hwnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right - client.left, client.bottom - client.top));
    call_window(hwnd, WM_MOVE, 0, MAKELPARAM(origin.left, origin.top));
    if (style & WS_VISIBLE) ShowWindow(hwnd, SW_SHOW);
    return IsWindow(hwnd) ? hwnd : nullptr;
}

HWND CreateWindow(const char* class_name, const char* title, DWORD style, int x, int y, int width, int height,
                  HWND parent, HMENU menu_or_id, HINSTANCE instance, void* param) {
    return CreateWindowEx(0, class_name, title, style, x, y, width, height, parent, menu_or_id, instance, param);
}

BOOL DestroyWindow(HWND hwnd) {
    Window* w = find_window(hwnd);
    if (!w || w->destroying) return FALSE;
    w->destroying = true;
    bool top_level = !(w->style & WS_CHILD);
    if (w->style & WS_VISIBLE) {
        SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (top_level) {
        // Owned windows go first, as the platform does.
        for (HWND other : top_level_windows()) {
            Window* o = find_window(other);
            if (o && o->owner == hwnd) DestroyWindow(other);
        }
    }
    if (!find_window(hwnd)) return TRUE;
    find_window(hwnd)->destroying = false;  // send_destroy sets it again for the whole tree
    send_destroy(hwnd);
    send_nc_destroy(hwnd);
    return TRUE;
}

BOOL IsWindow(HWND hwnd) { return queue_of(hwnd) || is_window_of_other_process(hwnd) ? TRUE : FALSE; }
