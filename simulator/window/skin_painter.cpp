#include "simulator/window/skin_painter.h"

#include <algorithm>

#include "simulator/window/key_mapping.h"

namespace simwin {
namespace {

// Bit 7 of a row's status: the indicator beside it is on.
constexpr uint8_t kIndicatorOn = 0x80;

struct MonochromeInfo {
    BITMAPINFOHEADER header;
    RGBQUAD colours[2];
};

BITMAPINFOHEADER picture_header(const sim::SkinPicture& picture) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = LONG(picture.width);
    header.biHeight = LONG(picture.height);
    header.biPlanes = 1;
    header.biBitCount = WORD(picture.bits_per_pixel);
    return header;
}

// Draws the part of `picture` under `area` (window coordinates equal picture coordinates).
void draw_picture_part(HDC dc, const sim::SkinPicture& picture, RECT area) {
    area.left = std::max<LONG>(area.left, 0);
    area.top = std::max<LONG>(area.top, 0);
    area.right = std::min<LONG>(area.right, LONG(picture.width));
    area.bottom = std::min<LONG>(area.bottom, LONG(picture.height));
    if (area.right <= area.left || area.bottom <= area.top || picture.bits.empty()) return;
    BITMAPINFOHEADER header = picture_header(picture);
    int width = area.right - area.left, height = area.bottom - area.top;
    // Bottom-up rows: the source's y counts from the picture's last row.
    int source_y = int(picture.height) - area.bottom;
    StretchDIBits(dc, area.left, area.top, width, height, area.left, source_y, width, height, picture.bits.data(),
                  reinterpret_cast<const BITMAPINFO*>(&header), DIB_RGB_COLORS, SRCCOPY);
}

void draw_whole_picture(HDC dc, const sim::SkinPicture& picture, const sim::SkinRect& place) {
    if (picture.bits.empty()) return;
    BITMAPINFOHEADER header = picture_header(picture);
    StretchDIBits(dc, int(place.x), int(place.y), int(picture.width), int(picture.height), 0, 0, int(picture.width),
                  int(picture.height), picture.bits.data(), reinterpret_cast<const BITMAPINFO*>(&header),
                  DIB_RGB_COLORS, SRCCOPY);
}

const sim::SkinPicture& device_picture(const DeviceView& view, bool pressed) {
    if (view.turned && view.skin.rotated) return pressed ? view.skin.rotated->pressed : view.skin.rotated->device;
    return pressed ? view.skin.pressed : view.skin.device;
}

const sim::LcdDescription& lcd_description(const DeviceView& view) {
    return view.turned && view.skin.rotated ? view.skin.rotated->lcd : view.skin.lcd;
}

RECT lcd_rect(const DeviceView& view) {
    const sim::LcdDescription& lcd = lcd_description(view);
    return RECT{LONG(lcd.left), LONG(lcd.top), LONG(lcd.right), LONG(lcd.bottom)};
}

void fill(HDC dc, const RECT& rect) {
    HBRUSH brush = CreateSolidBrush(kLcdBackground);
    FillRect(dc, &rect, brush);
    DeleteObject(brush);
}

}  // namespace

void paint_skin(HDC dc, const DeviceView& view) {
    const sim::SkinPicture& picture = device_picture(view, false);
    draw_picture_part(dc, picture, RECT{0, 0, LONG(picture.width), LONG(picture.height)});
}

void paint_key(HDC dc, const DeviceView& view, std::size_t key, bool pressed) {
    sim::SkinRect area = key_area(view.skin, view.turned, key);
    RECT widened{LONG(area.x) - 2, LONG(area.y) - 2, LONG(area.x + area.width) + 2, LONG(area.y + area.height) + 2};
    draw_picture_part(dc, device_picture(view, pressed), widened);
}

bool paint_lcd(HDC dc, const DeviceView& view) {
    std::lock_guard lock(view.display_lock);
    const sim::LcdPicture& picture = view.turned ? view.lcd.turned : view.lcd.normal;
    if (picture.bits.empty() || picture.columns < 2 || picture.rows < 2) return true;
    MonochromeInfo info{};
    info.header.biSize = sizeof info.header;
    info.header.biWidth = LONG(picture.columns);
    info.header.biHeight = LONG(picture.rows);
    info.header.biPlanes = 1;
    info.header.biBitCount = 1;
    info.header.biClrUsed = 2;
    info.colours[0] = RGBQUAD{0x57, 0xB0, 0x90, 0};
    info.colours[1] = RGBQUAD{0, 0, 0, 0};
    RECT area = lcd_rect(view);
    // The LCD's first column holds the indicators: it is left out of the
    // picture (upright the first column, turned the top row).
    int x = area.left, y = area.top, width = area.right - area.left, height = area.bottom - area.top;
    int sx = 0, columns = int(picture.columns), rows = int(picture.rows);
    if (view.turned) {
        y += 2;
        height -= 2;
        rows -= 1;
    } else {
        x += 2;
        width -= 2;
        sx = 1;
        columns -= 1;
    }
    return StretchDIBits(dc, x, y, width, height, sx, 0, columns, rows, picture.bits.data(),
                         reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS, SRCCOPY) != 0;
}

void paint_indicators(HDC dc, const DeviceView& view) {
    const auto& indicators = view.skin.indicators;
    std::lock_guard lock(view.display_lock);
    for (std::size_t i = indicators.size(); i-- > 0;) {
        uint16_t row = indicators[i].sort_key;
        uint8_t status = row < view.lcd.row_status.size() ? view.lcd.row_status[row] : 0;
        bool turned = view.turned && view.skin.rotated && i < view.skin.rotated->indicator_places.size() &&
                      i < view.skin.rotated->indicator_pictures.size();
        const sim::SkinRect& place = turned ? view.skin.rotated->indicator_places[i] : indicators[i].place;
        if (status & kIndicatorOn) {
            draw_whole_picture(dc, turned ? view.skin.rotated->indicator_pictures[i] : indicators[i].picture, place);
        } else {
            fill(dc, RECT{LONG(place.x), LONG(place.y), LONG(place.x + place.width), LONG(place.y + place.height)});
        }
    }
}

void clear_lcd_area(HDC dc, const DeviceView& view) {
    std::lock_guard lock(view.display_lock);
    fill(dc, lcd_rect(view));
}

}  // namespace simwin
