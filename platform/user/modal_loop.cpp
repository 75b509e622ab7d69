#include "platform/user/modal_loop.h"

#include "platform/user/backend.h"
#include "platform/user/input_api.h"
#include "platform/user/message_queue.h"
#include "platform/user/message_api.h"
#include "platform/user/on_scope_exit.h"
#include "platform/user/window_api.h"

namespace kit::user {

bool is_mouse_message(UINT m) {
    return (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) || (m >= WM_NCMOUSEMOVE && m <= WM_NCRBUTTONUP);
}

bool is_key_message(UINT m) { return m >= WM_KEYFIRST && m <= WM_KEYLAST; }

LoopStep run_capture_loop(HWND capture, const std::function<LoopStep(const MSG&)>& handle,
                          const std::function<void()>& on_idle) {
    SetCapture(capture);
    // However the loop ends (a handler may throw), its timer and capture go.
    OnScopeExit release([capture] {
        KillTimer(capture, kLoopTimerId);
        if (GetCapture() == capture) ReleaseCapture();
    });
    LoopStep step = LoopStep::keep_going;
    MSG msg;
    while (step == LoopStep::keep_going) {
        if (GetCapture() != capture || !IsWindow(capture)) {
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
