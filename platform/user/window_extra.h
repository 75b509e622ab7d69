#pragma once
// State that belongs to a window: a control's items and selection, a
// dialog's font and result, a toolkit window's model. It lives in the window
// record, so a stale or foreign handle finds none, nothing creates it by
// being asked for it, and none outlives its window.
//
// A window may carry several pieces, one per type (a class built on another
// keeps the base class's piece and adds its own). A piece is made when the
// window's procedure sees WM_NCCREATE and dropped at WM_NCDESTROY; the record
// drops whatever is left when it goes. A handler working on a piece holds it
// (shared), so a window destroyed under the handler does not pull the state
// from under it; the piece goes when the handler returns.
#include <cstddef>
#include <memory>
#include <typeinfo>

#include "platform/user/messages.h"
#include "platform/user/user_types.h"
#include "platform/user/window_api.h"

namespace kit::user {

// The base of every piece of window state; counts the pieces alive.
class WindowExtra {
public:
    WindowExtra();
    WindowExtra(const WindowExtra&);
    WindowExtra& operator=(const WindowExtra&) { return *this; }
    virtual ~WindowExtra();
};

// Pieces of window state alive in the process, for tests that check none is left behind.
std::size_t live_window_extras();

namespace detail {
std::shared_ptr<WindowExtra> find_extra(HWND hwnd, const std::type_info& type);
std::shared_ptr<WindowExtra> attach_extra(HWND hwnd, std::shared_ptr<WindowExtra> extra);
void drop_extra(HWND hwnd, const std::type_info& type);
}  // namespace detail

// The window's piece of type `State`, or null: a stale or foreign handle, a
// window of another kind, or one whose piece has gone.
template <class State>
std::shared_ptr<State> window_extra(HWND hwnd) {
    return std::static_pointer_cast<State>(detail::find_extra(hwnd, typeid(State)));
}

// Makes the window's piece of type `State` (replacing one there); null for a
// stale or foreign handle. Only the window's own thread calls it.
template <class State, class... Args>
std::shared_ptr<State> create_window_extra(HWND hwnd, Args&&... args) {
    return std::static_pointer_cast<State>(
        detail::attach_extra(hwnd, std::make_shared<State>(std::forward<Args>(args)...)));
}

template <class State>
void destroy_window_extra(HWND hwnd) {
    detail::drop_extra(hwnd, typeid(State));
}

// The shape of a control's window procedure over its state: `Handle` gets
// each message with the window's `State`, made at WM_NCCREATE and dropped
// after WM_NCDESTROY. A window without the state (a stale handle, a window of
// another class) goes to DefWindowProc, so nothing is made for it.
template <class State, LRESULT (*Handle)(HWND, State&, UINT, WPARAM, LPARAM)>
LRESULT window_proc_with(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    std::shared_ptr<State> state =
        message == WM_NCCREATE ? create_window_extra<State>(hwnd) : window_extra<State>(hwnd);
    if (!state) return DefWindowProc(hwnd, message, wParam, lParam);
    const LRESULT result = Handle(hwnd, *state, message, wParam, lParam);
    if (message == WM_NCDESTROY) destroy_window_extra<State>(hwnd);
    return result;
}

}  // namespace kit::user
