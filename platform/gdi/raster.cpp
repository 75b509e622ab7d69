#include "platform/gdi/raster.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace gdi {

std::uint8_t rop3_from_rop2(int rop2) {
    // rop2 - 1 is a truth table over (pen << 1 | dest); spread it over the
    // source bit, which pens never use.
    const unsigned table = static_cast<unsigned>(rop2 - 1) & 0x0F;
    std::uint8_t code = 0;
    for (int i = 0; i < 8; ++i) {
        const int p = (i >> 2) & 1, d = i & 1;
        if (table & (1u << (p << 1 | d))) code |= static_cast<std::uint8_t>(1u << i);
    }
    return code;
}

Pixel nearest_mono(Pixel p) {
    const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
    const int to_black = r * r + g * g + b * b;
    const int to_white = (255 - r) * (255 - r) + (255 - g) * (255 - g) + (255 - b) * (255 - b);
    return to_white <= to_black ? 0xFFFFFF : 0;
}

Pixel device_pixel(const Dc& dc, COLORREF color) {
    const Pixel p = pixel_from_colorref(color);
    return dc.mono() ? nearest_mono(p) : p;
}

Paint Paint::solid(Dc& dc, COLORREF color) {
    Paint paint;
    paint.color_ = device_pixel(dc, color);
    return paint;
}

Paint::Paint(Dc& dc, const BrushObject* brush) {
    if (!brush || brush->style == BS_NULL) {
        none_ = true;
        return;
    }
    mono_dest_ = dc.mono();
    if (brush->style != BS_PATTERN || !brush->pattern || brush->pattern->empty()) {
        color_ = device_pixel(dc, brush->color);
        return;
    }
    tile_ = brush->pattern.get();
    mono_tile_ = brush->mono_pattern;
    zero_ = device_pixel(dc, dc.state.text_color);
    one_ = device_pixel(dc, dc.state.bk_color);
    // Tiles line up with the DC's device origin moved by the brush origin.
    phase_x_ = dc.origin.x + dc.state.brush_org.x;
    phase_y_ = dc.origin.y + dc.state.brush_org.y;
}

namespace {

int wrap(int offset, int size) {
    if ((size & (size - 1)) == 0) return offset & (size - 1);
    return (offset % size + size) % size;
}

}  // namespace

int Paint::tile_x(int x) const { return wrap(x - phase_x_, tile_->width()); }
int Paint::tile_y(int y) const { return wrap(y - phase_y_, tile_->height()); }

Pixel Paint::at(int x, int y) const {
    if (!tile_) return color_;
    const Pixel p = tile_->at(tile_x(x), tile_y(y));
    if (mono_tile_) return p ? one_ : zero_;
    return mono_dest_ ? nearest_mono(p) : p;
}

void Paint::copy_row(Pixel* row, int y, int x0, int x1) const {
    if (!tile_) {
        // A block at a time, copied with vector stores: a plain loop stores one pixel
        // at a time, and whole windows are filled so.
        std::array<Pixel, 16> block;
        block.fill(color_);
        int x = x0;
        for (; x + int(block.size()) <= x1; x += int(block.size())) std::memcpy(row + x, block.data(), sizeof block);
        std::fill(row + x, row + x1, color_);
        return;
    }
    // One tile's width is converted; the rest of the span repeats it, in copies
    // that double, each a whole number of tiles.
    const int w = tile_->width();
    const Pixel* tile_row = tile_->row(tile_y(y));
    int tx = tile_x(x0);
    const int first_tile_end = std::min(x1, x0 + w);
    for (int x = x0; x < first_tile_end; ++x) {
        const Pixel p = tile_row[tx];
        row[x] = mono_tile_ ? (p ? one_ : zero_) : mono_dest_ ? nearest_mono(p) : p;
        if (++tx == w) tx = 0;
    }
    for (int done = first_tile_end - x0; x0 + done < x1;) {
        const int copied = std::min(done, x1 - (x0 + done));
        std::memcpy(row + x0 + done, row + x0, std::size_t(copied) * sizeof(Pixel));
        done += copied;
    }
}

void fill_rect(Dc& dc, const RECT& r, const Paint& paint, std::uint8_t code) {
    Surface* s = dc.target();
    if (!s || (paint.none() && rop_uses_pattern(code))) return;
    const bool plain = code == rop3_code(PATCOPY);
    for_each_span(dc.clip(), r, [&](LONG y, LONG x0, LONG x1) {
        Pixel* row = s->row(y);
        if (plain) {
            paint.copy_row(row, int(y), int(x0), int(x1));
            return;
        }
        for (LONG x = x0; x < x1; ++x) row[x] = apply_rop3(code, paint.at(x, y), 0, row[x]);
    });
}

void fill_region(Dc& dc, const Region& region, const Paint& paint, std::uint8_t code) {
    for (const RECT& r : region.rects()) fill_rect(dc, r, paint, code);
}

}  // namespace gdi
