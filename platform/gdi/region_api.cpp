// Region handles and the DC clip.
#include <algorithm>

#include "platform/gdi/dc.h"
#include "platform/gdi/gdi.h"

using namespace gdi;

namespace {

int complexity(const Region& r) {
    if (r.empty()) return NULLREGION;
    return r.is_rect() ? SIMPLEREGION : COMPLEXREGION;
}

HRGN new_region(Region r) {
    auto object = std::make_shared<RegionObject>();
    object->region = std::move(r);
    return add<HRGN>(std::move(object));
}

// The DC clip in device coordinates, for narrowing: none means everything
// the DC can draw on.
Region device_clip(Dc& dc) {
    if (dc.state.clip) return *dc.state.clip;
    Region all = dc.clip();
    all.offset(-dc.origin.x, -dc.origin.y);
    return all;
}

int set_clip(Dc& dc, std::optional<Region> clip) {
    dc.state.clip = std::move(clip);
    dc.clip_changed();
    return complexity(dc.clip());
}

RECT device_rect(Dc& dc, int left, int top, int right, int bottom) {
    RECT r = dc.to_surface(RECT{left, top, right, bottom});
    OffsetRect(&r, -dc.origin.x, -dc.origin.y);
    return r;
}

}  // namespace

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
    return new_region(
        Region(RECT{std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)}));
}

HRGN CreateRectRgnIndirect(const RECT* rect) {
    return rect ? CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom) : nullptr;
}

HRGN CreatePolygonRgn(const POINT* points, int count, int fill_mode) {
    if (!points || count < 0 || (fill_mode != ALTERNATE && fill_mode != WINDING)) return nullptr;
    return new_region(
        Region::polygon(points, count, fill_mode == WINDING ? Region::Fill::Winding : Region::Fill::Alternate));
}

int CombineRgn(HRGN dst, HRGN a, HRGN b, int mode) {
    auto out = find<RegionObject>(dst);
    auto first = find<RegionObject>(a);
    if (!out || !first) return ERROR;
    if (mode == RGN_COPY) {
        out->region = first->region;
        return complexity(out->region);
    }
    auto second = find<RegionObject>(b);
    if (!second) return ERROR;
    Region::Op op;
    switch (mode) {
        case RGN_AND: op = Region::Op::And; break;
        case RGN_OR: op = Region::Op::Or; break;
        case RGN_XOR: op = Region::Op::Xor; break;
        case RGN_DIFF: op = Region::Op::Diff; break;
        default: return ERROR;
    }
    out->region = first->region.combine(second->region, op);
    return complexity(out->region);
}

BOOL SetRectRgn(HRGN region, int left, int top, int right, int bottom) {
    auto object = find<RegionObject>(region);
    if (!object) return FALSE;
    object->region =
        Region(RECT{std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)});
    return TRUE;
}

int OffsetRgn(HRGN region, int dx, int dy) {
    auto object = find<RegionObject>(region);
    if (!object) return ERROR;
    object->region.offset(dx, dy);
    return complexity(object->region);
}

BOOL PtInRegion(HRGN region, int x, int y) {
    auto object = find<RegionObject>(region);
    return object && object->region.contains(x, y) ? TRUE : FALSE;
}

BOOL RectInRegion(HRGN region, const RECT* rect) {
    auto object = find<RegionObject>(region);
    return object && rect && object->region.intersects(*rect) ? TRUE : FALSE;
}

int GetRgnBox(HRGN region, RECT* out) {
    auto object = find<RegionObject>(region);
    if (!object || !out) return ERROR;
    *out = object->region.bounds();
    return complexity(object->region);
}

BOOL EqualRgn(HRGN a, HRGN b) {
    auto first = find<RegionObject>(a);
    auto second = find<RegionObject>(b);
    return first && second && first->region == second->region ? TRUE : FALSE;
}

int SelectClipRgn(HDC handle, HRGN region) {
    auto dc = find_dc(handle);
    if (!dc) return ERROR;
    if (!region) return set_clip(*dc, std::nullopt);
    auto object = find<RegionObject>(region);
    if (!object) return ERROR;
    return set_clip(*dc, object->region);
}

int IntersectClipRect(HDC handle, int left, int top, int right, int bottom) {
    auto dc = find_dc(handle);
    if (!dc) return ERROR;
    const Region r(device_rect(*dc, left, top, right, bottom));
    return set_clip(*dc, device_clip(*dc).combine(r, Region::Op::And));
}

int ExcludeClipRect(HDC handle, int left, int top, int right, int bottom) {
    auto dc = find_dc(handle);
    if (!dc) return ERROR;
    const Region r(device_rect(*dc, left, top, right, bottom));
    return set_clip(*dc, device_clip(*dc).combine(r, Region::Op::Diff));
}

int GetClipBox(HDC handle, RECT* out) {
    auto dc = find_dc(handle);
    if (!dc || !out) return ERROR;
    const Region& clip = dc->clip();
    RECT box = clip.bounds();
    OffsetRect(&box, -dc->origin.x, -dc->origin.y);
    // Back to logical coordinates.
    POINT corners[2] = {{box.left, box.top}, {box.right, box.bottom}};
    DPtoLP(handle, corners, 2);
    *out = RECT{corners[0].x, corners[0].y, corners[1].x, corners[1].y};
    return complexity(clip);
}

BOOL RectVisible(HDC handle, const RECT* rect) {
    auto dc = find_dc(handle);
    if (!dc || !rect) return FALSE;
    return dc->clip().intersects(dc->to_surface(*rect)) ? TRUE : FALSE;
}

BOOL PtVisible(HDC handle, int x, int y) {
    auto dc = find_dc(handle);
    if (!dc) return FALSE;
    const POINT p = dc->to_surface(x, y);
    return dc->clip().contains(p.x, p.y) ? TRUE : FALSE;
}
