#pragma once
// The default non-client area: frame, caption, menu bar and scroll bars laid
// out from the system metrics, and what each part answers to hit-testing.
#include "platform/user/user_types.h"

namespace kit::user {

struct Insets {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// Frame and caption around the client area (no menu, no scroll bars).
Insets frame_insets(DWORD style, DWORD ex_style);

// Where the parts of a window lie, in window coordinates.
struct NonClientLayout {
    RECT window{};   // 0, 0, width, height
    RECT caption{};  // empty without a caption
    // The caption's boxes, right to left; each is empty where the style shows none.
    RECT close_box{};
    RECT maximize_box{};  // maximize, or restore while maximized
    RECT minimize_box{};  // minimize, or restore while minimized
    RECT menu_bar{};      // empty without a menu bar
    RECT vscroll{};       // empty without a vertical scroll bar
    RECT hscroll{};
    RECT client{};
    int border = 0;  // frame thickness used for sizing hit-tests
    bool sizable = false;
};

NonClientLayout nonclient_layout(HWND hwnd);

// The hit code of a caption box (HTCLOSE, HTMAXBUTTON, HTMINBUTTON), its place, the system
// command a click on it sends, and whether the style leaves it working.
struct CaptionBox {
    RECT rect{};
    WPARAM command = 0;
    bool enabled = false;
};
CaptionBox caption_box(HWND hwnd, const NonClientLayout& layout, LRESULT hit);
LRESULT nonclient_hit_test(HWND hwnd, POINT screen);

}  // namespace kit::user
