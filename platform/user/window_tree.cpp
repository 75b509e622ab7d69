// Relations between windows, their text, their long values and properties,
// and their shown and enabled state.
#include <algorithm>
#include <climits>
#include <cstring>

#include "platform/user/backend.h"
#include "platform/user/input_api.h"
#include "platform/user/internal.h"
#include "platform/user/message_api.h"
#include "platform/user/system_api.h"
#include "platform/user/window_api.h"

using namespace kit::user;

namespace {

int copy_text(const std::string& text, char* buffer, int size) {
    if (!buffer || size <= 0) return 0;
    int n = int(std::min<size_t>(text.size(), size_t(size - 1)));
    std::memcpy(buffer, text.data(), size_t(n));
    buffer[n] = 0;
    return n;
}

const std::vector<HWND>* siblings_of(const Window& w, std::vector<HWND>& top_levels) {
    if (Window* parent = find_window(w.parent)) return &parent->children;
    top_levels = top_level_windows();
    return &top_levels;
}

}  // namespace

HWND GetParent(HWND hwnd) {
    Window* w = find_window(hwnd);
    if (!w) return nullptr;
    return (w->style & WS_CHILD) ? w->parent : w->owner;
}

HWND SetParent(HWND child, HWND new_parent) {
    Window* w = find_window(child);
    if (!w || !(w->style & WS_CHILD) || !find_window(new_parent) || child == new_parent ||
        is_descendant(child, new_parent)) {
        return nullptr;
    }
    HWND old = w->parent;
    if (Window* p = find_window(old)) std::erase(p->children, child);
    w->parent = new_parent;
    find_window(new_parent)->children.insert(find_window(new_parent)->children.begin(), child);
    invalidate_client(old, nullptr, true, true);
    invalidate_client(new_parent, nullptr, true, true);
    return old;
}

HWND GetWindow(HWND hwnd, UINT relation) {
    Window* w = find_window(hwnd);
    if (!w) return nullptr;
    if (relation == GW_CHILD) return w->children.empty() ? nullptr : w->children.front();
    if (relation == GW_OWNER) return w->owner;
    std::vector<HWND> top_levels;
    const std::vector<HWND>& list = *siblings_of(*w, top_levels);
    auto it = std::find(list.begin(), list.end(), hwnd);
    if (it == list.end()) return nullptr;
    switch (relation) {
        case GW_HWNDFIRST: return list.front();
        case GW_HWNDLAST: return list.back();
        case GW_HWNDNEXT: return it + 1 == list.end() ? nullptr : *(it + 1);
        case GW_HWNDPREV: return it == list.begin() ? nullptr : *(it - 1);
        default: return nullptr;
    }
}

HWND GetTopWindow(HWND hwnd) {
    if (!hwnd) {
        auto tops = top_level_windows();
        return tops.empty() ? nullptr : tops.front();
    }
    return GetWindow(hwnd, GW_CHILD);
}

HWND GetAncestorTopLevel(HWND hwnd) { return top_level_of(hwnd); }

BOOL IsChild(HWND parent, HWND hwnd) { return parent && is_descendant(parent, hwnd) ? TRUE : FALSE; }

BOOL EnumWindows(WNDENUMPROC proc, LPARAM param) {
    if (!proc) return FALSE;
    for (HWND top : top_level_windows()) {
        if (IsWindow(top) && !proc(top, param)) return FALSE;
    }
    return TRUE;
}

namespace {

// False when the callback asked to stop. The list is copied first, so the
// callback may create or destroy windows.
bool enum_descendants(HWND parent, WNDENUMPROC proc, LPARAM param) {
    Window* w = find_window(parent);
    if (!w) return true;
    for (HWND child : std::vector<HWND>(w->children)) {
        if (!find_window(child)) continue;
        if (!proc(child, param) || !enum_descendants(child, proc, param)) return false;
    }
    return true;
}

}  // namespace

