#include "platform/user/handles.h"

#include <atomic>

#include "platform/ipc/window_handles.h"

namespace kit::user {

HWND allocate_window_handle(bool top_level) {
    if (top_level) {
        if (ipc::WindowHandle shared = ipc::allocate_window_handle()) return hwnd_from_value(shared);
        // Without a runtime folder no other process can reach us anyway.
    }
    // Private handles live above the shared range and step by 4 like the platform's.
    static std::atomic<std::uintptr_t> next{std::uintptr_t(ipc::kSharedHandleLimit)};
    return hwnd_from_value(next.fetch_add(4));
}

HMENU allocate_menu_handle() {
    static std::atomic<std::uintptr_t> next{0x20000};
    return reinterpret_cast<HMENU>(next.fetch_add(4));
}

}  // namespace kit::user
