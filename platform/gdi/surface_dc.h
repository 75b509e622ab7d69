#pragma once
// What the window manager and the displays need beyond the programs' calls:
// DCs over a window's backing surface, the surfaces behind bitmaps, the
// system colour source, the text code page and the test font.
#include <memory>
#include <string>
#include <vector>

#include "platform/gdi/region.h"
#include "platform/gdi/surface.h"
#include "platform/gdi/win_types.h"

namespace gdi {

// A DC drawing into `surface` (kept alive by the DC). `origin` is where the
// DC's device point (0, 0) lies on the surface; drawing is clipped to the
// surface and to the system clip (surface coordinates, none = whole surface).
HDC create_surface_dc(std::shared_ptr<Surface> surface, POINT origin);
void set_device_origin(HDC dc, POINT origin);
void set_system_clip(HDC dc, const Region* clip);
// The surface a DC draws into (a memory DC's selected bitmap), or null.
std::shared_ptr<Surface> surface_of(HDC dc);
// The pixels of a bitmap; monochrome bitmaps hold only black and white.
std::shared_ptr<Surface> surface_of(HBITMAP bitmap);
// A bitmap that draws into an existing surface (32-bit colour).
HBITMAP create_bitmap_over(std::shared_ptr<Surface> surface);
// A copy of a region handle's shape, or an empty region for a bad handle.
Region region_of(HRGN region);

// The screen every DC reports in GetDeviceCaps(HORZRES/VERTRES), as the
// platform answers for the display device (1024 x 768 until set).
void set_screen_size(SIZE size);

// System colours (COLOR_ indices) come from the window layer's table; until
// it installs its source the classic grey scheme applies.
using SysColorSource = COLORREF (*)(int index);
void set_sys_color_source(SysColorSource source);
COLORREF sys_color(int index);

// Text is bytes in this code page (an iconv name, "GBK" by default); it is
// converted only where glyphs are drawn.
bool set_code_page(const std::string& iconv_name);
bool is_lead_byte(BYTE byte);

// The built-in fixed-cell font: a face of this name, or every face while
// `set_test_font_everywhere(true)`, so that layouts in tests are exact. A
// cell is |lfHeight| pixels high (16 when 0) and half as wide (lfWidth when
// given); double-byte characters take two cells; ascent is 3/4 of the height.
inline constexpr const char* kTestFontFace = "Kit Test Cells";
void set_test_font_everywhere(bool on);

struct FontFamily {
    std::string name;
    bool fixed_pitch;
};
// The faces the programs may name, for the font lists of the options pages.
std::vector<FontFamily> font_families();

}  // namespace gdi
