#include "platform/gdi/region.h"

#include <algorithm>
#include <cmath>

namespace gdi {

namespace {

bool apply(Region::Op op, bool a, bool b) {
    switch (op) {
        case Region::Op::And: return a && b;
        case Region::Op::Or: return a || b;
        case Region::Op::Xor: return a != b;
        case Region::Op::Diff: return a && !b;
    }
    return false;
}

// One row's spans of a combined with b.
std::vector<Region::Span> combine_spans(const std::vector<Region::Span>& a, const std::vector<Region::Span>& b,
                                        Region::Op op) {
    std::vector<LONG> edges;
    edges.reserve(2 * (a.size() + b.size()));
    for (const auto& s : a) edges.insert(edges.end(), {s.left, s.right});
    for (const auto& s : b) edges.insert(edges.end(), {s.left, s.right});
    std::sort(edges.begin(), edges.end());
    edges.erase(std::unique(edges.begin(), edges.end()), edges.end());

    std::vector<Region::Span> out;
    std::size_t ia = 0, ib = 0;
    for (std::size_t i = 0; i + 1 < edges.size(); ++i) {
        const LONG x0 = edges[i], x1 = edges[i + 1];
        while (ia < a.size() && a[ia].right <= x0) ++ia;
        while (ib < b.size() && b[ib].right <= x0) ++ib;
        const bool in_a = ia < a.size() && a[ia].left <= x0;
        const bool in_b = ib < b.size() && b[ib].left <= x0;
        if (!apply(op, in_a, in_b)) continue;
        if (!out.empty() && out.back().right == x0)
            out.back().right = x1;
        else
            out.push_back({x0, x1});
    }
    return out;
}

const std::vector<Region::Span>* spans_at(const std::vector<Region::Band>& bands, LONG y) {
    auto it = std::upper_bound(bands.begin(), bands.end(), y,
                               [](LONG value, const Region::Band& band) { return value < band.bottom; });
    if (it == bands.end() || it->top > y) return nullptr;
    return &it->spans;
}

}  // namespace

Region::Region(const RECT& rect) {
    if (rect.right > rect.left && rect.bottom > rect.top)
        bands_.push_back({rect.top, rect.bottom, {{rect.left, rect.right}}});
}

void Region::append_band(LONG top, LONG bottom, std::vector<Span> spans) {
    if (spans.empty() || bottom <= top) return;
    if (!bands_.empty() && bands_.back().bottom == top && bands_.back().spans == spans) {
        bands_.back().bottom = bottom;
        return;
    }
    bands_.push_back({top, bottom, std::move(spans)});
}

Region Region::from_rows(LONG top, std::vector<std::vector<Span>> rows) {
    Region out;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const LONG y = top + static_cast<LONG>(i);
        out.append_band(y, y + 1, std::move(rows[i]));
    }
    return out;
}

Region Region::rounded_rect(const RECT& r, LONG corner_w, LONG corner_h, const RECT& rows_wanted) {
    const LONG w = r.right - r.left, h = r.bottom - r.top;
    if (w <= 0 || h <= 0) return Region();
    corner_w = std::clamp<LONG>(corner_w, 0, w);
    corner_h = std::clamp<LONG>(corner_h, 0, h);
    if (corner_w < 2 || corner_h < 2) return Region(r);
    const double rx = corner_w / 2.0, ry = corner_h / 2.0;
    const LONG first = std::max(r.top, rows_wanted.top), last = std::min(r.bottom, rows_wanted.bottom);
    std::vector<std::vector<Span>> rows;
    for (LONG y = first; y < last; ++y) {
        // Distance of the row's centre into the nearer corner zone.
        const double yc = y + 0.5;
        double inset = 0;
        const double top_zone = r.top + ry, bottom_zone = r.bottom - ry;
        const double dy = yc < top_zone ? top_zone - yc : (yc > bottom_zone ? yc - bottom_zone : 0);
        if (dy > 0) inset = rx - rx * std::sqrt(std::max(0.0, 1 - (dy / ry) * (dy / ry)));
        const auto left = static_cast<LONG>(std::lround(r.left + inset));
        const auto right = static_cast<LONG>(std::lround(r.right - inset));
        rows.push_back(right > left ? std::vector<Span>{{left, right}} : std::vector<Span>{});
    }
    return from_rows(first, std::move(rows));
}

