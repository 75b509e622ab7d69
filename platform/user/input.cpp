// Injected input and how it becomes window messages: mouse routing with
// capture, hit-testing, activation and double clicks; keyboard routing to the
// focus; the key state; TranslateMessage.
#include <array>
#include <atomic>
#include <cstdlib>
#include <utility>

#include "platform/user/backend.h"
#include "platform/user/input_api.h"
#include "platform/user/input_state.h"
#include "platform/user/internal.h"
#include "platform/user/message_api.h"
#include "platform/user/styles.h"
#include "platform/user/system_api.h"
#include "platform/user/window_api.h"

using namespace kit::user;

namespace {

// Key state as injected, for GetAsyncKeyState: readable from any thread.
std::array<std::atomic<bool>, 256> async_down{};
// Buttons released at a move that found them up; their late release is not passed on.
std::array<std::atomic<bool>, 256> released_unheard{};

constexpr UINT kRawText = WM_CHAR;  // injected text travels as ready-made WM_CHAR

bool is_down(int vk) { return (input_state().keys[size_t(vk & 0xFF)] & 0x80) != 0; }

std::shared_ptr<MessageQueue> input_queue_for(HWND hwnd) {
    auto queue = hwnd ? queue_of(hwnd) : nullptr;
    if (queue) return queue;
    // Without a window in question, input goes to the thread of the topmost window.
    for (HWND top : top_level_windows()) {
        if ((queue = queue_of(top))) return queue;
    }
    return current_queue_shared();
}

void post_raw(HWND hwnd_hint, UINT message, WPARAM wParam, LPARAM lParam, POINT pt) {
    MSG raw{nullptr, message, wParam, lParam, DWORD(backend().now_ms()), pt};
    input_queue_for(hwnd_hint)->post_input(raw);
}

WPARAM mouse_key_flags() {
    WPARAM flags = 0;
    if (is_down(VK_LBUTTON)) flags |= MK_LBUTTON;
    if (is_down(VK_RBUTTON)) flags |= MK_RBUTTON;
    if (is_down(VK_MBUTTON)) flags |= MK_MBUTTON;
    if (is_down(VK_SHIFT)) flags |= MK_SHIFT;
    if (is_down(VK_CONTROL)) flags |= MK_CONTROL;
    return flags;
}

bool is_button_down(UINT m) { return m == WM_LBUTTONDOWN || m == WM_RBUTTONDOWN || m == WM_MBUTTONDOWN; }

// The button a press of `pressed` means, with left and right swapped when the system says so.
MouseButton logical_button(MouseButton pressed) {
    if (!GetSystemMetrics(SM_SWAPBUTTON) || pressed == MouseButton::middle) return pressed;
    return pressed == MouseButton::left ? MouseButton::right : MouseButton::left;
}

int button_vk(MouseButton button) {
    return button == MouseButton::left ? VK_LBUTTON : button == MouseButton::right ? VK_RBUTTON : VK_MBUTTON;
}

int button_vk(UINT m) {
    switch (m) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP: return VK_LBUTTON;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP: return VK_RBUTTON;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP: return VK_MBUTTON;
        default: return 0;
    }
}

void set_key(int vk, bool down) {
    auto& key = input_state().keys[size_t(vk & 0xFF)];
    if (down && !(key & 0x80)) key ^= 0x01;  // each press toggles
    key = BYTE(down ? (key | 0x80) : (key & ~0x80));
}

