// Lines and filled shapes, drawn with the DC's pen, brush and mix mode.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "platform/gdi/gdi.h"
#include "platform/gdi/raster.h"

using namespace gdi;

namespace {

// On/off runs of the styled pens, in pixels.
std::vector<int> dash_pattern(int style) {
    switch (style) {
        case PS_DASH: return {18, 6};
        case PS_DOT: return {3, 3};
        case PS_DASHDOT: return {9, 6, 3, 6};
        case PS_DASHDOTDOT: return {9, 3, 3, 3, 3, 3};
        default: return {};
    }
}

class PenPlotter {
public:
    explicit PenPlotter(Dc& dc)
        : dc_(dc),
          pen_(dc.state.pen.object.get()),
          paint_(Paint::solid(dc, pen_ ? pen_->color : 0)),
          code_(rop3_from_rop2(dc.state.rop2)),
          dashes_(pen_ ? dash_pattern(pen_->style) : std::vector<int>{}) {}

    bool visible() const { return pen_ && pen_->style != PS_NULL && dc_.target(); }

    // Surface coordinates; the end point is left out, as lines join there.
    void line(POINT a, POINT b) {
        // Far outside the visible area only the visible stretch is walked.
        RECT near = dc_.clip().bounds();
        InflateRect(&near, pen_->width + 2, pen_->width + 2);
        if (!PtInRect(&near, a) || !PtInRect(&near, b)) {
            if (!clip_segment(near, a, b)) return;
        }
        const LONG dx = std::abs(b.x - a.x), dy = -std::abs(b.y - a.y);
        const LONG sx = a.x < b.x ? 1 : -1, sy = a.y < b.y ? 1 : -1;
        LONG err = dx + dy;
        POINT p = a;
        while (p.x != b.x || p.y != b.y) {
            if (dash_on()) plot(p);
            const LONG e2 = 2 * err;
            if (e2 >= dy) {
                err += dy;
                p.x += sx;
            }
            if (e2 <= dx) {
                err += dx;
                p.y += sy;
            }
        }
    }

private:
    // Cuts a segment to a rectangle (parametric clipping); false when none of
    // it lies inside.
    static bool clip_segment(const RECT& r, POINT& a, POINT& b) {
        double t0 = 0, t1 = 1;
        const double dx = static_cast<double>(b.x) - a.x, dy = static_cast<double>(b.y) - a.y;
        const double p[4] = {-dx, dx, -dy, dy};
        const double q[4] = {static_cast<double>(a.x) - r.left, static_cast<double>(r.right) - 1 - a.x,
                             static_cast<double>(a.y) - r.top, static_cast<double>(r.bottom) - 1 - a.y};
        for (int i = 0; i < 4; ++i) {
            if (p[i] == 0) {
                if (q[i] < 0) return false;
                continue;
            }
            const double t = q[i] / p[i];
            if (p[i] < 0)
                t0 = std::max(t0, t);
            else
                t1 = std::min(t1, t);
        }
        if (t0 > t1) return false;
        const POINT from{static_cast<LONG>(std::lround(a.x + t0 * dx)), static_cast<LONG>(std::lround(a.y + t0 * dy))};
        const POINT to{static_cast<LONG>(std::lround(a.x + t1 * dx)), static_cast<LONG>(std::lround(a.y + t1 * dy))};
        a = from;
        // One step past the cut end, since the last point is never drawn.
        b = POINT{to.x + (to.x < b.x) - (to.x > b.x), to.y + (to.y < b.y) - (to.y > b.y)};
        return true;
    }

    bool dash_on() {
        if (dashes_.empty()) return true;
        const bool on = dash_index_ % 2 == 0;
        if (++dash_step_ >= dashes_[dash_index_]) {
            dash_step_ = 0;
            dash_index_ = (dash_index_ + 1) % dashes_.size();
        }
        return on;
    }

    void plot(POINT p) {
        const int w = std::max(pen_->width, 1);
        const LONG x0 = p.x - (w - 1) / 2, y0 = p.y - (w - 1) / 2;
        fill_rect(dc_, RECT{x0, y0, x0 + w, y0 + w}, paint_, code_);
    }