Region Region::polygon(const POINT* points, int count, Fill fill) {
    Region out;
    if (!points || count < 3) return out;
    LONG min_y = points[0].y, max_y = points[0].y;
    for (int i = 1; i < count; ++i) {
        min_y = std::min(min_y, points[i].y);
        max_y = std::max(max_y, points[i].y);
    }
    struct Crossing {
        double x;
        int direction;
    };
    std::vector<Crossing> crossings;
    min_y = std::max(min_y, -kPolygonLimit);
    max_y = std::min(max_y, kPolygonLimit);
    for (LONG y = min_y; y < max_y; ++y) {
        // Pixels belong to the polygon when their centre does.
        const double yc = y + 0.5;
        crossings.clear();
        for (int i = 0; i < count; ++i) {
            const POINT& p = points[i];
            const POINT& q = points[(i + 1) % count];
            if (p.y == q.y) continue;
            const bool down = p.y < q.y;
            const POINT& lo = down ? p : q;
            const POINT& hi = down ? q : p;
            if (yc < lo.y || yc >= hi.y) continue;
            const double x =
                lo.x + (yc - lo.y) * (static_cast<double>(hi.x) - lo.x) / (static_cast<double>(hi.y) - lo.y);
            crossings.push_back({x, down ? 1 : -1});
        }
        std::sort(crossings.begin(), crossings.end(), [](const Crossing& a, const Crossing& b) { return a.x < b.x; });
        std::vector<Span> row;
        int winding = 0;
        for (std::size_t i = 0; i + 1 < crossings.size(); ++i) {
            winding += crossings[i].direction;
            const bool inside = fill == Fill::Alternate ? (i % 2 == 0) : winding != 0;
            if (!inside) continue;
            const double limit = kPolygonLimit;
            const auto left = static_cast<LONG>(std::ceil(std::clamp(crossings[i].x, -limit, limit) - 0.5));
            const auto right = static_cast<LONG>(std::ceil(std::clamp(crossings[i + 1].x, -limit, limit) - 0.5));
            if (right <= left) continue;
            if (!row.empty() && row.back().right >= left)
                row.back().right = std::max(row.back().right, right);
            else
                row.push_back({left, right});
        }
        out.append_band(y, y + 1, std::move(row));
    }
    return out;
}

RECT Region::bounds() const {
    if (bands_.empty()) return RECT{0, 0, 0, 0};
    RECT r{bands_.front().spans.front().left, bands_.front().top, bands_.front().spans.back().right,
           bands_.back().bottom};
    for (const auto& band : bands_) {
        r.left = std::min(r.left, band.spans.front().left);
        r.right = std::max(r.right, band.spans.back().right);
    }
    return r;
}

bool Region::contains(LONG x, LONG y) const {
    const auto* spans = spans_at(bands_, y);
    if (!spans) return false;
    auto it = std::upper_bound(spans->begin(), spans->end(), x,
                               [](LONG value, const Span& span) { return value < span.right; });
    return it != spans->end() && it->left <= x;
}

bool Region::intersects(const RECT& rect) const {
    if (rect.right <= rect.left || rect.bottom <= rect.top) return false;
    for (const auto& band : bands_) {
        if (band.bottom <= rect.top) continue;
        if (band.top >= rect.bottom) break;
        for (const auto& span : band.spans)
            if (span.left < rect.right && span.right > rect.left) return true;
    }
    return false;
}

std::vector<RECT> Region::rects() const {
    std::vector<RECT> out;
    for (const auto& band : bands_)
        for (const auto& span : band.spans) out.push_back(RECT{span.left, band.top, span.right, band.bottom});
    return out;
}

Region Region::combine(const Region& other, Op op) const {
    std::vector<LONG> ys;
    for (const auto* bands : {&bands_, &other.bands_})
        for (const auto& band : *bands) ys.insert(ys.end(), {band.top, band.bottom});
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());

    static const std::vector<Span> none;
    Region out;
    for (std::size_t i = 0; i + 1 < ys.size(); ++i) {
        const auto* a = spans_at(bands_, ys[i]);
        const auto* b = spans_at(other.bands_, ys[i]);
        if (!a && !b) continue;
        out.append_band(ys[i], ys[i + 1], combine_spans(a ? *a : none, b ? *b : none, op));
    }
    return out;
}

void Region::offset(LONG dx, LONG dy) {
    // Saturating, so that a wild offset cannot overflow; shapes pushed that
    // far out are gone from any surface anyway.
    auto moved = [](LONG v, LONG by) {
        constexpr long long limit = 1 << 30;
        return static_cast<LONG>(std::clamp(static_cast<long long>(v) + by, -limit, limit));
    };
    std::vector<Band> bands = std::move(bands_);
    bands_.clear();
    for (auto& band : bands) {
        std::vector<Span> spans;
        for (const auto& span : band.spans)
            if (const Span s{moved(span.left, dx), moved(span.right, dx)}; s.right > s.left) spans.push_back(s);
        append_band(moved(band.top, dy), moved(band.bottom, dy), std::move(spans));
    }
}

bool Region::operator==(const Region& other) const {
    if (bands_.size() != other.bands_.size()) return false;
    for (std::size_t i = 0; i < bands_.size(); ++i) {
        const auto& a = bands_[i];
        const auto& b = other.bands_[i];
        if (a.top != b.top || a.bottom != b.bottom || a.spans != b.spans) return false;
    }
    return true;
}

}  // namespace gdi
