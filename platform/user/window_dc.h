#pragma once
// Device contexts over a window's part of its top-level window's backing surface.
#include "platform/user/user_types.h"

namespace kit::user {

enum class DcArea { client, window, paint };

// A DC whose origin is the client area's (or the window's) top-left corner,
// clipped to the area, the visible part of the window and `clip` (client
// coordinates) when given. Null when the window has no surface to draw on.
HDC open_window_dc(HWND hwnd, DcArea area, const RECT* clip);
void close_window_dc(HWND hwnd, HDC dc);
// Moves pixels of the client area by (dx, dy) on the backing surface. Returns the
// bounds (client coordinates) of the visible pixels that came from where the window
// is hidden (under a sibling above it, say) rather than from where it showed: they
// hold what the window never painted there. Empty when the window shows whole.
RECT scroll_window_pixels(HWND hwnd, int dx, int dy, const RECT* scroll, const RECT* clip);

}  // namespace kit::user
