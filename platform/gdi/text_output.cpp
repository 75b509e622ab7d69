#include "platform/gdi/text_output.h"

#include <algorithm>

#include "platform/gdi/code_page.h"
#include "platform/gdi/raster.h"
#include "platform/gdi/win_rect.h"

namespace gdi {

LONG text_width(const FontFace& face, std::string_view text) {
    LONG width = 0;
    for (std::uint32_t code : split_characters(text)) width += face.advance(code);
    return width;
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

// Text space (x along the text, y down the cell) to surface offsets.
POINT rotate(int rotation, LONG x, LONG y) {
    if (rotation == 90) return POINT{y, -x};
    if (rotation == -90) return POINT{-y, x};
    return POINT{x, y};
}

}  // namespace

RECT text_box_on_surface(POINT o, int rotation, const RECT& t) {
    // Pixel (x, y) of text space covers [x, x+1); after rotation the far
    // corner moves, so map both corners of the covered area and normalise.
    const POINT a = rotate(rotation, t.left, t.top);
    const POINT b = rotate(rotation, t.right, t.bottom);
    RECT r{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
    if (rotation == 90) r.top += 1, r.bottom += 1;
    if (rotation == -90) r.left += 1, r.right += 1;
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
        if (s) for_each_span(clip, text_box_on_surface(origin, rotation, text_space), [&](LONG y, LONG x0, LONG x1) {
            std::fill(s->row(y) + x0, s->row(y) + x1, ink);
        });
    };
    const std::vector<std::uint32_t> codes = split_characters(text);
    for (std::size_t i = 0; i < codes.size(); ++i) {
        const std::uint32_t code = codes[i];
        const Glyph& g = face.glyph(code);
        if (s && !g.mask.empty()) {
            const LONG gx = pen + g.left, gy = g.top;
            if (rotation == 0) {
                const RECT box{origin.x + gx, origin.y + gy, origin.x + gx + g.width, origin.y + gy + g.height};
                for_each_span(clip, box, [&](LONG y, LONG x0, LONG x1) {
                    Pixel* row = s->row(y);
                    for (LONG x = x0; x < x1; ++x)
                        if (g.ink(x - box.left, y - box.top)) row[x] = ink;
                });
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
        pen += advances ? advances[i] : g.advance;
    }
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

}  // namespace gdi
