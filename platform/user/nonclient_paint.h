#pragma once
// Drawing of the default non-client area and of the class background.
#include "platform/user/user_types.h"

namespace kit::user {

void paint_nonclient(HWND hwnd);
// Fills the DC's clip box with the class background; false without one.
bool erase_background(HWND hwnd, HDC dc);
// A class or control background given as a brush or as COLOR_ index + 1.
HBRUSH resolve_brush(HBRUSH brush);

}  // namespace kit::user