BOOL EnumChildWindows(HWND parent, WNDENUMPROC proc, LPARAM param) {
    if (!proc) return FALSE;
    return enum_descendants(parent, proc, param) ? TRUE : FALSE;
}

HWND GetDlgItem(HWND dialog, int id) {
    Window* w = find_window(dialog);
    if (!w) return nullptr;
    for (HWND child : w->children) {
        Window* c = find_window(child);
        if (c && c->id == UINT_PTR(unsigned(id))) return child;
    }
    return nullptr;
}

int GetDlgCtrlID(HWND hwnd) {
    Window* w = find_window(hwnd);
    return w && (w->style & WS_CHILD) ? int(w->id) : 0;
}

int GetWindowText(HWND hwnd, char* buffer, int size) {
    if (!buffer || size <= 0) return 0;
    buffer[0] = 0;
    return int(SendMessage(hwnd, WM_GETTEXT, WPARAM(size), reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLength(HWND hwnd) { return int(SendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0)); }

BOOL SetWindowText(HWND hwnd, const char* text) {
    return SendMessage(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : "")) ? TRUE : FALSE;
}

namespace kit::user {

// The default handling of the text messages, shared with DefWindowProc.
LRESULT default_text_message(Window& w, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SETTEXT:
            w.text = lParam ? reinterpret_cast<const char*>(lParam) : "";
            if (!(w.style & WS_CHILD)) {
                invalidate_frame(w.handle);
                backend().caption_changed(w.handle);
            }
            return TRUE;
        case WM_GETTEXT: return copy_text(w.text, reinterpret_cast<char*>(lParam), int(wParam));
        case WM_GETTEXTLENGTH: return LRESULT(w.text.size());
        default: return 0;
    }
}

}  // namespace kit::user

LONG_PTR GetWindowLongPtr(HWND hwnd, int index) {
    Window* w = find_window(hwnd);
    if (!w) return 0;
    switch (index) {
        case GWL_WNDPROC: return reinterpret_cast<LONG_PTR>(w->proc);
        case GWL_STYLE: return LONG_PTR(LONG(w->style));
        case GWL_EXSTYLE: return LONG_PTR(w->ex_style);
        case GWL_USERDATA: return w->user_data;
        case GWL_ID: return LONG_PTR(w->id);
        case GWL_HWNDPARENT: return reinterpret_cast<LONG_PTR>(GetParent(hwnd));
        case GWL_HINSTANCE: return 0;
        default: break;
    }
    if (index < 0 || size_t(index) % sizeof(LONG_PTR) != 0) return 0;
    size_t slot = size_t(index) / sizeof(LONG_PTR);
    return slot < w->extra.size() ? w->extra[slot] : 0;
}

LONG_PTR SetWindowLongPtr(HWND hwnd, int index, LONG_PTR value) {
    Window* w = find_window(hwnd);
    if (!w) return 0;
    LONG_PTR old = GetWindowLongPtr(hwnd, index);
    switch (index) {
        case GWL_WNDPROC:
            if (value) w->proc = reinterpret_cast<WNDPROC>(value);
            return old;
        case GWL_STYLE: {
            // The visible bit changes only through ShowWindow, as on the platform.
            DWORD visible = w->style & WS_VISIBLE;
            w->style = (DWORD(value) & ~WS_VISIBLE) | visible;
            call_window(hwnd, WM_STYLECHANGED, WPARAM(GWL_STYLE), 0);
            return old;
        }
        case GWL_EXSTYLE:
            w->ex_style = DWORD(value);
            call_window(hwnd, WM_STYLECHANGED, WPARAM(GWL_EXSTYLE), 0);
            return old;
        case GWL_USERDATA: w->user_data = value; return old;
        case GWL_ID: w->id = UINT_PTR(value); return old;
        default: break;
    }
    if (index < 0 || size_t(index) % sizeof(LONG_PTR) != 0) return 0;
    size_t slot = size_t(index) / sizeof(LONG_PTR);
    if (slot >= w->extra.size()) return 0;
    w->extra[slot] = value;
    return old;
}

