#pragma once
// Focus, activation, capture and the keyboard and mouse state the UI thread sees.
#include <array>

#include "platform/user/user_types.h"

namespace kit::user {

struct InputState {
    HWND focus = nullptr;
    HWND active = nullptr;
    HWND capture = nullptr;
    std::array<BYTE, 256> keys{};  // as of the last input retrieved: bit 7 down, bit 0 toggled
    POINT cursor{0, 0};            // as of the last mouse input retrieved
    HCURSOR cursor_shape = nullptr;
    bool menu_key_alone = false;
    HWND leave_window =
        nullptr;  // hears WM_MOUSELEAVE when the pointer goes elsewhere  // Alt went down and no other key since: its release opens the menu bar

    // Double-click tracking: the last button press that could start one.
    HWND click_window = nullptr;
    UINT click_message = 0;
    DWORD click_time = 0;
    POINT click_point{0, 0};
};

InputState& input_state();

}  // namespace kit::user