bool is_double_click(const MSG& raw, HWND target, LRESULT hit) {
    auto& s = input_state();
    if (!is_button_down(raw.message) || target != s.click_window || raw.message != s.click_message) return false;
    if (hit == HTCLIENT) {
        Window* w = find_window(target);
        if (!w || !(w->cls->style & CS_DBLCLKS)) return false;
    }
    if (raw.time - s.click_time > GetDoubleClickTime()) return false;
    return std::abs(raw.pt.x - s.click_point.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
           std::abs(raw.pt.y - s.click_point.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
}

// A window takes the mouse only while it and each parent up to its top-level window are
// enabled: a main window disabled under a modal dialog disables its children too.
bool takes_input(HWND hwnd) {
    for (; hwnd; hwnd = (GetWindowLong(hwnd, GWL_STYLE) & WS_CHILD) ? GetParent(hwnd) : nullptr)
        if (!IsWindowEnabled(hwnd)) return false;
    return true;
}

bool route_pointer(const MSG& raw, MSG& routed, bool commit) {
    auto& s = input_state();
    if (commit) s.cursor = raw.pt;
    if (raw.message == WM_MOUSEWHEEL) {
        // The wheel turns what has the focus, as on the platform.
        HWND target = s.focus ? s.focus : s.active;
        if (!target) return false;
        routed =
            MSG{target,   WM_MOUSEWHEEL, (raw.wParam & 0xFFFF0000u) | mouse_key_flags(), MAKELPARAM(raw.pt.x, raw.pt.y),
                raw.time, raw.pt};
        return true;
    }
    HWND target = s.capture ? s.capture : WindowFromPoint(raw.pt);
    if (!target) return false;
    LRESULT hit = s.capture ? HTCLIENT : SendMessage(target, WM_NCHITTEST, 0, MAKELPARAM(raw.pt.x, raw.pt.y));
    // A transparent window (a group box) lets the mouse through to what lies beneath.
    while (hit == HTTRANSPARENT && (target = window_beneath(target, raw.pt)))
        hit = SendMessage(target, WM_NCHITTEST, 0, MAKELPARAM(raw.pt.x, raw.pt.y));
    if (!target) return false;
    if (hit == HTNOWHERE || hit == HTERROR || hit == HTTRANSPARENT) {
        if (commit && is_button_down(raw.message)) s.click_window = nullptr;
        return false;
    }
    if (!s.capture && !takes_input(target)) return false;

    UINT message = raw.message;
    bool dblclk = is_double_click(raw, target, hit);
    if (dblclk) message += WM_LBUTTONDBLCLK - WM_LBUTTONDOWN;
    if (commit) {
        int vk = button_vk(raw.message);
        if (vk) set_key(vk, is_button_down(raw.message));
        if (is_button_down(raw.message)) {
            s.click_window = dblclk ? nullptr : target;  // a third click starts over
            s.click_message = raw.message;
            s.click_time = raw.time;
            s.click_point = raw.pt;
        }
    }
    if (hit == HTCLIENT) {
        POINT p = raw.pt;
        ScreenToClient(target, &p);
        routed = MSG{target, message, mouse_key_flags(), MAKELPARAM(p.x, p.y), raw.time, raw.pt};
    } else {
        routed =
            MSG{target, message - WM_MOUSEMOVE + WM_NCMOUSEMOVE, WPARAM(hit), MAKELPARAM(raw.pt.x, raw.pt.y), raw.time,
                raw.pt};
    }
    if (!commit) return true;

    if (is_button_down(raw.message) && !s.capture) {
        HWND top = top_level_of(target);
        // A click outside the window with the focus (in another MDI child or view
        // of the active frame) asks for activation too, so those can activate themselves.
        const bool in_focus = s.focus && (target == s.focus || IsChild(target, s.focus));
        if (top != s.active || !in_focus) {
            LRESULT how = SendMessage(target, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top),
                                      MAKELPARAM(int(hit), int(raw.message)));
            if (how == MA_ACTIVATE || how == MA_ACTIVATEANDEAT || how == 0) SetActiveWindow(top);
            if (how == MA_ACTIVATEANDEAT || how == MA_NOACTIVATEANDEAT) return false;
            if (!IsWindow(target)) return false;
        }
    }
    if (!s.capture)
        SendMessage(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target), MAKELPARAM(int(hit), int(raw.message)));
    return IsWindow(target);
}

bool route_key(const MSG& raw, MSG& routed, bool commit) {
    auto& s = input_state();
    if (raw.message == kRawText) {
        if (!s.focus) return false;
        routed = raw;
        routed.hwnd = s.focus;
        return true;
    }
    int vk = int(raw.wParam);
    bool down = raw.message == WM_KEYDOWN;
    bool was_down = is_down(vk);
    bool alt = vk == VK_MENU || is_down(VK_MENU);
    UINT message = raw.message;
    // Alt (without Control) and F10 make system keys; so does any key while nothing has the focus.
    bool system = (alt && !is_down(VK_CONTROL)) || vk == VK_F10 || !s.focus;
    // Alt released after another key comes as a plain key-up, as on the platform.
    if (vk == VK_MENU && !down && !s.menu_key_alone && s.focus) system = false;
    if (system) message = down ? WM_SYSKEYDOWN : WM_SYSKEYUP;
    HWND target = s.focus ? s.focus : s.active;
    if (commit) {
        set_key(vk, down);
        if (down) s.menu_key_alone = vk == VK_MENU;
    }
    if (!target) return false;
    LPARAM flags = 1 | (LPARAM(raw.lParam & 0xFF) << 16);
    if (alt) flags |= LPARAM(1) << 29;
    if (was_down) flags |= LPARAM(1) << 30;
    if (!down) flags |= LPARAM(1) << 31;
    routed = MSG{target, message, WPARAM(vk), flags, raw.time, s.cursor};
    return true;
}

