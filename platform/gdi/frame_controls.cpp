// Buttons, caption buttons, scroll arrows and menu marks, drawn with the
// system colours.
#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

#include "platform/gdi/edges.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/raster.h"
#include "platform/gdi/surface_dc.h"

using namespace gdi;

namespace {

// A small picture: rows of '#' (ink) and '.' (nothing), all the same width.
struct Picture {
    std::vector<std::string_view> rows;
    LONG width() const { return rows.empty() ? 0 : static_cast<LONG>(rows[0].size()); }
    LONG height() const { return static_cast<LONG>(rows.size()); }
};

const Picture kClose{{"##....##", ".##..##.", "..####..", "...##...", "..####..", ".##..##.", "##....##"}};
const Picture kMinimize{{"........", "........", "........", "........", "........", "######..", "######.."}};
const Picture kMaximize{{"#########", "#########", "#.......#", "#.......#", "#.......#", "#.......#", "#.......#",
                         "#.......#", "#########"}};
const Picture kRestore{
    {"..######", "..######", "..#....#", "######.#", "######.#", "#....###", "#....#..", "######.."}};
const Picture kHelp{{".####.", "##..##", "....##", "...##.", "..##..", "..##..", "......", "..##..", "..##.."}};
const Picture kCheck{{"......#", ".....##", "#...###", "##.###.", "#####..", ".###...", "..#...."}};
const Picture kBullet{{".##.", "####", "####", ".##."}};

// Glyphs grow with their button up to this size and stay centred beyond it.
constexpr LONG kMaxGlyph = 64;

// A triangle pointing along `direction` (DFCS_SCROLL* codes), in rows.
Picture arrow(LONG size, UINT direction, std::vector<std::string>& storage) {
    const LONG rows = std::max<LONG>(1, (std::min(size, kMaxGlyph) - 4) / 3);
    const LONG width = 2 * rows - 1;
    storage.clear();
    for (LONG i = 0; i < rows; ++i) {
        const LONG ink = 2 * i + 1;
        const LONG pad = (width - ink) / 2;
        storage.push_back(std::string(pad, '.') + std::string(ink, '#') + std::string(pad, '.'));
    }
    if (direction == DFCS_SCROLLDOWN || direction == DFCS_SCROLLCOMBOBOX) std::reverse(storage.begin(), storage.end());
    if (direction == DFCS_SCROLLLEFT || direction == DFCS_SCROLLRIGHT) {
        // Turn the upward triangle on its side.
        std::vector<std::string> turned(static_cast<std::size_t>(width), std::string(rows, '.'));
        for (LONG y = 0; y < rows; ++y)
            for (LONG x = 0; x < width; ++x) turned[x][direction == DFCS_SCROLLLEFT ? y : rows - 1 - y] = storage[y][x];
        storage = std::move(turned);
    }
    Picture p;
    for (const auto& row : storage) p.rows.emplace_back(row);
    return p;
}

void draw_picture(Dc& dc, const Picture& p, POINT at, COLORREF color) {
    const Paint paint = Paint::solid(dc, color);
    for (LONG y = 0; y < p.height(); ++y)
        for (LONG x = 0; x < p.width(); ++x)
            if (p.rows[y][x] == '#')
                fill_rect(dc, RECT{at.x + x, at.y + y, at.x + x + 1, at.y + y + 1}, paint, rop3_code(PATCOPY));
}

// Centred in `r`; a disabled glyph is embossed (highlight below right, shadow
// on top), a pushed one moves one pixel down and right.
void draw_glyph(Dc& dc, const Picture& p, const RECT& r, UINT state, COLORREF ink) {
    POINT at{r.left + (r.right - r.left - p.width()) / 2, r.top + (r.bottom - r.top - p.height()) / 2};
    if (state & DFCS_PUSHED) at = POINT{at.x + 1, at.y + 1};
    if (state & DFCS_INACTIVE) {
        draw_picture(dc, p, POINT{at.x + 1, at.y + 1}, sys_color(COLOR_3DHILIGHT));
        draw_picture(dc, p, at, sys_color(COLOR_3DSHADOW));
        return;
    }
    draw_picture(dc, p, at, ink);
}

// The face of a push button; returns the area inside its edge.
RECT push_face(Dc& dc, const RECT& r, UINT state) {
    if (state & DFCS_FLAT) {
        fill_solid(dc, r, sys_color(COLOR_3DFACE));
        return r;
    }
    const UINT edge = state & (DFCS_PUSHED | DFCS_CHECKED) ? EDGE_SUNKEN : EDGE_RAISED;
    return draw_edge(dc, r, edge, BF_RECT | BF_MIDDLE | (state & DFCS_MONO ? BF_MONO : 0));
}

RECT square_at_left(const RECT& r, LONG side) {
    const LONG top = r.top + (r.bottom - r.top - side) / 2;
    return RECT{r.left, top, r.left + side, top + side};
}

Region ellipse(const RECT& box) { return Region::rounded_rect(box, box.right - box.left, box.bottom - box.top, box); }

// A sunken ring as the edges of a check box: outer shadow above and left,
// highlight below and right; inner dark shadow and light; the well inside.
void draw_radio(Dc& dc, const RECT& box, COLORREF well) {
    const RECT in1{box.left + 1, box.top + 1, box.right - 1, box.bottom - 1};
    const RECT in2{box.left + 2, box.top + 2, box.right - 2, box.bottom - 2};
    const Region rings[2] = {ellipse(box).combine(ellipse(in1), Region::Op::Diff),
                             ellipse(in1).combine(ellipse(in2), Region::Op::Diff)};
    const COLORREF upper[2] = {sys_color(COLOR_3DSHADOW), sys_color(COLOR_3DDKSHADOW)};
    const COLORREF lower[2] = {sys_color(COLOR_3DHILIGHT), sys_color(COLOR_3DLIGHT)};
    // The upper-left half lies above the diagonal through the far corners.
    const LONG diagonal = box.left + box.bottom - 1;
    for (int i = 0; i < 2; ++i)
        for (const RECT& part : rings[i].rects())
            for (LONG y = part.top; y < part.bottom; ++y)
                for (LONG x = part.left; x < part.right; ++x)
                    fill_solid(dc, RECT{x, y, x + 1, y + 1}, x + y < diagonal ? upper[i] : lower[i]);
    fill_region(dc, ellipse(in2), Paint::solid(dc, well), rop3_code(PATCOPY));
}

void draw_button(Dc& dc, const RECT& r, UINT state) {
    if (state & DFCS_BUTTONPUSH) {
        push_face(dc, r, state);
        return;
    }
    const RECT box = square_at_left(r, 13);
    const COLORREF well = sys_color(state & (DFCS_INACTIVE | DFCS_PUSHED) ? COLOR_3DFACE : COLOR_WINDOW);
    const COLORREF mark = sys_color(state & DFCS_INACTIVE ? COLOR_GRAYTEXT : COLOR_WINDOWTEXT);
    if (state & DFCS_BUTTONRADIO) {
        draw_radio(dc, box, well);
        if (state & DFCS_CHECKED) draw_glyph(dc, kBullet, box, state & ~(DFCS_INACTIVE | DFCS_PUSHED), mark);
        return;
    }
    draw_edge(dc, box, EDGE_SUNKEN, BF_RECT);
    fill_solid(dc, RECT{box.left + 2, box.top + 2, box.right - 2, box.bottom - 2}, well);
    if (state & DFCS_CHECKED) draw_glyph(dc, kCheck, box, state & ~(DFCS_INACTIVE | DFCS_PUSHED), mark);
}

void draw_caption_button(Dc& dc, const RECT& r, UINT state) {
    const Picture* glyph = nullptr;
    switch (state & 0xFF) {
        case DFCS_CAPTIONCLOSE: glyph = &kClose; break;
        case DFCS_CAPTIONMIN: glyph = &kMinimize; break;
        case DFCS_CAPTIONMAX: glyph = &kMaximize; break;
        case DFCS_CAPTIONRESTORE: glyph = &kRestore; break;
        case DFCS_CAPTIONHELP: glyph = &kHelp; break;
        default: break;
    }
    const RECT inside = push_face(dc, r, state);
    if (glyph) draw_glyph(dc, *glyph, inside, state, sys_color(COLOR_BTNTEXT));
}

void draw_scroll_part(Dc& dc, const RECT& r, UINT state) {
    const UINT part = state & 0xFF;
    if (part == DFCS_SCROLLSIZEGRIP) {
        fill_solid(dc, r, sys_color(COLOR_3DFACE));
        // Three diagonal ridges in the bottom-right corner.
        const LONG size = std::min({r.right - r.left, r.bottom - r.top, kMaxGlyph});
        for (LONG ridge = 0; ridge < 3; ++ridge)
            for (LONG i = 0; i < size - 4 * ridge - 1; ++i) {
                const LONG x = r.right - 1 - i, y = r.bottom - size + 4 * ridge + 1 + i;
                fill_solid(dc, RECT{x, y, x + 1, y + 1}, sys_color(COLOR_3DHILIGHT));
                if (x + 1 < r.right) fill_solid(dc, RECT{x + 1, y, x + 2, y + 1}, sys_color(COLOR_3DSHADOW));
            }
        return;
    }
    if (part > DFCS_SCROLLCOMBOBOX || part == DFCS_SCROLLCOMBOBOX - 1) return;  // 4 is no part
    const RECT inside = push_face(dc, r, state);
    std::vector<std::string> rows;
    const Picture p = arrow(std::min(r.right - r.left, r.bottom - r.top), part, rows);
    draw_glyph(dc, p, inside, state, sys_color(COLOR_BTNTEXT));
}

void draw_menu_mark(Dc& dc, const RECT& r, UINT state) {
    const COLORREF ink = sys_color(COLOR_MENUTEXT);
    std::vector<std::string> rows;
    switch (state & 0xFF) {
        case DFCS_MENUARROW:
            draw_glyph(dc, arrow(std::min(r.right - r.left, r.bottom - r.top), DFCS_SCROLLRIGHT, rows), r, state, ink);
            break;
        case DFCS_MENUCHECK: draw_glyph(dc, kCheck, r, state, ink); break;
        case DFCS_MENUBULLET: draw_glyph(dc, kBullet, r, state, ink); break;
        default: break;
    }
}

}  // namespace

BOOL DrawFrameControl(HDC handle, RECT* rect, UINT type, UINT state) {
    auto dc = find_dc(handle);
    if (!dc || !rect) return FALSE;
    const RECT r = dc->to_surface(*rect);
    switch (type) {
        case DFC_BUTTON: draw_button(*dc, r, state); break;
        case DFC_CAPTION: draw_caption_button(*dc, r, state); break;
        case DFC_SCROLL: draw_scroll_part(*dc, r, state); break;
        case DFC_MENU: draw_menu_mark(*dc, r, state); break;
        default: return FALSE;
    }
    return TRUE;
}
