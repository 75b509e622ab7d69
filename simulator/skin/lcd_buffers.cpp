#include "simulator/skin/lcd_buffers.h"

namespace sim {

LcdPicture make_lcd_picture(const LcdDescription& lcd) {
    LcdPicture picture{lcd.columns(), lcd.rows(), 0, {}};
    picture.stride = (picture.columns + 7) / 8;
    picture.stride = (picture.stride + 3) / 4 * 4;
    picture.bits.assign(uint64_t{picture.stride} * picture.rows, 0);
    return picture;
}

LcdBuffers make_lcd_buffers(const Skin& skin) {
    LcdBuffers buffers;
    buffers.normal = make_lcd_picture(skin.lcd);
    buffers.row_status.assign(buffers.normal.rows, 0);
    if (skin.rotated) buffers.turned = make_lcd_picture(skin.rotated->lcd);
    return buffers;
}

}  // namespace sim
