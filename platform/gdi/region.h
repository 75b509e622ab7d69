#pragma once
// A region: a set of pixels kept as horizontal bands, each band a sorted list
// of disjoint spans. Used for clipping, window shapes and the region calls.
#include <vector>

#include "platform/gdi/win_types.h"

namespace gdi {

class Region {
public:
    struct Span {
        LONG left;
        LONG right;  // exclusive
        bool operator==(const Span&) const = default;
    };
    struct Band {
        LONG top;
        LONG bottom;  // exclusive
        std::vector<Span> spans;
    };
    enum class Op { And, Or, Xor, Diff };
    enum class Fill { Alternate, Winding };

    // Polygons keep only the rows and columns within this distance of 0, as
    // the platform's 16-bit coordinate space did: a wild outline cannot make
    // a region of millions of rows.
    static constexpr LONG kPolygonLimit = 32768;

    Region() = default;
    explicit Region(const RECT& rect);
    static Region polygon(const POINT* points, int count, Fill fill);
    // A rectangle with elliptic corners of the given diameters (the box's own
    // make an ellipse); only its rows within `rows_wanted` are made.
    static Region rounded_rect(const RECT& box, LONG corner_w, LONG corner_h, const RECT& rows_wanted);
    // One row per entry from `top` down, each a sorted list of disjoint spans.
    static Region from_rows(LONG top, std::vector<std::vector<Span>> rows);

    bool empty() const { return bands_.empty(); }
    bool is_rect() const { return bands_.size() == 1 && bands_[0].spans.size() == 1; }
    RECT bounds() const;
    bool contains(LONG x, LONG y) const;
    bool intersects(const RECT& rect) const;
    std::vector<RECT> rects() const;
    const std::vector<Band>& bands() const { return bands_; }

    Region combine(const Region& other, Op op) const;
    void offset(LONG dx, LONG dy);
    bool operator==(const Region& other) const;

private:
    void append_band(LONG top, LONG bottom, std::vector<Span> spans);
    std::vector<Band> bands_;
};

}  // namespace gdi
