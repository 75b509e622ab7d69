#pragma once
// The pixel engine under every drawing call: raster operations, the colours
// a brush paints with on a DC, and filling through the DC's clip.
#include <cstdint>

#include "platform/gdi/dc.h"

namespace gdi {

// A ternary raster operation's truth table (bits 16-23 of its code), applied
// bitwise: bit (p << 2 | s << 1 | d) of `code` is the result for those bits.
constexpr Pixel apply_rop3(std::uint8_t code, Pixel p, Pixel s, Pixel d) {
    Pixel out = 0;
    for (int i = 0; i < 8; ++i)
        if (code & (1u << i)) out |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
    return out & 0xFFFFFF;
}
constexpr bool rop_uses_pattern(std::uint8_t code) { return ((code >> 4) ^ code) & 0x0F; }
constexpr bool rop_uses_source(std::uint8_t code) { return ((code >> 2) ^ code) & 0x33; }
constexpr bool rop_uses_dest(std::uint8_t code) { return ((code >> 1) ^ code) & 0x55; }
constexpr std::uint8_t rop3_code(DWORD rop) { return static_cast<std::uint8_t>(rop >> 16); }

// The pen mix modes as ternary operations over pattern (the pen) and
// destination, so one evaluator serves both.
std::uint8_t rop3_from_rop2(int rop2);

// A colour as the DC's surface holds it: monochrome DCs keep black or white,
// whichever is nearer.
Pixel device_pixel(const Dc& dc, COLORREF color);
Pixel nearest_mono(Pixel p);

// What a brush paints at each surface pixel.
class Paint {
public:
    Paint(Dc& dc, const BrushObject* brush);
    static Paint solid(Dc& dc, COLORREF color);
    bool none() const { return none_; }
    Pixel at(int x, int y) const;
    // Writes what the brush paints at pixels x0 to x1 - 1 of row y.
    void copy_row(Pixel* row, int y, int x0, int x1) const;

private:
    Paint() = default;
    bool none_ = false;
    Pixel color_ = 0;
    const Surface* tile_ = nullptr;
    bool mono_tile_ = false;
    bool mono_dest_ = false;
    Pixel zero_ = 0, one_ = 0;  // a monochrome tile's colours
    int phase_x_ = 0, phase_y_ = 0;
    // x - phase_x_ and y - phase_y_ wrapped into the tile; a power-of-two side
    // (every 8 x 8 pattern) takes a mask instead of two divisions, which would
    // cost more than a narrow span's pixels.
    int tile_x(int x) const;
    int tile_y(int y) const;
};

// Calls fn(y, x0, x1) for each clipped row span of a surface rectangle.
template <class Fn>
void for_each_span(const Region& clip, const RECT& r, Fn&& fn) {
    if (r.right <= r.left || r.bottom <= r.top) return;
    for (const auto& band : clip.bands()) {
        if (band.bottom <= r.top) continue;
        if (band.top >= r.bottom) break;
        const LONG y0 = std::max(band.top, r.top), y1 = std::min(band.bottom, r.bottom);
        for (const auto& span : band.spans) {
            const LONG x0 = std::max(span.left, r.left), x1 = std::min(span.right, r.right);
            if (x0 >= x1) continue;
            for (LONG y = y0; y < y1; ++y) fn(y, x0, x1);
        }
    }
}

// Applies `code` with `paint` as the pattern over a surface rectangle.
void fill_rect(Dc& dc, const RECT& surface_rect, const Paint& paint, std::uint8_t code);
// Applies `code` with `paint` over a region given in surface coordinates.
void fill_region(Dc& dc, const Region& surface_region, const Paint& paint, std::uint8_t code);

}  // namespace gdi
