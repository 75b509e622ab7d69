#include "platform/user/modal_loop.h"

#include "platform/user/backend.h"
#include "platform/user/input_api.h"
#include "platform/user/message_queue.h"
#include "platform/user/message_api.h"
#include "platform/user/on_scope_exit.h"
#include "platform/user/window_api.h"

namespace kit::user {

namespace {

thread_local ModalLoopScope* innermost_loop = nullptr;

// True when `window` is `outer` or lies in it, as a child or an owned window
// (a window already gone counts as inside: its loop is ending anyway).
bool lies_within(HWND window, HWND outer) {
    if (!IsWindow(window)) return true;
    for (HWND w = window; w; w = GetParent(w))
        if (w == outer) return true;
    return false;
}

}  // namespace

ModalLoopScope::ModalLoopScope(HWND window, bool closes_itself)
    : window_(window), closes_itself_(closes_itself), outer_(innermost_loop) {
    innermost_loop = this;
}

ModalLoopScope::~ModalLoopScope() { innermost_loop = outer_; }

bool hold_close_for_modal_loops(HWND hwnd, WPARAM wParam, LPARAM lParam) {
    bool held = false;
    for (ModalLoopScope* loop = innermost_loop; loop; loop = loop->outer_) {
        if (loop->closes_itself_ && loop->window_ == hwnd) break;
        if (!lies_within(loop->window_, hwnd)) break;
        loop->cancelled_ = true;
        held = true;
    }
    if (held) PostMessage(hwnd, WM_CLOSE, wParam, lParam);
    return held;
}

HWND modal_owner(HWND requested) {
    HWND top = requested ? GetAncestorTopLevel(requested) : nullptr;
    if (!top || IsWindowEnabled(top)) return top;
    for (ModalLoopScope* loop = innermost_loop; loop; loop = loop->outer_) {
        if (loop->closes_itself_ && IsWindowEnabled(loop->window_) && lies_within(loop->window_, top))
            return loop->window_;
    }
    return top;
}

bool is_mouse_message(UINT m) {
    return (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) || (m >= WM_NCMOUSEMOVE && m <= WM_NCRBUTTONUP);
}

bool is_key_message(UINT m) { return m >= WM_KEYFIRST && m <= WM_KEYLAST; }

LoopStep run_capture_loop(HWND capture, const std::function<LoopStep(const MSG&)>& handle,
                          const std::function<void()>& on_idle) {
    ModalLoopScope scope(capture, false);
    SetCapture(capture);
    // However the loop ends (a handler may throw), its timer and capture go.
    OnScopeExit release([capture] {
        KillTimer(capture, kLoopTimerId);
        if (GetCapture() == capture) ReleaseCapture();
    });
    LoopStep step = LoopStep::keep_going;
    MSG msg;
    while (step == LoopStep::keep_going) {
        if (scope.cancelled() || GetCapture() != capture || !IsWindow(capture)) {
            step = LoopStep::cancelled;
            break;
        }
        // Peek and idle rather than GetMessage, so that a capture taken away
        // while the loop waits ends it at once.
        if (!PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (on_idle) on_idle();
            if (!PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE)) backend().idle(current_queue().next_timer_due());
            continue;
        }
        if (msg.message == WM_QUIT) {
            PostQuitMessage(int(msg.wParam));
            step = LoopStep::cancelled;
            break;
        }
        bool loop_timer = msg.message == WM_TIMER && msg.hwnd == capture && msg.wParam == kLoopTimerId;
        if (is_mouse_message(msg.message) || is_key_message(msg.message) || loop_timer) {
            step = handle(msg);
        } else {
            TranslateMessage(&msg);
            DispatchMessage(&msg);
        }
    }
    return step;
}

}  // namespace kit::user
