#pragma once
// The window's icon, taken from the icon file inside the skin, in memory.
#include <cstdint>
#include <span>
#include <variant>
#include <vector>

#include "simulator/strings/sim_strings.h"

namespace sim {

struct SkinIcon {
    uint32_t width = 0, height = 0;
    std::vector<uint32_t> argb;  // top row first, alpha in the high byte
};

// The first image of an icon file: 24- or 32-bit pictures with their mask.
// An empty file or one without images is string 38; anything else that is not
// such an icon is string 39. `skin_name` fills the message.
std::variant<SkinIcon, SimFailure> decode_skin_icon(std::span<const uint8_t> icon_file, const std::string& skin_name);

}  // namespace sim
