#pragma once
// Value-returning forms of the drawing layer's rectangle calls, which the
// window manager uses everywhere.
#include "platform/gdi/win_rect.h"
#include "platform/user/user_types.h"

namespace kit::user {

inline bool rect_empty(const RECT& r) { return IsRectEmpty(&r) != FALSE; }

inline RECT rect_intersection(const RECT& a, const RECT& b) {
    RECT r{0, 0, 0, 0};
    IntersectRect(&r, &a, &b);
    return r;
}

inline RECT rect_union(const RECT& a, const RECT& b) {
    RECT r{0, 0, 0, 0};
    UnionRect(&r, &a, &b);
    return r;
}

inline RECT rect_offset(RECT r, int dx, int dy) {
    OffsetRect(&r, dx, dy);
    return r;
}

inline bool rect_contains(const RECT& r, POINT p) { return PtInRect(&r, p) != FALSE; }
inline bool rect_equal(const RECT& a, const RECT& b) { return EqualRect(&a, &b) != FALSE; }

}  // namespace kit::user
