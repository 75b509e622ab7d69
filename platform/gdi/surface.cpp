#include "platform/gdi/surface.h"

#include <algorithm>

namespace gdi {

Surface::Surface(int width, int height, Pixel fill)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<std::size_t>(width_) * height_, fill) {}

void Surface::resize(int width, int height, Pixel fill) {
    Surface next(width, height, fill);
    const int w = std::min(width_, next.width_);
    const int h = std::min(height_, next.height_);
    for (int y = 0; y < h; ++y) std::copy_n(row(y), w, next.row(y));
    *this = std::move(next);
}

void Surface::fill(Pixel p) { std::fill(pixels_.begin(), pixels_.end(), p); }

}  // namespace gdi