    Dc& dc_;
    const PenObject* pen_;
    Paint paint_;
    std::uint8_t code_;
    std::vector<int> dashes_;
    std::size_t dash_index_ = 0;
    int dash_step_ = 0;
};

void outline(Dc& dc, const std::vector<POINT>& points, bool closed) {
    PenPlotter pen(dc);
    if (!pen.visible() || points.size() < 2) return;
    for (std::size_t i = 0; i + 1 < points.size(); ++i) pen.line(points[i], points[i + 1]);
    if (closed) pen.line(points.back(), points.front());
}

void fill_with_brush(Dc& dc, const Region& surface_region) {
    const Paint paint(dc, dc.state.brush.object.get());
    if (!paint.none()) fill_region(dc, surface_region, paint, rop3_from_rop2(dc.state.rop2));
}

void fill_with_pen(Dc& dc, const Region& surface_region) {
    const PenObject* pen = dc.state.pen.object.get();
    if (pen && pen->style != PS_NULL)
        fill_region(dc, surface_region, Paint::solid(dc, pen->color), rop3_from_rop2(dc.state.rop2));
}

int pen_width(const Dc& dc) {
    const PenObject* pen = dc.state.pen.object.get();
    return pen && pen->style != PS_NULL ? std::max(pen->width, 1) : 0;
}

RECT inset(RECT r, LONG by) {
    InflateRect(&r, -by, -by);
    return r;
}

// Fill with the brush inside, frame `pen width` thick with the pen.
void draw_closed_shape(Dc& dc, const RECT& box, LONG corner_w, LONG corner_h) {
    const int w = pen_width(dc);
    const RECT visible = dc.clip().bounds();
    const Region whole = Region::rounded_rect(box, corner_w, corner_h, visible);
    const Region inner = w ? Region::rounded_rect(inset(box, w), corner_w - 2 * w, corner_h - 2 * w, visible) : whole;
    fill_with_brush(dc, inner);
    if (w) fill_with_pen(dc, whole.combine(inner, Region::Op::Diff));
}

std::vector<POINT> to_surface(const Dc& dc, const POINT* points, int count) {
    std::vector<POINT> out;
    out.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) out.push_back(dc.to_surface(points[i].x, points[i].y));
    return out;
}

}  // namespace

BOOL MoveToEx(HDC handle, int x, int y, POINT* old) {
    auto dc = find_dc(handle);
    if (!dc) return FALSE;
    if (old) *old = dc->state.position;
    dc->state.position = POINT{x, y};
    return TRUE;
}

BOOL GetCurrentPositionEx(HDC handle, POINT* out) {
    auto dc = find_dc(handle);
    if (!dc || !out) return FALSE;
    *out = dc->state.position;
    return TRUE;
}

BOOL LineTo(HDC handle, int x, int y) {
    auto dc = find_dc(handle);
    if (!dc) return FALSE;
    const POINT from = dc->state.position;
    outline(*dc, {dc->to_surface(from.x, from.y), dc->to_surface(x, y)}, false);
    dc->state.position = POINT{x, y};
    return TRUE;
}

BOOL Polyline(HDC handle, const POINT* points, int count) {
    auto dc = find_dc(handle);
    if (!dc || !points || count < 2) return FALSE;
    outline(*dc, to_surface(*dc, points, count), false);
    return TRUE;
}

BOOL Polygon(HDC handle, const POINT* points, int count) {
    auto dc = find_dc(handle);
    if (!dc || !points || count < 2) return FALSE;
    const std::vector<POINT> on_surface = to_surface(*dc, points, count);
    fill_with_brush(*dc, Region::polygon(on_surface.data(), count, Region::Fill::Alternate));
    outline(*dc, on_surface, true);
    return TRUE;
}

BOOL Rectangle(HDC handle, int left, int top, int right, int bottom) {
    auto dc = find_dc(handle);
    if (!dc) return FALSE;
    RECT box = dc->to_surface(RECT{left, top, right, bottom});
    // Without a pen the fill leaves out the right and bottom edges.
    if (!pen_width(*dc)) {
        box.right -= 1;
        box.bottom -= 1;
    }
    draw_closed_shape(*dc, box, 0, 0);
    return TRUE;
}

BOOL RoundRect(HDC handle, int left, int top, int right, int bottom, int ellipse_width, int ellipse_height) {
    auto dc = find_dc(handle);
    if (!dc) return FALSE;
    draw_closed_shape(*dc, dc->to_surface(RECT{left, top, right, bottom}), dc->scale_x(ellipse_width),
                      dc->scale_y(ellipse_height));
    return TRUE;
}

BOOL Ellipse(HDC handle, int left, int top, int right, int bottom) {
    auto dc = find_dc(handle);
    if (!dc) return FALSE;
    const RECT box = dc->to_surface(RECT{left, top, right, bottom});
    draw_closed_shape(*dc, box, box.right - box.left, box.bottom - box.top);
    return TRUE;
}
