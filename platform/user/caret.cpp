// The caret: one per thread on the platform, one per process here since one
// thread owns the windows. The display draws it over the composed window,
// blinking on the backend's clock, so painting never has to erase it.
#include "platform/user/backend.h"
#include "platform/user/input_api.h"
#include "platform/user/internal.h"
#include "platform/user/rects.h"
#include "platform/user/window_api.h"

using namespace kit::user;

namespace {

struct Caret {
    HWND hwnd = nullptr;
    POINT pos{0, 0};
    int width = 0;
    int height = 0;
    int hide_count = 1;             // created hidden
    std::uint64_t shown_since = 0;  // the blink phase starts when it moves or shows
};

Caret caret;

void restart_blink() { caret.shown_since = backend().now_ms(); }

}  // namespace

namespace kit::user {

void reset_caret() { caret = Caret{}; }

void caret_window_destroyed(HWND hwnd) {
    if (caret.hwnd == hwnd) caret = Caret{};
}

void scroll_caret(HWND hwnd, int dx, int dy, const RECT& area) {
    if (caret.hwnd != hwnd || !rect_contains(area, caret.pos)) return;
    caret.pos = POINT{caret.pos.x + dx, caret.pos.y + dy};
}

CaretState caret_state() {
    CaretState state;
    if (!caret.hwnd || caret.hide_count > 0 || !IsWindowVisible(caret.hwnd)) return state;
    std::uint64_t elapsed = backend().now_ms() - caret.shown_since;
    state.hwnd = caret.hwnd;
    state.rect = RECT{caret.pos.x, caret.pos.y, caret.pos.x + caret.width, caret.pos.y + caret.height};
    state.visible = (elapsed / GetCaretBlinkTime()) % 2 == 0;
    return state;
}

}  // namespace kit::user

BOOL CreateCaret(HWND hwnd, HBITMAP, int width, int height) {
    if (!IsWindow(hwnd)) return FALSE;
    // Width 0 takes the border width, as on the platform.
    caret = Caret{hwnd, {0, 0}, width > 0 ? width : 1, height > 0 ? height : 1, 1, 0};
    return TRUE;
}

BOOL DestroyCaret() {
    if (!caret.hwnd) return FALSE;
    caret = Caret{};
    return TRUE;
}

BOOL ShowCaret(HWND hwnd) {
    if (!caret.hwnd || (hwnd && hwnd != caret.hwnd) || caret.hide_count == 0) return FALSE;
    if (--caret.hide_count == 0) restart_blink();
    return TRUE;
}

BOOL HideCaret(HWND hwnd) {
    if (!caret.hwnd || (hwnd && hwnd != caret.hwnd)) return FALSE;
    ++caret.hide_count;
    return TRUE;
}

BOOL SetCaretPos(int x, int y) {
    if (!caret.hwnd) return FALSE;
    caret.pos = POINT{x, y};
    restart_blink();
    return TRUE;
}

BOOL GetCaretPos(POINT* out) {
    if (!caret.hwnd || !out) return FALSE;
    *out = caret.pos;
    return TRUE;
}

UINT GetCaretBlinkTime() { return 530; }
