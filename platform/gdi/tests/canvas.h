#pragma once
// A memory DC over a fresh colour bitmap, torn down with the test.
#include <string>

#include "platform/gdi/gdi.h"
#include "platform/gdi/surface_dc.h"

namespace gdi_test {

struct Canvas {
    HDC dc;
    HBITMAP bitmap;
    HGDIOBJ old_bitmap;

    Canvas(int width, int height, COLORREF fill = RGB(255, 255, 255), bool mono = false) {
        dc = CreateCompatibleDC(nullptr);
        bitmap = mono ? CreateBitmap(width, height, 1, 1, nullptr) : CreateBitmap(width, height, 1, 32, nullptr);
        old_bitmap = SelectObject(dc, bitmap);
        const HBRUSH brush = CreateSolidBrush(fill);
        const RECT all{0, 0, width, height};
        FillRect(dc, &all, brush);
        DeleteObject(brush);
    }
    ~Canvas() {
        SelectObject(dc, old_bitmap);
        DeleteObject(bitmap);
        DeleteDC(dc);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    COLORREF at(int x, int y) const { return GetPixel(dc, x, y); }
    const gdi::Surface& surface() const { return *gdi::surface_of(bitmap); }
};

// The smallest rectangle holding every pixel of colour `ink` (empty if none).
RECT ink_bounds(const gdi::Surface& s, COLORREF ink);

// A font of the built-in fixed-cell face: cells `height` high, half as wide.
HFONT test_font(int height = 16, int escapement = 0, LONG weight = FW_NORMAL);

// Rows of the surface as characters: '#' where the pixel is `ink`, '.' elsewhere.
std::string picture(const gdi::Surface& s, COLORREF ink, RECT area);

}  // namespace gdi_test
