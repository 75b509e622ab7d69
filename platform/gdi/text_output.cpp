#include "platform/gdi/text_output.h"

#include <algorithm>

#include "platform/gdi/code_page.h"
#include "platform/gdi/raster.h"
#include "platform/gdi/win_rect.h"

namespace gdi {

namespace {

// A spacing array has one entry per byte, as the platform's byte-string call
// takes it: a double-byte character moves by the sum of its two.
LONG spacing(const int* advances, std::size_t& byte, std::uint32_t code) {
    const std::size_t bytes = code > 0xFF ? 2 : 1;
    LONG sum = 0;
    for (std::size_t i = 0; i < bytes; ++i) sum += advances[byte + i];
    byte += bytes;
    return sum;
}

}  // namespace

LONG text_width(const FontFace& face, std::string_view text, const int* advances) {
    LONG width = 0;
    std::size_t byte = 0;
    for_each_character(
        text, [&](std::uint32_t code) { width += advances ? spacing(advances, byte, code) : face.advance(code); });
    return width;
}

LONG default_tab_width(const FontFace& face) { return std::max<LONG>(1, 8 * face.metrics().tmAveCharWidth); }

std::vector<TabbedPiece> tabbed_pieces(const FontFace& face, std::string_view line, int tab_count, const int* tab_stops,
                                       LONG* total_width) {
    const bool stop_list = tab_count > 1 && tab_stops;
    const LONG interval = tab_count == 1 && tab_stops && tab_stops[0] > 0 ? tab_stops[0] : default_tab_width(face);
    std::vector<TabbedPiece> pieces;
    LONG x = 0;
    int next_stop = 0;
    std::size_t start = 0;
    for (;;) {
        const std::size_t tab = line.find('\t', start);
        const std::string_view piece = line.substr(start, tab == std::string_view::npos ? tab : tab - start);
        pieces.push_back({x, piece});
        x += text_width(face, piece);
        if (tab == std::string_view::npos) break;
        while (stop_list && next_stop < tab_count && tab_stops[next_stop] <= x) ++next_stop;
        x = stop_list && next_stop < tab_count ? tab_stops[next_stop] : (x / interval + 1) * interval;
        start = tab + 1;
    }
    if (total_width) *total_width = x;
    return pieces;
}

int text_rotation(const Dc& dc) {
    const FontObject* font = dc.state.font.object.get();
    if (!font) return 0;
    const LONG e = ((font->logfont.lfEscapement % 3600) + 3600) % 3600;
    if (e == 900) return 90;
    if (e == 2700) return -90;
    return 0;
}

namespace {

// The ink of `g` with its mask's corner at `at`, within `clip`. What the loops read
// is held in locals: the pixels stored could alias the surface's and the glyph's ints,
// which would otherwise be read again after every pixel.
void draw_glyph(Surface& s, const Glyph& g, POINT at, const RECT& clip, Pixel ink) {
    const LONG top = std::max(at.y, clip.top), bottom = std::min<LONG>(at.y + g.height, clip.bottom);
    if (top >= bottom) return;
    const int left = int(std::max(at.x, clip.left) - at.x);
    const int right = int(std::min<LONG>(at.x + g.width, clip.right) - at.x);
    const Glyph::InkRun* runs = g.runs.data();
    const int* row_runs = g.row_runs.data() + (top - at.y);
    const std::size_t stride = static_cast<std::size_t>(s.width());
    Pixel* row = s.row(int(top)) + at.x;
    for (LONG y = top; y < bottom; ++y, ++row_runs, row += stride) {
        const int first = row_runs[0], last = row_runs[1];
        for (int i = first; i < last; ++i) {
            const int from = std::max(left, runs[i].left), to = std::min(right, runs[i].right);
            for (int x = from; x < to; ++x) row[x] = ink;
        }
    }
}

// Text space (x along the text, y down the cell) to surface offsets.
POINT rotate(int rotation, LONG x, LONG y) {
    if (rotation == 90) return POINT{y, -x};
    if (rotation == -90) return POINT{-y, x};
    return POINT{x, y};
}

}  // namespace

RECT text_box_on_surface(POINT o, int rotation, const RECT& t) {
    // The area the pixels cover turns as a whole: map two opposite corners.
    const POINT a = rotate(rotation, t.left, t.top);
    const POINT b = rotate(rotation, t.right, t.bottom);
    RECT r{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
    OffsetRect(&r, o.x, o.y);
    return r;
}

LONG draw_text_run(Dc& dc, POINT at, std::string_view text, const Region& clip, const int* advances) {
    Surface* s = dc.target();
    const FontFace& face = dc.face();
    const int rotation = text_rotation(dc);
    const Pixel ink = device_pixel(dc, dc.state.text_color);
    const POINT origin{at.x + dc.origin.x, at.y + dc.origin.y};
    const FontObject* font = dc.state.font.object.get();
    const TEXTMETRIC& tm = face.metrics();

    LONG pen = 0;
    auto fill_text_rect = [&](const RECT& text_space) {
        if (s)
            for_each_span(clip, text_box_on_surface(origin, rotation, text_space),
                          [&](LONG y, LONG x0, LONG x1) { std::fill(s->row(y) + x0, s->row(y) + x1, ink); });
    };
    std::size_t byte = 0;
    for_each_character(text, [&](std::uint32_t code) {
        const Glyph& g = face.glyph(code);
        if (s && !g.mask.empty()) {
            const LONG gx = pen + g.left, gy = g.top;
            if (rotation == 0) {
                const POINT at{origin.x + gx, origin.y + gy};
                const RECT box{at.x, at.y, at.x + g.width, at.y + g.height};
                for (const Region::Band& band : clip.bands()) {
                    if (band.bottom <= box.top) continue;
                    if (band.top >= box.bottom) break;
                    for (const Region::Span& span : band.spans) {
                        if (span.right <= box.left) continue;
                        if (span.left >= box.right) break;
                        draw_glyph(*s, g, at, RECT{span.left, band.top, span.right, band.bottom}, ink);
                    }
                }
            } else {
                for (int y = 0; y < g.height; ++y)
                    for (int x = 0; x < g.width; ++x) {
                        if (!g.ink(x, y)) continue;
                        const RECT px =
                            text_box_on_surface(origin, rotation, RECT{gx + x, gy + y, gx + x + 1, gy + y + 1});
                        if (clip.contains(px.left, px.top)) s->set(px.left, px.top, ink);
                    }
            }
        }
        pen += advances ? spacing(advances, byte, code) : g.advance;
    });
    if (font && font->logfont.lfUnderline) {
        const LONG y = std::min(tm.tmAscent + 1, tm.tmHeight - 1);
        fill_text_rect(RECT{0, y, pen, y + 1});
    }
    if (font && font->logfont.lfStrikeOut) {
        const LONG y = tm.tmAscent * 2 / 3;
        fill_text_rect(RECT{0, y, pen, y + 1});
    }
    return pen;
}

void draw_text_cell(Dc& dc, POINT cell, std::string_view text, const Region& clip, const int* advances) {
    if (text.empty()) return;
    if (dc.state.bk_mode == OPAQUE) {
        const FontFace& face = dc.face();
        const LONG width = text_width(face, text, advances);
        const POINT origin{cell.x + dc.origin.x, cell.y + dc.origin.y};
        const RECT box = text_box_on_surface(origin, text_rotation(dc), RECT{0, 0, width, face.metrics().tmHeight});
        const Region area = clip.combine(Region(box), Region::Op::And);
        fill_region(dc, area, Paint::solid(dc, dc.state.bk_color), rop3_code(PATCOPY));
    }
    draw_text_run(dc, cell, text, clip, advances);
}

}  // namespace gdi
