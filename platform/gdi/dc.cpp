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

LONG scale(LONG value, LONG to, LONG from) {
    if (from == 0 || to == from) return value;
    return static_cast<LONG>(static_cast<long long>(value) * to / from);
}

}  // namespace

LONG Dc::scale_x(LONG length) const {
    return state.map_mode == MM_TEXT ? length : scale(length, state.viewport_ext.cx, state.window_ext.cx);
}

LONG Dc::scale_y(LONG length) const {
    return state.map_mode == MM_TEXT ? length : scale(length, state.viewport_ext.cy, state.window_ext.cy);
}

POINT Dc::to_device(LONG x, LONG y) const {
    return POINT{scale_x(x - state.window_org.x) + state.viewport_org.x,
                 scale_y(y - state.window_org.y) + state.viewport_org.y};
}

POINT Dc::to_surface(LONG x, LONG y) const {
    const POINT p = to_device(x, y);
    return POINT{p.x + origin.x, p.y + origin.y};
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
