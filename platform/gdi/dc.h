#pragma once
// The device context behind an HDC: where it draws, its selected objects and
// its modes, and the mapping from logical to surface coordinates.
#include <memory>
#include <optional>
#include <vector>

#include "platform/gdi/font_face.h"
#include "platform/gdi/objects.h"

namespace gdi {

template <class T>
struct Selected {
    HGDIOBJ handle = nullptr;
    std::shared_ptr<T> object;
};

struct DcState {
    Selected<PenObject> pen;
    Selected<BrushObject> brush;
    Selected<FontObject> font;
    Selected<BitmapObject> bitmap;  // memory DCs only
    COLORREF text_color = RGB(0, 0, 0);
    COLORREF bk_color = RGB(255, 255, 255);
    int bk_mode = OPAQUE;
    int rop2 = R2_COPYPEN;
    UINT text_align = TA_LEFT | TA_TOP;
    int map_mode = MM_TEXT;
    POINT window_org{};
    POINT viewport_org{};
    SIZE window_ext{1, 1};
    SIZE viewport_ext{1, 1};
    POINT brush_org{};
    POINT position{};
    std::optional<Region> clip;  // device coordinates
};

struct Printer;

struct Dc {
    static constexpr Kind kind = Kind::Dc;

    bool memory = false;
    std::shared_ptr<Printer> printer;   // printer DCs only
    std::shared_ptr<Surface> surface;   // DCs over a window's surface
    POINT origin{};                     // device (0, 0) on the surface
    std::optional<Region> system_clip;  // surface coordinates
    DcState state;
    std::vector<DcState> saved;

    Surface* target() const;
    bool mono() const;
    // Surface-coordinate clip: the surface, the system clip and the DC clip.
    const Region& clip();
    void clip_changed() { clip_valid_ = false; }

    POINT to_device(LONG x, LONG y) const;
    POINT to_surface(LONG x, LONG y) const;
    // A logical rectangle on the surface, normalised.
    RECT to_surface(const RECT& logical) const;
    // A logical length along x or y in device pixels.
    LONG scale_x(LONG length) const;
    LONG scale_y(LONG length) const;

    const FontFace& face();

private:
    Region clip_cache_;
    bool clip_valid_ = false;
    const Surface* clip_surface_ = nullptr;
    int clip_width_ = -1;
    int clip_height_ = -1;
    std::shared_ptr<const FontFace> face_;
    std::shared_ptr<const FontObject> face_font_;
    unsigned face_generation_ = 0;
};

std::shared_ptr<Dc> find_dc(HDC dc);
// GetDeviceCaps for a printer DC.
int printer_caps(const Dc& dc, int index);

}  // namespace gdi
