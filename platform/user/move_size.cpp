// Moving a window by its caption and sizing it by its frame: a modal loop
// that follows the mouse until the button goes up, and puts the window back
// on Escape, a lost capture or WM_QUIT.
#include <algorithm>

#include "platform/gdi/win_rect.h"
#include "platform/user/input_api.h"
#include "platform/user/internal.h"
#include "platform/user/messages.h"
#include "platform/user/modal_loop.h"
#include "platform/user/system_api.h"
#include "platform/user/window_api.h"

namespace kit::user {

void track_move_size(HWND hwnd, LRESULT hit, POINT start) {
    RECT original;
    GetWindowRect(hwnd, &original);
    if (HWND parent = GetParent(hwnd); parent && (GetWindowLong(hwnd, GWL_STYLE) & WS_CHILD)) {
        MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&original), 2);
    }
    bool left = hit == HTLEFT || hit == HTTOPLEFT || hit == HTBOTTOMLEFT;
    bool right = hit == HTRIGHT || hit == HTTOPRIGHT || hit == HTBOTTOMRIGHT;
    bool top = hit == HTTOP || hit == HTTOPLEFT || hit == HTTOPRIGHT;
    bool bottom = hit == HTBOTTOM || hit == HTBOTTOMLEFT || hit == HTBOTTOMRIGHT;
    bool moving = hit == HTCAPTION;
    int min_width = GetSystemMetrics(SM_CXMIN), min_height = GetSystemMetrics(SM_CYMIN);
    auto place = [&](const RECT& r) {
        SetWindowPos(hwnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    };
    LoopStep end = run_capture_loop(hwnd, [&](const MSG& msg) {
        if (msg.message == WM_KEYDOWN && msg.wParam == WPARAM(VK_ESCAPE)) return LoopStep::cancelled;
        if (msg.message == WM_LBUTTONUP) return LoopStep::finished;
        if (msg.message != WM_MOUSEMOVE) return LoopStep::keep_going;
        int dx = msg.pt.x - start.x, dy = msg.pt.y - start.y;
        RECT r = original;
        if (moving) {
            OffsetRect(&r, dx, dy);
        } else {
            if (left) r.left = std::min(r.left + dx, r.right - min_width);
            if (right) r.right = std::max(r.right + dx, r.left + min_width);
            if (top) r.top = std::min(r.top + dy, r.bottom - min_height);
            if (bottom) r.bottom = std::max(r.bottom + dy, r.top + min_height);
        }
        place(r);
        return LoopStep::keep_going;
    });
    if (end != LoopStep::finished) place(original);
}

}  // namespace kit::user
