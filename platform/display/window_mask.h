#pragma once
// Which pixels of a top-level window its region keeps: what a shaped window
// on the screen is cut to, and, where the screen cannot shape windows, what
// is painted over so that the cut-off corners take the window's own colours.
#include <vector>

#include "platform/gdi/surface.h"
#include "platform/user/user_types.h"

namespace kit::display {

struct WindowMask {
    int width = 0, height = 0;
    std::vector<bool> inside;  // row by row

    bool contains(int x, int y) const { return inside[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
    // Whether the region leaves any pixel out.
    bool shaped() const;
};

// The mask of a window of the given size from its region (all inside without one).
WindowMask window_mask(HWND hwnd, int width, int height);

// Gives each pixel outside the mask the colour of the nearest pixel inside it
// on the same row; a row with none inside copies the nearest row that has.
void fill_outside(gdi::Surface& picture, const WindowMask& mask);

}  // namespace kit::display
