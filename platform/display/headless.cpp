#include "platform/display/headless.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/gdi/png_writer.h"
#include "platform/user/user.h"

namespace kit::display {

Headless::Headless() { user::set_backend(this); }

Headless::~Headless() {
    if (&user::backend() == this) user::set_backend(nullptr);
}

void Headless::idle(std::uint64_t deadline_ms) {
    if (!script_.empty()) {
        Step step = std::move(script_.front());
        script_.pop_front();
        step();
        return;
    }
    if (advance_to_timers_ && deadline_ms != user::kNoDeadline) {
        now_.store(std::max(now_.load(std::memory_order_relaxed), deadline_ms), std::memory_order_relaxed);
        return;
    }
    std::string why = "headless display: a message loop is waiting, but no input is queued, ";
    why += deadline_ms == user::kNoDeadline ? "no timer is set" : "no timer is due";
    why += " and the test's script has no step left";
    if (stall_) {
        stall_(why);
        return;
    }
    std::fprintf(stderr, "%s\n", why.c_str());
    std::abort();
}

static POINT on_screen(HWND hwnd, POINT p) {
    if (hwnd) ClientToScreen(hwnd, &p);
    return p;
}

void Headless::move(HWND hwnd, POINT client, std::optional<user::HeldButtons> held) {
    user::inject_mouse_move(on_screen(hwnd, client), held);
}

void Headless::button(HWND hwnd, POINT client, bool down, user::MouseButton which) {
    user::inject_mouse_button(which, down, on_screen(hwnd, client));
}

void Headless::click(HWND hwnd, POINT client, user::MouseButton which) {
    POINT p = on_screen(hwnd, client);
    user::inject_mouse_move(p);
    user::inject_mouse_button(which, true, p);
    user::inject_mouse_button(which, false, p);
}

void Headless::press(int vk) {
    user::inject_key(vk, true);
    user::inject_key(vk, false);
}

void Headless::chord(int modifier, int vk) {
    user::inject_key(modifier, true);
    press(vk);
    user::inject_key(modifier, false);
}

void Headless::type(const char* text) {
    static const char shifted_digits[] = ")!@#$%^&*(";
    for (; text && *text; ++text) {
        char c = *text;
        if (c >= 'a' && c <= 'z') {
            press(c - 'a' + 'A');
        } else if (c >= 'A' && c <= 'Z') {
            chord(VK_SHIFT, c);
        } else if (c >= '0' && c <= '9') {
            press(c);
        } else if (const char* d = c ? std::strchr(shifted_digits, c) : nullptr) {
            chord(VK_SHIFT, '0' + int(d - shifted_digits));
        } else if (c == ' ') {
            press(VK_SPACE);
        } else if (c == '\n' || c == '\r') {
            press(VK_RETURN);
        } else if (c == '\t') {
            press(VK_TAB);
        } else {
            char one[2] = {c, 0};
            user::inject_text(one);  // no key of its own on the test keyboard
        }
    }
}

void draw_caret(gdi::Surface& surface, HWND top_level) {
    user::CaretState caret = user::caret_state();
    if (!caret.visible || GetAncestorTopLevel(caret.hwnd) != top_level) return;
    POINT origin{0, 0};
    ClientToScreen(caret.hwnd, &origin);
    RECT frame;
    GetWindowRect(top_level, &frame);
    int dx = origin.x - frame.left, dy = origin.y - frame.top;
    for (int y = caret.rect.top; y < caret.rect.bottom; ++y) {
        for (int x = caret.rect.left; x < caret.rect.right; ++x) {
            if (surface.contains(x + dx, y + dy)) surface.set(x + dx, y + dy, surface.at(x + dx, y + dy) ^ 0xFFFFFF);
        }
    }
}

gdi::Surface compose(HWND top_level) {
    auto surface = user::window_surface(top_level);
    if (!surface) return gdi::Surface();
    gdi::Surface copy = *surface;
    draw_caret(copy, top_level);
    return copy;
}

gdi::Surface Headless::snapshot(HWND top_level) const { return compose(top_level); }

bool Headless::save_png(HWND top_level, const std::filesystem::path& path, std::string* error) const {
    return gdi::write_png(snapshot(top_level), path, error);
}

}  // namespace kit::display
