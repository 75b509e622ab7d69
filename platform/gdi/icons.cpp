// Icons: an AND mask and an XOR image drawn together.
#include <algorithm>

#include "platform/gdi/gdi.h"
#include "platform/gdi/masked_draw.h"
#include "platform/gdi/raster.h"

using namespace gdi;

namespace {

Surface as_mono(const Surface& s) {
    Surface out = s;
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) out.set(x, y, nearest_mono(out.at(x, y)));
    return out;
}

Surface part(const Surface& s, int top, int height) {
    Surface out(s.width(), height);
    for (int y = 0; y < height; ++y) std::copy_n(s.row(top + y), s.width(), out.row(y));
    return out;
}

HBITMAP bitmap_of(const Surface& s, bool mono) {
    const HBITMAP handle = CreateBitmap(s.width(), s.height(), 1, mono ? 1 : 32, nullptr);
    if (auto bitmap = find<BitmapObject>(handle)) *bitmap->surface = s;
    return handle;
}

}  // namespace

HICON CreateIconIndirect(const ICONINFO* info) {
    if (!info) return nullptr;
    auto mask = find<BitmapObject>(info->hbmMask);
    if (!mask) return nullptr;
    auto icon = std::make_shared<IconObject>();
    icon->is_icon = info->fIcon != FALSE;
    icon->hotspot = POINT{static_cast<LONG>(info->xHotspot), static_cast<LONG>(info->yHotspot)};
    const Surface mono = as_mono(*mask->surface);
    if (info->hbmColor) {
        auto color = find<BitmapObject>(info->hbmColor);
        if (!color || color->surface->width() != mono.width() || color->surface->height() != mono.height())
            return nullptr;
        icon->mask = mono;
        icon->image = *color->surface;
    } else {
        if (mono.height() < 2 || mono.height() % 2) return nullptr;
        const int half = mono.height() / 2;
        icon->mask = part(mono, 0, half);
        icon->image = part(mono, half, half);
    }
    return add<HICON>(std::move(icon));
}

BOOL DestroyIcon(HICON icon) {
    Kind kind;
    if (!kind_of(icon, &kind) || kind != Kind::Icon) return FALSE;
    return remove_object(icon) ? TRUE : FALSE;
}

BOOL GetIconInfo(HICON handle, ICONINFO* out) {
    auto icon = find<IconObject>(handle);
    if (!icon || !out) return FALSE;
    out->fIcon = icon->is_icon ? TRUE : FALSE;
    out->xHotspot = static_cast<DWORD>(icon->hotspot.x);
    out->yHotspot = static_cast<DWORD>(icon->hotspot.y);
    out->hbmMask = bitmap_of(icon->mask, true);
    out->hbmColor = bitmap_of(icon->image, false);
    return TRUE;
}

BOOL DrawIconEx(HDC handle, int x, int y, HICON icon_handle, int cx, int cy, UINT, HBRUSH, UINT flags) {
    auto dc = find_dc(handle);
    auto icon = find<IconObject>(icon_handle);
    if (!dc || !icon || !dc->target() || icon->mask.empty()) return FALSE;
    const LONG w = dc->scale_x(cx ? cx : icon->mask.width());
    const LONG h = dc->scale_y(cy ? cy : icon->mask.height());
    const POINT at = dc->to_surface(x, y);
    const unsigned parts = (flags & DI_MASK ? kMaskPart : 0) | (flags & DI_IMAGE ? kImagePart : 0);
    draw_masked(*dc, RECT{at.x, at.y, at.x + w, at.y + h}, icon->image, &icon->mask, parts);
    return TRUE;
}
