// Block transfers and rectangle fills.
#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/gdi/raster.h"

using namespace gdi;

namespace {

// How source pixels become destination pixels when the two DCs differ in
// colour depth: colour to monochrome makes the source's background colour 1
// (white) and all else 0; monochrome to colour makes 0 the destination's
// text colour and 1 its background colour.
struct SourceConversion {
    enum class Mode { None, ToMono, ToColour } mode = Mode::None;
    Pixel source_bk = 0;
    Pixel zero = 0, one = 0;

    SourceConversion(const Dc& dst, const Dc& src) {
        if (src.mono() && !dst.mono()) {
            mode = Mode::ToColour;
            zero = pixel_from_colorref(dst.state.text_color);
            one = pixel_from_colorref(dst.state.bk_color);
        } else if (!src.mono() && dst.mono()) {
            mode = Mode::ToMono;
            source_bk = pixel_from_colorref(src.state.bk_color);
        }
    }
    Pixel operator()(Pixel s) const {
        switch (mode) {
            case Mode::None: return s;
            case Mode::ToMono: return s == source_bk ? 0xFFFFFF : 0;
            case Mode::ToColour: return s ? one : zero;
        }
        return s;
    }
};

// Copies of the source area when it shares the destination's surface, so
// overlapping moves read the pixels as they were.
struct SourceView {
    const Surface* surface = nullptr;
    Surface copy;
    RECT area{};

    SourceView(const Surface* source, const Surface* dest, const RECT& wanted) {
        RECT bounds{0, 0, source->width(), source->height()};
        IntersectRect(&area, &wanted, &bounds);
        if (source != dest) {
            surface = source;
            return;
        }
        copy = Surface(area.right - area.left, area.bottom - area.top);
        for (LONG y = area.top; y < area.bottom; ++y)
            std::copy(source->row(y) + area.left, source->row(y) + area.right, copy.row(y - area.top));
        surface = &copy;
    }
    bool has(LONG x, LONG y) const { return x >= area.left && x < area.right && y >= area.top && y < area.bottom; }
    // The source pixel (x, y) and those right of it on its row.
    const Pixel* pixels_at(LONG x, LONG y) const {
        return surface == &copy ? copy.row(y - area.top) + (x - area.left) : surface->row(y) + x;
    }
    Pixel at(LONG x, LONG y) const { return *pixels_at(x, y); }
};

// Maps destination pixel offsets to source pixel offsets (nearest sample),
// mirrored where the two extents differ in sign.
LONG sample(LONG offset, LONG dst_extent, LONG src_extent) {
    const long long d = std::abs(dst_extent), s = std::abs(src_extent);
    LONG i = static_cast<LONG>((2 * offset + 1) * s / (2 * d));
    if ((dst_extent < 0) != (src_extent < 0)) i = static_cast<LONG>(s) - 1 - i;
    return i;
}

// The pixels an origin and extent cover. A negative extent runs back from
// the origin, which it includes: x = width - 1 with extent -width mirrors a
// whole image in place.
RECT span_rect(POINT origin, LONG w, LONG h) {
    RECT r{origin.x, origin.y, origin.x + w, origin.y + h};
    if (w < 0) r = RECT{origin.x + w + 1, r.top, origin.x + 1, r.bottom};
    if (h < 0) r = RECT{r.left, origin.y + h + 1, r.right, origin.y + 1};
    return r;
}

// A one-to-one copy within one surface (a window scrolling its pixels) moves the
// pixels in place: rows go in the order that reads each source row before it is
// overwritten, so no copy of the area is needed.
void move_within(Dc& dst, Surface& surface, const RECT& dst_rect, const RECT& src_rect) {
    const RECT bounds{0, 0, surface.width(), surface.height()};
    RECT source{};
    IntersectRect(&source, &src_rect, &bounds);
    const LONG dx = src_rect.left - dst_rect.left, dy = src_rect.top - dst_rect.top;  // destination to source
    std::vector<std::array<LONG, 3>> spans;                                           // row, x0, x1
    for_each_span(dst.clip(), dst_rect, [&](LONG y, LONG x0, LONG x1) {
        if (y + dy < source.top || y + dy >= source.bottom) return;
        x0 = std::max(x0, source.left - dx);
        x1 = std::min(x1, source.right - dx);
        if (x0 < x1) spans.push_back({y, x0, x1});
    });
    auto move = [&](const std::array<LONG, 3>& span) {
        const auto [y, x0, x1] = span;
        std::memmove(surface.row(y) + x0, surface.row(y + dy) + x0 + dx, std::size_t(x1 - x0) * sizeof(Pixel));
    };
    // Spans come top row first: upwards moves read rows below those written.
    if (dy >= 0)
        std::for_each(spans.begin(), spans.end(), move);
    else
        std::for_each(spans.rbegin(), spans.rend(), move);
}

BOOL stretch(HDC dst_handle, int x, int y, int cx, int cy, HDC src_handle, int sx, int sy, int scx, int scy,
             DWORD rop) {
    auto dst = find_dc(dst_handle);
    if (!dst) return FALSE;
    const std::uint8_t code = rop3_code(rop);
    Surface* out = dst->target();
    if (!out) return FALSE;
    const Paint paint(*dst, dst->state.brush.object.get());
    const LONG dst_w = dst->scale_x(cx), dst_h = dst->scale_y(cy);
    const RECT dst_rect = span_rect(dst->to_surface(x, y), dst_w, dst_h);
    if (!rop_uses_source(code)) {
        fill_rect(*dst, dst_rect, paint, code);
        return TRUE;
    }
    auto src = find_dc(src_handle);
    if (!src || !src->target()) return FALSE;
    const LONG src_w = src->scale_x(scx), src_h = src->scale_y(scy);
    if (dst_w == 0 || dst_h == 0 || src_w == 0 || src_h == 0) return TRUE;
    const RECT src_rect = span_rect(src->to_surface(sx, sy), src_w, src_h);
    const SourceConversion convert(*dst, *src);
    const bool one_to_one = dst_w == src_w && dst_h == src_h && dst_w > 0 && dst_h > 0;
    const bool plain_copy = one_to_one && code == rop3_code(SRCCOPY) && convert.mode == SourceConversion::Mode::None;
    if (plain_copy && src->target() == out) {
        move_within(*dst, *out, dst_rect, src_rect);
        return TRUE;
    }
    const SourceView view(src->target(), out, src_rect);

    for_each_span(dst->clip(), dst_rect, [&](LONG row_y, LONG x0, LONG x1) {
        Pixel* row = out->row(row_y);
        const LONG v = src_rect.top + sample(row_y - dst_rect.top, dst_h, src_h);
        if (plain_copy) {
            const LONG u0 = src_rect.left + (x0 - dst_rect.left);
            if (view.has(u0, v) && view.has(u0 + (x1 - x0) - 1, v)) {
                const Pixel* from = view.pixels_at(u0, v);
                std::copy(from, from + (x1 - x0), row + x0);
                return;
            }
        }
        for (LONG px = x0; px < x1; ++px) {
            const LONG u = src_rect.left + sample(px - dst_rect.left, dst_w, src_w);
            if (!view.has(u, v)) continue;
            row[px] = apply_rop3(code, paint.at(px, row_y), convert(view.at(u, v)), row[px]);
        }
    });
    return TRUE;
}

}  // namespace

