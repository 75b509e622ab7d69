// Device contexts: creation, saved states, selected objects and modes.
#include <atomic>
#include <cstring>

#include "platform/gdi/dc.h"
#include "platform/gdi/gdi.h"
#include "platform/gdi/surface_dc.h"

using namespace gdi;

namespace {

template <class T>
void select_stock(Selected<T>& slot, int which) {
    slot.handle = stock_object(which);
    slot.object = find<T>(slot.handle);
}

std::shared_ptr<Dc> new_dc() {
    auto dc = std::make_shared<Dc>();
    select_stock(dc->state.pen, BLACK_PEN);
    select_stock(dc->state.brush, WHITE_BRUSH);
    select_stock(dc->state.font, SYSTEM_FONT);
    return dc;
}

// Sets a DC value and returns the old one, or `failure` for a bad handle.
template <class V>
V exchange(HDC handle, V DcState::*member, V value, V failure) {
    auto dc = find_dc(handle);
    if (!dc) return failure;
    V old = dc->state.*member;
    dc->state.*member = value;
    return old;
}

template <class V>
V read(HDC handle, V DcState::*member, V failure) {
    auto dc = find_dc(handle);
    return dc ? dc->state.*member : failure;
}

BOOL set_point(HDC handle, POINT DcState::*member, POINT value, POINT* old, bool relative) {
    auto dc = find_dc(handle);
    if (!dc) return FALSE;
    POINT& p = dc->state.*member;
    if (old) *old = p;
    p = relative ? POINT{p.x + value.x, p.y + value.y} : value;
    return TRUE;
}

BOOL get_point(HDC handle, POINT DcState::*member, POINT* out) {
    auto dc = find_dc(handle);
    if (!dc || !out) return FALSE;
    *out = dc->state.*member;
    return TRUE;
}

// Extents matter only in the scaled modes (where the isotropic one scales
// like the anisotropic one), and are never zero.
BOOL set_extent(HDC handle, SIZE DcState::*member, SIZE value, SIZE* old) {
    auto dc = find_dc(handle);
    if (!dc) return FALSE;
    if (old) *old = dc->state.*member;
    if (dc->state.map_mode == MM_TEXT || value.cx == 0 || value.cy == 0) return FALSE;
    dc->state.*member = value;
    return TRUE;
}

}  // namespace

// ---- lifetime ---------------------------------------------------------------

HDC CreateCompatibleDC(HDC) {
    auto dc = new_dc();
    dc->memory = true;
    select_stock(dc->state.bitmap, kDefaultBitmapStock);
    return add<HDC>(std::move(dc));
}

BOOL DeleteDC(HDC dc) {
    Kind kind;
    if (!kind_of(dc, &kind) || kind != Kind::Dc) return FALSE;
    return remove_object(dc) ? TRUE : FALSE;
}

int SaveDC(HDC handle) {
    auto dc = find_dc(handle);
    if (!dc) return 0;
    dc->saved.push_back(dc->state);
    return static_cast<int>(dc->saved.size());
}

BOOL RestoreDC(HDC handle, int saved) {
    auto dc = find_dc(handle);
    if (!dc) return FALSE;
    const int depth = static_cast<int>(dc->saved.size());
    const int level = saved < 0 ? depth + 1 + saved : saved;
    if (level < 1 || level > depth) return FALSE;
    dc->state = std::move(dc->saved[level - 1]);
    dc->saved.resize(level - 1);
    dc->clip_changed();
    return TRUE;
}

HDC gdi::create_surface_dc(std::shared_ptr<Surface> surface, POINT origin) {
    if (!surface) return nullptr;
    auto dc = new_dc();
    dc->surface = std::move(surface);
    dc->origin = origin;
    return add<HDC>(std::move(dc));
}

void gdi::set_device_origin(HDC handle, POINT origin) {
    if (auto dc = find_dc(handle)) {
        dc->origin = origin;
        dc->clip_changed();
    }
}

void gdi::set_system_clip(HDC handle, const Region* clip) {
    if (auto dc = find_dc(handle)) {
        dc->system_clip = clip ? std::optional<Region>(*clip) : std::nullopt;
        dc->clip_changed();
    }
}

std::shared_ptr<Surface> gdi::surface_of(HDC handle) {
    auto dc = find_dc(handle);
    if (!dc) return nullptr;
    if (!dc->memory) return dc->surface;
    return dc->state.bitmap.object ? dc->state.bitmap.object->surface : nullptr;
}

std::shared_ptr<Surface> gdi::surface_of(HBITMAP handle) {
    auto bitmap = find<BitmapObject>(handle);
    return bitmap ? bitmap->surface : nullptr;
}

HBITMAP gdi::create_bitmap_over(std::shared_ptr<Surface> surface) {
    if (!surface) return nullptr;
    auto bitmap = std::make_shared<BitmapObject>();
    bitmap->surface = std::move(surface);
    return add<HBITMAP>(std::move(bitmap));
}