LONG GetWindowLong(HWND hwnd, int index) { return LONG(GetWindowLongPtr(hwnd, index)); }
LONG SetWindowLong(HWND hwnd, int index, LONG value) { return LONG(SetWindowLongPtr(hwnd, index, value)); }

BOOL SetProp(HWND hwnd, const char* name, HANDLE value) {
    Window* w = find_window(hwnd);
    if (!w || !name) return FALSE;
    w->properties[name] = value;
    return TRUE;
}

HANDLE GetProp(HWND hwnd, const char* name) {
    Window* w = find_window(hwnd);
    if (!w || !name) return nullptr;
    auto it = w->properties.find(name);
    return it == w->properties.end() ? nullptr : it->second;
}

HANDLE RemoveProp(HWND hwnd, const char* name) {
    Window* w = find_window(hwnd);
    if (!w || !name) return nullptr;
    auto it = w->properties.find(name);
    if (it == w->properties.end()) return nullptr;
    HANDLE value = it->second;
    w->properties.erase(it);
    return value;
}

BOOL ShowWindow(HWND hwnd, int command) {
    Window* w = find_window(hwnd);
    if (!w) return FALSE;
    bool was_visible = (w->style & WS_VISIBLE) != 0;
    bool top_level = !(w->style & WS_CHILD);
    bool show = command != SW_HIDE;
    bool activate = top_level && show && command != SW_SHOWNA && command != SW_SHOWNOACTIVATE &&
                    command != SW_SHOWMINNOACTIVE && command != SW_MINIMIZE;
    UINT flags = SWP_NOMOVE | SWP_NOSIZE | (show ? SWP_SHOWWINDOW : SWP_HIDEWINDOW);
    if (!activate) flags |= SWP_NOACTIVATE | SWP_NOZORDER;

    if (show != was_visible) call_window(hwnd, WM_SHOWWINDOW, show, 0);
    w = find_window(hwnd);
    if (!w) return was_visible;

    bool minimize = command == SW_MINIMIZE || command == SW_SHOWMINIMIZED || command == SW_SHOWMINNOACTIVE;
    // A window minimized from maximized is restored to maximized, keeping its normal place.
    bool maximize = command == SW_SHOWMAXIMIZED || (command == SW_RESTORE && w->minimized && w->restore_maximized);
    bool restore = !maximize && (command == SW_RESTORE || command == SW_SHOWNORMAL);
    if (minimize != w->minimized || (maximize && !w->maximized) || (restore && (w->minimized || w->maximized))) {
        bool was_normal = !w->minimized && !w->maximized;
        bool was_maximized = w->maximized || (w->minimized && w->restore_maximized);
        if (was_normal) w->normal_rect = w->rect;
        if (minimize && !w->minimized) w->restore_maximized = w->maximized;
        if (!minimize) w->restore_maximized = false;
        w->minimized = minimize;
        w->maximized = maximize;
        WPARAM kind = minimize ? SIZE_MINIMIZED : maximize ? SIZE_MAXIMIZED : SIZE_RESTORED;
        if (maximize && top_level) {
            int frame = GetSystemMetrics(SM_CXFRAME);
            SetWindowPos(hwnd, nullptr, -frame, -frame, GetSystemMetrics(SM_CXMAXIMIZED),
                         GetSystemMetrics(SM_CYMAXIMIZED), SWP_NOZORDER | SWP_NOACTIVATE);
        } else if (!minimize && !maximize && was_maximized) {
            RECT n = w->normal_rect;
            SetWindowPos(hwnd, nullptr, n.left, n.top, n.right - n.left, n.bottom - n.top,
                         SWP_NOZORDER | SWP_NOACTIVATE);
        }
        if (top_level) backend().top_level_minimized(hwnd, minimize);
        w = find_window(hwnd);
        if (!w) return was_visible;
        // The caption's boxes follow the state, also where the window keeps its place (a
        // maximized window minimized and brought back).
        invalidate_frame(hwnd);
        RECT c = w->client;
        call_window(hwnd, WM_SIZE, kind, MAKELPARAM(c.right - c.left, c.bottom - c.top));
    }
    if (show != was_visible || activate) SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, flags);
    if (activate && IsWindow(hwnd)) SetActiveWindow(hwnd);
    if (minimize && GetActiveWindow() == hwnd && IsWindow(hwnd)) SetFocus(nullptr);
    return was_visible;
}

