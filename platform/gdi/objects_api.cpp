// Creating pens, brushes and bitmaps.
#include <algorithm>
#include <cstring>

#include "platform/gdi/dc.h"
#include "platform/gdi/gdi.h"

using namespace gdi;

namespace {

constexpr int kMaxBitmapSide = 32768;
constexpr int kMaxPenWidth = 1024;

bool sane_size(int width, int height) {
    return width > 0 && height > 0 && width <= kMaxBitmapSide && height <= kMaxBitmapSide &&
           static_cast<long long>(width) * height <= 256LL * 1024 * 1024;
}

HBITMAP new_bitmap(int width, int height, bool mono) {
    if (!sane_size(width, height)) return nullptr;
    auto bitmap = std::make_shared<BitmapObject>();
    bitmap->surface = std::make_shared<Surface>(width, height, mono ? 0xFFFFFF : 0);
    bitmap->mono = mono;
    return add<HBITMAP>(std::move(bitmap));
}

}  // namespace

HPEN CreatePen(int style, int width, COLORREF color) {
    if (style < PS_SOLID || style > PS_INSIDEFRAME) return nullptr;
    auto pen = std::make_shared<PenObject>();
    pen->style = style;
    pen->width = std::clamp(width, 1, kMaxPenWidth);
    pen->color = color;
    return add<HPEN>(std::move(pen));
}

HBRUSH CreateSolidBrush(COLORREF color) {
    auto brush = std::make_shared<BrushObject>();
    brush->color = color;
    return add<HBRUSH>(std::move(brush));
}

HBRUSH CreatePatternBrush(HBITMAP handle) {
    auto bitmap = find<BitmapObject>(handle);
    if (!bitmap) return nullptr;
    auto brush = std::make_shared<BrushObject>();
    brush->style = BS_PATTERN;
    // The brush keeps its own copy: the bitmap may change or go afterwards.
    brush->pattern = std::make_shared<const Surface>(*bitmap->surface);
    brush->mono_pattern = bitmap->mono;
    return add<HBRUSH>(std::move(brush));
}

HBRUSH GetHalftoneBrush() {
    static const HBRUSH halftone = [] {
        auto tile = std::make_shared<Surface>(8, 8, 0);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                if ((x + y) % 2) tile->set(x, y, 0xFFFFFF);
        auto brush = std::make_shared<BrushObject>();
        brush->style = BS_PATTERN;
        brush->pattern = std::move(tile);
        brush->mono_pattern = true;
        return add<HBRUSH>(std::move(brush), true);
    }();
    return halftone;
}

HBITMAP CreateCompatibleBitmap(HDC handle, int width, int height) {
    auto dc = find_dc(handle);
    if (!dc) return nullptr;
    return new_bitmap(width, height, dc->mono());
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bits_per_pixel, const void* bits) {
    if (planes != 1 || (bits_per_pixel != 1 && bits_per_pixel != 32)) return nullptr;
    const bool mono = bits_per_pixel == 1;
    HBITMAP handle = new_bitmap(width, height, mono);
    if (!handle || !bits) return handle;
    Surface& s = *find<BitmapObject>(handle)->surface;
    const auto* bytes = static_cast<const BYTE*>(bits);
    // Rows are padded to 16 bits, as the platform lays out device bitmaps.
    const std::size_t stride = (static_cast<std::size_t>(width) * bits_per_pixel + 15) / 16 * 2;
    for (int y = 0; y < height; ++y) {
        const BYTE* row = bytes + y * stride;
        for (int x = 0; x < width; ++x) {
            if (mono) {
                s.set(x, y, (row[x / 8] >> (7 - x % 8)) & 1 ? 0xFFFFFF : 0);
            } else {
                const BYTE* p = row + 4 * x;
                s.set(x, y, (Pixel{p[2]} << 16) | (Pixel{p[1]} << 8) | p[0]);
            }
        }
    }
    return handle;
}
