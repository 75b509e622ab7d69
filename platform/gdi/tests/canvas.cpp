#include "platform/gdi/tests/canvas.h"

#include <algorithm>

namespace gdi_test {

std::string picture(const gdi::Surface& s, COLORREF ink, RECT area) {
    std::string out;
    const gdi::Pixel p = gdi::pixel_from_colorref(ink);
    for (LONG y = area.top; y < area.bottom; ++y) {
        for (LONG x = area.left; x < area.right; ++x) out += s.at(x, y) == p ? '#' : '.';
        out += '\n';
    }
    return out;
}

RECT ink_bounds(const gdi::Surface& s, COLORREF ink) {
    const gdi::Pixel p = gdi::pixel_from_colorref(ink);
    RECT r{s.width(), s.height(), 0, 0};
    for (int y = 0; y < s.height(); ++y)
        for (int x = 0; x < s.width(); ++x)
            if (s.at(x, y) == p) {
                r.left = std::min<LONG>(r.left, x);
                r.top = std::min<LONG>(r.top, y);
                r.right = std::max<LONG>(r.right, x + 1);
                r.bottom = std::max<LONG>(r.bottom, y + 1);
            }
    if (r.right <= r.left) return RECT{0, 0, 0, 0};
    return r;
}

HFONT test_font(int height, int escapement, LONG weight) {
    return CreateFont(height, 0, escapement, escapement, weight, 0, 0, 0, ANSI_CHARSET, 0, 0, 0, 0, gdi::kTestFontFace);
}

}  // namespace gdi_test
