#include "platform/gdi/dc.h"

#include <algorithm>

#include "platform/gdi/fonts.h"

namespace gdi {

Surface* Dc::target() const {
    if (!memory) return surface.get();
    return state.bitmap.object ? state.bitmap.object->surface.get() : nullptr;
}

bool Dc::mono() const { return memory && state.bitmap.object && state.bitmap.object->mono; }

const Region& Dc::clip() {
    const Surface* s = target();
    const int w = s ? s->width() : 0;
    const int h = s ? s->height() : 0;
    if (clip_valid_ && s == clip_surface_ && w == clip_width_ && h == clip_height_) return clip_cache_;
    Region r(RECT{0, 0, w, h});
    if (system_clip) r = r.combine(*system_clip, Region::Op::And);
    if (state.clip) {
        Region user = *state.clip;
        user.offset(origin.x, origin.y);
        r = r.combine(user, Region::Op::And);
    }
    clip_cache_ = std::move(r);
    clip_valid_ = true;
    clip_surface_ = s;
    clip_width_ = w;
    clip_height_ = h;
    return clip_cache_;
}

namespace {

// Coordinates stay well inside 32 bits whatever the program passes, so
// that no sum or product below can overflow; nothing that far out is drawn.
constexpr long long kCoordinateLimit = 1 << 28;

LONG clamp_coordinate(long long v) { return static_cast<LONG>(std::clamp(v, -kCoordinateLimit, kCoordinateLimit)); }

LONG scale(LONG value, LONG to, LONG from) {
    if (from == 0 || to == from) return value;
    return clamp_coordinate(static_cast<long long>(value) * to / from);
}

}  // namespace

LONG Dc::scale_x(LONG length) const {
    return state.map_mode == MM_TEXT ? clamp_coordinate(length)
                                     : scale(clamp_coordinate(length), state.viewport_ext.cx, state.window_ext.cx);
}

LONG Dc::scale_y(LONG length) const {
    return state.map_mode == MM_TEXT ? clamp_coordinate(length)
                                     : scale(clamp_coordinate(length), state.viewport_ext.cy, state.window_ext.cy);
}

POINT Dc::to_device(LONG x, LONG y) const {
    const LONG dx = scale_x(clamp_coordinate(static_cast<long long>(x) - state.window_org.x));
    const LONG dy = scale_y(clamp_coordinate(static_cast<long long>(y) - state.window_org.y));
    return POINT{clamp_coordinate(static_cast<long long>(dx) + state.viewport_org.x),
                 clamp_coordinate(static_cast<long long>(dy) + state.viewport_org.y)};
}

POINT Dc::to_surface(LONG x, LONG y) const {
    const POINT p = to_device(x, y);
    return POINT{clamp_coordinate(static_cast<long long>(p.x) + origin.x),
                 clamp_coordinate(static_cast<long long>(p.y) + origin.y)};
}

RECT Dc::to_surface(const RECT& logical) const {
    const POINT a = to_surface(logical.left, logical.top);
    const POINT b = to_surface(logical.right, logical.bottom);
    return RECT{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

const FontFace& Dc::face() {
    const auto& font = state.font.object;
    if (!face_ || font != face_font_ || face_generation_ != font_generation()) {
        face_ = realise_font(font ? font->logfont : LOGFONT{});
        face_font_ = font;
        face_generation_ = font_generation();
    }
    return *face_;
}

std::shared_ptr<Dc> find_dc(HDC dc) { return find<Dc>(dc); }

}  // namespace gdi
