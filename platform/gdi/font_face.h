#pragma once
// A realised font: metrics and monochrome glyph masks for character codes
// (a byte, or lead byte << 8 | trail byte for double-byte characters).
#include <cstdint>
#include <vector>

#include "platform/gdi/gdi_types.h"

namespace gdi {

struct Glyph {
    int left = 0;     // mask offset from the pen position
    int top = 0;      // mask offset from the cell top (ascent line)
    int width = 0;
    int height = 0;
    int advance = 0;
    std::vector<std::uint8_t> mask;  // width * height, 1 = ink
    bool ink(int x, int y) const { return mask[static_cast<std::size_t>(y) * width + x] != 0; }
};

class FontFace {
public:
    virtual ~FontFace() = default;
    virtual const TEXTMETRIC& metrics() const = 0;
    virtual int advance(std::uint32_t code) const = 0;
    // Stays valid for the face's lifetime.
    virtual const Glyph& glyph(std::uint32_t code) const = 0;
    virtual const char* face_name() const = 0;
};

}  // namespace gdi
