#include "platform/gdi/tests/canvas.h"

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

}  // namespace gdi_test
