#pragma once
// The memory the emulation draws the LCD into: a status byte per LCD row
// (bit 7 the indicator beside it is on, bit 0 it changed) and 1-bit pictures of
// the normal and the turned LCD, each sized from its own geometry.
#include <cstdint>
#include <vector>

#include "simulator/skin/skin_file.h"

namespace sim {

struct LcdPicture {
    uint32_t columns = 0, rows = 0;
    uint32_t stride = 0;  // bytes per row: a bit per pixel, rounded up to 4 bytes
    std::vector<uint8_t> bits;
};

struct LcdBuffers {
    std::vector<uint8_t> row_status;
    LcdPicture normal;
    LcdPicture turned;  // empty when the skin has no turned view
};

LcdPicture make_lcd_picture(const LcdDescription& lcd);
LcdBuffers make_lcd_buffers(const Skin& skin);

}  // namespace sim
