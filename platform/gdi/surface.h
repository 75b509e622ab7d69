#pragma once
// A 32-bit drawing surface: rows of 0x00RRGGBB pixels, top row first. Window
// backing stores, bitmaps and snapshots are all surfaces.
#include <cstdint>
#include <vector>

#include "platform/gdi/win_types.h"

namespace gdi {

using Pixel = std::uint32_t;  // 0x00RRGGBB

constexpr Pixel pixel_from_colorref(COLORREF c) { return ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF); }
constexpr COLORREF colorref_from_pixel(Pixel p) { return ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16); }

class Surface {
public:
    Surface() = default;
    Surface(int width, int height, Pixel fill = 0xFFFFFF);

    int width() const { return width_; }
    int height() const { return height_; }
    bool empty() const { return width_ == 0 || height_ == 0; }

    Pixel* row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
    const Pixel* row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
    Pixel at(int x, int y) const { return row(y)[x]; }
    void set(int x, int y, Pixel p) { row(y)[x] = p; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    // New size; the overlapping top-left part is kept, new pixels take `fill`.
    void resize(int width, int height, Pixel fill = 0xFFFFFF);
    void fill(Pixel p);

    const std::vector<Pixel>& pixels() const { return pixels_; }

private:
    int width_ = 0;
    int height_ = 0;
    std::vector<Pixel> pixels_;
};

}  // namespace gdi