BOOL BitBlt(HDC dst, int x, int y, int cx, int cy, HDC src, int sx, int sy, DWORD rop) {
    return stretch(dst, x, y, cx, cy, src, sx, sy, cx, cy, rop);
}

BOOL StretchBlt(HDC dst, int x, int y, int cx, int cy, HDC src, int sx, int sy, int scx, int scy, DWORD rop) {
    return stretch(dst, x, y, cx, cy, src, sx, sy, scx, scy, rop);
}

BOOL PatBlt(HDC dc, int x, int y, int cx, int cy, DWORD rop) {
    if (rop_uses_source(rop3_code(rop))) return FALSE;
    return stretch(dc, x, y, cx, cy, nullptr, 0, 0, cx, cy, rop);
}

int FillRect(HDC handle, const RECT* rect, HBRUSH brush) {
    auto dc = find_dc(handle);
    auto object = find<BrushObject>(brush);
    if (!dc || !rect || !object) return 0;
    fill_rect(*dc, dc->to_surface(*rect), Paint(*dc, object.get()), rop3_code(PATCOPY));
    return 1;
}

int FrameRect(HDC handle, const RECT* rect, HBRUSH brush) {
    auto dc = find_dc(handle);
    auto object = find<BrushObject>(brush);
    if (!dc || !rect || !object) return 0;
    const RECT r = dc->to_surface(*rect);
    if (r.right <= r.left || r.bottom <= r.top) return 1;
    const Paint paint(*dc, object.get());
    const auto code = rop3_code(PATCOPY);
    fill_rect(*dc, RECT{r.left, r.top, r.right, r.top + 1}, paint, code);
    fill_rect(*dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, paint, code);
    fill_rect(*dc, RECT{r.left, r.top + 1, r.left + 1, r.bottom - 1}, paint, code);
    fill_rect(*dc, RECT{r.right - 1, r.top + 1, r.right, r.bottom - 1}, paint, code);
    return 1;
}

BOOL InvertRect(HDC handle, const RECT* rect) {
    if (!rect) return FALSE;
    return PatBlt(handle, rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, DSTINVERT);
}

BOOL FillRgn(HDC handle, HRGN region, HBRUSH brush) {
    auto dc = find_dc(handle);
    auto shape = find<RegionObject>(region);
    auto object = find<BrushObject>(brush);
    if (!dc || !shape || !object) return FALSE;
    // Regions are in device coordinates; move them onto the surface.
    Region r = shape->region;
    r.offset(dc->origin.x, dc->origin.y);
    fill_region(*dc, r, Paint(*dc, object.get()), rop3_code(PATCOPY));
    return TRUE;
}

COLORREF SetPixel(HDC handle, int x, int y, COLORREF color) {
    auto dc = find_dc(handle);
    if (!dc || !dc->target()) return CLR_INVALID;
    const POINT p = dc->to_surface(x, y);
    if (!dc->clip().contains(p.x, p.y)) return CLR_INVALID;
    const Pixel value = device_pixel(*dc, color);
    dc->target()->set(p.x, p.y, value);
    return colorref_from_pixel(value);
}

COLORREF GetPixel(HDC handle, int x, int y) {
    auto dc = find_dc(handle);
    if (!dc || !dc->target()) return CLR_INVALID;
    const POINT p = dc->to_surface(x, y);
    if (!dc->clip().contains(p.x, p.y)) return CLR_INVALID;
    return colorref_from_pixel(dc->target()->at(p.x, p.y));
}
