// The spin button ("msctls_updown32"). A click on an arrow steps the position
// at once and again while held (faster as the accelerations say), asking the
// parent first with UDN_DELTAPOS and telling it after with WM_VSCROLL or
// WM_HSCROLL. With UDS_SETBUDDYINT the buddy's text shows the position and is
// read back; with UDS_ARROWKEYS the buddy's arrow keys step it too.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/user/common_controls.h"
#include "platform/user/controls.h"
#include "platform/user/input_api.h"
#include "platform/user/message_api.h"
#include "platform/user/paint_api.h"
#include "platform/user/scroll_api.h"
#include "platform/user/system_api.h"
#include "platform/user/window_api.h"
#include "platform/user/window_extra.h"

namespace kit::user {

namespace {

struct SpinState : WindowExtra {
    int lower = UD_DEFAULT_LOWER, upper = UD_DEFAULT_UPPER, pos = 0;
    int base = 10;
    HWND buddy = nullptr;
    std::vector<UDACCEL> accels{{0, 1}, {2, 5}, {5, 20}};
    int held = 0;  // +1 or -1 while an arrow is held (towards the upper or the lower end), else 0
    DWORD held_since = 0;
};

// Carried by a buddy the spin buttons subclassed for the arrow keys.
struct BuddyLink : WindowExtra {
    BuddyLink(HWND spin, WNDPROC previous) : spin(spin), previous(previous) {}
    HWND spin;
    WNDPROC previous;
};

constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kRepeatEvery = 100;  // ms between steps once the first repeat delay is over

DWORD style_of(HWND hwnd) { return DWORD(GetWindowLong(hwnd, GWL_STYLE)); }

std::string format_position(int pos, int base, bool thousands) {
    char digits[32];
    if (base == 16) {
        std::snprintf(digits, sizeof digits, "0x%04X", unsigned(pos) & 0xFFFFFFFFu);
        return digits;
    }
    std::snprintf(digits, sizeof digits, "%d", pos);
    if (!thousands) return digits;
    const char* first = digits + (pos < 0 ? 1 : 0);
    std::size_t count = std::strlen(first);
    std::string text(pos < 0 ? "-" : "");
    for (std::size_t i = 0; i < count; ++i) {
        if (i > 0 && (count - i) % 3 == 0) text += ',';
        text += first[i];
    }
    return text;
}

// The buddy's text as a number; false when it is not one.
bool parse_position(const std::string& text, int base, int* out) {
    std::string digits;
    for (char c : text) {
        if (c != ',' && c != ' ') digits += c;
    }
    if (digits.empty()) return false;
    char* end = nullptr;
    long value = std::strtol(digits.c_str(), &end, base == 16 ? 16 : 10);
    if (*end != '\0') return false;
    *out = int(std::clamp<long>(value, INT32_MIN, INT32_MAX));
    return true;
}

int clamp_to_range(const SpinState& s, int pos) {
    return std::clamp(pos, std::min(s.lower, s.upper), std::max(s.lower, s.upper));
}

void show_in_buddy(HWND hwnd, const SpinState& s) {
    if (!s.buddy || !(style_of(hwnd) & UDS_SETBUDDYINT)) return;
    std::string text = format_position(s.pos, s.base, !(style_of(hwnd) & UDS_NOTHOUSANDS));
    SetWindowText(s.buddy, text.c_str());
}

// The position, refreshed from the buddy's text when it shows it; false when that text is not a number.
bool read_position(HWND hwnd, SpinState& s) {
    if (!s.buddy || !(style_of(hwnd) & UDS_SETBUDDYINT)) return true;
    std::string text(std::size_t(GetWindowTextLength(s.buddy)) + 1, '\0');
    text.resize(std::size_t(GetWindowText(s.buddy, text.data(), int(text.size()))));
    int value = 0;
    if (!parse_position(text, s.base, &value)) return false;
    s.pos = clamp_to_range(s, value);
    return true;
}

int set_position(HWND hwnd, SpinState& s, int pos) {
    int old = s.pos;
    s.pos = clamp_to_range(s, pos);
    show_in_buddy(hwnd, s);
    return old;
}

// One step towards the upper end (+1) or the lower end (-1).
void step(HWND hwnd, SpinState& s, int direction, int increment) {
    read_position(hwnd, s);
    int delta = (s.upper >= s.lower ? direction : -direction) * increment;
    NMUPDOWN change{{hwnd, UINT_PTR(GetDlgCtrlID(hwnd)), UDN_DELTAPOS}, s.pos, delta};
    LRESULT refused =
        SendMessage(GetParent(hwnd), WM_NOTIFY, WPARAM(change.hdr.idFrom), reinterpret_cast<LPARAM>(&change));
    if (refused || !IsWindow(hwnd)) return;  // the parent may also have destroyed the control
    int low = std::min(s.lower, s.upper), high = std::max(s.lower, s.upper);
    long long next = (long long)s.pos + change.iDelta;
    if (style_of(hwnd) & UDS_WRAP) {
        if (next > high) next = low;
        if (next < low) next = high;
    }
    set_position(hwnd, s, int(std::clamp<long long>(next, low, high)));
    UINT message = (style_of(hwnd) & UDS_HORZ) ? WM_HSCROLL : WM_VSCROLL;
    SendMessage(GetParent(hwnd), message, MAKEWPARAM(SB_THUMBPOSITION, s.pos), reinterpret_cast<LPARAM>(hwnd));
}

int current_increment(const SpinState& s) {
    DWORD seconds = (GetTickCount() - s.held_since) / 1000;
    UINT increment = 1;
    for (const UDACCEL& a : s.accels) {
        if (a.nSec <= seconds) increment = a.nInc;
    }
    return int(increment);
}

// The arrow under a client point: +1 for the up (or right) one, -1 for the other.
int arrow_at(HWND hwnd, POINT p) {
    RECT r;
    GetClientRect(hwnd, &r);
    if (style_of(hwnd) & UDS_HORZ) return p.x >= r.right / 2 ? 1 : -1;
    return p.y < r.bottom / 2 ? 1 : -1;
}

void release(HWND hwnd, SpinState& s) {
    if (!s.held) return;
    s.held = 0;
    KillTimer(hwnd, kRepeatTimer);
    InvalidateRect(hwnd, nullptr, TRUE);
    UINT message = (style_of(hwnd) & UDS_HORZ) ? WM_HSCROLL : WM_VSCROLL;
    SendMessage(GetParent(hwnd), message, MAKEWPARAM(SB_ENDSCROLL, s.pos), reinterpret_cast<LPARAM>(hwnd));
}

void paint(HWND hwnd, HDC dc, const SpinState& s) {
    RECT r;
    GetClientRect(hwnd, &r);
    bool horizontal = (style_of(hwnd) & UDS_HORZ) != 0;
    RECT first = r, second = r;
    if (horizontal) {
        first.right = second.left = r.right / 2;
    } else {
        first.bottom = second.top = r.bottom / 2;
    }
    UINT disabled = IsWindowEnabled(hwnd) ? 0 : DFCS_INACTIVE;
    // The first half holds the up (vertical) or left (horizontal) arrow.
    UINT first_shape = horizontal ? DFCS_SCROLLLEFT : DFCS_SCROLLUP;
    UINT second_shape = horizontal ? DFCS_SCROLLRIGHT : DFCS_SCROLLDOWN;
    int first_direction = horizontal ? -1 : 1;
    DrawFrameControl(dc, &first, DFC_SCROLL, first_shape | disabled | (s.held == first_direction ? DFCS_PUSHED : 0));
    DrawFrameControl(dc, &second, DFC_SCROLL, second_shape | disabled | (s.held == -first_direction ? DFCS_PUSHED : 0));
}

LRESULT buddy_proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto link = window_extra<BuddyLink>(hwnd);
    if (!link) return DefWindowProc(hwnd, message, wParam, lParam);
    if (message == WM_KEYDOWN && (wParam == WPARAM(VK_UP) || wParam == WPARAM(VK_DOWN))) {
        if (auto spin = window_extra<SpinState>(link->spin))
            step(link->spin, *spin, wParam == WPARAM(VK_UP) ? 1 : -1, 1);
        return 0;
    }
    if (message == WM_NCDESTROY) {
        destroy_window_extra<BuddyLink>(hwnd);
        SetWindowLongPtr(hwnd, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(link->previous));
    }
    return CallWindowProc(link->previous, hwnd, message, wParam, lParam);
}

void unhook_buddy(HWND spin, HWND buddy) {
    auto link = window_extra<BuddyLink>(buddy);
    if (!link || link->spin != spin) return;
    SetWindowLongPtr(buddy, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(link->previous));
    destroy_window_extra<BuddyLink>(buddy);
}

// Sits beside the buddy when aligned to it, taking the room from its width.
void align_to_buddy(HWND hwnd, HWND buddy) {
    DWORD style = style_of(hwnd);
    if (!(style & (UDS_ALIGNRIGHT | UDS_ALIGNLEFT)) || GetParent(buddy) != GetParent(hwnd)) return;
    RECT b, own;
    GetWindowRect(buddy, &b);
    GetWindowRect(hwnd, &own);
    MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&b), 2);
    int width = own.right - own.left;
    int x = (style & UDS_ALIGNRIGHT) ? b.right - width : b.left;
    SetWindowPos(hwnd, nullptr, x, b.top, width, b.bottom - b.top, SWP_NOZORDER | SWP_NOACTIVATE);
    int buddy_left = (style & UDS_ALIGNRIGHT) ? b.left : b.left + width;
    SetWindowPos(buddy, nullptr, buddy_left, b.top, std::max(0, int(b.right - b.left) - width), b.bottom - b.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

HWND set_buddy(HWND hwnd, SpinState& s, HWND buddy) {
    HWND old = s.buddy;
    if (old) unhook_buddy(hwnd, old);
    s.buddy = IsWindow(buddy) ? buddy : nullptr;
    if (!s.buddy) return old;
    if ((style_of(hwnd) & UDS_ARROWKEYS) && !window_extra<BuddyLink>(s.buddy)) {
        auto previous =
            reinterpret_cast<WNDPROC>(SetWindowLongPtr(s.buddy, GWL_WNDPROC, reinterpret_cast<LONG_PTR>(&buddy_proc)));
        create_window_extra<BuddyLink>(s.buddy, hwnd, previous);
    }
    align_to_buddy(hwnd, s.buddy);
    show_in_buddy(hwnd, s);
    return old;
}

LRESULT up_down_proc(HWND hwnd, SpinState& s, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            if (style_of(hwnd) & UDS_AUTOBUDDY) set_buddy(hwnd, s, GetWindow(hwnd, GW_HWNDPREV));
            return 0;
        case WM_DESTROY:
            if (s.buddy) unhook_buddy(hwnd, s.buddy);
            return 0;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            HDC dc = BeginPaint(hwnd, &ps);
            if (dc) paint(hwnd, dc, s);
            EndPaint(hwnd, &ps);
            return 0;
        }
        case WM_ERASEBKGND: return 1;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            SetCapture(hwnd);
            s.held = arrow_at(hwnd, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            s.held_since = GetTickCount();
            InvalidateRect(hwnd, nullptr, TRUE);
            step(hwnd, s, s.held, current_increment(s));
            if (IsWindow(hwnd)) SetTimer(hwnd, kRepeatTimer, GetDoubleClickTime(), nullptr);
            return 0;
        case WM_TIMER:
            if (wParam == kRepeatTimer && s.held) {
                step(hwnd, s, s.held, current_increment(s));
                if (IsWindow(hwnd)) SetTimer(hwnd, kRepeatTimer, kRepeatEvery, nullptr);
            }
            return 0;
        case WM_LBUTTONUP:
            if (GetCapture() == hwnd) ReleaseCapture();
            release(hwnd, s);
            return 0;
        case WM_CAPTURECHANGED: release(hwnd, s); return 0;
        case WM_GETDLGCODE: return DLGC_WANTARROWS;
        case WM_KEYDOWN:
            if ((style_of(hwnd) & UDS_ARROWKEYS) && (wParam == WPARAM(VK_UP) || wParam == WPARAM(VK_DOWN))) {
                step(hwnd, s, wParam == WPARAM(VK_UP) ? 1 : -1, 1);
                return 0;
            }
            return DefWindowProc(hwnd, message, wParam, lParam);
        case UDM_SETRANGE:
            s.upper = short(LOWORD(std::uintptr_t(lParam)));
            s.lower = short(HIWORD(std::uintptr_t(lParam)));
            s.pos = clamp_to_range(s, s.pos);
            return 0;
        case UDM_GETRANGE: return LRESULT(MAKELONG(WORD(s.upper), WORD(s.lower)));
        case UDM_SETRANGE32:
            s.lower = int(wParam);
            s.upper = int(lParam);
            s.pos = clamp_to_range(s, s.pos);
            return 0;
        case UDM_GETRANGE32:
            if (auto* lower = reinterpret_cast<int*>(wParam)) *lower = s.lower;
            if (auto* upper = reinterpret_cast<int*>(lParam)) *upper = s.upper;
            return 0;
        case UDM_SETPOS: return short(set_position(hwnd, s, short(LOWORD(std::uintptr_t(lParam)))));
        case UDM_SETPOS32: return set_position(hwnd, s, int(lParam));
        case UDM_GETPOS: {
            // The high word is non-zero when the buddy's text is not a number.
            bool ok = read_position(hwnd, s);
            return LRESULT(MAKELONG(WORD(s.pos), WORD(ok ? 0 : 1)));
        }
        case UDM_GETPOS32: {
            bool ok = read_position(hwnd, s);
            if (auto* error = reinterpret_cast<BOOL*>(lParam)) *error = ok ? FALSE : TRUE;
            return s.pos;
        }
        case UDM_SETBUDDY: return reinterpret_cast<LRESULT>(set_buddy(hwnd, s, reinterpret_cast<HWND>(wParam)));
        case UDM_GETBUDDY: return reinterpret_cast<LRESULT>(s.buddy);
        case UDM_SETBASE: {
            if (wParam != 10 && wParam != 16) return 0;
            int old = s.base;
            s.base = int(wParam);
            show_in_buddy(hwnd, s);
            return old;
        }
        case UDM_GETBASE: return s.base;
        case UDM_SETACCEL: {
            const auto* accels = reinterpret_cast<const UDACCEL*>(lParam);
            if (!accels || wParam == 0) return FALSE;
            s.accels.assign(accels, accels + std::min<WPARAM>(wParam, 64));
            return TRUE;
        }
        case UDM_GETACCEL: {
            auto* out = reinterpret_cast<UDACCEL*>(lParam);
            if (out) std::copy_n(s.accels.begin(), std::min<std::size_t>(wParam, s.accels.size()), out);
            return LRESULT(s.accels.size());
        }
        default: return DefWindowProc(hwnd, message, wParam, lParam);
    }
}

}  // namespace

void register_up_down_class() {
    WNDCLASS wc{};
    wc.lpfnWndProc = window_proc_with<SpinState, up_down_proc>;
    wc.lpszClassName = UPDOWN_CLASS;
    wc.style = CS_DBLCLKS;
    RegisterClass(&wc);
}

}  // namespace kit::user
