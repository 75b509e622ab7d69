#include "platform/display/window_mask.h"

#include <algorithm>

#include "platform/user/user.h"

namespace kit::display {

bool WindowMask::shaped() const { return std::find(inside.begin(), inside.end(), false) != inside.end(); }

WindowMask window_mask(HWND hwnd, int width, int height) {
    WindowMask mask{width, height, std::vector<bool>(std::size_t(width) * std::size_t(height))};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            mask.inside[std::size_t(y) * std::size_t(width) + std::size_t(x)] =
                window_region_contains(hwnd, POINT{x, y});
    }
    return mask;
}

void fill_outside(gdi::Surface& picture, const WindowMask& mask) {
    const int width = std::min(picture.width(), mask.width), height = std::min(picture.height(), mask.height);
    int last_full = -1;  // the last row that had a pixel inside
    std::vector<int> empty_rows;
    for (int y = 0; y < height; ++y) {
        int first = 0;
        while (first < width && !mask.contains(first, y)) ++first;
        if (first == width) {
            if (last_full >= 0)
                std::copy_n(picture.row(last_full), width, picture.row(y));
            else
                empty_rows.push_back(y);
            continue;
        }
        int last = width - 1;
        while (!mask.contains(last, y)) --last;
        gdi::Pixel* row = picture.row(y);
        std::fill(row, row + first, row[first]);
        std::fill(row + last + 1, row + width, row[last]);
        // Holes inside the row take the colour left of them.
        for (int x = first + 1; x < last; ++x) {
            if (!mask.contains(x, y)) row[x] = row[x - 1];
        }
        if (last_full < 0) {
            for (int empty : empty_rows) std::copy_n(row, width, picture.row(empty));
        }
        last_full = y;
    }
}

}  // namespace kit::display
