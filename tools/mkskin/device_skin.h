#pragma once
// The kit's own picture of the device: a body with labelled keys, the LCD with
// its indicators, the pressed keys, the outline and an icon.
#include <string>

#include "simulator/skin/skin_writer.h"

namespace mkskin {

// The LCD shows this many device pixels whatever the skin's scale.
inline constexpr uint32_t kLcdColumns = 160, kLcdRows = 80;

// The device drawn `scale` window pixels per unit (1: 220 x 300 window).
sim::SkinSource draw_device_skin(int scale, const std::string& display_name);

}  // namespace mkskin
