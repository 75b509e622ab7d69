// Focus, activation and capture, with the messages each change sends.
#include "platform/user/backend.h"
#include "platform/user/input_api.h"
#include "platform/user/input_state.h"
#include "platform/user/internal.h"
#include "platform/user/ipc_bridge.h"
#include "platform/user/message_api.h"
#include "platform/user/window_api.h"

using namespace kit::user;

namespace kit::user {

InputState& input_state() {
    static InputState state;
    return state;
}

}  // namespace kit::user

HWND SetFocus(HWND hwnd) {
    auto& s = input_state();
    HWND old = s.focus;
    if (hwnd && !IsWindow(hwnd)) return nullptr;
    if (hwnd == old) return old;
    if (hwnd) {
        HWND top = top_level_of(hwnd);
        if (top != s.active) SetActiveWindow(top);
        if (!IsWindow(hwnd)) return nullptr;
        old = s.focus;
        if (hwnd == old) return old;
    }
    s.focus = hwnd;
    if (IsWindow(old)) call_window(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
    // A handler of WM_KILLFOCUS may have moved the focus elsewhere; that move wins.
    if (hwnd && s.focus == hwnd) call_window(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
    return old;
}

HWND GetFocus() { return input_state().focus; }

HWND SetActiveWindow(HWND hwnd) {
    auto& s = input_state();
    hwnd = top_level_of(hwnd);
    HWND old = s.active;
    if (hwnd == old) return old;
    s.active = hwnd;
    if (IsWindow(old)) {
        call_window(old, WM_NCACTIVATE, FALSE, 0);
        call_window(old, WM_ACTIVATE, WA_INACTIVE, reinterpret_cast<LPARAM>(hwnd));
    }
    if (hwnd && s.active == hwnd) {
        restack_top_level(hwnd, HWND_TOP);
        call_window(hwnd, WM_NCACTIVATE, TRUE, 0);
        call_window(hwnd, WM_ACTIVATE, WA_ACTIVE, reinterpret_cast<LPARAM>(old));
    }
    // The focus never stays in a window that is no longer active.
    if (s.focus && top_level_of(s.focus) != s.active) SetFocus(nullptr);
    return old;
}

HWND GetActiveWindow() { return input_state().active; }
BOOL SetForegroundWindow(HWND hwnd) {
    if (!find_window(hwnd)) return post_to_other_process(hwnd, kBringToFrontMessage, 0, 0) ? TRUE : FALSE;
    SetActiveWindow(hwnd);
    backend().brought_to_front(hwnd);
    return TRUE;
}
HWND GetForegroundWindow() { return input_state().active; }

HWND SetCapture(HWND hwnd) {
    auto& s = input_state();
    HWND old = s.capture;
    if (hwnd && !IsWindow(hwnd)) return old;
    s.capture = hwnd;
    if (old && old != hwnd && IsWindow(old)) {
        call_window(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
    }
    backend().capture_changed(s.capture);
    return old;
}

BOOL ReleaseCapture() {
    auto& s = input_state();
    HWND old = s.capture;
    s.capture = nullptr;
    if (old && IsWindow(old)) call_window(old, WM_CAPTURECHANGED, 0, 0);
    if (old) backend().capture_changed(nullptr);
    return TRUE;
}

HWND GetCapture() { return input_state().capture; }

namespace kit::user {

void input_window_destroyed(HWND hwnd) {
    auto& s = input_state();
    if (s.focus == hwnd) s.focus = nullptr;
    if (s.capture == hwnd) {
        s.capture = nullptr;
        backend().capture_changed(nullptr);
    }
    if (s.click_window == hwnd) s.click_window = nullptr;
    caret_window_destroyed(hwnd);
    if (s.active != hwnd) return;
    s.active = nullptr;
    // Activation passes to the owner, or else to the topmost other visible window.
    Window* w = find_window(hwnd);
    HWND next = w && w->owner && IsWindowVisible(w->owner) ? w->owner : nullptr;
    for (HWND top : top_level_windows()) {
        if (next) break;
        Window* t = find_window(top);
        if (top != hwnd && t && !t->destroying && (t->style & WS_VISIBLE) && !(t->style & WS_DISABLED)) next = top;
    }
    if (next) SetActiveWindow(next);
}

}  // namespace kit::user
