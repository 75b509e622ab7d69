#pragma once
// Writes a skin file from its parts: the skin maker draws the kit's own skins
// with it, and tests build small skins with it.
#include <cstdint>
#include <string>
#include <vector>

#include "simulator/skin/skin_file.h"

namespace sim {

struct SkinSource {
    std::string display_name;
    SkinPicture device, pressed;  // 24-bit, the window's size
    SkinRect lcd_area;
    LcdDescription lcd;
    std::vector<SkinIndicator> indicators;
    std::vector<SkinKey> keys;
    std::vector<SkinPoint> outline;
    std::vector<uint8_t> icon_file;
};

// Image records: 1 the device, 2 the pressed picture, 3 a copy of the device's
// record, 4 the LCD area, then one per indicator.
std::vector<uint8_t> write_skin(const SkinSource& source);

// An icon file holding one 32-bit image with its mask, from rows of ARGB top first.
std::vector<uint8_t> write_icon_file(uint32_t width, uint32_t height, const std::vector<uint32_t>& argb);

}  // namespace sim
