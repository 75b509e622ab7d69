// 3-D edges, focus and drag frames: the bevels and XOR outlines of controls.
#include <algorithm>

#include "platform/gdi/edges.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/raster.h"
#include "platform/gdi/surface_dc.h"

using namespace gdi;

namespace gdi {

void fill_solid(Dc& dc, const RECT& r, COLORREF color) {
    fill_rect(dc, r, Paint::solid(dc, color), rop3_code(PATCOPY));
}

// Top and left lines stop short of the far corners, which the bottom and
// right lines then take, as the platform's bevels look.
void bevel(Dc& dc, const RECT& r, COLORREF top_left, COLORREF bottom_right, UINT sides) {
    if (r.right <= r.left || r.bottom <= r.top) return;
    if (sides & BF_TOP) fill_solid(dc, RECT{r.left, r.top, r.right - 1, r.top + 1}, top_left);
    if (sides & BF_LEFT) fill_solid(dc, RECT{r.left, r.top, r.left + 1, r.bottom - 1}, top_left);
    if (sides & BF_RIGHT) fill_solid(dc, RECT{r.right - 1, r.top, r.right, r.bottom}, bottom_right);
    if (sides & BF_BOTTOM) fill_solid(dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, bottom_right);
}

RECT draw_edge(Dc& dc, RECT r, UINT edge, UINT flags) {
    struct Line {
        UINT raised, sunken;
        int raised_tl, raised_br, sunken_tl, sunken_br;
    };
    const Line lines[2] = {
        {BDR_RAISEDOUTER, BDR_SUNKENOUTER, COLOR_3DLIGHT, COLOR_3DDKSHADOW, COLOR_3DSHADOW, COLOR_3DHILIGHT},
        {BDR_RAISEDINNER, BDR_SUNKENINNER, COLOR_3DHILIGHT, COLOR_3DSHADOW, COLOR_3DDKSHADOW, COLOR_3DLIGHT},
    };
    for (const Line& line : lines) {
        int tl, br;
        if (edge & line.raised) {
            tl = line.raised_tl;
            br = line.raised_br;
        } else if (edge & line.sunken) {
            tl = line.sunken_tl;
            br = line.sunken_br;
        } else {
            continue;
        }
        if (flags & BF_MONO)
            tl = br = COLOR_WINDOWFRAME;
        else if (flags & BF_FLAT)
            tl = br = COLOR_3DSHADOW;
        bevel(dc, r, sys_color(tl), sys_color(br), flags);
        if (flags & BF_LEFT) r.left += 1;
        if (flags & BF_TOP) r.top += 1;
        if (flags & BF_RIGHT) r.right -= 1;
        if (flags & BF_BOTTOM) r.bottom -= 1;
    }
    if (flags & BF_MIDDLE) fill_solid(dc, r, sys_color(flags & (BF_MONO | BF_FLAT) ? COLOR_WINDOW : COLOR_3DFACE));
    return r;
}

}  // namespace gdi

namespace {

// The frame `thick` pixels wide just inside `r`.
Region frame_region(const RECT& r, SIZE thick) {
    RECT inner = r;
    InflateRect(&inner, -thick.cx, -thick.cy);
    return Region(r).combine(Region(inner), Region::Op::Diff);
}

}  // namespace

void Draw3dRect(HDC handle, const RECT* rect, COLORREF top_left, COLORREF bottom_right) {
    auto dc = find_dc(handle);
    if (!dc || !rect) return;
    bevel(*dc, dc->to_surface(*rect), top_left, bottom_right, BF_RECT);
}

BOOL DrawEdge(HDC handle, RECT* rect, UINT edge, UINT flags) {
    auto dc = find_dc(handle);
    if (!dc || !rect) return FALSE;
    const RECT outer = dc->to_surface(*rect);
    const RECT inner = draw_edge(*dc, outer, edge, flags);
    if (flags & BF_ADJUST) {
        rect->left += inner.left - outer.left;
        rect->top += inner.top - outer.top;
        rect->right += inner.right - outer.right;
        rect->bottom += inner.bottom - outer.bottom;
    }
    return TRUE;
}

BOOL DrawFocusRect(HDC handle, const RECT* rect) {
    auto dc = find_dc(handle);
    if (!dc || !rect || !dc->target()) return FALSE;
    Surface& s = *dc->target();
    // Every other pixel of the outline, counted from the device origin, so
    // that the same call again restores the pixels.
    const Region outline = frame_region(dc->to_surface(*rect), SIZE{1, 1});
    for (const RECT& part : outline.rects())
        for_each_span(dc->clip(), part, [&](LONG y, LONG x0, LONG x1) {
            for (LONG x = x0; x < x1; ++x)
                if (((x - dc->origin.x) + (y - dc->origin.y)) % 2 == 0) s.row(y)[x] ^= 0xFFFFFF;
        });
    return TRUE;
}

void DrawDragRect(HDC handle, const RECT* rect, SIZE size, const RECT* last, SIZE last_size, HBRUSH brush,
                  HBRUSH last_brush) {
    auto dc = find_dc(handle);
    if (!dc) return;
    auto brush_object = find<BrushObject>(brush ? brush : GetHalftoneBrush());
    auto last_object = find<BrushObject>(last_brush ? last_brush : (brush ? brush : GetHalftoneBrush()));
    if (!brush_object || !last_object) return;
    const auto invert = rop3_code(PATINVERT);
    const Region now = rect ? frame_region(dc->to_surface(*rect), size) : Region();
    const Region before = last ? frame_region(dc->to_surface(*last), last_size) : Region();
    if (brush_object == last_object) {
        // One pass over the difference: what both frames cover stays as it is.
        fill_region(*dc, now.combine(before, Region::Op::Xor), Paint(*dc, brush_object.get()), invert);
        return;
    }
    fill_region(*dc, before, Paint(*dc, last_object.get()), invert);
    fill_region(*dc, now, Paint(*dc, brush_object.get()), invert);
}
