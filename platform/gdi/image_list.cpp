// Image lists: images of one size kept apart, each with its AND mask.
#include "platform/gdi/image_list.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <utility>
#include <vector>

#include "platform/gdi/masked_draw.h"
#include "platform/gdi/raster.h"
#include "platform/gdi/surface_dc.h"

using namespace gdi;

namespace gdi {

struct ImageListObject {
    static constexpr Kind kind = Kind::ImageList;
    int cx = 0, cy = 0;
    bool masked = false;
    COLORREF bk = CLR_NONE;
    std::vector<Surface> images;
    std::vector<Surface> masks;  // black where the image shows
    std::array<int, 16> overlays;
    ImageListObject() { overlays.fill(-1); }
};

}  // namespace gdi

namespace {

constexpr int kMaxSide = 4096;

// A cx x cy piece of `s` from (x, 0), scaled when `s` is not that high.
Surface piece(const Surface& s, int x, int cx, int cy) {
    Surface out(cx, cy, 0);
    for (int v = 0; v < cy; ++v)
        for (int u = 0; u < cx; ++u) {
            const int sx = x + u, sy = s.height() == cy ? v : v * s.height() / cy;
            if (sx < s.width() && sy < s.height()) out.set(u, v, s.at(sx, sy));
        }
    return out;
}

Surface scaled(const Surface& s, int cx, int cy) {
    Surface out(cx, cy, 0);
    for (int v = 0; v < cy; ++v)
        for (int u = 0; u < cx; ++u) out.set(u, v, s.at(u * s.width() / cx, v * s.height() / cy));
    return out;
}

int append(ImageListObject& list, const Surface& image, const Surface* mask) {
    if (image.width() < list.cx) return -1;
    const int first = static_cast<int>(list.images.size());
    for (int x = 0; x + list.cx <= image.width(); x += list.cx) {
        list.images.push_back(piece(image, x, list.cx, list.cy));
        Surface m = mask ? piece(*mask, x, list.cx, list.cy) : Surface(list.cx, list.cy, 0);
        for (int v = 0; v < list.cy; ++v)
            for (int u = 0; u < list.cx; ++u) m.set(u, v, nearest_mono(m.at(u, v)));
        list.masks.push_back(std::move(m));
    }
    return first;
}

bool valid(const ImageListObject& list, int index) {
    return index >= 0 && index < static_cast<int>(list.images.size());
}

// The image mixed with the highlight colour where it shows, for the selected
// and focused looks.
Surface blended(const Surface& image, const Surface& mask, int percent) {
    const Pixel h = pixel_from_colorref(sys_color(COLOR_HIGHLIGHT));
    Surface out = image;
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            if (mask.at(x, y)) continue;
            const Pixel p = out.at(x, y);
            Pixel mixed = 0;
            for (int shift = 0; shift <= 16; shift += 8) {
                const int a = (p >> shift) & 0xFF, b = (h >> shift) & 0xFF;
                mixed |= static_cast<Pixel>((a * (100 - percent) + b * percent) / 100) << shift;
            }
            out.set(x, y, mixed);
        }
    return out;
}

}  // namespace

HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int, int) {
    if (cx <= 0 || cy <= 0 || cx > kMaxSide || cy > kMaxSide) return nullptr;
    auto list = std::make_shared<ImageListObject>();
    list->cx = cx;
    list->cy = cy;
    list->masked = flags & ILC_MASK;
    return add<HIMAGELIST>(std::move(list));
}

BOOL ImageList_Destroy(HIMAGELIST list) {
    Kind kind;
    if (!kind_of(list, &kind) || kind != Kind::ImageList) return FALSE;
    return remove_object(list) ? TRUE : FALSE;
}

int ImageList_Add(HIMAGELIST handle, HBITMAP image, HBITMAP mask) {
    auto list = find<ImageListObject>(handle);
    auto bitmap = find<BitmapObject>(image);
    if (!list || !bitmap) return -1;
    auto mask_bitmap = find<BitmapObject>(mask);
    return append(*list, *bitmap->surface, mask_bitmap ? mask_bitmap->surface.get() : nullptr);
}

int ImageList_AddMasked(HIMAGELIST handle, HBITMAP image, COLORREF mask_color) {
    auto list = find<ImageListObject>(handle);
    auto bitmap = find<BitmapObject>(image);
    if (!list || !bitmap) return -1;
    Surface pixels = *bitmap->surface;
    Surface mask(pixels.width(), pixels.height(), 0);
    const Pixel key = pixel_from_colorref(mask_color);
    for (int y = 0; y < pixels.height(); ++y)
        for (int x = 0; x < pixels.width(); ++x)
            if (pixels.at(x, y) == key) {
                mask.set(x, y, 0xFFFFFF);
                pixels.set(x, y, 0);  // black XORs onto the background unchanged
            }
    return append(*list, pixels, &mask);
}

int ImageList_AddIcon(HIMAGELIST handle, HICON icon_handle) {
    auto list = find<ImageListObject>(handle);
    auto icon = find<IconObject>(icon_handle);
    if (!list || !icon || icon->image.empty()) return -1;
    list->images.push_back(scaled(icon->image, list->cx, list->cy));
    list->masks.push_back(scaled(icon->mask, list->cx, list->cy));
    return static_cast<int>(list->images.size()) - 1;
}

