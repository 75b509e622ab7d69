#include <atomic>

#include "platform/gdi/gdi_types.h"
#include "platform/gdi/surface_dc.h"

namespace gdi {

namespace {

// The classic grey scheme, for drawing before the window layer installs its
// own table.
constexpr COLORREF kClassic[COLOR_COUNT] = {
    RGB(192, 192, 192), RGB(0, 128, 128),   RGB(0, 0, 128),     RGB(128, 128, 128), RGB(192, 192, 192),
    RGB(255, 255, 255), RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(255, 255, 255),
    RGB(192, 192, 192), RGB(192, 192, 192), RGB(128, 128, 128), RGB(0, 0, 128),     RGB(255, 255, 255),
    RGB(192, 192, 192), RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0),       RGB(192, 192, 192),
    RGB(255, 255, 255), RGB(0, 0, 0),       RGB(223, 223, 223), RGB(0, 0, 0),       RGB(255, 255, 225),
};

std::atomic<SysColorSource> g_source{nullptr};

}  // namespace

void set_sys_color_source(SysColorSource source) { g_source = source; }

COLORREF sys_color(int index) {
    if (SysColorSource source = g_source.load()) return source(index);
    return index >= 0 && index < COLOR_COUNT ? kClassic[index] : 0;
}

}  // namespace gdi
