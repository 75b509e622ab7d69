#pragma once
// A 24-bit picture to draw the device on, stored as the skin stores pictures.
#include <cstdint>
#include <string_view>

#include "simulator/skin/skin_file.h"

namespace mkskin {

struct Colour {
    uint8_t red, green, blue;
};

class Canvas {
public:
    Canvas(uint32_t width, uint32_t height, Colour background);

    void fill_rect(int x, int y, int width, int height, Colour colour);
    // A rectangle with its corners rounded by `radius`.
    void fill_rounded_rect(int x, int y, int width, int height, int radius, Colour colour);
    // Text in the pixel font, each font pixel `scale` pixels wide, centred on (cx, cy).
    void draw_text_centred(int cx, int cy, std::string_view text, int scale, Colour colour);

    const sim::SkinPicture& picture() const { return picture_; }

private:
    void put(int x, int y, Colour colour);
    sim::SkinPicture picture_;
};

}  // namespace mkskin