BOOL ImageList_Remove(HIMAGELIST handle, int index) {
    auto list = find<ImageListObject>(handle);
    if (!list) return FALSE;
    if (index == -1) {
        list->images.clear();
        list->masks.clear();
        return TRUE;
    }
    if (!valid(*list, index)) return FALSE;
    list->images.erase(list->images.begin() + index);
    list->masks.erase(list->masks.begin() + index);
    return TRUE;
}

int ImageList_GetImageCount(HIMAGELIST handle) {
    auto list = find<ImageListObject>(handle);
    return list ? static_cast<int>(list->images.size()) : 0;
}

BOOL ImageList_GetIconSize(HIMAGELIST handle, int* cx, int* cy) {
    auto list = find<ImageListObject>(handle);
    if (!list || !cx || !cy) return FALSE;
    *cx = list->cx;
    *cy = list->cy;
    return TRUE;
}

BOOL ImageList_GetImageInfo(HIMAGELIST handle, int index, IMAGEINFO* out) {
    auto list = find<ImageListObject>(handle);
    if (!list || !out || !valid(*list, index)) return FALSE;
    *out = IMAGEINFO{nullptr, nullptr, 0, 0, RECT{index * list->cx, 0, (index + 1) * list->cx, list->cy}};
    return TRUE;
}

COLORREF ImageList_SetBkColor(HIMAGELIST handle, COLORREF color) {
    auto list = find<ImageListObject>(handle);
    if (!list) return CLR_NONE;
    return std::exchange(list->bk, color);
}

COLORREF ImageList_GetBkColor(HIMAGELIST handle) {
    auto list = find<ImageListObject>(handle);
    return list ? list->bk : CLR_NONE;
}

BOOL ImageList_SetOverlayImage(HIMAGELIST handle, int image, int overlay) {
    auto list = find<ImageListObject>(handle);
    if (!list || overlay < 1 || overlay > 15 || !valid(*list, image)) return FALSE;
    list->overlays[overlay] = image;
    return TRUE;
}

BOOL ImageList_Draw(HIMAGELIST handle, int index, HDC dc_handle, int x, int y, UINT style) {
    auto list = find<ImageListObject>(handle);
    auto dc = find_dc(dc_handle);
    if (!list || !dc || !valid(*list, index)) return FALSE;
    const POINT at = dc->to_surface(x, y);
    const RECT box{at.x, at.y, at.x + list->cx, at.y + list->cy};
    const Surface& mask = list->masks[index];
    if (style & ILD_MASK) {
        draw_masked(*dc, box, mask, nullptr, kImagePart);
        return TRUE;
    }
    const int blend = style & ILD_BLEND50 ? 50 : (style & ILD_BLEND25 ? 25 : 0);
    const Surface image = blend ? blended(list->images[index], mask, blend) : list->images[index];
    if (!list->masked) {
        draw_masked(*dc, box, image, nullptr, kImagePart);
    } else {
        const bool transparent = (style & ILD_TRANSPARENT) || list->bk == CLR_NONE;
        if (!transparent) fill_rect(*dc, box, Paint::solid(*dc, list->bk), rop3_code(PATCOPY));
        draw_masked(*dc, box, image, &mask, kMaskPart | kImagePart);
    }
    const int overlay = static_cast<int>((style & ILD_OVERLAYMASK) >> 8);
    if (overlay > 0 && valid(*list, list->overlays[overlay])) {
        const int o = list->overlays[overlay];
        draw_masked(*dc, box, list->images[o], &list->masks[o], kMaskPart | kImagePart);
    }
    return TRUE;
}

HIMAGELIST ImageList_Duplicate(HIMAGELIST handle) {
    auto list = find<ImageListObject>(handle);
    if (!list) return nullptr;
    return add<HIMAGELIST>(std::make_shared<ImageListObject>(*list));
}

HIMAGELIST ImageList_Merge(HIMAGELIST first_handle, int first_index, HIMAGELIST second_handle, int second_index, int dx,
                           int dy) {
    auto first = find<ImageListObject>(first_handle);
    auto second = find<ImageListObject>(second_handle);
    if (!first || !second || !valid(*first, first_index) || !valid(*second, second_index)) return nullptr;
    if (std::abs(dx) > kMaxSide || std::abs(dy) > kMaxSide) return nullptr;
    const int left = std::min(0, dx), top = std::min(0, dy);
    const int cx = std::max(first->cx, dx + second->cx) - left;
    const int cy = std::max(first->cy, dy + second->cy) - top;
    auto merged = std::make_shared<ImageListObject>();
    merged->cx = cx;
    merged->cy = cy;
    merged->masked = true;
    Surface image(cx, cy, 0), mask(cx, cy, 0xFFFFFF);
    auto lay = [&](const ImageListObject& from, int index, int ox, int oy) {
        for (int v = 0; v < from.cy; ++v)
            for (int u = 0; u < from.cx; ++u) {
                if (from.masked && from.masks[index].at(u, v)) continue;
                image.set(ox + u, oy + v, from.images[index].at(u, v));
                mask.set(ox + u, oy + v, 0);
            }
    };
    lay(*first, first_index, -left, -top);
    lay(*second, second_index, dx - left, dy - top);
    merged->images.push_back(std::move(image));
    merged->masks.push_back(std::move(mask));
    return add<HIMAGELIST>(std::move(merged));
}
