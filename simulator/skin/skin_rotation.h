#pragma once
// The skin turned by 90 degrees: a window point (x, y) goes to (H - y, x),
// where H is the window's height.
#include <optional>

#include "simulator/skin/skin_file.h"

namespace sim {

// Each row of the turned picture is a column of the original (24-bit pictures only).
std::optional<SkinPicture> rotate_picture(const SkinPicture& picture);

// A rectangle (x, y, width, height) goes to (H - y - height, x, height, width).
SkinRect rotate_rect(const SkinRect& rect, uint32_t window_height);

// The data of the turned view, or nothing when a picture cannot be turned.
std::optional<RotatedSkin> rotate_skin(const Skin& skin);

}  // namespace sim
