#pragma once
// Which device key a PC key or a mouse point presses, by the skin's key records.
#include <cstddef>
#include <cstdint>
#include <optional>

#include "simulator/skin/skin_file.h"

namespace simwin {

// In the turned view the arrows turn with the picture: Left is Down, Right is
// Up, Up is Left, Down is Right. Other keys, and every key upright, stay.
int turned_arrow(int virtual_key, bool turned);

// The first key record bound to the virtual key (after turning the arrows).
std::optional<std::size_t> key_for_pc_key(const sim::Skin& skin, int virtual_key, bool turned);

// The key record whose area (turned areas in the turned view) holds the window point.
std::optional<std::size_t> key_at_point(const sim::Skin& skin, bool turned, int x, int y);

// A key's area in the view, as drawn.
sim::SkinRect key_area(const sim::Skin& skin, bool turned, std::size_t key);

}  // namespace simwin
