#pragma once
// The drawing objects behind the handles, and the table that maps handles to
// them. A handle packs a slot index, the object's kind and a generation, so a
// stale or forged handle misses instead of reaching another object.
#include <cstdint>
#include <memory>

#include "platform/gdi/gdi_types.h"
#include "platform/gdi/region.h"
#include "platform/gdi/surface.h"

namespace gdi {

enum class Kind : std::uint8_t { Pen = 1, Brush, Font, Bitmap, Region, Dc, Icon, ImageList };

struct PenObject {
    static constexpr Kind kind = Kind::Pen;
    int style = PS_SOLID;
    int width = 1;
    COLORREF color = 0;
};

struct BrushObject {
    static constexpr Kind kind = Kind::Brush;
    UINT style = BS_SOLID;
    COLORREF color = 0;
    // Pattern brushes: the tile; a monochrome tile takes the DC's colours.
    std::shared_ptr<const Surface> pattern;
    bool mono_pattern = false;
};

struct BitmapObject {
    static constexpr Kind kind = Kind::Bitmap;
    std::shared_ptr<Surface> surface;
    bool mono = false;
};

struct FontObject {
    static constexpr Kind kind = Kind::Font;
    LOGFONT logfont{};
};

struct RegionObject {
    static constexpr Kind kind = Kind::Region;
    Region region;
};

struct IconObject {
    static constexpr Kind kind = Kind::Icon;
    bool is_icon = true;
    POINT hotspot{};
    Surface mask;   // black and white
    Surface image;  // colour
};

// Table operations; all are safe to call from any thread.
HGDIOBJ add_object(Kind kind, std::shared_ptr<void> object, bool stock = false);
std::shared_ptr<void> find_object(HGDIOBJ handle, Kind kind);
bool kind_of(HGDIOBJ handle, Kind* kind);
bool remove_object(HGDIOBJ handle);  // false for stock objects and stale handles

template <class T>
std::shared_ptr<T> find(HGDIOBJ handle) {
    return std::static_pointer_cast<T>(find_object(handle, T::kind));
}

template <class Handle, class T>
Handle add(std::shared_ptr<T> object, bool stock = false) {
    return static_cast<Handle>(add_object(T::kind, std::move(object), stock));
}

// The stock pens, brushes and fonts by their GetStockObject index, and the
// 1x1 monochrome bitmap of a fresh memory DC.
constexpr int kDefaultBitmapStock = 21;
HGDIOBJ stock_object(int which);

}  // namespace gdi