// The character a key makes on a US keyboard, or 0.
int character_of(int vk, bool shift, bool control, bool caps) {
    if (control) {
        if (vk >= 'A' && vk <= 'Z') return vk - 'A' + 1;
        if (vk == VK_OEM_4) return 0x1B;
        if (vk == VK_OEM_5) return 0x1C;
        if (vk == VK_OEM_6) return 0x1D;
        if (vk == VK_RETURN) return '\n';
        if (vk == VK_BACK) return 0x7F;
        return 0;
    }
    if (vk >= 'A' && vk <= 'Z') return (shift != caps) ? vk : vk - 'A' + 'a';
    if (vk >= '0' && vk <= '9') return shift ? ")!@#$%^&*("[vk - '0'] : vk;
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD0 + 9) return '0' + vk - VK_NUMPAD0;
    struct Pair {
        int vk;
        char plain, shifted;
    };
    static constexpr Pair pairs[] = {
        {VK_SPACE, ' ', ' '},     {VK_RETURN, '\r', '\r'},   {VK_TAB, '\t', '\t'},    {VK_BACK, '\b', '\b'},
        {VK_ESCAPE, 0x1B, 0x1B},  {VK_OEM_1, ';', ':'},      {VK_OEM_PLUS, '=', '+'}, {VK_OEM_COMMA, ',', '<'},
        {VK_OEM_MINUS, '-', '_'}, {VK_OEM_PERIOD, '.', '>'}, {VK_OEM_2, '/', '?'},    {VK_OEM_3, '`', '~'},
        {VK_OEM_4, '[', '{'},     {VK_OEM_5, '\\', '|'},     {VK_OEM_6, ']', '}'},    {VK_OEM_7, '\'', '"'},
        {VK_MULTIPLY, '*', '*'},  {VK_ADD, '+', '+'},        {VK_SUBTRACT, '-', '-'}, {VK_DECIMAL, '.', '.'},
        {VK_DIVIDE, '/', '/'},
    };
    for (const auto& p : pairs) {
        if (p.vk == vk) return shift ? p.shifted : p.plain;
    }
    return 0;
}

}  // namespace

