#pragma once
// A 5 x 7 pixel font for the key labels: capital letters, digits and the few
// signs the keys carry.
#include <array>
#include <cstdint>

namespace mkskin {

inline constexpr int kGlyphWidth = 5, kGlyphHeight = 7, kGlyphAdvance = 6;

// Rows top first; bit 4 is the leftmost pixel. An unknown character is a box.
std::array<uint8_t, kGlyphHeight> glyph(char c);

}  // namespace mkskin
