#pragma once
// A skin: the pictures of the device with its keys up and down, the LCD, the
// indicators beside it, the key areas, the window's outline and an icon, read
// from a ".cfs" file and checked throughout, plus the data of the view turned
// by 90 degrees.
#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <variant>
#include <vector>

#include "simulator/strings/sim_strings.h"

namespace sim {

struct SkinRect {
    uint32_t x = 0, y = 0, width = 0, height = 0;
    bool contains(uint32_t px, uint32_t py) const { return px >= x && py >= y && px - x < width && py - y < height; }
};

struct SkinPoint {
    uint32_t x = 0, y = 0;
    bool operator==(const SkinPoint&) const = default;
};

// A device-independent picture: bottom-up rows padded to 4 bytes.
struct SkinPicture {
    uint32_t width = 0, height = 0, bits_per_pixel = 24;
    std::vector<uint8_t> bits;
    uint32_t stride() const { return (width * bits_per_pixel + 31) / 32 * 4; }
};

struct SkinIndicator {
    SkinPicture picture;
    SkinRect place;
    uint16_t sort_key = 0;
};

struct SkinKey {
    std::string name;
    SkinRect area;
    uint32_t device_code = 0;           // for the emulation's keyboard list
    std::array<uint16_t, 2> pc_keys{};  // PC virtual-key codes; 0: none
    // The power key's name begins with "o_f", in any case.
    bool is_power_key() const;
};

struct LcdDescription {
    uint32_t left = 0, top = 0, right = 0, bottom = 0, pixel_size = 1;
    uint32_t columns() const { return (right - left) / pixel_size; }
    uint32_t rows() const { return (bottom - top) / pixel_size; }
};

// The data of the view turned by 90 degrees.
struct RotatedSkin {
    SkinPicture device, pressed;
    std::vector<SkinPicture> indicator_pictures;
    std::vector<SkinRect> key_areas, indicator_places;
    LcdDescription lcd;
};

struct Skin {
    std::string display_name;
    std::array<uint8_t, 40> bitmap_info{};  // the header every picture is drawn with
    uint32_t width = 0, height = 0;         // the window, from the device picture
    SkinPicture device, pressed;
    SkinRect lcd_area;  // from the LCD area's image record
    LcdDescription lcd;
    std::vector<SkinIndicator> indicators;  // sorted by their sort key
    std::vector<SkinKey> keys;
    std::vector<SkinPoint> outline_points;  // as stored
    std::vector<uint8_t> icon_file;         // the bytes of an icon file
    std::optional<RotatedSkin> rotated;     // made when the pictures allow it
};

// Reads a whole skin file. Every offset, count and record number is checked
// against the file; anything out of place is string 36.
std::variant<Skin, SimFailure> parse_skin(std::span<const uint8_t> file);

// Reads the file at `path` and parses it (string 12 when it cannot be read).
std::variant<Skin, SimFailure> load_skin(const std::filesystem::path& path);

}  // namespace sim