Region gdi::region_of(HRGN handle) {
    auto region = find<RegionObject>(handle);
    return region ? region->region : Region{};
}

// ---- objects ----------------------------------------------------------------

HGDIOBJ SelectObject(HDC handle, HGDIOBJ object) {
    auto dc = find_dc(handle);
    Kind kind;
    if (!dc || !kind_of(object, &kind)) return nullptr;
    auto swap = [object](auto& slot) -> HGDIOBJ {
        auto found = find<typename std::remove_reference_t<decltype(slot.object)>::element_type>(object);
        if (!found) return nullptr;
        HGDIOBJ old = slot.handle;
        slot.handle = object;
        slot.object = std::move(found);
        return old;
    };
    switch (kind) {
        case Kind::Pen: return swap(dc->state.pen);
        case Kind::Brush: return swap(dc->state.brush);
        case Kind::Font: return swap(dc->state.font);
        case Kind::Bitmap: {
            if (!dc->memory) return nullptr;
            HGDIOBJ old = swap(dc->state.bitmap);
            dc->clip_changed();
            return old;
        }
        case Kind::Region:
            return reinterpret_cast<HGDIOBJ>(
                static_cast<std::intptr_t>(SelectClipRgn(handle, static_cast<HRGN>(object))));
        case Kind::Dc:
        case Kind::Icon:
        case Kind::ImageList: break;
    }
    return nullptr;
}

BOOL DeleteObject(HGDIOBJ object) {
    Kind kind;
    if (!kind_of(object, &kind) || kind == Kind::Dc || kind == Kind::Icon || kind == Kind::ImageList) return FALSE;
    // A DC that still has the object selected keeps it alive until it lets go.
    return remove_object(object) ? TRUE : FALSE;
}

HGDIOBJ GetStockObject(int which) { return stock_object(which); }

DWORD GetObjectType(HGDIOBJ object) {
    Kind kind;
    if (!kind_of(object, &kind)) return 0;
    switch (kind) {
        case Kind::Pen: return OBJ_PEN;
        case Kind::Brush: return OBJ_BRUSH;
        case Kind::Font: return OBJ_FONT;
        case Kind::Bitmap: return OBJ_BITMAP;
        case Kind::Region: return OBJ_REGION;
        case Kind::Dc: {
            auto dc = find_dc(static_cast<HDC>(object));
            return dc && dc->memory ? OBJ_MEMDC : OBJ_DC;
        }
        case Kind::Icon:
        case Kind::ImageList: break;
    }
    return 0;
}

int GetObject(HGDIOBJ object, int size, void* out) {
    Kind kind;
    if (!kind_of(object, &kind)) return 0;
    auto give = [size, out](const auto& record) {
        const int needed = static_cast<int>(sizeof(record));
        if (!out) return needed;
        if (size < needed) return 0;
        std::memcpy(out, &record, sizeof(record));
        return needed;
    };
    switch (kind) {
        case Kind::Pen: {
            auto pen = find<PenObject>(object);
            return give(LOGPEN{static_cast<UINT>(pen->style), POINT{pen->width, 0}, pen->color});
        }
        case Kind::Brush: {
            auto brush = find<BrushObject>(object);
            return give(LOGBRUSH{brush->style, brush->color, 0});
        }
        case Kind::Font: return give(find<FontObject>(object)->logfont);
        case Kind::Bitmap: {
            auto bitmap = find<BitmapObject>(object);
            const LONG w = bitmap->surface->width();
            const LONG bits = bitmap->mono ? 1 : 32;
            return give(
                BITMAP{0, w, bitmap->surface->height(), (w * bits + 15) / 16 * 2, 1, static_cast<WORD>(bits), nullptr});
        }
        case Kind::Region:
        case Kind::Dc:
        case Kind::Icon:
        case Kind::ImageList: break;
    }
    return 0;
}

HGDIOBJ GetCurrentObject(HDC handle, UINT type) {
    auto dc = find_dc(handle);
    if (!dc) return nullptr;
    switch (type) {
        case OBJ_PEN: return dc->state.pen.handle;
        case OBJ_BRUSH: return dc->state.brush.handle;
        case OBJ_FONT: return dc->state.font.handle;
        case OBJ_BITMAP: return dc->state.bitmap.handle;
        default: return nullptr;
    }
}

namespace {
std::atomic<LONG> g_screen_width{1024};
std::atomic<LONG> g_screen_height{768};
}  // namespace

void gdi::set_screen_size(SIZE size) {
    g_screen_width = size.cx;
    g_screen_height = size.cy;
}

int GetDeviceCaps(HDC handle, int index) {
    auto dc = find_dc(handle);
    if (!dc) return 0;
    if (dc->printer) {
        const int answer = printer_caps(*dc, index);
        if (answer >= 0) return answer;
    }
    switch (index) {
        case HORZRES: return g_screen_width;
        case VERTRES: return g_screen_height;
        case BITSPIXEL: return dc->mono() ? 1 : 32;
        case PLANES: return 1;
        case NUMCOLORS: return -1;
        case LOGPIXELSX:
        case LOGPIXELSY: return 96;
        default: return 0;
    }
}