namespace kit::user {

// A window that asked to hear of the pointer leaving it hears so once the
// pointer's messages go elsewhere (or nowhere); capture keeps them with it.
void report_leave(HWND now_over) {
    auto& s = input_state();
    if (!s.leave_window || s.leave_window == now_over) return;
    PostMessage(std::exchange(s.leave_window, nullptr), WM_MOUSELEAVE, 0, 0);
}

bool route_mouse(const MSG& raw, MSG& routed, bool commit) {
    const bool routed_somewhere = route_pointer(raw, routed, commit);
    if (commit && raw.message != WM_MOUSEWHEEL) {
        const bool in_client = routed_somewhere && routed.message >= WM_MOUSEFIRST && routed.message <= WM_MOUSELAST;
        report_leave(in_client ? routed.hwnd : nullptr);
    }
    return routed_somewhere;
}

bool menu_key_pressed_alone() { return input_state().menu_key_alone; }

bool route_input(const MSG& raw, MSG& routed, bool commit) {
    if (raw.message >= WM_MOUSEFIRST && raw.message <= WM_MOUSELAST) return route_mouse(raw, routed, commit);
    return route_key(raw, routed, commit);
}

void inject_mouse_move(POINT screen, std::optional<HeldButtons> held) {
    if (held) {
        const std::pair<MouseButton, bool> buttons[] = {
            {MouseButton::left, held->left}, {MouseButton::right, held->right}, {MouseButton::middle, held->middle}};
        for (auto [button, down] : buttons) {
            const size_t vk = size_t(button_vk(logical_button(button)));
            if (down || !async_down[vk]) continue;
            inject_mouse_button(button, false, screen);
            released_unheard[vk] = true;
        }
    }
    post_raw(input_state().capture ? input_state().capture : WindowFromPoint(screen), WM_MOUSEMOVE, 0, 0, screen);
}

void inject_mouse_button(MouseButton button, bool down, POINT screen) {
    button = logical_button(button);
    const int vk = button_vk(button);
    if (released_unheard[size_t(vk)].exchange(false) && !down) return;
    UINT base = button == MouseButton::left    ? WM_LBUTTONDOWN
                : button == MouseButton::right ? WM_RBUTTONDOWN
                                               : WM_MBUTTONDOWN;
    async_down[size_t(vk)] = down;
    post_raw(input_state().capture ? input_state().capture : WindowFromPoint(screen), down ? base : base + 1, 0, 0,
             screen);
}

void inject_mouse_wheel(int delta, POINT screen) {
    post_raw(input_state().focus, WM_MOUSEWHEEL, WPARAM(WORD(short(delta))) << 16, 0, screen);
}

void inject_key(int vk, bool down) {
    vk &= 0xFF;
    async_down[size_t(vk)] = down;
    post_raw(input_state().focus, down ? WM_KEYDOWN : WM_KEYUP, WPARAM(vk), 0, input_state().cursor);
}

void inject_text(const char* bytes) {
    for (; bytes && *bytes; ++bytes) {
        post_raw(input_state().focus, kRawText, WPARAM(BYTE(*bytes)), 1, input_state().cursor);
    }
}

void reset_input_state() {
    input_state() = InputState{};
    for (auto& key : async_down) key = false;
    for (auto& button : released_unheard) button = false;
    reset_caret();
}

}  // namespace kit::user

BOOL TranslateMessage(const MSG* msg) {
    if (!msg || (msg->message != WM_KEYDOWN && msg->message != WM_SYSKEYDOWN)) return FALSE;
    bool caps = (input_state().keys[VK_CAPITAL] & 0x01) != 0;
    bool control = is_down(VK_CONTROL) && !(msg->message == WM_SYSKEYDOWN);
    int ch = character_of(int(msg->wParam), is_down(VK_SHIFT), control, caps);
    if (!ch) return FALSE;
    PostMessage(msg->hwnd, msg->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR, WPARAM(ch), msg->lParam);
    return TRUE;
}

short GetKeyState(int vk) {
    BYTE key = input_state().keys[size_t(vk & 0xFF)];
    return short(((key & 0x80) ? 0x8000 : 0) | (key & 0x01));
}

short GetAsyncKeyState(int vk) { return async_down[size_t(vk & 0xFF)] ? short(0x8000) : 0; }

BOOL GetCursorPos(POINT* out) {
    if (!out) return FALSE;
    *out = input_state().cursor;
    return TRUE;
}

BOOL SetCursorPos(int x, int y) {
    inject_mouse_move(POINT{x, y});
    input_state().cursor = POINT{x, y};
    return TRUE;
}

HCURSOR SetCursor(HCURSOR cursor) {
    HCURSOR old = input_state().cursor_shape;
    input_state().cursor_shape = cursor;
    return old;
}

HCURSOR GetCursor() { return input_state().cursor_shape; }

BOOL TrackMouseEvent(TRACKMOUSEEVENT* request) {
    if (!request || request->cbSize < sizeof(TRACKMOUSEEVENT) || !(request->dwFlags & TME_LEAVE)) return FALSE;
    auto& s = input_state();
    if (request->dwFlags & TME_CANCEL) {
        if (s.leave_window == request->hwndTrack) s.leave_window = nullptr;
        return TRUE;
    }
    if (!IsWindow(request->hwndTrack)) return FALSE;
    // Already outside: the leave is reported at once.
    if (WindowFromPoint(s.cursor) != request->hwndTrack) {
        PostMessage(request->hwndTrack, WM_MOUSELEAVE, 0, 0);
        return TRUE;
    }
    if (s.leave_window && s.leave_window != request->hwndTrack) PostMessage(s.leave_window, WM_MOUSELEAVE, 0, 0);
    s.leave_window = request->hwndTrack;
    return TRUE;
}