BOOL IsWindowVisible(HWND hwnd) { return is_visible_on_screen(hwnd) ? TRUE : FALSE; }

BOOL EnableWindow(HWND hwnd, BOOL enable) {
    Window* w = find_window(hwnd);
    if (!w) return FALSE;
    bool was_disabled = (w->style & WS_DISABLED) != 0;
    if (bool(enable) == !was_disabled) return was_disabled;
    if (enable) {
        w->style &= ~WS_DISABLED;
    } else {
        w->style |= WS_DISABLED;
        // A disabled window keeps neither the focus nor the mouse.
        if (GetFocus() == hwnd || IsChild(hwnd, GetFocus())) SetFocus(nullptr);
        if (GetCapture() == hwnd) ReleaseCapture();
    }
    call_window(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
    invalidate_client(hwnd, nullptr, true, true);
    return was_disabled;
}

BOOL IsWindowEnabled(HWND hwnd) {
    Window* w = find_window(hwnd);
    return w && !(w->style & WS_DISABLED) ? TRUE : FALSE;
}

BOOL IsIconic(HWND hwnd) {
    Window* w = find_window(hwnd);
    return w && w->minimized ? TRUE : FALSE;
}

BOOL IsZoomed(HWND hwnd) {
    Window* w = find_window(hwnd);
    return w && w->maximized ? TRUE : FALSE;
}

BOOL GetWindowPlacement(HWND hwnd, WINDOWPLACEMENT* out) {
    Window* w = find_window(hwnd);
    if (!w || !out) return FALSE;
    bool normal = !w->minimized && !w->maximized;
    *out = WINDOWPLACEMENT{sizeof(WINDOWPLACEMENT),
                           UINT(w->minimized && w->restore_maximized ? WPF_RESTORETOMAXIMIZED : 0),
                           UINT(w->minimized   ? SW_SHOWMINIMIZED
                                : w->maximized ? SW_SHOWMAXIMIZED
                                               : SW_SHOWNORMAL),
                           POINT{-1, -1},
                           POINT{-1, -1},
                           normal ? w->rect : w->normal_rect};
    return TRUE;
}

BOOL SetWindowPlacement(HWND hwnd, const WINDOWPLACEMENT* placement) {
    Window* w = find_window(hwnd);
    if (!w || !placement || placement->length != sizeof(WINDOWPLACEMENT)) return FALSE;
    const RECT& n = placement->rcNormalPosition;
    // A damaged record moves nothing: edges the wrong way round, or a size no int holds.
    const long long width = static_cast<long long>(n.right) - n.left, height = static_cast<long long>(n.bottom) - n.top;
    if (width < 0 || height < 0 || width > INT_MAX || height > INT_MAX) return FALSE;
    if (w->minimized || w->maximized) {
        w->normal_rect = n;
    } else {
        SetWindowPos(hwnd, nullptr, n.left, n.top, int(width), int(height), SWP_NOZORDER | SWP_NOACTIVATE);
    }
    int show = int(placement->showCmd);
    if (show == SW_SHOWMINIMIZED || show == SW_SHOWMAXIMIZED || show == SW_SHOWNORMAL || show == SW_RESTORE ||
        show == SW_HIDE || show == SW_SHOW) {
        ShowWindow(hwnd, show);
    }
    return TRUE;
}
