#include "tools/mkskin/canvas.h"

#include "tools/mkskin/pixel_font.h"

namespace mkskin {

Canvas::Canvas(uint32_t width, uint32_t height, Colour background) : picture_{width, height, 24, {}} {
    picture_.bits.resize(uint64_t{picture_.stride()} * height);
    fill_rect(0, 0, static_cast<int>(width), static_cast<int>(height), background);
}

void Canvas::put(int x, int y, Colour colour) {
    if (x < 0 || y < 0 || x >= static_cast<int>(picture_.width) || y >= static_cast<int>(picture_.height)) return;
    uint8_t* pixel = picture_.bits.data() + uint64_t(picture_.height - 1 - y) * picture_.stride() + uint64_t(x) * 3;
    pixel[0] = colour.blue;
    pixel[1] = colour.green;
    pixel[2] = colour.red;
}

void Canvas::fill_rect(int x, int y, int width, int height, Colour colour) {
    for (int row = y; row < y + height; ++row)
        for (int column = x; column < x + width; ++column) put(column, row, colour);
}

void Canvas::fill_rounded_rect(int x, int y, int width, int height, int radius, Colour colour) {
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column) {
            // Distance into the corner square, if the pixel lies in one.
            int dx = column < radius ? radius - column : column >= width - radius ? column - (width - radius - 1) : 0;
            int dy = row < radius ? radius - row : row >= height - radius ? row - (height - radius - 1) : 0;
            if (dx * dx + dy * dy <= radius * radius) put(x + column, y + row, colour);
        }
}

void Canvas::draw_text_centred(int cx, int cy, std::string_view text, int scale, Colour colour) {
    int width = (static_cast<int>(text.size()) * kGlyphAdvance - 1) * scale;
    int left = cx - width / 2, top = cy - kGlyphHeight * scale / 2;
    for (std::size_t i = 0; i < text.size(); ++i) {
        auto rows = glyph(text[i]);
        for (int row = 0; row < kGlyphHeight; ++row)
            for (int column = 0; column < kGlyphWidth; ++column)
                if (rows[row] >> (kGlyphWidth - 1 - column) & 1)
                    fill_rect(left + (static_cast<int>(i) * kGlyphAdvance + column) * scale, top + row * scale, scale,
                              scale, colour);
    }
}

}  // namespace mkskin
