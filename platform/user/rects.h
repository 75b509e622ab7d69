#pragma once
// Small rectangle helpers the window manager uses everywhere.
#include <algorithm>

#include "platform/user/user_types.h"

namespace kit::user {

inline bool rect_empty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

inline RECT rect_intersection(const RECT& a, const RECT& b) {
    RECT r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
    return rect_empty(r) ? RECT{0, 0, 0, 0} : r;
}

inline RECT rect_union(const RECT& a, const RECT& b) {
    if (rect_empty(a)) return b;
    if (rect_empty(b)) return a;
    return RECT{std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right), std::max(a.bottom, b.bottom)};
}

inline RECT rect_offset(RECT r, int dx, int dy) { return RECT{r.left + dx, r.top + dy, r.right + dx, r.bottom + dy}; }

inline bool rect_contains(const RECT& r, POINT p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

inline bool rect_equal(const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace kit::user
