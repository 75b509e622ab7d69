#pragma once
// The loop under every mouse-driven modal operation (scroll-bar tracking,
// menus, drags). It ends when the handler says so, when the capture is lost,
// on WM_QUIT, which is posted again for the outer loop, or on a close request.
#include <functional>

#include "platform/user/user_types.h"

namespace kit::user {

enum class LoopStep { keep_going, finished, cancelled };

// A timer id a loop may set on its capture window; its WM_TIMER goes to the
// loop's handler instead of the window.
constexpr UINT_PTR kLoopTimerId = 0xFFF0;

// Sets the capture to `capture` and hands every mouse and keyboard message,
// and the loop timer, to `handle` (other messages are dispatched as usual). Returns the step that
// ended the loop: cancelled for a lost capture or WM_QUIT.
// `on_idle` runs each time the queue is found empty, before the loop waits.
// Every modal loop (dialogs, message boxes, property sheets, capture loops)
// runs inside one of these. A close request (WM_CLOSE) for a window beneath
// running loops (one that contains or owns their windows) ends those loops
// as a Cancel and is posted again, so that it is carried out once the
// handlers that opened them have returned and nothing on their stack
// outlives the window.
class ModalLoopScope {
public:
    // `window` is the loop's dialog when `closes_itself` (a close for it is
    // its own Cancel, not held back), otherwise its capture window.
    ModalLoopScope(HWND window, bool closes_itself);
    ~ModalLoopScope();
    ModalLoopScope(const ModalLoopScope&) = delete;
    ModalLoopScope& operator=(const ModalLoopScope&) = delete;

    // A close request ended the loop: it should leave as cancelled.
    bool cancelled() const { return cancelled_; }

private:
    friend bool hold_close_for_modal_loops(HWND, WPARAM, LPARAM);
    friend HWND modal_owner(HWND);
    HWND window_;
    bool closes_itself_;
    bool cancelled_ = false;
    ModalLoopScope* outer_;
};

// Offered each WM_CLOSE before its window sees it: true when the close was
// held back (and posted again) for modal loops running over that window.
bool hold_close_for_modal_loops(HWND hwnd, WPARAM wParam, LPARAM lParam);

// The window a modal box or dialog asked to be owned by `requested` gets as
// owner: its top-level window or, when a modal dialog already runs over that
// one (which it disabled), the innermost such dialog, so that the box
// disables and gives the keyboard back to the window the person works in.
HWND modal_owner(HWND requested);

LoopStep run_capture_loop(HWND capture, const std::function<LoopStep(const MSG&)>& handle,
                          const std::function<void()>& on_idle = {});

bool is_mouse_message(UINT message);
bool is_key_message(UINT message);

}  // namespace kit::user
