#pragma once
// Small files the simulator tests build: ROM images, a skin, options.
#include <cstdint>
#include <cstring>
#include <vector>

#include "simulator/memory/rom_image.h"
#include "simulator/options/sim_options.h"
#include "simulator/skin/skin_writer.h"
#include "testing/temp_dir.h"

namespace sim_fixtures {

// A ROM whose bytes tell where they are.
inline std::vector<uint8_t> patterned_rom(std::size_t size) {
    std::vector<uint8_t> rom(size);
    for (std::size_t i = 0; i < size; ++i) rom[i] = static_cast<uint8_t>(i * 7 + (i >> 8));
    return rom;
}

inline std::string as_text(const std::vector<uint8_t>& bytes) { return {bytes.begin(), bytes.end()}; }

// A 24-bit picture whose pixel (x, y) on screen is (x, y, tag).
inline sim::SkinPicture tagged_picture(uint32_t width, uint32_t height, uint8_t tag) {
    sim::SkinPicture picture{width, height, 24, {}};
    picture.bits.resize(uint64_t{picture.stride()} * height);
    for (uint32_t y = 0; y < height; ++y)
        for (uint32_t x = 0; x < width; ++x) {
            uint8_t* pixel = picture.bits.data() + uint64_t{height - 1 - y} * picture.stride() + x * 3;
            pixel[0] = static_cast<uint8_t>(x);
            pixel[1] = static_cast<uint8_t>(y);
            pixel[2] = tag;
        }
    return picture;
}

// The screen pixel (x, y) of a 24-bit picture as {blue, green, red}.
inline std::array<uint8_t, 3> pixel_at(const sim::SkinPicture& picture, uint32_t x, uint32_t y) {
    const uint8_t* p = picture.bits.data() + uint64_t{picture.height - 1 - y} * picture.stride() + x * 3;
    return {p[0], p[1], p[2]};
}

// A 40 x 30 skin: an LCD, two indicators stored out of sort order, a power key
// and an arrow key, a quarter outline and an icon.
inline sim::SkinSource small_skin() {
    sim::SkinSource s;
    s.display_name = "Test Skin";
    s.device = tagged_picture(40, 30, 1);
    s.pressed = tagged_picture(40, 30, 2);
    s.lcd_area = {4, 2, 24, 12};
    s.lcd = {4, 2, 28, 14, 2};
    s.indicators = {{tagged_picture(3, 2, 9), {30, 4, 3, 2}, 7}, {tagged_picture(3, 2, 8), {30, 8, 3, 2}, 3}};
    s.keys = {{"o_ff", {2, 20, 6, 5}, 0x00010001, {0x1B, 0}}, {"left", {10, 20, 6, 5}, 0x00020004, {0x25, 0x64}}};
    s.outline = {{0, 3}, {3, 0}, {20, 0}};
    s.icon_file = sim::write_icon_file(2, 2, {0xFF112233, 0x00000000, 0x80445566, 0xFF778899});
    return s;
}

}  // namespace sim_fixtures
