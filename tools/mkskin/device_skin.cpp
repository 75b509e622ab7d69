#include "tools/mkskin/device_skin.h"

#include <cmath>
#include <vector>

#include "tools/mkskin/canvas.h"

namespace mkskin {

namespace {

// Geometry in units at scale 1.
constexpr int kWidth = 220, kHeight = 300, kCornerRadius = 16;
constexpr int kLcdLeft = 30, kLcdTop = 24;
constexpr int kKeysTop = 118, kRowHeight = 16, kRowGap = 12, kKeyGap = 2;

constexpr Colour kBody{0x34, 0x38, 0x40}, kBezel{0x18, 0x1A, 0x1E}, kLcdBackground{0x90, 0xB0, 0x57};
constexpr Colour kKeyUp{0xD8, 0xDA, 0xDE}, kKeyDown{0x8C, 0x90, 0x98}, kLabel{0x10, 0x10, 0x10};
constexpr Colour kBrand{0xA0, 0xA4, 0xAC};
constexpr Colour kPowerUp{0xC8, 0x3C, 0x32}, kPowerDown{0x80, 0x20, 0x1A}, kMark{0x00, 0x00, 0x00};

// PC virtual-key codes.
constexpr uint16_t kVkBack = 0x08, kVkReturn = 0x0D, kVkShift = 0x10, kVkEscape = 0x1B, kVkSpace = 0x20;
constexpr uint16_t kVkLeft = 0x25, kVkUp = 0x26, kVkRight = 0x27, kVkDown = 0x28, kVkDelete = 0x2E;
constexpr uint16_t kVkF1 = 0x70, kVkNumpad0 = 0x60, kVkMinus = 0xBD, kVkPeriod = 0xBE;

struct KeyCap {
    const char* label;
    int width;  // units
    uint16_t pc_first, pc_second;
};

// Rows of keys from top to bottom; each row spans the same width.
std::vector<std::vector<KeyCap>> key_rows() {
    std::vector<std::vector<KeyCap>> rows;
    rows.push_back({{"F1", 37, kVkF1, 0},
                    {"F2", 37, kVkF1 + 1, 0},
                    {"F3", 37, kVkF1 + 2, 0},
                    {"F4", 37, kVkF1 + 3, 0},
                    {"ON", 38, 0, 0}});
    for (const char* letters : {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"}) {
        std::vector<KeyCap> row;
        for (const char* c = letters; *c; ++c) row.push_back({nullptr, 18, static_cast<uint16_t>(*c), 0});
        rows.push_back(row);
    }
    rows[2].push_back({"DEL", 18, kVkDelete, kVkBack});
    rows[3].push_back({".", 18, kVkPeriod, 0});
    rows[3].push_back({"-", 18, kVkMinus, 0});
    rows[3].push_back({"SHF", 18, kVkShift, 0});
    std::vector<KeyCap> digits;
    for (char d : std::string("1234567890"))
        digits.push_back({nullptr, 18, static_cast<uint16_t>(d), static_cast<uint16_t>(kVkNumpad0 + (d - '0'))});
    rows.push_back(digits);
    rows.push_back({{"ESC", 28, kVkEscape, 0},
                    {"SPC", 40, kVkSpace, 0},
                    {"ENT", 28, kVkReturn, 0},
                    {"<", 19, kVkLeft, 0},
                    {"^", 19, kVkUp, 0},
                    {"v", 19, kVkDown, 0},
                    {">", 19, kVkRight, 0}});
    return rows;
}

// The matrix lines of the key at `index`: row line in byte 0, column line in byte 2.
uint32_t matrix_code(int index) { return (1u << (index / 8)) | (1u << (index % 8)) << 16; }

// One quarter of the outline: from the top's middle round the top-left corner
// to the left side's middle; the reader mirrors it into the whole outline.
std::vector<sim::SkinPoint> outline_quarter(int scale) {
    int radius = kCornerRadius * scale;
    std::vector<sim::SkinPoint> quarter{{static_cast<uint32_t>(kWidth * scale / 2), 0}};
    constexpr int kSteps = 6;
    for (int step = 0; step <= kSteps; ++step) {
        double angle = M_PI / 2 * step / kSteps;
        quarter.push_back({static_cast<uint32_t>(std::lround(radius - radius * std::sin(angle))),
                           static_cast<uint32_t>(std::lround(radius - radius * std::cos(angle)))});
    }
    quarter.push_back({0, static_cast<uint32_t>(kHeight * scale / 2)});
    return quarter;
}

// Small black marks beside the LCD rows: arrows, a bar, a dot.
sim::SkinPicture indicator_picture(int kind, int scale) {
    Canvas mark(static_cast<uint32_t>(8 * scale), static_cast<uint32_t>(6 * scale), kLcdBackground);
    for (int row = 0; row < 6; ++row) {
        int from = kind == 0 ? 3 - row / 2 : kind == 1 ? row / 2 : kind == 2 ? 0 : 2;
        int to = kind == 0 ? 4 + row / 2 : kind == 1 ? 7 - row / 2 : kind == 2 ? 8 : 6;
        if (kind >= 2 && (row < 2 || row > 3)) continue;
        mark.fill_rect(from * scale, row * scale, (to - from) * scale, scale, kMark);
    }
    return mark.picture();
}

std::vector<uint32_t> icon_pixels() {
    std::vector<uint32_t> argb(32 * 32, 0);
    auto fill = [&](int x0, int y0, int x1, int y1, uint32_t colour) {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) argb[y * 32 + x] = colour;
    };
    fill(7, 1, 25, 31, 0xFF343840);
    fill(9, 4, 23, 12, 0xFF90B057);
    for (int row = 0; row < 4; ++row)
        for (int column = 0; column < 4; ++column)
            fill(9 + column * 4, 15 + row * 4, 12 + column * 4, 18 + row * 4, 0xFFD8DADE);
    return argb;
}

}  // namespace

sim::SkinSource draw_device_skin(int scale, const std::string& display_name) {
    auto s = [scale](int units) { return units * scale; };
    Canvas device(s(kWidth), s(kHeight), {0, 0, 0});
    device.fill_rounded_rect(0, 0, s(kWidth), s(kHeight), s(kCornerRadius), kBody);
    device.fill_rect(s(kLcdLeft - 20), s(kLcdTop - 8), s(kLcdColumns + 30), s(kLcdRows + 16), kBezel);
    device.fill_rect(s(kLcdLeft), s(kLcdTop), kLcdColumns * scale, kLcdRows * scale, kLcdBackground);
    device.fill_rect(s(kLcdLeft - 16), s(kLcdTop), s(12), kLcdRows * scale, kLcdBackground);
    device.draw_text_centred(s(kWidth / 2), s(kHeight - 28), "QV4700", 2 * scale, kBrand);
    Canvas pressed = device;

    sim::SkinSource skin;
    skin.display_name = display_name;
    int index = 0, y = kKeysTop;
    for (const auto& row : key_rows()) {
        int x = 11;
        for (const KeyCap& cap : row) {
            std::string label = cap.label ? cap.label : std::string(1, static_cast<char>(cap.pc_first));
            bool power = label == "ON";
            device.fill_rounded_rect(s(x), s(y), s(cap.width), s(kRowHeight), s(3), power ? kPowerUp : kKeyUp);
            pressed.fill_rounded_rect(s(x), s(y), s(cap.width), s(kRowHeight), s(3), power ? kPowerDown : kKeyDown);
            int cx = s(x) + s(cap.width) / 2, cy = s(y) + s(kRowHeight) / 2;
            device.draw_text_centred(cx, cy, label, scale, kLabel);
            pressed.draw_text_centred(cx + 1, cy + 1, label, scale, kLabel);
            sim::SkinKey key;
            key.name = power ? "o_f" : label;
            key.area = {static_cast<uint32_t>(s(x)), static_cast<uint32_t>(s(y)), static_cast<uint32_t>(s(cap.width)),
                        static_cast<uint32_t>(s(kRowHeight))};
            key.device_code = power ? 0 : matrix_code(index++);
            key.pc_keys = {cap.pc_first, cap.pc_second};
            skin.keys.push_back(key);
            x += cap.width + kKeyGap;
        }
        y += kRowHeight + (y == kKeysTop ? kRowGap : kKeyGap + 2);
    }

    skin.device = device.picture();
    skin.pressed = pressed.picture();
    skin.lcd = {static_cast<uint32_t>(s(kLcdLeft)), static_cast<uint32_t>(s(kLcdTop)),
                static_cast<uint32_t>(s(kLcdLeft) + kLcdColumns * scale),
                static_cast<uint32_t>(s(kLcdTop) + kLcdRows * scale), static_cast<uint32_t>(scale)};
    skin.lcd_area = {skin.lcd.left, skin.lcd.top, kLcdColumns * scale, kLcdRows * scale};
    // One indicator beside each sixteenth LCD row; the sort key is that row.
    for (int i = 0; i < 5; ++i) {
        uint16_t lcd_row = static_cast<uint16_t>(i * 16 + 4);
        skin.indicators.push_back({indicator_picture(i % 4, scale),
                                   {static_cast<uint32_t>(s(kLcdLeft - 14)), skin.lcd.top + lcd_row * scale,
                                    static_cast<uint32_t>(s(8)), static_cast<uint32_t>(s(6))},
                                   lcd_row});
    }
    skin.outline = outline_quarter(scale);
    skin.icon_file = sim::write_icon_file(32, 32, icon_pixels());
    return skin;
}

}  // namespace mkskin