// ---- coordinates ------------------------------------------------------------

int SetMapMode(HDC handle, int mode) {
    auto dc = find_dc(handle);
    if (!dc || (mode != MM_TEXT && mode != MM_ISOTROPIC && mode != MM_ANISOTROPIC)) return 0;
    const int old = dc->state.map_mode;
    dc->state.map_mode = mode;
    if (mode == MM_TEXT) dc->state.window_ext = dc->state.viewport_ext = SIZE{1, 1};
    return old;
}

int GetMapMode(HDC dc) { return read(dc, &DcState::map_mode, 0); }

BOOL SetWindowOrgEx(HDC dc, int x, int y, POINT* old) {
    return set_point(dc, &DcState::window_org, POINT{x, y}, old, false);
}
BOOL OffsetWindowOrgEx(HDC dc, int dx, int dy, POINT* old) {
    return set_point(dc, &DcState::window_org, POINT{dx, dy}, old, true);
}
BOOL GetWindowOrgEx(HDC dc, POINT* out) { return get_point(dc, &DcState::window_org, out); }
BOOL SetViewportOrgEx(HDC dc, int x, int y, POINT* old) {
    return set_point(dc, &DcState::viewport_org, POINT{x, y}, old, false);
}
BOOL OffsetViewportOrgEx(HDC dc, int dx, int dy, POINT* old) {
    return set_point(dc, &DcState::viewport_org, POINT{dx, dy}, old, true);
}
BOOL GetViewportOrgEx(HDC dc, POINT* out) { return get_point(dc, &DcState::viewport_org, out); }
BOOL SetWindowExtEx(HDC dc, int cx, int cy, SIZE* old) {
    return set_extent(dc, &DcState::window_ext, SIZE{cx, cy}, old);
}
BOOL SetViewportExtEx(HDC dc, int cx, int cy, SIZE* old) {
    return set_extent(dc, &DcState::viewport_ext, SIZE{cx, cy}, old);
}
BOOL SetBrushOrgEx(HDC dc, int x, int y, POINT* old) {
    return set_point(dc, &DcState::brush_org, POINT{x, y}, old, false);
}

BOOL LPtoDP(HDC handle, POINT* points, int count) {
    auto dc = find_dc(handle);
    if (!dc || !points) return FALSE;
    for (int i = 0; i < count; ++i) points[i] = dc->to_device(points[i].x, points[i].y);
    return TRUE;
}

BOOL DPtoLP(HDC handle, POINT* points, int count) {
    auto dc = find_dc(handle);
    if (!dc || !points) return FALSE;
    const DcState& s = dc->state;
    const bool scaled = s.map_mode != MM_TEXT;
    for (int i = 0; i < count; ++i) {
        LONG x = points[i].x - s.viewport_org.x;
        LONG y = points[i].y - s.viewport_org.y;
        if (scaled) {
            x = static_cast<LONG>(static_cast<long long>(x) * s.window_ext.cx / s.viewport_ext.cx);
            y = static_cast<LONG>(static_cast<long long>(y) * s.window_ext.cy / s.viewport_ext.cy);
        }
        points[i] = POINT{x + s.window_org.x, y + s.window_org.y};
    }
    return TRUE;
}

// ---- colours and modes ------------------------------------------------------

COLORREF SetTextColor(HDC dc, COLORREF color) { return exchange(dc, &DcState::text_color, color, CLR_INVALID); }
COLORREF GetTextColor(HDC dc) { return read(dc, &DcState::text_color, CLR_INVALID); }
COLORREF SetBkColor(HDC dc, COLORREF color) { return exchange(dc, &DcState::bk_color, color, CLR_INVALID); }
COLORREF GetBkColor(HDC dc) { return read(dc, &DcState::bk_color, CLR_INVALID); }

int SetBkMode(HDC dc, int mode) {
    if (mode != TRANSPARENT && mode != OPAQUE) return 0;
    return exchange(dc, &DcState::bk_mode, mode, 0);
}
int GetBkMode(HDC dc) { return read(dc, &DcState::bk_mode, 0); }

int SetROP2(HDC dc, int mode) {
    if (mode < R2_BLACK || mode > R2_WHITE) return 0;
    return exchange(dc, &DcState::rop2, mode, 0);
}
int GetROP2(HDC dc) { return read(dc, &DcState::rop2, 0); }

UINT SetTextAlign(HDC dc, UINT align) { return exchange(dc, &DcState::text_align, align, GDI_ERROR); }
UINT GetTextAlign(HDC dc) { return read(dc, &DcState::text_align, GDI_ERROR); }

int SetStretchBltMode(HDC dc, int mode) { return find_dc(dc) && mode > 0 ? 1 : 0; }
