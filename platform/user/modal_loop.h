#pragma once
// The loop under every mouse-driven modal operation (scroll-bar tracking,
// menus, drags). It ends when the handler says so, when the capture is lost,
// or on WM_QUIT, which is posted again for the outer loop.
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
LoopStep run_capture_loop(HWND capture, const std::function<LoopStep(const MSG&)>& handle,
                          const std::function<void()>& on_idle = {});

bool is_mouse_message(UINT message);
bool is_key_message(UINT message);

}  // namespace kit::user
